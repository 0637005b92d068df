#pragma once

#include "temp_folder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

// Record bytes written out by hand from the layout: a little-endian length, the text bytes,
// zeros to the end of the record.
namespace zelkora::testing {

inline Bytes recordBytes(const Bytes& text, std::size_t recordLength = 200) {
    Bytes record(recordLength, 0);
    record[0] = static_cast<std::uint8_t>(text.size() & 0xFF);
    record[1] = static_cast<std::uint8_t>(text.size() >> 8);
    std::copy(text.begin(), text.end(), record.begin() + 2);
    return record;
}

// Concatenates pieces of text bytes.
inline Bytes join(std::initializer_list<Bytes> pieces) {
    Bytes all;
    for (const Bytes& piece : pieces) {
        all.insert(all.end(), piece.begin(), piece.end());
    }
    return all;
}

inline Bytes spaces(std::size_t count) {
    return Bytes(count, ' ');
}

inline Bytes ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

} // namespace zelkora::testing
