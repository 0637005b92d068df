#include "main_window.h"

#include "analysis/analysis_texts.h"
#include "analysis_desk.h"
#include "chart_views.h"
#include "commands/verification_document.h"
#include "commands/window_startup.h"
#include "condition_dialogs.h"
#include "detail_area.h"
#include "export_menus.h"
#include "grid_view.h"
#include "help_tracker.h"
#include "machine_theory_view.h"
#include "panels.h"
#include "qt_text.h"
#include "run_area.h"
#include "shortcut_guard.h"
#include "theory_panel.h"
#include "window_actions.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace zelkora::ui {
namespace {

struct PanelButton {
    const char* button;
    const char* caption;
};

// The command buttons in the order of their panels in the stack.
constexpr std::array<PanelButton, MainWindow::kPanelCount> kPanelButtons{{
    {"Command_基本条件", "基本条件"},
    {"Command_総合データ", "総合データ"},
    {"Command_日別データ", "日別データ"},
    {"Command_絵柄詳細", "絵柄詳細"},
    {"Command_確率変移", "確率変移"},
    {"Command_回転数分布", "回転数分布"},
    {"Command_連荘分布", "連荘分布"},
    {"Command_収支", "収支"},
    {"Command_当絵柄分布", "当絵柄分布"},
}};
// The analyst's desk's panels come after the nine, with their buttons below the nine.
constexpr std::array<PanelButton, 2> kDeskButtons{{
    {"Command_多数回検証", "多数回検証"},
    {"Command_理論値", "理論値"},
}};
constexpr int kResultsPanel = MainWindow::kPanelCount;
constexpr int kBasicConditionPanel = 0;
// The size the window opens at when the screen has room: the panels and, below them, the
// big-hit grid with a screenful of rows.
constexpr QSize kRoomySize(1200, 960);
constexpr int kOverallPanel = 1;

} // namespace

QSize defaultWindowSize(const QSize& available) {
    // Room for the window frame and title bar, which the available size does not include.
    constexpr int kFrame = 48;
    return {std::min(kRoomySize.width(), available.width() - kFrame),
            std::min(kRoomySize.height(), available.height() - kFrame)};
}

MainWindow::MainWindow(MainWindowModel& model, DesktopPlatform& platform, QWidget* parent)
    : QMainWindow(parent), model_(model), platform_(platform),
      document_(std::make_unique<VerificationDocument>(model, platform.seams())),
      dialogs_(std::make_unique<ConditionDialogs>(document_->wizard())) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/zelkora/icons/zelkora.svg")));
    platform_.attachViews([this] { syncBeforeMessage(); });
    UserInterface& ui = platform_.seams().ui;
    ui.setPointer(PointerShape::Hourglass);
    showWindowWithoutVerification(model_);

    actions_ = new WindowActions(*this);
    desk_ = new AnalysisDesk(*this, model_, platform_.seams(),
                             {[this] { showPanel(kResultsPanel); }, [this] { syncFromModel(); },
                              [this] {
                                  return document_->machine();
                              }});
    connect(actions_, &WindowActions::commandTriggered, this, &MainWindow::onCommand);
    // F10 opens the menu bar, as in other desktop programs.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (model_.window.enabled && !menuBar()->actions().isEmpty()) {
            menuBar()->setActiveAction(menuBar()->actions().constFirst());
        }
    });
    new ShortcutGuard(*this,
                      [this](const QKeySequence& keys) { return actions_->isShortcut(keys); });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildTopBar());
    auto* splitter = new QSplitter(Qt::Vertical, central);
    splitter->addWidget(buildPanels());
    detailArea_ = new DetailArea(fields_, model_.grids, splitter);
    splitter->addWidget(detailArea_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    // On a small screen or at a large scale the panels scroll rather than push the window, its
    // status bar and its right edge off the screen.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("MainScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(central);
    setCentralWidget(scroll);
    // Small enough for a 1280x1024 screen at 150 %, large enough to work in.
    setMinimumSize(640, 480);
    buildStatusBar();

    help_ = new HelpTracker(
        [this](std::string_view text) {
            model_.fields.setText(Field::StatusBar1_Panel1, text);
            syncFromModel();
        },
        this);
    help_->watchAll(*this);
    help_->watchAll(*this, analysisDeskHelpTexts());
    for (GridView* grid : findChildren<GridView*>()) {
        addTableMenu(*grid, {platform_.seams().ui, platform_.seams().files});
    }
    for (ChartView* chart : findChildren<ChartView*>()) {
        addChartMenu(*chart, {platform_.seams().ui, platform_.seams().files}, nullptr);
    }

    fields_.syncAll(model_.fields);
    model_.fields.clearChanged();
    showPanel(kOverallPanel);
    syncFromModel();
    built_ = true;
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(defaultWindowSize(screen != nullptr ? screen->availableSize() : QSize(1366, 728)));
    dialogs_->attachWindow(*this);
    ui.setPointer(PointerShape::Default);
}

MainWindow::~MainWindow() {
    platform_.attachViews({});
}

// EXP and the run area Picture3 take turns in one place: EXP is hidden while a run shows
// Picture3. Beside them the activity text over ProgressBar1.
QWidget* MainWindow::buildTopBar() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    exp_ = fields_.makeBox(Field::EXP, bar);
    QFont big = exp_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    exp_->setFont(big);
    exp_->setMaximumWidth(QWIDGETSIZE_MAX);
    layout->addWidget(exp_, 3);
    runArea_ = new RunAreaView(fields_, bar);
    layout->addWidget(runArea_, 3);
    bar->setMinimumHeight(runArea_->sizeHint().height());

    auto* activity = new QVBoxLayout;
    QLineEdit* action = fields_.makeBox(Field::action表示, bar);
    action->setFrame(false);
    action->setMaximumWidth(QWIDGETSIZE_MAX);
    activity->addWidget(action);
    progress_ = new QProgressBar(bar);
    progress_->setRange(0, 100);
    fields_.bind(Field::ProgressBar1, progress_);
    QSizePolicy keepPlace = progress_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keepPlace);
    activity->addWidget(progress_);
    layout->addLayout(activity, 1);
    return bar;
}

QWidget* MainWindow::buildPanels() {
    auto* area = new QWidget(this);
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QVBoxLayout;
    panels_ = new QStackedWidget(area);
    for (int index = 0; index < kPanelCount; ++index) {
        auto* button = new QPushButton(
            QString::fromUtf8(kPanelButtons[static_cast<std::size_t>(index)].caption), area);
        button->setObjectName(
            QString::fromUtf8(kPanelButtons[static_cast<std::size_t>(index)].button));
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, index] { showPanel(index); });
        buttons->addWidget(button);
    }
    for (std::size_t desk = 0; desk < kDeskButtons.size(); ++desk) {
        auto* button = new QPushButton(QString::fromUtf8(kDeskButtons[desk].caption), area);
        button->setObjectName(QString::fromUtf8(kDeskButtons[desk].button));
        button->setFocusPolicy(Qt::TabFocus);
        const int index = kPanelCount + static_cast<int>(desk);
        connect(button, &QPushButton::clicked, this, [this, index] { showPanel(index); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(panels_, 1);

    conditionPanel_ = new ConditionPanel(fields_);
    gridPanels_ = {
        new GridPanel(QStringLiteral("Picture_日データ"), QStringLiteral("Grid3"),
                      model_.grids.grid3),
        new GridPanel(QStringLiteral("Picture_絵柄"), QStringLiteral("Grid2"), model_.grids.grid2)};
    const Charts& charts = model_.charts;
    chartPanels_ = {
        new ChartPanel(
            QStringLiteral("Picture_確率変移"),
            new LineChartView(QStringLiteral("MSChart5"), charts.chart5,
                              {QStringLiteral("総当り確率"), QStringLiteral("初当り確率")}),
            makeTransitionNames()),
        new ChartPanel(QStringLiteral("Picture_回転数"),
                       new BarChartView(QStringLiteral("MSChart3"), charts.chart3),
                       makeSpinShareBoxes(fields_)),
        new ChartPanel(QStringLiteral("Picture_連荘分布"),
                       new BarChartView(QStringLiteral("MSChart4"), charts.chart4),
                       makeStreakShareBoxes(fields_)),
        new ChartPanel(QStringLiteral("Picture_収支"),
                       new LineChartView(QStringLiteral("MSChart2"), charts.chart2,
                                         {QStringLiteral("積算収支")}),
                       nullptr),
        new ChartPanel(QStringLiteral("Picture_絵柄分布"),
                       new BarChartView(QStringLiteral("MSChart1"), charts.chart1), nullptr),
    };
    panels_->addWidget(conditionPanel_);
    panels_->addWidget(new OverallPanel(fields_));
    panels_->addWidget(gridPanels_[0]);
    panels_->addWidget(gridPanels_[1]);
    for (ChartPanel* panel : chartPanels_) {
        panels_->addWidget(panel);
    }
    panels_->addWidget(desk_->resultsPanel());
    // Picture_理論値 shows the classic theory or, while a machine file is open, the machine's.
    theoryStack_ = new QStackedWidget(area);
    theoryStack_->setObjectName(QStringLiteral("理論値_表示"));
    theoryStack_->addWidget(desk_->theoryPanel());
    machineTheory_ = new MachineTheoryView(
        model_, [this] { return document_->machine(); },
        ExportSeams{platform_.seams().ui, platform_.seams().files});
    theoryStack_->addWidget(machineTheory_);
    panels_->addWidget(theoryStack_);
    return area;
}

void MainWindow::buildStatusBar() {
    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(true);
    auto* panel1 = new QLabel(status);
    auto* panel2 = new QLabel(status);
    panel1->setMinimumWidth(200);
    panel2->setMinimumWidth(
        panel2->fontMetrics().horizontalAdvance(QStringLiteral("残り　約　000時間00分")));
    fields_.bind(Field::StatusBar1_Panel1, panel1);
    fields_.bind(Field::StatusBar1_Panel2, panel2);
    status->addWidget(panel1, 1);
    status->addPermanentWidget(panel2);
}

void MainWindow::showPanel(int index) {
    panels_->setCurrentIndex(index);
    syncFromModel(); // the panel's fields were left for when it is shown
}

void MainWindow::showBasicConditionPanel() {
    showPanel(kBasicConditionPanel);
}

bool MainWindow::runInProgress() const {
    return document_->running();
}

void MainWindow::onCommand(Menu command) {
    if (!model_.window.enabled) {
        return; // a condition page is open; a shortcut must not reach past it
    }
    document_->run(command);
    afterCommand();
}

// The condition pages and the window show what the command left, then the window does what
// the command asked of it.
void MainWindow::afterCommand() {
    dialogs_->sync();
    if (model_.requests.close) {
        model_.requests.close = false;
        close();
    }
}

void MainWindow::openNamedFile(const QString& path) {
    document_->openNamedFile(path.toStdString());
    afterCommand();
}

// A box can come before the window has built its views (a start-up message).
void MainWindow::syncBeforeMessage() {
    if (built_) {
        syncFromModel();
    }
}

void MainWindow::offerUnsavedWork() {
    document_->offerUnsavedWork();
    afterCommand();
}

void MainWindow::syncFromModel() {
    if (model_.requests.showBasicConditionPanel) {
        model_.requests.showBasicConditionPanel = false;
        panels_->setCurrentIndex(kBasicConditionPanel);
    }
    // Visibility first: the fields sync writes only what is on screen.
    const zelkora::RunArea& area = model_.runArea;
    runArea_->setVisible(area.picture3Visible);
    exp_->setVisible(area.expVisible);
    progress_->setVisible(area.progressBar1Visible);
    detailArea_->grid()->setVisible(area.grid1Visible);
    syncEnabled();
    fields_.syncChanged(model_.fields);
    actions_->sync(model_.commands);
    const QString caption = qtText(model_.window.caption);
    if (windowTitle() != caption) {
        setWindowTitle(caption);
    }
    conditionPanel_->sync(model_);
    runArea_->sync(model_);
    detailArea_->sync();
    for (GridPanel* panel : gridPanels_) {
        panel->sync();
    }
    for (ChartPanel* panel : chartPanels_) {
        panel->sync();
    }
    theoryStack_->setCurrentWidget(model_.openKind == OpenKind::Machine
                                       ? static_cast<QWidget*>(machineTheory_)
                                       : desk_->theoryPanel());
    desk_->sync();
    machineTheory_->sync();
}

// While a condition page is open the window takes no input. The status bar stays as it is,
// since it shows the pages' help texts.
void MainWindow::syncEnabled() {
    const bool enabled = model_.window.enabled;
    if (centralWidget()->isEnabled() == enabled) {
        return;
    }
    centralWidget()->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
    for (QToolBar* toolbar : findChildren<QToolBar*>()) {
        toolbar->setEnabled(enabled);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const CloseDecision decision = document_->close();
    // The pages the close unloaded go before the window does.
    dialogs_->sync();
    if (decision == CloseDecision::Keep) {
        event->ignore();
        return;
    }
    event->accept();
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        model_.commands.syncOptionButtons();
        actions_->sync(model_.commands);
    }
    return QMainWindow::event(event);
}

} // namespace zelkora::ui
