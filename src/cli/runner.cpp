#include "runner.h"

#include "common/procedure_error.h"
#include "console_platform.h"
#include "engine/run_engine.h"
#include "files/file_system.h"
#include "files/utf8_path.h"
#include "files/working_copy_file.h"
#include "json_report.h"
#include "platform/pcg_random_source.h"
#include "results/ind_preset.h"
#include "run_options.h"
#include "saved_verification.h"

#include <random>

namespace zelkora::cli {
namespace {

std::uint64_t randomSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) | device();
}

// Copies the file into the program folder as the working copy and loads it, as Open does
// (IndPreset); the message for the user when it cannot.
std::string openVerification(const RunOptions& options, MainWindowModel& model, UserInterface& ui) {
    LocalFileSystem files;
    if (copyFileSafely(files, pathFromUtf8(options.file), model.workingCopyPath())) {
        return "cannot read " + options.file;
    }
    try {
        IndPreset(model, ui);
    } catch (const ProcedureError& failure) {
        return "cannot read " + options.file + ": " + failure.what();
    }
    return {};
}

void applyOptions(const RunOptions& options, MainWindowModel& model) {
    model.commands.apply(Availability::VerificationLoaded);
    if (options.probabilityConvergence) {
        model.commands.toggleProbabilityConvergence();
    }
    if (options.symbolConvergence) {
        model.commands.toggleSymbolConvergence();
    }
}

bool writeOut(const RunOptions& options, const MainWindowModel& model, std::ostream& err) {
    std::error_code error;
    std::filesystem::copy_file(model.workingCopyPath(), *options.out,
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        err << "zelkora-run: cannot write " << *options.out << ": " << error.message() << '\n';
        return false;
    }
    return true;
}

int play(const RunOptions& options, std::ostream& out, std::ostream& err) {
    TemporaryFolder folder;
    MainWindowModel model;
    model.programFolder = folder.path();
    ConsoleUserInterface ui(err);
    if (const std::string problem = openVerification(options, model, ui); !problem.empty()) {
        err << "zelkora-run: " << problem << '\n';
        return kExitFailure;
    }
    applyOptions(options, model);
    const std::uint64_t seed = options.seed ? *options.seed : randomSeed();
    if (!options.seed) {
        err << "seed: " << seed << '\n';
    }
    PcgRandomSource source(seed);
    RandomStream random(source);
    NoEventPump pump;
    FrozenTimers timers(options.countdown);
    FileWorkingCopy workingCopy(model.workingCopyPath());
    RunEngine engine(model, {ui, pump, timers, random, workingCopy});
    engine.MK_Start();
    bool ok = !ui.reportedError();
    if (options.out && ok) {
        ok = writeOut(options, model, err);
    }
    if (ok) {
        out << (options.json ? jsonReport(model.fields, model.window.resultRecordCounter)
                             : textReport(model.fields, model.window.resultRecordCounter));
    }
    return ok ? kExitSuccess : kExitFailure;
}

} // namespace

int runVerification(std::span<const std::string_view> arguments, std::ostream& out,
                    std::ostream& err) {
    const ParsedOptions parsed = parseRunOptions(arguments);
    if (!parsed.error.empty()) {
        err << "zelkora-run: " << parsed.error << '\n' << kUsage;
        return kExitUsage;
    }
    if (!parsed.request.empty()) {
        out << parsed.request;
        return kExitSuccess;
    }
    try {
        switch (parsed.options.mode) {
        case RunMode::Rebuild:
            return rebuildSavedVerification(parsed.options, out, err);
        case RunMode::Setup:
            return setUpProgramFolder(out, err);
        case RunMode::Play:
            break;
        }
        return play(parsed.options, out, err);
    } catch (const std::exception& failure) {
        err << "zelkora-run: " << failure.what() << '\n';
        return kExitFailure;
    }
}

} // namespace zelkora::cli
