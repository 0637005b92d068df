#include "platform/pcg_random_source.h"
#include "run_harness.h"

#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

// Yields to the window at every eighth yield point, as a real pump does now and then.
class SometimesPump final : public EventPump {
public:
    std::uint32_t processEvents() override { return 7; }
};

double sumOfColumn(const MemoryWorkingCopy& copy, int column) {
    double sum = 0;
    for (const auto& record : copy.results) {
        sum += readNumber(record.at(static_cast<std::size_t>(column - 1)));
    }
    return sum;
}

struct Verification {
    std::uint64_t seed;
    bool probabilityConvergence;
    bool symbolConvergence;
};

class RunInvariants : public ::testing::TestWithParam<Verification> {};

// Whatever the draws, the records account for every spin and every hit the figures count, and
// each day ends exactly once.
TEST_P(RunInvariants, RecordsAccountForTheFigures) {
    RunHarness run;
    run.set(Field::条件_何日分, "20");
    run.set(Field::条件_確率, "60");
    run.set(Field::条件_リミッター, "はい");
    run.set(Field::条件_リミッター数, "4");
    run.set(Field::条件_投資上限日, "30000");
    run.conditions.playSchedule = "00221111222000";
    run.conditions.ruleOptionDigits = "3221";
    run.setSymbols(
        {symbol("確", "確変", 0, "無制限", 1500), symbol("確時", "確変", 30, "ラッキー", 900),
         symbol("時", "通常", 50, "通常時交換", 1200), symbol("次", "次まで時短", 0, "アウト", 800),
         symbol("通", "通常", 0, "通常時交換", 2000)});
    if (GetParam().probabilityConvergence) {
        run.model.commands.toggleProbabilityConvergence();
    }
    if (GetParam().symbolConvergence) {
        run.model.commands.toggleSymbolConvergence();
    }
    PcgRandomSource source(GetParam().seed);
    RandomStream stream(source);
    SometimesPump pump;
    run.timers.seconds = 37;
    RunEngine engine(run.model, {run.ui, testFiles(), pump, run.timers, stream, testThreads()},
                     run.workingCopy);
    run.workingCopy.stored = run.conditions;
    applyConditions(run.model, run.conditions);
    run.model.commands.apply(Availability::VerificationLoaded);
    ASSERT_TRUE(engine.MK_Start().ok());

    const MemoryWorkingCopy& copy = run.workingCopy;
    ASSERT_TRUE(copy.summary);
    EXPECT_EQ(copy.summary->count, static_cast<std::int32_t>(copy.results.size()));
    int bigHits = 0;
    int dayEnds = 0;
    for (const auto& record : copy.results) {
        bigHits += RunHarness::column(record, kBigHit) == "した" ? 1 : 0;
        const std::string& rule = RunHarness::column(record, kRule);
        dayEnds += rule == "回転数終了" || rule == "持金パンク" ? 1 : 0;
    }
    EXPECT_GT(bigHits, 20);
    EXPECT_GT(run.model.fields.number(Field::確変数表示), 0); // the modes were played
    EXPECT_GT(run.model.fields.number(Field::総時短回転数表示), 0);
    EXPECT_EQ(dayEnds, 20);
    EXPECT_EQ(run.model.fields.number(Field::総大当り数表示), bigHits);
    EXPECT_EQ(sumOfColumn(copy, kSpins), run.model.fields.number(Field::総回転数表示));
    EXPECT_EQ(sumOfColumn(copy, kShortSpins), run.model.fields.number(Field::総時短回転数表示));
    EXPECT_EQ(run.model.grids.grid3.rowCount(), 21);
    EXPECT_EQ(run.model.grids.grid1.rowCount(), copy.summary->count + 1);
    EXPECT_EQ(run.model.fields.number(Field::勝数表示) + run.model.fields.number(Field::負け数表示),
              20);
    EXPECT_EQ(engine.heldBallSpins() + engine.cashSpins(),
              run.model.fields.number(Field::総回転数表示));
}

INSTANTIATE_TEST_SUITE_P(Seeds, RunInvariants,
                         ::testing::Values(Verification{1, false, false},
                                           Verification{2, true, false},
                                           Verification{3, false, true},
                                           Verification{4, true, true}));

} // namespace
} // namespace zelkora::testing
