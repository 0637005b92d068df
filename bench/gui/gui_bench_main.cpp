// Plays a verification to its end in the main window on the offscreen platform, with events
// processed and widgets synced as in a real run, and reports the time the run took and the
// window's peak memory. scripts/gui-bench compares the time with zelkora-run's.
//
//   zelkora-gui-bench --write FILE DAYS            the first sample's conditions for DAYS days
//   zelkora-gui-bench FILE SEED COUNTDOWN [PANEL]  plays FILE; PANEL (0-8) is shown meanwhile

#include "files/utf8_path.h"
#include "scripted_desktop.h"

#include <QApplication>
#include <chrono>
#include <iostream>
#include <string>
#include <sys/resource.h>

namespace {

long peakMemoryKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QStringLiteral("--write")) {
        const auto file = zelkora::pathFromUtf8(arguments[2].toStdString());
        return zelkora::gui::writeLongVerification(file, arguments[3].toInt()) ? 0 : 1;
    }
    if (arguments.size() < 4) {
        std::cerr << "usage: zelkora-gui-bench FILE SEED COUNTDOWN [PANEL]\n"
                     "       zelkora-gui-bench --write FILE DAYS\n";
        return 2;
    }
    zelkora::gui::ScriptedDesktop desktop(arguments[2].toULongLong(), arguments[3].toInt());
    desktop.ui().questionAnswer = zelkora::MessageResult::No; // play as the runner does
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    desktop.open(zelkora::pathFromUtf8(arguments[1].toStdString()));
    window.showPanel(arguments.size() > 4 ? arguments[4].toInt() : 1);

    const auto started = std::chrono::steady_clock::now();
    desktop.play();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    if (desktop.ui().reportedError) {
        std::cerr << "zelkora-gui-bench: " << desktop.ui().lastMessage << '\n';
        return 1;
    }
    const zelkora::FieldStore& fields = desktop.model().fields;
    const double spins = fields.number(zelkora::Field::総回転数表示) +
                         fields.number(zelkora::Field::総時短回転数表示);
    std::cout << "gui " << took.count() << " s, " << static_cast<long long>(spins) << " spins, "
              << window.pump().calls() << " event pumps taking "
              << std::chrono::duration<double>(window.pump().windowTime()).count() << " s (sync "
              << std::chrono::duration<double>(window.pump().syncTime()).count() << " s), "
              << desktop.model().window.resultRecordCounter << " result records, peak "
              << peakMemoryKilobytes() / 1024 << " MB\n";
    return 0;
}
