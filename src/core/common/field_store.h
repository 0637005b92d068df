#pragma once

#include "common/field_id.h"
#include "common/numbers.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelkora {

// The main window's display fields without the window. A field shows text; a number written
// into a field stays a number (with its display pattern) and its text is made only when
// someone reads it, so the engine can write fields millions of times without formatting.
// Reading a field as a number gives exactly what reading its text would give.
class FieldStore {
public:
    // Shown as written.
    void setText(Field field, std::string_view text);
    // Shown as the plain decimal text of the value.
    void setNumber(Field field, double value) {
        Slot& slot = slots_[fieldIndex(field)];
        slot.kind = Kind::Plain;
        slot.value = value;
        slot.textValid = false;
        slot.numberValid = isSmallInteger(value);
        slot.number = value;
        markChanged(field);
    }
    // Shown in a digit-placeholder pattern ("##.##", "###.#").
    void setPattern(Field field, double value, Pattern pattern) {
        Slot& slot = slots_[fieldIndex(field)];
        slot.kind = pattern == Pattern::TwoDecimals ? Kind::TwoDecimals : Kind::OneDecimal;
        slot.value = value;
        slot.textValid = false;
        slot.numberValid = isSmallInteger(value);
        slot.number = value;
        markChanged(field);
    }
    // field := field + delta, as the window's "+= 1" on a box's text.
    void add(Field field, double delta) { setNumber(field, number(field) + delta); }

    // The leading numeric part of the field's text; 0 for empty or non-numeric text.
    double number(Field field) const {
        const Slot& slot = slots_[fieldIndex(field)];
        if (slot.numberValid) {
            return slot.number;
        }
        return slowNumber(slots_[fieldIndex(field)]);
    }
    const std::string& text(Field field) const;
    bool isEmpty(Field field) const { return text(field).empty(); }
    // Writes the field's text at `out`, the digits of a whole number straight from the number;
    // returns the end of the text, or nullptr (nothing written) when it does not fit before
    // `end`. For rows and records built from many fields at once.
    char* putText(Field field, char* out, char* end) const;

    // Change tracking for the window, which syncs at a frame rate rather than per write.
    bool changed(Field field) const {
        return (changed_[fieldIndex(field) / 64] >> (fieldIndex(field) % 64)) & 1U;
    }
    template <typename Visitor> void forEachChanged(Visitor&& visit) const {
        for (std::size_t index = 0; index < kFieldCount; ++index) {
            if ((changed_[index / 64] >> (index % 64)) & 1U) {
                visit(static_cast<Field>(index));
            }
        }
    }
    void clearChanged() { changed_.fill(0); }

private:
    enum class Kind : std::uint8_t { Text, Plain, TwoDecimals, OneDecimal };
    struct Slot {
        Kind kind = Kind::Text;
        bool textValid = true;   // text holds the shown text
        bool numberValid = true; // number holds what the shown text reads as
        double value = 0;        // the written number, for number kinds
        double number = 0;
        std::string text;
    };

    static bool isSmallInteger(double value) {
        return std::fabs(value) < 1e15 && value == std::trunc(value);
    }
    void markChanged(Field field) {
        changed_[fieldIndex(field) / 64] |= std::uint64_t{1} << (fieldIndex(field) % 64);
    }
    double slowNumber(Slot& slot) const;

    // Caches are filled on read; a const read may fill them.
    mutable std::array<Slot, kFieldCount> slots_{};
    std::array<std::uint64_t, (kFieldCount + 63) / 64> changed_{};
};

} // namespace zelkora
