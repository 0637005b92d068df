#pragma once

#include <algorithm>
#include <cstddef>

// The stretch of a row of numbers that can hold anything other than 0. The substitutions of the
// LU solves subtract multiples of whole rows; over the columns where the row subtracted holds 0
// they would subtract exact zeros, which changes nothing, so they run over its stretch alone.
namespace zelkora::machines {

struct ColumnSpan {
    std::size_t first = 0;
    std::size_t end = 0; // one past the last column

    bool empty() const { return first >= end; }
};

inline ColumnSpan nonZeroColumns(const double* row, std::size_t columns) {
    std::size_t first = 0;
    while (first < columns && row[first] == 0) {
        ++first;
    }
    std::size_t end = columns;
    while (end > first && row[end - 1] == 0) {
        --end;
    }
    return {first, end};
}

inline ColumnSpan joined(ColumnSpan span, ColumnSpan other) {
    if (other.empty()) {
        return span;
    }
    if (span.empty()) {
        return other;
    }
    return {std::min(span.first, other.first), std::max(span.end, other.end)};
}

// target −= factor × source over the columns the source may fill.
inline void subtractScaled(double* target, const double* source, double factor, ColumnSpan span) {
    for (std::size_t k = span.first; k < span.end; ++k) {
        target[k] -= factor * source[k];
    }
}

} // namespace zelkora::machines
