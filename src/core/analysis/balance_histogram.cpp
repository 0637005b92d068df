#include "analysis/balance_histogram.h"

#include <algorithm>
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
        lowest_ = value;
        highest_ = value;
    }
    lowest_ = std::min(lowest_, value);
    highest_ = std::max(highest_, value);
    if (value < low_ || value >= low_ + width_ * kBins) {
        widen();
    }
    const auto bin = static_cast<std::size_t>(std::floor((value - low_) / width_));
    ++bins_[std::min(bin, bins_.size() - 1)];
    ++count_;
}

// Doubles the width until the values seen so far fit from the bin edge at or below the lowest.
void StreamingHistogram::widen() {
    double width = width_;
    double low = low_;
    do {
        width *= 2;
        low = std::floor(lowest_ / width) * width;
    } while (highest_ >= low + width * kBins);
    rebin(width, low);
}

void StreamingHistogram::widenTo(double width) {
    if (!(width > width_) || !std::isfinite(width)) {
        return;
    }
    // Never past what the values need: doubling up to `width` keeps the edges multiples of it.
    double doubled = width_;
    while (doubled < width) {
        doubled *= 2;
    }
    if (count_ == 0) {
        width_ = doubled;
        return;
    }
    rebin(doubled, std::floor(lowest_ / doubled) * doubled);
}

void widenToOneWidth(StreamingHistogram& first, StreamingHistogram& second) {
    const double width = std::max(first.width(), second.width());
    first.widenTo(width);
    second.widenTo(width);
}

// A bin of the old width lies wholly inside one of the new, since both widths' edges are whole
// multiples of the old width, so the counts move bin by bin.
void StreamingHistogram::rebin(double width, double low) {
    std::vector<std::int64_t> merged(bins_.size(), 0);
    for (std::size_t bin = 0; bin < bins_.size(); ++bin) {
        if (bins_[bin] == 0) {
            continue;
        }
        const double start = low_ + width_ * static_cast<double>(bin);
        const auto target = static_cast<std::size_t>(std::floor((start - low) / width + 1e-9));
        merged[std::min(target, merged.size() - 1)] += bins_[bin];
    }
    bins_ = std::move(merged);
    low_ = low;
    width_ = width;
}

} // namespace zelkora
