#pragma once

#include "analysis/analysis_report.h"
#include "analysis/comparison.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace zelkora::cli {

// What the reports say about how the campaigns were played. The thread count is left out, so
// the reports are the same whatever it was.
struct TrialsHeading {
    std::string verification; // 条件_名前, or the machine's name
    std::uint64_t seed = 0;
    std::optional<int> countdown; // a classic verification's; a machine's play has none
};

// The statistics of an analysis as a table for a person.
std::string trialsText(const TrialsHeading& heading, const AnalysisReport& report);
// Every figure of the analysis, the daily bands included, as one JSON object.
nlohmann::ordered_json trialsJson(const TrialsHeading& heading, const AnalysisReport& report);

// Two verifications played with common random numbers: the difference of their final
// balances, then each one's statistics.
std::string comparisonText(const TrialsHeading& first, const TrialsHeading& second,
                           const ComparisonReport& report);
nlohmann::ordered_json comparisonJson(const TrialsHeading& first, const TrialsHeading& second,
                                      const ComparisonReport& report);

} // namespace zelkora::cli
