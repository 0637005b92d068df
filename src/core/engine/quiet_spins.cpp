#include "engine/quiet_spins.h"

namespace zelkora {

std::int64_t spinsBeforePurchase(double heldBalls, double ballsPerSpin) {
    if (!(ballsPerSpin > 0) || !(heldBalls - ballsPerSpin > 0)) {
        return 0;
    }
    // The held balls taken as a negative sum that grows by a spin's balls up to -ballsPerSpin.
    return 1 + stepsBelow(-ballsPerSpin, -heldBalls, ballsPerSpin, heldBalls + ballsPerSpin);
}

std::int64_t purchaseSpacing(const NormalSpinRules& rules) {
    if (!(rules.ballsPerSpin > 0) || !(rules.unitBalls >= rules.ballsPerSpin) ||
        !std::isfinite(rules.unitBalls)) {
        return 0;
    }
    return 1 + spinsBeforePurchase(rules.unitBalls - rules.ballsPerSpin, rules.ballsPerSpin);
}

} // namespace zelkora
