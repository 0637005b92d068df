#include "analysis/engine_draws.h"
#include "analysis/theory.h"
#include "analysis_fixture.h"
#include "files/utf8_path.h"
#include "machine_fixture.h"
#include "machines/classic_conversion.h"
#include "machines/machine_check.h"
#include "machines/machine_file.h"
#include "machines/machine_theory.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

using machines::MachineTheory;
using machines::MachineVerification;

MachineTheory theoryOf(const MachineVerification& verification, double heldShare = 0) {
    EXPECT_EQ(machines::machineProblem(verification.machine), "");
    const machines::Checked<MachineTheory> theory =
        machines::machineTheory(verification, heldShare);
    EXPECT_TRUE(theory.ok()) << theory.problem();
    return theory.ok() ? theory.value() : MachineTheory{};
}

double continuationOf(const MachineTheory& theory, const std::string& state) {
    for (const machines::EntryContinuation& entry : theory.chain.continuations) {
        if (entry.state == state) {
            return entry.continuation;
        }
    }
    ADD_FAILURE() << "no entry into " << state;
    return 0;
}

double enteringOf(const MachineTheory& theory, const std::string& state) {
    for (const machines::StateEntering& entering : theory.chain.entering) {
        if (entering.state == state) {
            return entering.chance;
        }
    }
    ADD_FAILURE() << "no state " << state;
    return 0;
}

// Normal play at 1/N whose every hit pays 1500 balls and enters `support`, whose hits renew it.
MachineVerification loopInto(double normal, const machines::State& support) {
    machines::Machine machine;
    machine.states = {normalState(normal), support};
    machine.tables = {table("ヘソ", {outcome(100, 1500, support.name)}),
                      table("電チュー", {outcome(100, 1500, support.name)})};
    return verificationOf(machine);
}

// Published continuation rates: an ST and a 時短, each without and with four held spins.
TEST(MachineTheory, reproduces_published_continuation_rates) {
    struct Case {
        double denominator;
        int spins;
        int held;
        double published; // percent, to the digits published
        double within;
    };
    for (const Case& known :
         {Case{99.4, 163, 0, 80.8, 0.05}, Case{99.4, 163, 4, 81.5, 0.05},
          Case{319.6, 100, 0, 26.90, 0.005}, Case{319.6, 100, 4, 27.81, 0.005}}) {
        const MachineTheory theory = theoryOf(loopInto(
            319.6, supportState("RUSH", known.denominator, known.spins, "電チュー", known.held)));
        EXPECT_NEAR(continuationOf(theory, "RUSH") * 100, known.published, known.within)
            << known.denominator << " " << known.spins << "+" << known.held;
        // Each hit continues with chance c, so the chain holds 1 ÷ (1 − c) hits.
        EXPECT_NEAR(theory.chain.hitsPerFirstHit, 1 / (1 - continuationOf(theory, "RUSH")), 1e-9);
    }
}

TEST(MachineTheory, closed_forms_of_small_machines_worked_by_hand) {
    // ST of 10 spins at 1/10, no held spins: c = 1 − 0.9^10 = 0.6513215599; a stay lasts
    // (1 − 0.9^10) ÷ 0.1 = 6.513215599 spins. A chain has 1 ÷ (1 − c) = 2.867972 hits, one
    // stay after each, so 2.867972 × 6.513216 = 18.679720 support spins per first hit.
    machines::State st = supportState("ST", 10, 10, "電チュー");
    st.supportNetBalls = -2;
    MachineTheory theory = theoryOf(loopInto(100, st));
    EXPECT_NEAR(continuationOf(theory, "ST"), 0.6513215599, 1e-9);
    EXPECT_NEAR(theory.chain.normalSpinsPerFirstHit, 100, 1e-9);
    EXPECT_NEAR(theory.chain.hitsPerFirstHit, 2.867972, 1e-6);
    EXPECT_NEAR(theory.chain.supportSpinsPerFirstHit, 18.679720, 1e-5);
    EXPECT_NEAR(theory.chain.payoutBallsPerFirstHit, 1500 * 2.867972, 1e-2);
    EXPECT_NEAR(theory.chain.supportBallsPerFirstHit, -2 * 18.679720, 1e-4);

    // 1種2種 RUSH: a hit at 1/95.2 against 転落 at 1/302 on every spin: the hit wins with
    // chance p ÷ (p + q) = 302 ÷ 397.2 = 0.760322, and a stay lasts 1 ÷ (p + q) = 72.38276
    // spins. With 小当り at 1/10 paying 12 balls, a spin gains 1.2 balls.
    machines::State rush = supportState("RUSH", 95.2, 0, "電チュー");
    rush.fall = machines::Shift{302, "通常", 0, 0};
    rush.smallHits = machines::SmallHits{10, 12};
    theory = theoryOf(loopInto(200, rush));
    EXPECT_NEAR(continuationOf(theory, "RUSH"), 302 / 397.2, 1e-9);
    const double hits = 1 / (1 - 302 / 397.2);
    EXPECT_NEAR(theory.chain.supportSpinsPerFirstHit, hits / (1 / 95.2 + 1 / 302.0), 1e-6);
    EXPECT_NEAR(theory.chain.smallHitBallsPerFirstHit, 1.2 * theory.chain.supportSpinsPerFirstHit,
                1e-9);

    // The same with 20 guaranteed spins before 転落 may come: the first 20 spins hit with
    // 1 − (1 − 1/95.2)^20 = 0.190413; the rest competes as above.
    rush.fall->guaranteedSpins = 20;
    rush.smallHits.reset();
    theory = theoryOf(loopInto(200, rush));
    const double early = 1 - std::pow(1 - 1 / 95.2, 20);
    EXPECT_NEAR(continuationOf(theory, "RUSH"), early + (1 - early) * 302 / 397.2, 1e-9);
}

// A tier: a RUSH whose hits lead to an upper RUSH one time in five; the upper RUSH is reached
// only through the first. From a first hit: half enter RUSH; a hit in RUSH enters the upper
// tier with 0.2, or stays in RUSH with 0.8 and continues with c = 1 − 0.9^10, so
// Z = 0.2 ÷ (1 − 0.8 c); the first hit reaches it with 0.5 × c × Z.
TEST(MachineTheory, a_tier_is_entered_only_through_the_first_rush) {
    machines::Machine machine;
    machine.states = {normalState(100), supportState("RUSH", 10, 10, "RUSH"),
                      supportState("上位RUSH", 10, 20, "上位")};
    machine.tables = {table("ヘソ", {outcome(50, 300, "RUSH"), outcome(50, 300, "通常")}),
                      table("RUSH", {outcome(80, 1000, "RUSH"), outcome(20, 1000, "上位RUSH")}),
                      table("上位", {outcome(100, 1500, "上位RUSH")})};
    const MachineTheory theory = theoryOf(verificationOf(machine));
    const double c = 1 - std::pow(0.9, 10);
    const double fromRush = 0.2 / (1 - 0.8 * c);
    EXPECT_NEAR(enteringOf(theory, "RUSH"), 0.5, 1e-12);
    EXPECT_NEAR(enteringOf(theory, "上位RUSH"), 0.5 * c * fromRush, 1e-12);
    EXPECT_NEAR(continuationOf(theory, "上位RUSH"), 1 - std::pow(0.9, 20), 1e-12);
}

// 通常 at 1/4 with a ceiling of 2 counted spins into a 天井 state that hits for sure. From count
// 0: a hit at spin 1 (1/4), at spin 2 (3/4 · 1/4 = 3/16), otherwise (9/16) the ceiling; normal
// spins 1 + 3/4 = 1.75. From count 1: one spin, the ceiling with 3/4. At 4 yen a ball and
// 10 balls a spin, a 100-ball chain is worth 400 yen: 400 − 1.75 × 40 = 330, 400 − 40 = 360.
TEST(MachineTheory, the_ceiling_count_is_solved_exactly) {
    machines::Machine machine;
    machine.states = {normalState(4), supportState("天井", 1, 1, "電チュー")};
    machine.tables = {table("ヘソ", {outcome(100, 100, "通常")}),
                      table("電チュー", {outcome(100, 100, "通常")})};
    machine.ceiling = machines::Ceiling{2, "天井", 0, {"通常"}};
    MachineVerification verification = verificationOf(machine);
    verification.campaign.exchangeBallsPer100Yen = 25;
    verification.campaign.spinsPer1000Yen = 25;
    const MachineTheory theory = theoryOf(verification);
    EXPECT_NEAR(theory.chain.normalSpinsPerFirstHit, 1.75, 1e-12);
    EXPECT_NEAR(theory.chain.ceilingPerFirstHit, 9.0 / 16, 1e-12);
    EXPECT_NEAR(theory.chain.supportSpinsPerFirstHit, 9.0 / 16, 1e-12);
    ASSERT_EQ(theory.ceiling.byCount.size(), 3U);
    EXPECT_NEAR(theory.ceiling.byCount[0].normalSpins, 1.75, 1e-12);
    EXPECT_NEAR(theory.ceiling.byCount[0].cashYen, 330, 1e-9);
    EXPECT_NEAR(theory.ceiling.byCount[1].cashYen, 360, 1e-9);
    EXPECT_NEAR(theory.ceiling.byCount[2].cashYen, 400, 1e-9); // the ceiling at once
    EXPECT_EQ(theory.ceiling.breakEvenCount, 0);
}

// The 遊タイム sample: normal play at 1/319.6 with a c時短 at 1/2000 that keeps the count, and a
// ceiling at 950 spins. The closer the count is to the ceiling, the fewer normal spins the next
// first hit takes, and the value turns positive at the break-even count and stays so.
TEST(MachineTheory, the_ceiling_value_grows_towards_the_ceiling) {
    const machines::Checked<MachineVerification> read =
        machines::readMachineFile(machineSamplesFolder() / pathFromUtf8("月光タイム319.json"));
    ASSERT_TRUE(read.ok()) << read.problem();
    const MachineTheory theory = theoryOf(read.value());
    const auto& values = theory.ceiling.byCount;
    ASSERT_EQ(values.size(), 951U);
    for (std::size_t count = 1; count < values.size(); ++count) {
        EXPECT_LT(values[count].normalSpins, values[count - 1].normalSpins) << count;
    }
    // Without the ceiling the first hit takes 1 ÷ (1/319.6 + 1/2000) spins counting the c時短
    // as a way out; the ceiling can only shorten that.
    EXPECT_LT(theory.chain.normalSpinsPerFirstHit, 319.6);
    EXPECT_GT(theory.chain.ceilingPerFirstHit, 0.0);
    ASSERT_TRUE(theory.ceiling.breakEvenCount.has_value());
    EXPECT_GE(values[static_cast<std::size_t>(*theory.ceiling.breakEvenCount)].cashYen, 0);
    EXPECT_LT(values[static_cast<std::size_t>(*theory.ceiling.breakEvenCount) - 1].cashYen, 0);
}

// A border published as 17.4 at 4 yen a ball is 17.4 × 4 ÷ rate at any other rate.
TEST(MachineTheory, cash_border_scales_with_the_exchange_value) {
    machines::Machine machine;
    machine.states = {normalState(319.6)};
    // The payout that puts the border at 17.365 spins per 1000 yen at 4 yen: 250 n ÷ balls.
    machine.tables = {table("ヘソ", {outcome(100, 250 * 319.6 / 17.365, "通常")})};
    MachineVerification verification = verificationOf(machine);
    verification.campaign.investmentUnitYen = 100;
    struct Case {
        double yenPerBall;
        double border;
    };
    for (const Case& rate : {Case{4, 17.4}, Case{3.5, 19.8}, Case{3, 23.2}, Case{2.5, 27.8}}) {
        verification.campaign.exchangeBallsPer100Yen = 100 / rate.yenPerBall;
        const MachineTheory theory = theoryOf(verification);
        EXPECT_NEAR(std::round(theory.cash.plainBorder * 10) / 10, rate.border, 1e-9)
            << rate.yenPerBall;
        // Exchanging the balls left of a purchase loses only below 4 yen a ball.
        if (rate.yenPerBall < 4) {
            EXPECT_GT(theory.cash.border, theory.cash.plainBorder);
        } else {
            EXPECT_NEAR(theory.cash.border, theory.cash.plainBorder, 1e-9);
        }
        // On held balls the border does not depend on the rate: 250 balls ÷ balls per spin.
        EXPECT_NEAR(theory.held.border, 17.365, 1e-9);
    }
}

TEST(MachineTheory, money_figures_at_a_chosen_held_ball_share) {
    const machines::Checked<MachineVerification> read =
        machines::readMachineFile(machineSamplesFolder() / pathFromUtf8("星海ST199.json"));
    ASSERT_TRUE(read.ok()) << read.problem();
    const MachineTheory theory = theoryOf(read.value(), 0.5);
    // Balance per spin is linear in the share, apart from the exchange loss, which only cash
    // play has; at 28 balls per 100 yen the loss is positive, so the middle lies below the mean.
    EXPECT_LT(theory.mixed.balancePerSpin,
              (theory.cash.balancePerSpin + theory.held.balancePerSpin) / 2 + 1e-12);
    EXPECT_GT(theory.mixed.balancePerSpin, theory.cash.balancePerSpin);
    EXPECT_LT(theory.mixed.border, theory.cash.border);
    EXPECT_GT(theory.mixed.border, theory.held.border);
}

// A classic verification converted into states gives the classic theory of its .pac. The
// classic theory counts the engine's own draws over 2^24 generator values, which differ from
// 1/N by less than 2·10^-4 relatively; the converted machine uses 1/N itself. On the heavy
// limiter machine that moves 回転単価 by a hundredth of a yen, so each machine is also solved
// with the engine's own chances put in its states and tables (hits and symbols): then every
// figure agrees to rounding, which checks the states themselves (the unrolled limiter and
// carried-over 時短 included) exactly.
TEST(MachineTheory, converted_classic_samples_match_the_classic_theory) {
    TempFolder folder;
    for (const SampleDefinition& sample : sampleDefinitions()) {
        const char* name = sample.name.c_str();
        const CampaignSetup setup = loadedSetup(folder, sample, 1);
        const TheoryOutcome classic = theoreticalFigures(setup.loaded, setup.countdown);
        ASSERT_TRUE(classic.ok());
        const machines::Checked<MachineVerification> converted =
            machines::convertClassic(setup.conditions);
        ASSERT_TRUE(converted.ok()) << name << ": " << converted.problem();
        const MachineTheory theory = theoryOf(converted.value());
        const auto near = [&](double ours, double theirs, const char* what, double share) {
            EXPECT_NEAR(ours / theirs, 1, share) << name << " " << what;
        };
        near(theory.chain.normalSpinsPerFirstHit, classic->spinsPerFirstHit, "初当り", 2e-4);
        near(theory.chain.hitsPerFirstHit, classic->meanStreak, "平均連荘", 2e-4);
        near(theory.chain.payoutBallsPerFirstHit, classic->payoutPerFirstHit, "出玉", 2e-4);
        near(theory.held.border, classic->onHeldBalls.border, "ボーダー", 3e-4);

        MachineVerification drawn = converted.value();
        const double denominator = drawn.machine.states.front().hitDenominator;
        for (machines::State& state : drawn.machine.states) {
            const double chance = spinHitChance(state.hitDenominator, setup.countdown);
            ASSERT_TRUE(state.hitDenominator == denominator ||
                        state.hitDenominator == denominator / 6);
            state.hitDenominator = 1 / chance;
        }
        for (machines::AllocationTable& table : drawn.machine.tables) {
            const std::vector<double> chances =
                symbolChances(static_cast<int>(table.outcomes.size()));
            for (std::size_t symbol = 0; symbol < chances.size(); ++symbol) {
                table.outcomes[symbol].weight = chances[symbol] * 100;
            }
        }
        const MachineTheory exact = theoryOf(drawn);
        near(exact.chain.normalSpinsPerFirstHit, classic->spinsPerFirstHit, "初当り", 1e-9);
        near(exact.chain.hitsPerFirstHit, classic->meanStreak, "平均連荘", 1e-9);
        near(exact.chain.payoutBallsPerFirstHit, classic->payoutPerFirstHit, "出玉", 1e-9);
        near(exact.chain.supportSpinsPerFirstHit, classic->shortSpinsPerFirstHit, "時短回転", 1e-9);
        near(exact.chain.hoursPerFirstHit, classic->hoursPerFirstHit, "時間", 1e-9);
        // The money figures come from the chain's figures through formulas of their own on
        // either side, which round differently: they agree to a few parts in 10^8. 回転単価 is
        // a small difference of large figures: compare it in yen.
        EXPECT_NEAR(exact.held.balancePerSpin, classic->onHeldBalls.balancePerSpin, 1e-5) << name;
        near(exact.held.border, classic->onHeldBalls.border, "ボーダー", 1e-7);
    }
}

// A limiter whose count no streak of a sample would reach, with 時短 symbols, needs a state for
// every streak length with every 時短 spin: too many, and refused so.
TEST(MachineTheory, classic_conversion_refuses_a_limiter_beyond_any_streak) {
    TempFolder folder;
    const SampleDefinition sample =
        withCondition(sampleNamed("リミッター5回399"), Field::条件_リミッター数, "250");
    const CampaignSetup setup = loadedSetup(folder, sample, 1);
    const machines::Checked<MachineVerification> converted =
        machines::convertClassic(setup.conditions);
    ASSERT_FALSE(converted.ok());
    EXPECT_NE(converted.problem().find("状態が 3000 を超える"), std::string::npos)
        << converted.problem();
}

} // namespace
} // namespace zelkora::testing

namespace zelkora::testing {
namespace {

// 甘デジ99: 確変 (1000 balls), two 次まで時短 (800) and 通常 with 時短 50 (400), a quarter each.
TEST(ClassicConversion, a_classic_symbol_table_becomes_states_and_one_table) {
    TempFolder folder;
    const CampaignSetup setup = loadedSetup(folder, sampleNamed("甘デジ99次まで時短"), 1);
    const machines::Checked<MachineVerification> converted =
        machines::convertClassic(setup.conditions);
    ASSERT_TRUE(converted.ok()) << converted.problem();
    const machines::Machine& machine = converted.value().machine;
    std::vector<std::string> names;
    for (const machines::State& state : machine.states) {
        names.push_back(state.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"通常", "確変", "次まで時短", "時短50"}));
    EXPECT_DOUBLE_EQ(machine.state("確変")->hitDenominator, 99.0 / 6);
    EXPECT_EQ(machine.state("時短50")->spinLimit, 50);
    EXPECT_EQ(machine.state("時短50")->after, "通常");
    EXPECT_EQ(machine.state("次まで時短")->spinLimit, 0);
    ASSERT_EQ(machine.tables.size(), 1U);
    const std::vector<machines::Allocation>& outcomes = machine.tables[0].outcomes;
    ASSERT_EQ(outcomes.size(), 4U);
    EXPECT_EQ(outcomes[3].next, "時短50");
    EXPECT_DOUBLE_EQ(outcomes[3].balls, 400);
    for (const machines::Allocation& outcome : outcomes) {
        EXPECT_DOUBLE_EQ(outcome.weight, 25);
    }
    // The campaign as the classic conditions hold it.
    const machines::Campaign& campaign = converted.value().campaign;
    EXPECT_EQ(campaign.playSchedule, "00111111000000");
    EXPECT_EQ(campaign.days, 30);
    EXPECT_DOUBLE_EQ(campaign.spinsPer1000Yen, 22);
    EXPECT_EQ(campaign.investmentUnitYen, 500);
    // Written and read back, it is the same verification.
    const machines::Checked<MachineVerification> again =
        machines::parseMachineFile(machines::machineFileText(converted.value()));
    ASSERT_TRUE(again.ok()) << again.problem();
    EXPECT_EQ(again.value(), converted.value());
}

// Conditions a damaged file can hold are refused with a reason, never cast out of range.
TEST(ClassicConversion, numbers_out_of_range_are_refused) {
    TempFolder folder;
    const CampaignSetup setup = loadedSetup(folder, sampleNamed("定番確変315"), 1);
    struct Case {
        Field field;
        const char* text;
        std::string_view reason;
    };
    for (const Case& damaged :
         {Case{Field::条件_絵柄数, "1e30", "絵柄の数"}, Case{Field::条件_絵柄数, "-3", "絵柄の数"},
          Case{Field::条件_何日分, "1e30", "何日分"},
          Case{Field::条件_投資上限日, "-1e300", "投資上限"},
          Case{Field::条件_確率, "3", "状態「確変」の大当り確率"}}) {
        StoredConditions conditions = setup.conditions;
        conditions.basic[basicColumnIndex(damaged.field)] = damaged.text;
        const machines::Checked<MachineVerification> converted =
            machines::convertClassic(conditions);
        ASSERT_FALSE(converted.ok()) << damaged.text;
        EXPECT_NE(converted.problem().find(damaged.reason), std::string::npos)
            << converted.problem();
    }
}

TEST(ClassicConversion, a_file_that_is_no_verification_is_refused) {
    TempFolder folder;
    const std::filesystem::path garbage = folder.file("garbage.pac");
    {
        std::ofstream stream(garbage, std::ios::binary);
        stream << "not a verification";
    }
    const machines::Checked<MachineVerification> converted = machines::convertClassicFile(garbage);
    ASSERT_FALSE(converted.ok());
    EXPECT_NE(converted.problem().find("garbage.pac"), std::string::npos) << converted.problem();
    EXPECT_FALSE(machines::convertClassicFile(folder.file("ない.pac")).ok());
    EXPECT_FALSE(std::filesystem::exists(folder.file("ない.pac")));
}

// 時給 is the balance per spin over the hours per first hit, and the plain border on cash is
// 1000 n ÷ (balls · yen per ball): here 1/200, 5000 balls a first hit, 4 yen a ball:
// 1000 × 200 ÷ 20000 = 10 spins per 1000 yen.
TEST(MachineTheory, hourly_balance_and_border_of_a_single_hit_machine) {
    machines::Machine machine;
    machine.states = {normalState(200)};
    machine.tables = {table("ヘソ", {outcome(100, 5000, "通常")})};
    MachineVerification verification = verificationOf(machine);
    verification.campaign.exchangeBallsPer100Yen = 25;
    verification.campaign.spinSeconds = 6;
    const MachineTheory theory = theoryOf(verification);
    EXPECT_NEAR(theory.cash.plainBorder, 10, 1e-9);
    EXPECT_NEAR(theory.cash.border, 10, 1e-9); // no loss at 4 yen a ball
    // 200 spins of 6 s and one big hit of 180 s: 1380 s a first hit.
    EXPECT_NEAR(theory.chain.hoursPerFirstHit, 1380.0 / 3600, 1e-12);
    EXPECT_NEAR(theory.cash.balancePerHour, theory.cash.balancePerSpin * 200 / (1380.0 / 3600),
                1e-9);
    // 27 spins per 1000 yen: 9.259 balls a spin cost 37.04 yen; a spin brings 25 balls, 100 yen.
    EXPECT_NEAR(theory.cash.balancePerSpin, 100 - 250.0 / 27 * 4, 1e-9);
}

// An outcome of weight 0 into a state that nothing else reaches, whose play ends in a second
// normal-play state, changes no figure: its gap is solved like every other, but no first hit
// can come there.
TEST(MachineTheory, an_outcome_of_weight_zero_changes_nothing) {
    machines::Machine machine;
    machines::State side = supportState("特殊", 50, 5, "電チュー");
    side.after = "別通常";
    machines::State otherNormal = normalState(200);
    otherNormal.name = "別通常";
    machine.states = {normalState(100), supportState("ST", 10, 10, "電チュー"), side, otherNormal};
    machine.tables = {table("ヘソ", {outcome(100, 1000, "ST"), outcome(0, 1000, "特殊")}),
                      table("電チュー", {outcome(100, 1000, "ST")})};
    const MachineTheory with = theoryOf(verificationOf(machine));
    machine.states.resize(2);
    machine.tables[0].outcomes.pop_back();
    const MachineTheory without = theoryOf(verificationOf(machine));
    EXPECT_EQ(with.chain.normalSpinsPerFirstHit, without.chain.normalSpinsPerFirstHit);
    EXPECT_EQ(with.chain.hitsPerFirstHit, without.chain.hitsPerFirstHit);
    EXPECT_EQ(with.chain.supportSpinsPerFirstHit, without.chain.supportSpinsPerFirstHit);
    EXPECT_EQ(with.cash.balancePerSpin, without.cash.balancePerSpin);
    EXPECT_NEAR(continuationOf(with, "ST"), 1 - std::pow(0.9, 10), 1e-12);
}

} // namespace
} // namespace zelkora::testing
