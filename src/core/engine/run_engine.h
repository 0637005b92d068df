#pragma once

#include "common/error.h"
#include "engine/lottery.h"
#include "engine/machine_state.h"
#include "engine/money.h"
#include "engine/repeated_sum.h"
#include "engine/run_conditions.h"
#include "engine/state_transition.h"
#include "files/run_working_copy.h"
#include "model/main_window_model.h"
#include "platform/platform.h"
#include "platform/platform_seams.h"
#include "platform/random_stream.h"
#include "platform/yield_point.h"
#include "results/figure_accumulator.h"
#include "results/statistics.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace zelkora {

// The simulation engine: MK_Start plays the open verification from its first day to its last
// (or to MK_Cancel), spin by spin, on the window model.
//
// The spin loop keeps everything a spin changes in typed members: the spin counters, the held
// balls, the day's investment and balance, the hour bar. Those reach the display fields when
// the window can look at them (each time the pump really processes events) and before any
// procedure that reads the fields (a big hit, a day end, Cancel). A field never shows a value
// that the per-spin writes would not have shown; it only skips the writes nobody could see.
class RunEngine {
public:
    // The run writes its records to `workingCopy`: the window's file, or a copy in memory.
    RunEngine(MainWindowModel& model, const PlatformSeams& seams, RunWorkingCopy& workingCopy);
    RunEngine(const RunEngine&) = delete;
    RunEngine& operator=(const RunEngine&) = delete;
    ~RunEngine();

    // The run command: plays the whole verification before it returns, yielding inside. Fails
    // when the conditions cannot be played (nothing started) or when a fault ended the run (an
    // overflow, a record that could not be written); what was recorded until then stays, and
    // the commands floor tells the user.
    Status MK_Start();
    // The cancel command, called by the window during a yield of a run.
    void MK_Cancel();

    // Plays spins until a big hit and processes it.
    void デジパチ大当たり待ち();
    // Plays spins until one hits or the run stops.
    void デジパチ乱数発生();
    // Closes the day: exchange, day figures, day-end record, then the next day or the end.
    void 日終了処理();

    // Brings the display fields, charts and distribution boxes up to the last spin.
    void publish();

    // The lottery's denominators and the spins by how they were paid for.
    double denominator() const { return lottery_.denominator; }
    double correctedDenominator() const { return lottery_.corrected; }
    std::int64_t heldBallSpins() const { return spins_.heldBall; }
    std::int64_t cashSpins() const { return spins_.cash; }
    // The text of the last message box the run showed.
    const std::string& messageText() const { return outcome_.messageText; }
    // Whether the last MK_Start got as far as playing: its conditions were accepted and the
    // working copy recreated. A Start that failed before leaves the working copy as it was.
    bool played() const { return outcome_.played; }

private:
    class PublishingPump final : public EventPump {
    public:
        PublishingPump(RunEngine& engine, EventPump& inner) : engine_(engine), inner_(inner) {}
        std::uint32_t processEvents() override;

    private:
        RunEngine& engine_;
        EventPump& inner_;
    };

    // Start (run_start.cpp).
    void prepareWindow();
    void resetRunVariables(const RunConditions& atClick);
    bool loadAndRecreate(const RunConditions& atClick);
    void clearFigures();
    void enterRunMode();
    void leaveRunMode();
    Status finishRun();
    void showMessage(std::string text, std::string_view title, MessageIcon icon);

    // Spin loop (spin_loop.cpp). The loop works on a copy of the members it reads and writes,
    // held in registers; the members are the truth whenever anything else runs.
    struct HotState {
        // Changed by spins.
        double dayClock;
        double heldBalls;
        std::int64_t pendingShortSpins;
        std::int64_t heldBallSpins;
        std::int64_t cashSpins;
        std::int32_t remainingShortSpins;
        double barClock; // negative while no spin awaits its hour bar
        double barHourEnd;
        bool hitPending;
        // Changed only by what runs outside the loop body (a day end, a yield, Cancel).
        bool stop;
        bool probabilityConvergence; // MO_Prob
        MachineState state;
        double timeLimit;
        double scaleTimesN;
        double scaleTimesC;
    };
    HotState takeHot() const;
    void putHot(const HotState& hot);
    void playOneSpin(HotState& hot);
    bool playQuietSpins(HotState& hot);
    std::int64_t quietSpinLimit(const HotState& hot) const;
    std::int64_t normalSpinLimit(double heldBalls, std::int64_t wanted) const;
    std::int64_t affordablePurchases() const;
    void drawSpin(HotState& hot);
    void recomputeCorrectedDenominator();
    void playSpin(HotState& hot, bool purchaseDue);
    void normalSpin(HotState& hot, bool purchaseDue);
    void purchase(HotState& hot);
    void chargePurchases(std::int64_t count);
    void endShortTime();
    bool checkMoney(); // true when the day ended by 持金パンク
    void endDayBy(BallRule marker);
    void advanceHourBar(HotState& hot);
    void showHourBar(double clock);
    void updateTimeLimit();
    void adopt();
    void flushSpins();
    double readBack(double shown) const { return costs_.unitIntegral ? shown : plainValue(shown); }

    // Big hit (big_hit.cpp).
    void processBigHit();
    void showWinningSymbol();
    void advanceStreak(MachineState before);
    void applyBallRule(const SymbolInfo& symbol, bool firstHit);
    void countModes(const SymbolInfo& symbol, bool firstHit);
    void changeMode(const SymbolInfo& symbol);
    void updateDenominator();

    // Day end and records (day_end.cpp).
    void closeLastDay();
    void closeOtherDay(double day);
    void beginNextDay(double day);
    void appendResultRecord(const std::string* heldBallsText);
    void cancelRun();

    // The lottery as the draws use it.
    struct LotteryState {
        std::int32_t scale = 0;    // the lottery scale drawn at Start
        int countdown = 0;         // Timer3's counter at Start
        double countdownValue = 0; // T as the draws use it
        double denominator = 0;    // N, following the state
        double corrected = 0;      // C, the corrected denominator of MO_Prob
        double scaleTimesN = 0;
        double scaleTimesC = 0;
        std::int64_t correctionSpins = 0; // K, spins drawn under C since it was last computed
    };
    // The day's play time and the hour bar of the last spin.
    struct PlayClock {
        double dayClock = 0;
        double timeLimit = 0; // the day clock at which the day ends in the current state
        std::int32_t dayLength = 0;
        double barHourEnd = 0; // the day clock at which the hour of the last bar ends
        double barClock = -1;  // the day clock of the last spin's hour bar; negative when shown
    };
    // The spins by how they were paid for, and those not yet in the fields.
    struct SpinCounts {
        std::int64_t heldBall = 0;
        std::int64_t cash = 0;
        std::int64_t flushedNormal = 0; // held-ball and cash spins already in the fields
        std::int64_t pendingShort = 0;  // time-saving spins not yet in the fields
    };
    // What a spin and a purchase cost in balls.
    struct BallCosts {
        double ballsPerSpin = 0;
        double unitBalls = 0;             // 条件_投資単位 ÷ 4
        std::int64_t purchaseSpacing = 0; // normal spins from one purchase to the next at least
        bool unitIntegral = true;         // the unit is whole yen, so sums read back exactly
    };
    // The fixed steps of quiet runs, each keeping its whole ulps in the binade it met last.
    struct QuietSteps {
        RepeatedStep normalSeconds;
        RepeatedStep shortSeconds;
        RepeatedStep spentBalls; // minus a spin's balls
    };
    // How the last Start ended.
    struct RunOutcome {
        bool workingCopyOpen = false;
        bool played = false;
        std::optional<Error> failure; // what ended the run early
        std::string messageText;      // the last message box's text
    };

    MainWindowModel& model_;
    PlatformSeams seams_;
    RunWorkingCopy& workingCopy_;
    PublishingPump pump_;
    YieldPoint yield_;

    // Hot state of the spin loop.
    bool hitPending_ = false; // lottery value ≤ lottery scale
    bool stop_ = false;
    LotteryState lottery_;
    PlayClock clock_;
    BallCosts costs_;
    QuietSteps quietSteps_;
    Money money_;
    SpinCounts spins_;
    ModeState mode_;
    bool ruleBoxDirty_ = false;
    double detailInvest_ = 0;       // c大当り詳細_投資額F
    FigureAccumulator accumulator_; // the counts and sums of the verification

    // The rest of the run variables.
    RunConditions conditions_;
    std::array<SymbolInfo, kSymbolTableCapacity> symbols_{};
    BallRule rule_ = BallRule::交換;
    std::int32_t streak_ = 1;
    int symbolIndex_ = 0;
    RunOutcome outcome_;
};

inline constexpr std::string_view kRunEndMessage = "検証は終了しました。お疲れ様でした。";
inline constexpr std::string_view kRunEndTitle = "検証終了";
inline constexpr std::string_view kRunCancelMessage =
    "検証はキャンセルされました。お疲れ様でした。";
inline constexpr std::string_view kRunCancelTitle = "検証キャンセル";
inline constexpr std::string_view kRunningAction = "検証中.....";
inline constexpr std::string_view kRemainingPanel = "残り";
inline constexpr std::string_view kDayLabelSuffix = "　日目";

// The highest result-record count whose record number (count + 100) fits 32 bits.
inline constexpr std::int32_t kMaxResultRecords = std::numeric_limits<std::int32_t>::max() - 100;

} // namespace zelkora
