#pragma once

#include "common/field_store.h"

#include <array>

class QLabel;
class QLineEdit;
class QProgressBar;
class QWidget;

namespace zelkora::ui {

class MinutesBar;

// The widgets that show the display fields, by field. Each field is shown by one text box,
// label or progress bar named as the field is; a sync writes only the fields written since the
// last one, and of those only the ones on screen: a field on a hidden panel is written when its
// panel is shown, so a run pays for what can be seen.
class FieldViews {
public:
    // A read-only text box for the field, aligned as the field's kind says.
    QLineEdit* makeBox(Field field, QWidget* parent);
    void bind(Field field, QLabel* label);
    void bind(Field field, QProgressBar* bar);
    void bind(Field field, MinutesBar* bar);

    QWidget* widget(Field field) const { return slots_[fieldIndex(field)].widget; }

    // Writes the changed fields into their widgets and forgets the changes.
    void syncChanged(FieldStore& fields);
    // Writes every field, for the first showing.
    void syncAll(const FieldStore& fields);

private:
    enum class Kind : std::uint8_t { None, Box, Label, Bar, Minutes };
    struct Slot {
        Kind kind = Kind::None;
        QWidget* widget = nullptr;
    };
    void show(Field field, const FieldStore& fields) const;

    std::array<Slot, kFieldCount> slots_{};
    std::array<bool, kFieldCount> pending_{}; // changed but not yet shown
};

} // namespace zelkora::ui
