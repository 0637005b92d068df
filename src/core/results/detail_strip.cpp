#include "results/detail_strip.h"

#include "common/error.h"
#include "common/numbers.h"
#include "files/column_number.h"

#include <algorithm>
#include <optional>
#include <string>

namespace zelkora {
namespace {

constexpr std::array<Field, kRecordColumnCount> kStripFields{
    Field::c大当り詳細_日目,     Field::c大当り詳細_回転数, Field::c大当り詳細_時短回転数,
    Field::c大当り詳細_投資額F,  Field::c大当り詳細_大当り, Field::c大当り詳細_当絵柄,
    Field::c大当り詳細_ルール,   Field::c大当り詳細_状態,   Field::c大当り詳細_持玉数F,
    Field::c大当り詳細_交換玉数, Field::c大当り詳細_連荘};

bool isTextColumn(Field field) {
    return field == Field::c大当り詳細_大当り || field == Field::c大当り詳細_当絵柄 ||
           field == Field::c大当り詳細_ルール || field == Field::c大当り詳細_状態;
}

bool isDigit(char character) {
    return character >= '0' && character <= '9';
}

// The stored numbers are nearly always plain integers; they skip the general reading.
std::optional<double> readColumnNumber(std::string_view text) {
    constexpr std::size_t kExactDigits = 15;
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (!digits.empty() && digits.size() <= kExactDigits &&
        std::all_of(digits.begin(), digits.end(), isDigit)) {
        std::int64_t value = 0;
        for (char digit : digits) {
            value = value * 10 + (digit - '0');
        }
        return static_cast<double>(negative ? -value : value);
    }
    if (isNumberText(text)) {
        return readNumber(text);
    }
    return std::nullopt;
}

} // namespace

void writeDetailStrip(FieldStore& fields, const ResultColumns& columns) {
    for (std::size_t index = 0; index < kStripFields.size(); ++index) {
        const Field field = kStripFields[index];
        const std::string_view text = trimSpaces(columns[index]);
        if (isTextColumn(field)) {
            fields.setText(field, text);
        } else if (const std::optional<double> number = readColumnNumber(text)) {
            fields.setNumber(field, *number);
        } else {
            raise(Error{ErrorKind::NotANumber}
                      .atColumn(static_cast<int>(index) + 1)
                      .about(std::string(text)));
        }
    }
}

} // namespace zelkora
