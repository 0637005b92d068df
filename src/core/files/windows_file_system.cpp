// The local file system on Windows: every path goes to the wide (UTF-16) calls, so a Japanese or
// long program folder works whatever the system's ANSI code page, and a replace is one
// MoveFileExW that reaches the disk before it returns.
#ifdef _WIN32
#include "files/file_system.h"
#include "files/windows_errors.h"

#include <array>
#include <utility>
#include <windows.h>

namespace zelkora {

namespace fs = std::filesystem;

namespace {

Status failure(ErrorKind kind, const fs::path& path, std::error_code system) {
    Error error{kind};
    error.path = path;
    error.system = system;
    return error;
}

std::error_code lastError() {
    return windowsErrorCode(GetLastError());
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now, so a write the system held back can still report its failure.
    bool close() { return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool isReadOnly(const fs::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Windows says "access denied" both for a file marked read-only and for a file another program
// holds open; the user needs to know which.
std::error_code whyNotReplaced(const fs::path& target, std::error_code system) {
    if (system != std::errc::permission_denied) {
        return system;
    }
    if (isReadOnly(target)) {
        return make_error_code(FileRefusal::ReadOnlyFile);
    }
    const Handle probe(CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.valid() && GetLastError() == ERROR_SHARING_VIOLATION) {
        return std::make_error_code(std::errc::device_or_resource_busy);
    }
    return system;
}

Status copyBetween(HANDLE source, const fs::path& from, HANDLE target, const fs::path& to) {
    std::array<char, std::size_t{1} << 16U> buffer{};
    for (;;) {
        DWORD read = 0;
        if (ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) ==
            0) {
            return failure(ErrorKind::CannotRead, from, lastError());
        }
        if (read == 0) {
            return {};
        }
        DWORD offset = 0;
        while (offset < read) {
            DWORD written = 0;
            if (WriteFile(target, buffer.data() + offset, read - offset, &written, nullptr) == 0 ||
                written == 0) {
                return failure(ErrorKind::CannotWrite, to, lastError());
            }
            offset += written;
        }
    }
}

} // namespace

Status LocalFileSystem::copyContents(const fs::path& from, const fs::path& to) {
    const Handle source(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source.valid()) {
        const std::error_code error = lastError();
        std::error_code ignored;
        if (fs::is_directory(from, ignored)) {
            return failure(ErrorKind::CannotOpen, from, FileRefusal::NotRegularFile);
        }
        return failure(ErrorKind::CannotRead, from, error);
    }
    // A device or a pipe opens too; only a file on a disk is copied.
    if (GetFileType(source.get()) != FILE_TYPE_DISK) {
        return failure(ErrorKind::CannotOpen, from, FileRefusal::NotRegularFile);
    }
    Handle target(CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.valid()) {
        return failure(ErrorKind::CannotWrite, to, whyNotReplaced(to, lastError()));
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
    // Windows refuses to replace a read-only file, but not every file system it mounts does:
    // the mark is honoured here, so a file the user protected is never replaced.
    if (isReadOnly(to)) {
        return failure(ErrorKind::CannotReplace, to, make_error_code(FileRefusal::ReadOnlyFile));
    }
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ==
        0) {
        return failure(ErrorKind::CannotReplace, to, whyNotReplaced(to, lastError()));
    }
    return {};
}

Status LocalFileSystem::remove(const fs::path& file) {
    if (DeleteFileW(file.c_str()) == 0) {
        return failure(ErrorKind::CannotRemove, file, whyNotReplaced(file, lastError()));
    }
    return {};
}

Status LocalFileSystem::syncFile(const fs::path& file) {
    const Handle handle(CreateFileW(file.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) {
        return failure(ErrorKind::CannotWrite, file, lastError());
    }
    if (FlushFileBuffers(handle.get()) == 0) {
        return failure(ErrorKind::CannotWrite, file, lastError());
    }
    return {};
}

// A folder cannot be flushed on Windows without backup privileges; the rename into it was made
// with MOVEFILE_WRITE_THROUGH, which returns only once the move is on the disk.
Status LocalFileSystem::syncFolder(const fs::path&) {
    return {};
}

} // namespace zelkora
#endif
