// RunEngine, the spin loop (デジパチ乱数発生): the draw of each spin, the mode effects, ball and
// money accounting, the day clock and hour bars, the yields, and publishing the figures the
// loop keeps in registers.

#include "engine/quiet_spins.h"
#include "engine/run_engine.h"
#include "results/distributions.h"

#include <cmath>
#include <limits>

namespace zelkora {

// The spin loop: day-end checks, the money check, the draw, the mode effects, the accounting
// and the yield, once per spin. A spin touches only the hot state; the fields follow in
// flushSpins(), which runs before the pump processes events and before every big hit or day
// end. Whatever can change the members (a day end, the money check, the end of a 時短, the
// recomputed denominator, the pump) runs with the hot state put back and taken again after.
// Between such events the spins are quiet and are played as one run (quiet_spin_runs.cpp).
void RunEngine::デジパチ乱数発生() {
    HotState hot = takeHot();
    while (!hot.hitPending && !hot.stop) {
        if (!playQuietSpins(hot)) {
            playOneSpin(hot);
        }
    }
    putHot(hot);
}

// One spin with every check, as the loop plays the spins next to an event.
void RunEngine::playOneSpin(HotState& hot) {
    // The money check and the purchase of a normal spin ask the same question of the same
    // held balls: a spin that needs a purchase.
    const bool purchaseDue = needsPurchase(hot.heldBalls, costs_.ballsPerSpin);
    // A day end makes the next spin the new day's first, which the loop's next pass plays and
    // checks as such, so its purchase is held to the new day's cap like any other (and after
    // the last day the loop ends).
    if (hot.dayClock >= hot.timeLimit) [[unlikely]] {
        putHot(hot);
        endDayBy(BallRule::回転数終了);
        hot = takeHot();
        return;
    }
    if (purchaseDue) [[unlikely]] {
        putHot(hot);
        const bool busted = checkMoney();
        hot = takeHot();
        if (busted) {
            return; // the day ended by 持金パンク; the next day starts on the next pass
        }
    }
    drawSpin(hot);
    playSpin(hot, purchaseDue);
    if (yield_.due()) [[unlikely]] {
        putHot(hot);
        yield_();
        hot = takeHot();
    } else {
        yield_();
    }
    advanceHourBar(hot);
}

RunEngine::HotState RunEngine::takeHot() const {
    return {clock_.dayClock,
            money_.heldBalls,
            spins_.pendingShort,
            spins_.heldBall,
            spins_.cash,
            mode_.remainingShortSpins,
            clock_.barClock,
            clock_.barHourEnd,
            hitPending_,
            stop_,
            model_.commands.checked(Menu::MO_Prob),
            mode_.state,
            clock_.timeLimit,
            lottery_.scaleTimesN,
            lottery_.scaleTimesC};
}

void RunEngine::putHot(const HotState& hot) {
    clock_.dayClock = hot.dayClock;
    money_.heldBalls = hot.heldBalls;
    spins_.pendingShort = hot.pendingShortSpins;
    spins_.heldBall = hot.heldBallSpins;
    spins_.cash = hot.cashSpins;
    mode_.remainingShortSpins = hot.remainingShortSpins;
    clock_.barClock = hot.barClock;
    clock_.barHourEnd = hot.barHourEnd;
    hitPending_ = hot.hitPending;
}

// The plain draw, or in 通常, 時短 and 次まで時短 with MO_Prob checked the corrected one: after
// every 20 × N spins drawn under it, C becomes N × N ÷ X for the shown spins per first hit X.
inline void RunEngine::drawSpin(HotState& hot) {
    if (hot.state == MachineState::確変 || !hot.probabilityConvergence) [[likely]] {
        hot.hitPending =
            isHit(spinProduct(seams_.random.next(), lottery_.countdownValue, hot.scaleTimesN),
                  lottery_.scale);
        return;
    }
    ++lottery_.correctionSpins;
    if (static_cast<double>(lottery_.correctionSpins) == lottery_.denominator * 20) [[unlikely]] {
        lottery_.correctionSpins = 0;
        putHot(hot);
        recomputeCorrectedDenominator();
        hot = takeHot();
    }
    hot.hitPending =
        isHit(spinProduct(seams_.random.next(), lottery_.countdownValue, hot.scaleTimesC),
              lottery_.scale);
}

void RunEngine::recomputeCorrectedDenominator() {
    flushSpins();
    // The correction reads the first-hit probability as its box shows it.
    accumulator_.show();
    if (auto recomputed = zelkora::correctedDenominator(
            lottery_.denominator, model_.fields.number(Field::初当たり確率表示))) {
        lottery_.corrected = *recomputed;
        lottery_.scaleTimesC = static_cast<double>(lottery_.scale) * lottery_.corrected;
    }
}

inline void RunEngine::playSpin(HotState& hot, bool purchaseDue) {
    switch (hot.state) {
    case MachineState::通常:
        normalSpin(hot, purchaseDue);
        return;
    case MachineState::時短:
        if (hot.remainingShortSpins <= 0) [[unlikely]] {
            putHot(hot);
            endShortTime();
            hot = takeHot();
            normalSpin(hot, purchaseDue);
            return;
        }
        --hot.remainingShortSpins;
        break;
    case MachineState::確変:
    case MachineState::次まで時短:
        break;
    }
    // A time-saving spin uses no balls and invests nothing.
    ++hot.pendingShortSpins;
    hot.dayClock += conditions_.shortSpinSeconds;
}

inline void RunEngine::normalSpin(HotState& hot, bool purchaseDue) {
    if (costs_.unitBalls > hot.heldBalls) {
        ++hot.cashSpins;
    } else {
        ++hot.heldBallSpins;
    }
    hot.dayClock += conditions_.normalSpinSeconds;
    if (purchaseDue) [[unlikely]] {
        purchase(hot);
    }
    hot.heldBalls -= costs_.ballsPerSpin;
}

// One unit bought before the spin's balls are taken. Under d4 = 1 the player who has played
// all held balls falls back to 交換.
inline void RunEngine::purchase(HotState& hot) {
    hot.heldBalls += costs_.unitBalls;
    chargePurchases(1);
}

void RunEngine::chargePurchases(std::int64_t count) {
    if (conditions_.digits.d4 == 1) {
        rule_ = BallRule::交換;
        ruleBoxDirty_ = true;
    }
    const double unit = conditions_.money.unit;
    const Figures& figures = accumulator_.figures();
    // Whole numbers below 2^52 all along: every sum is exact, so count units at once give what
    // count additions give.
    const bool whole = count > 1 && count < (std::int64_t{1} << 20) && costs_.unitIntegral &&
                       std::fabs(unit) < 0x1p30 && isModestWholeNumber(detailInvest_) &&
                       isModestWholeNumber(figures.dayTotals.investment) &&
                       isModestWholeNumber(figures.dayTotals.balance) &&
                       isModestWholeNumber(figures.cumulativeBalance);
    accumulator_.invest(unit, count, whole);
    if (whole) {
        detailInvest_ += unit * static_cast<double>(count);
        return;
    }
    for (std::int64_t purchase = 0; purchase < count; ++purchase) {
        detailInvest_ = readBack(detailInvest_) + unit;
    }
}

// A 時短 that has run out: the streak is over and the spin counts as a normal one.
void RunEngine::endShortTime() {
    mode_.state = MachineState::通常;
    model_.fields.setText(Field::c大当り詳細_状態, stateBoxText(mode_.state));
    mode_.pendingShortTime = false;
    accumulator_.endStreak();
    updateTimeLimit();
}

bool RunEngine::checkMoney() {
    const DayTotals& day = accumulator_.figures().dayTotals;
    if (!purchaseRefused(conditions_.money, readBack(day.investment), readBack(day.balance))) {
        return false;
    }
    flushSpins();
    // The balls left, fewer than one spin's worth, are dropped.
    money_.heldBalls = 0;
    model_.fields.setText(Field::c大当り詳細_持玉数F, "0");
    endDayBy(BallRule::持金パンク);
    return true;
}

void RunEngine::endDayBy(BallRule marker) {
    flushSpins();
    rule_ = marker;
    model_.fields.setText(Field::c大当り詳細_ルール, ballRuleText(marker));
    日終了処理();
}

// The hour bar of the spin's slot shows the minutes. Only the last spin of each hour can
// leave a value the window sees, so the bar is written when the hour changes or at publish().
inline void RunEngine::advanceHourBar(HotState& hot) {
    if (hot.dayClock >= hot.barHourEnd) [[unlikely]] {
        if (hot.barClock >= 0) {
            showHourBar(hot.barClock);
        }
        hot.barHourEnd = (fixPart(hot.dayClock / kSecondsPerHour) + 1) * kSecondsPerHour;
    }
    hot.barClock = hot.dayClock;
}

void RunEngine::showHourBar(double clock) {
    if (auto bar = conditions_.schedule.hourBar(clock)) {
        model_.fields.setNumber(progressBarField(bar->bar), bar->minutes);
    }
}

void RunEngine::updateTimeLimit() {
    switch (mode_.state) {
    case MachineState::通常:
        clock_.timeLimit = clock_.dayLength;
        return;
    case MachineState::確変:
    case MachineState::時短:
        clock_.timeLimit = clock_.dayLength + kGraceSeconds;
        return;
    case MachineState::次まで時短:
        // The day does not end by time until a big hit has changed the state.
        clock_.timeLimit = std::numeric_limits<double>::infinity();
        return;
    }
}

void RunEngine::flushSpins() {
    const std::int64_t normalSpins = spins_.heldBall + spins_.cash;
    if (normalSpins > spins_.flushedNormal) {
        const auto spins = static_cast<double>(normalSpins - spins_.flushedNormal);
        spins_.flushedNormal = normalSpins;
        accumulator_.addDaySpins(spins);
        model_.fields.add(Field::c大当り詳細_回転数, spins);
        accumulator_.addTotalSpins(spins);
        const double total = plainValue(accumulator_.figures().totalSpins);
        model_.fields.setPattern(Field::持ち玉比率,
                                 static_cast<double>(spins_.heldBall) / total * 100,
                                 Pattern::TwoDecimals);
        accumulator_.refreshProbabilities();
        model_.fields.setNumber(Field::c大当り詳細_持玉数F, fixPart(money_.heldBalls));
    }
    if (spins_.pendingShort > 0) {
        const auto spins = static_cast<double>(spins_.pendingShort);
        spins_.pendingShort = 0;
        model_.fields.add(Field::総時短回転数表示, spins);
        model_.fields.add(Field::c大当り詳細_時短回転数, spins);
    }
    model_.fields.setNumber(Field::c大当り詳細_投資額F, detailInvest_);
    if (ruleBoxDirty_) {
        ruleBoxDirty_ = false;
        model_.fields.setText(Field::c大当り詳細_ルール, ballRuleText(BallRule::交換));
    }
}

// After a procedure that clears the detail strip, the spin loop takes its investment back.
void RunEngine::adopt() {
    detailInvest_ = model_.fields.number(Field::c大当り詳細_投資額F);
}

void RunEngine::publish() {
    flushSpins();
    // No procedure reads the hour bars, and a day end sets them all to 0, so the last spin's
    // bar is shown only here and when its hour ends.
    if (clock_.barClock >= 0) {
        showHourBar(clock_.barClock);
        clock_.barClock = -1;
    }
    // The figures and the distributions are views of counts; they are written when someone
    // can see them. A Start that failed before playing counted nothing, and the window keeps
    // the figures it showed.
    if (outcome_.played) {
        accumulator_.showDistributions();
    }
}

} // namespace zelkora
