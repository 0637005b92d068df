// RunEngine, the big hit (デジパチ大当たり待ち's second half): the first-hit figures, the
// winning symbol and its payout, the streak and the limiter, the ball rule, the 確変 and 時短
// counts and rates, the mode the symbol leaves and the denominator that follows it.

#include "common/error.h"
#include "engine/ball_rules.h"
#include "engine/run_engine.h"
#include "engine/state_transition.h"
#include "results/distributions.h"

namespace zelkora {

void RunEngine::デジパチ大当たり待ち() {
    デジパチ乱数発生();
    if (stop_) {
        return;
    }
    processBigHit();
}

void RunEngine::processBigHit() {
    flushSpins();
    const MachineState before = state_;
    const bool firstHit = before == MachineState::通常;
    dayClock_ += kBigHitSeconds;
    symbolIndex_ = drawSymbolIndex(random_.next(), timers_.runSeconds(), conditions_.symbolCount);
    model_.distributions.countBlockHit();
    if (firstHit) {
        countFirstHit();
    }
    refresh最大はまり(fields_, lastFirstHitGap_);
    fields_.add(Field::総大当り数表示, 1);
    fields_.setText(Field::c大当り詳細_大当り, "した");
    showWinningSymbol();
    const SymbolInfo& symbol = symbols_[static_cast<std::size_t>(symbolIndex_)];
    fields_.add(Field::c日合計_大当り数, 1);
    money_.heldBalls += symbol.payout;
    fields_.setNumber(Field::c大当り詳細_持玉数F, fixPart(money_.heldBalls));
    advanceStreak(before);
    applyBallRule(symbol, firstHit);
    countModes(symbol, firstHit);
    appendResultRecord(nullptr);
    計算大当り詳細CLR(fields_);
    fields_.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
    // c大当り詳細_状態 would show the state before this hit until the transition below writes
    // the state after it, which it always does.
    fields_.setText(Field::c大当り詳細_日目, fields_.text(Field::c日合計_日目));
    changeMode(symbol);
    adopt();
    yield_();
    updateDenominator();
}

// A hit in 通常 is a first hit; its gap goes into the block and the spin-count
// distribution.
void RunEngine::countFirstHit() {
    fields_.add(Field::初当たり数表示, 1);
    const double totalSpins = fields_.number(Field::総回転数表示);
    lastFirstHitGap_ = totalSpins - firstHitMark_;
    firstHitMark_ = totalSpins;
    DistributionCounters& distributions = model_.distributions;
    zelkora::countBlockFirstHit(distributions, totalSpins, model_.charts.chart5);
    distributions.classifyFirstHitGap(lastFirstHitGap_, conditions_.probability);
    spinDistributionDirty_ = true;
}

// Symbol convergence on every tenth hit, then the symbol's count and the symbol chart.
void RunEngine::showWinningSymbol() {
    const double totalHits = fields_.number(Field::総大当り数表示);
    DistributionCounters& distributions = model_.distributions;
    if (model_.commands.checked(Menu::MO_Pic) && totalHits / 10 == intPart(totalHits / 10)) {
        symbolIndex_ = distributions.leastHitSymbol(static_cast<int>(conditions_.symbolCount));
    }
    distributions.countSymbolHit(symbolIndex_);
    fields_.setText(Field::c大当り詳細_当絵柄,
                    model_.symbols.names[static_cast<std::size_t>(symbolIndex_)]);
    symbolSharesDirty_ = true;
}

void RunEngine::advanceStreak(MachineState before) {
    streak_ = streakAfterHit(before, streak_);
    fields_.setNumber(Field::c大当り詳細_連荘, streak_);
    model_.distributions.setRunningStreak(streak_);
}

void RunEngine::applyBallRule(const SymbolInfo& symbol, bool firstHit) {
    switch (ballRuleAfterHit(rule_, symbol.rule, firstHit, conditions_.digits)) {
    case RuleOutcome::無制限:
        rule_ = BallRule::無制限;
        fields_.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
        return;
    case RuleOutcome::ラッキー:
        rule_ = BallRule::ラッキー;
        fields_.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
        return;
    case RuleOutcome::ExchangeStep:
        break;
    }
    const ExchangeStep step = exchangeStep(conditions_.schedule.isServiceTime(dayClock_),
                                           conditions_.serviceTimeRule, rule_);
    rule_ = step.rule;
    if (step.serviceTime) {
        fields_.setText(Field::c大当り詳細_ルール, kServiceTimeBox);
        return;
    }
    fields_.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
    交換精算(fields_, money_);
}

// First hits into 確変 and 時短 entries, and their rates.
void RunEngine::countModes(const SymbolInfo& symbol, bool firstHit) {
    if (firstHit && symbol.kind == SymbolKind::確変) {
        fields_.add(Field::初当り確変数表示, 1);
    }
    refresh初当り確変率(fields_);
    if (symbol.kind == SymbolKind::次まで時短 || symbol.shortTimeSpins > 0) {
        fields_.add(Field::総時短数表示, 1);
    }
    if (firstHit && symbol.shortTimeSpins > 0) {
        fields_.add(Field::初当り時短数表示, 1);
    }
    if (firstHit && symbol.kind == SymbolKind::次まで時短) {
        fields_.add(Field::初当り時短数表示, 1);
    }
    refresh総時短率(fields_);
    refresh初当り時短率(fields_);
}

// The state the symbol leaves, the rates, and the streak recorded when the
// machine is back in 通常.
void RunEngine::changeMode(const SymbolInfo& symbol) {
    const TransitionResult result = transition({state_, pendingShortTime_, remainingShortSpins_},
                                               symbol, streak_, conditions_.limiter);
    state_ = result.next.state;
    pendingShortTime_ = result.next.pendingShortTime;
    remainingShortSpins_ = result.next.remainingShortSpins;
    fields_.setText(Field::c大当り詳細_状態, stateBoxText(state_));
    if (result.entered確変) {
        fields_.add(Field::確変数表示, 1);
    }
    refresh確変率(fields_);
    refresh平均連荘(fields_);
    if (state_ == MachineState::通常) {
        countStreak();
    }
    updateTimeLimit();
}

// 連荘分布記録. Its boxes and chart show the streak counters over the first hits of the moment,
// so they are refreshed at publish() with the first hits counted here. Without a first hit the
// share would fail at once, as it does here.
void RunEngine::countStreak() {
    const double firstHits = fields_.number(Field::初当たり数表示);
    if (!(firstHits > 0)) {
        streakDistributionDirty_ = false;
        連荘分布記録(model_.distributions, fields_, model_.charts.chart4);
        return;
    }
    model_.distributions.countRunningStreak();
    streakFirstHits_ = firstHits;
    streakDistributionDirty_ = true;
}

// The denominator follows the state, and no hit is pending.
void RunEngine::updateDenominator() {
    denominator_ =
        state_ == MachineState::確変 ? conditions_.probability / 6 : conditions_.probability;
    scaleTimesN_ = static_cast<double>(scale_) * denominator_;
    hitPending_ = false;
}

} // namespace zelkora
