#include "common/error.h"
#include "engine/state_transition.h"
#include "messages/error_messages.h"
#include "results/grids_and_charts.h"
#include "run_harness.h"

#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

const auto& column = RunHarness::column;

// A cap high enough that a day without hits ends by time, not by money.
void withoutMoneyLimit(RunHarness& run) {
    run.set(Field::条件_投資上限日, "500000");
}

TEST(RunLifecycle, OneDayWithoutAHitEndsByTimeWithOneRecord) {
    RunHarness run;
    withoutMoneyLimit(run);
    run.scriptStart();
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 1U);
    const auto& day = run.record(1);
    EXPECT_EQ(column(day, kRule), "回転数終了");
    EXPECT_EQ(column(day, kBigHit), "--");
    EXPECT_EQ(column(day, kDay), "1");
    EXPECT_EQ(column(day, kSpins), "2880"); // 8 hours of 10-second spins
    // 214 units of 125 balls for 26667 balls played; the 83 left are exchanged.
    EXPECT_EQ(column(day, kInvestment), "107000");
    EXPECT_EQ(column(day, kExchanged), "83");
    EXPECT_EQ(column(day, kHeldBalls), "0");
    EXPECT_EQ(run.workingCopy.recordNumbers, (std::vector<std::int32_t>{101}));
    EXPECT_EQ(run.random.draws, 2 + 2880);
    EXPECT_EQ(run.field(Field::総回転数表示), "2880");
    EXPECT_EQ(run.field(Field::負け数表示), "1");
    EXPECT_EQ(run.field(Field::勝率表示), "0");
    EXPECT_EQ(run.field(Field::平均収支表示), "-106793");
}

TEST(RunLifecycle, NormalEndShowsTheEndMessageAndRestoresTheWindow) {
    RunHarness run;
    run.scriptStart();
    run.start();

    ASSERT_EQ(run.ui.messages.size(), 1U);
    EXPECT_EQ(run.ui.messages[0].text, kRunEndMessage);
    EXPECT_EQ(run.ui.messages[0].title, kRunEndTitle);
    EXPECT_EQ(run.ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(run.engine.messageText(), kRunEndMessage);
    EXPECT_EQ(run.ui.beeps, 1);
    EXPECT_EQ(run.ui.pointers,
              (std::vector<PointerShape>{PointerShape::Hourglass, PointerShape::Hourglass,
                                         PointerShape::Default, PointerShape::ArrowHourglass,
                                         PointerShape::Default}));
    EXPECT_EQ(run.model.window.running, 0);
    EXPECT_TRUE(run.model.window.unsaved);
    EXPECT_TRUE(run.model.commands.enabled(Menu::MK_Start));
    EXPECT_TRUE(run.model.commands.enabled(Menu::MF_Open));
    EXPECT_FALSE(run.model.commands.enabled(Menu::MK_Cancel));
    EXPECT_FALSE(run.model.commands.buttonEnabled(12));
    EXPECT_TRUE(run.timers.countdownEnabled);
    EXPECT_EQ(run.timers.intervalMilliseconds, 1);
    EXPECT_EQ(run.timers.resets, 1);
    EXPECT_TRUE(run.model.runArea.expVisible);
    EXPECT_FALSE(run.model.runArea.picture3Visible);
    EXPECT_FALSE(run.model.runArea.progressBar1Visible);
    EXPECT_EQ(run.field(Field::action表示), "");
    EXPECT_FALSE(run.workingCopy.open);
}

TEST(RunLifecycle, WindowIsInRunModeWhileTheRunYields) {
    RunHarness run;
    run.scriptStart();
    bool cancelEnabled = false;
    bool openEnabled = true;
    std::string action;
    run.pump.callAfter(10, [&] {
        cancelEnabled = run.model.commands.enabled(Menu::MK_Cancel);
        openEnabled = run.model.commands.enabled(Menu::MF_Open);
        action = run.field(Field::action表示);
        EXPECT_FALSE(run.timers.countdownEnabled);
        EXPECT_TRUE(run.model.runArea.picture3Visible);
        EXPECT_EQ(run.model.window.running, 1);
        EXPECT_EQ(run.field(Field::date), "1　日目");
    });
    run.start();
    EXPECT_TRUE(cancelEnabled);
    EXPECT_FALSE(openEnabled);
    EXPECT_EQ(action, kRunningAction);
}

TEST(RunLifecycle, CancelWritesOneRecordAndShowsOnlyTheCancelMessage) {
    RunHarness run;
    run.set(Field::条件_何日分, "3");
    run.scriptStart();
    run.pump.callAfter(100, [&] { run.engine.MK_Cancel(); });
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 1U);
    EXPECT_EQ(column(run.record(1), kRule), "キャンセル");
    EXPECT_EQ(column(run.record(1), kSpins), "100");
    EXPECT_EQ(run.random.draws, 2 + 100); // no spin after the cancelled one
    ASSERT_EQ(run.ui.messages.size(), 1U);
    EXPECT_EQ(run.ui.messages[0].text, kRunCancelMessage);
    EXPECT_EQ(run.ui.messages[0].title, kRunCancelTitle);
    EXPECT_EQ(run.ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(run.ui.showed(kRunEndMessage));
    EXPECT_EQ(run.ui.beeps, 0);
    EXPECT_TRUE(run.model.window.cancelled);
    ASSERT_TRUE(run.workingCopy.summary);
    EXPECT_EQ(run.workingCopy.summary->count, 1);
    EXPECT_EQ(run.model.grids.grid3.rowCount(), 2); // the cancelled day's row
}

TEST(RunLifecycle, CancelOnALaterDayComesAfterTheDayEnds) {
    RunHarness run;
    run.set(Field::条件_何日分, "3");
    run.scriptStart();
    run.pump.onYield = [&](std::int64_t) {
        if (run.field(Field::c日合計_日目) == "2" && run.field(Field::c日合計_回転数) == "7") {
            run.engine.MK_Cancel();
            run.engine.MK_Cancel(); // a second click while the run winds down does nothing
        }
    };
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 2U);
    EXPECT_EQ(column(run.record(1), kRule), "持金パンク");
    EXPECT_EQ(column(run.record(2), kRule), "キャンセル");
    EXPECT_EQ(column(run.record(2), kDay), "2");
    EXPECT_EQ(run.ui.messages.size(), 1U);
    EXPECT_EQ(run.workingCopy.summary->count, 2);
}

TEST(RunLifecycle, RunSummaryCountsEveryResultRecord) {
    RunHarness run;
    withoutMoneyLimit(run);
    run.set(Field::条件_何日分, "3");
    run.scriptStart();
    run.scriptMisses(10);
    run.scriptHit(0);
    run.scriptMisses(5);
    run.scriptHit(1);
    run.start();

    // Two big hits and one day end per day; days 2 and 3 end back to back.
    ASSERT_EQ(run.workingCopy.results.size(), 5U);
    ASSERT_TRUE(run.workingCopy.summary);
    EXPECT_EQ(run.workingCopy.summary->count, 5);
    EXPECT_EQ(run.model.window.resultRecordCounter, 5);
    EXPECT_EQ(run.workingCopy.summary->heldBallRatio, run.field(Field::持ち玉比率));
    EXPECT_EQ(run.workingCopy.recordNumbers, (std::vector<std::int32_t>{101, 102, 103, 104, 105}));
    EXPECT_EQ(column(run.record(1), kBigHit), "した");
    EXPECT_EQ(column(run.record(1), kSpins), "11");
    EXPECT_EQ(column(run.record(2), kSpins), "6");
    EXPECT_EQ(column(run.record(5), kDay), "3");
    const GridTable& grid1 = run.model.grids.grid1;
    EXPECT_EQ(grid1.rowCount(), 6);
    EXPECT_EQ(grid1.cell(4, 0), "2");
    EXPECT_EQ(grid1.cell(5, 6), "回転数終了");
    EXPECT_EQ(run.model.grids.grid3.rowCount(), 4);
    EXPECT_EQ(run.field(Field::初当たり数表示), "2");
    EXPECT_EQ(run.field(Field::総大当り数表示), "2");
    // The distribution displays are current when the run ends.
    EXPECT_EQ(run.field(Field::回転数1r), "100%");
    EXPECT_EQ(run.model.charts.chart3.label(1), "<確率の1/6");
    EXPECT_EQ(run.model.charts.chart1.value(1, 1), "50");
    EXPECT_EQ(run.model.charts.chart1.value(2, 1), "50");
}

TEST(RunLifecycle, TwoRunsContinueTheGeneratorAndStartAfresh) {
    RunHarness run;
    run.scriptStart();
    run.scriptHit(0);
    run.start();
    const std::int64_t firstRunDraws = run.random.draws;
    run.commands.MK_Start();
    EXPECT_EQ(run.workingCopy.recreations, 2);
    EXPECT_EQ(run.workingCopy.results.size(), 1U); // no hit scripted for the second run
    EXPECT_EQ(run.field(Field::総大当り数表示), "0");
    EXPECT_GT(run.random.draws, firstRunDraws);
}

struct RefusedCondition {
    Field field;
    std::string text;
};

class RunRefusal : public ::testing::TestWithParam<RefusedCondition> {};

TEST_P(RunRefusal, StartIsRefusedWithAMessageAndChangesNothing) {
    RunHarness run;
    run.set(GetParam().field, GetParam().text);
    run.start();
    ASSERT_EQ(run.ui.messages.size(), 1U);
    EXPECT_EQ(run.ui.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(run.ui.messages[0].title, "検証エラー");
    EXPECT_NE(run.ui.messages[0].text.find("検証を開始できません"), std::string::npos);
    EXPECT_EQ(run.random.draws, 0);
    EXPECT_EQ(run.workingCopy.recreations, 0);
    EXPECT_EQ(run.model.window.running, 0);
    EXPECT_TRUE(run.model.commands.enabled(Menu::MK_Start));
}

INSTANTIATE_TEST_SUITE_P(DivisionsByZeroAndBadTables, RunRefusal,
                         ::testing::Values(RefusedCondition{Field::条件_回転数1000円, "0"},
                                           RefusedCondition{Field::条件_両替率, "0"},
                                           RefusedCondition{Field::条件_時間比率, "0"},
                                           RefusedCondition{Field::条件_絵柄数, "0"},
                                           RefusedCondition{Field::条件_絵柄数, "51"},
                                           RefusedCondition{Field::条件_投資上限日, "1e12"}));

TEST(RunRefusalSchedule, ScheduleWithoutAPlayedSlotIsRefused) {
    RunHarness run;
    run.conditions.playSchedule = "00000000000000";
    run.start();
    ASSERT_EQ(run.ui.messages.size(), 1U);
    EXPECT_EQ(run.ui.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(run.random.draws, 0);
}

TEST(RunRefusalSymbols, OnlyNextHitShortTimeSymbolsWouldNeverEndAndAreRefused) {
    RunHarness run;
    run.setSymbols({symbol("A", "次まで時短", 0, "通常時交換", 2100),
                    symbol("B", "次まで時短", 100, "通常時交換", 2100)});
    run.start();
    ASSERT_EQ(run.ui.messages.size(), 1U);
    EXPECT_NE(run.ui.messages[0].text.find("次まで時短を終わらせる"), std::string::npos);
    EXPECT_EQ(run.random.draws, 0);

    RunHarness escapable;
    escapable.setSymbols({symbol("A", "次まで時短", 0, "通常時交換", 2100),
                          symbol("B", "確変", 0, "通常時交換", 2100)});
    escapable.set(Field::条件_何日分, "1");
    escapable.scriptStart();
    escapable.scriptMisses(5000);
    escapable.start();
    EXPECT_EQ(escapable.ui.messages.at(0).text, kRunEndMessage);
}

TEST(RunFaults, SymbolDrawInTheRunsFirstSecondStillSpreads) {
    RunHarness run;
    run.timers.seconds = 0;
    run.scriptStart();
    run.scriptHit(1);
    run.start();
    EXPECT_EQ(column(run.record(1), kSymbol), "2");
}

TEST(RunFaults, ResultRecordCounterAtItsLimitEndsTheRunWithAMessage) {
    RunHarness run;
    run.scriptStart();
    run.pump.callAfter(50, [&] { run.model.window.resultRecordCounter = kMaxResultRecords; });
    run.start();

    EXPECT_TRUE(run.workingCopy.results.empty());
    ASSERT_EQ(run.ui.messages.size(), 1U);
    EXPECT_EQ(run.ui.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(run.ui.messages[0].text.find("結果レコードの数が上限"), std::string::npos);
    ASSERT_TRUE(run.workingCopy.summary);
    EXPECT_EQ(run.workingCopy.summary->count, kMaxResultRecords);
    EXPECT_EQ(run.model.window.running, 0);
    EXPECT_TRUE(run.model.commands.enabled(Menu::MK_Start));
}

// The streak counts every hit of a streak in 32 bits; one more hit at the largest count ends the
// run with a message instead of wrapping to a negative streak.
TEST(RunFaults, StreakAtTheLargestCountEndsTheRunInsteadOfWrapping) {
    constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(streakAfterHit(MachineState::通常, kLargest), 1);
    EXPECT_EQ(streakAfterHit(MachineState::時短, kLargest - 1), kLargest);
    try {
        static_cast<void>(streakAfterHit(MachineState::確変, kLargest));
        ADD_FAILURE() << "a streak beyond 32 bits";
    } catch (const Fault& fault) {
        EXPECT_EQ(fault.error().kind, ErrorKind::StreakLimit);
        EXPECT_EQ(runFailedMessage(fault.error(), 12).text,
                  "連荘数が上限を超えました。検証を終了しました。");
    }
}

// Grid3 has a row for each day number; the largest day a 32-bit count holds has no row after it.
TEST(RunFaults, DayGridRowAtTheLargestDayIsAFaultNotAnOverflow) {
    MainWindowModel model;
    グリッド見出し設定(model.grids);
    model.fields.setNumber(Field::c日合計_日目, std::numeric_limits<std::int32_t>::max());
    EXPECT_THROW(日合計行追加(model.fields, model.grids.grid3), Fault);
    model.fields.setNumber(Field::c日合計_日目, 0);
    EXPECT_THROW(日合計行追加(model.fields, model.grids.grid3), Fault);
    EXPECT_EQ(model.grids.grid3.rowCount(), 1);
}

// A Start that fails before playing leaves the window's figures as they were (an opened
// verification's, here), not the engine's figures of an earlier run or of none.
TEST(RunFaults, StartThatCannotRecreateTheWorkingCopyLeavesTheFigures) {
    class UnwritableWorkingCopy final : public RunWorkingCopy {
    public:
        explicit UnwritableWorkingCopy(StoredConditions conditions)
            : stored_(std::move(conditions)) {}
        Result<StoredConditions> readConditions() override { return stored_; }
        Status recreate(const StoredConditions&) override {
            return Error{ErrorKind::CannotWrite}.inFile("temp.pac");
        }
        Status writeResult(std::int32_t, const ResultColumns&) override { return {}; }
        Status finish(std::int32_t, std::string_view) override { return {}; }
        void close() override {}

    private:
        StoredConditions stored_;
    };
    RunHarness run;
    UnwritableWorkingCopy unwritable(run.conditions);
    RunCommands commands(run.model,
                         {run.ui, testFiles(), run.pump, run.timers, run.stream, testThreads()},
                         unwritable);
    applyConditions(run.model, run.conditions);
    run.model.commands.apply(Availability::VerificationLoaded);
    for (Field field : {Field::総大当り数表示, Field::収支表示F, Field::c日合計_投資額F,
                        Field::初当たり確率表示}) {
        run.model.fields.setText(field, "7");
    }
    run.scriptStart();
    commands.MK_Start();
    ASSERT_EQ(run.ui.messages.size(), 1U);
    EXPECT_EQ(run.ui.messages[0].title, "検証エラー");
    for (Field field : {Field::総大当り数表示, Field::収支表示F, Field::c日合計_投資額F,
                        Field::初当たり確率表示}) {
        EXPECT_EQ(run.field(field), "7") << fieldName(field);
    }
}

TEST(RunFaults, FailedWriteEndsTheRunAndRestoresTheWindow) {
    class FailingWorkingCopy final : public RunWorkingCopy {
    public:
        explicit FailingWorkingCopy(StoredConditions conditions) : stored_(std::move(conditions)) {}
        Result<StoredConditions> readConditions() override { return stored_; }
        Status recreate(const StoredConditions&) override { return {}; }
        Status writeResult(std::int32_t, const ResultColumns&) override {
            return Error{ErrorKind::CannotWrite}
                .inFile("temp.pac")
                .because(std::make_error_code(std::errc::no_space_on_device));
        }
        Status finish(std::int32_t count, std::string_view) override {
            finishedWith = count;
            return {};
        }
        void close() override {}
        std::int32_t finishedWith = -1;

    private:
        StoredConditions stored_;
    };
    RunHarness run;
    FailingWorkingCopy failing(run.conditions);
    RunCommands commands(
        run.model, {run.ui, testFiles(), run.pump, run.timers, run.stream, testThreads()}, failing);
    applyConditions(run.model, run.conditions);
    run.model.commands.apply(Availability::VerificationLoaded);
    run.scriptStart();
    commands.MK_Start();
    ASSERT_EQ(run.ui.messages.size(), 1U);
    EXPECT_EQ(run.ui.messages[0].text,
              "作業ファイルに書き込めません。ディスクの空き容量が足りません。"
              "作業ファイルに記録できた大当りデータは 0 件です。検証を終了しました。");
    EXPECT_EQ(run.ui.messages[0].title, "検証エラー");
    EXPECT_EQ(run.model.window.running, 0);
    EXPECT_EQ(failing.finishedWith, 0); // the record that failed is not counted
}

} // namespace
} // namespace zelkora::testing
