#include "file_test_support.h"
#include "files/verification_input.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

namespace fs = std::filesystem;
using test_support::readBytes;
using test_support::ScratchFolder;
using test_support::writeBytes;

// Every 200-byte record below 2^31 bytes, the most the record file can address.
TEST(verification_input_test, the_largest_verification_is_every_record_the_file_can_address) {
    EXPECT_EQ(largestVerificationSize(), 2147483600U);
    EXPECT_EQ(largestVerificationSize() % 200, 0U);
}

TEST(verification_input_test, a_file_one_byte_past_the_largest_is_refused_and_nothing_copied) {
    ScratchFolder folder;
    const fs::path largest = folder.path() / "largest.pac";
    const fs::path larger = folder.path() / "larger.pac";
    for (const fs::path& file : {largest, larger}) {
        writeBytes(file, "");
    }
    // Sparse files: their size costs no disk.
    fs::resize_file(largest, largestVerificationSize());
    fs::resize_file(larger, largestVerificationSize() + 1);
    EXPECT_TRUE(checkVerificationInput(largest).ok());

    const fs::path workingCopy = folder.path() / "temp.pac";
    writeBytes(workingCopy, "kept");
    test_support::FailingFileSystem files;
    const Status copied = copyVerificationIn(files, larger, workingCopy);
    ASSERT_FALSE(copied.ok());
    EXPECT_EQ(copied.error().kind, ErrorKind::CannotOpen);
    EXPECT_EQ(copied.error().path, larger);
    EXPECT_EQ(copied.error().system, make_error_code(FileRefusal::LargerThanVerification));
    EXPECT_EQ(copied.error().number, static_cast<std::int64_t>(largestVerificationSize() + 1));
    EXPECT_TRUE(files.calls.empty());
    EXPECT_EQ(readBytes(workingCopy), "kept");
    EXPECT_FALSE(fs::exists(temporaryCopyPath(workingCopy)));
}

#ifndef _WIN32 // symbolic links as POSIX systems make them
TEST(verification_input_test, a_link_to_a_verification_is_taken_in_as_the_file_it_names) {
    ScratchFolder folder;
    writeBytes(folder.path() / "v.pac", "a verification");
    fs::create_symlink("v.pac", folder.path() / "link.pac");
    test_support::FailingFileSystem files;
    ASSERT_TRUE(
        copyVerificationIn(files, folder.path() / "link.pac", folder.path() / "temp.pac").ok());
    EXPECT_EQ(readBytes(folder.path() / "temp.pac"), "a verification");
}
#endif

} // namespace
} // namespace zelkora
