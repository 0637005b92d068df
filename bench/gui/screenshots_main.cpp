// Plays a sample in the main window under a real display and saves pictures: the window at
// start, after the Open, with each of the nine panels after the run, and during a long run,
// which is then cancelled from the toolbar.

#include "cjk_fonts.h"
#include "files/utf8_path.h"
#include "scripted_desktop.h"
#include "window_actions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <array>
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

    bool pictured = false;
    QTimer during;
    during.setInterval(300);
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (!window.runInProgress() || pictured) {
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

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: zelkora-screenshots OUTDIR SAMPLE.pac\n";
        return 2;
    }
    zelkora::ui::installCjkFonts();
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool panels = picturePanels(folder, zelkora::pathFromUtf8(argv[2]));
    const bool run = pictureRun(folder);
    return panels && run ? 0 : 1;
}
