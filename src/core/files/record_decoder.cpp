#include "files/record_decoder.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace zelkora {
namespace {

// Bytes of the code page 932 character that starts with `lead`: 1 for ASCII and the half-width
// katakana, 2 for a double-byte lead, 0 for a byte that starts no character.
std::size_t characterBytes(unsigned char lead) {
    if (lead < 0x80U || (lead >= 0xA1U && lead <= 0xDFU)) {
        return 1;
    }
    if ((lead >= 0x81U && lead <= 0x9FU) || (lead >= 0xE0U && lead <= 0xFCU)) {
        return 2;
    }
    return 0;
}

// The offset of the first byte at or above 0x80 from `offset` on, or the text's size.
std::size_t nextHighByte(std::string_view text, std::size_t offset) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    while (text.size() - offset >= sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + offset, sizeof(word));
        if ((word & kHighBits) != 0) {
            break;
        }
        offset += sizeof(word);
    }
    while (offset < text.size() && static_cast<unsigned char>(text[offset]) < 0x80U) {
        ++offset;
    }
    return offset;
}

// A column's value without its padding. Values are left-aligned, so mostly only spaces after
// them need looking at, eight bytes at a time: the bytes that are not spaces are the non-zero
// bytes of the word XOR eight spaces.
std::string_view withoutPadding(std::string_view column) {
    if (column.empty() || column.front() == ' ' || std::endian::native != std::endian::little) {
        return trimSpaces(column);
    }
    constexpr std::uint64_t kSpaces = 0x2020202020202020ULL;
    std::size_t last = column.size();
    while (last >= sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, column.data() + last - sizeof(word), sizeof(word));
        if (const std::uint64_t others = word ^ kSpaces; others != 0) {
            return column.substr(0, last - static_cast<std::size_t>(std::countl_zero(others)) / 8);
        }
        last -= sizeof(word);
    }
    while (last > 0 && column[last - 1] == ' ') {
        --last;
    }
    return column.substr(0, last);
}

// The stored bytes of each column, cut after its width in characters, as splitColumns() cuts
// the decoded text: from a character's start, bytes below 0x80 are a character each. Marks the
// columns that hold other bytes. False at a byte that starts no character, or a character cut
// off by the end of the text.
bool cutColumns(std::string_view encoded, std::array<std::string_view, kRecordColumnCount>& cut,
                std::array<bool, kRecordColumnCount>& ascii) {
    std::size_t offset = 0;
    std::size_t highAt = nextHighByte(encoded, 0);
    for (std::size_t index = 0; index < cut.size(); ++index) {
        const std::size_t start = offset;
        std::size_t left = kColumnWidths[index];
        ascii[index] = true;
        while (left > 0 && offset < encoded.size()) {
            if (offset < highAt) {
                const std::size_t run = std::min(left, highAt - offset);
                offset += run;
                left -= run;
                continue;
            }
            const std::size_t bytes = characterBytes(static_cast<unsigned char>(encoded[offset]));
            if (bytes == 0 || encoded.size() - offset < bytes) {
                return false;
            }
            ascii[index] = false;
            offset += bytes;
            --left;
            highAt = nextHighByte(encoded, offset);
        }
        cut[index] = withoutPadding(encoded.substr(start, offset - start));
    }
    return true;
}

} // namespace

RecordDecoder::RecordDecoder() {
    known_.reserve(kMaxKnownTexts);
}

std::optional<ColumnValues> RecordDecoder::decode(std::string_view encoded) const {
    ColumnValues columns{};
    std::array<bool, kRecordColumnCount> ascii{};
    if (!cutColumns(encoded, columns, ascii)) {
        return std::nullopt;
    }
    // ASCII is its own code page 932 form; other columns must be known.
    for (std::size_t index = 0; index < columns.size(); ++index) {
        std::string_view& column = columns[index];
        if (!ascii[index]) {
            const KnownText* known = find(index, column);
            if (known == nullptr) {
                return std::nullopt;
            }
            column = known->text;
        }
    }
    return columns;
}

void RecordDecoder::learn(std::string_view encoded, const ColumnValues& decoded) {
    ColumnValues cut{};
    std::array<bool, kRecordColumnCount> ascii{};
    if (!cutColumns(encoded, cut, ascii) || !codec_.available()) {
        return;
    }
    std::string text;
    for (std::size_t index = 0; index < cut.size(); ++index) {
        if (ascii[index] || find(index, cut[index]) != nullptr ||
            known_.size() >= kMaxKnownTexts) {
            continue;
        }
        // Kept only when the column alone decodes, validly, to what the whole record gave it.
        if (codec_.decodeInto(cut[index], text) && text == decoded[index]) {
            known_.push_back({std::string(cut[index]), text});
        }
    }
}

// The text found last in the column is tried first: consecutive records repeat their words.
const RecordDecoder::KnownText* RecordDecoder::find(std::size_t column,
                                                    std::string_view encoded) const {
    std::size_t& last = lastFound_[column];
    if (last < known_.size() && std::string_view(known_[last].encoded) == encoded) {
        return &known_[last];
    }
    for (std::size_t index = 0; index < known_.size(); ++index) {
        if (std::string_view(known_[index].encoded) == encoded) {
            last = index;
            return &known_[index];
        }
    }
    return nullptr;
}

} // namespace zelkora
