#include "machines/sparse_solver.h"

#include "machines/column_span.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace zelkora::machines {
namespace {

// Below this magnitude a pivot counts as 0 and the matrix as singular.
constexpr double kSingular = 1e-300;

double leadingValue(const std::vector<SparseCell>& cells, std::size_t column) {
    return !cells.empty() && cells.front().column == column ? cells.front().value : 0.0;
}

} // namespace

void addToCell(std::vector<SparseCell>& row, std::size_t column, double amount) {
    const auto found = std::ranges::find(row, column, &SparseCell::column);
    if (found != row.end()) {
        found->value += amount;
    } else {
        row.push_back({static_cast<std::uint32_t>(column), 0.0 + amount});
    }
}

void finishRow(std::vector<SparseCell>& row) {
    std::erase_if(row, [](const SparseCell& cell) { return cell.value == 0; });
    std::ranges::sort(row, {}, &SparseCell::column);
}

bool SparseLuFactors::factor(SparseRows rows, std::size_t size) {
    size_ = size;
    active_ = std::move(rows);
    active_.resize(size);
    lower_.assign(size, {});
    upper_.assign(size, {});
    rowsInColumn_.assign(size, {});
    rowAt_.resize(size);
    positionOf_.resize(size);
    std::iota(rowAt_.begin(), rowAt_.end(), 0U);
    std::iota(positionOf_.begin(), positionOf_.end(), 0U);
    pivots_.assign(size, 0);
    for (std::size_t row = 0; row < size; ++row) {
        for (const SparseCell& cell : active_[row]) {
            rowsInColumn_[cell.column].push_back(static_cast<std::uint32_t>(row));
        }
    }
    std::vector<std::pair<std::uint32_t, std::uint32_t>> below; // position, row
    for (std::size_t column = 0; column < size; ++column) {
        below.clear();
        for (const std::uint32_t row : rowsInColumn_[column]) {
            if (positionOf_[row] > column) {
                below.emplace_back(positionOf_[row], row);
            }
        }
        // The rows in the order the dense search meets them, so ties and NaNs go its way.
        std::ranges::sort(below);
        std::size_t pivot = column;
        double pivotValue = leadingValue(active_[rowAt_[column]], column);
        for (const auto& [position, row] : below) {
            const double value = leadingValue(active_[row], column);
            if (std::abs(value) > std::abs(pivotValue)) {
                pivot = position;
                pivotValue = value;
            }
        }
        if (std::abs(pivotValue) < kSingular) {
            return false;
        }
        pivots_[column] = pivot;
        if (pivot != column) {
            std::swap(rowAt_[pivot], rowAt_[column]);
            positionOf_[rowAt_[pivot]] = static_cast<std::uint32_t>(pivot);
            positionOf_[rowAt_[column]] = static_cast<std::uint32_t>(column);
        }
        for (const std::uint32_t row : rowsInColumn_[column]) {
            if (positionOf_[row] > column) {
                eliminate(row, column, pivotValue);
            }
        }
        upper_[column] = std::move(active_[rowAt_[column]]);
        std::vector<std::uint32_t>().swap(rowsInColumn_[column]);
    }
    SparseRows().swap(active_);
    return true;
}

// Row −= factor × pivot row over the columns right of `column`, with factor = the row's cell
// in `column` ÷ the pivot. A cell the row lacks is 0, so it becomes 0 − factor × the pivot
// row's cell, the same number the dense update gives.
void SparseLuFactors::eliminate(std::size_t row, std::size_t column, double pivot) {
    std::vector<SparseCell>& cells = active_[row];
    const double factor = cells.front().value / pivot;
    if (factor == 0) {
        cells.erase(cells.begin());
        return;
    }
    lower_[row].push_back({static_cast<std::uint32_t>(column), factor});
    const std::vector<SparseCell>& pivotCells = active_[rowAt_[column]];
    std::vector<SparseCell> merged;
    merged.reserve(cells.size() + pivotCells.size());
    std::size_t own = 1;
    std::size_t other = 1;
    while (own < cells.size() || other < pivotCells.size()) {
        if (other == pivotCells.size() ||
            (own < cells.size() && cells[own].column < pivotCells[other].column)) {
            merged.push_back(cells[own++]);
        } else if (own == cells.size() || pivotCells[other].column < cells[own].column) {
            const SparseCell& from = pivotCells[other++];
            merged.push_back({from.column, 0.0 - factor * from.value});
            rowsInColumn_[from.column].push_back(static_cast<std::uint32_t>(row));
        } else {
            merged.push_back(
                {cells[own].column, cells[own].value - factor * pivotCells[other].value});
            ++own;
            ++other;
        }
    }
    cells = std::move(merged);
}

void SparseLuFactors::solve(std::vector<double>& rightHandSides, std::size_t columns) const {
    const auto rhs = [&](std::size_t row) {
        return rightHandSides.data() + row * columns;
    };
    for (std::size_t row = 0; row < size_; ++row) {
        if (pivots_[row] != row) {
            std::swap_ranges(rhs(row), rhs(row) + columns, rhs(pivots_[row]));
        }
    }
    // Which columns of each row may hold anything other than 0, grown as rows are subtracted.
    std::vector<ColumnSpan> filled(size_);
    for (std::size_t row = 0; row < size_; ++row) {
        filled[row] = nonZeroColumns(rhs(row), columns);
    }
    for (std::size_t row = 0; row < size_; ++row) {
        for (const SparseCell& cell : lower_[rowAt_[row]]) {
            subtractScaled(rhs(row), rhs(cell.column), cell.value, filled[cell.column]);
            filled[row] = joined(filled[row], filled[cell.column]);
        }
    }
    for (std::size_t row = size_; row-- > 0;) {
        const std::vector<SparseCell>& cells = upper_[row];
        for (std::size_t index = 1; index < cells.size(); ++index) {
            if (cells[index].value != 0) {
                subtractScaled(rhs(row), rhs(cells[index].column), cells[index].value,
                               filled[cells[index].column]);
                filled[row] = joined(filled[row], filled[cells[index].column]);
            }
        }
        const double diagonal = cells.front().value;
        double* target = rhs(row);
        for (std::size_t k = 0; k < columns; ++k) {
            target[k] /= diagonal;
        }
    }
}

std::size_t SparseLuFactors::storedCells() const {
    std::size_t cells = 0;
    for (const auto& row : lower_) {
        cells += row.size();
    }
    for (const auto& row : upper_) {
        cells += row.size();
    }
    return cells;
}

} // namespace zelkora::machines
