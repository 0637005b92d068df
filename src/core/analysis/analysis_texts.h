#pragma once

#include "analysis/analysis_report.h"
#include "analysis/balance_histogram.h"
#include "analysis/comparison.h"
#include "analysis/theory.h"
#include "model/help_texts.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The Japanese texts of the analyst's desk: every table the window lays out and exports, the
// remaining time and the checks of the dialog's inputs. The window only places them.
namespace zelkora {

// A table as it is shown and exported: its column headings and rows of cell texts.
struct TextTable {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};

// A number with `decimals` decimals; "-" for an unknown (NaN), "到達しない" for infinity.
std::string figureText(double value, int decimals);

// Every figure of an analysis with its 95% interval: 項目, 値, 下限, 上限.
TextTable analysisFigureTable(const AnalysisReport& report);
// The cumulative balance at each day's end: mean and the five band percentiles.
TextTable dayBandTable(const AnalysisReport& report);
// The final balances' bins: from, below, campaigns.
TextTable histogramTable(const StreamingHistogram& histogram);
// Two verifications played on common random numbers: each one's figures and the difference.
TextTable comparisonTable(const ComparisonReport& report, std::string_view first,
                          std::string_view second);
// Two tables of the same columns as one, each row led by the name of the verification it is of
// (a chart of a comparison saved as CSV).
TextTable pairedTable(const TextTable& first, const TextTable& second, std::string_view firstName,
                      std::string_view secondName);
// The difference of the final balances in 万円 with its interval, for a chart's title:
// "差（検証2−検証1）+1.23万円（95%: +0.80〜+1.66）", the mean and its interval.
std::string differenceText(const MeanEstimate& difference);

// The theoretical figures: 項目, 値, 前提 (the assumption each figure rests on).
TextTable theoryTable(const TheoreticalFigures& figures, bool ownShare);
// The rate table with its headings and no rows yet: the exchange rate, each spins per 1000 yen,
// the three borders (cash, held balls, the held share).
TextTable emptyRateTable(double heldShare);
// 回転単価 at each exchange rate and spins per 1000 yen, at the held share, with the borders.
TextTable rateTableOf(const std::vector<RateRow>& rates, double heldShare);
// The streak lengths the theory gives chances for: 単発 … 10連荘, more than 10.
inline constexpr std::array<std::string_view, 11> kStreakLabels{
    "単発",   "２連荘", "３連荘", "４連荘",   "５連荘",  "６連荘",
    "７連荘", "８連荘", "９連荘", "１０連荘", "１０以上"};
// Which 持ち玉比率 the figures at a share rest on: the one the verification's last run kept, none
// yet (no run: all play on cash), or the one the user set.
enum class HeldShareSource : std::uint8_t { Own, NoRun, Chosen };
// The line above the theory's figures: the countdown they assume and the 持ち玉比率 they take.
std::string theoryBasisText(int countdown, HeldShareSource source, double heldShare);
// The assumptions in plain words, the day ends' approximation last.
std::vector<std::string> theoryAssumptionTexts();

// What the results panel says it shows: the verification, the campaigns, the seed, the
// countdown (none for a machine of today, whose play reads none) and, when the analysis ended
// early, how many campaigns the figures hold.
std::string analysisHeading(std::string_view verification, std::int64_t folded, std::int64_t asked,
                            std::uint64_t seed, std::optional<int> countdown, AnalysisEnd end);

// The status-bar help of the desk's panels, grids and charts, as the window's own controls
// have theirs.
std::span<const HelpText> analysisDeskHelpTexts();

// "残り 約 1時間02分", "残り 約 3分05秒", "残り 約 12秒".
std::string remainingTimeText(double seconds);

// The dialog's inputs as the user typed them.
struct TrialsEntry {
    std::string campaigns;
    std::string seed; // blank: drawn
    std::string threads;
    std::string bankroll; // blank: no ruin figure
};
inline constexpr std::int64_t kMostCampaigns = 10'000'000;
inline constexpr int kMostThreads = 256;
struct TrialsInput {
    std::int64_t campaigns = 1000;
    std::optional<std::uint64_t> seed;
    int threads = 1;
    std::optional<double> bankroll;
    std::string problem; // the message for the user; empty when every input reads
};
TrialsInput readTrialsEntry(const TrialsEntry& entry);

} // namespace zelkora
