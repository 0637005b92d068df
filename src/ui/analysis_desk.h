#pragma once

#include "analysis_panel.h"
#include "export_menus.h"
#include "model/main_window_model.h"
#include "platform/platform_seams.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

class QAction;
class QMainWindow;

namespace zelkora {
struct OpenMachine;
}

namespace zelkora::ui {

class AnalysisDialog;
class TheoryPanel;

// The analyst's desk in the main window: the commands 多数回検証 (MK_Trials) and 比較検証
// (MK_Compare) in the 検証 menu and on the toolbar, their dialog, and the two panels
// Picture_多数回検証 and Picture_理論値. The campaigns play on worker threads while the
// window's thread folds them and keeps the events flowing; the dialog is modal, so no other
// command runs meanwhile.
class AnalysisDesk final : public QObject {
public:
    struct Hooks {
        std::function<void()> showResults; // shows Picture_多数回検証
        std::function<void()> syncWindow;
        // The open machine, whose campaigns 多数回検証 plays instead of the .pac's; none while
        // a classic verification is open.
        std::function<const OpenMachine*()> machine;
    };
    // The campaigns play on the seams' threads; the seams' boxes and files serve the exports.
    AnalysisDesk(QMainWindow& window, const MainWindowModel& model, const PlatformSeams& seams,
                 Hooks hooks);
    ~AnalysisDesk() override;

    AnalysisPanel* resultsPanel() const { return results_; }
    TheoryPanel* theoryPanel() const { return theory_; }
    QAction* trialsAction() const { return trials_; }
    QAction* compareAction() const { return compare_; }
    AnalysisDialog* dialog() const { return dialog_; }
    bool playing() const { return playing_; }

    // Enables the commands as the window's state allows and keeps the theory current.
    void sync();
    void startTrials();
    void startComparison();

private:
    struct Run;
    void openDialog(const QString& second);
    void play();
    void finish(const Run& run);
    const OpenMachine* openMachine() const { return hooks_.machine ? hooks_.machine() : nullptr; }

    QMainWindow& window_;
    const MainWindowModel& model_;
    PlatformSeams seams_;
    Hooks hooks_;
    QAction* trials_;
    QAction* compare_;
    AnalysisPanel* results_;
    TheoryPanel* theory_;
    AnalysisDialog* dialog_ = nullptr;
    std::string secondFile_;
    std::atomic<bool> cancelRequest_{false};
    bool playing_ = false;
};

} // namespace zelkora::ui
