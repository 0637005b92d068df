#include "file_test_support.h"
#include "files/file_system.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace zelkora {
namespace {

namespace fs = std::filesystem;
using test_support::FailingFileSystem;
using test_support::readBytes;
using test_support::ScratchFolder;
using test_support::writeBytes;

class SafeCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(source(), "new content of the verification");
        writeBytes(target(), "old content");
    }
    fs::path source() const { return folder.path() / "temp.pac"; }
    fs::path target() const { return folder.path() / "saved.pac"; }

    ScratchFolder folder;
    FailingFileSystem files;
};

TEST_F(SafeCopyTest, replaces_the_target_and_leaves_no_temporary_file) {
    EXPECT_TRUE(copyFileSafely(files, source(), target()).ok());
    EXPECT_EQ(readBytes(target()), "new content of the verification");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(target())));
}

TEST_F(SafeCopyTest, the_copy_reaches_the_disk_before_it_replaces_the_target) {
    ASSERT_TRUE(copyFileSafely(files, source(), target()).ok());
    EXPECT_EQ(files.calls, (std::vector<std::string>{"copy", "sync", "rename", "sync folder"}));
}

TEST_F(SafeCopyTest, a_sync_that_fails_leaves_the_old_file_and_says_so) {
    files.failSyncs = true;
    const Status copied = copyFileSafely(files, source(), target());
    ASSERT_FALSE(copied.ok());
    EXPECT_EQ(copied.error().kind, ErrorKind::CannotWrite);
    EXPECT_EQ(readBytes(target()), "old content");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(target())));
    EXPECT_EQ(files.calls, (std::vector<std::string>{"copy", "sync"}));
}

TEST_F(SafeCopyTest, a_copy_that_fails_halfway_leaves_the_old_file_byte_identical) {
    files.failCopies = true;
    const Status copied = copyFileSafely(files, source(), target());
    ASSERT_FALSE(copied.ok());
    EXPECT_EQ(copied.error().system, std::make_error_code(std::errc::no_space_on_device));
    EXPECT_EQ(readBytes(target()), "old content");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(target())));
}

TEST_F(SafeCopyTest, a_failing_rename_leaves_the_old_file_byte_identical) {
    files.failRenames = true;
    EXPECT_FALSE(copyFileSafely(files, source(), target()).ok());
    EXPECT_EQ(readBytes(target()), "old content");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(target())));
}

TEST_F(SafeCopyTest, copying_a_file_onto_itself_keeps_it) {
    EXPECT_TRUE(copyFileSafely(files, source(), source()).ok());
    EXPECT_TRUE(copyFileSafely(files, source(), folder.path() / "." / "temp.pac").ok());
    EXPECT_TRUE(files.calls.empty());
    EXPECT_EQ(readBytes(source()), "new content of the verification");
}

#ifndef _WIN32
// Links, pipes, devices and file-size limits as POSIX systems have them.
// What a save finds at its target: anything but a regular file is refused before a byte is
// written, and left exactly as it was.
TEST_F(SafeCopyTest, a_target_that_is_not_a_regular_file_is_refused_and_left_as_it_was) {
    const fs::path pipe = folder.path() / "pipe.pac";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const fs::path folderTarget = folder.path() / "folder.pac";
    fs::create_directory(folderTarget);
    const fs::path deviceLink = folder.path() / "device.pac";
    fs::create_symlink("/dev/null", deviceLink);
    struct Case {
        fs::path target;
        fs::file_type stays;
    };
    for (const Case& refused :
         {Case{pipe, fs::file_type::fifo}, Case{folderTarget, fs::file_type::directory},
          Case{deviceLink, fs::file_type::character}}) {
        files.calls.clear();
        const Status copied = copyFileSafely(files, source(), refused.target);
        ASSERT_FALSE(copied.ok()) << refused.target;
        EXPECT_EQ(copied.error().kind, ErrorKind::CannotWrite);
        EXPECT_EQ(copied.error().path, refused.target);
        EXPECT_EQ(copied.error().system, make_error_code(FileRefusal::NotRegularFile));
        EXPECT_TRUE(files.calls.empty()) << refused.target;
        EXPECT_EQ(fs::status(refused.target).type(), refused.stays) << refused.target;
    }
    EXPECT_TRUE(fs::is_symlink(deviceLink));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(SafeCopyTest, a_save_through_links_updates_the_file_they_name_and_keeps_the_links) {
    fs::create_directory(folder.path() / "real");
    writeBytes(folder.path() / "real" / "v.pac", "old");
    fs::create_symlink("real/v.pac", folder.path() / "relative.pac");
    fs::create_symlink(folder.path() / "relative.pac", folder.path() / "chain.pac");

    ASSERT_TRUE(copyFileSafely(files, source(), folder.path() / "chain.pac").ok());

    EXPECT_TRUE(fs::is_symlink(folder.path() / "chain.pac"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "relative.pac"));
    EXPECT_EQ(readBytes(folder.path() / "real" / "v.pac"), "new content of the verification");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(folder.path() / "real" / "v.pac")));
    EXPECT_FALSE(fs::exists(temporaryCopyPath(folder.path() / "chain.pac")));
}

TEST_F(SafeCopyTest, a_link_to_a_missing_file_makes_that_file_and_a_loop_of_links_is_refused) {
    fs::create_symlink("made.pac", folder.path() / "dangling.pac");
    ASSERT_TRUE(copyFileSafely(files, source(), folder.path() / "dangling.pac").ok());
    EXPECT_TRUE(fs::is_symlink(folder.path() / "dangling.pac"));
    EXPECT_EQ(readBytes(folder.path() / "made.pac"), "new content of the verification");

    fs::create_symlink("loop-b.pac", folder.path() / "loop-a.pac");
    fs::create_symlink("loop-a.pac", folder.path() / "loop-b.pac");
    const Status looped = copyFileSafely(files, source(), folder.path() / "loop-a.pac");
    ASSERT_FALSE(looped.ok());
    EXPECT_EQ(looped.error().system, std::errc::too_many_symbolic_link_levels);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "loop-a.pac"));
}

TEST_F(SafeCopyTest, a_source_that_is_missing_or_not_a_regular_file_is_refused_before_any_write) {
    const fs::path pipe = folder.path() / "pipe.pac";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        fs::path source;
        std::error_code reason;
    };
    for (const Case& refused : {Case{pipe, make_error_code(FileRefusal::NotRegularFile)},
                                Case{folder.path(), make_error_code(FileRefusal::NotRegularFile)},
                                Case{folder.path() / "missing.pac",
                                     std::make_error_code(std::errc::no_such_file_or_directory)}}) {
        files.calls.clear();
        const Status copied = copyFileSafely(files, refused.source, target());
        ASSERT_FALSE(copied.ok()) << refused.source;
        EXPECT_EQ(copied.error().kind, ErrorKind::CannotOpen);
        EXPECT_EQ(copied.error().path, refused.source);
        EXPECT_EQ(copied.error().system, refused.reason) << refused.source;
        EXPECT_TRUE(files.calls.empty());
        EXPECT_EQ(readBytes(target()), "old content");
    }
    // The file system's own copy refuses a pipe too, without waiting for a writer.
    LocalFileSystem local;
    const Status piped = local.copyContents(pipe, folder.path() / "copy.pac");
    ASSERT_FALSE(piped.ok());
    EXPECT_EQ(piped.error().system, make_error_code(FileRefusal::NotRegularFile));
}

TEST_F(SafeCopyTest, a_write_beyond_the_file_size_limit_says_so_and_names_the_target) {
    writeBytes(source(), std::string(64 * 1024, 'v'));
    const test_support::FileSizeLimit limit(16 * 1024);
    ASSERT_TRUE(limit.set());
    LocalFileSystem local;
    const Status copied = copyFileSafely(local, source(), target());
    ASSERT_FALSE(copied.ok());
    EXPECT_EQ(copied.error().kind, ErrorKind::CannotWrite);
    EXPECT_EQ(copied.error().path, target());
    EXPECT_EQ(copied.error().system, std::errc::file_too_large);
    EXPECT_EQ(readBytes(target()), "old content");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(target())));
}
#endif

} // namespace
} // namespace zelkora
