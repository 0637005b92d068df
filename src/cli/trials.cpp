#include "trials.h"

#include "analysis/campaign_analysis.h"
#include "commands/error_messages.h"
#include "console_platform.h"
#include "csv_writer.h"
#include "files/utf8_path.h"
#include "files/working_copy_file.h"
#include "json_report.h"
#include "loaded_verification.h"
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
    explicit CampaignCsv(const std::filesystem::path& path) : file_(path) {
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
    CsvFile& file() { return file_; }

private:
    CsvFile file_;
    std::vector<std::string> row_;
};

bool writeDailyBands(const std::filesystem::path& path, const AnalysisReport& report,
                     std::ostream& err) {
    CsvFile file(path);
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
    return finishCsv(file, utf8FromPath(path), err);
}

int threadCount(const RunOptions& options) {
    if (options.threads > 0) {
        return options.threads;
    }
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

std::optional<CampaignSetup> setUp(const RunOptions& options, std::ostream& err) {
    LoadedVerification loaded;
    ConsoleUserInterface ui(err);
    if (const std::string problem = loadVerification(options, loaded, ui); !problem.empty()) {
        err << "zelkora-run: " << problem << '\n';
        return std::nullopt;
    }
    if (ui.reportedError()) {
        return std::nullopt;
    }
    CampaignSetup setup;
    FileWorkingCopy workingCopy(loaded.model.workingCopyPath());
    Result<StoredConditions> conditions = workingCopy.readConditions();
    if (!conditions.ok()) {
        err << "zelkora-run: cannot read " << options.file << ": " << errorText(conditions.error())
            << '\n';
        return std::nullopt;
    }
    setup.conditions = std::move(conditions).value();
    setup.loaded = std::move(loaded.model);
    setup.countdown = options.countdown;
    setup.seed = seedFor(options, err);
    return setup;
}

} // namespace

int runTrials(const RunOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<CampaignSetup> setup = setUp(options, err);
    if (!setup) {
        return kExitFailure;
    }
    std::optional<CampaignCsv> campaigns;
    if (options.csv) {
        if (!prepareCsvFolder(*options.csv, err)) {
            return kExitFailure;
        }
        const std::filesystem::path path =
            pathFromUtf8(*options.csv) / std::filesystem::path(kCampaignsCsv);
        campaigns.emplace(path);
        if (!campaigns->file().ok()) {
            err << "zelkora-run: cannot write " << utf8FromPath(path) << '\n';
            return kExitFailure;
        }
    }
    CampaignAnalysis analysis(*setup, {options.trials, threadCount(options)});
    NoEventPump pump;
    const AnalysisOutcome outcome =
        analysis.run({pump, nullptr, campaigns ? &*campaigns : nullptr});
    if (outcome.end != AnalysisEnd::Done) {
        err << "zelkora-run: ";
        if (outcome.failedCampaign >= 0) {
            err << "campaign " << outcome.failedCampaign + 1 << ": ";
        }
        err << (outcome.failure ? errorText(*outcome.failure) : "cancelled") << '\n';
        return kExitFailure;
    }
    if (campaigns) {
        const std::filesystem::path folder = pathFromUtf8(*options.csv);
        if (!finishCsv(campaigns->file(), utf8FromPath(folder / kCampaignsCsv), err) ||
            !writeDailyBands(folder / std::filesystem::path(kDailyBandsCsv), outcome.report, err)) {
            return kExitFailure;
        }
    }
    const TrialsHeading heading{setup->loaded.fields.text(Field::条件_名前), setup->seed,
                                setup->countdown};
    out << (options.json ? dumpJson(trialsJson(heading, outcome.report))
                         : trialsText(heading, outcome.report));
    return kExitSuccess;
}

} // namespace zelkora::cli
