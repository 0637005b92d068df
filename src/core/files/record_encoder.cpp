#include "files/record_encoder.h"

#include "common/same_bytes.h"
#include "files/utf8.h"

#include <cstring>

namespace zelkora {
namespace {

// Column values are short: one pass, no early exit.
bool isAscii(std::string_view text) {
    unsigned char seen = 0;
    for (const char character : text) {
        seen |= static_cast<unsigned char>(character);
    }
    return seen < 0x80U;
}

// Copies `bytes` to `out`, where the column's padding is already spaces; returns the column's
// end.
char* putColumn(char* out, std::string_view bytes, std::size_t padding) {
    if (!bytes.empty()) {
        std::memcpy(out, bytes.data(), bytes.size());
    }
    return out + bytes.size() + padding;
}

} // namespace

std::optional<std::string_view> RecordEncoder::encode(const ColumnValues& values) {
    std::string& bytes = buffer_;
    // A known text takes at most two bytes a character.
    std::size_t longest = 0;
    for (std::size_t index = 0; index < values.size(); ++index) {
        longest += kColumnWidths[index] + 2 * values[index].size();
    }
    if (bytes.size() < longest) {
        bytes.resize(longest);
    }
    std::memset(bytes.data(), ' ', longest);
    char* out = bytes.data();
    for (std::size_t index = 0; index < values.size(); ++index) {
        const std::size_t width = kColumnWidths[index];
        const std::string_view kept = values[index].substr(0, width);
        if (isAscii(kept)) {
            out = putColumn(out, kept, width - kept.size());
            continue;
        }
        const KnownText* known = find(index, values[index]);
        if (known == nullptr || known->characters > width) {
            return std::nullopt; // new, or cut to this column: the full conversion does it
        }
        out = putColumn(out, known->bytes, width - known->characters);
    }
    return std::string_view(bytes.data(), static_cast<std::size_t>(out - bytes.data()));
}

void RecordEncoder::learn(const ColumnValues& values) {
    for (std::size_t index = 0; index < values.size(); ++index) {
        const std::string_view value = values[index];
        const std::size_t width = kColumnWidths[index];
        if (isAscii(value.substr(0, width)) || find(index, value) != nullptr ||
            known_.size() >= kMaxKnownTexts) {
            continue;
        }
        const std::size_t characters = countCharacters(value);
        if (characters > width) {
            continue; // cut to its column: converted with the record each time
        }
        if (!codec_) {
            codec_.emplace();
        }
        KnownText text{std::string(value), {}, characters};
        if (codec_->encodeInto(value, text.bytes).ok()) {
            known_.push_back(std::move(text));
        }
    }
}

const RecordEncoder::KnownText* RecordEncoder::find(std::size_t column, std::string_view value) {
    std::size_t& last = lastFound_[column];
    if (last < known_.size() && sameBytes(known_[last].text, value)) {
        return &known_[last];
    }
    for (std::size_t index = 0; index < known_.size(); ++index) {
        if (sameBytes(known_[index].text, value)) {
            last = index;
            return &known_[index];
        }
    }
    return nullptr;
}

} // namespace zelkora
