#pragma once

#include "common/error.h"
#include "termination_cleanup.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

namespace zelkora::cli {

// A fresh folder under the system's temporary folder for a working copy, named
// zelkora-run-PID-N, removed with its content at the end, on SIGINT and on SIGTERM. While the
// process lives it holds a lock on the folder, by which a later run tells a folder left by a
// killed one (SIGKILL, a power cut) from a folder in use, and removes it.
class WorkingFolder {
public:
    WorkingFolder() = default;
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // Sweeps the folders of dead runs, then makes this one. Fails (CannotWrite naming the
    // temporary folder, with the system's reason) when the temporary folder is missing, is not
    // a folder or cannot be written.
    Status create();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    int lock_ = -1;
    std::vector<std::unique_ptr<RemovedOnSignal>> removedOnSignal_;
};

// How long a folder of an earlier version, which named its folders without the process and
// took no lock, must have lain untouched before a sweep takes it for a leftover.
inline constexpr std::chrono::hours kOldFolderAge{24};

// Removes the working folders under `base` that no live run holds: a folder whose lock can be
// taken and whose process is gone, or an earlier version's folder older than kOldFolderAge.
// Only folders of this user are touched, never a link. Returns how many were removed.
int sweepStaleWorkingFolders(const std::filesystem::path& base);

} // namespace zelkora::cli
