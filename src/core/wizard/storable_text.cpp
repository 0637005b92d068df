#include "wizard/storable_text.h"

#include "files/fixed_length_file.h"
#include "files/utf8.h"

namespace zelkora {

std::optional<std::string> StorableText::unencodableCharacter(std::string_view text) {
    const Status encoded = codec_.encodeInto(text, bytes_);
    if (encoded.ok()) {
        return std::nullopt;
    }
    switch (encoded.error().kind) {
    case ErrorKind::Unencodable:
        return encoded.error().text;
    case ErrorKind::MalformedText:
        return std::string("\uFFFD");
    default:
        return std::nullopt;
    }
}

bool StorableText::fitsRecord(std::string_view recordText) {
    if (!codec_.encodeInto(recordText, bytes_).ok()) {
        return true; // not a question of length; unencodableCharacter says what is wrong
    }
    return bytes_.size() <= kVerificationRecordLength - 2;
}

std::string_view StorableText::asStored(std::string_view text, std::size_t width) {
    return characterSlice(text, 0, width);
}

} // namespace zelkora
