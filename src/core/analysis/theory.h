#pragma once

#include "common/error.h"
#include "model/main_window_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelkora {

// The theoretical figures of a verification, from its conditions alone, under these
// assumptions:
// - play never stops: no day ends, so no play schedule, no daily cap, no service time, and a
//   streak is never cut and a 時短 never lost at a day's end;
// - the convergence options (確率を収束しやすくする, 当り絵柄を収束しやすくする) are off;
// - a spin hits as the engine draws it: with the share of the generator's 2^24 values u whose
//   Frac(T × u) lies below 1 ÷ N, T the countdown and N 条件_確率 (÷ 6 in 確変); the symbol of
//   a hit is Int(絵柄数 × u) as a run without a wall clock draws it; 確変, 時短, 次まで時短, the
//   pending 時短 and the limiter follow the engine's own transition;
// - a normal spin uses 250 ÷ 回転数1000円 balls; bought balls cost 4 yen; balls are worth
//   100 ÷ 両替率 yen at the exchange, with no rounding;
// - a normal spin takes 回転時間 ÷ (時間比率 ÷ 100) seconds, a spin in 確変, 時短 or
//   次まで時短 takes 確変回転時間, and a big hit 180 seconds.
// "On cash" plays every normal spin with balls bought in the verification's unit, one unit when
// the held balls would not pay the next spin (as the run buys), and exchanges at each first hit
// the balls still held with the payout: the bought balls left over then fetch only the exchange
// price. "On held balls" values every normal spin at the yen its balls would fetch.
inline constexpr std::array<std::string_view, 6> kTheoryAssumptions{
    "日の終わり・遊技時間帯・投資上限・サービスタイムはなく、連荘も時短も途中で切れないものとする",
    "確率と当り絵柄の収束オプションは使わないものとする",
    "当否・当り絵柄・確変・時短・次まで時短・リミッターは検証と同じ抽選と移行で決まるものとする",
    "1回転の玉数は 250 ÷ 回転数/1000円、玉は 1 玉 4 円で買い、両替率で端数なく換金するものとする",
    "通常回転は 回転時間 ÷ (時間比率 ÷ 100) 秒、確変・時短中は 確変回転時間 秒、大当り 1 回 180 "
    "秒とする",
    "現金は投資単位ごとに玉を買い、初当りで出玉と一緒に残りの玉も換金するものとする（買った玉の"
    "換金差額を含む）",
};

// The assumption the figures "with day ends" rest on instead of the first one.
inline constexpr std::string_view kDayEndAssumption =
    "「日の終わりあり」は近似で、1日に 遊技時間帯の長さ × 通常回転数 ÷ 遊技時間 の通常回転を回し、"
    "日の終わりに買った玉の平均の残りを換金し、初当りは遊技時間帯に一様に来て、連荘の大当りは"
    "平均の間隔で続き、遊技時間帯の終わりから 1 時間を過ぎると確変・時短の連荘は切れ、次まで時短は"
    "次の当りまで続くものとする";

// What a day's end takes, by the approximation of kDayEndAssumption: a first hit comes at a
// moment τ spread evenly over the day's length L; the k-th hit of its streak comes (k − 1)·t
// later, t the mean time from one hit of a streak to the next. Past L + 1 hour the run ends a
// streak in 確変 or 時短 at once, while 次まで時短 plays on to its next hit (which may leave it
// in 次まで時短 again).
struct DayEndFigures {
    double normalSpinsPerDay = 0;
    double boughtBallsAtDayEnd = 0; // the mean held over a long stretch of cash play
    // 回転単価 on cash with the bought balls each day's end exchanges, the streaks left whole:
    // what holds where days rarely end inside a streak.
    double cashBalancePerSpin = 0;
    // With the streaks the day's end cuts as well.
    double secondsBetweenStreakHits = 0;
    double meanStreak = 0;
    double payoutPerFirstHit = 0;
    double cutCashBalancePerSpin = 0;
    double cutHeldBalancePerSpin = 0;
};

struct MoneyFigures {
    double balancePerSpin = 0; // 回転単価, yen per normal spin
    double balancePerHour = 0; // yen per hour of play
    double border = 0;         // ボーダー: spins per 1000 yen at which the balance is 0
};

// The terms of play the money figures depend on beyond the machine.
struct PlayTerms {
    double exchangeRate = 0;     // 両替率, balls per 100 yen
    double spinsPerThousand = 0; // 回転数/1000円
    double heldShare = 0;        // share of normal spins played on held balls, 0 … 1
};

// What the machine gives per first hit, which the money figures need for any terms of play.
struct MachineBasis {
    double hitChanceNormal = 0;
    double spinsPerFirstHit = 0;
    double payoutPerFirstHit = 0;  // balls
    double secondsPerFirstHit = 0; // normal spins, time-saving spins and big hits
    double unitYen = 0;            // 投資単位
};

struct TheoreticalFigures {
    int countdown = 0;
    double hitChanceNormal = 0; // per spin in 通常, 時短, 次まで時短
    double hitChance確変 = 0;
    double spinsPerFirstHit = 0; // normal spins
    double spinsPerBigHit = 0;   // normal spins, as 確率表示 counts them
    double meanStreak = 0;       // big hits per first hit
    double payoutPerBigHit = 0;  // balls
    double payoutPerFirstHit = 0;
    double shortSpinsPerFirstHit = 0;
    std::array<double, 11> streakLengthChances{}; // 単発 … 10連荘, and more than 10
    double hoursPerFirstHit = 0;
    double ballsPerSpin = 0;
    double yenPerBall = 0;            // at the exchange
    double boughtBallsAtFirstHit = 0; // on cash, bought balls still held when a first hit comes
    MoneyFigures onCash;
    MoneyFigures onHeldBalls;
    PlayTerms terms;      // the verification's own, with the held share asked for
    MoneyFigures atShare; // at terms.heldShare
    MachineBasis basis;
    DayEndFigures withDayEnds;
};

// Fails when a run could not start with the conditions (the run's own refusals) or the figures
// cannot be computed (NeverHits, EndlessStreak, TheoryTooLarge).
using TheoryOutcome = Result<TheoreticalFigures>;

// The figures for the verification loaded in the window (IndPreset) and the countdown T, with
// the money figures also at `heldShare` of the normal spins on held balls (0 … 1).
TheoryOutcome theoreticalFigures(const MainWindowModel& loaded, int countdown,
                                 double heldShare = 0);

// The money figures of the machine under other terms of play.
MoneyFigures moneyFigures(const MachineBasis& machine, const PlayTerms& terms);

// The bought balls still held when a first hit comes, on cash: the run's purchases (a unit when
// the held balls would not pay the next spin) from none held, over the geometric number of
// spins to the hit.
double boughtBallsAtHit(double hitChance, double ballsPerSpin, double unitBalls);

// The bought balls held on average over a long stretch of cash play (what a day's end finds).
double meanBoughtBallsHeld(double ballsPerSpin, double unitBalls);

// The chance that a first hit needs at least `spins` normal spins (a はまり of that length, as
// 最大はまり表示 counts it: the hitting spin included).
double hamariChance(double hitChance, std::int64_t spins);

// Expected value and ボーダー against the exchange rate and the spins per 1000 yen.
inline constexpr std::array<double, 5> kTableExchangeRates{25, 28, 30, 33, 40};
inline constexpr std::array<double, 11> kTableSpinsPerThousand{15, 16, 17, 18, 19, 20,
                                                               21, 22, 23, 24, 25};
struct RateRow {
    double exchangeRate = 0;
    double borderOnCash = 0;
    double borderOnHeldBalls = 0;
    double borderAtShare = 0;
    std::array<MoneyFigures, kTableSpinsPerThousand.size()> atShare{}; // border left 0
};
std::vector<RateRow> rateTable(const MachineBasis& machine, double heldShare);

} // namespace zelkora
