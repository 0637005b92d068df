#pragma once

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

enum class Cp932EncodeError : std::uint8_t {
    None,
    Unencodable,          // a character has no code page 932 form
    MalformedText,        // the UTF-8 input itself is broken
    ConverterUnavailable, // the conversion tables could not be loaded
};

struct Cp932EncodeStatus {
    Cp932EncodeError error = Cp932EncodeError::None;
    char32_t character = 0;   // the offending character (Unencodable)
    std::size_t position = 0; // its 0-based character index in the text (Unencodable, Malformed)
    bool ok() const { return error == Cp932EncodeError::None; }
    // A one-line explanation for a message box or a log, e.g. "U+1F600 (character 4) cannot
    // be stored in code page 932".
    std::string describe() const;
};

struct Cp932Encoded {
    std::string bytes; // the code page 932 form; empty unless status.ok()
    Cp932EncodeStatus status;
};

struct Cp932Decoded {
    std::string text;
    bool valid = true; // false when some bytes were not code page 932; each became U+FFFD
};

// One open converter. Opening one costs far more than a conversion, and a rebuild decodes up
// to millions of records, so a codec is made once and reused; it is not thread-safe, so each
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
    Cp932EncodeStatus encodeInto(std::string_view text, std::string& bytes);

    Cp932Decoded decode(std::string_view bytes);
    // Replaces `text` with the decoded bytes (its capacity is reused). Returns false when the
    // bytes held invalid sequences; everything else is still decoded, each bad sequence as
    // U+FFFD.
    bool decodeInto(std::string_view bytes, std::string& text);

private:
    struct State;
    static Cp932EncodeStatus appendEncoded(State& state, std::string_view text, std::string& bytes);
    static int32_t toUtf16(State& state, std::string_view bytes);
    static bool appendDecoded(State& state, std::string_view bytes, std::string& text);
    std::unique_ptr<State> state_;
};

} // namespace zelkora
