#pragma once

#include <QObject>
#include <functional>

class QKeySequence;
class QWidget;

namespace zelkora::ui {

// Lets the window's shortcut keys reach their commands wherever the focus is: a focused text box
// claims Ctrl+A (select all) and Ctrl+C (copy) for itself, and the window's Ctrl+A is New and
// its Ctrl+C is Save.
class ShortcutGuard final : public QObject {
    Q_OBJECT
public:
    using Matcher = std::function<bool(const QKeySequence&)>;
    ShortcutGuard(QWidget& window, Matcher isWindowShortcut);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    Matcher isWindowShortcut_;
};

} // namespace zelkora::ui
