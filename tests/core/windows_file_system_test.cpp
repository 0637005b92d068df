// The file seam as Windows has it: wide paths, the replace by MoveFileExW, read-only files and
// files another program holds open. These run under wine in the Windows build's tests.
#ifdef _WIN32
#include "file_test_support.h"
#include "files/file_system.h"
#include "files/utf8_path.h"
#include "messages/error_messages.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace zelkora {
namespace {

namespace fs = std::filesystem;
using test_support::readBytes;
using test_support::ScratchFolder;
using test_support::writeBytes;

class WindowsFileSystem : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(source(), "new content of the verification");
        writeBytes(target(), "old content");
    }
    fs::path source() const { return folder.path() / "temp.pac"; }
    fs::path target() const { return folder.path() / "saved.pac"; }
    Status save() { return copyFileSafely(files, source(), target()); }

    ScratchFolder folder;
    LocalFileSystem files;
};

// A program folder whose name has characters outside any ANSI code page but Japanese, nested
// deep enough that a narrow call would have lost it twice over.
TEST_F(WindowsFileSystem, a_japanese_and_deep_folder_takes_a_save_and_gives_it_back) {
    fs::path deep = folder.path() / pathFromUtf8("ゼルコラの検証（保存用）");
    for (int level = 0; level < 6; ++level) {
        deep /= pathFromUtf8("フォルダ" + std::to_string(level) + "_長い名前のフォルダです");
    }
    ASSERT_TRUE(fs::create_directories(deep));
    const fs::path saved = deep / pathFromUtf8("定番確変315.pac");
    ASSERT_TRUE(copyFileSafely(files, source(), saved).ok());
    EXPECT_EQ(readBytes(saved), "new content of the verification");
    const fs::path back = folder.path() / pathFromUtf8("戻した.pac");
    ASSERT_TRUE(copyFileSafely(files, saved, back).ok());
    EXPECT_EQ(readBytes(back), "new content of the verification");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(saved)));
}

TEST_F(WindowsFileSystem, a_save_replaces_the_old_file_and_leaves_no_temporary_file) {
    ASSERT_TRUE(save().ok());
    EXPECT_EQ(readBytes(target()), "new content of the verification");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(target())));
    ASSERT_TRUE(files.syncFile(target()).ok());
}

TEST_F(WindowsFileSystem, a_read_only_file_is_kept_and_named_as_read_only) {
    ASSERT_NE(SetFileAttributesW(target().c_str(), FILE_ATTRIBUTE_READONLY), 0);
    const Status saved = save();
    SetFileAttributesW(target().c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().path, target());
    EXPECT_EQ(failureReason(saved.error()), "読み取り専用のファイルです。");
    EXPECT_EQ(readBytes(target()), "old content");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(target())));
}

// Another program holds the file open and shares it with no one.
class HeldOpen {
public:
    explicit HeldOpen(const fs::path& file)
        : handle_(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() { release(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE handle_;
};

TEST_F(WindowsFileSystem, a_target_another_program_holds_open_is_kept_and_said_to_be_in_use) {
    HeldOpen other(target());
    ASSERT_TRUE(other.held());
    const Status saved = save();
    other.release();
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(failureReason(saved.error()), "ファイルが使用中です。");
    EXPECT_EQ(saveFailedText(utf8FromPath(target()), saved.error()),
              "ファイル " + utf8FromPath(target()) +
                  " に保存できませんでした。ファイルが使用中です。"
                  "保存先にあったファイルはそのままです。");
    EXPECT_EQ(readBytes(target()), "old content");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(target())));
}

TEST_F(WindowsFileSystem, a_source_another_program_holds_open_is_said_to_be_in_use) {
    HeldOpen other(source());
    ASSERT_TRUE(other.held());
    const Status copied = files.copyContents(source(), folder.path() / "copy.pac");
    other.release();
    ASSERT_FALSE(copied.ok());
    EXPECT_EQ(copied.error().kind, ErrorKind::CannotRead);
    EXPECT_EQ(failureReason(copied.error()), "ファイルが使用中です。");
}

TEST_F(WindowsFileSystem, a_folder_or_a_missing_file_is_refused_as_what_it_is) {
    fs::create_directory(folder.path() / "folder.pac");
    const Status fromFolder = files.copyContents(folder.path() / "folder.pac", target());
    ASSERT_FALSE(fromFolder.ok());
    EXPECT_EQ(failureReason(fromFolder.error()), "通常のファイルではありません。");
    const Status missing = files.copyContents(folder.path() / "missing.pac", target());
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(failureReason(missing.error()), "ファイルまたはフォルダが見つかりません。");
    const Status renamed = files.rename(folder.path() / "missing.pac", target());
    ASSERT_FALSE(renamed.ok());
    EXPECT_EQ(renamed.error().kind, ErrorKind::CannotReplace);
    EXPECT_EQ(readBytes(target()), "old content");
}

} // namespace
} // namespace zelkora
#endif
