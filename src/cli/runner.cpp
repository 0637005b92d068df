#include "runner.h"

#include "common/procedure_error.h"
#include "console_platform.h"
#include "engine/file_working_copy.h"
#include "engine/run_engine.h"
#include "json_report.h"
#include "run_options.h"
#include "shell/pcg_random_source.h"

#include <random>

namespace zelkora::cli {
namespace {

std::uint64_t randomSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) | device();
}

// Copies the file into the program folder as the working copy, as opening it in the window
// does, and loads its conditions; the message for the user when it cannot.
std::string openVerification(const RunOptions& options, MainWindowModel& model) {
    const std::filesystem::path file(options.file);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) ||
        !std::filesystem::copy_file(file, model.workingCopyPath(),
                                    std::filesystem::copy_options::overwrite_existing, error)) {
        return "cannot read " + options.file;
    }
    RecordFile records(kVerificationRecordLength);
    if (!records.open(model.workingCopyPath()).ok()) {
        return "cannot read " + options.file;
    }
    try {
        if (!holdsConditions(records)) {
            return options.file + " holds no verification conditions";
        }
        applyConditions(model, readStoredConditions(records));
    } catch (const ProcedureError& failure) {
        return "cannot read " + options.file + ": " + failure.what();
    }
    records.close();
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
    if (const std::string problem = openVerification(options, model); !problem.empty()) {
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
    ConsoleUserInterface ui(err);
    NoEventPump pump;
    FrozenTimers timers(options.countdown);
    FileWorkingCopy workingCopy(model.workingCopyPath());
    RunEngine engine(model, {ui, pump, timers, random, workingCopy});
    engine.MK_Start();
    bool ok = !ui.reportedError();
    if (options.out && ok) {
        ok = writeOut(options, model, err);
    }
    if (options.json && ok) {
        out << jsonReport(model.fields, model.window.resultRecordCounter);
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
    try {
        return play(parsed.options, out, err);
    } catch (const std::exception& failure) {
        err << "zelkora-run: " << failure.what() << '\n';
        return kExitFailure;
    }
}

} // namespace zelkora::cli
