#pragma once

#include "common/field_store.h"

namespace zelkora {

// The overall figures, the daily totals and the big-hit detail strip, kept in the display
// fields. The live run and the rebuild share these procedures, so both show the same formulas,
// guards and text formats.

// Sets the twenty overall figures to "0".
void 統計データobCLR(FieldStore& fields);
// Sets the day's investment, spins, big hits, exchanged balls and balance to "0".
void 計算日合計CLR(FieldStore& fields);
// Clears the big-hit detail strip ("0", "--", "通常"); leaves c大当り詳細_持玉数F alone.
void 計算大当り詳細CLR(FieldStore& fields);

// The money a run or a rebuild carries beside the fields.
struct Money {
    double heldBalls = 0;
    double cumulativeBalance = 0;
};

// 交換精算: every held ball is exchanged at 条件_両替率 balls per 100 yen.
void 交換精算(FieldStore& fields, Money& money);

// Writes the cumulative balance into c日合計_積算収支F and 収支表示F (as Fix of it).
void showCumulativeBalance(FieldStore& fields, double cumulativeBalance);

// Day close: won or lost day, win rate, average balance, probabilities.
void closeDayFigures(FieldStore& fields, double cumulativeBalance);
// The figures Cancel settles: 勝率 only while 勝数 > 0, the average balance untruncated and only
// for a positive balance, the first-hit probability; 確率表示 untouched.
void closeCancelledDayFigures(FieldStore& fields, double cumulativeBalance);

// Each guarded figure, written only when its guard holds (otherwise the box keeps its text).
void refresh初当り確変率(FieldStore& fields); // 初当り確変数 / 初当たり数 × 100, "###.##"
void refresh総時短率(FieldStore& fields);     // 総時短数 / 総大当り数 × 100
void refresh初当り時短率(FieldStore& fields); // 初当り時短数 / 初当たり数 × 100
void refresh確変率(FieldStore& fields);       // 確変数 / 総大当り数 × 100
void refresh平均連荘(FieldStore& fields);     // 総大当り数 / 初当たり数, "##.##"
void refresh初当たり確率(FieldStore& fields); // 総回転数 / 初当たり数, "##.##"
void refresh確率(FieldStore& fields);         // 総回転数 / 総大当り数, "##.##"
// 最大はまり表示 := gap when the gap is greater than the shown value.
void refresh最大はまり(FieldStore& fields, double firstHitGap);

} // namespace zelkora
