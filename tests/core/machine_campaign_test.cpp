#include "machine_fixture.h"
#include "machines/campaign_totals.h"
#include "machines/machine_check.h"
#include "machines/machine_file.h"
#include "machines/machine_graph.h"

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
