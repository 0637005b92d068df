#include "default_verification.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <string_view>

namespace {

// The day count a user may give a verification, 1 to 10000; empty when the text is not one.
std::optional<int> dayCount(std::string_view text) {
    int days = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), days);
    if (error != std::errc{} || end != text.data() + text.size() || days < 1 || days > 10000) {
        return std::nullopt;
    }
    return days;
}

} // namespace

// zelkora-write-default OUT.pac [DAYS]: writes the verification of samples/default.pac, played
// for DAYS days when given.
int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: zelkora-write-default OUT.pac [DAYS]\n";
        return 2;
    }
    std::optional<int> days;
    if (argc == 3) {
        days = dayCount(argv[2]);
        if (!days) {
            std::cerr << "zelkora-write-default: DAYS must be a whole number from 1 to 10000\n";
            return 2;
        }
    }
    const std::string problem = zelkora::cli::writeDefaultVerification(argv[1], days);
    if (!problem.empty()) {
        std::cerr << "zelkora-write-default: " << problem << '\n';
        return 1;
    }
    return 0;
}
