#include "analysis/accumulators.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelkora {
namespace {

constexpr double kZ95 = 1.959963984540054; // the normal distribution's 97.5% point
constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

} // namespace

void RunningMoments::add(double value) {
    ++count_;
    if (count_ == 1) {
        minimum_ = value;
        maximum_ = value;
    } else {
        minimum_ = std::min(minimum_, value);
        maximum_ = std::max(maximum_, value);
    }
    const double delta = value - mean_;
    mean_ += delta / static_cast<double>(count_);
    squares_ += delta * (value - mean_);
}

double RunningMoments::variance() const {
    return count_ < 2 ? kUnknown : squares_ / static_cast<double>(count_ - 1);
}

MeanEstimate RunningMoments::estimate() const {
    const double deviation = std::sqrt(variance());
    const double margin = kZ95 * deviation / std::sqrt(static_cast<double>(count_));
    return {mean_, deviation, mean_ - margin, mean_ + margin};
}

void RatioAccumulator::add(double numerator, double denominator) {
    ++count_;
    const double n = static_cast<double>(count_);
    const double deltaX = numerator - meanX_;
    const double deltaY = denominator - meanY_;
    meanX_ += deltaX / n;
    meanY_ += deltaY / n;
    sxx_ += deltaX * (numerator - meanX_);
    syy_ += deltaY * (denominator - meanY_);
    sxy_ += deltaX * (denominator - meanY_);
}

MeanEstimate RatioAccumulator::estimate() const {
    if (count_ == 0 || meanY_ == 0) {
        return {kUnknown, kUnknown, kUnknown, kUnknown};
    }
    const double ratio = meanX_ / meanY_;
    if (count_ < 2) {
        return {ratio, kUnknown, kUnknown, kUnknown};
    }
    const double n = static_cast<double>(count_);
    const double residual =
        std::max(0.0, (sxx_ - 2 * ratio * sxy_ + ratio * ratio * syy_) / (n - 1));
    const double deviation = std::sqrt(residual) / std::fabs(meanY_);
    const double margin = kZ95 * deviation / std::sqrt(n);
    return {ratio, deviation, ratio - margin, ratio + margin};
}

double RatioAccumulator::spreadPerUnit() const {
    if (count_ < 2 || !(meanY_ > 0)) {
        return kUnknown;
    }
    const double ratio = meanX_ / meanY_;
    const double residual = std::max(0.0, (sxx_ - 2 * ratio * sxy_ + ratio * ratio * syy_) /
                                              static_cast<double>(count_ - 1));
    return std::sqrt(residual / meanY_);
}

ShareEstimate shareEstimate(std::int64_t hits, std::int64_t count) {
    if (count == 0) {
        return {kUnknown, kUnknown, kUnknown};
    }
    const double n = static_cast<double>(count);
    const double share = static_cast<double>(hits) / n;
    const double z2 = kZ95 * kZ95;
    const double centre = (share + z2 / (2 * n)) / (1 + z2 / n);
    const double margin =
        kZ95 * std::sqrt(share * (1 - share) / n + z2 / (4 * n * n)) / (1 + z2 / n);
    return {share, std::max(0.0, centre - margin), std::min(1.0, centre + margin)};
}

P2Quantile::P2Quantile(double probability) : probability_(probability) {
    const double p = probability;
    desired_ = {1, 1 + 2 * p, 1 + 4 * p, 3 + 2 * p, 5};
    increments_ = {0, p / 2, p, (1 + p) / 2, 1};
    positions_ = {1, 2, 3, 4, 5};
}

void P2Quantile::add(double value) {
    if (count_ < 5) {
        heights_[static_cast<std::size_t>(count_)] = value;
        ++count_;
        if (count_ == 5) {
            std::sort(heights_.begin(), heights_.end());
        }
        return;
    }
    ++count_;
    // The cell the value falls in; the outer markers follow the extremes.
    int cell = 0;
    if (value < heights_[0]) {
        heights_[0] = value;
    } else if (value >= heights_[4]) {
        heights_[4] = std::max(heights_[4], value);
        cell = 3;
    } else {
        while (cell < 3 && value >= heights_[static_cast<std::size_t>(cell) + 1]) {
            ++cell;
        }
    }
    for (std::size_t marker = static_cast<std::size_t>(cell) + 1; marker < 5; ++marker) {
        positions_[marker] += 1;
    }
    for (std::size_t marker = 0; marker < 5; ++marker) {
        desired_[marker] += increments_[marker];
    }
    // The three middle markers move one position towards where they should be, when they may.
    for (int marker = 1; marker <= 3; ++marker) {
        const auto m = static_cast<std::size_t>(marker);
        const double offset = desired_[m] - positions_[m];
        if ((offset >= 1 && positions_[m + 1] - positions_[m] > 1) ||
            (offset <= -1 && positions_[m - 1] - positions_[m] < -1)) {
            const int direction = offset > 0 ? 1 : -1;
            const double candidate = parabolic(marker, direction);
            heights_[m] = heights_[m - 1] < candidate && candidate < heights_[m + 1]
                              ? candidate
                              : linear(marker, direction);
            positions_[m] += direction;
        }
    }
}

double P2Quantile::parabolic(int marker, double direction) const {
    const auto m = static_cast<std::size_t>(marker);
    const double below = positions_[m] - positions_[m - 1];
    const double above = positions_[m + 1] - positions_[m];
    const double span = positions_[m + 1] - positions_[m - 1];
    return heights_[m] + direction / span *
                             ((below + direction) * (heights_[m + 1] - heights_[m]) / above +
                              (above - direction) * (heights_[m] - heights_[m - 1]) / below);
}

double P2Quantile::linear(int marker, int direction) const {
    const auto m = static_cast<std::size_t>(marker);
    const int otherMarker = marker + direction;
    const auto other = static_cast<std::size_t>(otherMarker);
    return heights_[m] +
           direction * (heights_[other] - heights_[m]) / (positions_[other] - positions_[m]);
}

double P2Quantile::value() const {
    if (count_ <= 5) {
        std::vector<double> sorted(heights_.begin(),
                                   heights_.begin() + static_cast<std::ptrdiff_t>(count_));
        std::sort(sorted.begin(), sorted.end());
        return sortedQuantile(sorted, probability_);
    }
    return heights_[2];
}

double sortedQuantile(std::span<const double> sorted, double probability) {
    if (sorted.empty()) {
        return kUnknown;
    }
    const double position = static_cast<double>(sorted.size() - 1) * probability;
    const auto below = static_cast<std::size_t>(std::floor(position));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double weight = position - static_cast<double>(below);
    return sorted[below] + weight * (sorted[above] - sorted[below]);
}

} // namespace zelkora

namespace zelkora {

BoundedQuantiles::BoundedQuantiles(std::span<const double> probabilities, std::size_t exactCapacity)
    : probabilities_(probabilities.begin(), probabilities.end()), exactCapacity_(exactCapacity) {}

void BoundedQuantiles::add(double value) {
    ++count_;
    if (estimators_.empty()) {
        if (kept_.size() < exactCapacity_) {
            kept_.push_back(value);
            return;
        }
        for (const double probability : probabilities_) {
            estimators_.emplace_back(probability);
        }
        for (P2Quantile& estimator : estimators_) {
            for (const double kept : kept_) {
                estimator.add(kept);
            }
        }
        kept_.clear();
        kept_.shrink_to_fit();
    }
    for (P2Quantile& estimator : estimators_) {
        estimator.add(value);
    }
}

std::vector<double> BoundedQuantiles::values() const {
    std::vector<double> quantiles;
    if (!estimators_.empty()) {
        for (const P2Quantile& estimator : estimators_) {
            quantiles.push_back(estimator.value());
        }
        return quantiles;
    }
    std::vector<double> sorted = kept_;
    std::sort(sorted.begin(), sorted.end());
    for (const double probability : probabilities_) {
        quantiles.push_back(sortedQuantile(sorted, probability));
    }
    return quantiles;
}

} // namespace zelkora
