#include "engine/quiet_spins.h"

#include <algorithm>

namespace zelkora {

std::int64_t spinsBeforePurchase(double heldBalls, double ballsPerSpin) {
    if (!(ballsPerSpin > 0) || !(heldBalls - ballsPerSpin > 0)) {
        return 0;
    }
    // The held balls taken as a negative sum that grows by a spin's balls up to -ballsPerSpin.
    return 1 + stepsBelow(-ballsPerSpin, -heldBalls, ballsPerSpin, heldBalls + ballsPerSpin);
}

std::int64_t spinsOnHeldBalls(double heldBalls, const NormalSpinRules& rules) {
    const double perSpin = rules.ballsPerSpin;
    if (rules.unitBalls > heldBalls || !(perSpin > 0) || !std::isfinite(heldBalls)) {
        return 0;
    }
    // The held balls taken as a negative sum that grows by a spin's balls up to -unitBalls.
    const std::int64_t overUnit =
        1 + stepsBelow(-rules.unitBalls, -heldBalls, perSpin, heldBalls + perSpin);
    return std::min(overUnit, spinsBeforePurchase(heldBalls, perSpin));
}

std::int64_t purchaseSpacing(const NormalSpinRules& rules) {
    if (!(rules.ballsPerSpin > 0) || !(rules.unitBalls >= rules.ballsPerSpin) ||
        !std::isfinite(rules.unitBalls)) {
        return 0;
    }
    // The most a purchase leaves (bought at a spin's worth exactly) less the next spin's balls.
    const double mostLeft = (rules.ballsPerSpin + rules.unitBalls) - rules.ballsPerSpin;
    if (!(rules.unitBalls > mostLeft - rules.ballsPerSpin)) {
        return 0;
    }
    return 1 + spinsBeforePurchase(rules.unitBalls - rules.ballsPerSpin, rules.ballsPerSpin);
}

} // namespace zelkora
