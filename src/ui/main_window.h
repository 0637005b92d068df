#pragma once

#include "desktop_platform.h"
#include "field_views.h"
#include "model/main_window_model.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QStackedWidget;

namespace zelkora {
class VerificationDocument;
}

namespace zelkora::ui {

class AnalysisDesk;
class ChartPanel;
class ConditionDialogs;
class ConditionPanel;
class DetailArea;
class GridPanel;
class HelpTracker;
class MachineTheoryView;
class RunAreaView;
class WindowActions;

// The size the window opens at on a screen whose available area is `available`.
QSize defaultWindowSize(const QSize& available);

// The main window. It assembles the menus, the toolbar, the status bar, the nine panels with
// their command buttons, the run area and the big-hit detail area, shows the core's model and
// forwards every command to the core. (No Q_OBJECT: moc cannot read the core's Japanese
// identifiers, and the window needs no signals of its own.) It syncs the widgets from the model
// after each command and, during a run or a rebuild, each time the pump processes events.
class MainWindow final : public QMainWindow {
public:
    // The window's load: the model must hold the program folder and the start-up values. The
    // window holds the open verification's document, which plays on `platform`.
    MainWindow(MainWindowModel& model, DesktopPlatform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a file named when the program started, as Open does.
    void openNamedFile(const QString& path);
    // Once shown: offers the verification left unsaved at the last Exit.
    void offerUnsavedWork();
    // Brings every widget up to the model.
    void syncFromModel();

    WindowActions& actions() const { return *actions_; }
    const QtEventPump& pump() const { return platform_.pump(); }
    VerificationDocument& document() const { return *document_; }
    ConditionDialogs& conditionDialogs() const { return *dialogs_; }
    bool runInProgress() const;

    // The nine panels in the order of their command buttons; the analyst's desk's two
    // (Picture_多数回検証, Picture_理論値) follow them.
    static constexpr int kPanelCount = 9;
    AnalysisDesk& desk() const { return *desk_; }
    MachineTheoryView& machineTheory() const { return *machineTheory_; }
    void showPanel(int index);
    // As Command_基本条件.
    void showBasicConditionPanel();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    QWidget* buildTopBar();
    QWidget* buildPanels();
    void buildStatusBar();
    void onCommand(Menu command);
    void syncEnabled();
    void syncBeforeMessage();
    void afterCommand();

    MainWindowModel& model_;
    DesktopPlatform& platform_;
    FieldViews fields_;
    WindowActions* actions_ = nullptr;
    std::unique_ptr<VerificationDocument> document_;
    std::unique_ptr<ConditionDialogs> dialogs_;
    HelpTracker* help_ = nullptr;
    AnalysisDesk* desk_ = nullptr;

    QStackedWidget* panels_ = nullptr;
    ConditionPanel* conditionPanel_ = nullptr;
    std::array<GridPanel*, 2> gridPanels_{};
    std::array<ChartPanel*, 5> chartPanels_{};
    QStackedWidget* theoryStack_ = nullptr;
    MachineTheoryView* machineTheory_ = nullptr;
    RunAreaView* runArea_ = nullptr;
    DetailArea* detailArea_ = nullptr;
    QLineEdit* exp_ = nullptr;
    QProgressBar* progress_ = nullptr;
    bool built_ = false;
};

} // namespace zelkora::ui
