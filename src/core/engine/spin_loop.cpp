#include "engine/run_engine.h"
#include "results/distributions.h"

#include <limits>

namespace zelkora {

// The spin loop: day-end checks, the money check, the draw, the mode effects, the accounting
// and the yield, once per spin. Everything here touches typed members only; the fields follow
// in publish().
void RunEngine::デジパチ乱数発生() {
    while (!hitPending_) {
        if (stop_) {
            return;
        }
        if (dayClock_ >= timeLimit_) [[unlikely]] {
            endDayBy(BallRule::回転数終了);
        } else if (needsPurchase(money_.heldBalls, ballsPerSpin_)) [[unlikely]] {
            checkMoney();
        }
        if (stop_) [[unlikely]] {
            return;
        }
        drawSpin();
        playSpin();
        yield_();
        advanceHourBar();
    }
}

inline void RunEngine::drawSpin() {
    const bool plain = state_ == MachineState::確変 || !model_.commands.checked(Menu::MO_Prob);
    if (plain) [[likely]] {
        hitPending_ = isHit(spinProduct(random_.next(), countdownValue_, scaleTimesN_), scale_);
    } else {
        drawCorrectedSpin(random_.next());
    }
}

// The probability-convergence draw: every 20 × N spins drawn under it, C becomes N × N ÷ X
// for the shown spins per first hit X.
void RunEngine::drawCorrectedSpin(float draw) {
    ++correctionSpins_;
    if (static_cast<double>(correctionSpins_) == denominator_ * 20) {
        correctionSpins_ = 0;
        publish();
        if (auto recomputed = zelkora::correctedDenominator(
                denominator_, fields_.number(Field::初当たり確率表示))) {
            corrected_ = *recomputed;
            scaleTimesC_ = static_cast<double>(scale_) * corrected_;
        }
    }
    hitPending_ = isHit(spinProduct(draw, countdownValue_, scaleTimesC_), scale_);
}

inline void RunEngine::playSpin() {
    switch (state_) {
    case MachineState::通常:
        normalSpin();
        return;
    case MachineState::確変:
    case MachineState::次まで時短:
        shortSpin();
        return;
    case MachineState::時短:
        if (remainingShortSpins_ <= 0) {
            endShortTime();
            normalSpin();
        } else {
            --remainingShortSpins_;
            shortSpin();
        }
        return;
    }
}

inline void RunEngine::normalSpin() {
    ++pendingNormalSpins_;
    if (unitBalls_ > money_.heldBalls) {
        ++cashSpins_;
    } else {
        ++heldBallSpins_;
    }
    dayClock_ += conditions_.normalSpinSeconds;
    if (needsPurchase(money_.heldBalls, ballsPerSpin_)) {
        purchase();
    }
    money_.heldBalls -= ballsPerSpin_;
}

inline void RunEngine::shortSpin() {
    ++pendingShortSpins_;
    dayClock_ += conditions_.shortSpinSeconds;
}

// One unit bought before the spin's balls are taken. Under d4 = 1 the player who has played
// all held balls falls back to 交換.
void RunEngine::purchase() {
    if (conditions_.digits.d4 == 1) {
        rule_ = BallRule::交換;
        ruleBoxDirty_ = true;
    }
    const double unit = conditions_.money.unit;
    money_.heldBalls += unitBalls_;
    detailInvest_ = readBack(detailInvest_) + unit;
    dayInvest_ = readBack(dayInvest_) + unit;
    dayBalance_ = readBack(dayBalance_) - unit;
    money_.cumulativeBalance -= unit;
    investDirty_ = true;
}

// A 時短 that has run out: the streak is over and the spin counts as a normal one.
void RunEngine::endShortTime() {
    state_ = MachineState::通常;
    fields_.setText(Field::c大当り詳細_状態, stateBoxText(state_));
    pendingShortTime_ = false;
    model_.distributions.連荘分布記録(fields_, model_.charts.chart4);
    updateTimeLimit();
}

void RunEngine::checkMoney() {
    if (!purchaseRefused(conditions_.money, readBack(dayInvest_), readBack(dayBalance_))) {
        return;
    }
    publish();
    // The balls left, fewer than one spin's worth, are dropped.
    money_.heldBalls = 0;
    fields_.setText(Field::c大当り詳細_持玉数F, "0");
    endDayBy(BallRule::持金パンク);
}

void RunEngine::endDayBy(BallRule marker) {
    publish();
    rule_ = marker;
    fields_.setText(Field::c大当り詳細_ルール, ballRuleText(marker));
    日終了処理();
}

// The hour bar of the spin's slot shows the minutes. Only the last spin of each hour can
// leave a value the window sees, so the bar is written when the hour changes or at publish.
inline void RunEngine::advanceHourBar() {
    if (dayClock_ >= barHourEnd_) [[unlikely]] {
        if (barPending_) {
            showHourBar(barClock_);
        }
        barHourEnd_ = (fixPart(dayClock_ / kSecondsPerHour) + 1) * kSecondsPerHour;
    }
    barClock_ = dayClock_;
    barPending_ = true;
}

void RunEngine::showHourBar(double clock) {
    if (auto bar = conditions_.schedule.hourBar(clock)) {
        fields_.setNumber(progressBarField(bar->bar), bar->minutes);
    }
}

void RunEngine::updateTimeLimit() {
    switch (state_) {
    case MachineState::通常:
        timeLimit_ = dayLength_;
        return;
    case MachineState::確変:
    case MachineState::時短:
        timeLimit_ = dayLength_ + kGraceSeconds;
        return;
    case MachineState::次まで時短:
        // The day does not end by time until a big hit has changed the state.
        timeLimit_ = std::numeric_limits<double>::infinity();
        return;
    }
}

void RunEngine::publish() {
    if (pendingNormalSpins_ > 0) {
        const auto spins = static_cast<double>(pendingNormalSpins_);
        pendingNormalSpins_ = 0;
        fields_.add(Field::c日合計_回転数, spins);
        fields_.add(Field::c大当り詳細_回転数, spins);
        fields_.add(Field::総回転数表示, spins);
        const double total = fields_.number(Field::総回転数表示);
        fields_.setPattern(Field::持ち玉比率, static_cast<double>(heldBallSpins_) / total * 100,
                           Pattern::TwoDecimals);
        refresh初当たり確率(fields_);
        refresh確率(fields_);
        fields_.setNumber(Field::c大当り詳細_持玉数F, fixPart(money_.heldBalls));
    }
    if (pendingShortSpins_ > 0) {
        const auto spins = static_cast<double>(pendingShortSpins_);
        pendingShortSpins_ = 0;
        fields_.add(Field::総時短回転数表示, spins);
        fields_.add(Field::c大当り詳細_時短回転数, spins);
    }
    if (investDirty_) {
        investDirty_ = false;
        fields_.setNumber(Field::c大当り詳細_投資額F, detailInvest_);
        fields_.setNumber(Field::c日合計_投資額F, dayInvest_);
        fields_.setNumber(Field::c日合計_収支F, dayBalance_);
        showCumulativeBalance(fields_, money_.cumulativeBalance);
    }
    if (ruleBoxDirty_) {
        ruleBoxDirty_ = false;
        fields_.setText(Field::c大当り詳細_ルール, ballRuleText(BallRule::交換));
    }
    if (barPending_) {
        barPending_ = false;
        showHourBar(barClock_);
    }
}

// After a procedure that works on the fields, the spin loop takes their values back.
void RunEngine::adopt() {
    detailInvest_ = fields_.number(Field::c大当り詳細_投資額F);
    dayInvest_ = fields_.number(Field::c日合計_投資額F);
    dayBalance_ = fields_.number(Field::c日合計_収支F);
}

} // namespace zelkora
