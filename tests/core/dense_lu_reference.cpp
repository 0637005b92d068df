#include "dense_lu_reference.h"

#include <cmath>
#include <utility>

namespace zelkora::testing {

bool DenseLuFactors::factor(std::vector<double> matrix, std::size_t size) {
    factors_ = std::move(matrix);
    size_ = size;
    pivots_.resize(size);
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
        if (std::abs(at(pivot, column)) < 1e-300) {
            return false;
        }
        pivots_[column] = pivot;
        if (pivot != column) {
            for (std::size_t k = 0; k < size; ++k) {
                std::swap(at(pivot, k), at(column, k));
            }
        }
        for (std::size_t row = column + 1; row < size; ++row) {
            const double factor = at(row, column) / at(column, column);
            at(row, column) = factor;
            if (factor != 0) {
                for (std::size_t k = column + 1; k < size; ++k) {
                    at(row, k) -= factor * at(column, k);
                }
            }
        }
    }
    return true;
}

void DenseLuFactors::solve(std::vector<double>& rightHandSides, std::size_t columns) const {
    const auto rhs = [&](std::size_t row) {
        return rightHandSides.data() + row * columns;
    };
    for (std::size_t row = 0; row < size_; ++row) {
        if (pivots_[row] != row) {
            for (std::size_t k = 0; k < columns; ++k) {
                std::swap(rhs(row)[k], rhs(pivots_[row])[k]);
            }
        }
    }
    for (std::size_t row = 0; row < size_; ++row) {
        double* target = rhs(row);
        for (std::size_t above = 0; above < row; ++above) {
            const double factor = factors_[row * size_ + above];
            if (factor != 0) {
                const double* source = rhs(above);
                for (std::size_t k = 0; k < columns; ++k) {
                    target[k] -= factor * source[k];
                }
            }
        }
    }
    for (std::size_t row = size_; row-- > 0;) {
        double* target = rhs(row);
        for (std::size_t below = row + 1; below < size_; ++below) {
            const double factor = factors_[row * size_ + below];
            if (factor != 0) {
                const double* source = rhs(below);
                for (std::size_t k = 0; k < columns; ++k) {
                    target[k] -= factor * source[k];
                }
            }
        }
        const double diagonal = factors_[row * size_ + row];
        for (std::size_t k = 0; k < columns; ++k) {
            target[k] /= diagonal;
        }
    }
}

} // namespace zelkora::testing
