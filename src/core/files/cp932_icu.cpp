#include "files/cp932_icu.h"

#include "files/utf8.h"

#include <array>
#include <cstdint>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

namespace zelkora {
namespace {

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

// Decoding goes on after a bad sequence (the rest of a damaged record is still worth showing),
// but the caller must learn about it, so the callback records the fact and writes U+FFFD.
void flagAndSubstitute(const void* context, UConverterToUnicodeArgs* arguments, const char*,
                       int32_t, UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) {
        return; // reset, close and clone notifications are not errors
    }
    static_cast<const IcuCp932::InvalidBytesFlag*>(context)->raised = true;
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

IcuCp932::IcuCp932() {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("windows-31j", &error);
    if (U_FAILURE(error) || converter == nullptr) {
        return;
    }
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    ucnv_setToUCallBack(converter, flagAndSubstitute, &invalidBytes_, nullptr, nullptr, &error);
    if (U_FAILURE(error)) {
        ucnv_close(converter);
        return;
    }
    converter_ = converter;
    swapsControls_ = icuSwapsControls(converter);
}

IcuCp932::~IcuCp932() {
    if (converter_ != nullptr) {
        ucnv_close(converter_);
    }
}

Status IcuCp932::appendEncoded(std::string_view text, std::string& bytes) {
    utf16_.clear();
    std::size_t offset = 0;
    std::size_t index = 0;
    while (offset < text.size()) {
        const auto character = nextCodePoint(text, offset);
        if (!character) {
            return Error{ErrorKind::MalformedText}.counting(static_cast<std::int64_t>(index));
        }
        appendUtf16(utf16_, *character, swapsControls_);
        ++index;
    }
    // Code page 932 never needs more than two bytes for one UTF-16 unit.
    const std::size_t start = bytes.size();
    bytes.resize(start + utf16_.size() * 2);
    const UChar* const begin = utf16_.data();
    const UChar* source = begin;
    char* target = bytes.data() + start;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_resetFromUnicode(converter_);
    ucnv_fromUnicode(converter_, &target, bytes.data() + bytes.size(), &source,
                     begin + utf16_.size(), nullptr, 1, &error);
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
    ucnv_getInvalidUChars(converter_, invalid.data(), &invalidLength, &invalidError);
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
int IcuCp932::toUtf16(std::string_view bytes) {
    invalidBytes_.raised = false;
    UErrorCode error = U_ZERO_ERROR;
    const int32_t units =
        ucnv_toUChars(converter_, utf16_.data(), static_cast<int32_t>(utf16_.size()), bytes.data(),
                      static_cast<int32_t>(bytes.size()), &error);
    if (error == U_BUFFER_OVERFLOW_ERROR || U_SUCCESS(error)) {
        return units;
    }
    return -1;
}

bool IcuCp932::appendDecoded(std::string_view bytes, std::string& text, bool& invalid) {
    // Each byte gives at most one UTF-16 unit, a replacement character included; should ICU
    // ever want more, it says how much and the conversion is repeated.
    if (utf16_.size() < bytes.size()) {
        utf16_.resize(bytes.size());
    }
    int32_t units = toUtf16(bytes);
    if (units > static_cast<int32_t>(utf16_.size())) {
        utf16_.resize(static_cast<std::size_t>(units));
        units = toUtf16(bytes);
    }
    if (units < 0 || units > static_cast<int32_t>(utf16_.size())) {
        return false;
    }
    if (swapsControls_) {
        for (int32_t index = 0; index < units; ++index) {
            UChar& unit = utf16_[static_cast<std::size_t>(index)];
            unit = fromIcuControl(unit);
        }
    }
    const std::size_t start = text.size();
    text.resize(start + static_cast<std::size_t>(units) * 3);
    UErrorCode error = U_ZERO_ERROR;
    int32_t length = 0;
    u_strToUTF8(text.data() + start, static_cast<int32_t>(text.size() - start), &length,
                utf16_.data(), units, &error);
    if (U_FAILURE(error)) {
        return false;
    }
    text.resize(start + static_cast<std::size_t>(length));
    invalid = invalidBytes_.raised;
    return true;
}

} // namespace zelkora
