#pragma once

#include "files/cp932.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelkora {

// Whether what a page holds can be written into a verification record as it stands: every
// character must have a code page 932 form, and a record's encoded text must fit its 198 bytes.
// The pages refuse what cannot be stored, so Finish never writes a broken or shortened record.
class StorableText {
public:
    // The first character of `text` that code page 932 cannot encode; nothing when every one
    // can, or when the conversion tables are missing (the write then fails and says so).
    std::optional<std::string> unencodableCharacter(std::string_view text);
    // Whether a record text fits a verification record once encoded.
    bool fitsRecord(std::string_view recordText);

    // The part of a value that its column keeps: the first `width` characters.
    static std::string_view asStored(std::string_view text, std::size_t width);

private:
    Cp932Codec codec_;
    std::string bytes_;
};

} // namespace zelkora
