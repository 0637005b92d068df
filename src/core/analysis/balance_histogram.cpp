#include "analysis/balance_histogram.h"

#include <cmath>

namespace zelkora {

StreamingHistogram::StreamingHistogram(double firstWidth)
    : width_(firstWidth > 0 ? firstWidth : 1), bins_(kBins, 0) {}

void StreamingHistogram::add(double value) {
    if (!std::isfinite(value)) {
        return;
    }
    if (count_ == 0) {
        // The first value sits in the middle bin.
        low_ = (std::floor(value / width_) - kBins / 2.0) * width_;
    }
    while (value < low_ || value >= low_ + width_ * kBins) {
        widen();
    }
    const auto bin = static_cast<std::size_t>(std::floor((value - low_) / width_));
    ++bins_[std::min(bin, bins_.size() - 1)];
    ++count_;
}

void StreamingHistogram::widen() {
    const double wider = width_ * 2;
    const double low = std::floor(low_ / wider) * wider;
    std::vector<std::int64_t> merged(bins_.size(), 0);
    for (std::size_t bin = 0; bin < bins_.size(); ++bin) {
        const double start = low_ + width_ * static_cast<double>(bin);
        const auto target = static_cast<std::size_t>(std::floor((start - low) / wider + 1e-9));
        merged[std::min(target, merged.size() - 1)] += bins_[bin];
    }
    bins_ = std::move(merged);
    low_ = low;
    width_ = wider;
}

} // namespace zelkora
