#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelkora::machines {

struct SparseCell {
    std::uint32_t column = 0;
    double value = 0;
};

// A square matrix by rows, each row's cells in increasing column order, no column twice. Cells
// that hold 0 may be left out.
using SparseRows = std::vector<std::vector<SparseCell>>;

// Adds `amount` to the cell in `column` of a row that is still being gathered (unsorted), making
// the cell if the row has none there yet. Sums in the order of the calls.
void addToCell(std::vector<SparseCell>& row, std::size_t column, double amount);
// Sorts a gathered row by column and leaves out the cells that hold 0.
void finishRow(std::vector<SparseCell>& row);

// A square linear system A·X = B solved by LU factors with partial pivoting, factored once and
// applied to as many right-hand sides as needed. The matrices here come from chains whose moves
// mostly step forward (a 時短 counting down, a limiter's streak going up), so they hold a few
// cells a row and their factors stay nearly as sparse; only the cells that are not 0 are stored
// and worked on.
//
// The arithmetic is that of the textbook dense elimination: columns in order, the pivot the
// first row of largest magnitude, each cell updated by the same products in the same order, the
// substitutions row by row in the same order. What is skipped only ever adds or subtracts an
// exact 0, so the results are the dense method's to the last bit.
class SparseLuFactors {
public:
    // Factors the size × size matrix. False when it is singular.
    bool factor(SparseRows rows, std::size_t size);
    // Solves in place for `columns` right-hand sides held row-major (size × columns).
    void solve(std::vector<double>& rightHandSides, std::size_t columns) const;
    std::size_t size() const { return size_; }
    // The cells of both factors: how much each right-hand side's solution costs.
    std::size_t storedCells() const;

private:
    void eliminate(std::size_t row, std::size_t column, double pivot);

    // While factoring: by the row's own index, its cells right of the columns done.
    SparseRows active_;
    // By the row's own index: the multipliers that cleared its cells, in column order.
    SparseRows lower_;
    // By position: the pivot row of that column, the diagonal cell first.
    SparseRows upper_;
    std::vector<std::vector<std::uint32_t>> rowsInColumn_;
    std::vector<std::uint32_t> rowAt_;      // position → row
    std::vector<std::uint32_t> positionOf_; // row → position
    std::vector<std::size_t> pivots_;
    std::size_t size_ = 0;
};

} // namespace zelkora::machines
