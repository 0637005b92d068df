// zelkora-make-samples FOLDER: writes the five sample verifications the program ships. Each is
// the sample's conditions as the wizard's Finish writes them, played once headless with the
// sample's own seed, so the file holds real results that Open rebuilds. samples/ holds this
// program's output; the files are never edited by hand.
#include "commands/verification_document.h"
#include "console_platform.h"
#include "files/condition_file_writer.h"
#include "files/file_system.h"
#include "files/sample_definitions.h"
#include "files/utf8_path.h"
#include "files/working_copy_file.h"
#include "messages/error_messages.h"
#include "platform/pcg_random_source.h"
#include "results/grids_and_charts.h"
#include "results/ind_preset.h"
#include "working_folder.h"

#include <iostream>

namespace zelkora::cli {
namespace {

namespace fs = std::filesystem;

// A fixed countdown and no wall clock, so a sample comes out the same on every machine.
constexpr int kSampleCountdown = 1000;

bool makeSample(const SampleDefinition& sample, const fs::path& output) {
    WorkingFolder folder;
    if (Status made = folder.create(); !made.ok()) {
        std::cerr << "zelkora-make-samples: " << workingFolderFailedText(made.error()) << '\n';
        return false;
    }
    MainWindowModel model;
    model.programFolder = folder.path();
    if (!writeConditionFile(model.workingCopyPath(), sample).ok()) {
        std::cerr << "zelkora-make-samples: cannot write the conditions of " << sample.name << '\n';
        return false;
    }
    ConsoleUserInterface ui(std::cerr);
    ConsolePlatform platform(ui, kSampleCountdown, std::make_unique<PcgRandomSource>(sample.seed));
    VerificationDocument document(model, platform.seams());
    グリッド見出し設定(model.grids);
    if (Status loaded = document.loadWorkingCopy(); !loaded.ok()) {
        std::cerr << "zelkora-make-samples: " << errorText(loaded.error()) << '\n';
        return false;
    }
    document.run(Menu::MK_Start);
    const fs::path target = output / pathFromUtf8(sample.name + ".pac");
    LocalFileSystem files;
    if (ui.reportedError() || !copyFileSafely(files, model.workingCopyPath(), target).ok()) {
        std::cerr << "zelkora-make-samples: cannot make " << utf8FromPath(target) << '\n';
        return false;
    }
    std::cout << utf8FromPath(target) << ": " << model.window.resultRecordCounter
              << " result records\n";
    return true;
}

} // namespace
} // namespace zelkora::cli

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zelkora-make-samples FOLDER\n";
        return 2;
    }
    const std::filesystem::path output = zelkora::pathFromUtf8(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(output, error);
    bool made = true;
    try {
        for (const zelkora::SampleDefinition& sample : zelkora::sampleDefinitions()) {
            made = zelkora::cli::makeSample(sample, output) && made;
        }
    } catch (const std::exception& failure) {
        std::cerr << "zelkora-make-samples: " << failure.what() << '\n';
        made = false;
    }
    return made ? 0 : 1;
}
