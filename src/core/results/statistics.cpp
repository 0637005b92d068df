#include "results/statistics.h"

#include "common/numbers.h"
#include "results/figure_accumulator.h"

#include <initializer_list>

namespace zelkora {
namespace {

// "0": a field holding the number 0 shows and reads exactly as one holding that text.
void setZero(FieldStore& fields, std::initializer_list<Field> cleared) {
    for (Field field : cleared) {
        fields.setNumber(field, 0);
    }
}

} // namespace

void 統計データobCLR(FieldStore& fields) {
    setZero(fields, {Field::勝数表示,         Field::負け数表示,       Field::勝率表示,
                     Field::平均収支表示,     Field::初当たり数表示,   Field::初当たり確率表示,
                     Field::初当り確変率表示, Field::初当り確変数表示, Field::総大当り数表示,
                     Field::確率表示,         Field::確変率表示,       Field::確変数表示,
                     Field::総回転数表示,     Field::収支表示F,        Field::最大はまり表示,
                     Field::初当り時短率表示, Field::初当り時短数表示, Field::総時短率表示,
                     Field::総時短数表示,     Field::平均連荘表示});
}

void 計算日合計CLR(FieldStore& fields) {
    setZero(fields, {Field::c日合計_投資額F, Field::c日合計_回転数, Field::c日合計_大当り数,
                     Field::c日合計_交換出玉, Field::c日合計_収支F});
}

void 計算大当り詳細CLR(FieldStore& fields) {
    setZero(fields,
            {Field::c大当り詳細_回転数, Field::c大当り詳細_投資額F, Field::c大当り詳細_交換玉数,
             Field::c大当り詳細_連荘, Field::c大当り詳細_日目, Field::c大当り詳細_時短回転数});
    fields.setText(Field::c大当り詳細_大当り, "--");
    fields.setText(Field::c大当り詳細_当絵柄, "--");
    fields.setText(Field::c大当り詳細_ルール, "--");
    fields.setText(Field::c大当り詳細_状態, "通常");
}

void 交換精算(FieldStore& fields, Money& money, FigureAccumulator& figures) {
    const double balls = fields.number(Field::c大当り詳細_持玉数F);
    fields.setNumber(Field::c大当り詳細_交換玉数, balls);
    money.heldBalls = 0;
    fields.setText(Field::c大当り詳細_持玉数F, "0");
    figures.exchange(balls);
}

void showCumulativeBalance(FieldStore& fields, double cumulativeBalance) {
    const double shown = fixPart(cumulativeBalance) + 0.0; // + 0.0 turns -0 into 0
    fields.setNumber(Field::c日合計_積算収支F, shown);
    fields.setNumber(Field::収支表示F, shown);
}

} // namespace zelkora
