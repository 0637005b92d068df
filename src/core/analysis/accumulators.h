#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Streaming statistics for many campaigns: each takes one value (or pair) at a time and keeps a
// fixed amount of state, so an analysis' memory does not grow with its campaign count.
namespace zelkora {

// A mean with its spread and the 95% confidence interval of the mean (normal approximation).
// With fewer than two values the spread and the interval are unknown (NaN).
struct MeanEstimate {
    double mean = 0;
    double standardDeviation = 0;
    double low = 0;
    double high = 0;
};

// Count, mean, variance, minimum and maximum by Welford's update, which stays accurate where
// summing squares would cancel.
class RunningMoments {
public:
    void add(double value);
    std::int64_t count() const { return count_; }
    double mean() const { return mean_; }
    double variance() const; // sample variance, n − 1 in the denominator
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    MeanEstimate estimate() const;

private:
    std::int64_t count_ = 0;
    double mean_ = 0;
    double squares_ = 0; // sum of squared deviations from the running mean
    double minimum_ = 0;
    double maximum_ = 0;
};

// The ratio of two sums, Σx ÷ Σy (for example spins per first hit over all campaigns), with a
// 95% confidence interval by the delta method: the variance of the ratio is that of
// x − R·y over n·ȳ². Pooling the sums weights each campaign by its y, which a mean of
// per-campaign ratios would not.
class RatioAccumulator {
public:
    void add(double numerator, double denominator);
    std::int64_t count() const { return count_; }
    MeanEstimate estimate() const;
    // The spread of the numerator per unit of the denominator, as a sum of independent units
    // would have it: the spread of x − R·y over √ȳ (for example yen per spin from campaigns).
    double spreadPerUnit() const;

private:
    std::int64_t count_ = 0;
    double meanX_ = 0;
    double meanY_ = 0;
    double sxx_ = 0; // co-moments about the running means
    double syy_ = 0;
    double sxy_ = 0;
};

// A share of campaigns (ending ahead, going bust) with its 95% Wilson score interval, which
// stays inside [0, 1] and is sound for shares near 0 or 1.
struct ShareEstimate {
    double share = 0;
    double low = 0;
    double high = 0;
};
ShareEstimate shareEstimate(std::int64_t hits, std::int64_t count);

// One quantile of a stream by the P² algorithm (Jain and Chlamtac, 1985): five markers whose
// heights follow the quantile by parabolic interpolation, in constant memory. Up to five values
// the answer is exact; beyond, it is an estimate whose error shrinks with the count. The result
// depends on the order of the values, so an analysis feeds them in campaign order.
class P2Quantile {
public:
    explicit P2Quantile(double probability);
    void add(double value);
    std::int64_t count() const { return count_; }
    double value() const;

private:
    double parabolic(int marker, double direction) const;
    double linear(int marker, int direction) const;

    double probability_;
    std::int64_t count_ = 0;
    std::array<double, 5> heights_{};
    std::array<double, 5> positions_{};
    std::array<double, 5> desired_{};
    std::array<double, 5> increments_{};
};

// The p-quantile of sorted values, interpolating linearly between the order statistics at
// (n − 1)·p (the usual definition of spreadsheets and of R's default); NaN when empty.
double sortedQuantile(std::span<const double> sorted, double probability);

} // namespace zelkora

namespace zelkora {

// Several quantiles of one stream: exact (the values kept and sorted) while at most
// `exactCapacity` values have come, then P² for each quantile, fed the kept values in their
// order first, so the answer depends only on the values and their order. Memory stays below
// `exactCapacity` numbers plus a few markers.
class BoundedQuantiles {
public:
    BoundedQuantiles(std::span<const double> probabilities, std::size_t exactCapacity);
    void add(double value);
    std::int64_t count() const { return count_; }
    bool exact() const { return estimators_.empty(); }
    // The quantiles in the order of the probabilities given.
    std::vector<double> values() const;

private:
    std::vector<double> probabilities_;
    std::size_t exactCapacity_;
    std::int64_t count_ = 0;
    std::vector<double> kept_;
    std::vector<P2Quantile> estimators_;
};

} // namespace zelkora
