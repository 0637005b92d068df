#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace zelkora::cli {

inline constexpr std::string_view kMachineUsage =
    "usage: zelkora-run MACHINE.json [--seed N] [--json]\n"
    "       zelkora-run MACHINE.json --trials K [--threads J] [--seed N] [--csv DIR] [--json]\n"
    "       zelkora-run MACHINE.json --theory [--held-share P] [--json]\n"
    "       zelkora-run MACHINE.json --from-count C [--json]\n"
    "       zelkora-run --convert CLASSIC.pac MACHINE.json\n";

// Whether the command line is about a machine file (a .json file, or --convert).
bool namesMachineFile(std::span<const std::string_view> arguments);

// zelkora-run on a machine file: plays its campaign once or K times, or gives its exact theory or
// the expected value of playing from a 遊タイム count; --convert writes a classic verification as a
// machine file.
int runMachine(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err);

} // namespace zelkora::cli
