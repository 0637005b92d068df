#pragma once

#include "commands/first_run_setup.h"
#include "files/file_system.h"
#include "platform/platform.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

// Helpers for the file tests: the messages and dialogs a recording user interface saw, a splash
// that records its progress, a scratch folder, and a file system whose calls can be made to
// fail.
namespace zelkora::test_support {

inline std::vector<std::string> messageTexts(const testing::RecordingUserInterface& ui) {
    std::vector<std::string> texts;
    for (const Message& message : ui.messages) {
        texts.push_back(message.text);
    }
    return texts;
}

// The dialogs shown with the given title ("ファイルを開く", "ファイルを保存").
inline std::vector<FileDialogRequest> dialogsTitled(const testing::RecordingUserInterface& ui,
                                                    std::string_view title) {
    std::vector<FileDialogRequest> shown;
    for (const FileDialogRequest& request : ui.dialogs) {
        if (request.title == title) {
            shown.push_back(request);
        }
    }
    return shown;
}

class RecordingSplash : public SplashView {
public:
    std::vector<int> progress;
    int shown = 0;
    int closed = 0;
    void show() override { ++shown; }
    void setProgress(int percent) override { progress.push_back(percent); }
    void close() override { ++closed; }
};

// The shared scratch folder, addressed as a whole.
class ScratchFolder {
public:
    const std::filesystem::path& path() const { return path_; }

private:
    testing::TempFolder folder_;
    std::filesystem::path path_ = folder_.file("unused").parent_path();
};

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A file system whose calls can be made to fail: every call is logged as "copy", "sync",
// "rename", "sync folder" or "remove", so a test can check the order in which a save reaches the
// disk, and a call fails when its flag is set, when it is the failAtCall-th call (from 1) or
// when it is of the kind failKind. A failing copy stops after half the bytes with "no space
// left" on the file it writes, as on a full disk; a failing rename, remove or sync changes
// nothing.
class FailingFileSystem : public LocalFileSystem {
public:
    bool failCopies = false;
    bool failRenames = false;
    bool failSyncs = false;
    std::size_t failAtCall = 0; // 0: no call fails by its number
    std::string failKind;       // empty: no call fails by its kind
    std::vector<std::string> calls;

    Status copyContents(const std::filesystem::path& from,
                        const std::filesystem::path& to) override {
        if (!fails("copy", failCopies)) {
            return LocalFileSystem::copyContents(from, to);
        }
        const std::string bytes = readBytes(from);
        writeBytes(to, bytes.substr(0, bytes.size() / 2));
        return Error{ErrorKind::CannotWrite}.inFile(to).because(
            std::make_error_code(std::errc::no_space_on_device));
    }
    Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (fails("rename", failRenames)) {
            return Error{ErrorKind::CannotReplace}.inFile(to).because(
                std::make_error_code(std::errc::read_only_file_system));
        }
        return LocalFileSystem::rename(from, to);
    }
    Status remove(const std::filesystem::path& file) override {
        if (fails("remove", false)) {
            return Error{ErrorKind::CannotRemove}.inFile(file).because(
                std::make_error_code(std::errc::permission_denied));
        }
        return LocalFileSystem::remove(file);
    }
    Status syncFile(const std::filesystem::path& file) override {
        if (fails("sync", failSyncs)) {
            return Error{ErrorKind::CannotWrite}.inFile(file).because(
                std::make_error_code(std::errc::io_error));
        }
        return LocalFileSystem::syncFile(file);
    }
    Status syncFolder(const std::filesystem::path& folder) override {
        if (fails("sync folder", false)) {
            return Error{ErrorKind::CannotWrite}.inFile(folder).because(
                std::make_error_code(std::errc::io_error));
        }
        return LocalFileSystem::syncFolder(folder);
    }

private:
    bool fails(std::string_view kind, bool flag) {
        calls.emplace_back(kind);
        return flag || calls.size() == failAtCall || kind == failKind;
    }
};

#ifdef _WIN32
// Windows has no limit on a process's file sizes to fill the disk with: the tests that need one
// run on the other systems.
#define ZELKORA_NEEDS_FILE_SIZE_LIMIT() GTEST_SKIP() << "no file-size limit on Windows"

class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t) {}
    bool set() const { return false; }
};
#else
#define ZELKORA_NEEDS_FILE_SIZE_LIMIT() static_cast<void>(0)

// The process may not make files larger than `bytes`, as on a disk that fills up there; a write
// beyond it fails (EFBIG) instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = static_cast<rlim_t>(bytes);
        set_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool set() const { return set_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool set_ = false;
};
#endif

} // namespace zelkora::test_support
