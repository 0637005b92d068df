#include "loaded_verification.h"

#include "commands/error_messages.h"
#include "files/file_system.h"
#include "files/utf8_path.h"
#include "files/verification_input.h"
#include "results/ind_preset.h"

#include <random>

namespace zelkora::cli {

std::string loadVerification(const RunOptions& options, LoadedVerification& loaded,
                             UserInterface& ui) {
    MainWindowModel& model = loaded.model;
    if (Status made = loaded.folder.create(); !made.ok()) {
        return workingFolderFailedText(made.error());
    }
    model.programFolder = loaded.folder.path();
    LocalFileSystem files;
    if (Status copied =
            copyVerificationIn(files, pathFromUtf8(options.file), model.workingCopyPath());
        !copied.ok()) {
        return openFailedText(options.file, copied.error());
    }
    if (Status read = IndPreset(model, ui); !read.ok()) {
        return loadFailedMessage(options.file, read.error()).text;
    }
    model.commands.apply(Availability::VerificationLoaded);
    if (options.probabilityConvergence) {
        model.commands.toggleProbabilityConvergence();
    }
    if (options.symbolConvergence) {
        model.commands.toggleSymbolConvergence();
    }
    return {};
}

std::uint64_t seedFor(const RunOptions& options, std::ostream& err) {
    if (options.seed) {
        return *options.seed;
    }
    std::random_device device;
    const std::uint64_t seed = (static_cast<std::uint64_t>(device()) << 32U) | device();
    err << "シード: " << seed << '\n';
    return seed;
}

} // namespace zelkora::cli
