#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelkora::cli {

inline constexpr std::string_view kUsage =
    "使い方: zelkora-run FILE.pac [--seed N] [--countdown T] [--prob] [--pic] [--campaign I] "
    "[--out OUT.pac] [--csv DIR] [--json]\n"
    "        zelkora-run FILE.pac --trials K [--threads J] [--seed N] [--countdown T] [--prob] "
    "[--pic] [--ruin B] [--compare OTHER.pac] [--csv DIR] [--json]\n"
    "        zelkora-run FILE.pac --theory [--rates] [--ratio P] [--countdown T] [--csv DIR] "
    "[--json]\n"
    "        zelkora-run --rebuild FILE.pac [--csv DIR] [--json]\n"
    "        zelkora-run --setup\n";

inline constexpr int kDefaultCountdown = 1000;
inline constexpr std::int64_t kMostTrials = 10'000'000;
inline constexpr int kMostThreads = 256;

// Play the file's verification once or as many campaigns, compute its theoretical figures,
// print the figures its stored results give, or set the program up in the current folder as
// its first start does.
enum class RunMode : std::uint8_t { Play, Trials, Theory, Rebuild, Setup };

struct RunOptions {
    RunMode mode = RunMode::Play;
    std::string file;
    std::optional<std::uint64_t> seed; // empty: seeded from std::random_device
    int countdown = kDefaultCountdown;
    bool probabilityConvergence = false; // --prob checks MO_Prob
    bool symbolConvergence = false;      // --pic checks MO_Pic
    std::optional<std::string> out;
    std::optional<std::string> csv; // a folder for CSV files
    bool json = false;
    std::int64_t trials = 0;
    int threads = 0;                      // 0: one per core
    std::optional<std::int64_t> campaign; // 1-based: play that campaign of --trials alone
    bool rates = false;                   // --rates: the theory's table against the exchange rate
    std::optional<double> heldShare;      // --ratio P as 0 … 1; empty: the verification's own
    std::optional<double> ruinBankroll;   // --ruin B, yen
    std::optional<std::string> compare;   // --compare OTHER.pac
};

// The options; or the text --help or --version asks for; or the reason the command line is bad.
struct ParsedOptions {
    RunOptions options;
    std::string error;   // empty when the command line is good
    std::string request; // the help or version text, printed instead of running
};

ParsedOptions parseRunOptions(std::span<const std::string_view> arguments);

} // namespace zelkora::cli
