#include "model/distribution_counters.h"

#include "common/checked_arithmetic.h"
#include "common/error.h"

#include <algorithm>
#include <string>

namespace zelkora {

void DistributionCounters::reset(int symbolCount) {
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

void DistributionCounters::classifyFirstHitGap(double gap, double probabilityDenominator) {
    const double p = probabilityDenominator;
    const std::array<double, kSpinBuckets - 1> limits{p / 6,     p * 2 / 6, p * 3 / 6, p * 4 / 6,
                                                      p * 5 / 6, p,         2 * p,     3 * p};
    std::size_t bucket = 0;
    while (bucket < limits.size() && !(gap < limits[bucket])) {
        ++bucket;
    }
    spinBuckets_[bucket] = incrementOrFail(spinBuckets_[bucket], "回転数分布");
}

void DistributionCounters::countRunningStreak() {
    if (runningStreak_ >= 1) {
        const auto bucket = static_cast<std::size_t>(std::min(runningStreak_, kStreakBuckets) - 1);
        streakBuckets_[bucket] = incrementOrFail(streakBuckets_[bucket], "連荘分布");
    }
    runningStreak_ = 1;
}

void DistributionCounters::countSymbolHit(int index) {
    if (index < 0 || index >= symbolCount()) {
        raise(Error{ErrorKind::SymbolOutOfRange}.counting(index));
    }
    std::int32_t& hits = symbolHits_[static_cast<std::size_t>(index)];
    hits = incrementOrFail(hits, "絵柄別の大当り数");
}

int DistributionCounters::leastHitSymbol(int count) const {
    const int last = std::min(count, symbolCount());
    int least = 0;
    for (int index = 1; index < last; ++index) {
        if (symbolHits(index) < symbolHits(least)) {
            least = index;
        }
    }
    return least;
}

void DistributionCounters::countBlockHit() {
    ++blockHits_;
}

bool DistributionCounters::countBlockFirstHit(double totalSpins) {
    ++blockFirstHits_;
    if (blockFirstHits_ < kBlockSize) {
        return false;
    }
    blockCount_ = incrementOrFail(blockCount_, "確率変移のブロック数");
    const double blockSpins = totalSpins - blockStartSpins_;
    blockStartSpins_ = totalSpins;
    blockTotalProbabilities_.push_back(
        static_cast<float>(divideOrFail(blockSpins, blockHits_, "確率変移の大当り数")));
    blockFirstHitProbabilities_.push_back(static_cast<float>(blockSpins / kBlockSize));
    blockFirstHits_ = 0;
    blockHits_ = 0;
    return true;
}

float DistributionCounters::blockTotalProbability(int block) const {
    if (block < 1 || block > blockCount_) {
        return 0.0F;
    }
    return blockTotalProbabilities_[static_cast<std::size_t>(block)];
}

float DistributionCounters::blockFirstHitProbability(int block) const {
    if (block < 1 || block > blockCount_) {
        return 0.0F;
    }
    return blockFirstHitProbabilities_[static_cast<std::size_t>(block)];
}

} // namespace zelkora
