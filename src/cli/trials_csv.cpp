#include "trials_csv.h"

#include "common/field_id.h"
#include "json_report.h"
#include "messages/error_messages.h"
#include "number_text.h"
#include "run_csv.h"
#include "runner.h"

#include <algorithm>
#include <thread>

namespace zelkora::cli {

CampaignCsv::CampaignCsv(CsvFile& file) : file_(file) {
    std::vector<std::string> headings{"試行"};
    for (const Field field : kOverallFigures) {
        headings.emplace_back(fieldName(field));
    }
    headings.insert(headings.end(),
                    {"持金パンク日数", "確変・時短中に終わった日数", "遊技時間", "出玉"});
    file_.row(std::span<const std::string>(headings));
}

void CampaignCsv::campaign(const CampaignFigures& figures) {
    row_.clear();
    row_.push_back(std::to_string(figures.index + 1));
    row_.insert(row_.end(), figures.overallTexts.begin(), figures.overallTexts.end());
    row_.push_back(std::to_string(figures.bustDays));
    row_.push_back(std::to_string(figures.daysEndedInStreak));
    row_.push_back(csvNumber(figures.playSeconds / 3600));
    row_.push_back(csvNumber(figures.payoutBalls));
    file_.row(std::span<const std::string>(row_));
}

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

int workerThreads(int requested) {
    if (requested > 0) {
        return requested;
    }
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

bool openTrialsCsv(const std::optional<std::string>& folder, std::optional<CsvFolder>& csv,
                   std::optional<CampaignCsv>& campaigns, std::ostream& err) {
    if (!folder) {
        return true;
    }
    csv.emplace(*folder, kTrialsCsvFiles);
    if (!csv->status().ok()) {
        reportError(err, csv->status().error());
        return false;
    }
    campaigns.emplace(csv->file(kCampaignsCsv));
    return true;
}

void reportTrialsFailure(std::ostream& err, std::int64_t campaign,
                         const std::optional<Error>& failure) {
    err << "zelkora-run: ";
    if (campaign >= 0) {
        err << "試行 " << campaign + 1 << ": ";
    }
    err << (failure ? errorText(*failure) : "キャンセルされました。") << '\n';
}

int finishTrials(const AnalysisOutcome& outcome, const TrialsHeading& heading, bool json,
                 std::optional<CsvFolder>& csv, std::ostream& out, std::ostream& err) {
    if (outcome.end != AnalysisEnd::Done) {
        reportTrialsFailure(err, outcome.failedCampaign, outcome.failure);
        return kExitFailure;
    }
    out << (json ? dumpJson(trialsJson(heading, outcome.report))
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
