#pragma once

#include "commands/first_run_setup.h"
#include "files/file_system.h"
#include "platform/platform.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// Helpers for the file tests: the messages and dialogs a recording user interface saw, a splash
// that records its progress, a scratch folder, and a file system whose copies can be made to
// fail halfway.
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

// Copies stop after half the bytes with "no space left", as on a full disk; a rename can be
// made to fail too.
class FailingFileSystem : public LocalFileSystem {
public:
    bool failCopies = false;
    bool failRenames = false;
    std::error_code copyContents(const std::filesystem::path& from,
                                 const std::filesystem::path& to) override {
        if (!failCopies) {
            return LocalFileSystem::copyContents(from, to);
        }
        const std::string bytes = readBytes(from);
        writeBytes(to, bytes.substr(0, bytes.size() / 2));
        return std::make_error_code(std::errc::no_space_on_device);
    }
    std::error_code rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override {
        if (failRenames) {
            return std::make_error_code(std::errc::read_only_file_system);
        }
        return LocalFileSystem::rename(from, to);
    }
};

} // namespace zelkora::test_support
