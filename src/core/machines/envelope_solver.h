#pragma once

#include <cstddef>
#include <vector>

namespace zelkora::machines {

// A square linear system A·X = B solved by LU factors with partial pivoting, factored once and
// applied to as many right-hand sides as needed, for matrices that are dense in places: the
// chain from hit to hit of a converted limiter, whose capped streak forms one block where every
// state leads to every other. The matrix is stored whole, but each row remembers the span of
// columns that can hold anything other than 0, and each update runs over that span alone; in
// the solve, each row of the right-hand sides does the same.
//
// The arithmetic is that of the textbook dense elimination: columns in order, the pivot the
// first row of largest magnitude, each cell updated by the same products in the same order, the
// substitutions row by row in the same order. What the spans skip only ever subtracts an exact
// 0, so the results are the dense method's to the last bit.
class EnvelopeLuFactors {
public:
    // Factors the n × n matrix, row-major. False when it is singular.
    bool factor(std::vector<double> matrix, std::size_t size);
    // Solves in place for `columns` right-hand sides held row-major (size × columns).
    void solve(std::vector<double>& rightHandSides, std::size_t columns) const;
    std::size_t size() const { return size_; }

private:
    struct Span {
        std::size_t first = 0;
        std::size_t end = 0; // one past the last column
    };

    struct FactorCell {
        std::size_t column;
        double value;
    };

    void eliminateBelow(std::size_t column);
    void keepFactorCells();

    std::vector<double> factors_; // while factoring
    // Then the factors' cells that are not 0, by row: row r's lie from start[r] to start[r + 1].
    std::vector<FactorCell> lower_;
    std::vector<std::size_t> lowerStart_;
    std::vector<FactorCell> upper_;
    std::vector<std::size_t> upperStart_;
    std::vector<double> diagonal_;
    std::vector<Span> spans_;
    std::vector<std::size_t> pivots_;
    std::vector<std::size_t> pivotCells_;
    std::size_t size_ = 0;
};

} // namespace zelkora::machines
