#pragma once

#include "files/column_codec.h"
#include "files/cp932.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelkora {

// The trimmed columns of a record read straight from its code page 932 text, as splitColumns()
// cuts the decoded text. A run writes the same few words into every result record, and decoding
// each record through ICU costs far more than the rest of reading it; so the decoder keeps the
// text of each column it has learnt and gives up on any other non-ASCII column, or on a byte
// that starts no character it knows. The caller then decodes that record in full (which flags
// bytes that are not code page 932) and lets the decoder learn its columns.
class RecordDecoder {
public:
    RecordDecoder();
    ~RecordDecoder();
    RecordDecoder(const RecordDecoder&) = delete;
    RecordDecoder& operator=(const RecordDecoder&) = delete;

    // The columns, or nothing when the decoder cannot tell them. The views point into `encoded`
    // and into the decoder, valid until `encoded` changes or the decoder learns.
    std::optional<ColumnValues> decode(std::string_view encoded) const;
    // Learns the record's non-ASCII columns from its columns as the full decoding gave them.
    void learn(std::string_view encoded, const ColumnValues& decoded);

private:
    struct KnownText {
        std::string encoded;
        std::string text;
    };
    const KnownText* find(std::size_t column, std::string_view encoded) const;
    struct Layout;
    // How the record's columns lie, or nothing at a byte that starts no character.
    const Layout* layoutOf(std::string_view encoded) const;

    static constexpr std::size_t kMaxKnownTexts = 256;
    std::vector<KnownText> known_; // never reallocated: views into it stay valid
    mutable std::array<std::size_t, kRecordColumnCount> lastFound_{};
    // The ways records have lain, the last one used tried first.
    static constexpr std::size_t kMaxLayouts = 64;
    std::unique_ptr<Layout> allAscii_;
    mutable std::vector<std::unique_ptr<Layout>> layouts_;
    mutable std::size_t lastLayout_ = 0;
    mutable std::unique_ptr<Layout> scratchLayout_; // once the layouts kept are many
    Cp932Codec codec_;
};

} // namespace zelkora
