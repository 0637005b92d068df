#pragma once

#include "analysis/campaign_analysis.h"
#include "files/csv_file.h"
#include "run_csv.h"
#include "trials_report.h"

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zelkora::cli {

// The CSV files of --trials, in the folder --csv names.
inline constexpr std::string_view kCampaignsCsv = "campaigns.csv";
inline constexpr std::string_view kDailyBandsCsv = "daily_bands.csv";
inline constexpr std::array<std::string_view, 2> kTrialsCsvFiles{kCampaignsCsv, kDailyBandsCsv};

// Every campaign's figures as one row of campaigns.csv, written as the analysis folds them.
class CampaignCsv final : public CampaignSink {
public:
    explicit CampaignCsv(CsvFile& file);
    void campaign(const CampaignFigures& figures) override;

private:
    CsvFile& file_;
    std::vector<std::string> row_;
};

// The cumulative balance at each day's end over all campaigns: its mean and percentiles.
void writeDailyBands(CsvFile& file, const AnalysisReport& report);

// The CSV files of --trials in `folder`, when one is named, opened before the first campaign
// plays, so a folder that cannot take them is told at once. False after telling why.
bool openTrialsCsv(const std::optional<std::string>& folder, std::optional<CsvFolder>& csv,
                   std::optional<CampaignCsv>& campaigns, std::ostream& err);

// A failure of the analysis, told on standard error with the campaign it came from; a failure of
// the analysis itself (no worker thread started) belongs to no campaign.
void reportTrialsFailure(std::ostream& err, std::int64_t campaign,
                         const std::optional<Error>& failure);

// The end of --trials for classic and machine files alike: a failed analysis told, or the report
// printed (JSON or text) and the daily bands written beside the campaigns before the CSV files
// are committed. The exit status.
int finishTrials(const AnalysisOutcome& outcome, const TrialsHeading& heading, bool json,
                 std::optional<CsvFolder>& csv, std::ostream& out, std::ostream& err);

// The worker threads --threads asks for; one per core when it asks for none.
int workerThreads(int requested);

} // namespace zelkora::cli
