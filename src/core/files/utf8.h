#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Character arithmetic on the core's UTF-8 text. Record columns are measured in characters, not
// bytes: a double-byte Shift-JIS character is one character, just like an ASCII one.
namespace zelkora {

// Number of leading bytes below 0x80: the ASCII characters the text begins with, one byte each.
std::size_t asciiPrefixLength(std::string_view text);

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
