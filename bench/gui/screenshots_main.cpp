// Plays a sample in the main window under a real display and saves pictures: the window at
// start, after the Open, with each of the nine panels after the run, during a long run, which is
// then cancelled from the toolbar, each condition page of a new verification, and the analyst's
// desk: the 多数回検証 dialog while its campaigns play, the results panel, the 理論値 panel and
// a comparison; and a machine file opened, played and its theory.

#include "analysis_desk.h"
#include "analysis_dialog.h"
#include "cjk_fonts.h"
#include "condition_dialogs.h"
#include "files/utf8_path.h"
#include "qt_text.h"
#include "qt_translations.h"
#include "scripted_desktop.h"
#include "symbol_table_dialog.h"
#include "window_actions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <array>
#include <fstream>
#include <functional>
#include <iostream>

namespace {

constexpr std::array<const char*, 9> kPanelNames{"基本条件", "総合データ", "日別データ",
                                                 "絵柄詳細", "確率変移",   "回転数分布",
                                                 "連荘分布", "収支",       "当絵柄分布"};

bool save(QWidget& widget, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    const QString file = folder.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(file)) {
        std::cerr << "screenshots: cannot write " << file.toStdString() << '\n';
        return false;
    }
    std::cout << file.toStdString() << '\n';
    return true;
}

// Every panel after a whole run of the sample.
bool picturePanels(const QDir& folder, const std::filesystem::path& sample) {
    zelkora::gui::ScriptedDesktop desktop(1, 500);
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    bool ok = save(window, folder, QStringLiteral("00-start"));
    desktop.open(sample);
    ok = save(window, folder, QStringLiteral("01-opened")) && ok;
    desktop.play();
    for (std::size_t index = 0; index < kPanelNames.size(); ++index) {
        window.showPanel(static_cast<int>(index));
        ok = save(window, folder,
                  QStringLiteral("%1-%2")
                      .arg(index + 10)
                      .arg(QString::fromUtf8(kPanelNames[index]))) &&
             ok;
    }
    return ok && !desktop.ui().reportedError;
}

void click(QWidget& page, const char* button);
bool playAnalysis(zelkora::ui::AnalysisDesk& desk, const char* campaigns,
                  const std::function<void()>& during = {});

// A message box as the program shows it, with Qt's Japanese buttons, pictured on its own.
bool saveMessageBox(const zelkora::Message& message, QWidget& over, const QDir& folder,
                    const QString& name) {
    QMessageBox box(QMessageBox::Information, zelkora::ui::qtText(message.title),
                    zelkora::ui::qtText(message.text),
                    message.buttons == zelkora::MessageButtons::YesNo
                        ? QMessageBox::Yes | QMessageBox::No
                        : QMessageBox::Ok,
                    &over);
    box.show();
    return save(box, folder, name);
}

// The end of a whole run: the window as it stands behind the end message, and the message.
bool pictureRunEnd(const QDir& folder, const std::filesystem::path& sample) {
    zelkora::gui::ScriptedDesktop desktop(4, 500);
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    desktop.open(sample);
    window.showPanel(7);
    bool ok = false;
    desktop.ui().onMessage = [&](const zelkora::Message& message) {
        if (message.title == "検証終了") {
            ok = save(window, folder, QStringLiteral("04-end-message-window")) &&
                 saveMessageBox(message, window, folder, QStringLiteral("05-end-message"));
        }
    };
    desktop.play();
    return ok;
}

// A New whose page 1 got a name and was cancelled: the window as it was, caption included.
bool pictureCancelledWizard(const QDir& folder, const std::filesystem::path& sample) {
    zelkora::gui::ScriptedDesktop desktop(5, 500);
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    desktop.open(sample);
    window.actions().menuAction(zelkora::Menu::MF_MakeNew)->trigger();
    QWidget* page1 = desktop.pages().dialog(zelkora::WizardPage::条件1);
    if (page1 == nullptr) {
        std::cerr << "screenshots: New showed no condition page\n";
        return false;
    }
    auto* name = page1->findChild<QLineEdit*>(QStringLiteral("検証名表示"));
    QApplication::setActiveWindow(page1);
    name->setFocus();
    name->selectAll();
    QInputMethodEvent typed; // Japanese comes from the input method
    typed.setCommitString(QStringLiteral("やめた検証"));
    QApplication::sendEvent(name, &typed);
    bool ok = save(*page1, folder, QStringLiteral("06-wizard-named"));
    click(*page1, "キャンセル");
    std::cout << "caption after the cancelled wizard: " << window.windowTitle().toStdString()
              << '\n';
    return save(window, folder, QStringLiteral("07-wizard-cancelled")) && ok;
}

// Open of a damaged file over an opened verification: the message, then the window unchanged.
bool pictureFailedOpen(const QDir& folder, const std::filesystem::path& sample) {
    zelkora::gui::ScriptedDesktop desktop(6, 500);
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    desktop.open(sample);
    const std::filesystem::path damaged = desktop.folder() / "data" / "壊れた.pac";
    std::filesystem::copy_file(sample, damaged);
    std::filesystem::resize_file(damaged, 1000);
    bool ok = false;
    desktop.ui().onMessage = [&](const zelkora::Message& message) {
        ok = saveMessageBox(message, window, folder, QStringLiteral("08-open-refused"));
    };
    desktop.open(damaged);
    desktop.ui().onMessage = nullptr;
    return save(window, folder, QStringLiteral("09-after-refused-open")) && ok;
}

// The window at the size it opens at on this screen, and at its least size.
bool pictureScreen(const QDir& folder, const std::filesystem::path& sample, const QString& tag) {
    zelkora::gui::ScriptedDesktop desktop(7, 500);
    zelkora::ui::MainWindow& window = desktop.window();
    const QScreen* screen = QGuiApplication::primaryScreen();
    window.resize(zelkora::ui::defaultWindowSize(screen->availableSize()));
    window.show();
    desktop.open(sample);
    desktop.play();
    bool ok = save(window, folder, tag + QStringLiteral("-default"));
    window.desk().startTrials();
    ok = playAnalysis(window.desk(), "200") && ok;
    ok = save(window, folder, tag + QStringLiteral("-多数回検証")) && ok;
    window.showPanel(zelkora::ui::MainWindow::kPanelCount + 1);
    ok = save(window, folder, tag + QStringLiteral("-理論値")) && ok;
    window.showPanel(1);
    window.resize(window.minimumSizeHint());
    ok = save(window, folder, tag + QStringLiteral("-least")) && ok;
    std::cout << tag.toStdString() << ": screen " << screen->availableSize().width() << "x"
              << screen->availableSize().height() << ", least window "
              << window.minimumSizeHint().width() << "x" << window.minimumSizeHint().height()
              << '\n';
    return ok;
}

// A run of many days, pictured from inside the run when the window processes its events, then
// cancelled from the toolbar.
bool pictureRun(const QDir& folder) {
    zelkora::gui::ScriptedDesktop desktop(2, 700);
    const std::filesystem::path verification = desktop.folder() / "data" / "long.pac";
    if (!zelkora::gui::writeLongVerification(verification, 10000)) {
        std::cerr << "screenshots: cannot write the long verification\n";
        return false;
    }
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    desktop.open(verification);
    window.showPanel(7); // the balance chart grows day by day

    // Looked at each time the run processes events, so a fast machine cannot end the run first;
    // a few frames in, the chart has days to show.
    constexpr std::uint64_t kFramesBeforePicture = 3;
    bool pictured = false;
    QTimer during;
    during.setInterval(0);
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (!window.runInProgress() || pictured || window.pump().calls() < kFramesBeforePicture) {
            return;
        }
        pictured = save(window, folder, QStringLiteral("02-during-run"));
        window.actions().button(12)->trigger();
    });
    during.start();
    desktop.play();
    if (!pictured) {
        std::cerr << "screenshots: the run ended before it could be pictured ("
                  << window.pump().calls() << " event pumps)\n";
        return false;
    }
    return save(window, folder, QStringLiteral("03-cancelled"));
}

void click(QWidget& page, const char* button) {
    page.findChild<QPushButton*>(QString::fromUtf8(button))->click();
    QApplication::processEvents();
}

// Fills the open analysis dialog and starts it; returns when the campaigns have played. While
// they play, `during` is called from the dialog's events.
bool playAnalysis(zelkora::ui::AnalysisDesk& desk, const char* campaigns,
                  const std::function<void()>& during) {
    zelkora::ui::AnalysisDialog* dialog = desk.dialog();
    if (dialog == nullptr) {
        std::cerr << "screenshots: the analysis dialog did not open\n";
        return false;
    }
    dialog->findChild<QLineEdit*>(QStringLiteral("多数回_試行回数"))->setText(campaigns);
    dialog->findChild<QLineEdit*>(QStringLiteral("多数回_シード"))->setText(QStringLiteral("1"));
    QTimer poll;
    poll.setInterval(100);
    if (during) {
        QObject::connect(&poll, &QTimer::timeout, during);
        poll.start();
    }
    click(*dialog, "多数回_開始");
    return desk.resultsPanel()->shown().has_value();
}

// The analyst's desk after the sample was opened: the dialog with its progress, the results
// panel, the 理論値 panel and a comparison with another sample.
bool pictureDesk(const QDir& folder, const std::filesystem::path& sample,
                 const std::filesystem::path& other) {
    zelkora::gui::ScriptedDesktop desktop(8, 1000);
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    desktop.open(sample);
    zelkora::ui::AnalysisDesk& desk = window.desk();
    desk.startTrials();
    bool pictured = false;
    bool ok = playAnalysis(desk, "4000", [&] {
        zelkora::ui::AnalysisDialog* dialog = desk.dialog();
        if (!pictured && desk.playing() && dialog != nullptr) {
            pictured = save(*dialog, folder, QStringLiteral("40-多数回検証-実行中"));
        }
    });
    if (!pictured) {
        std::cerr << "screenshots: the analysis ended before it could be pictured\n";
    }
    ok = pictured && save(window, folder, QStringLiteral("41-多数回検証")) && ok;
    window.showPanel(zelkora::ui::MainWindow::kPanelCount + 1);
    ok = save(window, folder, QStringLiteral("42-理論値")) && ok;
    desktop.ui().fileToOpen = zelkora::utf8FromPath(other);
    desk.startComparison();
    ok = playAnalysis(desk, "1000") && ok;
    ok = save(window, folder, QStringLiteral("43-比較検証")) && ok;
    return ok && !desktop.ui().reportedError;
}

// A machine file at the size the window opens at on this screen: opened, after a run (the
// overall and daily figures, the balance chart) with the end message, and its 理論値 panel.
bool pictureMachine(const QDir& folder, const std::filesystem::path& machine) {
    zelkora::gui::ScriptedDesktop desktop(9, 500);
    zelkora::ui::MainWindow& window = desktop.window();
    const QScreen* screen = QGuiApplication::primaryScreen();
    window.resize(zelkora::ui::defaultWindowSize(screen->availableSize()));
    window.show();
    desktop.open(machine);
    window.showBasicConditionPanel();
    bool ok = save(window, folder, QStringLiteral("50-機種-opened"));
    window.showPanel(1);
    desktop.ui().onMessage = [&](const zelkora::Message& message) {
        if (message.title == "検証終了") {
            ok = saveMessageBox(message, window, folder, QStringLiteral("51-機種-end-message")) &&
                 ok;
        }
    };
    desktop.play();
    desktop.ui().onMessage = nullptr;
    ok = save(window, folder, QStringLiteral("52-機種-総合データ")) && ok;
    window.showPanel(2);
    ok = save(window, folder, QStringLiteral("53-機種-日別データ")) && ok;
    window.showPanel(7);
    ok = save(window, folder, QStringLiteral("54-機種-収支")) && ok;
    window.showPanel(zelkora::ui::MainWindow::kPanelCount + 1);
    ok = save(window, folder, QStringLiteral("55-機種-理論値")) && ok;
    return ok && !desktop.ui().reportedError;
}

// The pages of a new verification as New opens them, page 3 also with twelve symbols and with
// its rule-option panel; the main window behind a page.
bool pictureWizard(const QDir& folder) {
    zelkora::gui::ScriptedDesktop desktop(3, 500);
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    window.actions().menuAction(zelkora::Menu::MF_MakeNew)->trigger();
    zelkora::ui::ConditionDialogs& pages = desktop.pages();
    QWidget* page1 = pages.dialog(zelkora::WizardPage::条件1);
    if (page1 == nullptr) {
        std::cerr << "screenshots: New showed no condition page\n";
        return false;
    }
    bool ok = save(*page1, folder, QStringLiteral("20-基本条件の設定"));
    ok = save(window, folder, QStringLiteral("21-page-open")) && ok;
    click(*page1, "次へ");
    QWidget* page2 = pages.dialog(zelkora::WizardPage::条件T);
    ok = page2 != nullptr && save(*page2, folder, QStringLiteral("22-時間条件")) && ok;
    click(*page2, "Command_次へ");
    auto* page3 =
        static_cast<zelkora::ui::SymbolTableDialog*>(pages.dialog(zelkora::WizardPage::条件2));
    if (page3 == nullptr) {
        std::cerr << "screenshots: page 3 did not open\n";
        return false;
    }
    ok = save(*page3, folder, QStringLiteral("23-大当り絵柄の詳細設定")) && ok;
    QWidget* count = page3->control(zelkora::Page3Control::絵柄数表示);
    // Without a window manager nothing activates the page, and a box of an inactive window
    // never loses the focus that applies the count.
    QApplication::setActiveWindow(page3);
    count->setFocus();
    static_cast<QLineEdit*>(count)->selectAll();
    QTest::keyClicks(count, QStringLiteral("12"));
    QTest::keyClick(count, Qt::Key_Return); // on to the name of row 1: the count is applied
    ok = save(*page3, folder, QStringLiteral("24-絵柄12")) && ok;
    click(*page3, "詳細");
    ok = save(*page3, folder, QStringLiteral("25-各絵柄のルールの詳細")) && ok;
    click(*page3, "キャンセル");
    return ok && !desktop.ui().reportedError;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: zelkora-screenshots OUTDIR SAMPLE.pac [--screen TAG]\n"
                     "       zelkora-screenshots OUTDIR MACHINE.json --machine\n";
        return 2;
    }
    zelkora::ui::installCjkFonts();
    static_cast<void>(zelkora::ui::installJapaneseQtTranslations(application));
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::filesystem::path sample = zelkora::pathFromUtf8(argv[2]);
    // One screen's pictures only: the script runs this under each screen size and scale.
    if (argc == 5 && std::string(argv[3]) == "--screen") {
        return pictureScreen(folder, sample, QString::fromLocal8Bit(argv[4])) ? 0 : 1;
    }
    if (argc == 4 && std::string(argv[3]) == "--machine") {
        return pictureMachine(folder, sample) ? 0 : 1;
    }
    const bool panels = picturePanels(folder, sample);
    const bool run = pictureRun(folder);
    const bool end = pictureRunEnd(folder, sample);
    const bool wizard = pictureWizard(folder);
    const bool cancelled = pictureCancelledWizard(folder, sample);
    const bool refused = pictureFailedOpen(folder, sample);
    const std::filesystem::path other =
        sample.parent_path() / zelkora::pathFromUtf8("リミッター5回399.pac");
    const bool desk = pictureDesk(folder, sample, other);
    return panels && run && end && wizard && cancelled && refused && desk ? 0 : 1;
}
