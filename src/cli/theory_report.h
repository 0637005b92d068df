#pragma once

#include "analysis/theory.h"
#include "run_options.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace zelkora::cli {

// The chance of a はまり of at least `spins` normal spins before a first hit.
struct HamariRow {
    std::int64_t spins = 0;
    double chance = 0;
};

// What --theory prints: the figures, the held-ball share their mixed money figures use and
// whether it is the verification's own, the はまり chances and, with --rates, the rate table.
struct TheoryReport {
    std::string verification;
    TheoreticalFigures figures;
    bool ownShare = true; // the share is the stored run's 持ち玉比率, not --ratio
    std::vector<HamariRow> hamari;
    std::vector<RateRow> rates; // empty without --rates
};

TheoryReport theoryReport(std::string verification, const TheoreticalFigures& figures,
                          bool ownShare, bool withRates);

// The report with its assumptions, as a table for a person and as JSON.
std::string theoryText(const TheoryReport& report);
nlohmann::ordered_json theoryJson(const TheoryReport& report);

// The CSV files of --theory --csv: the figures as rows of name and value, and the rate table.
inline constexpr std::string_view kTheoryCsv = "theory.csv";
inline constexpr std::string_view kRatesCsv = "rates.csv";

// zelkora-run FILE.pac --theory: loads the file and prints its theoretical figures.
int printTheory(const RunOptions& options, std::ostream& out, std::ostream& err);

} // namespace zelkora::cli
