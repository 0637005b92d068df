#pragma once

#include "common/error.h"

#include <filesystem>

namespace zelkora {

// The whole-file operations the file commands and the setup perform. The program uses the local
// file system; tests derive from it to make one step fail (a full disk, a vanished source) and
// check that nothing was lost.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Writes a byte-for-byte copy of `from` at `to`, replacing what was there. May leave a
    // partial `to` behind when it fails. A `from` that is not a regular file (a pipe, a device)
    // is refused without waiting for it.
    virtual Status copyContents(const std::filesystem::path& from,
                                const std::filesystem::path& to) = 0;
    // Moves `from` to `to` in one step, replacing `to`.
    virtual Status rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual Status remove(const std::filesystem::path& file) = 0;
    // Makes the file's bytes, or a folder's entries (a rename into it), reach the disk, so a
    // power cut after a save cannot take the save back.
    virtual Status syncFile(const std::filesystem::path& file) = 0;
    virtual Status syncFolder(const std::filesystem::path& folder) = 0;
};

} // namespace zelkora
