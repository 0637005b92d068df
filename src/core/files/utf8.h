#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

// Character arithmetic on the core's UTF-8 text. Record columns are measured in characters, not
// bytes: a double-byte Shift-JIS character is one character, just like an ASCII one.
namespace zelkora {

// Number of leading bytes below 0x80: the ASCII characters the text begins with, one byte each.
// Eight bytes at a time, inline: record texts are mostly digits and spaces, and the rebuild
// asks this of every column it decodes.
inline std::size_t asciiPrefixLength(std::string_view text) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t offset = 0;
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

// Number of characters (code points) in UTF-8 text. Every byte that is not a continuation byte
// starts a character, so malformed text still gives a count without reading out of bounds.
std::size_t countCharacters(std::string_view text);

// Byte offset at which the character with 0-based index `characterIndex` begins; text.size()
// when the text has no more characters than that.
std::size_t characterOffset(std::string_view text, std::size_t characterIndex);

// The part of the text made of the characters [firstCharacter, firstCharacter + count); shorter
// or empty when the text ends earlier. Never splits a character.
std::string_view characterSlice(std::string_view text, std::size_t firstCharacter,
                                std::size_t count);

// Decodes the character that starts at `offset` and moves `offset` past it. Malformed input
// (a stray continuation byte, a truncated or overlong sequence, a surrogate, a value above
// U+10FFFF) gives nothing and moves `offset` past one byte. Requires offset < text.size().
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& offset);

} // namespace zelkora
