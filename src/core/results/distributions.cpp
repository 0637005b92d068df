#include "results/distributions.h"

#include "common/numbers.h"
#include "common/procedure_error.h"
#include "results/checked_arithmetic.h"
#include "results/share_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

namespace zelkora {
namespace {

constexpr std::array<std::string_view, Distributions::kSpinBuckets> kSpinLabels{
    "<確率の1/6", "<確率の2/6", "<確率の3/6", "<確率の4/6", "<確率の5/6",
    "<確率",      "<確率の2倍", "<確率の3倍", ">確率の3倍"};

constexpr int kBlockSize = 10;

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

void Distributions::reset(int symbolCount) {
    spinBuckets_.fill(0);
    streakBuckets_.fill(0);
    runningStreak_ = 1;
    symbolHits_.assign(static_cast<std::size_t>(std::max(symbolCount, 0)), 0);
    blockFirstHits_ = 0;
    blockHits_ = 0;
    blockCount_ = 0;
    blockStartSpins_ = 0;
    blockTotalProbabilities_.assign(1, 0.0F);
    blockFirstHitProbabilities_.assign(1, 0.0F);
}

void Distributions::classifyFirstHitGap(double gap, double probabilityDenominator) {
    const double p = probabilityDenominator;
    const std::array<double, kSpinBuckets - 1> limits{p / 6,     p * 2 / 6, p * 3 / 6, p * 4 / 6,
                                                      p * 5 / 6, p,         2 * p,     3 * p};
    std::size_t bucket = 0;
    while (bucket < limits.size() && !(gap < limits[bucket])) {
        ++bucket;
    }
    spinBuckets_[bucket] = incrementOrFail(spinBuckets_[bucket], "回転数分布");
}

void Distributions::回転数分布表示(FieldStore& fields, ChartData& spinChart) const {
    const double firstHits = fields.number(Field::初当たり数表示);
    ensureRows(spinChart, kSpinBuckets);
    double cumulative = 0;
    for (int index = 0; index < kSpinBuckets; ++index) {
        const auto at = static_cast<std::size_t>(index);
        const Share share = bucketShare(spinBuckets_[at], firstHits);
        spinChart.setNumber(index + 1, 1, share.value);
        if (spinChart.label(index + 1) != kSpinLabels[at]) {
            spinChart.setLabel(index + 1, kSpinLabels[at]);
        }
        cumulative += share.value;
        spinShareBoxes_[at].show(fields, spinShareField(index + 1), share.value,
                                 [&](std::string& out) { appendShareText(out, share); });
        spinCumulativeBoxes_[at].show(
            fields, spinCumulativeField(index + 1), cumulative,
            [&](std::string& out) { appendCumulativeText(out, cumulative); });
    }
}

void Distributions::連荘分布記録(FieldStore& fields, ChartData& streakChart) {
    if (runningStreak_ >= 1) {
        const auto bucket = static_cast<std::size_t>(std::min(runningStreak_, kStreakBuckets) - 1);
        streakBuckets_[bucket] = incrementOrFail(streakBuckets_[bucket], "連荘分布");
    }
    const double firstHits = fields.number(Field::初当たり数表示);
    ensureRows(streakChart, kStreakBuckets);
    for (int index = 0; index < kStreakBuckets; ++index) {
        const auto at = static_cast<std::size_t>(index);
        const Share share = bucketShare(streakBuckets_[at], firstHits);
        streakChart.setNumber(index + 1, 1, share.value);
        streakShareBoxes_[at].show(fields, streakShareField(index + 1), share.value,
                                   [&](std::string& out) { appendShareText(out, share); });
    }
    runningStreak_ = 1;
}

void Distributions::countSymbolHit(int index) {
    if (index < 0 || index >= symbolCount()) {
        throw ProcedureError("絵柄の番号 " + std::to_string(index) +
                             " が絵柄数の範囲を超えています。");
    }
    std::int32_t& hits = symbolHits_[static_cast<std::size_t>(index)];
    hits = incrementOrFail(hits, "絵柄別の大当り数");
}

int Distributions::leastHitSymbol(int count) const {
    const int last = std::min(count, symbolCount());
    int least = 0;
    for (int index = 1; index < last; ++index) {
        if (symbolHits(index) < symbolHits(least)) {
            least = index;
        }
    }
    return least;
}

void Distributions::showSymbolShares(ChartData& symbolChart, double totalBigHits) const {
    ensureRows(symbolChart, symbolCount());
    for (int index = 0; index < symbolCount(); ++index) {
        // Before the first big hit every symbol simply has no share yet.
        const double ratio =
            totalBigHits == 0 && symbolHits(index) == 0
                ? 0
                : divideOrFail(symbolHits(index), totalBigHits, Field::総大当り数表示);
        symbolChart.setNumber(index + 1, 1, ratio * 100);
    }
}

void Distributions::countBlockHit() {
    ++blockHits_;
}

void Distributions::countBlockFirstHit(double totalSpins, ChartData& transitionChart) {
    ++blockFirstHits_;
    if (blockFirstHits_ < kBlockSize) {
        return;
    }
    blockCount_ = incrementOrFail(blockCount_, "確率変移のブロック数");
    const double blockSpins = totalSpins - blockStartSpins_;
    blockStartSpins_ = totalSpins;
    const auto total =
        static_cast<float>(divideOrFail(blockSpins, blockHits_, "確率変移の大当り数"));
    const auto firstHit = static_cast<float>(blockSpins / kBlockSize);
    blockTotalProbabilities_.push_back(total);
    blockFirstHitProbabilities_.push_back(firstHit);

    transitionChart.setRowCount(blockCount_);
    transitionChart.setNumber(blockCount_, 1, singlePrecisionShown(total));
    transitionChart.setColumnCount(2);
    transitionChart.setNumber(blockCount_, 2, singlePrecisionShown(firstHit));
    char label[16];
    const auto written = std::to_chars(label, label + sizeof label,
                                       static_cast<std::int64_t>(blockCount_) * kBlockSize);
    transitionChart.setLabel(
        blockCount_, std::string_view(label, static_cast<std::size_t>(written.ptr - label)));
    blockFirstHits_ = 0;
    blockHits_ = 0;
}

float Distributions::blockTotalProbability(int block) const {
    if (block < 1 || block > blockCount_) {
        return 0.0F;
    }
    return blockTotalProbabilities_[static_cast<std::size_t>(block)];
}

float Distributions::blockFirstHitProbability(int block) const {
    if (block < 1 || block > blockCount_) {
        return 0.0F;
    }
    return blockFirstHitProbabilities_[static_cast<std::size_t>(block)];
}

} // namespace zelkora
