#pragma once

#include "common/error.h"

#include <string>
#include <string_view>
#include <vector>

struct UConverter;

namespace zelkora {

// Code page 932 through ICU's converter: the conversion of the Linux build. Converts the
// non-ASCII stretch of a text; Cp932Codec does the rest. Not thread-safe.
class IcuCp932 {
public:
    IcuCp932();
    ~IcuCp932();
    IcuCp932(const IcuCp932&) = delete;
    IcuCp932& operator=(const IcuCp932&) = delete;
    IcuCp932(IcuCp932&&) = delete;
    IcuCp932& operator=(IcuCp932&&) = delete;

    bool available() const { return converter_ != nullptr; }
    // Appends the code page 932 form of UTF-8 `text`; Unencodable or MalformedText counts the
    // characters from the start of `text`.
    Status appendEncoded(std::string_view text, std::string& bytes);
    // Appends the UTF-8 form of `bytes`, each invalid sequence as U+FFFD, and sets `invalid` when
    // there was one. False when the conversion itself failed.
    bool appendDecoded(std::string_view bytes, std::string& text, bool& invalid);

    // Set by the decode callback when ICU meets bytes that are not code page 932. ICU hands the
    // callback a pointer to const, hence mutable.
    struct InvalidBytesFlag {
        mutable bool raised = false;
    };

private:
    int toUtf16(std::string_view bytes);

    UConverter* converter_ = nullptr;
    bool swapsControls_ = false;
    InvalidBytesFlag invalidBytes_;
    std::vector<char16_t> utf16_;
};

} // namespace zelkora
