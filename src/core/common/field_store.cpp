#include "common/field_store.h"

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
