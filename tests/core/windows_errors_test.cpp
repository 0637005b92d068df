#include "files/windows_errors.h"
#include "messages/error_messages.h"

#include <gtest/gtest.h>
#include <string>

// The Windows error codes the file seam meets reach the user as the same Japanese reasons as
// their POSIX counterparts; the translation is plain numbers, so it is checked on every system.
namespace zelkora {
namespace {

TEST(windows_errors_test, each_code_reaches_the_user_as_its_japanese_reason) {
    struct Case {
        std::uint32_t code;
        std::string reason;
    };
    const Case cases[] = {
        {2, "ファイルまたはフォルダが見つかりません。"},        // ERROR_FILE_NOT_FOUND
        {3, "ファイルまたはフォルダが見つかりません。"},        // ERROR_PATH_NOT_FOUND
        {5, "アクセスが許可されていません。"},                  // ERROR_ACCESS_DENIED
        {19, "読み取り専用の場所です。"},                       // ERROR_WRITE_PROTECT
        {32, "ファイルが使用中です。"},                         // ERROR_SHARING_VIOLATION
        {33, "ファイルが使用中です。"},                         // ERROR_LOCK_VIOLATION
        {39, "ディスクの空き容量が足りません。"},               // ERROR_HANDLE_DISK_FULL
        {112, "ディスクの空き容量が足りません。"},              // ERROR_DISK_FULL
        {206, "パスが長すぎます。"},                            // ERROR_FILENAME_EXCED_RANGE
        {1224, "ファイルが使用中です。"},                       // ERROR_USER_MAPPED_FILE
        {0x20000001, "システムエラーです（番号 536870913）。"}, // no condition matches: by number
    };
    for (const Case& c : cases) {
        Error error{ErrorKind::CannotReplace};
        error.system = windowsErrorCode(c.code);
        EXPECT_EQ(failureReason(error), c.reason) << c.code;
    }
}

TEST(windows_errors_test, a_read_only_file_is_named_as_such) {
    Error error{ErrorKind::CannotReplace};
    error.system = make_error_code(FileRefusal::ReadOnlyFile);
    EXPECT_EQ(failureReason(error), "読み取り専用のファイルです。");
}

} // namespace
} // namespace zelkora
