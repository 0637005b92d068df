#include "results/grids_and_charts.h"

#include "common/checked_arithmetic.h"
#include "common/error.h"
#include "common/numbers.h"
#include "model/main_window_model.h"

#include <algorithm>
#include <array>
#include <limits>
#include <span>
#include <string>

namespace zelkora {
namespace {

constexpr std::array<GridColumnSpec, 11> kGrid1Columns{{{"日目", 600},
                                                        {"回転数", 1000},
                                                        {"時短回転数", 1000},
                                                        {"投資額", 1000},
                                                        {"大当り", 1000},
                                                        {"当絵柄", 1200},
                                                        {"ルール", 1500},
                                                        {"状態", 1000},
                                                        {"持玉数", 1000},
                                                        {"交換玉数", 1000},
                                                        {"連荘", 800}}};
constexpr std::array<GridColumnSpec, 7> kGrid3Columns{{{"日目", 800},
                                                       {"投資額", 1000},
                                                       {"回転数", 1000},
                                                       {"大当り数", 1000},
                                                       {"交換玉数", 1000},
                                                       {"収支", 1200},
                                                       {"積算収支", 1200}}};
constexpr std::array<GridColumnSpec, 5> kGrid2Columns{
    {{"絵柄名", 1500}, {"確変,通常", 1000}, {"時短数", 1000}, {"ルール", 2000}, {"出玉数", 1000}}};

constexpr std::array<Field, 11> kDetailFields{
    Field::c大当り詳細_日目,     Field::c大当り詳細_回転数, Field::c大当り詳細_時短回転数,
    Field::c大当り詳細_投資額F,  Field::c大当り詳細_大当り, Field::c大当り詳細_当絵柄,
    Field::c大当り詳細_ルール,   Field::c大当り詳細_状態,   Field::c大当り詳細_持玉数F,
    Field::c大当り詳細_交換玉数, Field::c大当り詳細_連荘};
constexpr std::array<Field, 7> kDayFields{Field::c日合計_日目,     Field::c日合計_投資額F,
                                          Field::c日合計_回転数,   Field::c日合計_大当り数,
                                          Field::c日合計_交換出玉, Field::c日合計_収支F,
                                          Field::c日合計_積算収支F};

constexpr std::array<std::string_view, 9> kClearedSpinLabels{
    "<1/6確率", "<2/6確率",   "<3/6確率",   "<4/6確率",  "<5/6確率",
    "<確率",    "<確率の2倍", "<確率の3倍", ">確率の3倍"};
constexpr std::array<std::string_view, 11> kStreakLabels{"単発",   "２連荘",   "３連荘",  "４連荘",
                                                         "５連荘", "６連荘",   "７連荘",  "８連荘",
                                                         "９連荘", "１０連荘", "１０以上"};

void setHeadings(GridTable& grid, std::span<const GridColumnSpec> columns) {
    grid.setColumns(columns);
    grid.setColumnAlignment(0, kAlignCentreCentre);
    for (int column = 0; column < grid.columnCount(); ++column) {
        grid.setColumnAlignment(column, kAlignRightCentre);
    }
}

// One row per label, each with the value "0".
void clearLabelledRows(ChartData& chart, std::span<const std::string_view> labels) {
    chart.setColumnCount(1);
    chart.setRowCount(static_cast<int>(labels.size()));
    for (std::size_t index = 0; index < labels.size(); ++index) {
        const int row = static_cast<int>(index) + 1;
        chart.setLabel(row, labels[index]);
        chart.setValue(row, 1, "0");
    }
}

void clearToSingleRow(ChartData& chart, std::string_view label) {
    chart.setColumnCount(1);
    chart.setRowCount(1);
    chart.setLabel(1, label);
    chart.setValue(1, 1, "0");
}

// Writes the fields' texts as one grid row and hands back the cells; the row is joined in place
// from the fields, without a string per cell.
template <std::size_t Count>
void writeRow(const FieldStore& fields, GridTable& grid, int row,
              const std::array<Field, Count>& columns,
              std::array<std::string_view, Count>* cells = nullptr) {
    std::array<char, 1024> joined;
    std::array<std::size_t, Count> lengths{};
    char* out = joined.data();
    char* const end = joined.data() + joined.size() - 1; // room for a separator
    for (std::size_t index = 0; index < Count && out != nullptr; ++index) {
        char* const next = fields.putText(columns[index], out, end);
        if (next != nullptr) {
            lengths[index] = static_cast<std::size_t>(next - out);
            *next = GridTable::kCellSeparator;
            out = next + 1;
        } else {
            out = nullptr;
        }
    }
    if (out != nullptr) {
        grid.setJoinedRow(
            row, std::string_view(joined.data(), static_cast<std::size_t>(out - joined.data())));
    } else {
        // Texts too long for the buffer: one string each.
        std::array<std::string_view, Count> texts;
        for (std::size_t index = 0; index < Count; ++index) {
            texts[index] = fields.text(columns[index]);
            lengths[index] = texts[index].size();
        }
        grid.setRow(row, texts);
    }
    if (cells != nullptr) {
        const std::string_view stored = grid.joinedRow(row);
        std::size_t offset = 0;
        for (std::size_t index = 0; index < Count; ++index) {
            (*cells)[index] = stored.substr(offset, lengths[index]);
            offset += lengths[index] + 1;
        }
    }
}

} // namespace

void グリッド見出し設定(Grids& grids) {
    setHeadings(grids.grid1, kGrid1Columns);
    setHeadings(grids.grid3, kGrid3Columns);
    setHeadings(grids.grid2, kGrid2Columns);
}

void グラフCLR(Charts& charts) {
    ChartData& transition = charts.chart5;
    transition.title = "初当り確率の確率変移グラフ";
    transition.valueAxisTitle = "確率の分母";
    transition.setColumnCount(2);
    transition.setRowCount(1);
    transition.setLabel(1, "確率変移");
    transition.setValue(1, 1, "0");
    transition.setValue(1, 2, "0");

    charts.chart3.title = "初当りの所要回転数分布グラフ";
    clearLabelledRows(charts.chart3, kClearedSpinLabels);
    charts.chart4.title = "初当りに対する連荘分布";
    clearLabelledRows(charts.chart4, kStreakLabels);
    charts.chart2.title = "日別積算収支のグラフ";
    clearToSingleRow(charts.chart2, "収支");
    charts.chart1.title = "大当り絵柄分布グラフ";
    clearToSingleRow(charts.chart1, "絵柄");
}

void 大当り詳細行追加(const FieldStore& fields, GridTable& grid1, std::int32_t& resultRecordCounter,
                      std::array<std::string_view, 11>* cells) {
    resultRecordCounter = incrementOrFail(resultRecordCounter, "大当りデータの件数");
    // The callers size the grid before a big-hit row but not before a day-end or cancel row;
    // growing it here keeps those rows instead of writing past the grid.
    if (resultRecordCounter >= grid1.rowCount()) {
        grid1.setRowCount(resultRecordCounter + 1);
    }
    writeRow(fields, grid1, resultRecordCounter, kDetailFields, cells);
}

void 日合計行追加(const FieldStore& fields, GridTable& grid3) {
    const std::int32_t day = toInt32OrFail(fields.number(Field::c日合計_日目), "日目");
    // The grid needs day + 1 rows, which the largest 32-bit day has no count for.
    if (day < 1 || day == std::numeric_limits<std::int32_t>::max()) {
        raise(Error{ErrorKind::DayLimit}.counting(day));
    }
    grid3.setRowCount(day + 1);
    writeRow(fields, grid3, day, kDayFields);
}

void resetSymbolChart(ChartData& symbolChart, const SymbolTable& symbols, int symbolCount) {
    const int rows = std::clamp(symbolCount, 0, kSymbolTableCapacity);
    symbolChart.setRowCount(rows);
    for (int row = 1; row <= rows; ++row) {
        symbolChart.setValue(row, 1, "0");
        symbolChart.setLabel(row, symbols.names[static_cast<std::size_t>(row - 1)]);
    }
}

void addBalanceChartDay(ChartData& balanceChart, int day, double cumulativeBalance,
                        std::string_view dayText) {
    if (day < 1) {
        raise(Error{ErrorKind::DayLimit}.counting(day));
    }
    balanceChart.setRowCount(day);
    balanceChart.setNumber(day, 1, cumulativeBalance);
    balanceChart.setLabel(day, dayText);
}

} // namespace zelkora
