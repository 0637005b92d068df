#pragma once

#include <cstdint>
#include <filesystem>

// The default verification played headless, and the bare lottery it is measured against; shared
// by the benchmarks and by zelkora-spin-count, which callgrind runs to count instructions.
namespace zelkora::bench {

inline constexpr std::uint64_t kSeed = 1;
inline constexpr int kCountdown = 1000;

struct RunResult {
    double seconds = 0;
    std::int64_t spins = 0; // normal and time-saving spins
    std::int32_t records = 0;
};

// One run of the default verification over `days` days, as zelkora-run plays it: the result
// records written to a working copy in `folder`, or discarded when `folder` is empty. Only the
// run command itself is timed.
RunResult runDefaultVerification(int days, const std::filesystem::path& folder);

// The physical limit of a run: pcg32 inline, one value per spin made as the program's generator
// makes it, and the spin loop's own hit test, over `spins` spins; no stream, no seam, no
// accounting. Returns the hits so nothing is optimised away.
std::int64_t bareLottery(std::int64_t spins);

// The bare lottery and the least a run must add to it: `records` result records of the
// verification file's length, written with ready-made bytes into a file in `folder` that is
// then deleted, as a run's working copy is. No text is formatted or encoded.
std::int64_t bareLotteryWithRecords(std::int64_t spins, int records,
                                    const std::filesystem::path& folder);

// A fresh folder under the system's temporary folder.
std::filesystem::path makeBenchFolder();

} // namespace zelkora::bench
