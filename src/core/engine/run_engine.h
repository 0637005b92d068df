#pragma once

#include "common/error.h"
#include "engine/lottery.h"
#include "engine/machine_state.h"
#include "engine/money.h"
#include "engine/run_conditions.h"
#include "files/run_working_copy.h"
#include "model/main_window_model.h"
#include "platform/platform.h"
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

// What a run needs from outside the core.
struct RunSeams {
    UserInterface& ui;
    EventPump& pump;
    RunTimers& timers;
    RandomStream& random; // the window's one generator, never re-seeded between runs
    RunWorkingCopy& workingCopy;
};

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
    RunEngine(MainWindowModel& model, RunSeams seams);
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
    double denominator() const { return denominator_; }
    double correctedDenominator() const { return corrected_; }
    std::int64_t heldBallSpins() const { return heldBallSpins_; }
    std::int64_t cashSpins() const { return cashSpins_; }
    // The text of the last message box the run showed.
    const std::string& messageText() const { return messageText_; }
    // Whether the last MK_Start got as far as playing: its conditions were accepted and the
    // working copy recreated. A Start that failed before leaves the working copy as it was.
    bool played() const { return played_; }

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
    double readBack(double shown) const { return unitIntegral_ ? shown : plainValue(shown); }

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

    MainWindowModel& model_;
    FieldStore& fields_;
    UserInterface& ui_;
    RunTimers& timers_;
    RandomStream& random_;
    RunWorkingCopy& workingCopy_;
    PublishingPump pump_;
    YieldPoint yield_;

    // Hot state of the spin loop.
    bool hitPending_ = false; // lottery value ≤ lottery scale
    bool stop_ = false;
    MachineState state_ = MachineState::通常;
    std::int32_t scale_ = 0;
    double countdownValue_ = 0; // T as the draws use it
    double scaleTimesN_ = 0;
    double scaleTimesC_ = 0;
    double dayClock_ = 0;
    double timeLimit_ = 0; // the day clock at which the day ends in the current state
    double ballsPerSpin_ = 0;
    double unitBalls_ = 0;             // 条件_投資単位 ÷ 4
    std::int64_t purchaseSpacing_ = 0; // normal spins from one purchase to the next at least
    Money money_;
    FigureAccumulator accumulator_;       // the counts and sums of the verification
    std::int64_t flushedNormalSpins_ = 0; // held-ball and cash spins already in the fields
    std::int64_t pendingShortSpins_ = 0;
    std::int64_t heldBallSpins_ = 0;
    std::int64_t cashSpins_ = 0;
    std::int32_t remainingShortSpins_ = 0;
    double barHourEnd_ = 0; // the day clock at which the hour of the last bar ends
    double barClock_ = -1;  // the day clock of the last spin's hour bar; negative when shown
    bool ruleBoxDirty_ = false;
    bool unitIntegral_ = true;
    double detailInvest_ = 0;          // c大当り詳細_投資額F
    std::int64_t correctionSpins_ = 0; // K

    // The rest of the run variables.
    RunConditions conditions_;
    std::array<SymbolInfo, kSymbolTableCapacity> symbols_{};
    BallRule rule_ = BallRule::交換;
    bool pendingShortTime_ = false;
    std::int32_t streak_ = 1;
    std::int32_t dayLength_ = 0;
    int countdown_ = 0;
    double denominator_ = 0; // N
    double corrected_ = 0;   // C
    int symbolIndex_ = 0;
    bool workingCopyOpen_ = false;
    bool played_ = false;
    std::optional<Error> failure_; // what ended the run early
    std::string messageText_;
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
