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
#include "trials_report.h"

#include <optional>
#include <thread>
#include <vector>

namespace zelkora::cli {
namespace {

// Every campaign's figures as one row of campaigns.csv, written as the analysis folds them.
class CampaignCsv final : public CampaignSink {
public:
    explicit CampaignCsv(CsvFile& file) : file_(file) {
        std::vector<std::string> headings{"試行"};
        for (const Field field : kOverallFigures) {
            headings.emplace_back(fieldName(field));
        }
        headings.insert(headings.end(),
                        {"持金パンク日数", "確変・時短中に終わった日数", "遊技時間", "出玉"});
        file_.row(std::span<const std::string>(headings));
    }
    void campaign(const CampaignFigures& figures) override {
        row_.clear();
        row_.push_back(std::to_string(figures.index + 1));
        row_.insert(row_.end(), figures.overallTexts.begin(), figures.overallTexts.end());
        row_.push_back(std::to_string(figures.bustDays));
        row_.push_back(std::to_string(figures.daysEndedInStreak));
        row_.push_back(csvNumber(figures.playSeconds / 3600));
        row_.push_back(csvNumber(figures.payoutBalls));
        file_.row(std::span<const std::string>(row_));
    }

private:
    CsvFile& file_;
    std::vector<std::string> row_;
};

void writeDailyBands(CsvFile& file, const AnalysisReport& report) {
    std::vector<std::string> row{"日目", "平均"};
    for (const double probability : kDayBandPercentiles) {
        row.push_back(plainText(probability * 100) + "%");
    }
    file.row(std::span<const std::string>(row));
    for (const DayBand& band : report.dayBands) {
        row = {std::to_string(band.day), csvNumber(band.mean)};
        for (const double value : band.percentiles) {
            row.push_back(csvNumber(value));
        }
        file.row(std::span<const std::string>(row));
    }
}

int threadCount(const RunOptions& options) {
    if (options.threads > 0) {
        return options.threads;
    }
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

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

// A failure of the analysis itself (no worker thread started) belongs to no campaign.
void reportFailure(std::ostream& err, std::int64_t campaign, const std::optional<Error>& failure) {
    err << "zelkora-run: ";
    if (campaign >= 0) {
        err << "試行 " << campaign + 1 << ": ";
    }
    err << (failure ? errorText(*failure) : "キャンセルされました。") << '\n';
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
        compareVerifications(first, *second, {options.trials, threadCount(options)},
                             platform.seams(), {}, options.ruinBankroll);
    if (outcome.end != AnalysisEnd::Done) {
        err << "zelkora-run: " << (outcome.failedInSecond ? other.file : options.file) << " ";
        reportFailure(err, outcome.failedCampaign, outcome.failure);
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
    if (options.csv) {
        csv.emplace(*options.csv, kTrialsCsvFiles);
        if (!csv->status().ok()) {
            reportError(err, csv->status().error());
            return kExitFailure;
        }
        campaigns.emplace(csv->file(kCampaignsCsv));
    }
    CampaignAnalysis analysis(*setup, {options.trials, threadCount(options)});
    analysis.followBankroll(options.ruinBankroll);
    ConsoleUserInterface ui(err);
    ConsolePlatform platform(ui, options.countdown);
    const AnalysisOutcome outcome =
        analysis.run(platform.seams(), {nullptr, campaigns ? &*campaigns : nullptr});
    if (outcome.end != AnalysisEnd::Done) {
        reportFailure(err, outcome.failedCampaign, outcome.failure);
        return kExitFailure;
    }
    const TrialsHeading heading = headingOf(*setup);
    out << (options.json ? dumpJson(trialsJson(heading, outcome.report))
                         : trialsText(heading, outcome.report));
    if (csv) {
        writeDailyBands(csv->file(kDailyBandsCsv), outcome.report);
        if (Status written = csv->commit(); !written.ok()) {
            reportError(err, written.error());
            return kExitFailure;
        }
    }
    return kExitSuccess;
}

} // namespace zelkora::cli
