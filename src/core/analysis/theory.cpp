#include "analysis/theory.h"

#include "analysis/engine_draws.h"
#include "analysis/streak_chain.h"
#include "engine/machine_state.h"
#include "engine/money.h"
#include "engine/play_time.h"
#include "engine/run_conditions.h"

#include <algorithm>
#include <cmath>

namespace zelkora {
namespace {

// The bought balls are followed until the chance of no hit yet falls below this.
constexpr double kNegligibleChance = 1e-13;
// Spins per 1000 yen searched for a border: beyond either end the balance keeps its sign.
constexpr double kFewestSpins = 1e-3;
constexpr double kMostSpins = 1e7;
constexpr int kBorderSteps = 64;

StreakChainInput chainInput(const MainWindowModel& loaded, const RunConditions& conditions,
                            int countdown) {
    StreakChainInput input;
    input.hitChanceNormal = spinHitChance(conditions.probability, countdown);
    input.hitChance確変 = spinHitChance(conditions.probability / 6, countdown);
    input.limiter = conditions.limiter;
    const int count = static_cast<int>(conditions.symbolCount);
    const std::vector<double> chances = symbolChances(count);
    const SymbolTable& symbols = loaded.symbols;
    for (int index = 0; index < count; ++index) {
        const auto at = static_cast<std::size_t>(index);
        input.symbols.push_back({{symbolKindOf(symbols.kinds[at]), symbolRuleOf(symbols.rules[at]),
                                  symbols.shortTimeSpins[at], symbols.payouts[at]},
                                 chances[at]});
    }
    return input;
}

// Balls per spin as the run holds them: 250 ÷ spins per 1000 yen in single precision.
double ballsPerSpinAt(double spinsPerThousand) {
    return static_cast<double>(static_cast<float>(250 / spinsPerThousand));
}

double balancePerSpin(const MachineBasis& machine, const PlayTerms& terms) {
    const double yenPerBall = 100 / terms.exchangeRate;
    const double balls = ballsPerSpinAt(terms.spinsPerThousand);
    const double payoutYen = machine.payoutPerFirstHit / machine.spinsPerFirstHit * yenPerBall;
    const double onHeld = payoutYen - balls * yenPerBall;
    if (terms.heldShare >= 1) {
        return onHeld;
    }
    const double leftOver =
        boughtBallsAtHit(machine.hitChanceNormal, balls, machine.unitYen / kYenPerBall);
    const double onCash = payoutYen - balls * kYenPerBall -
                          (kYenPerBall - yenPerBall) * leftOver / machine.spinsPerFirstHit;
    return terms.heldShare * onHeld + (1 - terms.heldShare) * onCash;
}

// The spins per 1000 yen at which the balance per spin is 0, by bisection on a log scale (the
// balance grows with the spins); 0 when even the most spins lose, infinity when the fewest win.
double borderOf(const MachineBasis& machine, PlayTerms terms) {
    const auto balanceAt = [&](double spins) {
        terms.spinsPerThousand = spins;
        return balancePerSpin(machine, terms);
    };
    double low = std::log(kFewestSpins);
    double high = std::log(kMostSpins);
    if (balanceAt(std::exp(high)) < 0) {
        return 0;
    }
    if (balanceAt(std::exp(low)) >= 0) {
        return INFINITY;
    }
    for (int step = 0; step < kBorderSteps; ++step) {
        const double middle = (low + high) / 2;
        (balanceAt(std::exp(middle)) < 0 ? low : high) = middle;
    }
    return std::exp((low + high) / 2);
}

// The most hits a streak can have before the end of a day and its hour of grace, at 180 s a hit.
std::int32_t hitsBeforeDayEnd(const RunConditions& conditions) {
    const double seconds = conditions.schedule.dayLengthSeconds() + kGraceSeconds;
    return static_cast<std::int32_t>(seconds / kBigHitSeconds) + 2;
}

// The mean streak of a first hit at a moment spread evenly over the day: hits up to the
// deadline are played, and from 次まで時短 one more, again and again while a 次まで時短 symbol
// keeps it there (chance c each, so 1 ÷ (1 − c) hits on average).
double meanStreakWithDayEnds(const StreakExpectation& streak, double spacing, double length,
                             double deadline, double staysNext) {
    constexpr int kMoments = 4096;
    const std::vector<double>& reach = streak.reachChances;
    std::vector<double> reached(reach.size() + 1, 0.0); // reached[m] = Σ reach[0 … m − 1]
    for (std::size_t hit = 0; hit < reach.size(); ++hit) {
        reached[hit + 1] = reached[hit] + reach[hit];
    }
    double sum = 0;
    for (int moment = 0; moment < kMoments; ++moment) {
        const double start = length * (moment + 0.5) / kMoments;
        const auto played = static_cast<std::size_t>(std::clamp(
            std::floor((deadline - start) / spacing) + 1, 1.0, static_cast<double>(reach.size())));
        sum += reached[played] +
               streak.nextHitShortTimeAfter[played - 1] / std::max(1 - staysNext, 1e-12);
    }
    return std::min(sum / kMoments, streak.hits);
}

DayEndFigures dayEndFigures(const TheoreticalFigures& figures, const RunConditions& conditions,
                            const StreakChainInput& input, const StreakExpectation& streak,
                            double secondsPerFirstHit) {
    DayEndFigures dayEnds;
    const double length = conditions.schedule.dayLengthSeconds();
    dayEnds.secondsBetweenStreakHits =
        kBigHitSeconds + (figures.meanStreak > 1
                              ? figures.shortSpinsPerFirstHit * conditions.shortSpinSeconds /
                                    (figures.meanStreak - 1)
                              : 0);
    double staysNext = 0;
    for (const ChainSymbol& symbol : input.symbols) {
        staysNext += symbol.info.kind == SymbolKind::次まで時短 ? symbol.chance : 0;
    }
    dayEnds.meanStreak = length > 0
                             ? meanStreakWithDayEnds(streak, dayEnds.secondsBetweenStreakHits,
                                                     length, length + kGraceSeconds, staysNext)
                             : figures.meanStreak;
    dayEnds.payoutPerFirstHit = figures.payoutPerBigHit * dayEnds.meanStreak;
    dayEnds.normalSpinsPerDay = length * figures.spinsPerFirstHit / secondsPerFirstHit;
    dayEnds.boughtBallsAtDayEnd =
        meanBoughtBallsHeld(figures.ballsPerSpin, conditions.money.unit / kYenPerBall);
    const double yen = figures.yenPerBall;
    const double dayEndLoss =
        (kYenPerBall - yen) * dayEnds.boughtBallsAtDayEnd / dayEnds.normalSpinsPerDay;
    dayEnds.cashBalancePerSpin = figures.onCash.balancePerSpin - dayEndLoss;
    // The payout a cut streak loses, spread over the spins to its first hit.
    const double lostYen = (figures.meanStreak - dayEnds.meanStreak) * figures.payoutPerBigHit /
                           figures.spinsPerFirstHit * yen;
    dayEnds.cutCashBalancePerSpin = dayEnds.cashBalancePerSpin - lostYen;
    dayEnds.cutHeldBalancePerSpin = figures.onHeldBalls.balancePerSpin - lostYen;
    return dayEnds;
}

} // namespace

double boughtBallsAtHit(double hitChance, double ballsPerSpin, double unitBalls) {
    if (!(hitChance > 0) || !(unitBalls > 0)) {
        return 0;
    }
    const double miss = std::max(0.0, 1 - std::min(hitChance, 1.0));
    double held = 0;
    double noHitYet = 1;
    double expected = 0;
    while (noHitYet > kNegligibleChance) {
        if (needsPurchase(held, ballsPerSpin)) {
            held += unitBalls;
        }
        held -= ballsPerSpin;
        expected += noHitYet * hitChance * held;
        noHitYet *= miss;
    }
    return expected;
}

double meanBoughtBallsHeld(double ballsPerSpin, double unitBalls) {
    if (!(unitBalls > 0) || !(ballsPerSpin > 0)) {
        return 0;
    }
    // Over many whole units the average of the held balls after each spin settles.
    constexpr double kMostSpinsFollowed = 1e7;
    const double spins = std::min(std::ceil(unitBalls / ballsPerSpin * 1000), kMostSpinsFollowed);
    double held = 0;
    double sum = 0;
    for (double spin = 0; spin < spins; ++spin) {
        if (needsPurchase(held, ballsPerSpin)) {
            held += unitBalls;
        }
        held -= ballsPerSpin;
        sum += held;
    }
    return sum / spins;
}

double hamariChance(double hitChance, std::int64_t spins) {
    if (spins <= 1) {
        return 1;
    }
    return std::pow(1 - std::min(hitChance, 1.0), static_cast<double>(spins - 1));
}

MoneyFigures moneyFigures(const MachineBasis& machine, const PlayTerms& terms) {
    MoneyFigures figures;
    figures.balancePerSpin = balancePerSpin(machine, terms);
    figures.balancePerHour = figures.balancePerSpin * machine.spinsPerFirstHit /
                             (machine.secondsPerFirstHit / kSecondsPerHour);
    figures.border = borderOf(machine, terms);
    return figures;
}

std::vector<RateRow> rateTable(const MachineBasis& machine, double heldShare) {
    std::vector<RateRow> rows;
    for (const double rate : kTableExchangeRates) {
        RateRow row;
        row.exchangeRate = rate;
        row.borderOnCash = borderOf(machine, {rate, 0, 0});
        row.borderOnHeldBalls = borderOf(machine, {rate, 0, 1});
        row.borderAtShare = borderOf(machine, {rate, 0, heldShare});
        for (std::size_t column = 0; column < kTableSpinsPerThousand.size(); ++column) {
            const PlayTerms terms{rate, kTableSpinsPerThousand[column], heldShare};
            row.atShare[column].balancePerSpin = balancePerSpin(machine, terms);
            row.atShare[column].balancePerHour = row.atShare[column].balancePerSpin *
                                                 machine.spinsPerFirstHit /
                                                 (machine.secondsPerFirstHit / kSecondsPerHour);
        }
        rows.push_back(row);
    }
    return rows;
}

TheoryOutcome theoreticalFigures(const MainWindowModel& loaded, int countdown, double heldShare) {
    Status refusal = startRefusal(loaded.fields, loaded.program);
    if (refusal.ok()) {
        refusal = symbolTableRefusal(loaded.symbols,
                                     static_cast<int>(loaded.fields.number(Field::条件_絵柄数)));
    }
    if (!refusal.ok()) {
        return std::move(refusal).error();
    }
    const RunConditions conditions = readRunConditions(loaded.fields, loaded.program);
    const StreakChainInput input = chainInput(loaded, conditions, countdown);
    if (!(input.hitChanceNormal > 0) || !(input.hitChance確変 > 0)) {
        return Error{ErrorKind::NeverHits};
    }
    StreakChainOutcome streak = expectStreak(input, hitsBeforeDayEnd(conditions));
    if (!streak.ok()) {
        return std::move(streak).error();
    }
    const StreakExpectation& expectation = streak.value();
    TheoreticalFigures figures;
    figures.countdown = countdown;
    figures.hitChanceNormal = input.hitChanceNormal;
    figures.hitChance確変 = input.hitChance確変;
    figures.spinsPerFirstHit = 1 / input.hitChanceNormal;
    figures.meanStreak = expectation.hits;
    figures.spinsPerBigHit = figures.spinsPerFirstHit / figures.meanStreak;
    for (const ChainSymbol& symbol : input.symbols) {
        figures.payoutPerBigHit += symbol.chance * symbol.info.payout;
    }
    // A symbol is drawn independently of how far the streak has come, so the payout of a streak
    // is its mean length times the mean payout of a hit.
    figures.payoutPerFirstHit = figures.payoutPerBigHit * figures.meanStreak;
    figures.shortSpinsPerFirstHit = expectation.shortSpins;
    figures.streakLengthChances = expectation.lengthChances;
    const double secondsPerFirstHit = figures.spinsPerFirstHit * conditions.normalSpinSeconds +
                                      figures.shortSpinsPerFirstHit * conditions.shortSpinSeconds +
                                      figures.meanStreak * kBigHitSeconds;
    figures.hoursPerFirstHit = secondsPerFirstHit / kSecondsPerHour;
    figures.ballsPerSpin = static_cast<double>(conditions.ballsPerSpin);
    figures.yenPerBall = 100 / loaded.fields.number(Field::条件_両替率);
    figures.boughtBallsAtFirstHit = boughtBallsAtHit(figures.hitChanceNormal, figures.ballsPerSpin,
                                                     conditions.money.unit / kYenPerBall);

    figures.basis = {figures.hitChanceNormal, figures.spinsPerFirstHit, figures.payoutPerFirstHit,
                     secondsPerFirstHit, conditions.money.unit};
    figures.terms = {loaded.fields.number(Field::条件_両替率),
                     loaded.fields.number(Field::条件_回転数1000円),
                     std::clamp(heldShare, 0.0, 1.0)};
    PlayTerms terms = figures.terms;
    terms.heldShare = 0;
    figures.onCash = moneyFigures(figures.basis, terms);
    terms.heldShare = 1;
    figures.onHeldBalls = moneyFigures(figures.basis, terms);
    figures.atShare = moneyFigures(figures.basis, figures.terms);

    figures.withDayEnds =
        dayEndFigures(figures, conditions, input, expectation, secondsPerFirstHit);
    return figures;
}

} // namespace zelkora
