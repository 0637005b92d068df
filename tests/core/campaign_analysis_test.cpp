#include "analysis/campaign_analysis.h"
#include "analysis_fixture.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <numeric>
#include <set>
#include <stdexcept>

namespace zelkora::testing {
namespace {

// Every number of a report, to seventeen digits, so two reports compare as text.
std::string describe(const AnalysisReport& report) {
    std::string text;
    const auto add = [&text](double value) {
        std::array<char, 40> number{};
        std::snprintf(number.data(), number.size(), "%.17g ", value);
        text += number.data();
    };
    const auto addMean = [&add](const MeanEstimate& value) {
        add(value.mean);
        add(value.standardDeviation);
        add(value.low);
        add(value.high);
    };
    add(static_cast<double>(report.campaigns));
    addMean(report.finalBalance);
    for (const double value : report.finalPercentiles) {
        add(value);
    }
    add(report.finalMinimum);
    add(report.finalMaximum);
    add(report.endedAhead.share);
    add(report.wentBust.share);
    addMean(report.winningDays);
    for (const std::int64_t count : report.winningDayCounts) {
        add(static_cast<double>(count));
    }
    addMean(report.balancePerDay);
    addMean(report.balancePerHour);
    for (const DayBand& band : report.dayBands) {
        add(band.mean);
        for (const double value : band.percentiles) {
            add(value);
        }
    }
    for (const MeanEstimate& mean : report.overallMeans) {
        addMean(mean);
    }
    addMean(report.spinsPerFirstHit);
    addMean(report.streakPerFirstHit);
    addMean(report.payoutPerFirstHit);
    add(report.shareOfDaysEndedInStreak);
    return text;
}

class Collecting final : public CampaignSink, public AnalysisProgress {
public:
    void campaign(const CampaignFigures& figures) override {
        indices.push_back(figures.index);
        balances.push_back(figures.finalBalance);
    }
    void campaignsDone(std::int64_t done, std::int64_t total) override {
        EXPECT_GE(done, lastDone);
        EXPECT_EQ(total, expectedTotal);
        lastDone = done;
    }
    std::vector<std::int64_t> indices;
    std::vector<double> balances;
    std::int64_t lastDone = 0;
    std::int64_t expectedTotal = 0;
};

struct Analysed {
    AnalysisOutcome outcome;
    Collecting seen;
};

Analysed analyse(const CampaignSetup& setup, std::int64_t campaigns, int threads) {
    Analysed analysed;
    analysed.seen.expectedTotal = campaigns;
    CampaignAnalysis analysis(setup, {campaigns, threads});
    NoEvents pump;
    analysed.outcome = analysis.run(quietSeams(pump), {&analysed.seen, &analysed.seen});
    return analysed;
}

class CampaignAnalysisTest : public ::testing::Test {
protected:
    TempFolder folder_;
    CampaignSetup setup_ = loadedSetup(
        folder_, withCondition(sampleNamed("定番確変315"), Field::条件_何日分, "3"), 2024);
};

TEST_F(CampaignAnalysisTest, same_seed_gives_the_same_campaigns_whatever_the_thread_count) {
    const Analysed one = analyse(setup_, 30, 1);
    ASSERT_EQ(one.outcome.end, AnalysisEnd::Done);
    EXPECT_EQ(one.outcome.report.campaigns, 30);
    EXPECT_EQ(one.seen.lastDone, 30);
    std::vector<std::int64_t> inOrder(30);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    EXPECT_EQ(one.seen.indices, inOrder);
    for (const int threads : {2, 3, 8}) {
        const Analysed more = analyse(setup_, 30, threads);
        EXPECT_EQ(more.seen.indices, inOrder) << threads;
        EXPECT_EQ(more.seen.balances, one.seen.balances) << threads;
        EXPECT_EQ(describe(more.outcome.report), describe(one.outcome.report)) << threads;
    }
}

TEST_F(CampaignAnalysisTest, campaigns_differ_from_each_other_and_from_another_seed) {
    const Analysed first = analyse(setup_, 12, 2);
    std::set<double> distinct(first.seen.balances.begin(), first.seen.balances.end());
    EXPECT_GT(distinct.size(), 8U);
    setup_.seed = 2025;
    const Analysed other = analyse(setup_, 12, 2);
    EXPECT_NE(other.seen.balances, first.seen.balances);
}

TEST_F(CampaignAnalysisTest, each_campaign_is_the_campaign_played_alone) {
    const Analysed analysed = analyse(setup_, 5, 2);
    const std::atomic<bool> cancelled{false};
    for (std::int64_t index = 0; index < 5; ++index) {
        EXPECT_EQ(playCampaign(setup_, index, cancelled).figures.finalBalance,
                  analysed.seen.balances[static_cast<std::size_t>(index)]);
    }
}

// The window's Cancel arrives inside the pump; the campaigns folded until then are reported.
TEST_F(CampaignAnalysisTest, cancel_from_the_pump_stops_every_campaign) {
    class CancellingEvents final : public EventPump {
    public:
        std::uint32_t processEvents() override {
            if (++calls == 2) {
                analysis->cancel();
            }
            return 0;
        }
        CampaignAnalysis* analysis = nullptr;
        int calls = 0;
    } pump;
    CampaignAnalysis analysis(setup_, {100000, 2});
    pump.analysis = &analysis;
    const AnalysisOutcome outcome = analysis.run(quietSeams(pump), {nullptr, nullptr});
    EXPECT_EQ(outcome.end, AnalysisEnd::Cancelled);
    EXPECT_LT(outcome.report.campaigns, 100000);
    EXPECT_EQ(pump.calls, 2);
}

TEST_F(CampaignAnalysisTest, a_failing_campaign_ends_the_analysis_with_its_message) {
    setup_.loaded.program.playSchedule = "00000000000000";
    setup_.conditions.playSchedule = "00000000000000";
    const Analysed analysed = analyse(setup_, 50, 2);
    EXPECT_EQ(analysed.outcome.end, AnalysisEnd::Failed);
    EXPECT_EQ(analysed.outcome.failedCampaign, 0);
    ASSERT_TRUE(analysed.outcome.failure.has_value());
    EXPECT_EQ(analysed.outcome.failure->kind, ErrorKind::NoPlayedSlot);
    EXPECT_TRUE(analysed.seen.indices.empty());
}

TEST_F(CampaignAnalysisTest, no_campaigns_give_an_empty_report) {
    const Analysed analysed = analyse(setup_, 0, 2);
    EXPECT_EQ(analysed.outcome.end, AnalysisEnd::Done);
    EXPECT_EQ(analysed.outcome.report.campaigns, 0);
}

// Starts the first `allowed` threads it is asked for and refuses the rest, as a system out of
// memory for stacks (ulimit -v) or out of threads does.
class RefusingThreads final : public ThreadStarter {
public:
    explicit RefusingThreads(int allowed) : allowed_(allowed) {}
    Result<std::jthread> start(std::function<void()> work) override {
        if (asked_++ >= allowed_) {
            return Error{ErrorKind::ThreadNotStarted}.because(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        }
        return system_.start(std::move(work));
    }

private:
    SystemThreadStarter system_;
    int allowed_;
    int asked_ = 0;
};

// A refused thread never leaves the analysis waiting: it plays on the threads it has, with the
// same figures, or fails at once when it has none.
TEST_F(CampaignAnalysisTest, threads_the_system_refuses_never_hang_the_analysis) {
    const Analysed one = analyse(setup_, 40, 1);
    for (const int allowed : {1, 2, 5}) {
        RefusingThreads threads(allowed);
        CampaignAnalysis analysis(setup_, {40, 32});
        NoEvents pump;
        Collecting seen;
        seen.expectedTotal = 40;
        const AnalysisOutcome outcome = analysis.run(quietSeams(pump, threads), {&seen, &seen});
        EXPECT_EQ(outcome.end, AnalysisEnd::Done) << allowed;
        EXPECT_EQ(outcome.threadsStarted, allowed);
        EXPECT_EQ(seen.balances, one.seen.balances) << allowed;
        EXPECT_EQ(describe(outcome.report), describe(one.outcome.report)) << allowed;
    }

    RefusingThreads none(0);
    CampaignAnalysis analysis(setup_, {40, 4});
    NoEvents pump;
    const AnalysisOutcome outcome = analysis.run(quietSeams(pump, none), {nullptr, nullptr});
    EXPECT_EQ(outcome.end, AnalysisEnd::Failed);
    EXPECT_EQ(outcome.threadsStarted, 0);
    EXPECT_EQ(outcome.failedCampaign, -1);
    ASSERT_TRUE(outcome.failure.has_value());
    EXPECT_EQ(outcome.failure->kind, ErrorKind::ThreadNotStarted);
    EXPECT_EQ(outcome.report.campaigns, 0);
}

// The fold itself may fail (a sink that cannot write, memory gone): the workers are stopped and
// joined on the way out instead of waiting for slots that are never freed.
TEST_F(CampaignAnalysisTest, a_fold_that_throws_stops_the_workers_on_its_way_out) {
    class ThrowingSink final : public CampaignSink {
    public:
        void campaign(const CampaignFigures&) override { throw std::runtime_error("sink"); }
    } sink;
    CampaignAnalysis analysis(setup_, {1000, 3});
    NoEvents pump;
    EXPECT_THROW(static_cast<void>(analysis.run(quietSeams(pump), {nullptr, &sink})),
                 std::runtime_error);
}

} // namespace
} // namespace zelkora::testing
