#pragma once

#include <filesystem>
#include <system_error>

namespace zelkora {

// The whole-file operations the file commands and the setup perform. The program uses the local
// file system; tests derive from it to make one step fail (a full disk, a vanished source) and
// check that nothing was lost.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Writes a byte-for-byte copy of `from` at `to`, replacing what was there. May leave a
    // partial `to` behind when it fails.
    virtual std::error_code copyContents(const std::filesystem::path& from,
                                         const std::filesystem::path& to) = 0;
    // Moves `from` to `to` in one step, replacing `to`.
    virtual std::error_code rename(const std::filesystem::path& from,
                                   const std::filesystem::path& to) = 0;
    virtual std::error_code remove(const std::filesystem::path& file) = 0;
};

class LocalFileSystem : public FileSystem {
public:
    std::error_code copyContents(const std::filesystem::path& from,
                                 const std::filesystem::path& to) override;
    std::error_code rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override;
    std::error_code remove(const std::filesystem::path& file) override;
};

// Copies `from` over `to` so that `to` is never half-written: the bytes go to a temporary file
// beside `to`, which then replaces `to` in one rename. On failure `to` keeps its old content
// and the temporary file is removed. Copying a file onto itself (the same file under another
// name included) succeeds without touching it.
std::error_code copyFileSafely(FileSystem& files, const std::filesystem::path& from,
                               const std::filesystem::path& to);

// The temporary file copyFileSafely writes before it renames.
std::filesystem::path temporaryCopyPath(const std::filesystem::path& target);

// True when both names lead to the same existing file.
bool isSameFile(const std::filesystem::path& first, const std::filesystem::path& second);

} // namespace zelkora
