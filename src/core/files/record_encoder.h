#pragma once

#include "files/column_codec.h"
#include "files/cp932.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelkora {

// The code page 932 form of a record made straight from its column values, laid out as
// buildRecordText() lays out the text. A run writes the same few words (した, 交換, 通常, the
// symbol names) into every result record, and converting them through ICU costs far more than
// the rest of the record; so the encoder keeps the form of each text it has met and gives up on
// a text it has not. The caller then writes that record through RecordFile::write(), which
// reports any text that cannot be stored, and lets the encoder learn the record's texts.
class RecordEncoder {
public:
    // The record's bytes (valid until the next call), or nothing when a value is neither ASCII
    // nor a known text.
    std::optional<std::string_view> encode(const ColumnValues& values);
    // Learns the form of the record's texts that are not ASCII and fit their column.
    void learn(const ColumnValues& values);

private:
    struct KnownText {
        std::string text;
        std::string bytes;
        std::size_t characters = 0;
    };
    const KnownText* find(std::size_t column, std::string_view value);

    // Enough for every text a verification can write; beyond it records are simply converted.
    static constexpr std::size_t kMaxKnownTexts = 256;
    std::vector<KnownText> known_;
    std::array<std::size_t, kRecordColumnCount> lastFound_{};
    std::optional<Cp932Codec> codec_; // opened at the first text to learn
    std::string buffer_;
};

} // namespace zelkora
