#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelkora::cli {

inline constexpr std::string_view kUsage =
    "usage: zelkora-run FILE.pac [--seed N] [--countdown T] [--prob] [--pic] [--out OUT.pac] "
    "[--json]\n";

inline constexpr int kDefaultCountdown = 1000;

struct RunOptions {
    std::string file;
    std::optional<std::uint64_t> seed; // empty: seeded from std::random_device
    int countdown = kDefaultCountdown;
    bool probabilityConvergence = false; // --prob checks MO_Prob
    bool symbolConvergence = false;      // --pic checks MO_Pic
    std::optional<std::string> out;
    bool json = false;
};

// The options, or the reason the command line is bad.
struct ParsedOptions {
    RunOptions options;
    std::string error; // empty when the command line is good
};

ParsedOptions parseRunOptions(std::span<const std::string_view> arguments);

} // namespace zelkora::cli
