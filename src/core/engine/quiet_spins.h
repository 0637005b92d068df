#pragma once

#include "engine/repeated_sum.h"
#include "engine/spin_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

// Runs of quiet spins: spins in which nothing happens but the draw and the accounting, so the
// spin loop can play them without its per-spin checks. Each bound below is a count of spins
// that provably cross no threshold, computed conservatively; the spin that might cross one is
// played by the exact per-spin path, so every figure is the one the per-spin checks give.
namespace zelkora {

// More quiet spins than any run needs: the draws at hand bound a run far below this.
inline constexpr std::int64_t kManyQuietSpins = std::int64_t{1} << 30;

// Whole numbers well inside the range in which sums and products of them are exact, with room
// for kManyQuietSpins purchases of the largest unit.
inline bool isModestWholeNumber(double value) {
    return std::fabs(value) < 0x1p40 && value == std::trunc(value);
}

// How many times `step` can be added to `start`, rounding after each addition as the loop does,
// with every sum below `limit`. `magnitude` bounds the size of every value involved, so each
// addition errs by less than magnitude × 2^-52.
inline std::int64_t stepsBelow(double limit, double start, double step, double magnitude) {
    if (!(start < limit) || !(step > 0) || !std::isfinite(start) || !std::isfinite(magnitude)) {
        return 0;
    }
    if (limit == INFINITY) {
        return kManyQuietSpins;
    }
    const double room = (limit - start) / (step + magnitude * 0x1p-52);
    if (!(room < static_cast<double>(kManyQuietSpins))) {
        return kManyQuietSpins;
    }
    // Short of room, so that steps × (step + slack) stays below limit - start.
    return static_cast<std::int64_t>(room * (1 - 0x1p-40));
}

// The balls and money of normal spins as one run sees them.
struct NormalSpinRules {
    double ballsPerSpin = 0;
    double unitBalls = 0; // the balls one purchase buys
};

// How many spins from `heldBalls` surely start with more than one spin's worth of balls, so
// none of them needs a purchase.
std::int64_t spinsBeforePurchase(double heldBalls, double ballsPerSpin);
// How many spins from `heldBalls`, when that is a unit's worth or more, surely start with a
// unit's worth or more and need no purchase: held-ball spins.
std::int64_t spinsOnHeldBalls(double heldBalls, const NormalSpinRules& rules);

// How many spins at the least lie between two purchases (the buying spin and those after it
// that need none), or 0 when purchases are not played in runs: a purchase is due at fewer than
// one spin's worth of balls and never below zero, so the spin that buys leaves at least
// unitBalls - ballsPerSpin balls. Runs also need the spin after a purchase to leave less than a
// unit's worth, which every sane unit and spin do.
std::int64_t purchaseSpacing(const NormalSpinRules& rules);

// How many normal spins can be played with at most `purchases` purchases among them, when the
// first purchase cannot fall within `beforePurchase` spins and the next ones are `spacing`
// spins apart at the least.
inline std::int64_t normalSpinsWithin(std::int64_t beforePurchase, std::int64_t spacing,
                                      std::int64_t purchases) {
    if (spacing <= 0 || purchases <= 0) {
        return beforePurchase;
    }
    if (purchases > (kManyQuietSpins - beforePurchase) / spacing) {
        return kManyQuietSpins;
    }
    return beforePurchase + purchases * spacing;
}

// What a run of quiet spins ends with.
struct QuietRun {
    std::int64_t spins = 0;     // played, the hitting spin included
    std::int64_t cashSpins = 0; // normal spins the player paid for in cash
    std::int64_t purchases = 0;
    double dayClock = 0;
    double heldBalls = 0;
    bool hit = false;
};

// The spins of a run over `draws`: up to its first hit, that spin included, or all of them.
struct SpinsToHit {
    std::size_t spins = 0;
    bool hit = false;
};
inline SpinsToHit spinsToHit(std::span<const float> draws, const SpinDraw& draw) {
    const std::size_t hitAt = firstHit(draws, draw);
    return hitAt < draws.size() ? SpinsToHit{hitAt + 1, true} : SpinsToHit{draws.size(), false};
}

// Normal spins played on held balls, one per draw, until a hit or the draws run out. The caller
// has made sure that every one of them starts with at least a unit's worth of balls, so none is
// a cash spin or needs a purchase, and that no other event falls among them. The balls and the
// clock only take a fixed step a spin, so they are brought up to the run's end at once.
inline QuietRun playHeldBallSpins(std::span<const float> draws, const SpinDraw& draw,
                                  RepeatedStep& spentBalls, RepeatedStep& spinSeconds,
                                  double dayClock, double heldBalls) {
    QuietRun run;
    const SpinsToHit played = spinsToHit(draws, draw);
    run.hit = played.hit;
    run.spins = static_cast<std::int64_t>(played.spins);
    run.heldBalls = spentBalls.addTo(heldBalls, run.spins);
    run.dayClock = spinSeconds.addTo(dayClock, run.spins);
    return run;
}

// Normal spins played on cash, one per draw, until a hit or the draws run out: they start with
// less than a unit's worth of balls, buy a unit when due and use their balls. Only the spin
// right after a purchase can start with a unit's worth again, and then it is a held-ball spin
// (purchaseSpacing() makes sure the spin after it is not). The caller has made sure that no other
// event falls among them.
inline QuietRun playCashSpins(std::span<const float> draws, const SpinDraw& draw,
                              const NormalSpinRules& rules, RepeatedStep& spinSeconds,
                              double dayClock, double heldBalls) {
    QuietRun run;
    const SpinsToHit played = spinsToHit(draws, draw);
    const std::size_t spins = played.spins;
    std::int64_t heldBallSpins = 0;
    std::int64_t purchases = 0;
    std::size_t lastHeldAfter = spins; // the purchase that made the last held-ball spin
    std::size_t index = 0;
    for (; index < spins; ++index) {
        // needsPurchase(): heldBalls - ballsPerSpin > 0 exactly when heldBalls > ballsPerSpin.
        if (!(heldBalls > rules.ballsPerSpin)) {
            heldBalls = (heldBalls + rules.unitBalls) - rules.ballsPerSpin;
            ++purchases;
            if (!(rules.unitBalls > heldBalls)) {
                ++heldBallSpins;
                lastHeldAfter = index;
            }
        } else {
            heldBalls -= rules.ballsPerSpin;
        }
    }
    // A purchase on the run's last spin made a held-ball spin of the next one, beyond the run.
    if (lastHeldAfter + 1 == index) {
        --heldBallSpins;
    }
    run.spins = static_cast<std::int64_t>(index);
    run.cashSpins = run.spins - heldBallSpins;
    run.purchases = purchases;
    run.dayClock = spinSeconds.addTo(dayClock, run.spins);
    run.heldBalls = heldBalls;
    run.hit = played.hit;
    return run;
}

// Time-saving spins (確変, 時短, 次まで時短), one per draw, until a hit or the draws run out:
// they only take their time.
inline QuietRun playTimeSavingSpins(std::span<const float> draws, const SpinDraw& draw,
                                    RepeatedStep& spinSeconds, double dayClock) {
    QuietRun run;
    const SpinsToHit played = spinsToHit(draws, draw);
    run.hit = played.hit;
    run.spins = static_cast<std::int64_t>(played.spins);
    run.dayClock = spinSeconds.addTo(dayClock, run.spins);
    return run;
}

} // namespace zelkora
