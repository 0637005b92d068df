#include "results/detail_strip.h"

#include "common/error.h"
#include "common/numbers.h"
#include "files/column_number.h"

#include <optional>
#include <string>

namespace zelkora {
namespace {

constexpr std::array<Field, kRecordColumnCount> kStripFields{
    Field::c大当り詳細_日目,     Field::c大当り詳細_回転数, Field::c大当り詳細_時短回転数,
    Field::c大当り詳細_投資額F,  Field::c大当り詳細_大当り, Field::c大当り詳細_当絵柄,
    Field::c大当り詳細_ルール,   Field::c大当り詳細_状態,   Field::c大当り詳細_持玉数F,
    Field::c大当り詳細_交換玉数, Field::c大当り詳細_連荘};

// Columns 5 to 8 hold texts: 大当り, 当絵柄, ルール, 状態.
constexpr bool isTextColumn(std::size_t index) {
    return index >= 4 && index <= 7;
}

// A stored number: its value, and whether the column is the number's plain text as the field
// shows it (digits without a leading zero, perhaps negative).
struct ColumnNumber {
    double value = 0;
    bool plain = false;
};

// The stored numbers are nearly always plain integers; they skip the general reading.
std::optional<ColumnNumber> readColumnNumber(std::string_view text) {
    constexpr std::size_t kExactDigits = 15;
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (!digits.empty() && digits.size() <= kExactDigits) {
        std::int64_t value = 0;
        bool allDigits = true;
        for (const char digit : digits) {
            allDigits = allDigits && digit >= '0' && digit <= '9';
            value = value * 10 + (digit - '0');
        }
        if (allDigits) {
            const bool leadingZero = digits.size() > 1 && digits.front() == '0';
            return ColumnNumber{static_cast<double>(negative ? -value : value), !leadingZero};
        }
    }
    if (isNumberText(text)) {
        return ColumnNumber{readNumber(text), false};
    }
    return std::nullopt;
}

} // namespace

ShownAsStored writeDetailStrip(FieldStore& fields, const ResultColumns& columns) {
    ShownAsStored shown;
    for (std::size_t index = 0; index < kStripFields.size(); ++index) {
        const Field field = kStripFields[index];
        const std::string_view text = trimSpaces(columns[index]);
        if (isTextColumn(index)) {
            fields.setText(field, text);
            shown.set(index);
        } else if (const std::optional<ColumnNumber> number = readColumnNumber(text)) {
            fields.setNumber(field, number->value);
            shown.set(index, number->plain);
        } else {
            raise(Error{ErrorKind::NotANumber}
                      .atColumn(static_cast<int>(index) + 1)
                      .about(std::string(text)));
        }
    }
    return shown;
}

} // namespace zelkora
