#include "scripted_desktop.h"

#include "commands/startup.h"
#include "files/condition_file_writer.h"
#include "files/sample_definitions.h"
#include "files/utf8_path.h"
#include "window_actions.h"

#include <QAction>
#include <random>

namespace zelkora::gui {

MessageResult ScriptedUserInterface::showMessage(const Message& message) {
    lastMessage = message.text;
    if (onMessage) {
        onMessage(message);
    }
    reportedError = reportedError || message.icon == MessageIcon::Critical;
    return message.buttons == MessageButtons::YesNo ? questionAnswer : MessageResult::Ok;
}

namespace {

std::filesystem::path freshFolder() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        auto folder = base / ("zelkora-gui-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder)) {
            return folder;
        }
    }
}

} // namespace

bool writeLongVerification(const std::filesystem::path& file, int days) {
    SampleDefinition verification = sampleDefinitions().front();
    for (auto& [field, text] : verification.conditions) {
        if (field == Field::条件_何日分) {
            text = std::to_string(days);
        }
    }
    return writeConditionFile(file, verification).ok();
}

ScriptedDesktop::ScriptedDesktop(std::uint64_t seed, int countdown)
    : folder_(freshFolder()), timers_(countdown), source_(seed) {
    model_.programFolder = folder_;
    std::filesystem::create_directory(folder_ / "data");
    resetWindowValues(model_);
    window_ = std::make_unique<ui::MainWindow>(model_, platform_);
}

ScriptedDesktop::~ScriptedDesktop() {
    window_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void ScriptedDesktop::open(const std::filesystem::path& file) {
    ui_.fileToOpen = utf8FromPath(file);
    window_->actions().menuAction(Menu::MF_Open)->trigger();
}

void ScriptedDesktop::play() {
    window_->actions().menuAction(Menu::MK_Start)->trigger();
}

} // namespace zelkora::gui
