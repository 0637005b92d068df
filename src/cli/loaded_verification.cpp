#include "loaded_verification.h"

#include "files/utf8_path.h"
#include "messages/error_messages.h"

#include <random>

namespace zelkora::cli {

LoadedVerification::LoadedVerification(UserInterface& ui, int countdown,
                                       std::unique_ptr<RandomSource> source)
    : platform_(ui, countdown, std::move(source)), document_(model_, platform_.seams()) {}

LoadedVerification::~LoadedVerification() = default;

std::string LoadedVerification::load(const RunOptions& options) {
    if (Status made = folder_.create(); !made.ok()) {
        return workingFolderFailedText(made.error());
    }
    model_.programFolder = folder_.path();
    const OpenCopyOutcome opened = document_.load(pathFromUtf8(options.file));
    switch (opened.outcome) {
    case OpenCopy::Copied:
        break;
    case OpenCopy::Failed:
        return openFailedText(options.file, opened.error);
    case OpenCopy::Refused:
        return loadFailedMessage(options.file, opened.error).text;
    }
    if (options.probabilityConvergence) {
        document_.run(Menu::MO_Prob);
    }
    if (options.symbolConvergence) {
        document_.run(Menu::MO_Pic);
    }
    return {};
}

std::uint64_t seedOf(const RunOptions& options) {
    if (options.seed) {
        return *options.seed;
    }
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32U) | device();
}

std::uint64_t seedFor(const RunOptions& options, std::ostream& err) {
    const std::uint64_t seed = seedOf(options);
    if (!options.seed) {
        err << "シード: " << seed << '\n';
    }
    return seed;
}

} // namespace zelkora::cli
