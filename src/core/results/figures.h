#pragma once

namespace zelkora {

// The day being played or replayed: its totals as the daily strip shows them.
struct DayTotals {
    double investment = 0;     // yen, c日合計_投資額F
    double spins = 0;          // c日合計_回転数
    double bigHits = 0;        // c日合計_大当り数
    double exchangedBalls = 0; // c日合計_交換出玉
    double balance = 0;        // yen, c日合計_収支F
};

// A ratio shown only once its guard has held; until then its box keeps "0". The value is the
// one its last refresh computed, which later counts do not change until the next refresh.
struct ShownRatio {
    double value = 0;
    bool shown = false;
};

// Every count and sum of one verification as plain numbers. The live run and the rebuild feed
// them through FigureAccumulator from the same events; the display fields are a view of them
// (showFigures). A sum that the fields once held as text keeps the value its text reads as, so
// a figure and its box never disagree.
struct Figures {
    double day = 1; // c日合計_日目, the day being accumulated
    DayTotals dayTotals;
    double cumulativeBalance = 0; // yen, not truncated; its boxes show Fix of it

    double totalSpins = 0;        // 総回転数表示
    double bigHits = 0;           // 総大当り数表示
    double firstHits = 0;         // 初当たり数表示
    double firstHitsInto確変 = 0; // 初当り確変数表示
    double hitsInto確変 = 0;      // 確変数表示
    double 時短Entries = 0;       // 総時短数表示
    double firstHits時短 = 0;     // 初当り時短数表示
    double wonDays = 0;           // 勝数表示
    double lostDays = 0;          // 負け数表示
    double longestGap = 0;        // 最大はまり表示
    double averageBalance = 0;    // 平均収支表示, as the last day close wrote it

    double firstHitMark = 0; // total spins at the last first hit
    double firstHitGap = 0;  // spins from the first hit before it to the last one

    ShownRatio firstHitProbability; // 初当たり確率表示, spins per first hit
    ShownRatio probability;         // 確率表示, spins per big hit
    ShownRatio winRate;             // 勝率表示, %
    ShownRatio firstHit確変Rate;    // 初当り確変率表示, %
    ShownRatio 時短Rate;            // 総時短率表示, %
    ShownRatio firstHit時短Rate;    // 初当り時短率表示, %
    ShownRatio 確変Rate;            // 確変率表示, %
    ShownRatio averageStreak;       // 平均連荘表示, big hits per first hit
};

} // namespace zelkora
