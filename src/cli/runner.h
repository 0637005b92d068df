#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace zelkora::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // unreadable file, no conditions, a run that failed
inline constexpr int kExitUsage = 2;

// zelkora-run: plays the verification of a file headless, as the window's Start would, and
// reports its figures. The arguments follow the program name.
int runVerification(std::span<const std::string_view> arguments, std::ostream& out,
                    std::ostream& err);

} // namespace zelkora::cli
