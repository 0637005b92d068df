#include "analysis/campaign_streams.h"
#include "campaign_totals.h"
#include "files/utf8_path.h"
#include "machine_fixture.h"
#include "machines/machine_check.h"
#include "machines/machine_figures.h"
#include "machines/machine_file.h"
#include "machines/machine_graph.h"
#include "machines/machine_trials.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

machines::CampaignTotals played(const machines::MachineVerification& verification,
                                std::uint64_t seed) {
    EXPECT_EQ(machines::machineProblem(verification.machine), "");
    EXPECT_EQ(machines::campaignProblem(verification.campaign), "");
    const machines::MachineGraph graph = machines::buildGraph(verification.machine);
    machines::CampaignTotals totals;
    machines::playCampaign(verification, graph, seed, totals);
    return totals;
}

// A machine that practically never hits (1 in 10^9), so only money and time end its days.
machines::MachineVerification neverHits() {
    machines::Machine machine;
    machine.states = {normalState(1e9)};
    machine.tables = {table("ヘソ", {outcome(100, 100, "通常")})};
    machines::MachineVerification verification = verificationOf(machine);
    verification.campaign.days = 3;
    verification.campaign.spinsPer1000Yen = 18; // 13.889 balls a spin
    return verification;
}

// Cap 1000 yen in units of 500 (125 balls) without reinvestment: the first unit lasts 9 spins
// (125 − 9 × 13.889 = 0), the second 9 more; the 19th spin needs a third, which would take the
// day's 1000 yen past 1000 − 500: 持金パンク, the balls left dropped. Each day: 18 spins, −1000.
TEST(MachineCampaign, the_daily_cap_ends_a_day_as_the_classic_engine_does) {
    machines::MachineVerification verification = neverHits();
    verification.campaign.dailyCapYen = 1000;
    verification.campaign.investmentUnitYen = 500;
    verification.campaign.reinvest = false;
    const machines::CampaignTotals totals = played(verification, 1);
    EXPECT_EQ(totals.days, 3);
    EXPECT_EQ(totals.bustDays, 3);
    EXPECT_EQ(totals.normalSpins, 3 * 18);
    EXPECT_DOUBLE_EQ(totals.investedYen, 3000);
    EXPECT_DOUBLE_EQ(totals.balanceYen, -3000);
}

// One played hour of 6-second spins: 600 spins a day. 600 × 13.889 = 8333.3 balls take 34 units
// of 1000 yen (250 balls); the 166.7 balls left are exchanged at 40 a 100 yen: 416 yen.
TEST(MachineCampaign, a_day_lasts_the_schedule_span) {
    machines::MachineVerification verification = neverHits();
    verification.campaign.playSchedule = "00010000000000";
    verification.campaign.spinSeconds = 6;
    verification.campaign.investmentUnitYen = 1000;
    verification.campaign.dailyCapYen = 500000;
    verification.campaign.exchangeBallsPer100Yen = 40;
    const machines::CampaignTotals totals = played(verification, 1);
    EXPECT_EQ(totals.bustDays, 0);
    EXPECT_EQ(totals.normalSpins, 3 * 600);
    EXPECT_DOUBLE_EQ(totals.investedYen, 3 * 34000);
    EXPECT_DOUBLE_EQ(totals.balanceYen, 3 * (416 - 34000));
}

TEST(MachineCampaign, a_seed_plays_the_same_campaign) {
    for (const std::filesystem::path& sample : machineSamples()) {
        const machines::Checked<machines::MachineVerification> read =
            machines::readMachineFile(sample);
        ASSERT_TRUE(read.ok());
        const machines::CampaignTotals first = played(read.value(), 5);
        const machines::CampaignTotals again = played(read.value(), 5);
        const machines::CampaignTotals other = played(read.value(), 6);
        EXPECT_EQ(first.normalSpins, again.normalSpins) << sample.filename();
        EXPECT_EQ(first.bigHits, again.bigHits);
        EXPECT_DOUBLE_EQ(first.balanceYen, again.balanceYen);
        EXPECT_NE(first.normalSpins, other.normalSpins) << sample.filename();
        EXPECT_EQ(first.days, read.value().campaign.days);
        EXPECT_GT(first.firstHits, 0);
    }
}

} // namespace
} // namespace zelkora::testing

namespace zelkora::testing {
namespace {

// Every normal spin hits (1 in 1) and leads to a RUSH that practically never ends (hit and
// 転落 at 1 in 10^9): the day runs into its hour of grace. One played hour, 6 s a normal spin,
// 180 s the hit, 4 s a support spin: support spins while the clock is below 7200 s, from 186 s:
// ⌈(7200 − 186) ÷ 4⌉ = 1754 a day.
machines::MachineVerification endlessRush(double netBalls,
                                          std::optional<machines::SmallHits> small) {
    machines::Machine machine;
    machines::State rush = supportState("RUSH", 1e9, 0, "電チュー");
    rush.fall = machines::Shift{1e9, "通常", 0, 0};
    rush.supportNetBalls = netBalls;
    rush.smallHits = small;
    machine.states = {normalState(1), rush};
    machine.tables = {table("ヘソ", {outcome(100, 100, "RUSH")}),
                      table("電チュー", {outcome(100, 100, "RUSH")})};
    machines::MachineVerification verification = verificationOf(machine);
    verification.campaign.days = 3;
    verification.campaign.playSchedule = "00010000000000";
    verification.campaign.spinSeconds = 6;
    verification.campaign.supportSpinSeconds = 4;
    verification.campaign.dailyCapYen = 500000;
    return verification;
}

TEST(MachineCampaign, support_runs_into_the_hour_of_grace_and_buys_what_it_loses) {
    machines::CampaignTotals totals = played(endlessRush(0, std::nullopt), 1);
    EXPECT_EQ(totals.bigHits, 3);
    EXPECT_EQ(totals.firstHits, 3);
    EXPECT_EQ(totals.normalSpins, 3);
    EXPECT_EQ(totals.supportSpins, 3 * 1754);
    EXPECT_DOUBLE_EQ(totals.investedYen, 3 * 500); // one unit for the one normal spin

    // Losing a ball a spin: 1754 balls a day against 111.1 + 100 held, so purchases go on.
    totals = played(endlessRush(-1, std::nullopt), 1);
    EXPECT_EQ(totals.supportSpins, 3 * 1754);
    // The day's last gap, cut by its end, counts its balls too: they left the player's hand.
    EXPECT_DOUBLE_EQ(totals.supportBalls, -3 * 1754);
    EXPECT_GT(totals.investedYen, 3 * 500 * 12);

    // A 小当り on every spin paying 2 balls: 3508 balls a day, exchanged at the day's end.
    totals = played(endlessRush(0, machines::SmallHits{1, 2}), 1);
    EXPECT_EQ(totals.supportSpins, 3 * 1754);
    EXPECT_GT(totals.balanceYen, 0);
}

} // namespace
} // namespace zelkora::testing

namespace zelkora::testing {
namespace {

// The figures the results floor keeps are fed the campaign's events and say what the campaign's
// own totals say: a fault in either (a missed trailing gap, a day close) shows here.
TEST(MachineFigures, the_accumulated_figures_agree_with_the_campaign_totals) {
    for (const std::filesystem::path& sample : machineSamples()) {
        const machines::Checked<machines::MachineVerification> read =
            machines::readMachineFile(sample);
        ASSERT_TRUE(read.ok());
        const machines::MachineVerification& verification = read.value();
        const machines::MachineGraph graph = machines::buildGraph(verification.machine);
        machines::CampaignTotals totals;
        machines::playCampaign(verification, graph, 5, totals);
        machines::MachineFigures figures(verification, graph);
        machines::playCampaign(verification, graph, 5, figures);
        const Figures& shared = figures.figures();
        const machines::MachineOnlyFigures& own = figures.machineFigures();
        EXPECT_EQ(shared.totalSpins, static_cast<double>(totals.normalSpins)) << sample;
        EXPECT_EQ(shared.bigHits, static_cast<double>(totals.bigHits));
        EXPECT_EQ(shared.firstHits, static_cast<double>(totals.firstHits));
        EXPECT_EQ(shared.wonDays + shared.lostDays, static_cast<double>(totals.days));
        EXPECT_EQ(shared.wonDays, static_cast<double>(totals.winningDays));
        EXPECT_EQ(own.supportSpins, totals.supportSpins);
        EXPECT_EQ(own.rounds, totals.rounds);
        EXPECT_EQ(own.ceilings, totals.ceilings);
        EXPECT_EQ(own.longestChain, totals.longestChain);
        EXPECT_DOUBLE_EQ(own.investedYen, totals.investedYen);
        // The exchange rounds each day's yen down once in either.
        EXPECT_NEAR(shared.cumulativeBalance, totals.balanceYen, 1e-6);

        const CampaignFigures campaign = figures.campaignFigures();
        EXPECT_EQ(campaign.cumulativeBalanceByDay.size(),
                  static_cast<std::size_t>(verification.campaign.days));
        EXPECT_DOUBLE_EQ(campaign.finalBalance, std::trunc(totals.balanceYen));
        EXPECT_EQ(campaign.bustDays, totals.bustDays);
        EXPECT_DOUBLE_EQ(campaign.payoutBalls, totals.payoutBalls + totals.supportBalls);
        EXPECT_LE(campaign.lowestBalance, 0);
        EXPECT_GE(campaign.largestDrawdown, -campaign.lowestBalance);
    }
}

// A normal state of 1 in 2 whose hits enter, half and half, a 時短 of one spin at the same odds or
// an ST of one spin at 1 in 1: every hit enters support, the 時短 entries count as 時短 and the
// ST entries (better odds than normal play) as 確変, first hits and continuations alike.
TEST(MachineFigures, entries_count_as_確変_or_時短_by_their_state_odds) {
    machines::Machine machine;
    machine.states = {normalState(2), supportState("時短", 2, 1, "ヘソ"),
                      supportState("ST", 1, 1, "ヘソ")};
    machine.tables = {table("ヘソ", {outcome(50, 100, "時短"), outcome(50, 100, "ST")})};
    machines::MachineVerification verification = verificationOf(machine);
    verification.campaign.days = 5;
    const machines::MachineGraph graph = machines::buildGraph(verification.machine);
    machines::MachineFigures figures(verification, graph);
    machines::playCampaign(verification, graph, 3, figures);
    const Figures& shared = figures.figures();
    ASSERT_GT(shared.firstHits, 100);
    EXPECT_GT(shared.bigHits, shared.firstHits);
    EXPECT_EQ(shared.時短Entries + shared.hitsInto確変, shared.bigHits);
    EXPECT_NEAR(shared.時短Entries / shared.bigHits, 0.5, 0.1);
    EXPECT_EQ(shared.firstHitsInto確変 + shared.firstHits時短, shared.firstHits);
    EXPECT_NEAR(shared.firstHits時短 / shared.firstHits, 0.5, 0.1);
}

} // namespace
} // namespace zelkora::testing

namespace zelkora::testing {
namespace {

// Campaign i of an analysis is the campaign played from stream i of the seed, and an analysis'
// cancel stops it before its first day ends.
TEST(MachineCampaigns, campaign_i_plays_stream_i_and_stops_when_cancelled) {
    const machines::Checked<machines::MachineVerification> read =
        machines::readMachineFile(machineSamplesFolder() / pathFromUtf8("紅蓮ループ319.json"));
    ASSERT_TRUE(read.ok());
    const machines::MachineVerification& verification = read.value();
    const machines::MachineCampaigns player(verification, 11);
    std::atomic<bool> cancelled{false};
    const CampaignOutcome played = player.play(3, cancelled);
    ASSERT_EQ(played.end, CampaignEnd::Played);
    EXPECT_EQ(played.figures.index, 3);
    EXPECT_EQ(played.figures.cumulativeBalanceByDay.size(),
              static_cast<std::size_t>(verification.campaign.days));

    const machines::MachineGraph graph = machines::buildGraph(verification.machine);
    const CampaignStream stream = campaignStream(11, 3);
    machines::MachineFigures direct(verification, graph);
    machines::playCampaign(verification, graph, stream.seed, direct, stream.stream);
    const CampaignFigures alone = direct.campaignFigures();
    EXPECT_EQ(alone.overallTexts, played.figures.overallTexts);
    EXPECT_EQ(alone.cumulativeBalanceByDay, played.figures.cumulativeBalanceByDay);

    cancelled = true;
    const CampaignOutcome stopped = player.play(3, cancelled);
    EXPECT_EQ(stopped.end, CampaignEnd::Cancelled);
    EXPECT_EQ(stopped.figures.index, 3);
    EXPECT_TRUE(stopped.figures.cumulativeBalanceByDay.empty());
}

} // namespace
} // namespace zelkora::testing
