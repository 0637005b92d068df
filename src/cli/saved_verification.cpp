#include "saved_verification.h"

#include "commands/first_run_setup.h"
#include "commands/open_reload.h"
#include "commands/startup.h"
#include "console_platform.h"
#include "files/file_system.h"
#include "files/utf8_path.h"
#include "files/verification_input.h"
#include "json_report.h"
#include "loaded_verification.h"
#include "messages/error_messages.h"
#include "platform/pcg_random_source.h"
#include "results/grids_and_charts.h"
#include "results/rebuild.h"
#include "run_csv.h"
#include "runner.h"
#include "working_folder.h"

#include <optional>

namespace zelkora::cli {
namespace {

// The console's messages, and Yes to the rebuild's question, as a user who opens a file to see
// its figures answers it.
class AnswerYes final : public UserInterface {
public:
    explicit AnswerYes(ConsoleUserInterface& console) : console_(console) {}
    MessageResult showMessage(const Message& message) override {
        const MessageResult shown = console_.showMessage(message);
        return message.buttons == MessageButtons::YesNo ? MessageResult::Yes : shown;
    }
    void beep() override {}
    void setPointer(PointerShape) override {}
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }

private:
    ConsoleUserInterface& console_;
};

// Every setup message goes to the console: the informational ones to standard output.
class SetupConsole final : public UserInterface {
public:
    SetupConsole(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    MessageResult showMessage(const Message& message) override {
        const bool critical = message.icon == MessageIcon::Critical;
        (critical ? err_ : out_) << message.title << ": " << message.text << '\n';
        return MessageResult::Ok;
    }
    void beep() override {}
    void setPointer(PointerShape) override {}
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }

private:
    std::ostream& out_;
    std::ostream& err_;
};

class NoSplash final : public SplashView {
public:
    void show() override {}
    void setProgress(int) override {}
    void close() override {}
};

} // namespace

int rebuildSavedVerification(const RunOptions& options, std::ostream& out, std::ostream& err) {
    ConsoleUserInterface console(err);
    AnswerYes ui(console);
    LoadedVerification loaded(ui, options.countdown,
                              std::make_unique<PcgRandomSource>(options.seed.value_or(0)));
    MainWindowModel& model = loaded.model();
    // The grids as the window's start-up sets them up, so the rebuild fills them as it would.
    グリッド見出し設定(model.grids);
    if (const std::string problem = loaded.load(options); !problem.empty()) {
        err << "zelkora-run: " << problem << '\n';
        return kExitFailure;
    }
    std::optional<CsvFolder> csv;
    if (!openRunCsv(options.csv, csv, err)) {
        return kExitFailure;
    }
    if (loaded.document().rebuild() == RebuildOutcome::Failed) {
        return kExitFailure;
    }
    // The figures are printed even when a CSV file cannot be written: they are what was asked
    // for first, and the message says which file failed and why.
    out << (options.json ? jsonReport(model.fields, model.window.resultRecordCounter)
                         : textReport(model.fields, model.window.resultRecordCounter));
    if (csv) {
        if (Status written = writeRunCsv(*csv, model); !written.ok()) {
            reportError(err, written.error());
            return kExitFailure;
        }
    }
    return kExitSuccess;
}

int setUpProgramFolder(std::ostream& out, std::ostream& err) {
    SetupConsole ui(out, err);
    NoSplash splash;
    LocalFileSystem files;
    MainWindowModel model;
    const StartupResult started =
        startUpFromSettings(model, currentSetupPlace(), ui, splash, files, EnterProgramFolder::No);
    if (started.outcome == StartupOutcome::ProgramMustEnd) {
        return kExitFailure;
    }
    out << "プログラムフォルダ: " << utf8FromPath(model.programFolder) << '\n';
    return kExitSuccess;
}

} // namespace zelkora::cli
