#include "common/error.h"
#include "files/working_copy_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

TEST(FileWorkingCopy, ConditionsWrittenAtStartReadBackUnchanged) {
    TempFolder folder;
    FileWorkingCopy copy(folder.file("temp.pac"));
    StoredConditions conditions = defaultConditions();
    conditions.symbols.push_back({"確変", 100, "無制限", 1500, "７７７"});
    conditions.basic[basicColumnIndex(Field::条件_絵柄数)] = "3";
    conditions.serviceTimeRule = 2;
    ASSERT_TRUE(copy.recreate(conditions).ok());
    copy.close();
    EXPECT_EQ(copy.readConditions().value(), conditions);
}

TEST(FileWorkingCopy, RecreateDropsTheEarlierRun) {
    TempFolder folder;
    const auto path = folder.file("temp.pac");
    writeBytes(path, Bytes(200 * 150, 'x'));
    FileWorkingCopy copy(path);
    ASSERT_TRUE(copy.recreate(defaultConditions()).ok());
    const std::array<std::string_view, 11> columns{"1",    "27",   "0", "500",  "した", "1",
                                                   "交換", "通常", "0", "2100", "1"};
    ASSERT_TRUE(copy.writeResult(101, columns).ok());
    ASSERT_TRUE(copy.finish(1, "12.5").ok());
    const Bytes bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 101U * 200U);
    RecordFile file(kVerificationRecordLength);
    ASSERT_TRUE(file.open(path).ok());
    const Result<RunSummary> summary = parseRunSummaryRecord(file.read(99)->text);
    ASSERT_TRUE(summary.ok());
    EXPECT_EQ(summary->resultCount, 1);
    EXPECT_EQ(summary->holdingRatio, "12.5");
    const ResultRecord result = parseResultRecord(file.read(101)->text);
    EXPECT_EQ(result.columns[4], "した");
    EXPECT_EQ(result.columns[9], "2100");
    EXPECT_TRUE(file.read(3)->text.empty()); // no blank symbol records at run start
}

TEST(FileWorkingCopy, SymbolTableEndsAtTheFirstRecordWithoutMarker) {
    TempFolder folder;
    const auto path = folder.file("v.pac");
    StoredConditions conditions = defaultConditions();
    conditions.basic[basicColumnIndex(Field::条件_絵柄数)] = "5";
    // Two symbol records, then nothing.
    ASSERT_TRUE(FileWorkingCopy(path).recreate(conditions).ok());
    RecordFile file(kVerificationRecordLength);
    ASSERT_TRUE(file.open(path).ok());
    ASSERT_TRUE(file.write(3, blankSymbolRecord()).ok());
    const StoredConditions read = readStoredConditions(file).value();
    ASSERT_EQ(read.symbols.size(), 3U); // the blank record is taken in, then the reading stops
    EXPECT_EQ(read.symbols[2].payout, 0);
    EXPECT_EQ(read.symbols[1].name, "2");
}

TEST(FileWorkingCopy, DamagedSymbolNumberIsReported) {
    TempFolder folder;
    const auto path = folder.file("v.pac");
    ASSERT_TRUE(FileWorkingCopy(path).recreate(defaultConditions()).ok());
    RecordFile file(kVerificationRecordLength);
    ASSERT_TRUE(file.open(path).ok());
    SymbolRow row = defaultSymbolRow(1);
    row.payout = "多い";
    ASSERT_TRUE(file.write(1, buildSymbolRecord(row, SymbolRecordWriter::RunStart)).ok());
    const Result<StoredConditions> read = readStoredConditions(file);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, ErrorKind::NotANumber);
    EXPECT_EQ(read.error().record, 1);
    EXPECT_EQ(read.error().column, 5);
    EXPECT_EQ(read.error().text, "多い");
    EXPECT_EQ(read.error().path, path);
    EXPECT_TRUE(holdsConditions(file).value());
}

TEST(FileWorkingCopy, UnwritableFolderFailsWithAMessage) {
    TempFolder folder;
    FileWorkingCopy copy(folder.file("missing") / "temp.pac");
    const Status recreated = copy.recreate(defaultConditions());
    ASSERT_FALSE(recreated.ok());
    EXPECT_EQ(recreated.error().kind, ErrorKind::CannotOpen);
    EXPECT_EQ(recreated.error().path, folder.file("missing") / "temp.pac");
}

} // namespace
} // namespace zelkora::testing
