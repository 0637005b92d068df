#include "common/procedure_error.h"
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
    copy.recreate(conditions);
    copy.close();
    EXPECT_EQ(copy.readConditions(), conditions);
}

TEST(FileWorkingCopy, RecreateDropsTheEarlierRun) {
    TempFolder folder;
    const auto path = folder.file("temp.pac");
    writeBytes(path, Bytes(200 * 150, 'x'));
    FileWorkingCopy copy(path);
    copy.recreate(defaultConditions());
    const std::array<std::string_view, 11> columns{"1",    "27",   "0", "500",  "した", "1",
                                                   "交換", "通常", "0", "2100", "1"};
    copy.writeResult(101, columns);
    copy.finish(1, "12.5");
    const Bytes bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 101U * 200U);
    RecordFile file(kVerificationRecordLength);
    ASSERT_TRUE(file.open(path).ok());
    const Checked<RunSummary> summary = parseRunSummaryRecord(file.read(99).text);
    ASSERT_TRUE(summary.ok());
    EXPECT_EQ(summary.value.resultCount, 1);
    EXPECT_EQ(summary.value.holdingRatio, "12.5");
    const ResultRecord result = parseResultRecord(file.read(101).text);
    EXPECT_EQ(result.columns[4], "した");
    EXPECT_EQ(result.columns[9], "2100");
    EXPECT_TRUE(file.read(3).text.empty()); // no blank symbol records at run start
}

TEST(FileWorkingCopy, SymbolTableEndsAtTheFirstRecordWithoutMarker) {
    TempFolder folder;
    const auto path = folder.file("v.pac");
    StoredConditions conditions = defaultConditions();
    conditions.basic[basicColumnIndex(Field::条件_絵柄数)] = "5";
    FileWorkingCopy(path).recreate(conditions); // two symbol records, then nothing
    RecordFile file(kVerificationRecordLength);
    ASSERT_TRUE(file.open(path).ok());
    ASSERT_TRUE(file.write(3, blankSymbolRecord()).ok());
    const StoredConditions read = readStoredConditions(file);
    ASSERT_EQ(read.symbols.size(), 3U); // the blank record is taken in, then the reading stops
    EXPECT_EQ(read.symbols[2].payout, 0);
    EXPECT_EQ(read.symbols[1].name, "2");
}

TEST(FileWorkingCopy, DamagedSymbolNumberIsReported) {
    TempFolder folder;
    const auto path = folder.file("v.pac");
    FileWorkingCopy(path).recreate(defaultConditions());
    RecordFile file(kVerificationRecordLength);
    ASSERT_TRUE(file.open(path).ok());
    SymbolRow row = defaultSymbolRow(1);
    row.payout = "多い";
    ASSERT_TRUE(file.write(1, buildSymbolRecord(row, SymbolRecordWriter::RunStart)).ok());
    EXPECT_THROW(readStoredConditions(file), ProcedureError);
    EXPECT_TRUE(holdsConditions(file));
}

TEST(FileWorkingCopy, UnwritableFolderFailsWithAMessage) {
    TempFolder folder;
    FileWorkingCopy copy(folder.file("missing") / "temp.pac");
    try {
        copy.recreate(defaultConditions());
        FAIL() << "recreate succeeded";
    } catch (const ProcedureError& error) {
        EXPECT_NE(std::string(error.what()).find("作業ファイルに書き込めませんでした"),
                  std::string::npos);
    }
}

} // namespace
} // namespace zelkora::testing
