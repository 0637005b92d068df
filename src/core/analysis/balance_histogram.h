#pragma once

#include "analysis/campaign_analysis.h"

#include <cstdint>
#include <vector>

namespace zelkora {

// A histogram of a stream of values in a fixed number of equal bins, without keeping the
// values: the bins start narrow around the first value and, whenever a value falls outside
// them, their width doubles (neighbouring bins merge) until every value seen fits. The bin
// edges stay whole multiples of the width, so the result depends only on the values and their
// order.
class StreamingHistogram {
public:
    static constexpr int kBins = 40;
    explicit StreamingHistogram(double firstWidth = 1000);

    void add(double value);
    std::int64_t count() const { return count_; }
    double low() const { return low_; } // the lower edge of the first bin
    double width() const { return width_; }
    const std::vector<std::int64_t>& bins() const { return bins_; }

    // The same values in bins of `width`, a width this one reached or may reach by doubling
    // (a histogram drawn over another one needs bins of the same width to be read against it).
    // A narrower width changes nothing.
    void widenTo(double width);

private:
    void widen();
    void rebin(double width, double low);

    double low_ = 0;
    double width_;
    double lowest_ = 0;
    double highest_ = 0;
    std::int64_t count_ = 0;
    std::vector<std::int64_t> bins_;
};

// Both histograms in bins of the wider one's width.
void widenToOneWidth(StreamingHistogram& first, StreamingHistogram& second);

// The final balances of an analysis' campaigns, binned as they are folded.
class FinalBalanceHistogram final : public CampaignSink {
public:
    void campaign(const CampaignFigures& figures) override { histogram.add(figures.finalBalance); }
    StreamingHistogram histogram;
};

} // namespace zelkora
