#pragma once

#include "common/error.h"
#include "files/file_system.h"

#include <cstdint>
#include <filesystem>

// What Open and the runner take in as a verification, checked before a byte of it is copied.
namespace zelkora {

// The most bytes a verification file can hold: every 200-byte record the record file can
// address. A larger file cannot be read to its end, so copying it would only fill the disk.
std::uint64_t largestVerificationSize();

// Refuses what cannot be a verification: a name that leads to no regular file (missing, a
// folder, a device, a pipe, a loop of links) or a file larger than the largest verification
// (CannotOpen naming `file`, with FileRefusal::LargerThanVerification and the size as number).
Status checkVerificationInput(const std::filesystem::path& file);

// Open's copy: `file` checked, then copied over the working copy with copyFileSafely.
Status copyVerificationIn(FileSystem& files, const std::filesystem::path& file,
                          const std::filesystem::path& workingCopy);

} // namespace zelkora
