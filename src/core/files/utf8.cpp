#include "files/utf8.h"

#include <cstdint>
#include <cstring>

namespace zelkora {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

bool isContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U;
}

// Lead byte of a multi-byte sequence: how many continuation bytes follow, and the smallest code
// point that needs this many (anything smaller is an overlong form).
struct LeadByte {
    int continuationBytes = 0;
    char32_t bits = 0;
    char32_t minimum = 0;
};

std::optional<LeadByte> leadByte(unsigned char byte) {
    if ((byte & 0xE0U) == 0xC0U) {
        return LeadByte{1, byte & 0x1FU, 0x80};
    }
    if ((byte & 0xF0U) == 0xE0U) {
        return LeadByte{2, byte & 0x0FU, 0x800};
    }
    if ((byte & 0xF8U) == 0xF0U) {
        return LeadByte{3, byte & 0x07U, 0x10000};
    }
    return std::nullopt;
}

} // namespace

std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& offset) {
    const auto first = static_cast<unsigned char>(text[offset]);
    ++offset;
    if (first < 0x80U) {
        return first;
    }
    const auto lead = leadByte(first);
    if (!lead || text.size() - offset < static_cast<std::size_t>(lead->continuationBytes)) {
        return std::nullopt;
    }
    char32_t value = lead->bits;
    for (int index = 0; index < lead->continuationBytes; ++index) {
        const char byte = text[offset + static_cast<std::size_t>(index)];
        if (!isContinuationByte(byte)) {
            return std::nullopt;
        }
        value = (value << 6U) | (static_cast<unsigned char>(byte) & 0x3FU);
    }
    if (value < lead->minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    offset += static_cast<std::size_t>(lead->continuationBytes);
    return value;
}

std::size_t countCharacters(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        count += isContinuationByte(byte) ? 0U : 1U;
    }
    return count;
}

std::size_t characterOffset(std::string_view text, std::size_t characterIndex) {
    std::size_t offset = 0;
    std::size_t seen = 0;
    while (offset < text.size()) {
        // Eight ASCII bytes are eight characters, none of them the one wanted.
        if (characterIndex - seen >= sizeof(std::uint64_t) &&
            text.size() - offset >= sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + offset, sizeof(word));
            if ((word & kHighBits) == 0) {
                offset += sizeof(word);
                seen += sizeof(word);
                continue;
            }
        }
        if (!isContinuationByte(text[offset])) {
            if (seen == characterIndex) {
                return offset;
            }
            ++seen;
        }
        ++offset;
    }
    return text.size();
}

std::string_view characterSlice(std::string_view text, std::size_t firstCharacter,
                                std::size_t count) {
    const std::size_t begin = characterOffset(text, firstCharacter);
    const std::string_view rest = text.substr(begin);
    return rest.substr(0, characterOffset(rest, count));
}

} // namespace zelkora
