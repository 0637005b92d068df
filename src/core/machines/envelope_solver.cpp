#include "machines/envelope_solver.h"

#include "machines/column_span.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zelkora::machines {
namespace {

// Below this magnitude a pivot counts as 0 and the matrix as singular.
constexpr double kSingular = 1e-300;

} // namespace

bool EnvelopeLuFactors::factor(std::vector<double> matrix, std::size_t size) {
    factors_ = std::move(matrix);
    size_ = size;
    pivots_.resize(size);
    spans_.assign(size, {});
    for (std::size_t row = 0; row < size; ++row) {
        const ColumnSpan span = nonZeroColumns(factors_.data() + row * size, size);
        spans_[row] = {span.first, span.end};
    }
    const auto at = [this](std::size_t row, std::size_t column) -> double& {
        return factors_[row * size_ + column];
    };
    for (std::size_t column = 0; column < size; ++column) {
        std::size_t pivot = column;
        for (std::size_t row = column + 1; row < size; ++row) {
            if (std::abs(at(row, column)) > std::abs(at(pivot, column))) {
                pivot = row;
            }
        }
        if (std::abs(at(pivot, column)) < kSingular) {
            return false;
        }
        pivots_[column] = pivot;
        if (pivot != column) {
            // Outside both spans both rows hold 0.
            const std::size_t first = std::min(spans_[pivot].first, spans_[column].first);
            const std::size_t end = std::max(spans_[pivot].end, spans_[column].end);
            std::swap_ranges(&at(pivot, 0) + first, &at(pivot, 0) + end, &at(column, 0) + first);
            std::swap(spans_[pivot], spans_[column]);
        }
        eliminateBelow(column);
    }
    keepFactorCells();
    return true;
}

// The cells of both factors that are not 0, row by row in column order, so that each solve
// runs over them alone.
void EnvelopeLuFactors::keepFactorCells() {
    lower_.clear();
    upper_.clear();
    lowerStart_.assign(1, 0);
    upperStart_.assign(1, 0);
    diagonal_.resize(size_);
    for (std::size_t row = 0; row < size_; ++row) {
        const double* cells = factors_.data() + row * size_;
        for (std::size_t column = std::min(spans_[row].first, row); column < row; ++column) {
            if (cells[column] != 0) {
                lower_.push_back({column, cells[column]});
            }
        }
        lowerStart_.push_back(lower_.size());
        diagonal_[row] = cells[row];
        for (std::size_t column = row + 1; column < spans_[row].end; ++column) {
            if (cells[column] != 0) {
                upper_.push_back({column, cells[column]});
            }
        }
        upperStart_.push_back(upper_.size());
    }
    std::vector<double>().swap(factors_);
}

// Every row below the pivot row loses its cell in `column`, which keeps the multiplier. A row
// whose span does not reach the column has a multiplier of 0 and is left as it is.
void EnvelopeLuFactors::eliminateBelow(std::size_t column) {
    const double* pivotRow = factors_.data() + column * size_;
    const ColumnSpan pivotSpan{column + 1, spans_[column].end};
    // Where the pivot row holds few cells in its span, they are listed once for every row.
    pivotCells_.clear();
    for (std::size_t k = pivotSpan.first; k < pivotSpan.end; ++k) {
        if (pivotRow[k] != 0) {
            pivotCells_.push_back(k);
        }
    }
    const bool listed = pivotCells_.size() * 4 < pivotSpan.end - pivotSpan.first;
    for (std::size_t row = column + 1; row < size_; ++row) {
        Span& span = spans_[row];
        if (column < span.first || column >= span.end) {
            continue;
        }
        double* cells = factors_.data() + row * size_;
        const double factor = cells[column] / pivotRow[column];
        cells[column] = factor;
        if (factor == 0) {
            continue;
        }
        if (listed) {
            for (const std::size_t k : pivotCells_) {
                cells[k] -= factor * pivotRow[k];
            }
        } else {
            subtractScaled(cells, pivotRow, factor, pivotSpan);
        }
        span.end = std::max(span.end, pivotSpan.end);
    }
}

void EnvelopeLuFactors::solve(std::vector<double>& rightHandSides, std::size_t columns) const {
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
        for (std::size_t index = lowerStart_[row]; index < lowerStart_[row + 1]; ++index) {
            const FactorCell& cell = lower_[index];
            subtractScaled(rhs(row), rhs(cell.column), cell.value, filled[cell.column]);
            filled[row] = joined(filled[row], filled[cell.column]);
        }
    }
    for (std::size_t row = size_; row-- > 0;) {
        for (std::size_t index = upperStart_[row]; index < upperStart_[row + 1]; ++index) {
            const FactorCell& cell = upper_[index];
            subtractScaled(rhs(row), rhs(cell.column), cell.value, filled[cell.column]);
            filled[row] = joined(filled[row], filled[cell.column]);
        }
        const double diagonal = diagonal_[row];
        double* target = rhs(row);
        for (std::size_t k = 0; k < columns; ++k) {
            target[k] /= diagonal;
        }
    }
}

} // namespace zelkora::machines
