#include "analysis/theory.h"

#include "analysis/engine_draws.h"
#include "analysis/streak_chain.h"
#include "engine/money.h"
#include "engine/run_conditions.h"

namespace zelkora {
namespace {

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

} // namespace

TheoryOutcome theoreticalFigures(const MainWindowModel& loaded, int countdown) {
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
    if (input.hitChanceNormal <= 0 || input.hitChance確変 <= 0) {
        return Error{ErrorKind::NeverHits};
    }
    StreakChainOutcome streak = expectStreak(input);
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
    figures.hoursPerFirstHit = (figures.spinsPerFirstHit * conditions.normalSpinSeconds +
                                figures.shortSpinsPerFirstHit * conditions.shortSpinSeconds +
                                figures.meanStreak * kBigHitSeconds) /
                               kSecondsPerHour;
    figures.ballsPerSpin = static_cast<double>(conditions.ballsPerSpin);
    figures.yenPerBall = 100 / loaded.fields.number(Field::条件_両替率);

    const double payoutBallsPerSpin = figures.payoutPerFirstHit / figures.spinsPerFirstHit;
    const double payoutYenPerSpin = payoutBallsPerSpin * figures.yenPerBall;
    const double spinsPerHourFactor = figures.spinsPerFirstHit / figures.hoursPerFirstHit;
    figures.onCash.balancePerSpin = payoutYenPerSpin - figures.ballsPerSpin * kYenPerBall;
    figures.onHeldBalls.balancePerSpin =
        payoutYenPerSpin - figures.ballsPerSpin * figures.yenPerBall;
    figures.onCash.balancePerHour = figures.onCash.balancePerSpin * spinsPerHourFactor;
    figures.onHeldBalls.balancePerHour = figures.onHeldBalls.balancePerSpin * spinsPerHourFactor;
    // Break even when a spin's payout is worth what its balls cost: on cash 1000 yen buy
    // 250 balls, so s = 1000 ÷ (payout yen per spin); on held balls s spins use 250 balls worth
    // 250 × yen per ball, so s = 250 ÷ (payout balls per spin).
    figures.onCash.border = 1000 / payoutYenPerSpin;
    figures.onHeldBalls.border = 250 / payoutBallsPerSpin;
    return figures;
}

} // namespace zelkora
