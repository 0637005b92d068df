#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zelkora::cli {

// Writes a verification with the program's defaults (the condition set's defaults, the two
// default symbols, the default schedule and rules) as the wizard's Finish lays it out: record
// 99 cleared, records 100 and 98, the symbol records and blank symbol records up to 50.
// With `days`, the verification plays that many days instead of the default's. Returns the
// problem, empty on success.
std::string writeDefaultVerification(const std::filesystem::path& path,
                                     std::optional<int> days = std::nullopt);

} // namespace zelkora::cli
