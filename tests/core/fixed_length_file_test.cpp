#include "files/fixed_length_file.h"
#include "record_bytes.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>

namespace zelkora {
namespace {

using testing::Bytes;
using testing::readBytes;
using testing::recordBytes;
using testing::TempFolder;
using testing::writeBytes;

std::string repeat(std::string_view text, std::size_t times) {
    std::string result;
    for (std::size_t index = 0; index < times; ++index) {
        result += text;
    }
    return result;
}

class record_file_test : public ::testing::Test {
protected:
    TempFolder folder; // first: the members below use it
    std::filesystem::path path = folder.file("temp.pac");
    RecordFile file{kVerificationRecordLength};

    void openFile() { ASSERT_TRUE(file.open(path).ok()); }
    void closeFile() { ASSERT_TRUE(file.close().ok()); }
};

TEST_F(record_file_test, writes_length_prefix_shift_jis_bytes_and_zero_fill) {
    openFile();
    ASSERT_TRUE(file.write(2, "絵柄 7").ok());
    closeFile();
    Bytes expected(200, 0); // record 1 was never written: a gap of zeros
    const Bytes second = recordBytes({0x8A, 0x47, 0x95, 0xBF, ' ', '7'});
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(readBytes(path), expected);
}

TEST_F(record_file_test, reopening_keeps_what_was_written) {
    openFile();
    ASSERT_TRUE(file.write(100, "316       いいえ").ok());
    closeFile();
    openFile();
    EXPECT_EQ(file.recordCount(), 100U);
    const RecordRead read = file.read(100).value();
    EXPECT_EQ(read.outcome.status, RecordReadStatus::Ok);
    EXPECT_EQ(read.text, "316       いいえ");
}

TEST_F(record_file_test, a_file_of_100_records_is_20000_bytes_and_each_more_adds_200) {
    openFile();
    for (int record = 1; record <= 100; ++record) {
        ASSERT_TRUE(file.write(record, "x").ok());
    }
    EXPECT_EQ(file.recordCount(), 100U);
    closeFile();
    EXPECT_EQ(std::filesystem::file_size(path), 20000U);
    openFile();
    ASSERT_TRUE(file.write(101, "result").ok());
    closeFile();
    EXPECT_EQ(std::filesystem::file_size(path), 20200U);
}

TEST_F(record_file_test, gaps_read_empty_and_records_past_the_end_are_beyond_it) {
    openFile();
    ASSERT_TRUE(file.write(99, "summary").ok());
    const RecordRead gap = file.read(5).value();
    EXPECT_EQ(gap.outcome.status, RecordReadStatus::Ok);
    EXPECT_EQ(gap.text, "");
    const RecordRead beyond = file.read(100).value();
    EXPECT_EQ(beyond.outcome.status, RecordReadStatus::BeyondEnd);
    EXPECT_EQ(beyond.text, "");
    closeFile();
    const Bytes bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 99U * 200U);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 98 * 200), Bytes(98 * 200, 0));
}

TEST_F(record_file_test, writing_empty_clears_a_record) {
    openFile();
    ASSERT_TRUE(file.write(99, "57        43.2").ok());
    ASSERT_TRUE(file.writeEmpty(99).ok());
    const RecordRead cleared = file.read(99).value();
    EXPECT_EQ(cleared.outcome.status, RecordReadStatus::Ok);
    EXPECT_EQ(cleared.text, "");
    closeFile();
    const Bytes bytes = readBytes(path);
    EXPECT_EQ(Bytes(bytes.begin() + 98 * 200, bytes.end()), Bytes(200, 0));
}

TEST_F(record_file_test, a_text_longer_than_198_bytes_is_refused_and_nothing_changes) {
    openFile();
    const std::string fits = repeat("漢", 99); // 198 bytes
    ASSERT_TRUE(file.write(1, fits).ok());
    ASSERT_TRUE(file.write(2, "before").ok());
    closeFile();
    const Bytes before = readBytes(path);

    openFile();
    for (const std::string& tooLong : {repeat("漢", 99) + "a", repeat("a", 199)}) {
        const Status result = file.write(2, tooLong);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().kind, ErrorKind::TextTooLong);
        EXPECT_EQ(result.error().path.filename(), "temp.pac");
        EXPECT_EQ(result.error().record, 2);
    }
    EXPECT_EQ(file.read(1)->text, fits);
    EXPECT_EQ(file.read(2)->text, "before");
    closeFile();
    EXPECT_EQ(readBytes(path), before);
}

TEST_F(record_file_test, an_unencodable_character_is_refused_and_nothing_written) {
    openFile();
    const Status result = file.write(3, "名前\U0001F600");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, ErrorKind::Unencodable);
    EXPECT_EQ(result.error().text, "\U0001F600");
    EXPECT_EQ(result.error().record, 3);
    EXPECT_EQ(file.recordCount(), 0U);
    closeFile();
    EXPECT_EQ(std::filesystem::file_size(path), 0U);
}

TEST_F(record_file_test, settings_records_hold_a_16_bit_integer) {
    RecordFile settings(kSettingsRecordLength);
    ASSERT_TRUE(settings.open(path).ok());
    ASSERT_TRUE(settings.write(1, "C:\\ゼルコラ").ok());
    ASSERT_TRUE(settings.writeInt16(3, 1).ok());
    EXPECT_EQ(settings.readInt16(3)->value, 1);
    ASSERT_TRUE(settings.writeInt16(4, -2).ok());
    EXPECT_EQ(settings.readInt16(4)->value, -2);
    EXPECT_EQ(settings.readInt16(5)->outcome.status, RecordReadStatus::BeyondEnd);
    ASSERT_TRUE(settings.close().ok());

    const Bytes bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 400U);
    EXPECT_EQ(bytes[200], 0x01);
    EXPECT_EQ(bytes[201], 0x00);
    EXPECT_EQ(bytes[300], 0xFE);
    EXPECT_EQ(bytes[301], 0xFF);
    // 98 bytes of text fit a 100-byte record, 99 do not.
    ASSERT_TRUE(settings.open(path).ok());
    EXPECT_TRUE(settings.write(2, repeat("a", 98)).ok());
    EXPECT_EQ(settings.write(2, repeat("a", 99)).error().kind, ErrorKind::TextTooLong);
}

TEST_F(record_file_test, a_length_prefix_beyond_the_record_reads_only_the_record) {
    Bytes bytes = recordBytes(Bytes(198, 'a'));
    bytes[0] = 0xFF;
    bytes[1] = 0xFF;
    const Bytes next = recordBytes({'n', 'e', 'x', 't'});
    bytes.insert(bytes.end(), next.begin(), next.end());
    writeBytes(path, bytes);
    openFile();
    const RecordRead read = file.read(1).value();
    EXPECT_EQ(read.outcome.status, RecordReadStatus::Damaged);
    EXPECT_TRUE(read.outcome.damage.lengthTooLarge);
    EXPECT_EQ(read.text, repeat("a", 198)); // nothing of record 2 leaks in
    EXPECT_EQ(file.read(2)->text, "next");
}

TEST_F(record_file_test, invalid_shift_jis_bytes_read_as_far_as_possible) {
    writeBytes(path, recordBytes({'A', 0x80, 'B', 0x8A, 0x47}));
    openFile();
    const RecordRead read = file.read(1).value();
    EXPECT_EQ(read.outcome.status, RecordReadStatus::Damaged);
    EXPECT_TRUE(read.outcome.damage.invalidBytes);
    EXPECT_EQ(read.text, "A\uFFFDB絵");
}

TEST_F(record_file_test, a_file_cut_inside_a_record_reads_what_is_there) {
    const Bytes first = recordBytes({'x'});
    const Bytes second = recordBytes({'a', 'b', 'c', 'd', 'e', 'f'});
    Bytes bytes = first;
    bytes.insert(bytes.end(), second.begin(), second.begin() + 5); // prefix and "abc"
    writeBytes(path, bytes);
    openFile();
    EXPECT_EQ(file.recordCount(), 2U);
    const RecordRead cut = file.read(2).value();
    EXPECT_EQ(cut.outcome.status, RecordReadStatus::Damaged);
    EXPECT_TRUE(cut.outcome.damage.truncated);
    EXPECT_EQ(cut.text, "abc");
    closeFile();

    bytes = first;
    bytes.push_back(0x06); // half of record 2's length prefix
    writeBytes(path, bytes);
    openFile();
    const RecordRead stub = file.read(2).value();
    EXPECT_EQ(stub.outcome.status, RecordReadStatus::Damaged);
    EXPECT_TRUE(stub.outcome.damage.truncated);
    EXPECT_EQ(stub.text, "");
    EXPECT_EQ(file.readInt16(2)->outcome.status, RecordReadStatus::Damaged);
}

TEST_F(record_file_test, a_short_last_record_that_holds_its_whole_text_is_sound) {
    writeBytes(path, {0x04, 0x00, 'a', 'b', 'c', 'd'});
    openFile();
    const RecordRead read = file.read(1).value();
    EXPECT_EQ(read.outcome.status, RecordReadStatus::Ok);
    EXPECT_EQ(read.text, "abcd");
}

TEST_F(record_file_test, bad_record_numbers_are_refused_without_touching_the_file) {
    openFile();
    for (const int record : {0, -1, std::numeric_limits<int>::max()}) {
        EXPECT_EQ(file.write(record, "x").error().kind, ErrorKind::BadRecordNumber) << record;
        EXPECT_EQ(file.read(record).error().kind, ErrorKind::BadRecordNumber) << record;
    }
    closeFile();
    EXPECT_EQ(std::filesystem::file_size(path), 0U);
}

TEST_F(record_file_test, using_a_closed_file_fails_instead_of_crashing) {
    EXPECT_EQ(file.write(1, "x").error().kind, ErrorKind::CannotWrite);
    EXPECT_EQ(file.read(1).error().kind, ErrorKind::CannotRead);
    EXPECT_TRUE(file.close().ok());
    EXPECT_EQ(file.recordCount(), 0U);
}

TEST_F(record_file_test, open_failures_name_the_file) {
    const auto missingFolder = path.parent_path() / "no-such-folder" / "temp.pac";
    const Status result = file.open(missingFolder);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, ErrorKind::CannotOpen);
    EXPECT_EQ(result.error().path, missingFolder);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.open(path.parent_path()).error().kind, ErrorKind::CannotOpen);
}

TEST_F(record_file_test, a_full_disk_is_reported_by_flush_and_close) {
    const std::filesystem::path full = "/dev/full";
    if (!std::filesystem::exists(full)) {
        GTEST_SKIP() << "no device that reports a full disk";
    }
    ASSERT_TRUE(file.open(full).ok());
    EXPECT_TRUE(file.write(1, "buffered").ok());
    EXPECT_EQ(file.flush().error().kind, ErrorKind::CannotWrite);
    const Status closed = file.close();
    ASSERT_FALSE(closed.ok());
    EXPECT_EQ(closed.error().kind, ErrorKind::CannotWrite);
    EXPECT_EQ(closed.error().path, "/dev/full");
    EXPECT_EQ(closed.error().system, std::make_error_code(std::errc::no_space_on_device));
}

TEST_F(record_file_test, a_read_only_file_refuses_writes) {
    writeBytes(path, recordBytes({'r', 'o'}));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::replace);
    openFile();
    if (!file.isReadOnly()) {
        GTEST_SKIP() << "this user may write read-only files";
    }
    EXPECT_EQ(file.read(1)->text, "ro");
    EXPECT_EQ(file.write(1, "x").error().kind, ErrorKind::CannotWrite);
}

// Random writes and reads across many window-sized stretches of the file, checked against a
// plain map, then once more after reopening: the buffering must never lose or misplace a record.
TEST_F(record_file_test, buffered_random_access_matches_a_simple_model) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> recordNumber(1, 3000);
    std::map<int, std::string> model;
    openFile();
    for (int step = 0; step < 4000; ++step) {
        const int record = recordNumber(random);
        if (random() % 3 == 0) {
            const RecordRead read = file.read(record).value();
            const auto found = model.find(record);
            const std::string expected = found == model.end() ? "" : found->second;
            ASSERT_EQ(read.text, expected) << "step " << step << ", record " << record;
        } else {
            const std::string text = std::to_string(record) + ":" + std::to_string(step);
            ASSERT_TRUE(file.write(record, text).ok());
            model[record] = text;
        }
    }
    closeFile();
    openFile();
    EXPECT_EQ(file.recordCount(), static_cast<std::uint64_t>(model.rbegin()->first));
    std::string text;
    for (int record = 1; record <= model.rbegin()->first; ++record) {
        const auto found = model.find(record);
        ASSERT_EQ(file.readInto(record, text)->status, RecordReadStatus::Ok);
        ASSERT_EQ(text, found == model.end() ? "" : found->second) << "record " << record;
    }
}

} // namespace
} // namespace zelkora
