#include "files/cp932_table.h"

#include "files/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zelkora {
namespace {

struct EncodedCharacter {
    char32_t character;
    std::uint16_t bytes; // one byte below 0x100, else lead byte × 256 + trail byte
};

// Characters ICU writes no byte for (the soft hyphen, joiners, variation selectors: Unicode's
// default-ignorable characters without a form). The table drops them too, so both builds write
// the same bytes.
struct DroppedRange {
    char32_t first;
    char32_t last;
};

// kSingleByte: for each byte, the character it stands for alone, kLeadByte or kInvalidByte.
// kLeadIndex: a lead byte's row in kDoubleByte. kDoubleByte: for a lead byte and the byte after
// it, the character of the pair, kInvalidPair (both bytes are one bad sequence) or
// kLeadAlone (the lead byte alone is bad; the next byte starts afresh).
// kEncoded: every character above ASCII that has a form, by character. kDropped: by character.
constexpr std::uint16_t kLeadByte = 0xFFFF;
constexpr std::uint16_t kInvalidByte = 0xFFFE;
constexpr std::uint16_t kInvalidPair = 0xFFFD;
constexpr std::uint16_t kLeadAlone = 0x0000;

#include "files/cp932_table.inc"

constexpr char32_t kReplacementCharacter = 0xFFFD;

void appendUtf8(char32_t character, std::string& text) {
    if (character < 0x80) {
        text.push_back(static_cast<char>(character));
    } else if (character < 0x800) {
        text.push_back(static_cast<char>(0xC0U | (character >> 6U)));
        text.push_back(static_cast<char>(0x80U | (character & 0x3FU)));
    } else {
        // The code page has nothing beyond the Basic Multilingual Plane.
        text.push_back(static_cast<char>(0xE0U | (character >> 12U)));
        text.push_back(static_cast<char>(0x80U | ((character >> 6U) & 0x3FU)));
        text.push_back(static_cast<char>(0x80U | (character & 0x3FU)));
    }
}

const EncodedCharacter* findEncoded(char32_t character) {
    const auto* found = std::lower_bound(
        kEncoded.begin(), kEncoded.end(), character,
        [](const EncodedCharacter& entry, char32_t wanted) { return entry.character < wanted; });
    return found != kEncoded.end() && found->character == character ? found : nullptr;
}

bool isDropped(char32_t character) {
    const auto* range = std::lower_bound(
        kDropped.begin(), kDropped.end(), character,
        [](const DroppedRange& entry, char32_t wanted) { return entry.last < wanted; });
    return range != kDropped.end() && range->first <= character;
}

} // namespace

Status TableCp932::appendEncoded(std::string_view text, std::string& bytes) const {
    // Broken UTF-8 anywhere is reported before any character without a form, as ICU's
    // conversion does after its own UTF-16 step.
    std::size_t offset = 0;
    std::size_t index = 0;
    while (offset < text.size()) {
        if (!nextCodePoint(text, offset)) {
            return Error{ErrorKind::MalformedText}.counting(static_cast<std::int64_t>(index));
        }
        ++index;
    }
    offset = 0;
    index = 0;
    while (offset < text.size()) {
        const std::size_t characterAt = offset;
        const char32_t character = *nextCodePoint(text, offset);
        if (character < 0x80) {
            bytes.push_back(static_cast<char>(character));
        } else if (const EncodedCharacter* found = findEncoded(character)) {
            if (found->bytes >= 0x100) {
                bytes.push_back(static_cast<char>(found->bytes >> 8U));
            }
            bytes.push_back(static_cast<char>(found->bytes & 0xFFU));
        } else if (!isDropped(character)) {
            return Error{ErrorKind::Unencodable}
                .about(std::string(text.substr(characterAt, offset - characterAt)))
                .counting(static_cast<std::int64_t>(index));
        }
        ++index;
    }
    return {};
}

bool TableCp932::appendDecoded(std::string_view bytes, std::string& text, bool& invalid) const {
    invalid = false;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const auto first = static_cast<unsigned char>(bytes[offset]);
        const std::uint16_t single = kSingleByte[first];
        char32_t character = single;
        std::size_t length = 1;
        if (single == kInvalidByte) {
            character = kReplacementCharacter;
        } else if (single == kLeadByte) {
            character = kReplacementCharacter; // a lead byte at the end has nothing to pair with
            if (offset + 1 < bytes.size()) {
                const auto second = static_cast<unsigned char>(bytes[offset + 1]);
                const std::uint16_t pair =
                    kDoubleByte[std::size_t{kLeadIndex[first]} * 256U + second];
                if (pair != kLeadAlone) {
                    character = pair == kInvalidPair ? kReplacementCharacter : char32_t{pair};
                    length = 2;
                }
            }
        }
        invalid = invalid || character == kReplacementCharacter;
        appendUtf8(character, text);
        offset += length;
    }
    return true;
}

} // namespace zelkora
