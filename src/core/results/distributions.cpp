#include "results/distributions.h"

#include "common/checked_arithmetic.h"
#include "common/numbers.h"
#include "results/share_text.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>

namespace zelkora {
namespace {

constexpr int kSpinBuckets = DistributionCounters::kSpinBuckets;
constexpr int kStreakBuckets = DistributionCounters::kStreakBuckets;

constexpr std::array<std::string_view, kSpinBuckets> kSpinLabels{
    "<確率の1/6", "<確率の2/6", "<確率の3/6", "<確率の4/6", "<確率の5/6",
    "<確率",      "<確率の2倍", "<確率の3倍", ">確率の3倍"};

// counter / first hits × 100, rounded to the shown two decimals; 0 for an empty bucket.
Share bucketShare(std::int32_t counter, double firstHits) {
    if (counter == 0) {
        return {};
    }
    const double ratio = divideOrFail(counter, firstHits, Field::初当たり数表示);
    return roundShare(ratio * 100);
}

void ensureRows(ChartData& chart, int rows) {
    if (chart.rowCount() < rows) {
        chart.setRowCount(rows);
    }
}

// A single-precision value as its text: the seven significant digits a single holds.
double singlePrecisionShown(float value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                       std::chars_format::scientific, 6);
    return readNumber(std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)));
}

} // namespace

void 回転数分布表示(DistributionCounters& counters, FieldStore& fields, ChartData& spinChart) {
    const double firstHits = fields.number(Field::初当たり数表示);
    DistributionCounters::ShownShares& shown = counters.shownShares();
    ensureRows(spinChart, kSpinBuckets);
    double cumulative = 0;
    for (int index = 0; index < kSpinBuckets; ++index) {
        const auto at = static_cast<std::size_t>(index);
        const Share share = bucketShare(counters.spinBucket(index), firstHits);
        spinChart.setNumber(index + 1, 1, share.value);
        if (spinChart.label(index + 1) != kSpinLabels[at]) {
            spinChart.setLabel(index + 1, kSpinLabels[at]);
        }
        cumulative += share.value;
        shown.spinShares[at].show(fields, spinShareField(index + 1), share.value,
                                  [&](std::string& out) { appendShareText(out, share); });
        shown.spinCumulative[at].show(
            fields, spinCumulativeField(index + 1), cumulative,
            [&](std::string& out) { appendCumulativeText(out, cumulative); });
    }
}

void 連荘分布記録(DistributionCounters& counters, FieldStore& fields, ChartData& streakChart) {
    counters.countRunningStreak();
    showStreakDistribution(counters, fields, streakChart, fields.number(Field::初当たり数表示));
}

void showStreakDistribution(DistributionCounters& counters, FieldStore& fields,
                            ChartData& streakChart, double firstHits) {
    DistributionCounters::ShownShares& shown = counters.shownShares();
    ensureRows(streakChart, kStreakBuckets);
    for (int index = 0; index < kStreakBuckets; ++index) {
        const auto at = static_cast<std::size_t>(index);
        const Share share = bucketShare(counters.streakBucket(index), firstHits);
        streakChart.setNumber(index + 1, 1, share.value);
        shown.streakShares[at].show(fields, streakShareField(index + 1), share.value,
                                    [&](std::string& out) { appendShareText(out, share); });
    }
}

void showSymbolShares(const DistributionCounters& counters, ChartData& symbolChart,
                      double totalBigHits) {
    ensureRows(symbolChart, counters.symbolCount());
    for (int index = 0; index < counters.symbolCount(); ++index) {
        // Before the first big hit every symbol simply has no share yet.
        const double ratio =
            totalBigHits == 0 && counters.symbolHits(index) == 0
                ? 0
                : divideOrFail(counters.symbolHits(index), totalBigHits, Field::総大当り数表示);
        symbolChart.setNumber(index + 1, 1, ratio * 100);
    }
}

void countBlockFirstHit(DistributionCounters& counters, double totalSpins,
                        ChartData& transitionChart) {
    if (!counters.countBlockFirstHit(totalSpins)) {
        return;
    }
    const int block = counters.blockCount();
    transitionChart.setRowCount(block);
    transitionChart.setNumber(block, 1,
                              singlePrecisionShown(counters.blockTotalProbability(block)));
    transitionChart.setColumnCount(2);
    transitionChart.setNumber(block, 2,
                              singlePrecisionShown(counters.blockFirstHitProbability(block)));
    char label[16];
    const auto written =
        std::to_chars(label, label + sizeof label,
                      static_cast<std::int64_t>(block) * DistributionCounters::kBlockSize);
    transitionChart.setLabel(
        block, std::string_view(label, static_cast<std::size_t>(written.ptr - label)));
}

} // namespace zelkora
