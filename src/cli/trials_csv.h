#pragma once

#include "analysis/campaign_analysis.h"
#include "files/csv_file.h"

#include <array>
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

// The worker threads --threads asks for; one per core when it asks for none.
int workerThreads(int requested);

} // namespace zelkora::cli
