#pragma once

#include <cstdint>
#include <system_error>

namespace zelkora {

// A Windows error code (GetLastError) as the portable condition the Japanese reasons are kept
// by: a sharing or lock violation (another program holds the file open) is a busy file, a full
// disk is a full disk, and so on. A code without such a condition stays a Windows code, told by
// its number.
std::error_code windowsErrorCode(std::uint32_t code);

} // namespace zelkora
