#pragma once

#include "files/file_system.h"
#include "files/first_run_setup.h"
#include "shell/platform.h"
#include "temp_folder.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// Doubles for the file tests: a user interface that records every message and dialog and
// answers from a script, a splash that records its progress, a scratch folder, and a file
// system whose copies can be made to fail halfway.
namespace zelkora::test_support {

class ScriptedUi : public UserInterface {
public:
    std::vector<Message> messages;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<PointerShape> pointers;
    std::deque<MessageResult> answers;              // next message answers; Ok/Yes when empty
    std::deque<std::optional<std::string>> dialogs; // next dialog results; cancel when empty

    MessageResult showMessage(const Message& message) override {
        messages.push_back(message);
        if (!answers.empty()) {
            const MessageResult answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return message.buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
    }
    void beep() override {}
    void setPointer(PointerShape shape) override { pointers.push_back(shape); }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return nextDialog();
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return nextDialog();
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const Message& message : messages) {
            texts.push_back(message.text);
        }
        return texts;
    }

private:
    std::optional<std::string> nextDialog() {
        if (dialogs.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> result = dialogs.front();
        dialogs.pop_front();
        return result;
    }
};

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
