#include "shortcut_guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace zelkora::ui {

ShortcutGuard::ShortcutGuard(QWidget& window, Matcher isWindowShortcut)
    : QObject(&window), window_(window), isWindowShortcut_(std::move(isWindowShortcut)) {
    QApplication::instance()->installEventFilter(this);
}

bool ShortcutGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!isWindowShortcut_(QKeySequence(key->keyCombination()))) {
        return false;
    }
    // Not overridden: the key goes on to the window's shortcut.
    event->ignore();
    return true;
}

} // namespace zelkora::ui
