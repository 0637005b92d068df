#include "files/column_codec.h"

#include "files/utf8.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace zelkora {

void appendColumn(std::string& text, std::string_view value, std::size_t width) {
    const std::string_view kept = characterSlice(value, 0, width);
    text.append(kept);
    text.append(width - countCharacters(kept), ' ');
}

std::string buildRecordText(const ColumnValues& values) {
    std::string text;
    buildRecordTextInto(text, values);
    return text;
}

void buildRecordTextInto(std::string& text, const ColumnValues& values) {
    // Every column is written in place into a buffer long enough for the worst case; a record
    // is mostly short ASCII values, which need no character counting.
    std::size_t longest = 0;
    for (std::size_t index = 0; index < values.size(); ++index) {
        longest += values[index].size() + kColumnWidths[index];
    }
    text.resize(longest);
    char* out = text.data();
    for (std::size_t index = 0; index < values.size(); ++index) {
        const std::string_view value = values[index];
        const std::size_t width = kColumnWidths[index];
        std::string_view kept = value.substr(0, width);
        std::size_t characters = kept.size();
        if (asciiPrefixLength(kept) != kept.size()) {
            kept = characterSlice(value, 0, width);
            characters = countCharacters(kept);
        }
        if (!kept.empty()) {
            std::memcpy(out, kept.data(), kept.size());
            out += kept.size();
        }
        std::memset(out, ' ', width - characters);
        out += width - characters;
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
}

std::string_view trimSpacesFromEnds(std::string_view text) {
    // Columns are padded with runs of spaces, looked at eight bytes at a time: the bytes that are
    // not spaces are the non-zero bytes of the word XOR eight spaces.
    constexpr std::uint64_t kSpaces = 0x2020202020202020ULL;
    const auto othersAt = [&text](std::size_t at) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, sizeof(word));
        return word ^ kSpaces;
    };
    std::size_t first = 0;
    std::size_t last = text.size();
    // The byte at the lowest address is the word's lowest byte.
    constexpr bool kWords = std::endian::native == std::endian::little;
    while (kWords && last - first >= sizeof(std::uint64_t)) {
        if (const std::uint64_t others = othersAt(first); others != 0) {
            first += static_cast<std::size_t>(std::countr_zero(others)) / 8;
            break;
        }
        first += sizeof(std::uint64_t);
    }
    while (first < last && text[first] == ' ') {
        ++first;
    }
    while (kWords && last - first >= sizeof(std::uint64_t)) {
        if (const std::uint64_t others = othersAt(last - sizeof(std::uint64_t)); others != 0) {
            last -= static_cast<std::size_t>(std::countl_zero(others)) / 8;
            break;
        }
        last -= sizeof(std::uint64_t);
    }
    while (last > first && text[last - 1] == ' ') {
        --last;
    }
    return text.substr(first, last - first);
}

std::string_view column(std::string_view text, std::size_t position, std::size_t width) {
    if (position < 1) {
        return {};
    }
    return trimSpaces(characterSlice(text, position - 1, width));
}

std::string_view column(std::string_view text, int columnNumber) {
    if (columnNumber < 1 || columnNumber > kRecordColumnCount) {
        return {};
    }
    const auto index = static_cast<std::size_t>(columnNumber - 1);
    return column(text, kColumnPositions[index], kColumnWidths[index]);
}

ColumnValues splitColumns(std::string_view text) {
    // One pass over the text, as characterOffset() would cut each column from where the last
    // one ended: a column ends at the byte that starts the character after its width, and eight
    // ASCII bytes at a time are eight characters.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    ColumnValues columns{};
    std::size_t offset = 0;
    std::size_t start = 0;
    for (std::size_t index = 0; index < columns.size(); ++index) {
        std::size_t left = kColumnWidths[index];
        while (offset < text.size()) {
            if (left >= sizeof(std::uint64_t) && text.size() - offset >= sizeof(std::uint64_t)) {
                std::uint64_t word = 0;
                std::memcpy(&word, text.data() + offset, sizeof(word));
                if ((word & kHighBits) == 0) {
                    offset += sizeof(word);
                    left -= sizeof(word);
                    continue;
                }
            }
            if ((static_cast<unsigned char>(text[offset]) & 0xC0U) != 0x80U) {
                if (left == 0) {
                    break;
                }
                --left;
            }
            ++offset;
        }
        columns[index] = trimSpaces(text.substr(start, offset - start));
        start = offset;
    }
    return columns;
}

} // namespace zelkora
