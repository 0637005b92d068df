// Plays a sample in the main window under a real display and saves a picture of the window at
// start, after the Open, during the run and with each of the nine panels after the run.

#include "cjk_fonts.h"
#include "files/utf8_path.h"
#include "scripted_desktop.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
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

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: zelkora-screenshots OUTDIR SAMPLE.pac\n";
        return 2;
    }
    zelkora::ui::installCjkFonts();
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::filesystem::path sample = zelkora::pathFromUtf8(argv[2]);

    zelkora::gui::ScriptedDesktop desktop(1, 500);
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 880);
    window.show();
    bool ok = save(window, folder, QStringLiteral("00-start"));
}

desktop.open(sample);
ok = save(window, folder, QStringLiteral("01-opened")) && ok;

// The picture during the run is taken from inside the run, when the window processes its
// events, once the run is well under way.
bool grabbedDuringRun = false;
QTimer during;
during.setSingleShot(true);
QObject::connect(&during, &QTimer::timeout, [&] {
    if (window.runInProgress()) {
        window.showPanel(1);
        grabbedDuringRun = save(window, folder, QStringLiteral("02-during-run"));
    }
});
during.start(30);
desktop.play();
if (!grabbedDuringRun) {
    std::cerr << "screenshots: the run ended before it could be pictured\n";
}

for (std::size_t index = 0; index < kPanelNames.size(); ++index) {
    window.showPanel(static_cast<int>(index));
    ok = save(window, folder,
              QStringLiteral("%1-%2").arg(index + 10).arg(QString::fromUtf8(kPanelNames[index]))) &&
         ok;
}
return ok && !desktop.ui().reportedError ? 0 : 1;
}
