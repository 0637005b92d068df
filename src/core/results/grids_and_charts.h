#pragma once

#include "common/field_store.h"
#include "model/chart_data.h"
#include "model/grid_table.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace zelkora {

struct Grids;
struct Charts;
struct SymbolTable;

// グリッド見出し設定: columns, widths, alignments and headings of the three grids.
void グリッド見出し設定(Grids& grids);
// グラフCLR: the five charts back to their cleared rows, labels and titles.
void グラフCLR(Charts& charts);

// 大当り詳細行追加: raises the result-record counter and writes the eleven big-hit detail
// fields into that row of Grid1 (the caller sizes the grid). `cells`, when given, receives the
// row's cells (views into Grid1, valid until it next changes), which are the texts of the
// result record.
void 大当り詳細行追加(const FieldStore& fields, GridTable& grid1, std::int32_t& resultRecordCounter,
                      std::array<std::string_view, 11>* cells = nullptr);
// 日合計行追加: Grid3 gets day + 1 rows and the day's seven totals in row `day`.
void 日合計行追加(const FieldStore& fields, GridTable& grid3);

// The symbol chart at the start of a run or rebuild: one row per symbol, value "0", labelled
// with the symbol's name.
void resetSymbolChart(ChartData& symbolChart, const SymbolTable& symbols, int symbolCount);
// The balance chart gets the closing day as its last row (value: the untruncated balance).
void addBalanceChartDay(ChartData& balanceChart, int day, double cumulativeBalance,
                        std::string_view dayText);

} // namespace zelkora
