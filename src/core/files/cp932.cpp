#include "files/cp932.h"

#include "files/utf8.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>
#include <utility>
#include <vector>

namespace zelkora {
namespace {

// ICU works in 32-bit lengths and a UTF-8 result can be three times the input; larger inputs
// are refused rather than risking a length overflow. Records are a few hundred bytes at most.
constexpr std::size_t kMaxConvertibleBytes = std::size_t{1} << 28U;

constexpr UChar kReplacementCharacter = 0xFFFD;

// ICU's table for this code page comes from an IBM variant that permutes three control codes
// (bytes 0x1A, 0x1C, 0x7F). Windows maps every byte below 0x80 to the same ASCII character, and
// so must files written here; these two maps undo the permutation on either side of ICU.
UChar toIcuControl(UChar unit) {
    switch (unit) {
    case 0x1A:
        return 0x1C;
    case 0x1C:
        return 0x7F;
    case 0x7F:
        return 0x1A;
    default:
        return unit;
    }
}

UChar fromIcuControl(UChar unit) {
    switch (unit) {
    case 0x1C:
        return 0x1A;
    case 0x7F:
        return 0x1C;
    case 0x1A:
        return 0x7F;
    default:
        return unit;
    }
}

void appendUtf16(std::vector<UChar>& utf16, char32_t character, bool swapsControls) {
    if (character < 0x10000) {
        const auto unit = static_cast<UChar>(character);
        utf16.push_back(swapsControls ? toIcuControl(unit) : unit);
        return;
    }
    const char32_t offset = character - 0x10000;
    utf16.push_back(static_cast<UChar>(0xD800 + (offset >> 10U)));
    utf16.push_back(static_cast<UChar>(0xDC00 + (offset & 0x3FFU)));
}

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

// Set by the decode callback whenever ICU meets bytes that are not code page 932. ICU hands the
// callback a pointer to const, hence mutable.
struct InvalidBytesFlag {
    mutable bool raised = false;
};

} // namespace

// The last conversions of the non-ASCII part of a text, by its hash. Records repeat the same few
// texts (した, 交換, 通常, the symbol names) over and over, and ICU costs far more than a look-up.
// Only conversions that succeeded are kept, so every failure is still found and reported.
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
    UConverter* converter = nullptr;
    bool swapsControls = false;
    InvalidBytesFlag invalidBytes;
    std::vector<UChar> utf16;
    ConversionCache encoded;
    ConversionCache decoded;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() {
        if (converter != nullptr) {
            ucnv_close(converter);
        }
    }
};

namespace {

// Decoding goes on after a bad sequence (the rest of a damaged record is still worth showing),
// but the caller must learn about it, so the callback records the fact and writes U+FFFD.
void flagAndSubstitute(const void* context, UConverterToUnicodeArgs* arguments, const char*,
                       int32_t, UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) {
        return; // reset, close and clone notifications are not errors
    }
    static_cast<const InvalidBytesFlag*>(context)->raised = true;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(arguments, &kReplacementCharacter, 1, 0, error);
}

bool icuSwapsControls(UConverter* converter) {
    const char byte = 0x1A;
    UChar unit = 0;
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter, &unit, 1, &byte, 1, &error);
    return U_SUCCESS(error) && length == 1 && unit == 0x1C;
}

} // namespace

Cp932Codec::Cp932Codec() : state_(std::make_unique<State>()) {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("windows-31j", &error);
    if (U_FAILURE(error) || converter == nullptr) {
        return;
    }
    state_->converter = converter;
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    ucnv_setToUCallBack(converter, flagAndSubstitute, &state_->invalidBytes, nullptr, nullptr,
                        &error);
    if (U_FAILURE(error)) {
        ucnv_close(converter);
        state_->converter = nullptr;
        return;
    }
    state_->swapsControls = icuSwapsControls(converter);
}

Cp932Codec::~Cp932Codec() = default;
Cp932Codec::Cp932Codec(Cp932Codec&&) noexcept = default;
Cp932Codec& Cp932Codec::operator=(Cp932Codec&&) noexcept = default;

bool Cp932Codec::available() const {
    return state_ != nullptr && state_->converter != nullptr;
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
    // stretch from the first to the last non-ASCII byte goes through ICU (every byte of a
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
    Status status = appendEncoded(*state_, middle, bytes);
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

Status Cp932Codec::appendEncoded(State& state, std::string_view text, std::string& bytes) {
    state.utf16.clear();
    std::size_t offset = 0;
    std::size_t index = 0;
    while (offset < text.size()) {
        const auto character = nextCodePoint(text, offset);
        if (!character) {
            return Error{ErrorKind::MalformedText}.counting(static_cast<std::int64_t>(index));
        }
        appendUtf16(state.utf16, *character, state.swapsControls);
        ++index;
    }
    // Code page 932 never needs more than two bytes for one UTF-16 unit.
    const std::size_t start = bytes.size();
    bytes.resize(start + state.utf16.size() * 2);
    const UChar* const begin = state.utf16.data();
    const UChar* source = begin;
    char* target = bytes.data() + start;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_resetFromUnicode(state.converter);
    ucnv_fromUnicode(state.converter, &target, bytes.data() + bytes.size(), &source,
                     begin + state.utf16.size(), nullptr, 1, &error);
    if (U_SUCCESS(error)) {
        bytes.resize(static_cast<std::size_t>(target - bytes.data()));
        return {};
    }
    if (error != U_INVALID_CHAR_FOUND && error != U_ILLEGAL_CHAR_FOUND) {
        return Error{ErrorKind::ConverterUnavailable};
    }
    std::array<UChar, 4> invalid{};
    int8_t invalidLength = static_cast<int8_t>(invalid.size());
    UErrorCode invalidError = U_ZERO_ERROR;
    ucnv_getInvalidUChars(state.converter, invalid.data(), &invalidLength, &invalidError);
    const auto stoppedAt = static_cast<int32_t>(source - begin) - invalidLength;
    const auto position = static_cast<std::size_t>(u_countChar32(begin, stoppedAt));
    const std::size_t characterAt = characterOffset(text, position);
    std::size_t characterEnd = characterAt;
    nextCodePoint(text, characterEnd);
    return Error{ErrorKind::Unencodable}
        .about(std::string(text.substr(characterAt, characterEnd - characterAt)))
        .counting(static_cast<std::int64_t>(position));
}

// The UTF-16 length of the decoded bytes; the needed length when the buffer is too small, and
// -1 on any other failure.
int32_t Cp932Codec::toUtf16(State& state, std::string_view bytes) {
    state.invalidBytes.raised = false;
    UErrorCode error = U_ZERO_ERROR;
    const int32_t units =
        ucnv_toUChars(state.converter, state.utf16.data(), static_cast<int32_t>(state.utf16.size()),
                      bytes.data(), static_cast<int32_t>(bytes.size()), &error);
    if (error == U_BUFFER_OVERFLOW_ERROR || U_SUCCESS(error)) {
        return units;
    }
    return -1;
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
    // needs ICU: in a record that is a few columns, the rest is digits and spaces.
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
    if (!appendDecoded(*state_, middle, text)) {
        text.clear();
        return false;
    }
    if (state_->invalidBytes.raised) {
        text.append(bytes.substr(end));
        return false;
    }
    state_->decoded.keep(middle, std::string_view(text).substr(begin));
    text.append(bytes.substr(end));
    return true;
}

bool Cp932Codec::appendDecoded(State& state, std::string_view bytes, std::string& text) {
    // Each byte gives at most one UTF-16 unit, a replacement character included; should ICU
    // ever want more, it says how much and the conversion is repeated.
    if (state.utf16.size() < bytes.size()) {
        state.utf16.resize(bytes.size());
    }
    int32_t units = toUtf16(state, bytes);
    if (units > static_cast<int32_t>(state.utf16.size())) {
        state.utf16.resize(static_cast<std::size_t>(units));
        units = toUtf16(state, bytes);
    }
    if (units < 0 || units > static_cast<int32_t>(state.utf16.size())) {
        return false;
    }
    if (state.swapsControls) {
        for (int32_t index = 0; index < units; ++index) {
            UChar& unit = state.utf16[static_cast<std::size_t>(index)];
            unit = fromIcuControl(unit);
        }
    }
    const std::size_t start = text.size();
    text.resize(start + static_cast<std::size_t>(units) * 3);
    UErrorCode error = U_ZERO_ERROR;
    int32_t length = 0;
    u_strToUTF8(text.data() + start, static_cast<int32_t>(text.size() - start), &length,
                state.utf16.data(), units, &error);
    if (U_FAILURE(error)) {
        return false;
    }
    text.resize(start + static_cast<std::size_t>(length));
    return true;
}

} // namespace zelkora
