#include "files/record_decoder.h"

#include "common/same_bytes.h"
#include "files/utf8.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

namespace zelkora {
namespace {

// Bytes of the code page 932 character that starts with each byte: 1 for ASCII and the
// half-width katakana, 2 for a double-byte lead, 0 for a byte that starts no character.
constexpr std::array<std::uint8_t, 256> kCharacterBytes = [] {
    std::array<std::uint8_t, 256> bytes{};
    for (std::size_t lead = 0; lead < bytes.size(); ++lead) {
        if (lead < 0x80U || (lead >= 0xA1U && lead <= 0xDFU)) {
            bytes[lead] = 1;
        } else if ((lead >= 0x81U && lead <= 0x9FU) || (lead >= 0xE0U && lead <= 0xFCU)) {
            bytes[lead] = 2;
        }
    }
    return bytes;
}();

// The offset of the first byte at or above 0x80 from `offset` on, or the text's size.
std::size_t nextHighByte(std::string_view text, std::size_t offset) {
    return offset + asciiPrefixLength(text.substr(offset));
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

// The character at which each column starts, and the end of the last.
constexpr std::array<std::size_t, kRecordColumnCount + 1> kColumnStarts = [] {
    std::array<std::size_t, kRecordColumnCount + 1> starts{};
    for (std::size_t index = 0; index < kRecordColumnCount; ++index) {
        starts[index + 1] = starts[index] + kColumnWidths[index];
    }
    return starts;
}();

} // namespace

// Where a record's columns lie in its bytes, as splitColumns() cuts the decoded text: a column
// ends after its width in characters, and from a character's start each byte below 0x80 is a
// character. Records that hold the same stretch of other characters at the same place (from
// the first byte at or above 0x80 to the end of the last such character) lie the same way.
struct RecordDecoder::Layout {
    std::size_t first = 0;
    std::string stretch;
    std::array<std::size_t, kRecordColumnCount + 1> starts{}; // as if the text went on in ASCII
    std::array<bool, kRecordColumnCount> ascii{};

    // The layout of `encoded`, whose first byte at or above 0x80 is at `first`; nothing at a
    // byte that starts no character or a character cut off by the end of the text.
    static std::optional<Layout> of(std::string_view encoded, std::size_t first) {
        Layout layout;
        layout.first = first;
        // The byte at which each character of the stretch (and the one after it) starts.
        std::array<std::size_t, kColumnStarts.back() + 1> characterAt{};
        std::array<bool, kColumnStarts.back()> high{};
        std::size_t offset = first;
        std::size_t character = first;
        std::size_t stretchEnd = first;
        std::size_t stretchCharacters = first;
        while (offset < encoded.size() && character < kColumnStarts.back()) {
            const std::size_t next = nextHighByte(encoded, offset);
            if (next == encoded.size()) {
                break; // ASCII to the end
            }
            for (; offset < next && character < kColumnStarts.back(); ++offset, ++character) {
                characterAt[character] = offset;
            }
            if (character == kColumnStarts.back()) {
                break;
            }
            const std::size_t bytes = kCharacterBytes[static_cast<unsigned char>(encoded[offset])];
            if (bytes == 0 || encoded.size() - offset < bytes) {
                return std::nullopt;
            }
            characterAt[character] = offset;
            high[character] = true;
            offset += bytes;
            ++character;
            stretchEnd = offset;
            stretchCharacters = character;
        }
        layout.stretch.assign(encoded.substr(first, stretchEnd - first));
        for (std::size_t index = 0; index < layout.starts.size(); ++index) {
            const std::size_t at = kColumnStarts[index];
            layout.starts[index] = at <= first              ? at
                                   : at < stretchCharacters ? characterAt[at]
                                                            : stretchEnd + (at - stretchCharacters);
        }
        for (std::size_t index = 0; index < layout.ascii.size(); ++index) {
            layout.ascii[index] = true;
            for (std::size_t at = kColumnStarts[index];
                 at < kColumnStarts[index + 1] && at < stretchCharacters; ++at) {
                layout.ascii[index] = layout.ascii[index] && !high[at];
            }
        }
        return layout;
    }

    // Whether `encoded` lies this way: the same stretch at the same place, ASCII after it.
    bool fits(std::string_view encoded, std::size_t firstHigh) const {
        return firstHigh == first && encoded.size() - first >= stretch.size() &&
               sameBytes(encoded.substr(first, stretch.size()), stretch) &&
               nextHighByte(encoded, first + stretch.size()) == encoded.size();
    }

    // The columns' bytes, trimmed, in `encoded`.
    ColumnValues cut(std::string_view encoded) const {
        ColumnValues columns{};
        for (std::size_t index = 0; index < columns.size(); ++index) {
            const std::size_t begin = std::min(starts[index], encoded.size());
            const std::size_t end = std::min(starts[index + 1], encoded.size());
            columns[index] = withoutPadding(encoded.substr(begin, end - begin));
        }
        return columns;
    }
};

namespace {} // namespace

RecordDecoder::RecordDecoder() : allAscii_(std::make_unique<Layout>()) {
    known_.reserve(kMaxKnownTexts);
    // A record without other characters lies as the columns' widths say.
    allAscii_->first = std::string_view::npos;
    allAscii_->starts = kColumnStarts;
    allAscii_->ascii.fill(true);
}

RecordDecoder::~RecordDecoder() = default;

const RecordDecoder::Layout* RecordDecoder::layoutOf(std::string_view encoded) const {
    const std::size_t first = nextHighByte(encoded, 0);
    if (first == encoded.size()) {
        return allAscii_.get();
    }
    if (lastLayout_ < layouts_.size() && layouts_[lastLayout_]->fits(encoded, first)) {
        return layouts_[lastLayout_].get();
    }
    for (std::size_t index = 0; index < layouts_.size(); ++index) {
        if (layouts_[index]->fits(encoded, first)) {
            lastLayout_ = index;
            return layouts_[index].get();
        }
    }
    std::optional<Layout> layout = Layout::of(encoded, first);
    if (!layout) {
        return nullptr;
    }
    if (layouts_.size() < kMaxLayouts) {
        layouts_.push_back(std::make_unique<Layout>(std::move(*layout)));
        lastLayout_ = layouts_.size() - 1;
        return layouts_.back().get();
    }
    scratchLayout_ = std::make_unique<Layout>(std::move(*layout));
    return scratchLayout_.get();
}

std::optional<ColumnValues> RecordDecoder::decode(std::string_view encoded) const {
    const Layout* layout = layoutOf(encoded);
    if (layout == nullptr) {
        return std::nullopt;
    }
    ColumnValues columns = layout->cut(encoded);
    // ASCII is its own code page 932 form; other columns must be known.
    for (std::size_t index = 0; index < columns.size(); ++index) {
        std::string_view& column = columns[index];
        if (!layout->ascii[index]) {
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
    const Layout* layout = layoutOf(encoded);
    if (layout == nullptr || !codec_.available()) {
        return;
    }
    const ColumnValues cut = layout->cut(encoded);
    std::string text;
    for (std::size_t index = 0; index < cut.size(); ++index) {
        if (layout->ascii[index] || find(index, cut[index]) != nullptr ||
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
    if (last < known_.size() && sameBytes(known_[last].encoded, encoded)) {
        return &known_[last];
    }
    for (std::size_t index = 0; index < known_.size(); ++index) {
        if (sameBytes(known_[index].encoded, encoded)) {
            last = index;
            return &known_[index];
        }
    }
    return nullptr;
}

} // namespace zelkora
