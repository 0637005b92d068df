#include "engine/quiet_spins.h"
#include "files/condition_file_writer.h"
#include "files/sample_definitions.h"
#include "files/working_copy_file.h"
#include "platform/pcg_random_source.h"
#include "results/window_conditions.h"
#include "run_harness.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <limits>
#include <pcg_random.hpp>
#include <random>

namespace zelkora::testing {
namespace {

// --- The bounds of a run of quiet spins ---------------------------------------------------------

// Adds `step` as the spin loop does until the sum reaches `limit`: how many sums stay below it.
std::int64_t exactStepsBelow(double limit, double start, double step) {
    std::int64_t steps = 0;
    for (double sum = start + step; sum < limit; sum += step) {
        ++steps;
    }
    return steps;
}

TEST(QuietSpinBounds, NeverPassTheLimitAndFallShortByAFewSteps) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int trial = 0; trial < 2000; ++trial) {
        const double step = 0.001 + unit(random) * 30;
        const double limit = 3600 * (1 + static_cast<int>(unit(random) * 15));
        const double start = unit(random) * limit;
        const std::int64_t safe = stepsBelow(limit, start, step, limit + step);
        const std::int64_t exact = exactStepsBelow(limit, start, step);
        ASSERT_LE(safe, exact) << "step " << step << " from " << start << " to " << limit;
        ASSERT_GE(safe, exact - 2) << "step " << step << " from " << start << " to " << limit;
    }
}

TEST(QuietSpinBounds, AllowNothingAtOrPastTheLimitOrForAStepThatDoesNotAdvance) {
    EXPECT_EQ(stepsBelow(3600, 3600, 10, 4000), 0);
    EXPECT_EQ(stepsBelow(3600, 3595, 10, 4000), 0);
    EXPECT_EQ(stepsBelow(3600, 0, 0, 4000), 0);
    EXPECT_EQ(stepsBelow(3600, 0, -1, 4000), 0);
    EXPECT_EQ(stepsBelow(3600, std::numeric_limits<double>::quiet_NaN(), 10, 4000), 0);
    EXPECT_EQ(stepsBelow(std::numeric_limits<double>::infinity(), 0, 10, 4000), kManyQuietSpins);
}

// Held balls spent a spin's worth at a time: the spins that start with more than that.
std::int64_t exactSpinsBeforePurchase(double heldBalls, double ballsPerSpin) {
    std::int64_t spins = 0;
    while (heldBalls - ballsPerSpin > 0) {
        heldBalls -= ballsPerSpin;
        ++spins;
    }
    return spins;
}

TEST(QuietSpinBounds, CountSpinsBeforeAPurchaseWithoutEverPassingOne) {
    // 27 spins per 1000 yen: 250 / 27 balls in single precision, as a run holds it.
    const double perSpin = static_cast<float>(250.0F / 27.0F);
    for (const double held : {0.0, perSpin, perSpin * 2, 125.0, 124.99, 2000.0, 31337.5}) {
        const std::int64_t safe = spinsBeforePurchase(held, perSpin);
        const std::int64_t exact = exactSpinsBeforePurchase(held, perSpin);
        EXPECT_LE(safe, exact) << held;
        EXPECT_GE(safe, exact - 2) << held;
    }
}

TEST(QuietSpinBounds, PlayNoMorePurchasesThanAllowed) {
    const NormalSpinRules rules{static_cast<float>(250.0F / 27.0F), 125};
    const std::int64_t spacing = purchaseSpacing(rules);
    EXPECT_GE(spacing, 12);
    EXPECT_LE(spacing, 14);
    for (const double held : {0.0, 3.5, 60.0, 400.0}) {
        for (const std::int64_t allowed : {0, 1, 2, 5}) {
            const std::int64_t spins =
                normalSpinsWithin(spinsBeforePurchase(held, rules.ballsPerSpin), spacing, allowed);
            double balls = held;
            std::int64_t purchases = 0;
            for (std::int64_t spin = 0; spin < spins; ++spin) {
                if (!(balls - rules.ballsPerSpin > 0)) {
                    balls += rules.unitBalls;
                    ++purchases;
                }
                balls -= rules.ballsPerSpin;
            }
            EXPECT_LE(purchases, allowed) << held << " " << allowed;
        }
    }
    // A unit smaller than a spin's balls leaves nothing to count on after a purchase.
    EXPECT_EQ(purchaseSpacing({30, 25}), 0);
}

// Normal spins as the spin loop plays them one at a time.
struct SpinBySpin {
    std::int64_t cashSpins = 0;
    std::int64_t purchases = 0;
    double heldBalls = 0;
};
SpinBySpin playOneAtATime(double heldBalls, const NormalSpinRules& rules, std::int64_t spins) {
    SpinBySpin played{0, 0, heldBalls};
    for (std::int64_t spin = 0; spin < spins; ++spin) {
        const bool due = !(played.heldBalls - rules.ballsPerSpin > 0);
        played.cashSpins += rules.unitBalls > played.heldBalls ? 1 : 0;
        if (due) {
            played.heldBalls += rules.unitBalls;
            ++played.purchases;
        }
        played.heldBalls -= rules.ballsPerSpin;
    }
    return played;
}

TEST(QuietSpinRuns, CountCashAndHeldBallSpinsAsSpinBySpinPlayDoes) {
    const SpinDraw neverHits(1000, 0, 0);
    for (const double perSpin : {static_cast<double>(250.0F / 27.0F), 10.0, 12.5, 125.0 / 3}) {
        const NormalSpinRules rules{perSpin, 125};
        for (const double held : {0.0, 3.25, 60.0, 124.75, 125.0, 126.0, 400.0, 5000.0}) {
            const std::vector<float> draws(1000, 0.5F);
            const bool onCash = rules.unitBalls > held;
            const std::int64_t spins =
                onCash
                    ? std::min<std::int64_t>(normalSpinsWithin(spinsBeforePurchase(held, perSpin),
                                                               purchaseSpacing(rules), 30),
                                             1000)
                    : std::min<std::int64_t>(spinsOnHeldBalls(held, rules), 1000);
            const auto span = std::span<const float>(draws).first(static_cast<std::size_t>(spins));
            RepeatedStep seconds(10);
            RepeatedStep spent(-perSpin);
            const QuietRun run = onCash
                                     ? playCashSpins(span, neverHits, rules, seconds, 0, held)
                                     : playHeldBallSpins(span, neverHits, spent, seconds, 0, held);
            const SpinBySpin expected = playOneAtATime(held, rules, spins);
            EXPECT_EQ(run.spins, spins);
            EXPECT_EQ(run.cashSpins, expected.cashSpins) << perSpin << " from " << held;
            EXPECT_EQ(run.purchases, expected.purchases) << perSpin << " from " << held;
            EXPECT_EQ(run.heldBalls, expected.heldBalls) << perSpin << " from " << held;
            EXPECT_EQ(run.dayClock, 10.0 * static_cast<double>(spins));
        }
    }
}

// --- The generator and the stream ----------------------------------------------------------------

float pcg32Value(pcg32& generator) {
    return static_cast<float>(generator() >> 8U) * (1.0F / 16777216.0F);
}

// Every kind of lanes this processor runs (the portable ones everywhere).
TEST(PcgRandomSource, GivesPcg32sOwnSequenceWhateverTheBatchSizesAndLanes) {
    for (const PcgLanes lanes : {PcgLanes::Portable, PcgLanes::Avx512}) {
        if (!PcgRandomSource::lanesAvailable(lanes)) {
            continue;
        }
        for (const std::uint64_t stream : {0ULL, 1ULL, 12345ULL}) {
            pcg32 reference = stream == 0 ? pcg32(99) : pcg32(99, stream);
            PcgRandomSource source =
                stream == 0 ? PcgRandomSource(99) : PcgRandomSource(99, stream);
            source.useLanes(lanes);
            for (const std::size_t batch : {0U, 1U, 3U, 4U, 5U, 8U, 31U, 32U, 33U, 1024U, 7U}) {
                std::vector<float> values(batch);
                source.fill(values);
                for (std::size_t index = 0; index < batch; ++index) {
                    ASSERT_EQ(values[index], pcg32Value(reference))
                        << "lanes " << static_cast<int>(lanes) << " stream " << stream << " batch "
                        << batch << " value " << index;
                }
            }
        }
    }
}

TEST(RandomStream, HandsOutPendingValuesInSequenceWithTheSingleDraws) {
    PcgRandomSource source(5);
    RandomStream stream(source);
    pcg32 reference(5);
    EXPECT_EQ(stream.next(), pcg32Value(reference));
    std::span<const float> pending = stream.pending();
    EXPECT_EQ(pending.size(), 1023U); // one batch, one value already drawn
    for (std::size_t index = 0; index < 10; ++index) {
        EXPECT_EQ(pending[index], pcg32Value(reference));
    }
    stream.take(10);
    EXPECT_EQ(stream.next(), pcg32Value(reference));
    const std::size_t rest = stream.pending().size();
    stream.take(rest);
    for (std::size_t index = 0; index < rest; ++index) {
        pcg32Value(reference);
    }
    pending = stream.pending(); // refilled, nothing dropped
    EXPECT_EQ(pending.size(), 1024U);
    EXPECT_EQ(pending[0], pcg32Value(reference));
}

class CountingPump final : public EventPump {
public:
    std::uint32_t processEvents() override {
        ++calls;
        return 5;
    }
    int calls = 0;
};

TEST(YieldPoint, SkippingCountsDownAsSingleCallsWould) {
    CountingPump pump;
    YieldPoint yield(pump);
    EXPECT_EQ(yield.skippable(), 0U);
    yield();
    EXPECT_EQ(pump.calls, 1);
    EXPECT_EQ(yield.skippable(), 5U);
    yield.skip(3);
    yield();
    yield();
    EXPECT_EQ(pump.calls, 1);
    EXPECT_TRUE(yield.due());
    yield();
    EXPECT_EQ(pump.calls, 2);
}

// --- Runs of quiet spins give what spin-by-spin play gives -------------------------------------

// Processes events at no yield point, so the loop plays runs of quiet spins.
class NeverPump final : public EventPump {
public:
    std::uint32_t processEvents() override { return std::numeric_limits<std::uint32_t>::max(); }
};

// Processes events at every yield point, so every spin is played with every check.
class EveryPump final : public EventPump {
public:
    std::uint32_t processEvents() override { return 0; }
};

struct Played {
    std::vector<std::array<std::string, 11>> records;
    std::vector<std::string> fields;
    std::int64_t heldBallSpins = 0;
    std::int64_t cashSpins = 0;
};

Played play(const StoredConditions& conditions, std::uint64_t seed, EventPump& pump,
            bool probabilityOption, bool symbolOption) {
    RunHarness run;
    run.conditions = conditions;
    if (probabilityOption) {
        run.model.commands.toggleProbabilityConvergence();
    }
    if (symbolOption) {
        run.model.commands.toggleSymbolConvergence();
    }
    PcgRandomSource source(seed);
    RandomStream stream(source);
    run.timers.seconds = 37;
    RunEngine engine(run.model, {run.ui, testFiles(), pump, run.timers, stream, testThreads()},
                     run.workingCopy);
    run.workingCopy.stored = conditions;
    applyConditions(run.model, conditions);
    run.model.commands.apply(Availability::VerificationLoaded);
    EXPECT_TRUE(engine.MK_Start().ok());
    Played played{run.workingCopy.results, {}, engine.heldBallSpins(), engine.cashSpins()};
    for (std::size_t index = 0; index < kFieldCount; ++index) {
        played.fields.push_back(run.model.fields.text(static_cast<Field>(index)));
    }
    return played;
}

void expectSamePlay(const Played& quiet, const Played& spinBySpin) {
    ASSERT_GT(quiet.records.size(), 10U);
    ASSERT_EQ(quiet.records.size(), spinBySpin.records.size());
    for (std::size_t index = 0; index < quiet.records.size(); ++index) {
        ASSERT_EQ(quiet.records[index], spinBySpin.records[index]) << "record " << index + 101;
    }
    for (std::size_t index = 0; index < kFieldCount; ++index) {
        EXPECT_EQ(quiet.fields[index], spinBySpin.fields[index])
            << fieldName(static_cast<Field>(index));
    }
    EXPECT_EQ(quiet.heldBallSpins, spinBySpin.heldBallSpins);
    EXPECT_EQ(quiet.cashSpins, spinBySpin.cashSpins);
}

// The samples' conditions as Finish writes them and a run reads them back.
StoredConditions storedConditionsOf(const SampleDefinition& sample) {
    TempFolder folder;
    const auto path = folder.file("sample.pac");
    EXPECT_TRUE(writeConditionFile(path, sample).ok());
    FileWorkingCopy file(path);
    Result<StoredConditions> stored = file.readConditions();
    EXPECT_TRUE(stored.ok());
    return stored.ok() ? stored.value() : StoredConditions{};
}

TEST(QuietSpinRuns, PlayEverySampleAsSpinBySpinPlayDoes) {
    std::vector<StoredConditions> verifications{defaultConditions()};
    for (const SampleDefinition& sample : sampleDefinitions()) {
        verifications.push_back(storedConditionsOf(sample));
    }
    int index = 0;
    for (StoredConditions& conditions : verifications) {
        conditions.basic[basicColumnIndex(Field::条件_何日分)] = "12";
        const bool probabilityOption = index % 2 == 1;
        const bool symbolOption = index % 3 == 1;
        SCOPED_TRACE(conditions.basic[basicColumnIndex(Field::条件_名前)]);
        NeverPump never;
        EveryPump every;
        const std::uint64_t seed = 11 + static_cast<std::uint64_t>(index);
        expectSamePlay(play(conditions, seed, never, probabilityOption, symbolOption),
                       play(conditions, seed, every, probabilityOption, symbolOption));
        ++index;
    }
}

// The probability option recomputes its denominator after 20 × N spins drawn under it; with
// 条件_確率 50 that falls often, inside what would otherwise be one run.
TEST(QuietSpinRuns, StopAtTheRecomputedDenominatorOfTheProbabilityOption) {
    StoredConditions conditions = defaultConditions();
    conditions.basic[basicColumnIndex(Field::条件_確率)] = "50";
    conditions.basic[basicColumnIndex(Field::条件_何日分)] = "5";
    NeverPump never;
    EveryPump every;
    expectSamePlay(play(conditions, 3, never, true, false),
                   play(conditions, 3, every, true, false));
}

// Without reinvestment the daily cap refuses the purchase after the last one it allows.
TEST(QuietSpinRuns, StopAtThePurchaseTheDailyCapRefuses) {
    StoredConditions conditions = defaultConditions();
    conditions.basic[basicColumnIndex(Field::条件_出玉を両替)] = "いいえ";
    conditions.basic[basicColumnIndex(Field::条件_投資上限日)] = "3000";
    conditions.basic[basicColumnIndex(Field::条件_何日分)] = "30";
    NeverPump never;
    EveryPump every;
    expectSamePlay(play(conditions, 8, never, false, false),
                   play(conditions, 8, every, false, false));
}

} // namespace
} // namespace zelkora::testing
