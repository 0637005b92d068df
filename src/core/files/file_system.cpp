#include "files/file_system.h"

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zelkora {

namespace fs = std::filesystem;

namespace {

Status failure(ErrorKind kind, const fs::path& path, std::error_code system) {
    Error error{kind};
    error.path = path;
    error.system = system;
    return error;
}

// fsync on a descriptor opened read-only: enough for a file's data and for a folder's entries.
Status syncPath(const fs::path& path, [[maybe_unused]] bool folder) {
#ifdef _WIN32
    // NTFS keeps a rename and the file's data in its journal; there is no folder handle to sync.
    static_cast<void>(path);
    return {};
#else
    const int flags = O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0);
    const int descriptor = ::open(path.c_str(), flags);
    if (descriptor < 0) {
        return failure(ErrorKind::CannotWrite, path, {errno, std::generic_category()});
    }
    const int synced = ::fsync(descriptor);
    const std::error_code syncError{errno, std::generic_category()};
    ::close(descriptor);
    if (synced != 0) {
        return failure(ErrorKind::CannotWrite, path, syncError);
    }
    return {};
#endif
}

} // namespace

Status LocalFileSystem::copyContents(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error) {
        return failure(ErrorKind::CannotCopy, from, error);
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

fs::path temporaryCopyPath(const fs::path& target) {
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on "." + name + ".partial".
    fs::path name(".");
    name += target.filename();
    name += ".partial";
    fs::path temporary = target;
    temporary.replace_filename(name);
    return temporary;
}

bool isSameFile(const fs::path& first, const fs::path& second) {
    std::error_code error;
    const bool same = fs::equivalent(first, second, error);
    return same && !error;
}

Status replaceFileSafely(FileSystem& files, const fs::path& target, const TemporaryWriter& write) {
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
    if (isSameFile(from, to)) {
        return {};
    }
    return replaceFileSafely(
        files, to, [&](const fs::path& temporary) { return files.copyContents(from, temporary); });
}

} // namespace zelkora
