#include "engine/ball_rules.h"

namespace zelkora {
namespace {

int digitAt(std::string_view digits, std::size_t index) {
    if (index >= digits.size() || digits[index] < '0' || digits[index] > '9') {
        return 0;
    }
    return digits[index] - '0';
}

bool grants(int digit, bool firstHit) {
    return digit == 1 || (digit == 2 && firstHit);
}

} // namespace

RuleOptionDigits RuleOptionDigits::parse(std::string_view digits) {
    return {digitAt(digits, 0), digitAt(digits, 1), digitAt(digits, 2), digitAt(digits, 3)};
}

RuleOutcome ballRuleAfterHit(BallRule before, SymbolRule symbol, bool firstHit,
                             const RuleOptionDigits& digits) {
    if (before == BallRule::無制限) {
        return RuleOutcome::無制限;
    }
    if (before == BallRule::ラッキー) {
        if (symbol == SymbolRule::無制限 && grants(digits.d1, firstHit)) {
            return RuleOutcome::無制限;
        }
        if (symbol == SymbolRule::アウト && grants(digits.d3, firstHit)) {
            return RuleOutcome::ExchangeStep;
        }
        return RuleOutcome::ラッキー;
    }
    // Under 交換, d1 = 3 grants 無制限 on a first hit like d1 = 2.
    if (symbol == SymbolRule::無制限 &&
        (digits.d1 == 1 || ((digits.d1 == 2 || digits.d1 == 3) && firstHit))) {
        return RuleOutcome::無制限;
    }
    if (symbol == SymbolRule::ラッキー && grants(digits.d2, firstHit)) {
        return RuleOutcome::ラッキー;
    }
    return RuleOutcome::ExchangeStep;
}

ExchangeStep exchangeStep(bool serviceTimeHour, std::uint8_t serviceTimeRule, BallRule current) {
    if (!serviceTimeHour) {
        return {BallRule::交換, false};
    }
    switch (serviceTimeRule) {
    case 0:
        return {BallRule::無制限, true};
    case 1:
        return {BallRule::交換, true};
    case 2:
        return {BallRule::ラッキー, true};
    default:
        return {current, true};
    }
}

} // namespace zelkora
