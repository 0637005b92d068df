#include "working_folder.h"

#include "files/file_system.h"
#include "files/utf8_path.h"
#include "model/main_window_model.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelkora::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "zelkora-run-";

#ifndef _WIN32
// A lock on the folder itself, held until the process ends, however it ends.
int lockFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0 && ::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

bool processIsGone(long process) {
    return process > 0 && ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

bool ownedByThisUser(const fs::path& folder) {
    struct stat information {};
    return ::lstat(folder.c_str(), &information) == 0 && S_ISDIR(information.st_mode) &&
           information.st_uid == ::getuid();
}

long currentProcess() {
    return static_cast<long>(::getpid());
}
#else
int lockFolder(const fs::path&) {
    return -1;
}
bool processIsGone(long) {
    return false;
}
bool ownedByThisUser(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(fs::symlink_status(folder, error));
}
long currentProcess() {
    return 0;
}
#endif

// The process of a name "zelkora-run-PID-N", or nothing for an earlier version's
// "zelkora-run-N".
std::optional<long> processOfName(std::string_view name) {
    name.remove_prefix(kPrefix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    long process = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dash, process);
    if (error != std::errc() || end != name.data() + dash) {
        return std::nullopt;
    }
    return process;
}

bool untouchedFor(const fs::path& folder, std::chrono::hours age) {
    std::error_code error;
    fs::file_time_type newest = fs::last_write_time(folder, error);
    if (error) {
        return false;
    }
    for (fs::directory_iterator entry(folder, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        std::error_code ignored;
        newest = std::max(newest, entry->last_write_time(ignored));
    }
    return !error && fs::file_time_type::clock::now() - newest > age;
}

bool isStale(const fs::path& folder, std::string_view name) {
    if (!ownedByThisUser(folder)) {
        return false;
    }
    const std::optional<long> process = processOfName(name);
    if (!process) {
        return untouchedFor(folder, kOldFolderAge);
    }
    return processIsGone(*process);
}

} // namespace

int sweepStaleWorkingFolders(const fs::path& base) {
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator entry(base, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (!name.starts_with(kPrefix) || !isStale(entry->path(), name)) {
            continue;
        }
        // A live run holds its folder's lock; taking it proves the run is gone, and holding it
        // while the folder goes keeps two sweeps from racing.
        [[maybe_unused]] const int lock = lockFolder(entry->path());
#ifndef _WIN32
        if (lock < 0) {
            continue;
        }
#endif
        std::error_code ignored;
        if (fs::remove_all(entry->path(), ignored) > 0) {
            ++removed;
        }
#ifndef _WIN32
        ::close(lock);
#endif
    }
    return removed;
}

Status WorkingFolder::create() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) {
        // The folder TMPDIR names, as the system would have used it.
        const char* named = std::getenv("TMPDIR");
        return Error{ErrorKind::CannotWrite}
            .inFile(named != nullptr ? fs::path(named) : fs::path("/tmp"))
            .because(error);
    }
    sweepStaleWorkingFolders(base);
    std::random_device random;
    for (;;) {
        const fs::path candidate = base / (std::string(kPrefix) + std::to_string(currentProcess()) +
                                           "-" + std::to_string(random()));
        if (fs::create_directory(candidate, error)) {
            path_ = candidate;
            break;
        }
        if (error) {
            return Error{ErrorKind::CannotWrite}.inFile(base).because(error);
        }
    }
    lock_ = lockFolder(path_);
    const fs::path workingCopy = path_ / kWorkingCopyName;
    for (const fs::path& file : {workingCopy, temporaryCopyPath(workingCopy)}) {
        removedOnSignal_.push_back(std::make_unique<RemovedOnSignal>(file, RemovedKind::File));
    }
    removedOnSignal_.push_back(std::make_unique<RemovedOnSignal>(path_, RemovedKind::EmptyFolder));
    return {};
}

WorkingFolder::~WorkingFolder() {
    removedOnSignal_.clear();
    if (!path_.empty()) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
#ifndef _WIN32
    if (lock_ >= 0) {
        ::close(lock_);
    }
#endif
}

} // namespace zelkora::cli
