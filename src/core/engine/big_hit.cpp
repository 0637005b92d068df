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
    const MachineState before = mode_.state;
    const bool firstHit = before == MachineState::通常;
    clock_.dayClock += kBigHitSeconds;
    symbolIndex_ =
        drawSymbolIndex(seams_.random.next(), seams_.timers.runSeconds(), conditions_.symbolCount);
    accumulator_.beginBigHit(firstHit);
    model_.fields.setText(Field::c大当り詳細_大当り, "した");
    showWinningSymbol();
    const SymbolInfo& symbol = symbols_[static_cast<std::size_t>(symbolIndex_)];
    money_.heldBalls += symbol.payout;
    model_.fields.setNumber(Field::c大当り詳細_持玉数F, fixPart(money_.heldBalls));
    advanceStreak(before);
    applyBallRule(symbol, firstHit);
    countModes(symbol, firstHit);
    appendResultRecord(nullptr);
    計算大当り詳細CLR(model_.fields);
    model_.fields.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
    // c大当り詳細_状態 would show the state before this hit until the transition below writes
    // the state after it, which it always does.
    model_.fields.setNumber(Field::c大当り詳細_日目, accumulator_.figures().day);
    changeMode(symbol);
    adopt();
    yield_();
    updateDenominator();
}

// Symbol convergence on every tenth hit, then the symbol's count and the symbol chart.
void RunEngine::showWinningSymbol() {
    const double totalHits = accumulator_.figures().bigHits;
    if (model_.commands.checked(Menu::MO_Pic) && totalHits / 10 == intPart(totalHits / 10)) {
        symbolIndex_ =
            model_.distributions.leastHitSymbol(static_cast<int>(conditions_.symbolCount));
    }
    accumulator_.countSymbol(symbolIndex_);
    model_.fields.setText(Field::c大当り詳細_当絵柄,
                          model_.symbols.names[static_cast<std::size_t>(symbolIndex_)]);
}

void RunEngine::advanceStreak(MachineState before) {
    streak_ = streakAfterHit(before, streak_);
    model_.fields.setNumber(Field::c大当り詳細_連荘, streak_);
    model_.distributions.setRunningStreak(streak_);
}

void RunEngine::applyBallRule(const SymbolInfo& symbol, bool firstHit) {
    switch (ballRuleAfterHit(rule_, symbol.rule, firstHit, conditions_.digits)) {
    case RuleOutcome::無制限:
        rule_ = BallRule::無制限;
        model_.fields.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
        return;
    case RuleOutcome::ラッキー:
        rule_ = BallRule::ラッキー;
        model_.fields.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
        return;
    case RuleOutcome::ExchangeStep:
        break;
    }
    const ExchangeStep step = exchangeStep(conditions_.schedule.isServiceTime(clock_.dayClock),
                                           conditions_.serviceTimeRule, rule_);
    rule_ = step.rule;
    if (step.serviceTime) {
        model_.fields.setText(Field::c大当り詳細_ルール, kServiceTimeBox);
        return;
    }
    model_.fields.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
    交換精算(model_.fields, money_, accumulator_);
}

// First hits into 確変 and 時短 entries, and their rates.
void RunEngine::countModes(const SymbolInfo& symbol, bool firstHit) {
    const bool untilNextHit = symbol.kind == SymbolKind::次まで時短;
    const bool grantsSpins = symbol.shortTimeSpins > 0;
    const int firstHit時短Entries =
        firstHit ? static_cast<int>(grantsSpins) + static_cast<int>(untilNextHit) : 0;
    accumulator_.countModeEntries(firstHit && symbol.kind == SymbolKind::確変,
                                  untilNextHit || grantsSpins, firstHit時短Entries);
}

// The state the symbol leaves, the rates, and the streak recorded when the
// machine is back in 通常.
void RunEngine::changeMode(const SymbolInfo& symbol) {
    const TransitionResult result = transition(mode_, symbol, streak_, conditions_.limiter);
    mode_ = result.next;
    model_.fields.setText(Field::c大当り詳細_状態, stateBoxText(mode_.state));
    accumulator_.countStateEntry(result.entered確変);
    if (mode_.state == MachineState::通常) {
        accumulator_.endStreak();
    }
    updateTimeLimit();
}

// The denominator follows the state, and no hit is pending.
void RunEngine::updateDenominator() {
    lottery_.denominator =
        mode_.state == MachineState::確変 ? conditions_.probability / 6 : conditions_.probability;
    lottery_.scaleTimesN = static_cast<double>(lottery_.scale) * lottery_.denominator;
    hitPending_ = false;
}

} // namespace zelkora
