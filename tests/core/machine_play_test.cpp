#include "files/utf8_path.h"
#include "machine_fixture.h"
#include "machines/machine_check.h"
#include "machines/machine_file.h"
#include "machines/machine_graph.h"
#include "machines/machine_play.h"
#include "machines/machine_theory.h"
#include "machines/pcg_batch.h"

#include <cmath>
#include <gtest/gtest.h>
#include <pcg_random.hpp>

namespace zelkora::testing {
namespace {

// Streaming mean and standard error of one figure per cycle.
struct Mean {
    double count = 0;
    double mean = 0;
    double squares = 0;
    void add(double value) {
        count += 1;
        const double delta = value - mean;
        mean += delta / count;
        squares += delta * (value - mean);
    }
    double standardError() const { return std::sqrt(squares / (count - 1) / count); }
};

// What play gathers from one first hit to the next, the figures the theory gives per first hit.
struct Cycles {
    Mean normalSpins;
    Mean hits;
    Mean supportSpins;
    Mean balls; // payout and support balls
};

Cycles playCycles(const machines::MachineGraph& graph, std::uint64_t seed, int cycles) {
    machines::MachinePlay play(graph, seed);
    machines::FreePlay free;
    machines::PlayedGap gap = play.playGap(free);
    Cycles gathered;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        double normal = 0;
        double hits = 0;
        double support = 0;
        double balls = 0;
        do {
            const machines::MachineGraph::Outcome& outcome = play.drawOutcome(gap.hitState);
            hits += 1;
            balls += outcome.balls;
            gap = play.playGap(free);
            normal += static_cast<double>(gap.normalSpins);
            support += static_cast<double>(gap.supportSpins);
            balls += gap.supportBalls;
        } while (!gap.firstHit);
        gathered.normalSpins.add(normal);
        gathered.hits.add(hits);
        gathered.supportSpins.add(support);
        gathered.balls.add(balls);
    }
    return gathered;
}

// Every sample played for 100,000 first hits agrees with its exact theory within three
// standard errors: the theory and the play are written independently, so a fault in either
// (a closed form, the ceiling count, a shift's band) shows here.
TEST(MachinePlay, every_sample_agrees_with_its_theory) {
    for (const std::filesystem::path& sample : machineSamples()) {
        const machines::Checked<machines::MachineVerification> read =
            machines::readMachineFile(sample);
        ASSERT_TRUE(read.ok()) << read.problem();
        const machines::Checked<machines::MachineTheory> theory =
            machines::machineTheory(read.value(), 0);
        ASSERT_TRUE(theory.ok());
        const machines::ChainFigures& chain = theory.value().chain;
        const machines::MachineGraph graph = machines::buildGraph(read.value().machine);
        const Cycles played = playCycles(graph, 19, 100'000);
        const auto agrees = [&](const Mean& mean, double expected, const char* what) {
            EXPECT_LT(std::abs(mean.mean - expected), 3 * mean.standardError())
                << sample.filename() << " " << what << ": played " << mean.mean << " ± "
                << mean.standardError() << ", theory " << expected;
        };
        agrees(played.normalSpins, chain.normalSpinsPerFirstHit, "通常回転");
        agrees(played.hits, chain.hitsPerFirstHit, "連チャン");
        agrees(played.supportSpins, chain.supportSpinsPerFirstHit, "電サポ回転");
        agrees(played.balls, chain.payoutBallsPerFirstHit + chain.supportBallsPerFirstHit, "出玉");
    }
}

TEST(MachinePlay, the_same_seed_plays_the_same_gaps) {
    const machines::Checked<machines::MachineVerification> read =
        machines::readMachineFile(machineSamplesFolder() / pathFromUtf8("雷神RUSH199.json"));
    ASSERT_TRUE(read.ok());
    const machines::MachineGraph graph = machines::buildGraph(read.value().machine);
    const auto sequence = [&](std::uint64_t seed) {
        machines::MachinePlay play(graph, seed);
        machines::FreePlay free;
        std::vector<std::int64_t> spins;
        for (int hit = 0; hit < 200; ++hit) {
            const machines::PlayedGap gap = play.playGap(free);
            spins.push_back(gap.normalSpins * 1000 + gap.supportSpins);
            play.drawOutcome(gap.hitState);
        }
        return spins;
    };
    EXPECT_EQ(sequence(7), sequence(7));
    EXPECT_NE(sequence(7), sequence(8));
}

} // namespace
} // namespace zelkora::testing

namespace zelkora::testing {
namespace {

// The hardest paths of the exact count, against play: a ceiling of 1,000 spins that counts the
// limited 時短 and ST spins too (so the count runs through every spin of a stay), a c時短 that
// keeps the count, and a 転落 with guaranteed spins.
TEST(MachinePlay, a_ceiling_that_counts_support_spins_agrees_with_its_theory) {
    machines::Checked<machines::MachineVerification> read =
        machines::readMachineFile(machineSamplesFolder() / pathFromUtf8("月光タイム319.json"));
    ASSERT_TRUE(read.ok());
    machines::MachineVerification verification = read.value();
    verification.machine.ceiling->spins = 400;
    verification.machine.ceiling->countedStates = {"通常", "時短", "ST"};
    machines::State& st = verification.machine.states[1];
    st.fall = machines::Shift{150, "時短", 0, 30};
    ASSERT_EQ(machines::machineProblem(verification.machine), "");
    const machines::Checked<machines::MachineTheory> theory =
        machines::machineTheory(verification, 0);
    ASSERT_TRUE(theory.ok()) << theory.problem();
    const machines::MachineGraph graph = machines::buildGraph(verification.machine);
    const Cycles played = playCycles(graph, 23, 100'000);
    const machines::ChainFigures& chain = theory.value().chain;
    for (const auto& [mean, expected] :
         {std::pair{played.normalSpins, chain.normalSpinsPerFirstHit},
          std::pair{played.hits, chain.hitsPerFirstHit},
          std::pair{played.supportSpins, chain.supportSpinsPerFirstHit},
          std::pair{played.balls, chain.payoutBallsPerFirstHit + chain.supportBallsPerFirstHit}}) {
        EXPECT_LT(std::abs(mean.mean - expected), 3 * mean.standardError())
            << "played " << mean.mean << " ± " << mean.standardError() << ", theory " << expected;
    }
    EXPECT_GT(chain.ceilingPerFirstHit, 0.05);
}

} // namespace
} // namespace zelkora::testing

namespace zelkora::testing {
namespace {

// The batches hold one pcg32's values in its order, whichever lanes compute them, across
// refills that keep a few values not yet drawn (a draw of one between loops that take two).
TEST(Pcg32Batch, gives_the_values_of_one_generator) {
    for (const machines::PcgBatchLanes lanes :
         {machines::PcgBatchLanes::Fastest, machines::PcgBatchLanes::Portable}) {
        for (const auto& [seed, stream] : {std::pair<std::uint64_t, std::uint64_t>{1, 0},
                                           {42, 7},
                                           {0xFFFF'FFFF'FFFF'FFFFULL, 1ULL << 62U}}) {
            pcg32 reference(seed, stream);
            machines::Pcg32Batch batch(seed, stream, lanes);
            for (int round = 0; round < 300; ++round) {
                ASSERT_EQ(batch(), reference()) << seed << " " << round;
                // Take a few from the pending values, as the quiet loop does, leaving an odd
                // number behind now and then.
                const std::span<const std::uint32_t> pending = batch.pending(2);
                ASSERT_GE(pending.size(), 2U);
                const std::size_t taken = 1 + static_cast<std::size_t>(round % 5) % pending.size();
                for (std::size_t index = 0; index < taken; ++index) {
                    ASSERT_EQ(pending[index], reference()) << seed << " " << round;
                }
                batch.take(taken);
            }
        }
    }
}

} // namespace
} // namespace zelkora::testing
