#include "run_options.h"

#include <charconv>

namespace zelkora::cli {
namespace {

template <typename T> std::optional<T> parseUnsigned(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || last != end) {
        return std::nullopt;
    }
    return value;
}

struct Parser {
    std::span<const std::string_view> arguments;
    std::size_t next = 0;
    ParsedOptions result;

    bool fail(std::string message) {
        result.error = std::move(message);
        return false;
    }

    std::optional<std::string_view> value(std::string_view option) {
        if (next >= arguments.size()) {
            fail(std::string(option) + " needs a value");
            return std::nullopt;
        }
        return arguments[next++];
    }

    bool option(std::string_view name) {
        RunOptions& options = result.options;
        if (name == "--rebuild" || name == "--setup") {
            if (options.mode != RunMode::Play) {
                return fail("--rebuild and --setup exclude each other");
            }
            options.mode = name == "--rebuild" ? RunMode::Rebuild : RunMode::Setup;
        } else if (name == "--prob") {
            options.probabilityConvergence = true;
        } else if (name == "--pic") {
            options.symbolConvergence = true;
        } else if (name == "--json") {
            options.json = true;
        } else if (name == "--seed") {
            const auto text = value(name);
            if (!text) {
                return false;
            }
            options.seed = parseUnsigned<std::uint64_t>(*text);
            if (!options.seed) {
                return fail("--seed needs an unsigned 64-bit number");
            }
        } else if (name == "--countdown") {
            const auto text = value(name);
            const auto countdown = text ? parseUnsigned<unsigned>(*text) : std::nullopt;
            if (!countdown || *countdown < 1 || *countdown > 1000) {
                return result.error.empty() ? fail("--countdown needs a number from 1 to 1000")
                                            : false;
            }
            options.countdown = static_cast<int>(*countdown);
        } else if (name == "--out") {
            const auto text = value(name);
            if (!text || text->empty()) {
                return result.error.empty() ? fail("--out needs a file name") : false;
            }
            options.out = std::string(*text);
        } else {
            return fail("unknown option " + std::string(name));
        }
        return true;
    }

    bool argument(std::string_view text) {
        if (text.starts_with("--")) {
            return option(text);
        }
        if (!result.options.file.empty()) {
            return fail("more than one verification file");
        }
        if (text.empty()) {
            return fail("empty file name");
        }
        result.options.file = std::string(text);
        return true;
    }
};

} // namespace

ParsedOptions parseRunOptions(std::span<const std::string_view> arguments) {
    Parser parser{arguments, 0, {}};
    while (parser.next < arguments.size()) {
        if (!parser.argument(arguments[parser.next++])) {
            return parser.result;
        }
    }
    const RunOptions& options = parser.result.options;
    if (options.mode == RunMode::Setup && !options.file.empty()) {
        parser.fail("--setup takes no file");
    } else if (options.mode != RunMode::Setup && options.file.empty()) {
        parser.fail("no verification file");
    } else if (options.mode != RunMode::Play && options.out) {
        parser.fail("--out only goes with a run");
    }
    return parser.result;
}

} // namespace zelkora::cli
