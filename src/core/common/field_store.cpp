#include "common/field_store.h"

namespace zelkora {

void FieldStore::setText(Field field, std::string_view text) {
    Slot& slot = slots_[fieldIndex(field)];
    slot.kind = Kind::Text;
    slot.text.assign(text);
    slot.textValid = true;
    slot.numberValid = false; // most texts are never read as numbers; parse on demand
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
