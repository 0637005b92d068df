#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace zelkora {

// Whether two short texts are equal, compared eight bytes at a time in place: the texts of
// fields and record columns are a few bytes long, where a call to the library's comparison
// costs more than the comparison.
inline bool sameBytes(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) {
        return false;
    }
    std::size_t at = 0;
    for (; left.size() - at >= sizeof(std::uint64_t); at += sizeof(std::uint64_t)) {
        std::uint64_t leftWord = 0;
        std::uint64_t rightWord = 0;
        std::memcpy(&leftWord, left.data() + at, sizeof(leftWord));
        std::memcpy(&rightWord, right.data() + at, sizeof(rightWord));
        if (leftWord != rightWord) {
            return false;
        }
    }
    for (; at < left.size(); ++at) {
        if (left[at] != right[at]) {
            return false;
        }
    }
    return true;
}

} // namespace zelkora
