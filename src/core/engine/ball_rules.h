#pragma once

#include "engine/machine_state.h"

#include <cstdint>
#include <string_view>

// The ball rule a big hit leaves: the rule-option table and the exchange step with its
// service-time override.
namespace zelkora {

// The four rule option digits d1 … d4, each the number of one character (0 when missing or
// not a digit).
struct RuleOptionDigits {
    int d1 = 0; // 無制限 symbols: 1 always, 2 on a first hit, 3 on a first hit under 交換
    int d2 = 0; // ラッキー symbols: 1 always, 2 on a first hit
    int d3 = 0; // アウト symbols: 1 always, 2 on a first hit
    int d4 = 0; // held balls used up: 1 the rule goes back to 交換, 2 it stays

    static RuleOptionDigits parse(std::string_view digits);
};

// What the rule table gives: a new rule, or the exchange step.
enum class RuleOutcome : std::uint8_t { 無制限, ラッキー, ExchangeStep };

// The rule table, first hit meaning the state before the hit was 通常. A rule other than
// 無制限 and ラッキー is read as 交換.
RuleOutcome ballRuleAfterHit(BallRule before, SymbolRule symbol, bool firstHit,
                             const RuleOptionDigits& digits);

// The exchange step: outside service time the balls are exchanged under 交換; in a
// service-time hour nothing is exchanged and the service-time rule decides the rule
// (0 無制限, 1 交換, 2 ラッキー; another code leaves the rule as it was).
struct ExchangeStep {
    BallRule rule = BallRule::交換;
    bool serviceTime = false; // the box shows "ｻｰﾋﾞｽ　ﾀｲﾑ" and no exchange takes place
};
ExchangeStep exchangeStep(bool serviceTimeHour, std::uint8_t serviceTimeRule, BallRule current);

inline constexpr std::string_view kServiceTimeBox = "ｻｰﾋﾞｽ　ﾀｲﾑ";

} // namespace zelkora
