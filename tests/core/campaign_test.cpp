#include "analysis/campaign.h"
#include "analysis/campaign_working_copy.h"
#include "analysis_fixture.h"
#include "common/numbers.h"
#include "engine/run_engine.h"
#include "platform/pcg_random_source.h"

#include <gtest/gtest.h>
#include <set>

namespace zelkora::testing {
namespace {

// The run zelkora-run plays: the window as Open left it, the working copy on disk, the
// generator given.
void playPlainRun(MainWindowModel& model, RandomSource& source, int countdown) {
    RecordingUserInterface ui;
    NoEvents pump;
    FixedRunTimers timers(countdown, 0);
    RandomStream random(source);
    FileWorkingCopy workingCopy(model.workingCopyPath());
    RunEngine engine(model, {ui, testFiles(), pump, timers, random, testThreads()}, workingCopy);
    ASSERT_TRUE(engine.MK_Start().ok());
}

void expectSameGrid(const GridTable& campaign, const GridTable& plain) {
    ASSERT_EQ(campaign.rowCount(), plain.rowCount());
    for (int row = 0; row < plain.rowCount(); ++row) {
        for (int column = 0; column < plain.columnCount(); ++column) {
            ASSERT_EQ(campaign.cell(row, column), plain.cell(row, column)) << row << "," << column;
        }
    }
}

TEST(Campaign, plays_exactly_the_plain_run_of_its_stream) {
    TempFolder folder;
    const SampleDefinition sample =
        withCondition(sampleNamed("定番確変315"), Field::条件_何日分, "4");
    const CampaignSetup setup = loadedSetup(folder, sample, 77, 333);
    const std::atomic<bool> cancelled{false};
    const CampaignStream stream = campaignStream(setup.seed, 5);

    MainWindowModel plain = setup.loaded;
    PcgRandomSource plainSource(stream.seed, stream.stream);
    playPlainRun(plain, plainSource, setup.countdown);
    MainWindowModel model = setup.loaded;
    PcgRandomSource source(stream.seed, stream.stream);
    const CampaignOutcome outcome = playCampaignOn(model, setup, source, cancelled);

    ASSERT_EQ(outcome.end, CampaignEnd::Played);
    for (std::size_t index = 0; index < static_cast<std::size_t>(kFieldCount); ++index) {
        const auto field = static_cast<Field>(index);
        EXPECT_EQ(model.fields.text(field), plain.fields.text(field)) << fieldName(field);
    }
    expectSameGrid(model.grids.grid1, plain.grids.grid1);
    expectSameGrid(model.grids.grid3, plain.grids.grid3);
    EXPECT_GT(plain.grids.grid1.rowCount(), 20);
}

// The campaign's figures against what the plain run of campaign 2's stream shows: the panel,
// the days of the daily grid, the 持金パンク ends in the big-hit grid, the payout.
TEST(Campaign, figures_are_those_the_window_would_show) {
    TempFolder folder;
    const SampleDefinition sample =
        withCondition(sampleNamed("現金派40玉上限少額"), Field::条件_何日分, "6");
    const CampaignSetup setup = loadedSetup(folder, sample, 3);
    const std::atomic<bool> cancelled{false};
    const CampaignOutcome outcome = playCampaign(setup, 2, cancelled);
    ASSERT_EQ(outcome.end, CampaignEnd::Played);
    const CampaignFigures& figures = outcome.figures;

    MainWindowModel plain = setup.loaded;
    const CampaignStream stream = campaignStream(setup.seed, 2);
    PcgRandomSource source(stream.seed, stream.stream);
    playPlainRun(plain, source, setup.countdown);

    EXPECT_EQ(figures.index, 2);
    for (std::size_t index = 0; index < kOverallFigureCount; ++index) {
        EXPECT_EQ(figures.overallTexts[index], plain.fields.text(kOverallFigures[index]));
        EXPECT_EQ(figures.overall[index], plain.fields.number(kOverallFigures[index]));
    }
    EXPECT_EQ(figures.finalBalance, plain.fields.number(Field::収支表示F));
    const GridTable& days = plain.grids.grid3;
    ASSERT_EQ(figures.cumulativeBalanceByDay.size(), 6U);
    for (int day = 1; day <= 6; ++day) {
        EXPECT_EQ(figures.cumulativeBalanceByDay[static_cast<std::size_t>(day - 1)],
                  readNumber(days.cell(day, 6)))
            << day;
    }
    int busts = 0;
    const GridTable& hits = plain.grids.grid1;
    for (int row = 1; row < hits.rowCount(); ++row) {
        busts += hits.cell(row, 6) == "持金パンク" ? 1 : 0;
    }
    EXPECT_EQ(figures.bustDays, busts);
    EXPECT_GT(busts, 0); // a 5000 yen cap without reinvestment runs dry on most days
    double payout = 0;
    for (int row = 1; row < hits.rowCount(); ++row) {
        payout += hits.cell(row, 4) == "した" ? 2000 : 0; // every symbol pays 2000
    }
    EXPECT_EQ(figures.payoutBalls, payout);
    const double hours = (plain.fields.number(Field::総回転数表示) * 10 +
                          plain.fields.number(Field::総時短回転数表示) * 6 +
                          plain.fields.number(Field::総大当り数表示) * 180) /
                         3600;
    EXPECT_DOUBLE_EQ(figures.playSeconds / 3600, hours);
}

TEST(Campaign, each_number_draws_its_own_stream_from_the_seed) {
    std::set<std::uint64_t> seeds;
    std::set<std::uint64_t> streams;
    for (std::int64_t index = 0; index < 1000; ++index) {
        const CampaignStream stream = campaignStream(42, index);
        seeds.insert(stream.seed);
        streams.insert(stream.stream);
        EXPECT_EQ(campaignStream(42, index).seed, stream.seed);
    }
    EXPECT_EQ(seeds.size(), 1000U);
    EXPECT_EQ(streams.size(), 1000U);
    EXPECT_NE(campaignStream(43, 0).seed, campaignStream(42, 0).seed);
}

TEST(Campaign, a_set_cancel_flag_cancels_the_run_as_the_window_would) {
    TempFolder folder;
    const CampaignSetup setup = loadedSetup(folder, sampleNamed("定番確変315"), 1);
    const std::atomic<bool> cancelled{true};
    const CampaignOutcome outcome = playCampaign(setup, 0, cancelled);
    EXPECT_EQ(outcome.end, CampaignEnd::Cancelled);
}

TEST(Campaign, conditions_the_run_refuses_fail_with_the_runs_message) {
    TempFolder folder;
    SampleDefinition sample = sampleNamed("定番確変315");
    CampaignSetup setup = loadedSetup(folder, sample, 1);
    setup.loaded.program.playSchedule = "00000000000000";
    setup.conditions.playSchedule = "00000000000000";
    const std::atomic<bool> cancelled{false};
    const CampaignOutcome outcome = playCampaign(setup, 0, cancelled);
    EXPECT_EQ(outcome.end, CampaignEnd::Failed);
    ASSERT_TRUE(outcome.failure.has_value());
    EXPECT_EQ(outcome.failure->kind, ErrorKind::NoPlayedSlot);
}

TEST(CampaignWorkingCopy, holds_the_conditions_and_shows_each_record_without_keeping_it) {
    struct Counting final : ResultRecordObserver {
        void resultRecord(std::int32_t number, const ResultColumns& columns) override {
            numbers.push_back(number);
            states.emplace_back(columns[7]);
        }
        std::vector<std::int32_t> numbers;
        std::vector<std::string> states;
    } observer;
    StoredConditions conditions = defaultConditions();
    CampaignWorkingCopy copy(conditions, observer);
    EXPECT_EQ(copy.readConditions().value(), conditions);
    conditions.playSchedule = "11111111111111";
    ASSERT_TRUE(copy.recreate(conditions).ok());
    EXPECT_TRUE(copy.open());
    EXPECT_EQ(copy.readConditions()->playSchedule, "11111111111111");
    ResultColumns columns{};
    columns[7] = "確変";
    ASSERT_TRUE(copy.writeResult(101, columns).ok());
    ASSERT_TRUE(copy.finish(1, "12.5").ok());
    EXPECT_FALSE(copy.open());
    EXPECT_EQ(copy.resultCount(), 1);
    EXPECT_EQ(copy.heldBallRatio(), "12.5");
    EXPECT_EQ(observer.numbers, std::vector<std::int32_t>{101});
    EXPECT_EQ(observer.states, std::vector<std::string>{"確変"});
}

} // namespace
} // namespace zelkora::testing
