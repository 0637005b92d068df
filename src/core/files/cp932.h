#pragma once

#include "common/error.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Code page 932 (Shift-JIS as Windows writes it) to and from the core's UTF-8 text. Every text
// the program stores on disk goes through here, so nothing is ever replaced silently: a
// character without a code page 932 form is reported, and bytes that are not valid code page
// 932 are flagged while the rest of the text is still recovered.
namespace zelkora {

// A failed encoding is an Error: Unencodable (its text the character, its number the 0-based
// character index), MalformedText (the index where the UTF-8 breaks) or ConverterUnavailable.
struct Cp932Encoded {
    std::string bytes; // the code page 932 form; empty unless status.ok()
    Status status;
};

struct Cp932Decoded {
    std::string text;
    bool valid = true; // false when some bytes were not code page 932; each became U+FFFD
};

// One open converter (ICU's where the build has ICU, the generated table elsewhere: the same
// bytes either way). Opening one costs far more than a conversion, and a rebuild decodes up to
// millions of records, so a codec is made once and reused; it is not thread-safe, so each
// thread (or each file object) keeps its own.
class Cp932Codec {
public:
    Cp932Codec();
    ~Cp932Codec();
    Cp932Codec(Cp932Codec&&) noexcept;
    Cp932Codec& operator=(Cp932Codec&&) noexcept;
    Cp932Codec(const Cp932Codec&) = delete;
    Cp932Codec& operator=(const Cp932Codec&) = delete;

    // False when the conversion tables could not be loaded; every call then fails.
    bool available() const;

    Cp932Encoded encode(std::string_view text);
    // Same, writing into `bytes` (its capacity is reused); `bytes` is empty on failure.
    Status encodeInto(std::string_view text, std::string& bytes);

    Cp932Decoded decode(std::string_view bytes);
    // Replaces `text` with the decoded bytes (its capacity is reused). Returns false when the
    // bytes held invalid sequences; everything else is still decoded, each bad sequence as
    // U+FFFD.
    bool decodeInto(std::string_view bytes, std::string& text);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace zelkora
