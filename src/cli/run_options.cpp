#include "run_options.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <optional>
#include <string>
#include <utility>
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

// A plain decimal number ("12", "12.5"): no sign, exponent or spaces.
std::optional<double> parseDecimal(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || last != end) {
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
    [](std::string& text) {
        return text.empty() ? std::string("名前がありません") : std::string();
    },
    "");

// A decimal number from `low` to `high`, for --ratio and --ruin.
CLI::Validator decimalNumber(const std::string& description, double low, double high) {
    return CLI::Validator(
        [low, high, description](std::string& text) -> std::string {
            const std::optional<double> value = parseDecimal(text);
            return value && *value >= low && *value <= high ? std::string() : description;
        },
        "");
}

// The values CLI11 reads as text, converted once the command line is known to be good.
struct RawValues {
    std::string seed;
    std::string countdown;
    std::string out;
    std::string csv;
    std::string trials;
    std::string threads;
    std::string campaign;
    std::string ratio;
    std::string ruin;
    std::string compare;
    bool rebuild = false;
    bool setup = false;
    bool theory = false;
    bool rates = false;
};

struct Declared {
    CLI::Option* rebuild;
    CLI::Option* setup;
    CLI::Option* out;
};

Declared declarePlayOptions(CLI::App& app, RunOptions& options, RawValues& raw) {
    app.add_option("file", options.file, "遊技する・再構築する検証ファイル")
        ->type_name("FILE.pac")
        ->check(kNotEmpty);
    auto* rebuild =
        app.add_flag("--rebuild", raw.rebuild, "FILE.pac に保存された検証結果の数値を表示する");
    auto* setup =
        app.add_flag("--setup", raw.setup, "初回起動と同じように現在のフォルダをセットアップする");
    rebuild->excludes(setup);
    app.add_option("--seed", raw.seed,
                   "乱数の種。同じ種なら同じ結果になる（指定しなければ標準エラーに表示する）")
        ->type_name("N")
        ->check(unsignedNumber("0 から 18446744073709551615 までの整数を指定してください", 0,
                               UINT64_MAX));
    app.add_option("--countdown", raw.countdown, "スタート時の Timer3 のカウンタ（既定 1000）")
        ->type_name("T")
        ->check(unsignedNumber("1 から 1000 までの整数を指定してください", 1, 1000));
    app.add_flag("--prob", options.probabilityConvergence, "確率を収束しやすくする");
    app.add_flag("--pic", options.symbolConvergence, "当り絵柄を収束しやすくする");
    auto* out = app.add_option("--out", raw.out,
                               "検証終了時の作業ファイルを、上書き保存と同じように保存する")
                    ->type_name("OUT.pac")
                    ->check(kNotEmpty);
    out->excludes(rebuild);
    out->excludes(setup);
    app.add_flag("--json", options.json, "数値を 1 つの JSON オブジェクトで表示する");
    return {rebuild, setup, out};
}

struct AnalysisDeclared {
    CLI::Option* trials;
    CLI::Option* campaign;
    CLI::Option* csv;
};

AnalysisDeclared declareTrialOptions(CLI::App& app, RawValues& raw, const Declared& play) {
    auto* csv = app.add_option("--csv", raw.csv,
                               "CSV ファイル（BOM 付き UTF-8）を DIR に書く：検証の大当り一覧・日"
                               "合計・総合データ、--trials では各試行の数値と日ごとの分布、"
                               "--theory では理論値と交換率の表")
                    ->type_name("DIR")
                    ->check(kNotEmpty);
    csv->excludes(play.setup);
    auto* trials =
        app.add_option("--trials", raw.trials,
                       "独立した K 回の検証を行い、その数値の統計を表示する")
            ->type_name("K")
            ->check(unsignedNumber("1 から 10000000 までの整数を指定してください", 1, kMostTrials));
    auto* threads =
        app.add_option("--threads", raw.threads, "--trials のスレッド数（既定: コア数）")
            ->type_name("J")
            ->check(unsignedNumber("1 から 256 までの整数を指定してください", 1, kMostThreads));
    threads->needs(trials);
    auto* campaign =
        app.add_option("--campaign", raw.campaign,
                       "同じ --seed の --trials の試行 I だけを、普通の検証として行う")
            ->type_name("I")
            ->check(unsignedNumber("1 から 10000000 までの整数を指定してください", 1, kMostTrials));
    auto* ruin = app.add_option("--ruin", raw.ruin,
                                "--trials で、軍資金 B 円が検証の途中で尽きる確率を表示する")
                     ->type_name("B")
                     ->check(decimalNumber("0 より大きく 10000000000 以下の金額（円）を指定して"
                                           "ください",
                                           1e-9, 1e10));
    ruin->needs(trials);
    auto* compare =
        app.add_option("--compare", raw.compare,
                       "--trials で、もう 1 つの検証を同じ乱数列で行い、最終収支の差を表示する")
            ->type_name("OTHER.pac")
            ->check(kNotEmpty);
    compare->needs(trials);
    compare->excludes(csv);
    for (CLI::Option* mode : {play.rebuild, play.setup, play.out, campaign}) {
        trials->excludes(mode);
    }
    campaign->excludes(play.rebuild);
    campaign->excludes(play.setup);
    return {trials, campaign, csv};
}

void declareTheoryOptions(CLI::App& app, RawValues& raw, const Declared& play,
                          const AnalysisDeclared& analysis) {
    auto* theory = app.add_flag("--theory", raw.theory,
                                "遊技せずに条件から理論値を表示する（初当り・大当りあたりの回転"
                                "数と出玉、平均連荘、回転単価、時給、ボーダー、はまりの確率）");
    auto* rates = app.add_flag("--rates", raw.rates,
                               "理論値に、交換率（25・28・30・33・40 玉）と回転数/1000円ごとの"
                               "回転単価・時給とボーダーの表を加える");
    auto* ratio = app.add_option("--ratio", raw.ratio,
                                 "理論値の持ち玉比率 P %（既定: 保存された検証の持ち玉比率）")
                      ->type_name("P")
                      ->check(decimalNumber("0 から 100 までの数（%）を指定してください", 0, 100));
    for (CLI::Option* mode :
         {play.rebuild, play.setup, play.out, analysis.trials, analysis.campaign}) {
        theory->excludes(mode);
        rates->excludes(mode);
        ratio->excludes(mode);
    }
}

// What the option library cannot say: which mode needs a file, and which options a mode
// cannot use.
std::string modeProblem(const RunOptions& options) {
    if (options.mode == RunMode::Setup && !options.file.empty()) {
        return "--setup には検証ファイルを指定できません";
    }
    if (options.mode != RunMode::Setup && options.file.empty()) {
        return "検証ファイルが指定されていません";
    }
    if (options.mode == RunMode::Theory &&
        (options.probabilityConvergence || options.symbolConvergence)) {
        return "--theory は --prob と --pic を使わない前提で計算します";
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
    return raw.theory || raw.rates || !raw.ratio.empty() ? RunMode::Theory : RunMode::Play;
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
    options.rates = raw.rates;
    if (!raw.ratio.empty()) {
        options.heldShare = *parseDecimal(raw.ratio) / 100;
    }
    if (!raw.ruin.empty()) {
        options.ruinBankroll = parseDecimal(raw.ruin);
    }
    if (!raw.compare.empty()) {
        options.compare = raw.compare;
    }
}

// The part of a CLI11 message before its first ": " (the option it names), or empty.
std::string namedOption(std::string_view message) {
    const std::size_t colon = message.find(": ");
    if (colon == std::string_view::npos) {
        return {};
    }
    const std::string name(message.substr(0, colon));
    return name == "file" ? std::string("FILE.pac") : name;
}

// The two options of "A excludes B" and "A requires B".
std::pair<std::string, std::string> optionPair(std::string_view message, std::string_view verb) {
    const std::size_t at = message.find(verb);
    if (at == std::string_view::npos) {
        return {std::string(message), {}};
    }
    return {std::string(message.substr(0, at)), std::string(message.substr(at + verb.size()))};
}

// CLI11's English texts, said again in Japanese from what the failure is and the options it
// names; our validators already give their descriptions in Japanese.
std::string parseErrorText(const CLI::ParseError& failure) {
    const std::string_view message = failure.what();
    if (dynamic_cast<const CLI::ValidationError*>(&failure) != nullptr) {
        const std::string name = namedOption(message);
        const std::size_t colon = message.find(": ");
        const std::string_view reason =
            colon == std::string_view::npos ? message : message.substr(colon + 2);
        return name + " の値が正しくありません。" + std::string(reason);
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&failure) != nullptr) {
        const auto [first, second] = optionPair(message, " excludes ");
        return first + " と " + second + " は一緒に指定できません";
    }
    if (dynamic_cast<const CLI::RequiresError*>(&failure) != nullptr) {
        const auto [first, second] = optionPair(message, " requires ");
        return first + " は " + second + " と一緒に指定してください";
    }
    if (dynamic_cast<const CLI::ExtrasError*>(&failure) != nullptr) {
        const std::size_t colon = message.find(": ");
        return "解釈できない引数があります: " +
               std::string(colon == std::string_view::npos ? message : message.substr(colon + 2));
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&failure) != nullptr) {
        const std::string name = namedOption(message);
        return name.empty() ? std::string("オプションの値の数が正しくありません")
                            : name + " の値がないか、多すぎます";
    }
    if (dynamic_cast<const CLI::ConversionError*>(&failure) != nullptr) {
        const std::string name = namedOption(message);
        return name.empty() ? std::string("オプションの値を読み取れません")
                            : name + " は値をとりません";
    }
    return "コマンドラインが正しくありません";
}

} // namespace

ParsedOptions parseRunOptions(std::span<const std::string_view> arguments) {
    ParsedOptions parsed;
    RawValues raw;
    CLI::App app("ゼルコラと同じコアで検証を画面なしに行い、その数値を表示します。", "zelkora-run");
    auto formatter = std::make_shared<UsageFormatter>();
    formatter->label("Options", "オプション");
    formatter->label("Positionals", "引数");
    formatter->label("Needs", "必要:");
    formatter->label("Excludes", "併用不可:");
    app.formatter(formatter);
    // CLI11 takes "/x" for an option on Windows; there it is a path from the drive's root, and
    // the options are the same "--x" on every system.
    app.allow_windows_style_options(false);
    app.option_defaults()
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->group("オプション");
    app.set_help_flag("-h,--help", "この説明を表示する");
    app.set_version_flag("--version", "zelkora-run " ZELKORA_VERSION, "版を表示する");
    const Declared play = declarePlayOptions(app, parsed.options, raw);
    declareTheoryOptions(app, raw, play, declareTrialOptions(app, raw, play));

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
        parsed.error = parseErrorText(failure);
        return parsed;
    }
    adoptRawValues(raw, parsed.options);
    parsed.error = modeProblem(parsed.options);
    return parsed;
}

} // namespace zelkora::cli
