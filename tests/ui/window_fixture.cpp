#include "window_fixture.h"

#include "commands/startup.h"
#include "files/utf8_path.h"

#include <QApplication>
#include <QLabel>

namespace zelkora::testing {

WindowTest::WindowTest() {
    model.programFolder = folder.file("");
    std::filesystem::create_directory(folder.file("data"));
    resetWindowValues(model);
    platform = std::make_unique<ui::DesktopPlatform>(ui, files, timers, random);
    window = std::make_unique<ui::MainWindow>(model, *platform);
    // A full-HD screen's room, so that nothing scrolls; the small screens have tests of their own.
    window->resize(ui::defaultWindowSize(QSize(1920, 1040)));
    window->show();
    QApplication::processEvents();
}

WindowTest::~WindowTest() {
    window.reset();
}

// A copy of the sample in the data folder, so a save never touches the repository's file.
std::filesystem::path WindowTest::sample(const char* name) const {
    std::filesystem::path copy = folder.file("data") / pathFromUtf8(std::string(name) + ".pac");
    std::filesystem::copy_file(pathFromUtf8(std::string(ZELKORA_SAMPLES_DIR) + "/" + name + ".pac"),
                               copy, std::filesystem::copy_options::overwrite_existing);
    return copy;
}

void WindowTest::open(const std::filesystem::path& file, MessageResult answer) {
    ui.dialogAnswer = utf8FromPath(file);
    ui.answer = answer;
    trigger(Menu::MF_Open);
}

void WindowTest::trigger(Menu entry) {
    menu(entry)->trigger();
}

std::string WindowTest::statusPanel1() const {
    return control<QLabel>("StatusBar1_Panel1")->text().toStdString();
}

} // namespace zelkora::testing
