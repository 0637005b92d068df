#include "help_tracker.h"

#include "model/help_texts.h"
#include "qt_text.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <QWidget>

namespace zelkora::ui {
namespace {

const char* const kHelpProperty = "zelkoraHelp";
const char* const kPanelProperty = "zelkoraHelpPanel";

} // namespace

void HelpTracker::watchAll(QWidget& window, std::span<const HelpText> texts) {
    for (const HelpText& help : texts) {
        auto* control = window.findChild<QWidget*>(qtText(help.control));
        if (control == nullptr) {
            continue;
        }
        if (auto* grid = qobject_cast<QTableView*>(control)) {
            watch(grid->viewport(), help.text, false);
            watch(grid->horizontalHeader()->viewport(), help.text, false);
            continue;
        }
        // A chart takes the pointer's moves in its viewport.
        if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) {
            watch(area->viewport(), help.text, false);
            continue;
        }
        watch(control, help.text, help.control.starts_with("Picture"));
    }
}

void HelpTracker::watch(QWidget* control, std::string_view text, bool panel) {
    control->setMouseTracking(true);
    control->setProperty(kHelpProperty, QVariant::fromValue(QByteArray(
                                            text.data(), static_cast<qsizetype>(text.size()))));
    control->setProperty(kPanelProperty, panel);
    control->installEventFilter(this);
}

bool HelpTracker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseMove) {
        return false;
    }
    auto* control = static_cast<QWidget*>(watched);
    // A disabled window (a condition page is open) explains nothing: the page's help stays.
    if (!control->isEnabled()) {
        return false;
    }
    if (control->property(kPanelProperty).toBool()) {
        // A move that reached the panel from a control inside it is that control's.
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (control->childAt(position) != nullptr) {
            return false;
        }
    }
    const QByteArray text = control->property(kHelpProperty).toByteArray();
    write_(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    return false;
}

} // namespace zelkora::ui
