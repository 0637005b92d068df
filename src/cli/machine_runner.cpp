#include "machine_runner.h"

#include "console_platform.h"
#include "files/file_system.h"
#include "files/utf8_path.h"
#include "json_report.h"
#include "machine_report.h"
#include "machines/classic_conversion.h"
#include "machines/machine_file.h"
#include "machines/machine_graph.h"
#include "machines/machine_theory.h"
#include "machines/machine_trials.h"
#include "messages/error_messages.h"
#include "run_csv.h"
#include "run_options.h"
#include "runner.h"
#include "trials_csv.h"
#include "trials_report.h"

#include <charconv>
#include <optional>
#include <random>
#include <string>

namespace zelkora::cli {
namespace {

struct MachineOptions {
    std::string file;
    bool theory = false;
    std::optional<int> fromCount;
    double heldShare = 0;
    bool json = false;
    std::optional<std::uint64_t> seed;
    std::optional<std::pair<std::string, std::string>> convert;
    std::optional<std::int64_t> trials;
    int threads = 0; // 0: one per core
    std::optional<std::string> csv;
};

template <typename T> std::optional<T> numberOf(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The options, or the reason the command line is bad, in Japanese.
std::string parse(std::span<const std::string_view> arguments, MachineOptions& options) {
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string_view argument = arguments[at];
        const auto value = [&]() -> std::optional<std::string_view> {
            return at + 1 < arguments.size() ? std::optional(arguments[++at]) : std::nullopt;
        };
        if (argument == "--theory") {
            options.theory = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--from-count") {
            const auto text = value();
            const auto count = text ? numberOf<int>(*text) : std::nullopt;
            if (!count || *count < 0) {
                return "--from-count には 0 以上の整数を指定してください";
            }
            options.fromCount = *count;
        } else if (argument == "--held-share") {
            const auto text = value();
            const auto share = text ? numberOf<double>(*text) : std::nullopt;
            if (!share || !(*share >= 0 && *share <= 100)) {
                return "--held-share には 0 以上 100 以下の持ち玉比率（%）を指定してください";
            }
            options.heldShare = *share / 100;
        } else if (argument == "--seed") {
            const auto text = value();
            const auto seed = text ? numberOf<std::uint64_t>(*text) : std::nullopt;
            if (!seed) {
                return "--seed には 0 以上の整数を指定してください";
            }
            options.seed = *seed;
        } else if (argument == "--trials") {
            const auto text = value();
            const auto trials = text ? numberOf<std::int64_t>(*text) : std::nullopt;
            if (!trials || *trials < 1 || *trials > kMostTrials) {
                return "--trials には 1 から 10000000 までの整数を指定してください";
            }
            options.trials = *trials;
        } else if (argument == "--threads") {
            const auto text = value();
            const auto threads = text ? numberOf<int>(*text) : std::nullopt;
            if (!threads || *threads < 1 || *threads > kMostThreads) {
                return "--threads には 1 から 256 までの整数を指定してください";
            }
            options.threads = *threads;
        } else if (argument == "--csv") {
            const auto folder = value();
            if (!folder || folder->empty()) {
                return "--csv には CSV ファイルを書くフォルダーを指定してください";
            }
            options.csv = std::string(*folder);
        } else if (argument == "--convert") {
            const auto from = value();
            const auto to = value();
            if (!from || !to) {
                return "--convert には変換元の .pac と書き出す .json を指定してください";
            }
            options.convert = {std::string(*from), std::string(*to)};
        } else if (!argument.starts_with("--") && options.file.empty()) {
            options.file = std::string(argument);
        } else {
            return "この指定は使えません: " + std::string(argument);
        }
    }
    if (options.convert) {
        return options.file.empty() && !options.theory && !options.fromCount && !options.trials &&
                       options.threads == 0 && !options.csv
                   ? std::string{}
                   : "--convert はほかの指定と一緒には使えません";
    }
    if (options.file.empty()) {
        return "機種ファイル（.json）を指定してください";
    }
    if (options.seed && (options.theory || options.fromCount)) {
        return "--seed は遊技のときだけ指定できます";
    }
    if (options.trials && (options.theory || options.fromCount)) {
        return "--trials は --theory・--from-count と一緒には使えません";
    }
    if (options.threads > 0 && !options.trials) {
        return "--threads は --trials と一緒に指定してください";
    }
    if (options.csv && !options.trials) {
        return "機種ファイルの --csv は --trials と一緒に指定してください";
    }
    return {};
}

int convert(const MachineOptions& options, std::ostream& out, std::ostream& err) {
    const auto& [from, to] = *options.convert;
    const machines::Checked<machines::MachineVerification> converted =
        machines::convertClassicFile(pathFromUtf8(from));
    if (!converted.ok()) {
        err << "zelkora-run: " << from << ": " << converted.problem() << '\n';
        return kExitFailure;
    }
    LocalFileSystem files;
    if (const std::string problem =
            machines::writeMachineFile(files, pathFromUtf8(to), converted.value());
        !problem.empty()) {
        err << "zelkora-run: " << problem << '\n';
        return kExitFailure;
    }
    out << to << '\n';
    return kExitSuccess;
}

std::uint64_t seedOf(const MachineOptions& options, std::ostream& err) {
    if (options.seed) {
        return *options.seed;
    }
    std::random_device device;
    const std::uint64_t seed = (static_cast<std::uint64_t>(device()) << 32U) | device();
    err << "seed: " << seed << '\n';
    return seed;
}

// --trials: K campaigns on J threads, the same report and CSV files as a classic verification's.
// The CSV files are opened before the first campaign plays, so a folder that cannot take them is
// reported at once and not after the whole analysis.
int playTrials(const MachineOptions& options, const machines::MachineVerification& verification,
               std::ostream& out, std::ostream& err) {
    std::optional<CsvFolder> csv;
    std::optional<CampaignCsv> campaigns;
    if (!openTrialsCsv(options.csv, csv, campaigns, err)) {
        return kExitFailure;
    }
    const std::uint64_t seed = seedOf(options, err);
    const machines::MachineCampaigns player(verification, seed);
    CampaignAnalysis analysis(player, {*options.trials, workerThreads(options.threads)});
    ConsoleUserInterface ui(err);
    ConsolePlatform platform(ui, 0); // a machine's play reads no countdown
    const AnalysisOutcome outcome =
        analysis.run(platform.seams(), {nullptr, campaigns ? &*campaigns : nullptr});
    return finishTrials(outcome, {verification.machine.name, seed, std::nullopt}, options.json, csv,
                        out, err);
}

int playMachine(const MachineOptions& options, const machines::MachineVerification& verification,
                std::ostream& out, std::ostream& err) {
    const std::uint64_t seed = seedOf(options, err);
    const machines::MachineGraph graph = machines::buildGraph(verification.machine);
    machines::MachineFigures played(verification, graph);
    machines::playCampaign(verification, graph, seed, played);
    out << (options.json ? dumpJson(campaignJson(verification, played))
                         : campaignText(verification, played));
    return kExitSuccess;
}

int report(const MachineOptions& options, std::ostream& out, std::ostream& err) {
    const machines::Checked<machines::MachineVerification> read =
        machines::readMachineFile(pathFromUtf8(options.file));
    if (!read.ok()) {
        err << "zelkora-run: " << read.problem() << '\n';
        return kExitFailure;
    }
    if (options.trials) {
        return playTrials(options, read.value(), out, err);
    }
    if (!options.theory && !options.fromCount) {
        return playMachine(options, read.value(), out, err);
    }
    const machines::Checked<machines::MachineTheory> theory =
        machines::machineTheory(read.value(), options.heldShare);
    if (!theory.ok()) {
        err << "zelkora-run: " << theory.problem() << '\n';
        return kExitFailure;
    }
    if (options.fromCount) {
        const int counts = static_cast<int>(theory.value().ceiling.byCount.size());
        if (!read.value().machine.ceiling) {
            err << "zelkora-run: この機種には遊タイムがないため --from-count は使えません\n";
            return kExitUsage;
        }
        if (*options.fromCount >= counts) {
            err << "zelkora-run: --from-count は 0 以上 " << counts - 1
                << " 以下にしてください（遊タイムの発動回転数まで）\n";
            return kExitUsage;
        }
        out << (options.json ? dumpJson(countValueJson(theory.value(), *options.fromCount))
                             : countValueText(theory.value(), *options.fromCount));
        return kExitSuccess;
    }
    out << (options.json ? dumpJson(machineTheoryJson(read.value(), theory.value()))
                         : machineTheoryText(read.value(), theory.value()));
    return kExitSuccess;
}

} // namespace

bool namesMachineFile(std::span<const std::string_view> arguments) {
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string_view argument = arguments[at];
        // A classic run's --out and --csv name files and folders of its own.
        const bool valueOfClassicOption =
            at > 0 && (arguments[at - 1] == "--out" || arguments[at - 1] == "--csv");
        if (argument == "--convert" ||
            (!valueOfClassicOption && !argument.starts_with("--") && argument.ends_with(".json"))) {
            return true;
        }
    }
    return false;
}

int runMachine(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err) {
    MachineOptions options;
    if (const std::string problem = parse(arguments, options); !problem.empty()) {
        err << "zelkora-run: " << problem << '\n' << kMachineUsage;
        return kExitUsage;
    }
    try {
        return options.convert ? convert(options, out, err) : report(options, out, err);
    } catch (const std::exception& failure) {
        err << "zelkora-run: " << failure.what() << '\n';
        return kExitFailure;
    }
}

} // namespace zelkora::cli
