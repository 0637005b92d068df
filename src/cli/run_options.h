#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelkora::cli {

inline constexpr std::string_view kUsage =
    "usage: zelkora-run FILE.pac [--seed N] [--countdown T] [--prob] [--pic] [--out OUT.pac] "
    "[--json]\n"
    "       zelkora-run --rebuild FILE.pac [--json]\n"
    "       zelkora-run --setup\n";

inline constexpr int kDefaultCountdown = 1000;

// Play the file's verification, print the figures its stored results give, or set the
// program up in the current folder as its first start does.
enum class RunMode : std::uint8_t { Play, Rebuild, Setup };

struct RunOptions {
    RunMode mode = RunMode::Play;
    std::string file;
    std::optional<std::uint64_t> seed; // empty: seeded from std::random_device
    int countdown = kDefaultCountdown;
    bool probabilityConvergence = false; // --prob checks MO_Prob
    bool symbolConvergence = false;      // --pic checks MO_Pic
    std::optional<std::string> out;
    bool json = false;
};

// The options; or the text --help or --version asks for; or the reason the command line is bad.
struct ParsedOptions {
    RunOptions options;
    std::string error;   // empty when the command line is good
    std::string request; // the help or version text, printed instead of running
};

ParsedOptions parseRunOptions(std::span<const std::string_view> arguments);

} // namespace zelkora::cli
