#pragma once

#include "model/command_state.h"

#include <QObject>
#include <array>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace zelkora::ui {

// The menus, their shortcut keys and the toolbar Toolbar1 of the main window. Every menu entry
// and toolbar button reports its command as the Menu it stands for; which are enabled, checked
// and pressed comes from the core's CommandState.
class WindowActions final : public QObject {
    Q_OBJECT
public:
    explicit WindowActions(QMainWindow& window);

    QAction* menuAction(Menu menu) const { return menus_[static_cast<std::size_t>(menu)]; }
    // Toolbar buttons by their 1-based index; null for the separators 1, 6, 10 and 13.
    QAction* button(int index) const { return buttons_[static_cast<std::size_t>(index - 1)]; }
    QToolBar* toolbar() const { return toolbar_; }

    void sync(const CommandState& state);
    // Whether a key combination is one of the menus' shortcut keys.
    bool isShortcut(const QKeySequence& keys) const;

signals:
    void commandTriggered(zelkora::Menu menu);

private:
    QMenu* addTopMenu(QMainWindow& window, Menu menu, const QString& caption);
    void addEntry(QMenu* menu, Menu entry, const QString& caption, const QKeySequence& keys);
    void addSeparator(QMenu* menu, const QString& name);
    void buildToolbar(QMainWindow& window);

    std::array<QAction*, kMenuCount> menus_{};
    std::array<QAction*, kToolbarButtons> buttons_{};
    QToolBar* toolbar_ = nullptr;
    std::uint64_t revision_ = ~std::uint64_t{0};
};

} // namespace zelkora::ui
