#include "wizard_dialog.h"

#include "drop_down_list.h"
#include "qt_text.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace zelkora::ui {
namespace {

// Where a watched control's help is kept: its name in the help table, and whether a click
// rather than the pointer's move shows it (the hour scale).
const char* const kHelpControlProperty = "zelkoraHelpControl";
const char* const kHelpOnClickProperty = "zelkoraHelpOnClick";

std::string_view helpControlOf(const QObject* control) {
    const QVariant name = control->property(kHelpControlProperty);
    if (!name.isValid()) {
        return {};
    }
    const auto* bytes = static_cast<const QByteArray*>(name.constData());
    return {bytes->constData(), static_cast<std::size_t>(bytes->size())};
}

} // namespace

WizardDialog::WizardDialog(WizardPage page, WizardDialogContext context)
    : QWidget(nullptr, Qt::Dialog), page_(page), context_(std::move(context)) {
    const PageTexts& texts = pageTexts(page);
    setObjectName(qtText(texts.form));
    setWindowTitle(qtText(texts.caption));
    setMouseTracking(true); // the page's background has a help text of its own
}

// The children outlive this part of the dialog; they must not report to it any more.
WizardDialog::~WizardDialog() {
    for (QWidget* control : watched_) {
        control->removeEventFilter(this);
    }
}

void WizardDialog::trackFocus(QWidget* control) {
    control->installEventFilter(this);
    watched_.push_back(control);
}

void WizardDialog::focusChanged(QWidget*, bool, Qt::FocusReason) {}

void WizardDialog::watchHelp() {
    for (const ControlText& help : pageTexts(page_).helpTexts) {
        auto* control = findChild<QWidget*>(qtText(help.control));
        if (control == nullptr) {
            continue; // the page's background, which mouseMoveEvent serves
        }
        control->setProperty(
            kHelpControlProperty,
            QByteArray(help.control.data(), static_cast<qsizetype>(help.control.size())));
        control->setProperty(kHelpOnClickProperty, help.control == kHourScaleLabel);
        control->setMouseTracking(true);
        control->installEventFilter(this);
        watched_.push_back(control);
    }
}

void WizardDialog::showHelp(std::string_view control) {
    act([&](ConditionWizard& wizard) { wizard.showHelp(page_, control); });
}

QLabel* WizardDialog::makeLabel(std::string_view control, QWidget* parent) {
    auto* label = new QLabel(qtText(captionOf(control)), parent);
    label->setObjectName(qtText(control));
    return label;
}

QLineEdit* WizardDialog::makeBox(std::string_view control, QWidget* parent, int characters) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(qtText(control));
    // Room for the widest text the box is meant for, in full-width characters.
    const int width = box->fontMetrics().horizontalAdvance(QString(characters, QChar(0x3042)));
    box->setMinimumWidth(width + 2 * box->fontMetrics().averageCharWidth());
    box->setMaximumWidth(box->minimumWidth());
    return box;
}

QPushButton* WizardDialog::makeButton(std::string_view control, QWidget* parent) {
    auto* button = new QPushButton(qtText(captionOf(control)), parent);
    button->setObjectName(qtText(control));
    button->setAutoDefault(false);
    return button;
}

std::string_view WizardDialog::captionOf(std::string_view control) const {
    for (const ControlText& caption : pageTexts(page_).captions) {
        if (caption.control == control) {
            return caption.text;
        }
    }
    return {};
}

void WizardDialog::addBoxRow(QGridLayout* layout, int row, QLineEdit* box, DropDownList* list) {
    const std::string name = box->objectName().toStdString();
    auto* line = new QHBoxLayout;
    line->setSpacing(0);
    line->addWidget(box);
    if (list != nullptr) {
        line->addWidget(list);
    }
    for (const BoxLabel& label : pageTexts(page_).boxLabels) {
        if (label.control != name) {
            continue;
        }
        auto* caption = new QLabel(qtText(label.label), box->parentWidget());
        caption->setBuddy(box);
        layout->addWidget(caption, row, 0);
        if (!label.suffix.empty()) {
            line->addSpacing(box->fontMetrics().averageCharWidth());
            line->addWidget(new QLabel(qtText(label.suffix), box->parentWidget()));
        }
    }
    line->addStretch(1);
    layout->addLayout(line, row, 1);
}

QHBoxLayout* WizardDialog::makeButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons) {
        button->setMinimumWidth(
            button->fontMetrics().horizontalAdvance(QStringLiteral("キャンセル")) +
            4 * button->fontMetrics().averageCharWidth());
        row->addWidget(button);
    }
    return row;
}

void WizardDialog::setTabOrderOf(const std::vector<QWidget*>& controls) {
    for (std::size_t index = 1; index < controls.size(); ++index) {
        QWidget::setTabOrder(controls[index - 1], controls[index]);
    }
}

bool WizardDialog::moveFocus(QWidget* control) {
    if (control->hasFocus()) {
        return true;
    }
    control->setFocus(Qt::OtherFocusReason);
    return false;
}

// The window's close button leaves the wizard as Cancel does; the wizard then hides the page.
void WizardDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    act([this](ConditionWizard& wizard) { wizard.close(page_); });
}

void WizardDialog::mouseMoveEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint()) == nullptr) {
        showHelp(pageTexts(page_).form);
    }
    QWidget::mouseMoveEvent(event);
}

bool WizardDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* control = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool gained = event->type() == QEvent::FocusIn;
        // An opened list keeps the focus where it was; a window left for another is no move
        // out of its box.
        if (reason == Qt::PopupFocusReason || (!gained && reason == Qt::ActiveWindowFocusReason)) {
            break;
        }
        focusChanged(control, gained, reason);
        break;
    }
    case QEvent::MouseMove:
        if (!control->property(kHelpOnClickProperty).toBool() && !helpControlOf(control).empty()) {
            showHelp(helpControlOf(control));
        }
        break;
    case QEvent::MouseButtonPress:
        if (control->property(kHelpOnClickProperty).toBool()) {
            showHelp(helpControlOf(control));
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace zelkora::ui
