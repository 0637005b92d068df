#pragma once

#include <cstddef>
#include <vector>

namespace zelkora::machines {

// A square linear system A·X = B solved by LU factors with partial pivoting, factored once and
// applied to as many right-hand sides as needed. The chains here have a few dozen unknowns, so
// a dense factorisation is both exact and quick.
class LuFactors {
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

} // namespace zelkora::machines
