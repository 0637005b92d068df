#pragma once

#include <filesystem>
#include <string>

namespace zelkora::cli {

// Writes a verification with the program's defaults (the condition set's defaults, the two
// default symbols, the default schedule and rules) as the wizard's Finish lays it out: record
// 99 cleared, records 100 and 98, the symbol records and blank symbol records up to 50.
// Returns the problem, empty on success.
std::string writeDefaultVerification(const std::filesystem::path& path);

} // namespace zelkora::cli
