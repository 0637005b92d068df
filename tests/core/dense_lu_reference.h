#pragma once

#include <cstddef>
#include <vector>

namespace zelkora::testing {

// The textbook dense LU factorisation with partial pivoting, every cell of the matrix stored and
// visited: the reference the sparse factors must match to the last bit.
class DenseLuFactors {
public:
    // Factors the n × n matrix, row-major. False when it is singular.
    bool factor(std::vector<double> matrix, std::size_t size);
    // Solves in place for `columns` right-hand sides held row-major (size × columns).
    void solve(std::vector<double>& rightHandSides, std::size_t columns) const;
    std::size_t size() const { return size_; }

private:
    std::vector<double> factors_;
    std::vector<std::size_t> pivots_;
    std::size_t size_ = 0;
};

} // namespace zelkora::testing
