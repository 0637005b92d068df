// RunEngine, runs of quiet spins: between two events (a day end, a purchase the cap refuses, the
// end of an hour, a yield that processes events, the end of a 時短, the recomputed denominator
// of the probability option, a hit) the spin loop plays its spins from draws held in locals and
// brings the counters, the yield point and the hour bar up to date once per run.

#include "engine/quiet_spins.h"
#include "engine/run_engine.h"

#include <algorithm>
#include <cmath>

namespace zelkora {
namespace {

constexpr std::int64_t kMaxSimulatedPurchases = 64;

} // namespace

bool RunEngine::playQuietSpins(HotState& hot) {
    const std::int64_t limit = quietSpinLimit(hot);
    if (limit <= 0) {
        return false;
    }
    const std::span<const float> pending = seams_.random.pending();
    const auto draws = pending.first(std::min(static_cast<std::size_t>(limit), pending.size()));
    const bool corrected = hot.probabilityConvergence && hot.state != MachineState::確変;
    const SpinDraw draw{lottery_.countdownValue, corrected ? hot.scaleTimesC : hot.scaleTimesN,
                        lottery_.scale};
    QuietRun run;
    if (hot.state == MachineState::通常) {
        // quietSpinLimit() has bounded the run to held-ball spins or to cash spins.
        run = costs_.unitBalls > hot.heldBalls
                  ? playCashSpins(draws, draw, {costs_.ballsPerSpin, costs_.unitBalls},
                                  quietSteps_.normalSeconds, hot.dayClock, hot.heldBalls)
                  : playHeldBallSpins(draws, draw, quietSteps_.spentBalls,
                                      quietSteps_.normalSeconds, hot.dayClock, hot.heldBalls);
        hot.heldBalls = run.heldBalls;
        hot.cashSpins += run.cashSpins;
        hot.heldBallSpins += run.spins - run.cashSpins;
        if (run.purchases > 0) {
            chargePurchases(run.purchases);
        }
    } else {
        run = playTimeSavingSpins(draws, draw, quietSteps_.shortSeconds, hot.dayClock);
        hot.pendingShortSpins += run.spins;
        if (hot.state == MachineState::時短) {
            hot.remainingShortSpins -= static_cast<std::int32_t>(run.spins);
        }
    }
    hot.dayClock = run.dayClock;
    if (corrected) {
        lottery_.correctionSpins += run.spins;
    }
    seams_.random.take(static_cast<std::size_t>(run.spins));
    yield_.skip(static_cast<std::uint32_t>(run.spins));
    hot.barClock = hot.dayClock;
    hot.hitPending = run.hit;
    return true;
}

// How many spins from here surely meet no event but a hit; 0 when the next spin may.
std::int64_t RunEngine::quietSpinLimit(const HotState& hot) const {
    std::int64_t limit = yield_.skippable();
    if (limit == 0 || !(hot.dayClock < hot.timeLimit)) {
        return 0;
    }
    const bool normal = hot.state == MachineState::通常;
    // Every spin starts before the day's end and ends within the hour of the last hour bar.
    const double seconds = normal ? conditions_.normalSpinSeconds : conditions_.shortSpinSeconds;
    const double timeEnd = std::min(hot.timeLimit, hot.barHourEnd);
    limit = std::min(limit, stepsBelow(timeEnd, hot.dayClock, seconds, timeEnd + seconds));
    if (hot.probabilityConvergence && hot.state != MachineState::確変) {
        // The spin that brings K to 20 × N recomputes C before its draw.
        const double recomputeAt = lottery_.denominator * 20;
        const auto counted = static_cast<double>(lottery_.correctionSpins);
        if (recomputeAt == std::trunc(recomputeAt) && recomputeAt > counted &&
            recomputeAt < 0x1p53) {
            limit = std::min(limit, static_cast<std::int64_t>(recomputeAt - counted) - 1);
        }
    }
    switch (hot.state) {
    case MachineState::通常:
        return std::min(limit, normalSpinLimit(hot.heldBalls, limit));
    case MachineState::時短:
        limit = std::min<std::int64_t>(limit, hot.remainingShortSpins);
        break;
    case MachineState::確変:
    case MachineState::次まで時短:
        break;
    }
    // A time-saving spin buys nothing, but the money check still runs while the held balls are
    // down to a spin's worth; they and the day's money stay as they are over the run.
    const DayTotals& day = accumulator_.figures().dayTotals;
    if (needsPurchase(hot.heldBalls, costs_.ballsPerSpin) &&
        purchaseRefused(conditions_.money, readBack(day.investment), readBack(day.balance))) {
        return 0;
    }
    return limit;
}

// Normal spins from `heldBalls`: held-ball spins while they last, else cash spins with no more
// purchases than the daily cap allows (looked at only when one can fall within `wanted` spins).
std::int64_t RunEngine::normalSpinLimit(double heldBalls, std::int64_t wanted) const {
    if (!(costs_.unitBalls > heldBalls)) {
        return spinsOnHeldBalls(heldBalls, {costs_.ballsPerSpin, costs_.unitBalls});
    }
    const std::int64_t beforePurchase = spinsBeforePurchase(heldBalls, costs_.ballsPerSpin);
    if (beforePurchase >= wanted || costs_.purchaseSpacing == 0 || !(heldBalls >= 0)) {
        return beforePurchase;
    }
    return normalSpinsWithin(beforePurchase, costs_.purchaseSpacing, affordablePurchases());
}

// How many purchases in a row the daily cap allows from the day's money as it stands.
std::int64_t RunEngine::affordablePurchases() const {
    if (!costs_.unitIntegral) {
        return 0; // each purchase reads the shown figures back: played one spin at a time
    }
    const MoneyRules& rules = conditions_.money;
    const double dayInvest = accumulator_.figures().dayTotals.investment;
    const double dayBalance = accumulator_.figures().dayTotals.balance;
    const double headroom = static_cast<double>(rules.dailyCap) - rules.unit;
    if (isModestWholeNumber(dayInvest) && isModestWholeNumber(dayBalance) &&
        isModestWholeNumber(rules.unit) && isModestWholeNumber(headroom) && rules.unit > 0) {
        // Exact integers: purchase i sees dayInvest + i × unit and dayBalance - i × unit.
        const auto unit = static_cast<std::int64_t>(rules.unit);
        std::int64_t allowed = kManyQuietSpins;
        if (rules.noReinvest) {
            const auto room = static_cast<std::int64_t>(headroom - dayInvest);
            allowed = std::min(allowed, room < 0 ? 0 : room / unit + 1);
        }
        if (rules.reinvest) {
            const auto room = static_cast<std::int64_t>(dayBalance + headroom);
            allowed = std::min(allowed, room < 0 ? 0 : room / unit + 1);
        }
        return allowed;
    }
    double invested = dayInvest;
    double balance = dayBalance;
    std::int64_t allowed = 0;
    while (allowed < kMaxSimulatedPurchases && !purchaseRefused(rules, invested, balance)) {
        invested += rules.unit;
        balance -= rules.unit;
        ++allowed;
    }
    return allowed;
}

} // namespace zelkora
