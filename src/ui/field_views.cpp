#include "field_views.h"

#include "minutes_bar.h"
#include "model/field_alignment.h"
#include "qt_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <algorithm>

namespace zelkora::ui {
namespace {

Qt::Alignment alignmentOf(Field field) {
    switch (fieldAlignment(field)) {
    case FieldAlignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case FieldAlignment::Centre:
        return Qt::AlignCenter;
    case FieldAlignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

QLineEdit* FieldViews::makeBox(Field field, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(qtText(fieldName(field)));
    box->setReadOnly(true);
    box->setAlignment(alignmentOf(field));
    // Wide enough for the longest figure, not stretched across the panel.
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 16);
    slots_[fieldIndex(field)] = {Kind::Box, box};
    return box;
}

void FieldViews::bind(Field field, QLabel* label) {
    label->setObjectName(qtText(fieldName(field)));
    slots_[fieldIndex(field)] = {Kind::Label, label};
}

void FieldViews::bind(Field field, QProgressBar* bar) {
    bar->setObjectName(qtText(fieldName(field)));
    slots_[fieldIndex(field)] = {Kind::Bar, bar};
}

void FieldViews::bind(Field field, MinutesBar* bar) {
    bar->setObjectName(qtText(fieldName(field)));
    slots_[fieldIndex(field)] = {Kind::Minutes, bar};
}

void FieldViews::show(Field field, const FieldStore& fields) const {
    const Slot& slot = slots_[fieldIndex(field)];
    switch (slot.kind) {
    case Kind::Box: {
        auto* box = static_cast<QLineEdit*>(slot.widget);
        const QString text = qtText(fields.text(field));
        if (box->text() != text) {
            box->setText(text);
            box->setCursorPosition(0);
        }
        break;
    }
    case Kind::Label:
        static_cast<QLabel*>(slot.widget)->setText(qtText(fields.text(field)));
        break;
    case Kind::Bar: {
        auto* bar = static_cast<QProgressBar*>(slot.widget);
        bar->setValue(
            std::clamp(static_cast<int>(fields.number(field)), bar->minimum(), bar->maximum()));
        break;
    }
    case Kind::Minutes:
        static_cast<MinutesBar*>(slot.widget)->setValue(static_cast<int>(fields.number(field)));
        break;
    case Kind::None:
        break;
    }
}

void FieldViews::syncChanged(FieldStore& fields) {
    fields.forEachChanged([&](Field field) { pending_[fieldIndex(field)] = true; });
    fields.clearChanged();
    for (std::size_t index = 0; index < kFieldCount; ++index) {
        const Slot& slot = slots_[index];
        if (pending_[index] && slot.widget != nullptr && slot.widget->isVisible()) {
            pending_[index] = false;
            show(static_cast<Field>(index), fields);
        }
    }
}

void FieldViews::syncAll(const FieldStore& fields) {
    for (std::size_t index = 0; index < kFieldCount; ++index) {
        show(static_cast<Field>(index), fields);
    }
}

} // namespace zelkora::ui
