#pragma once

#include "common/field_store.h"

namespace zelkora {

class FigureAccumulator;

// The clears of the overall figures, the daily totals and the big-hit detail strip, and the
// exchange of the held balls, shared by the live run, the rebuild and the file commands.

// Sets the twenty overall figures to "0".
void 統計データobCLR(FieldStore& fields);
// Sets the day's investment, spins, big hits, exchanged balls and balance to "0".
void 計算日合計CLR(FieldStore& fields);
// Clears the big-hit detail strip ("0", "--", "通常"); leaves c大当り詳細_持玉数F alone.
void 計算大当り詳細CLR(FieldStore& fields);

// The balls a run holds beside the fields.
struct Money {
    double heldBalls = 0;
};

// 交換精算: every held ball (c大当り詳細_持玉数F) is exchanged, into the detail strip and, as
// yen at 条件_両替率 balls per 100 yen, into the figures.
void 交換精算(FieldStore& fields, Money& money, FigureAccumulator& figures);

// Writes the cumulative balance into c日合計_積算収支F and 収支表示F (as Fix of it).
void showCumulativeBalance(FieldStore& fields, double cumulativeBalance);

} // namespace zelkora
