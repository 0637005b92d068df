#include "results/statistics.h"

#include "common/checked_arithmetic.h"
#include "common/numbers.h"

#include <initializer_list>

namespace zelkora {
namespace {

// "0": a field holding the number 0 shows and reads exactly as one holding that text.
void setZero(FieldStore& fields, std::initializer_list<Field> cleared) {
    for (Field field : cleared) {
        fields.setNumber(field, 0);
    }
}

// numerator / denominator × 100 in "###.##", written only while the numerator is positive.
void refreshRate(FieldStore& fields, Field rate, Field numerator, Field denominator) {
    const double count = fields.number(numerator);
    if (count > 0) {
        const double share = divideOrFail(count, fields.number(denominator), denominator);
        fields.setPattern(rate, share * 100, Pattern::TwoDecimals);
    }
}

void countWonOrLostDay(FieldStore& fields) {
    if (fields.number(Field::c日合計_収支F) >= 0) {
        fields.add(Field::勝数表示, 1);
    } else {
        fields.add(Field::負け数表示, 1);
    }
}

void showWinRate(FieldStore& fields) {
    const double won = fields.number(Field::勝数表示);
    const double played = fields.number(Field::負け数表示) + won;
    fields.setPattern(Field::勝率表示, won / played * 100, Pattern::TwoDecimals);
}

double averageBalance(const FieldStore& fields, double cumulativeBalance) {
    return divideOrFail(cumulativeBalance, fields.number(Field::c日合計_日目),
                        fieldName(Field::c日合計_日目));
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

void 交換精算(FieldStore& fields, Money& money) {
    const double balls = fields.number(Field::c大当り詳細_持玉数F);
    fields.setNumber(Field::c大当り詳細_交換玉数, balls);
    money.heldBalls = 0;
    fields.setText(Field::c大当り詳細_持玉数F, "0");
    fields.add(Field::c日合計_交換出玉, balls);
    const double yen = fixPart(divideOrFail(fields.number(Field::c大当り詳細_交換玉数),
                                            fields.number(Field::条件_両替率), Field::条件_両替率) *
                               100);
    fields.add(Field::c日合計_収支F, yen);
    money.cumulativeBalance += yen;
    showCumulativeBalance(fields, money.cumulativeBalance);
}

void showCumulativeBalance(FieldStore& fields, double cumulativeBalance) {
    const double shown = fixPart(cumulativeBalance) + 0.0; // + 0.0 turns -0 into 0
    fields.setNumber(Field::c日合計_積算収支F, shown);
    fields.setNumber(Field::収支表示F, shown);
}

void closeDayFigures(FieldStore& fields, double cumulativeBalance) {
    countWonOrLostDay(fields);
    if (fields.number(Field::勝数表示) > 0) {
        showWinRate(fields);
    } else {
        fields.setText(Field::勝率表示, "0");
    }
    if (cumulativeBalance != 0) {
        fields.setNumber(Field::平均収支表示,
                         fixPart(averageBalance(fields, cumulativeBalance)) + 0.0);
    }
    refresh初当たり確率(fields);
    refresh確率(fields);
}

void closeCancelledDayFigures(FieldStore& fields, double cumulativeBalance) {
    countWonOrLostDay(fields);
    if (fields.number(Field::勝数表示) > 0) {
        showWinRate(fields);
    }
    if (cumulativeBalance > 0) {
        fields.setNumber(Field::平均収支表示, averageBalance(fields, cumulativeBalance));
    }
    refresh初当たり確率(fields);
}

void refresh初当り確変率(FieldStore& fields) {
    refreshRate(fields, Field::初当り確変率表示, Field::初当り確変数表示, Field::初当たり数表示);
}

void refresh総時短率(FieldStore& fields) {
    refreshRate(fields, Field::総時短率表示, Field::総時短数表示, Field::総大当り数表示);
}

void refresh初当り時短率(FieldStore& fields) {
    refreshRate(fields, Field::初当り時短率表示, Field::初当り時短数表示, Field::初当たり数表示);
}

void refresh確変率(FieldStore& fields) {
    refreshRate(fields, Field::確変率表示, Field::確変数表示, Field::総大当り数表示);
}

void refresh平均連荘(FieldStore& fields) {
    const double firstHits = fields.number(Field::初当たり数表示);
    if (firstHits > 0) {
        fields.setPattern(Field::平均連荘表示, fields.number(Field::総大当り数表示) / firstHits,
                          Pattern::TwoDecimals);
    }
}

void refresh初当たり確率(FieldStore& fields) {
    const double firstHits = fields.number(Field::初当たり数表示);
    if (firstHits != 0) {
        fields.setPattern(Field::初当たり確率表示, fields.number(Field::総回転数表示) / firstHits,
                          Pattern::TwoDecimals);
    }
}

void refresh確率(FieldStore& fields) {
    const double bigHits = fields.number(Field::総大当り数表示);
    if (bigHits > 0) {
        fields.setPattern(Field::確率表示, fields.number(Field::総回転数表示) / bigHits,
                          Pattern::TwoDecimals);
    }
}

void refresh最大はまり(FieldStore& fields, double firstHitGap) {
    if (firstHitGap > fields.number(Field::最大はまり表示)) {
        fields.setNumber(Field::最大はまり表示, firstHitGap);
    }
}

} // namespace zelkora
