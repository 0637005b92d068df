#include "common/field_store.h"

#include "common/same_bytes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace zelkora {
namespace {

// A text of up to nine decimal digits reads as that whole number: the texts the procedures
// write most ("0", a count) are read back without parsing.
bool readsAsSmallWholeNumber(std::string_view text, double& value) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    std::int32_t whole = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return false;
        }
        whole = whole * 10 + (digit - '0');
    }
    value = whole;
    return true;
}

} // namespace

void FieldStore::setText(Field field, std::string_view text) {
    Slot& slot = slots_[fieldIndex(field)];
    if (slot.kind == Kind::Text && sameBytes(slot.text, text)) {
        // The same text again (a replayed record's words): its number is still what it reads as.
        markChanged(field);
        return;
    }
    slot.kind = Kind::Text;
    slot.text.assign(text);
    slot.textValid = true;
    // Other texts are parsed on demand: most are never read as numbers.
    slot.numberValid = readsAsSmallWholeNumber(text, slot.number);
    markChanged(field);
}

const std::string& FieldStore::text(Field field) const {
    Slot& slot = slots_[fieldIndex(field)];
    if (!slot.textValid) {
        slot.text.clear();
        switch (slot.kind) {
        case Kind::Plain:
            if (isSmallInteger(slot.value)) {
                // The plain text of a whole number is its digits.
                std::array<char, 24> digits;
                const auto written = std::to_chars(digits.data(), digits.data() + digits.size(),
                                                   static_cast<long long>(slot.value));
                slot.text.assign(digits.data(), written.ptr);
                break;
            }
            appendPlainText(slot.text, slot.value);
            break;
        case Kind::TwoDecimals:
            appendPattern(slot.text, slot.value, Pattern::TwoDecimals);
            break;
        case Kind::OneDecimal:
            appendPattern(slot.text, slot.value, Pattern::OneDecimal);
            break;
        case Kind::Text:
            break;
        }
        slot.textValid = true;
    }
    return slot.text;
}

char* FieldStore::putText(Field field, char* out, char* end) const {
    const Slot& slot = slots_[fieldIndex(field)];
    if (slot.kind == Kind::Plain && !slot.textValid && isSmallInteger(slot.value)) {
        const auto written = std::to_chars(out, end, static_cast<long long>(slot.value));
        return written.ec == std::errc{} ? written.ptr : nullptr;
    }
    const std::string& shown = text(field);
    if (shown.size() > static_cast<std::size_t>(end - out)) {
        return nullptr;
    }
    return std::copy(shown.begin(), shown.end(), out);
}

double FieldStore::slowNumber(Slot& slot) const {
    switch (slot.kind) {
    case Kind::Plain:
        slot.number = plainValue(slot.value);
        break;
    case Kind::TwoDecimals:
        slot.number = patternValue(slot.value, Pattern::TwoDecimals);
        break;
    case Kind::OneDecimal:
        slot.number = patternValue(slot.value, Pattern::OneDecimal);
        break;
    case Kind::Text:
        slot.number = readNumber(slot.text);
        break;
    }
    slot.numberValid = true;
    return slot.number;
}

} // namespace zelkora
