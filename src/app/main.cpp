#include "cjk_fonts.h"
#include "commands/startup.h"
#include "desktop_platform.h"
#include "files/file_system.h"
#include "main_window.h"
#include "platform/pcg_random_source.h"
#include "qt_run_timers.h"
#include "qt_translations.h"
#include "qt_user_interface.h"
#include "splash_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <csignal>
#include <random>

namespace {

// The generator is seeded once per program start and never again.
std::uint64_t programSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) | device();
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write beyond a file-size limit then fails with an error the window reports, instead of
    // ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelkora"));
    QApplication::setDesktopFileName(QStringLiteral("zelkora"));
    zelkora::ui::installCjkFonts();
    static_cast<void>(zelkora::ui::installJapaneseQtTranslations(application));

    // A file handed over by the desktop (a double-clicked .pac), taken before the program
    // folder becomes the current folder.
    QString namedFile;
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        namedFile = QFileInfo(arguments.at(1)).absoluteFilePath();
    }

#ifdef _WIN32
    // Windows starts a program in whatever folder Explorer or the shortcut chose (the folder of a
    // double-clicked file, the system folder); its program folder is the one the installer put
    // the executable and the samples in.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
#endif

    zelkora::ui::QtUserInterface ui;
    zelkora::ui::QtRunTimers timers;
    zelkora::LocalFileSystem files;
    zelkora::PcgRandomSource source(programSeed());
    zelkora::RandomStream random(source);
    zelkora::MainWindowModel model;

    ui.setPointer(zelkora::PointerShape::Hourglass);
    zelkora::ui::SplashWindow splash;
    const zelkora::StartupResult started = zelkora::startUpFromSettings(
        model, zelkora::currentSetupPlace(), ui, splash, files, zelkora::EnterProgramFolder::Yes);
    ui.setPointer(zelkora::PointerShape::Default);
    if (started.outcome == zelkora::StartupOutcome::ProgramMustEnd) {
        return 1;
    }

    zelkora::ui::DesktopPlatform platform(ui, files, timers, random);
    zelkora::ui::MainWindow window(model, platform);
    ui.setParentWindow(&window);
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.offerUnsavedWork(); });
    if (!namedFile.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, namedFile] { window.openNamedFile(namedFile); });
    }
    return QApplication::exec();
}
