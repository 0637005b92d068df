#include "files/file_system.h"

#include <array>
#include <utility>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelkora {

namespace fs = std::filesystem;

namespace {

// As many links as Linux follows before it reports a loop.
constexpr int kMostLinksFollowed = 40;

Status failure(ErrorKind kind, const fs::path& path, std::error_code system) {
    Error error{kind};
    error.path = path;
    error.system = system;
    return error;
}

#ifndef _WIN32
std::error_code lastError() {
    return {errno, std::generic_category()};
}

// fsync on a descriptor opened read-only: enough for a file's data and for a folder's entries.
Status syncPath(const fs::path& path, bool folder) {
    const int flags = O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0);
    const int descriptor = ::open(path.c_str(), flags);
    if (descriptor < 0) {
        return failure(ErrorKind::CannotWrite, path, lastError());
    }
    const int synced = ::fsync(descriptor);
    const std::error_code syncError = lastError();
    ::close(descriptor);
    if (synced != 0) {
        return failure(ErrorKind::CannotWrite, path, syncError);
    }
    return {};
}

class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }
    // Closes now, so a write the system held back can still report its failure.
    bool close() { return ::close(std::exchange(descriptor_, -1)) == 0; }

private:
    int descriptor_;
};

Status writeAll(int descriptor, const char* bytes, std::size_t length, const fs::path& to) {
    while (length > 0) {
        const ssize_t written = ::write(descriptor, bytes, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return failure(ErrorKind::CannotWrite, to,
                           written < 0 ? lastError() : std::make_error_code(std::errc::io_error));
        }
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
    return {};
}

// Each failure names the side that failed with the system's own reason, so a full disk or a
// file-size limit is told as such rather than as a failed read.
Status copyBetween(int source, const fs::path& from, int target, const fs::path& to) {
    std::array<char, std::size_t{1} << 16U> buffer{};
    for (;;) {
        const ssize_t read = ::read(source, buffer.data(), buffer.size());
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            return failure(ErrorKind::CannotRead, from, lastError());
        }
        if (read == 0) {
            return {};
        }
        if (Status written = writeAll(target, buffer.data(), static_cast<std::size_t>(read), to);
            !written.ok()) {
            return written;
        }
    }
}
#endif

} // namespace

#ifndef _WIN32 // Windows: windows_file_system.cpp
Status LocalFileSystem::copyContents(const fs::path& from, const fs::path& to) {
    // Opened without waiting: a pipe given as the source would otherwise block until someone
    // writes to it. The check on the open descriptor holds whatever the name meant a moment ago.
    const Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (source.get() < 0) {
        return failure(ErrorKind::CannotRead, from, lastError());
    }
    struct stat information {};
    if (::fstat(source.get(), &information) != 0) {
        return failure(ErrorKind::CannotRead, from, lastError());
    }
    if (!S_ISREG(information.st_mode)) {
        return failure(ErrorKind::CannotOpen, from, FileRefusal::NotRegularFile);
    }
    constexpr mode_t kReadWrite = S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH;
    Descriptor target(
        ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, kReadWrite));
    if (target.get() < 0) {
        return failure(ErrorKind::CannotWrite, to, lastError());
    }
    if (Status copied = copyBetween(source.get(), from, target.get(), to); !copied.ok()) {
        return copied;
    }
    if (!target.close()) {
        return failure(ErrorKind::CannotWrite, to, lastError());
    }
    return {};
}

Status LocalFileSystem::rename(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) {
        return failure(ErrorKind::CannotReplace, to, error);
    }
    return {};
}

Status LocalFileSystem::remove(const fs::path& file) {
    std::error_code error;
    if (!fs::remove(file, error) && !error) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    }
    if (error) {
        return failure(ErrorKind::CannotRemove, file, error);
    }
    return {};
}

Status LocalFileSystem::syncFile(const fs::path& file) {
    return syncPath(file, false);
}

Status LocalFileSystem::syncFolder(const fs::path& folder) {
    return syncPath(folder, true);
}
#endif

fs::path temporaryCopyPath(const fs::path& target) {
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on "." + name + ".partial".
    fs::path name(".");
    name += target.filename();
    name += ".partial";
    fs::path temporary = target;
    temporary.replace_filename(name);
    return temporary;
}

Result<fs::path> writeTargetOf(const fs::path& target) {
    fs::path current = target;
    for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(current, error);
        if (status.type() == fs::file_type::not_found) {
            return current; // a new file, or the missing file a link names: made by the write
        }
        if (error) {
            return failure(ErrorKind::CannotWrite, target, error).error();
        }
        if (fs::is_regular_file(status)) {
            return current;
        }
        if (!fs::is_symlink(status)) {
            return failure(ErrorKind::CannotWrite, target, FileRefusal::NotRegularFile).error();
        }
        const fs::path next = fs::read_symlink(current, error);
        if (error) {
            return failure(ErrorKind::CannotWrite, target, error).error();
        }
        // A relative link is relative to the folder that holds it.
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return failure(ErrorKind::CannotWrite, target,
                   std::make_error_code(std::errc::too_many_symbolic_link_levels))
        .error();
}

Status checkRegularFile(const fs::path& file) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error) {
        return failure(ErrorKind::CannotOpen, file, error);
    }
    if (!fs::is_regular_file(status)) {
        return failure(ErrorKind::CannotOpen, file, FileRefusal::NotRegularFile);
    }
    return {};
}

bool isSameFile(const fs::path& first, const fs::path& second) {
    std::error_code error;
    const bool same = fs::equivalent(first, second, error);
    return same && !error;
}

Status replaceFileSafely(FileSystem& files, const fs::path& given, const TemporaryWriter& write) {
    Result<fs::path> resolved = writeTargetOf(given);
    if (!resolved.ok()) {
        return std::move(resolved).error();
    }
    const fs::path& target = resolved.value();
    const fs::path temporary = temporaryCopyPath(target);
    std::error_code ignored;
    fs::remove(temporary, ignored); // a leftover of an earlier failure
    Status status = write(temporary);
    if (status.ok()) {
        status = files.syncFile(temporary);
    }
    if (status.ok()) {
        status = files.rename(temporary, target);
    }
    if (!status.ok()) {
        fs::remove(temporary, ignored);
        // The temporary file is the program's own business: the user asked for the target.
        if (status.error().path == temporary) {
            status.error().path = target;
        }
        return status;
    }
    // The new content is in place, so the target is no longer the old file whatever follows.
    // Some file systems refuse to sync a folder; the rename then reaches the disk on the
    // system's own schedule, which is no reason to tell the user the save failed.
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    static_cast<void>(files.syncFolder(folder));
    return {};
}

Status copyFileSafely(FileSystem& files, const fs::path& from, const fs::path& to) {
    if (Status regular = checkRegularFile(from); !regular.ok()) {
        return regular;
    }
    if (isSameFile(from, to)) {
        return {};
    }
    return replaceFileSafely(
        files, to, [&](const fs::path& temporary) { return files.copyContents(from, temporary); });
}

} // namespace zelkora
