#include "analysis_desk.h"

#include "analysis/campaign_analysis.h"
#include "analysis/campaign_setup.h"
#include "analysis_dialog.h"
#include "commands/open_machine.h"
#include "files/utf8_path.h"
#include "machines/machine_trials.h"
#include "messages/error_messages.h"
#include "qt_text.h"
#include "theory_panel.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolBar>
#include <chrono>
#include <random>
#include <thread>

namespace zelkora::ui {
namespace {

using Clock = std::chrono::steady_clock;

// The Timer3 counter every campaign starts with, as the runner's default, so a seed gives the
// same campaigns in the window and in zelkora-run.
constexpr int kAnalysisCountdown = 1000;
constexpr std::string_view kTitle = "多数回検証";

// Processes the window's events when 15 ms have passed since the last time; the fold calls it
// at least every 25 ms, so the window waits 40 ms at most (on a machine with time to spare).
class DialogPump final : public EventPump {
public:
    std::uint32_t processEvents() override {
        if (Clock::now() - last_ >= std::chrono::milliseconds(15)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            last_ = Clock::now();
        }
        return 0;
    }

private:
    Clock::time_point last_ = Clock::now();
};

// The dialog's progress bar and remaining time over one analysis or the two of a comparison
// (each of which counts its campaigns from 0).
class DialogProgress final : public AnalysisProgress {
public:
    DialogProgress(AnalysisDialog& dialog, int analyses) : dialog_(dialog), analyses_(analyses) {}
    void campaignsDone(std::int64_t done, std::int64_t total) override {
        if (done < last_) {
            ++finished_;
        }
        last_ = done;
        // Painting the dialog costs the campaigns' threads a core's time: a few frames a second
        // say all a person can read.
        const Clock::time_point now = Clock::now();
        if (now - shown_ < std::chrono::milliseconds(100) && done != total) {
            return;
        }
        shown_ = now;
        const std::int64_t all = total * analyses_;
        const std::int64_t played = total * finished_ + done;
        const double seconds = std::chrono::duration<double>(Clock::now() - started_).count();
        const double remaining =
            played > 0 ? seconds / static_cast<double>(played) * static_cast<double>(all - played)
                       : -1;
        dialog_.showProgress(played, all, remainingTimeText(remaining));
    }

private:
    AnalysisDialog& dialog_;
    int analyses_;
    int finished_ = 0;
    std::int64_t last_ = 0;
    Clock::time_point started_ = Clock::now();
    Clock::time_point shown_{};
};

const QString kCompareTip = QStringLiteral("もう一つの検証と同じ乱数で比べ、収支の差を表示");
const QString kMachineCompareTip =
    QStringLiteral("機種ファイルの比較検証はできません（比較は .pac の検証どうしで行います）");

std::uint64_t drawnSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32U) | device();
}

int defaultThreads() {
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

Message warning(std::string text) {
    return {std::move(text), std::string(kTitle), MessageIcon::Exclamation, MessageButtons::Ok};
}

QAction* addCommand(QMenu& menu, QToolBar& toolbar, const char* name, const QString& caption,
                    const QString& tip, const char* icon) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromUtf8(name));
    action->setStatusTip(tip);
    action->setToolTip(tip);
    action->setIcon(QIcon(QStringLiteral(":/zelkora/icons/") + QString::fromUtf8(icon)));
    action->setShortcutContext(Qt::WindowShortcut);
    toolbar.addAction(action);
    return action;
}

} // namespace

// One analysis as the dialog asked for it.
struct AnalysisDesk::Run {
    TrialsInput input;
    std::uint64_t seed = 0;
    std::string name;
    std::string secondName;
};

AnalysisDesk::AnalysisDesk(QMainWindow& window, const MainWindowModel& model,
                           const PlatformSeams& seams, Hooks hooks)
    : QObject(&window), window_(window), model_(model), seams_(seams), hooks_(std::move(hooks)),
      results_(new AnalysisPanel(ExportSeams{seams.ui, seams.files})),
      theory_(new TheoryPanel(model, ExportSeams{seams.ui, seams.files})) {
    auto* menu = window.findChild<QMenu*>(QStringLiteral("MK"));
    auto* toolbar = window.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    menu->addSeparator()->setObjectName(QStringLiteral("MK_Bar1"));
    toolbar->addSeparator();
    trials_ =
        addCommand(*menu, *toolbar, "MK_Trials", QStringLiteral("多数回検証..."),
                   QStringLiteral("同じ検証を何回も行い、収支の分布と数値を表示"), "trials.svg");
    trials_->setShortcut(QKeySequence(Qt::Key_F9));
    compare_ = addCommand(*menu, *toolbar, "MK_Compare", QStringLiteral("比較検証..."), kCompareTip,
                          "compare.svg");
    connect(trials_, &QAction::triggered, this, &AnalysisDesk::startTrials);
    connect(compare_, &QAction::triggered, this, &AnalysisDesk::startComparison);
}

AnalysisDesk::~AnalysisDesk() = default;

void AnalysisDesk::sync() {
    // Only with a verification loaded and nothing playing, as Start.
    const bool ready = model_.window.enabled && model_.commands.enabled(Menu::MK_Start) &&
                       !playing_ && dialog_ == nullptr;
    trials_->setEnabled(ready);
    // Two machines or a machine and a .pac do not share the classic engine's draws.
    compare_->setEnabled(ready && openMachine() == nullptr);
    compare_->setStatusTip(openMachine() == nullptr ? kCompareTip : kMachineCompareTip);
    theory_->sync();
}

void AnalysisDesk::startTrials() {
    sync();
    if (trials_->isEnabled()) {
        secondFile_.clear();
        openDialog({});
    }
}

void AnalysisDesk::startComparison() {
    sync();
    if (!compare_->isEnabled()) {
        return;
    }
    FileDialogRequest request;
    request.title = "比較する検証ファイルを開く";
    request.filter = "検証ファイル (*.pac)|*.pac|";
    request.initialFolder = model_.window.filePath;
    const std::optional<std::string> file = seams_.ui.openFileDialog(request);
    if (!file) {
        return;
    }
    secondFile_ = *file;
    openDialog(QFileInfo(qtText(*file)).fileName());
}

void AnalysisDesk::openDialog(const QString& second) {
    dialog_ = new AnalysisDialog(second, defaultThreads(),
                                 {[this] { play(); },
                                  [this] {
                                      cancelRequest_.store(true);
                                  }},
                                 &window_);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog_, &QObject::destroyed, this, [this] {
        dialog_ = nullptr;
        sync();
    });
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->show();
    sync();
}

void AnalysisDesk::play() {
    if (playing_ || dialog_ == nullptr) {
        return;
    }
    Run run{readTrialsEntry(dialog_->entry()), 0, model_.window.fileTitle, {}};
    if (!run.input.problem.empty()) {
        seams_.ui.showMessage(warning(run.input.problem));
        return;
    }
    run.seed = run.input.seed.value_or(drawnSeed());
    dialog_->showSeed(run.seed);

    // A machine needs no working copy: its campaigns play from the file the document read.
    std::optional<CampaignSetup> first;
    if (openMachine() == nullptr) {
        Result<MainWindowModel> loaded = freshlyLoaded(model_);
        if (!loaded.ok()) {
            seams_.ui.showMessage(loadFailedMessage(run.name, loaded.error()));
            return;
        }
        Result<CampaignSetup> setup =
            campaignSetupOf(std::move(loaded).value(), kAnalysisCountdown, run.seed);
        if (!setup.ok()) {
            seams_.ui.showMessage(loadFailedMessage(run.name, setup.error()));
            return;
        }
        first = std::move(setup).value();
    }
    const QTemporaryDir folder;
    std::optional<CampaignSetup> second;
    if (!secondFile_.empty()) {
        run.secondName = QFileInfo(qtText(secondFile_)).fileName().toStdString();
        LoadedCopy copy = loadedCopyOf(seams_.files, pathFromUtf8(secondFile_),
                                       pathFromUtf8(folder.path().toStdString()), model_);
        Result<CampaignSetup> setup =
            copy.model.ok()
                ? campaignSetupOf(std::move(copy.model).value(), kAnalysisCountdown, run.seed)
                : Result<CampaignSetup>(copy.model.error());
        if (!setup.ok()) {
            seams_.ui.showMessage(copy.copyFailed ? openFailedMessage(secondFile_, setup.error())
                                                  : loadFailedMessage(secondFile_, setup.error()));
            return;
        }
        second = std::move(setup).value();
    }
    playing_ = true;
    cancelRequest_.store(false);
    dialog_->setPlaying(true);
    sync();

    DialogPump pump;
    DialogProgress progress(*dialog_, second ? 2 : 1);
    FinalBalanceHistogram histogram;
    FinalBalanceHistogram secondHistogram;
    const AnalysisRequest request{run.input.campaigns, run.input.threads};
    // The window's seams with the dialog's pump, which keeps the events flowing as the fold waits.
    const PlatformSeams seams{seams_.ui,     seams_.files,  pump,
                              seams_.timers, seams_.random, seams_.threads};
    const AnalysisObservers observers{&progress, &histogram, &cancelRequest_};
    AnalysisView view;
    AnalysisEnd end = AnalysisEnd::Done;
    std::optional<Error> failure;
    if (const OpenMachine* machine = openMachine()) {
        // A machine's campaigns play with the machine engine, campaign i from stream i.
        const machines::MachineCampaigns player(machine->verification, run.seed);
        CampaignAnalysis analysis(player, request);
        analysis.followBankroll(run.input.bankroll);
        AnalysisOutcome outcome = analysis.run(seams, observers);
        end = outcome.end;
        failure = std::move(outcome.failure);
        view.report = std::move(outcome.report);
    } else if (!second) {
        CampaignAnalysis analysis(*first, request);
        analysis.followBankroll(run.input.bankroll);
        AnalysisOutcome outcome = analysis.run(seams, observers);
        end = outcome.end;
        failure = std::move(outcome.failure);
        view.report = std::move(outcome.report);
    } else {
        ComparisonOutcome outcome = compareVerifications(*first, *second, request, seams, observers,
                                                         run.input.bankroll, &secondHistogram);
        end = outcome.end;
        failure = std::move(outcome.failure);
        view.report = outcome.report.first;
        view.histogram = histogram.histogram;
        view.heading = analysisHeading(run.name, view.report.campaigns, run.input.campaigns,
                                       run.seed, kAnalysisCountdown, end);
        if (end == AnalysisEnd::Done) {
            results_->showComparison(view, outcome.report, secondHistogram.histogram, run.name,
                                     run.secondName);
        }
    }
    playing_ = false;
    if (!second || end != AnalysisEnd::Done) {
        view.histogram = histogram.histogram;
        view.heading = analysisHeading(
            run.name, view.report.campaigns, run.input.campaigns, run.seed,
            openMachine() == nullptr ? std::optional(kAnalysisCountdown) : std::nullopt, end);
        results_->showAnalysis(view);
    }
    if (failure) {
        seams_.ui.showMessage(warning(errorText(*failure)));
    }
    dialog_->setPlaying(false);
    dialog_->close();
    hooks_.showResults();
    hooks_.syncWindow();
}

} // namespace zelkora::ui
