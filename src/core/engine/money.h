#pragma once

#include <cstdint>

// The money rules of the spin loop: when a purchase is needed and when the daily cap refuses
// it (持金パンク).
namespace zelkora {

inline constexpr double kYenPerBall = 4;

struct MoneyRules {
    bool reinvest = false; // 条件_出玉を両替 is "はい"
    bool noReinvest = false; // 条件_出玉を両替 is "いいえ" (another text stops neither check)
    std::int32_t dailyCap = 0; // whole number of 条件_投資上限日
    double unit = 0;           // 条件_投資単位, yen per purchase
};

// A spin needs a purchase when it would leave the held balls at zero or below.
inline bool needsPurchase(double heldBalls, double ballsPerSpin) {
    return !(heldBalls - ballsPerSpin > 0);
}

// Without reinvestment a purchase may not take the day's investment above the cap; with it,
// the day's balance after the purchase may not fall below minus the cap.
inline bool purchaseRefused(const MoneyRules& rules, double dayInvested, double dayBalance) {
    const double headroom = static_cast<double>(rules.dailyCap) - rules.unit;
    if (rules.noReinvest && dayInvested > headroom) {
        return true;
    }
    return rules.reinvest && dayBalance + headroom < 0;
}

} // namespace zelkora
