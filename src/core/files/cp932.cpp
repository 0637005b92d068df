#include "files/cp932.h"

#include "files/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#if ZELKORA_CP932_ICU
#include "files/cp932_icu.h"
#else
#include "files/cp932_table.h"
#endif

namespace zelkora {
namespace {

// Where ICU is at hand (Linux) it converts; elsewhere the table generated from it does, so both
// builds give the same bytes.
#if ZELKORA_CP932_ICU
using Cp932Backend = IcuCp932;
#else
using Cp932Backend = TableCp932;
#endif

// ICU works in 32-bit lengths and a UTF-8 result can be three times the input; larger inputs
// are refused rather than risking a length overflow. Records are a few hundred bytes at most.
// Both conversions keep the limit, so a text fails alike in every build.
constexpr std::size_t kMaxConvertibleBytes = std::size_t{1} << 28U;

// The byte range from the first to one past the last byte at or above 0x80; none for ASCII.
std::optional<std::pair<std::size_t, std::size_t>> nonAsciiStretch(std::string_view text) {
    const std::size_t first = asciiPrefixLength(text);
    if (first == text.size()) {
        return std::nullopt;
    }
    std::size_t last = text.size();
    while (static_cast<unsigned char>(text[last - 1]) < 0x80U) {
        --last;
    }
    return std::pair{first, last};
}

} // namespace

// The last conversions of the non-ASCII part of a text, by its hash. Records repeat the same few
// texts (した, 交換, 通常, the symbol names) over and over, and a conversion costs far more than a
// look-up. Only conversions that succeeded are kept, so every failure is still found and reported.
class ConversionCache {
public:
    // The entry found last is tried first: consecutive records mostly hold the same texts.
    const std::string* find(std::string_view from) {
        if (last_ != nullptr && last_->from == from) {
            return &last_->to;
        }
        Entry& entry = entries_[slot(from)];
        if (!entry.filled || entry.from != from) {
            return nullptr;
        }
        last_ = &entry;
        return &entry.to;
    }
    void keep(std::string_view from, std::string_view to) {
        Entry& entry = entries_[slot(from)];
        entry.from.assign(from);
        entry.to.assign(to);
        entry.filled = true;
        last_ = &entry;
    }

private:
    struct Entry {
        std::string from;
        std::string to;
        bool filled = false;
    };
    static constexpr std::size_t kEntries = 32;
    static std::size_t slot(std::string_view from) {
        return std::hash<std::string_view>{}(from) % kEntries;
    }
    std::array<Entry, kEntries> entries_;
    const Entry* last_ = nullptr;
};

struct Cp932Codec::State {
    Cp932Backend backend;
    ConversionCache encoded;
    ConversionCache decoded;
};

Cp932Codec::Cp932Codec() : state_(std::make_unique<State>()) {}

Cp932Codec::~Cp932Codec() = default;
Cp932Codec::Cp932Codec(Cp932Codec&&) noexcept = default;
Cp932Codec& Cp932Codec::operator=(Cp932Codec&&) noexcept = default;

bool Cp932Codec::available() const {
    return state_ != nullptr && state_->backend.available();
}

Cp932Encoded Cp932Codec::encode(std::string_view text) {
    Cp932Encoded result;
    result.status = encodeInto(text, result.bytes);
    return result;
}

Status Cp932Codec::encodeInto(std::string_view text, std::string& bytes) {
    bytes.clear();
    if (!available() || text.size() > kMaxConvertibleBytes) {
        return Error{ErrorKind::ConverterUnavailable};
    }
    // ASCII is its own code page 932 form, and a record is mostly digits and spaces, so only the
    // stretch from the first to the last non-ASCII byte is converted (every byte of a
    // multi-byte UTF-8 sequence is non-ASCII, so the stretch holds whole characters).
    const auto stretch = nonAsciiStretch(text);
    if (!stretch) {
        bytes.assign(text);
        return {};
    }
    const auto [begin, end] = *stretch;
    const std::string_view middle = text.substr(begin, end - begin);
    bytes.assign(text.substr(0, begin));
    if (const std::string* cached = state_->encoded.find(middle)) {
        bytes.append(*cached);
        bytes.append(text.substr(end));
        return {};
    }
    Status status = state_->backend.appendEncoded(middle, bytes);
    if (status.ok()) {
        state_->encoded.keep(middle, std::string_view(bytes).substr(begin));
    } else {
        bytes.clear();
        // The ASCII before the stretch is one character a byte.
        status.error().number += static_cast<std::int64_t>(begin);
        return status;
    }
    bytes.append(text.substr(end));
    return {};
}

Cp932Decoded Cp932Codec::decode(std::string_view bytes) {
    Cp932Decoded result;
    result.valid = decodeInto(bytes, result.text);
    return result;
}

bool Cp932Codec::decodeInto(std::string_view bytes, std::string& text) {
    text.clear();
    if (!available() || bytes.size() > kMaxConvertibleBytes) {
        return false;
    }
    // Bytes below 0x80 are ASCII in code page 932 and never the trail byte of a character that
    // has not begun, so only the stretch from the first high byte to one byte past the last
    // is converted: in a record that is a few columns, the rest is digits and spaces.
    const auto stretch = nonAsciiStretch(bytes);
    if (!stretch) {
        text.assign(bytes);
        return true;
    }
    const std::size_t begin = stretch->first;
    const std::size_t end = std::min(bytes.size(), stretch->second + 1);
    const std::string_view middle = bytes.substr(begin, end - begin);
    text.assign(bytes.substr(0, begin));
    if (const std::string* cached = state_->decoded.find(middle)) {
        text.append(*cached);
        text.append(bytes.substr(end));
        return true;
    }
    bool invalid = false;
    if (!state_->backend.appendDecoded(middle, text, invalid)) {
        text.clear();
        return false;
    }
    if (invalid) {
        text.append(bytes.substr(end));
        return false;
    }
    state_->decoded.keep(middle, std::string_view(text).substr(begin));
    text.append(bytes.substr(end));
    return true;
}

} // namespace zelkora
