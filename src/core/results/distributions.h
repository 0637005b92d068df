#pragma once

#include "common/field_store.h"
#include "model/chart_data.h"
#include "model/distribution_counters.h"

namespace zelkora {

// The distributions shown: the percentage boxes and the charts of the four distributions, kept
// in step with their counters by the live run and by the rebuild.

// 回転数分布表示: shares (rounded to two decimals) into 回転数1r…9r, cumulative shares
// ("###.#") into 回転数1t…9t, and the chart's nine rows with their labels.
void 回転数分布表示(DistributionCounters& counters, FieldStore& fields, ChartData& spinChart);

// 連荘分布記録: counts the running streak into its bucket, refreshes 連荘1r…11r and the chart,
// then sets the running streak back to 1.
void 連荘分布記録(DistributionCounters& counters, FieldStore& fields, ChartData& streakChart);
// The refreshing half of 連荘分布記録, for `firstHits` first hits: the boxes and the chart are a
// view of the streak counters, so a caller may refresh them only when someone can look, with the
// first hits counted when the last streak was.
void showStreakDistribution(DistributionCounters& counters, FieldStore& fields,
                            ChartData& streakChart, double firstHits);

// Every row k+1 of the symbol chart := hits(k) / total big hits × 100 as plain text (0 while
// there is no big hit).
void showSymbolShares(const DistributionCounters& counters, ChartData& symbolChart,
                      double totalBigHits);

// Counts a first hit into the open block of ten; when that closes the block, its two
// probabilities become a new row of the transition chart.
void countBlockFirstHit(DistributionCounters& counters, double totalSpins,
                        ChartData& transitionChart);

} // namespace zelkora
