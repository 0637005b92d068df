#include "run_options.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <vector>

namespace zelkora::cli {
namespace {

// The help opens with the runner's usage lines instead of the one line CLI11 makes up; they
// show which options go together, so an option's line names only its value.
class UsageFormatter final : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App*, std::string) const override {
        return std::string(kUsage);
    }
    std::string make_option_opts(const CLI::Option* option) const override {
        return option->get_type_size() != 0 ? " " + option->get_type_name() : std::string();
    }
};

// Plain decimal digits only. CLI11's own conversion reads "010" as octal and lets "-1" and
// numbers beyond the type wrap around, which would quietly play another seed.
template <typename T> std::optional<T> parseUnsigned(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || last != end) {
        return std::nullopt;
    }
    return value;
}

CLI::Validator unsignedNumber(const std::string& description, std::uint64_t low,
                              std::uint64_t high) {
    return CLI::Validator(
        [low, high, description](std::string& text) -> std::string {
            const auto value = parseUnsigned<std::uint64_t>(text);
            return value && *value >= low && *value <= high ? std::string() : description;
        },
        "");
}

const CLI::Validator kNotEmpty(
    [](std::string& text) { return text.empty() ? std::string("needs a name") : std::string(); },
    "");

// The values CLI11 reads as text, converted once the command line is known to be good.
struct RawValues {
    std::string seed;
    std::string countdown;
    std::string out;
    std::string csv;
    std::string trials;
    std::string threads;
    std::string campaign;
    bool rebuild = false;
    bool setup = false;
    bool theory = false;
};

struct Declared {
    CLI::Option* rebuild;
    CLI::Option* setup;
    CLI::Option* out;
};

Declared declarePlayOptions(CLI::App& app, RunOptions& options, RawValues& raw) {
    app.add_option("file", options.file, "the verification file to play or rebuild")
        ->type_name("FILE.pac")
        ->check(kNotEmpty);
    auto* rebuild =
        app.add_flag("--rebuild", raw.rebuild, "print the figures of the run stored in FILE.pac");
    auto* setup = app.add_flag("--setup", raw.setup,
                               "set up the current folder as the program's first start does");
    rebuild->excludes(setup);
    app.add_option("--seed", raw.seed,
                   "generator seed, so a run repeats (without it the seed is printed on "
                   "standard error)")
        ->type_name("N")
        ->check(unsignedNumber("needs an unsigned 64-bit number", 0, UINT64_MAX));
    app.add_option("--countdown", raw.countdown, "Timer3's counter at Start (default 1000)")
        ->type_name("T")
        ->check(unsignedNumber("needs a number from 1 to 1000", 1, 1000));
    app.add_flag("--prob", options.probabilityConvergence, "check 確率を収束しやすくする");
    app.add_flag("--pic", options.symbolConvergence, "check 当り絵柄を収束しやすくする");
    auto* out = app.add_option("--out", raw.out,
                               "write the working copy at the end of the run, as Save would")
                    ->type_name("OUT.pac")
                    ->check(kNotEmpty);
    out->excludes(rebuild);
    out->excludes(setup);
    app.add_flag("--json", options.json, "print the figures as one JSON object");
    return {rebuild, setup, out};
}

void declareAnalysisOptions(CLI::App& app, RawValues& raw, const Declared& play) {
    auto* csv = app.add_option("--csv", raw.csv,
                               "write CSV files (UTF-8 with BOM) into DIR: the big-hit grid, "
                               "the daily grid and the overall figures of a run; with --trials "
                               "the figures of every campaign and the daily bands")
                    ->type_name("DIR")
                    ->check(kNotEmpty);
    csv->excludes(play.setup);
    auto* trials =
        app.add_option("--trials", raw.trials,
                       "play K independent campaigns and print the statistics of their figures")
            ->type_name("K")
            ->check(unsignedNumber("needs a number from 1 to 10000000", 1, kMostTrials));
    auto* threads =
        app.add_option("--threads", raw.threads, "threads for --trials (default: one per core)")
            ->type_name("J")
            ->check(unsignedNumber("needs a number from 1 to 256", 1, kMostThreads));
    threads->needs(trials);
    auto* campaign =
        app.add_option("--campaign", raw.campaign,
                       "play campaign I of --trials with the same --seed alone, as a plain run")
            ->type_name("I")
            ->check(unsignedNumber("needs a number from 1 to 10000000", 1, kMostTrials));
    auto* theory = app.add_flag("--theory", raw.theory,
                                "print the theoretical figures of the conditions (spins and "
                                "payout per first hit, mean streak, balance per spin and hour, "
                                "border)");
    for (CLI::Option* mode : {play.rebuild, play.setup, play.out, campaign}) {
        trials->excludes(mode);
    }
    for (CLI::Option* mode : {play.rebuild, play.setup, play.out, trials, campaign, csv}) {
        theory->excludes(mode);
    }
    campaign->excludes(play.rebuild);
    campaign->excludes(play.setup);
}

// What the option library cannot say: which mode needs a file, and which options a mode
// cannot use.
std::string modeProblem(const RunOptions& options) {
    if (options.mode == RunMode::Setup && !options.file.empty()) {
        return "--setup takes no file";
    }
    if (options.mode != RunMode::Setup && options.file.empty()) {
        return "no verification file";
    }
    if (options.mode == RunMode::Theory &&
        (options.probabilityConvergence || options.symbolConvergence)) {
        return "--theory assumes --prob and --pic off";
    }
    return {};
}

RunMode modeOf(const RawValues& raw) {
    if (raw.rebuild) {
        return RunMode::Rebuild;
    }
    if (raw.setup) {
        return RunMode::Setup;
    }
    if (!raw.trials.empty()) {
        return RunMode::Trials;
    }
    return raw.theory ? RunMode::Theory : RunMode::Play;
}

void adoptRawValues(const RawValues& raw, RunOptions& options) {
    options.mode = modeOf(raw);
    if (!raw.seed.empty()) {
        options.seed = parseUnsigned<std::uint64_t>(raw.seed);
    }
    if (!raw.countdown.empty()) {
        options.countdown = static_cast<int>(*parseUnsigned<unsigned>(raw.countdown));
    }
    if (!raw.out.empty()) {
        options.out = raw.out;
    }
    if (!raw.csv.empty()) {
        options.csv = raw.csv;
    }
    if (!raw.trials.empty()) {
        options.trials = *parseUnsigned<std::int64_t>(raw.trials);
    }
    if (!raw.threads.empty()) {
        options.threads = *parseUnsigned<int>(raw.threads);
    }
    if (!raw.campaign.empty()) {
        options.campaign = parseUnsigned<std::int64_t>(raw.campaign);
    }
}

} // namespace

ParsedOptions parseRunOptions(std::span<const std::string_view> arguments) {
    ParsedOptions parsed;
    RawValues raw;
    CLI::App app("Plays a verification headless on the core of ゼルコラ and prints its figures.",
                 "zelkora-run");
    app.formatter(std::make_shared<UsageFormatter>());
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.set_version_flag("--version", "zelkora-run " ZELKORA_VERSION);
    const Declared play = declarePlayOptions(app, parsed.options, raw);
    declareAnalysisOptions(app, raw, play);

    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        parsed.request = app.help();
        return parsed;
    } catch (const CLI::CallForVersion& version) {
        parsed.request = std::string(version.what()) + "\n";
        return parsed;
    } catch (const CLI::ParseError& failure) {
        parsed.error = failure.what();
        return parsed;
    }
    adoptRawValues(raw, parsed.options);
    parsed.error = modeProblem(parsed.options);
    return parsed;
}

} // namespace zelkora::cli
