#include "trials.h"

#include "analysis/campaign_analysis.h"
#include "console_platform.h"
#include "files/utf8_path.h"
#include "files/working_copy_file.h"
#include "json_report.h"
#include "loaded_verification.h"
#include "messages/error_messages.h"
#include "number_text.h"
#include "run_csv.h"
#include "runner.h"
#include "trials_csv.h"
#include "trials_report.h"

#include <optional>
#include <vector>

namespace zelkora::cli {
namespace {

std::optional<CampaignSetup> setUp(const RunOptions& options, std::ostream& err) {
    ConsoleUserInterface ui(err);
    LoadedVerification loaded(ui, options.countdown);
    if (const std::string problem = loaded.load(options); !problem.empty()) {
        err << "zelkora-run: " << problem << '\n';
        return std::nullopt;
    }
    if (ui.reportedError()) {
        return std::nullopt;
    }
    Result<CampaignSetup> setup =
        loaded.document().campaignSetup(options.countdown, seedFor(options, err));
    if (!setup.ok()) {
        err << "zelkora-run: ファイル " << options.file << " を読み込めません。"
            << errorText(setup.error()) << '\n';
        return std::nullopt;
    }
    return std::move(setup).value();
}

TrialsHeading headingOf(const CampaignSetup& setup) {
    return {setup.loaded.fields.text(Field::条件_名前), setup.seed, setup.countdown};
}

// --compare: both verifications with the same seed, so campaign i of each draws the same
// stream.
int runComparison(const RunOptions& options, const CampaignSetup& first, std::ostream& out,
                  std::ostream& err) {
    RunOptions other = options;
    other.file = *options.compare;
    other.seed = first.seed;
    const std::optional<CampaignSetup> second = setUp(other, err);
    if (!second) {
        return kExitFailure;
    }
    ConsoleUserInterface ui(err);
    ConsolePlatform platform(ui, options.countdown);
    const ComparisonOutcome outcome =
        compareVerifications(first, *second, {options.trials, workerThreads(options.threads)},
                             platform.seams(), {}, options.ruinBankroll);
    if (outcome.end != AnalysisEnd::Done) {
        err << "zelkora-run: " << (outcome.failedInSecond ? other.file : options.file) << " ";
        reportTrialsFailure(err, outcome.failedCampaign, outcome.failure);
        return kExitFailure;
    }
    out << (options.json
                ? dumpJson(comparisonJson(headingOf(first), headingOf(*second), outcome.report))
                : comparisonText(headingOf(first), headingOf(*second), outcome.report));
    return kExitSuccess;
}

} // namespace

int runTrials(const RunOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<CampaignSetup> setup = setUp(options, err);
    if (!setup) {
        return kExitFailure;
    }
    // Every CSV file is opened before the first campaign plays, so a folder that cannot take
    // them is reported at once and not after the whole analysis.
    if (options.compare) {
        return runComparison(options, *setup, out, err);
    }
    std::optional<CsvFolder> csv;
    std::optional<CampaignCsv> campaigns;
    if (!openTrialsCsv(options.csv, csv, campaigns, err)) {
        return kExitFailure;
    }
    CampaignAnalysis analysis(*setup, {options.trials, workerThreads(options.threads)});
    analysis.followBankroll(options.ruinBankroll);
    ConsoleUserInterface ui(err);
    ConsolePlatform platform(ui, options.countdown);
    const AnalysisOutcome outcome =
        analysis.run(platform.seams(), {nullptr, campaigns ? &*campaigns : nullptr});
    return finishTrials(outcome, headingOf(*setup), options.json, csv, out, err);
}

} // namespace zelkora::cli
