// Parses arbitrary command lines of zelkora-run: the input's bytes split at each NUL into the
// arguments. Parsing must give either options, a help or version text, or a reason, never crash
// or accept a value outside its range.
#include "run_options.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zelkora::cli;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t end = bytes.find('\0'); start <= bytes.size(); end = bytes.find('\0', start)) {
        words.emplace_back(bytes.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    const std::vector<std::string_view> arguments(words.begin(), words.end());
    const ParsedOptions parsed = parseRunOptions(arguments);
    if (!parsed.error.empty() || !parsed.request.empty()) {
        return 0;
    }
    const RunOptions& options = parsed.options;
    const bool inRange = options.countdown >= 1 && options.countdown <= 1000 &&
                         options.trials >= 0 && options.trials <= kMostTrials &&
                         options.threads >= 0 && options.threads <= kMostThreads &&
                         (!options.campaign || *options.campaign >= 1);
    const bool needsFile = options.mode != RunMode::Setup;
    if (!inRange || (needsFile && options.file.empty())) {
        std::abort(); // accepted a command line the runner cannot play
    }
    return 0;
}
