#include "window_actions.h"

#include "qt_text.h"
#include "toolbar_icons.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace zelkora::ui {
namespace {

struct ButtonSpec {
    int index;
    Menu command;
    const char* tooltip;
    ToolbarIcon icon;
};

constexpr std::array<ButtonSpec, 11> kButtons{{
    {2, Menu::MF_Open, "既存のファイルを開く", ToolbarIcon::Open},
    {3, Menu::MF_MakeNew, "新規作成", ToolbarIcon::New},
    {4, Menu::MF_OverSave, "上書き保存", ToolbarIcon::Save},
    {5, Menu::MF_NewSave, "名前を付けて保存", ToolbarIcon::SaveAs},
    {7, Menu::MC_Base, "基本条件の編集", ToolbarIcon::BaseConditions},
    {8, Menu::MC_Ts, "遊戯時間、ﾀｲﾑｻｰﾋﾞｽの編集", ToolbarIcon::TimeConditions},
    {9, Menu::MC_Pic, "絵柄詳細の編集", ToolbarIcon::SymbolConditions},
    {11, Menu::MK_Start, "検証スタート", ToolbarIcon::Start},
    {12, Menu::MK_Cancel, "検証キャンセル", ToolbarIcon::Cancel},
    {14, Menu::MO_Prob, "大当り確率を収束しやすくする", ToolbarIcon::ProbabilityConvergence},
    {15, Menu::MO_Pic, "当り絵柄を収束しやすくする", ToolbarIcon::SymbolConvergence},
}};

constexpr std::array<int, 4> kSeparators{1, 6, 10, 13};

} // namespace

WindowActions::WindowActions(QMainWindow& window) : QObject(&window) {
    QMenu* file = addTopMenu(window, Menu::Mf, QStringLiteral("ファイル(&F)"));
    addEntry(file, Menu::MF_MakeNew, QStringLiteral("新規作成"),
             QKeySequence(Qt::CTRL | Qt::Key_A));
    addEntry(file, Menu::MF_Open, QStringLiteral("既存ファイルを開く"),
             QKeySequence(Qt::CTRL | Qt::Key_B));
    addSeparator(file, QStringLiteral("MF_Bar1"));
    addEntry(file, Menu::MF_OverSave, QStringLiteral("上書き保存"),
             QKeySequence(Qt::CTRL | Qt::Key_C));
    addEntry(file, Menu::MF_NewSave, QStringLiteral("名前を付けて保存"),
             QKeySequence(Qt::CTRL | Qt::Key_D));
    addSeparator(file, QStringLiteral("MF_Bar2"));
    addEntry(file, Menu::Mf_End, QStringLiteral("終了"), QKeySequence(Qt::CTRL | Qt::Key_E));

    QMenu* conditions = addTopMenu(window, Menu::MC, QStringLiteral("条件(&C)"));
    addEntry(conditions, Menu::MC_Base, QStringLiteral("基本条件"), QKeySequence(Qt::Key_F1));
    addEntry(conditions, Menu::MC_Ts, QStringLiteral("時間条件"), QKeySequence(Qt::Key_F2));
    addEntry(conditions, Menu::MC_Pic, QStringLiteral("絵柄条件"), QKeySequence(Qt::Key_F3));

    QMenu* options = addTopMenu(window, Menu::MO, QStringLiteral("オプション(&O)"));
    addEntry(options, Menu::MO_Prob, QStringLiteral("確率を収束しやすくする"),
             QKeySequence(Qt::Key_F4));
    addEntry(options, Menu::MO_Pic, QStringLiteral("当り絵柄を収束しやすくする"),
             QKeySequence(Qt::Key_F5));
    addSeparator(options, QStringLiteral("MO_Bar1"));
    addEntry(options, Menu::MO_Random, QStringLiteral("完全乱数"), QKeySequence(Qt::Key_F6));
    for (Menu option : {Menu::MO_Prob, Menu::MO_Pic, Menu::MO_Random}) {
        menuAction(option)->setCheckable(true);
    }

    QMenu* run = addTopMenu(window, Menu::MK, QStringLiteral("検証(&K)"));
    addEntry(run, Menu::MK_Start, QStringLiteral("スタート"), QKeySequence(Qt::Key_F7));
    addEntry(run, Menu::MK_Cancel, QStringLiteral("キャンセル"), QKeySequence(Qt::Key_F8));

    QMenu* about = addTopMenu(window, Menu::MS, QStringLiteral("ヘルプ(&H)"));
    addEntry(about, Menu::MS_Version, QStringLiteral("バージョン"), {});

    buildToolbar(window);
}

QMenu* WindowActions::addTopMenu(QMainWindow& window, Menu menu, const QString& caption) {
    QMenu* top = window.menuBar()->addMenu(caption);
    top->setObjectName(qtText(menuName(menu)));
    top->menuAction()->setObjectName(qtText(menuName(menu)) + QStringLiteral("_Menu"));
    menus_[static_cast<std::size_t>(menu)] = top->menuAction();
    return top;
}

void WindowActions::addEntry(QMenu* menu, Menu entry, const QString& caption,
                             const QKeySequence& keys) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(qtText(menuName(entry)));
    action->setShortcut(keys);
    // The window's shortcuts win over a focused text box's own keys (see ShortcutGuard).
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, entry] { emit commandTriggered(entry); });
    menus_[static_cast<std::size_t>(entry)] = action;
}

void WindowActions::addSeparator(QMenu* menu, const QString& name) {
    menu->addSeparator()->setObjectName(name);
}

void WindowActions::buildToolbar(QMainWindow& window) {
    toolbar_ = window.addToolBar(QStringLiteral("Toolbar1"));
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    for (int index = 1; index <= kToolbarButtons; ++index) {
        if (std::find(kSeparators.begin(), kSeparators.end(), index) != kSeparators.end()) {
            if (index != 1) {
                toolbar_->addSeparator();
            }
            continue;
        }
        const ButtonSpec& entry =
            *std::find_if(kButtons.begin(), kButtons.end(),
                          [&](const ButtonSpec& candidate) { return candidate.index == index; });
        QAction* action =
            toolbar_->addAction(toolbarIcon(entry.icon), QString::fromUtf8(entry.tooltip));
        action->setObjectName(QStringLiteral("Toolbar1_Button%1").arg(index));
        action->setToolTip(QString::fromUtf8(entry.tooltip));
        action->setCheckable(index >= 14);
        const Menu command = entry.command;
        connect(action, &QAction::triggered, this,
                [this, command] { emit commandTriggered(command); });
        buttons_[static_cast<std::size_t>(index - 1)] = action;
    }
}

void WindowActions::sync(const CommandState& state) {
    if (state.revision() == revision_) {
        return;
    }
    revision_ = state.revision();
    for (std::size_t index = 0; index < kMenuCount; ++index) {
        const auto menu = static_cast<Menu>(index);
        menus_[index]->setEnabled(state.enabled(menu));
        if (menus_[index]->isCheckable()) {
            menus_[index]->setChecked(state.checked(menu));
        }
    }
    for (int index = 1; index <= kToolbarButtons; ++index) {
        if (QAction* action = button(index)) {
            action->setEnabled(state.buttonEnabled(index));
            action->setChecked(state.buttonPressed(index));
        }
    }
}

bool WindowActions::isShortcut(const QKeySequence& keys) const {
    return std::any_of(menus_.begin(), menus_.end(), [&](const QAction* action) {
        return !action->shortcut().isEmpty() && action->shortcut() == keys;
    });
}

} // namespace zelkora::ui
