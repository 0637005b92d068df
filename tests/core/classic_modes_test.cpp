#include "analysis_fixture.h"
#include "machines/classic_conversion.h"
#include "machines/machine_check.h"

#include <gtest/gtest.h>
#include <map>

// A classic table whose 時短 carries its remaining spins over a later hit, unrolled into states,
// worked by hand. Symbols: Ａ 確変; Ｂ 通常 with a 時短 of 2 spins; Ｃ 通常 without 時短.
//
// From 通常, 確変 or a resumed 時短 a hit goes to 確変 (Ａ), 時短 残り2 (Ｂ) or back to 通常 (Ｃ).
// In 時短 残り2 a hit spends its own spin, leaving 1: Ａ starts 確変 with that spin waiting,
// Ｃ resumes the 時短 with it; in 時短 残り1 nothing is left to wait or resume. In 確変 with a
// spin waiting, Ｃ resumes it. So six states, and two tables: the waiting spin's and the rest.
namespace zelkora::testing {
namespace {

TEST(ClassicModes, a_carried_over_short_time_becomes_a_state_a_spin) {
    SampleDefinition sample = sampleNamed("サービスタイムの店");
    sample.symbols = {{"Ａ", std::string(kKind確変), "0", std::string(kRule通常時交換), "1000"},
                      {"Ｂ", std::string(kKind通常), "2", std::string(kRule通常時交換), "500"},
                      {"Ｃ", std::string(kKind通常), "0", std::string(kRule通常時交換), "300"}};
    sample = withCondition(sample, Field::条件_絵柄数, "3");
    TempFolder folder;
    const CampaignSetup setup = loadedSetup(folder, sample, 1);
    const machines::Checked<machines::MachineVerification> converted =
        machines::convertClassic(setup.conditions);
    ASSERT_TRUE(converted.ok()) << converted.problem();
    const machines::Machine& machine = converted.value().machine;
    EXPECT_EQ(machines::machineProblem(machine), "");

    // Each state with where Ａ, Ｂ and Ｃ lead from it.
    std::map<std::string, std::vector<std::string>> leadsTo;
    for (const machines::State& state : machine.states) {
        for (const machines::Allocation& outcome : machine.table(state.table)->outcomes) {
            leadsTo[state.name].push_back(outcome.next);
        }
    }
    const std::vector<std::string> plain{"確変", "時短 残り2", "通常"};
    const std::vector<std::string> waiting{"確変 時短待ち1", "時短 残り2", "時短 残り1 再開"};
    EXPECT_EQ(leadsTo,
              (std::map<std::string, std::vector<std::string>>{{"通常", plain},
                                                               {"確変", plain},
                                                               {"時短 残り2", waiting},
                                                               {"時短 残り1", plain},
                                                               {"時短 残り1 再開", plain},
                                                               {"確変 時短待ち1", waiting}}));
    EXPECT_EQ(machine.tables.size(), 2U);

    // A 時短 spin is a state of one spin that runs out into the next; 確変 waits for a hit.
    const machines::State* first = machine.state("時短 残り2");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->spinLimit, 1);
    EXPECT_EQ(first->after, "時短 残り1");
    EXPECT_EQ(machine.state("時短 残り1")->after, "通常");
    EXPECT_EQ(machine.state("時短 残り1 再開")->after, "通常");
    EXPECT_TRUE(first->support());
    EXPECT_EQ(machine.state("確変 時短待ち1")->spinLimit, 0);
    EXPECT_DOUBLE_EQ(machine.state("確変")->hitDenominator, 315.0 / 6);
    EXPECT_DOUBLE_EQ(first->hitDenominator, 315);
}

// With a limiter of 2, the streak's length is part of the state up to the count: a 確変 hit
// that makes the second of a streak ends it, one that makes the third or later does not.
TEST(ClassicModes, a_limiter_follows_the_streak_up_to_its_count) {
    SampleDefinition sample = sampleNamed("リミッター5回399");
    sample.symbols = {{"Ａ", std::string(kKind確変), "0", std::string(kRule通常時交換), "1000"},
                      {"Ｂ", std::string(kKind通常), "1", std::string(kRule通常時交換), "500"}};
    sample = withCondition(sample, Field::条件_絵柄数, "2");
    sample = withCondition(sample, Field::条件_リミッター数, "2");
    TempFolder folder;
    const CampaignSetup setup = loadedSetup(folder, sample, 1);
    const machines::Checked<machines::MachineVerification> converted =
        machines::convertClassic(setup.conditions);
    ASSERT_TRUE(converted.ok()) << converted.problem();
    const machines::Machine& machine = converted.value().machine;
    std::map<std::string, std::vector<std::string>> leadsTo;
    for (const machines::State& state : machine.states) {
        for (const machines::Allocation& outcome : machine.table(state.table)->outcomes) {
            leadsTo[state.name].push_back(outcome.next);
        }
    }
    // A first hit is the first of its streak: Ａ gives 確変 at 1, Ｂ a 時短 of one spin at 1.
    // The second hit: Ａ meets the limiter (back to 通常, or to the 時短 waiting through 確変,
    // which a hit in 時短 残り1 has spent), Ｂ a new 時短. From the second on the count no longer
    // matters.
    EXPECT_EQ(leadsTo, (std::map<std::string, std::vector<std::string>>{
                           {"通常", {"確変 1連", "時短 残り1 1連"}},
                           {"確変 1連", {"通常", "時短 残り1 2連以上"}},
                           {"時短 残り1 1連", {"通常", "時短 残り1 2連以上"}},
                           {"確変 2連以上", {"確変 2連以上", "時短 残り1 2連以上"}},
                           {"時短 残り1 2連以上", {"確変 2連以上", "時短 残り1 2連以上"}}}));
}

} // namespace
} // namespace zelkora::testing
