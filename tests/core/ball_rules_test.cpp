#include "engine/ball_rules.h"
#include "engine/money.h"
#include "engine/state_transition.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

RuleOptionDigits digits(std::string_view text) {
    return RuleOptionDigits::parse(text);
}

TEST(RuleOptionDigits, ReadsOneNumberPerCharacter) {
    const RuleOptionDigits parsed = digits("3121");
    EXPECT_EQ(parsed.d1, 3);
    EXPECT_EQ(parsed.d2, 1);
    EXPECT_EQ(parsed.d3, 2);
    EXPECT_EQ(parsed.d4, 1);
    const RuleOptionDigits shortText = digits("1x");
    EXPECT_EQ(shortText.d2, 0);
    EXPECT_EQ(shortText.d4, 0);
}

TEST(BallRuleTable, DigitThreeGrantsUnlimitedOnlyOnAFirstHitUnderExchange) {
    const RuleOptionDigits d = digits("3122");
    EXPECT_EQ(ballRuleAfterHit(BallRule::交換, SymbolRule::無制限, true, d), RuleOutcome::無制限);
    EXPECT_EQ(ballRuleAfterHit(BallRule::交換, SymbolRule::無制限, false, d),
              RuleOutcome::ExchangeStep);
    // Under ラッキー, d1 = 3 never gives 無制限.
    EXPECT_EQ(ballRuleAfterHit(BallRule::ラッキー, SymbolRule::無制限, true, d),
              RuleOutcome::ラッキー);
}

TEST(BallRuleTable, DigitTwoGrantsOnFirstHitsDigitOneAlways) {
    EXPECT_EQ(ballRuleAfterHit(BallRule::ラッキー, SymbolRule::無制限, true, digits("2122")),
              RuleOutcome::無制限);
    EXPECT_EQ(ballRuleAfterHit(BallRule::ラッキー, SymbolRule::無制限, false, digits("2122")),
              RuleOutcome::ラッキー);
    EXPECT_EQ(ballRuleAfterHit(BallRule::交換, SymbolRule::ラッキー, false, digits("1222")),
              RuleOutcome::ExchangeStep);
    EXPECT_EQ(ballRuleAfterHit(BallRule::交換, SymbolRule::ラッキー, true, digits("1222")),
              RuleOutcome::ラッキー);
    EXPECT_EQ(ballRuleAfterHit(BallRule::交換, SymbolRule::ラッキー, false, digits("1122")),
              RuleOutcome::ラッキー);
}

TEST(BallRuleTable, OutSymbolsEndLuckyByTheirDigit) {
    EXPECT_EQ(ballRuleAfterHit(BallRule::ラッキー, SymbolRule::アウト, false, digits("1112")),
              RuleOutcome::ExchangeStep);
    EXPECT_EQ(ballRuleAfterHit(BallRule::ラッキー, SymbolRule::アウト, false, digits("1122")),
              RuleOutcome::ラッキー);
    EXPECT_EQ(ballRuleAfterHit(BallRule::ラッキー, SymbolRule::アウト, true, digits("1122")),
              RuleOutcome::ExchangeStep);
    EXPECT_EQ(ballRuleAfterHit(BallRule::ラッキー, SymbolRule::Exchange, true, digits("1111")),
              RuleOutcome::ラッキー);
}

TEST(ExchangeStep, ServiceTimeKeepsTheBallsUnderEveryRule) {
    EXPECT_EQ(exchangeStep(false, 0, BallRule::交換).rule, BallRule::交換);
    EXPECT_FALSE(exchangeStep(false, 0, BallRule::ラッキー).serviceTime);
    EXPECT_EQ(exchangeStep(true, 0, BallRule::交換).rule, BallRule::無制限);
    EXPECT_EQ(exchangeStep(true, 1, BallRule::ラッキー).rule, BallRule::交換);
    EXPECT_EQ(exchangeStep(true, 2, BallRule::交換).rule, BallRule::ラッキー);
    EXPECT_EQ(exchangeStep(true, 7, BallRule::ラッキー).rule, BallRule::ラッキー);
    for (int rule = 0; rule < 3; ++rule) {
        EXPECT_TRUE(
            exchangeStep(true, static_cast<std::uint8_t>(rule), BallRule::交換).serviceTime);
    }
}

SymbolInfo symbolOf(SymbolKind kind, std::int16_t shortTimeSpins = 0) {
    return {kind, SymbolRule::Exchange, shortTimeSpins, 1000};
}

TEST(StateTransition, ProbabilityChangeWithShortTimeWaitsForItsEnd) {
    const TransitionResult result = transition({}, symbolOf(SymbolKind::確変, 50), 1, {});
    EXPECT_EQ(result.next, (ModeState{MachineState::確変, true, 50}));
    EXPECT_TRUE(result.entered確変);
}

TEST(StateTransition, LimiterCutsAtExactlyItsCount) {
    const Limiter limiter{true, 5};
    const ModeState inProbabilityChange{MachineState::確変, false, 0};
    const TransitionResult atLimit =
        transition(inProbabilityChange, symbolOf(SymbolKind::確変), 5, limiter);
    EXPECT_EQ(atLimit.next.state, MachineState::通常);
    EXPECT_FALSE(atLimit.entered確変);
    EXPECT_EQ(transition(inProbabilityChange, symbolOf(SymbolKind::確変), 6, limiter).next.state,
              MachineState::確変);
    EXPECT_EQ(transition(inProbabilityChange, symbolOf(SymbolKind::確変), 5, {false, 5}).next.state,
              MachineState::確変);
    // With a pending 時短 the limiter leads into it.
    const TransitionResult intoShortTime =
        transition({MachineState::確変, true, 30}, symbolOf(SymbolKind::確変), 5, limiter);
    EXPECT_EQ(intoShortTime.next, (ModeState{MachineState::時短, false, 30}));
}

TEST(StateTransition, UntilNextHitAndUnknownKinds) {
    EXPECT_EQ(transition({}, symbolOf(SymbolKind::次まで時短), 1, {}).next.state,
              MachineState::次まで時短);
    const ModeState probabilityChange{MachineState::確変, false, 0};
    EXPECT_EQ(transition(probabilityChange, symbolOf(SymbolKind::Other), 2, {}).next,
              probabilityChange);
}

TEST(MoneyCheck, PurchaseWhenTheSpinWouldLeaveNoBall) {
    EXPECT_TRUE(needsPurchase(10, 10));
    EXPECT_FALSE(needsPurchase(10.5, 10));
    EXPECT_TRUE(needsPurchase(0, 9.259259F));
}

} // namespace
} // namespace zelkora
