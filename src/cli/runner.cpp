#include "runner.h"

#include "analysis/campaign_streams.h"
#include "console_platform.h"
#include "files/file_system.h"
#include "files/utf8_path.h"
#include "files/working_copy_file.h"
#include "json_report.h"
#include "loaded_verification.h"
#include "machine_runner.h"
#include "messages/error_messages.h"
#include "platform/pcg_random_source.h"
#include "run_csv.h"
#include "run_options.h"
#include "saved_verification.h"
#include "termination_cleanup.h"
#include "theory_report.h"
#include "trials.h"

#include <memory>
#include <optional>

namespace zelkora::cli {
namespace {

// Saved as Save does: a file that cannot be written whole keeps what it held, and the
// temporary file beside it goes if the run is stopped while it is written.
bool writeOut(const RunOptions& options, const MainWindowModel& model, std::ostream& err) {
    LocalFileSystem files;
    const std::filesystem::path out = pathFromUtf8(*options.out);
    const Result<std::filesystem::path> target = writeTargetOf(out);
    const RemovedOnSignal temporary(temporaryCopyPath(target.ok() ? target.value() : out),
                                    RemovedKind::File);
    const Status copied = copyFileSafely(files, model.workingCopyPath(), out);
    if (!copied.ok()) {
        err << "zelkora-run: " << saveFailedText(*options.out, copied.error()) << '\n';
        return false;
    }
    return true;
}

// The program's generator for the seed, or the stream of one campaign of --trials.
std::unique_ptr<PcgRandomSource> generatorFor(const RunOptions& options, std::uint64_t seed) {
    if (!options.campaign) {
        return std::make_unique<PcgRandomSource>(seed);
    }
    const CampaignStream stream = campaignStream(seed, *options.campaign - 1);
    return std::make_unique<PcgRandomSource>(stream.seed, stream.stream);
}

int play(const RunOptions& options, std::ostream& out, std::ostream& err) {
    ConsoleUserInterface ui(err);
    const std::uint64_t seed = seedOf(options);
    LoadedVerification loaded(ui, options.countdown, generatorFor(options, seed));
    MainWindowModel& model = loaded.model();
    if (const std::string problem = loaded.load(options); !problem.empty()) {
        err << "zelkora-run: " << problem << '\n';
        return kExitFailure;
    }
    std::optional<CsvFolder> csv;
    if (!openRunCsv(options.csv, csv, err)) {
        return kExitFailure;
    }
    if (!options.seed) {
        err << "シード: " << seed << '\n';
    }
    loaded.document().run(Menu::MK_Start);
    bool ok = !ui.reportedError();
    if (options.out && ok) {
        ok = writeOut(options, model, err);
    }
    if (ok) {
        out << (options.json ? jsonReport(model.fields, model.window.resultRecordCounter)
                             : textReport(model.fields, model.window.resultRecordCounter));
    }
    if (csv && ok) {
        if (Status written = writeRunCsv(*csv, model); !written.ok()) {
            reportError(err, written.error());
            ok = false;
        }
    }
    return ok ? kExitSuccess : kExitFailure;
}

} // namespace

int runVerification(std::span<const std::string_view> arguments, std::ostream& out,
                    std::ostream& err) {
    if (namesMachineFile(arguments)) {
        return runMachine(arguments, out, err);
    }
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
        case RunMode::Trials:
            return runTrials(parsed.options, out, err);
        case RunMode::Theory:
            return printTheory(parsed.options, out, err);
        case RunMode::Play:
            break;
        }
        return play(parsed.options, out, err);
    } catch (...) {
        reportError(err, errorOfCurrentException());
        return kExitFailure;
    }
}

} // namespace zelkora::cli
