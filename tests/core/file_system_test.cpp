#include "file_test_support.h"
#include "files/file_system.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace zelkora
