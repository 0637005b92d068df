#pragma once

#include "common/error.h"
#include "platform/file_system.h"

#include <filesystem>
#include <functional>

namespace zelkora {

class LocalFileSystem : public FileSystem {
public:
    Status copyContents(const std::filesystem::path& from,
                        const std::filesystem::path& to) override;
    Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    Status remove(const std::filesystem::path& file) override;
    Status syncFile(const std::filesystem::path& file) override;
    Status syncFolder(const std::filesystem::path& folder) override;
};

// Writes `target` anew so that it is never half-written: `write` fills a temporary file beside
// it, which reaches the disk before it replaces `target` in one rename, after which the folder
// is synced so the rename reaches the disk too. On failure `target` keeps its old content and
// the temporary file is removed. A `target` that is a symbolic link is written through: the
// file it leads to gets the new content and the link stays (writeTargetOf). Anything but a
// regular file at `target` (a folder, a device, a pipe) is refused before anything is written.
using TemporaryWriter = std::function<Status(const std::filesystem::path& temporary)>;
Status replaceFileSafely(FileSystem& files, const std::filesystem::path& target,
                         const TemporaryWriter& write);

// Copies `from` over `to` with replaceFileSafely. Copying a file onto itself (the same file
// under another name included) succeeds without touching it. A `from` that is missing or not a
// regular file is refused before anything is written (CannotOpen, naming `from`).
Status copyFileSafely(FileSystem& files, const std::filesystem::path& from,
                      const std::filesystem::path& to);

// The temporary file replaceFileSafely writes before it renames.
std::filesystem::path temporaryCopyPath(const std::filesystem::path& target);

// The file a write to `target` must replace: `target` itself, or the file its chain of symbolic
// links ends at (which need not exist yet), so a save through a link updates the file the link
// names, as editors do. Fails (CannotWrite, naming `target`) on a loop of links and when the
// chain ends at anything but a regular file.
Result<std::filesystem::path> writeTargetOf(const std::filesystem::path& target);

// Succeeds when `file` leads to a regular file (through links); otherwise the reason: missing,
// a loop of links, access denied, or NotRegularFile (CannotOpen, naming `file`).
Status checkRegularFile(const std::filesystem::path& file);

// True when both names lead to the same existing file.
bool isSameFile(const std::filesystem::path& first, const std::filesystem::path& second);

} // namespace zelkora
