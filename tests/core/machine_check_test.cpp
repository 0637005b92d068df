#include "machine_fixture.h"
#include "machines/machine_check.h"

#include <functional>
#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

// Normal play at 1/100 into an ST of 50 spins at 1/20 and back, with a ceiling: sound.
machines::Machine soundMachine() {
    machines::Machine machine;
    machine.name = "試験機";
    machine.startState = "通常";
    machine.states = {normalState(100), supportState("ST", 20, 50, "電チュー", 4)};
    machine.tables = {table("ヘソ", {outcome(60, 300, "ST"), outcome(40, 300, "通常")}),
                      table("電チュー", {outcome(100, 1000, "ST")})};
    machine.ceiling = machines::Ceiling{500, "ST", 200, {"通常"}};
    return machine;
}

// Each fault of a machine built in code, with the words the message must hold.
TEST(MachineCheck, each_fault_names_its_entry) {
    using Change = std::function<void(machines::Machine&)>;
    struct Case {
        Change change;
        std::string_view message;
    };
    const Case cases[] = {
        {[](auto& m) { m.name.clear(); }, "機種名がありません"},
        {[](auto& m) { m.states[1].name = "通常"; }, "状態「通常」が二度定義されています"},
        {[](auto& m) { m.tables[1].name = "ヘソ"; }, "振り分け表「ヘソ」が二度定義されています"},
        {[](auto& m) { m.startState = "天国"; }, "開始状態「天国」という状態はありません"},
        {[](auto& m) { m.states[1].heldSpins = -1; }, "状態「ST」の回転数と残保留は 0 以上"},
        {[](auto& m) { m.states[1].after = "地獄"; },
         "状態「ST」の終了後の移行先「地獄」という状態はありません"},
        {[](auto& m) {
             m.states[1].smallHits = machines::SmallHits{0.5, 10};
         },
         "状態「ST」の小当りは 1 以上の分母"},
        {[](auto& m) {
             m.states[0].cShortTime = machines::Shift{500, "時短", 0, 0};
         },
         "状態「通常」のc時短の移行先「時短」という状態はありません"},
        {[](auto& m) {
             m.states[0].cShortTime = machines::Shift{0.5, "ST", 0, 0};
         },
         "状態「通常」のc時短の確率は 1 以上の分母で指定してください（0.5）"},
        {[](auto& m) {
             m.states[1].fall = machines::Shift{100, "通常", 0, -1};
         },
         "状態「ST」の転落の保証回転数は 0 以上"},
        {[](auto& m) {
             m.states[0].cShortTime = machines::Shift{1, "ST", 0, 0};
         },
         "状態「通常」の大当り・転落・c時短の確率の合計が 1 を超えています"},
        {[](auto& m) { m.tables[0].outcomes.clear(); }, "振り分け表「ヘソ」に振り分けがありません"},
        {[](auto& m) { m.tables[0].outcomes[0].rounds = -1; }, "ラウンド数と出玉は 0 以上"},
        {[](auto& m) { m.tables[0].outcomes[0].spins = -5; }, "の回転数は 0 以上 100000 以下"},
        // An entry with a limit into a state that has nowhere to go when it runs out.
        {[](auto& m) { m.tables[0].outcomes[1].spins = 10; },
         "は回転数を指定していますが、状態「通常」には回転数を使い切ったあとの移行先がありません"},
        {[](auto& m) { m.ceiling->spins = 0; }, "遊タイムの発動回転数は 1 以上 10000 以下"},
        {[](auto& m) { m.ceiling->countedStates.clear(); },
         "遊タイムの回転数を数える状態がありません"},
        {[](auto& m) { m.ceiling->countedStates = {"時短"}; },
         "遊タイムが数える状態「時短」はありません"},
        {[](auto& m) { m.ceiling->state = "天井"; },
         "遊タイムの移行先「天井」という状態はありません"},
    };
    ASSERT_EQ(machines::machineProblem(soundMachine()), "");
    for (const Case& fault : cases) {
        machines::Machine machine = soundMachine();
        fault.change(machine);
        const std::string problem = machines::machineProblem(machine);
        EXPECT_NE(problem.find(fault.message), std::string::npos)
            << "expected: " << fault.message << "\n     got: " << problem;
    }
}

TEST(MachineCheck, campaign_ranges_are_those_of_the_condition_pages) {
    using Change = std::function<void(machines::Campaign&)>;
    const std::pair<Change, std::string_view> cases[] = {
        {[](auto& c) { c.days = 0; }, "何日分"},
        {[](auto& c) { c.days = 10001; }, "何日分"},
        {[](auto& c) { c.exchangeBallsPer100Yen = 100.5; }, "両替率"},
        {[](auto& c) { c.spinsPer1000Yen = 0; }, "回転数/1000円"},
        {[](auto& c) { c.investmentUnitYen = 99; }, "投資単位"},
        {[](auto& c) { c.dailyCapYen = 500001; }, "投資上限"},
        {[](auto& c) { c.playSchedule = "00000000000000"; }, "遊技時間帯"},
        {[](auto& c) { c.playSchedule = "0111111111110"; }, "遊技時間帯"},
        {[](auto& c) { c.playSchedule = "0111111111113"; }, "遊技時間帯"},
        {[](auto& c) { c.serviceTimeRule = 3; }, "サービスタイム"},
        {[](auto& c) { c.supportSpinSeconds = 0; }, "一回転に要する時間"},
        {[](auto& c) { c.timeRatioPercent = 0; }, "時間比率"},
    };
    EXPECT_EQ(machines::campaignProblem(machines::Campaign{}), "");
    for (const auto& [change, message] : cases) {
        machines::Campaign campaign;
        change(campaign);
        EXPECT_NE(machines::campaignProblem(campaign).find(message), std::string::npos) << message;
    }
}

} // namespace
} // namespace zelkora::testing
