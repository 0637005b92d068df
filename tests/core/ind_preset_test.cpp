#include "file_test_support.h"
#include "files/condition_file_writer.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "messages/error_messages.h"
#include "results/ind_preset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

using test_support::ScratchFolder;
using ::testing::HasSubstr;

class IndPresetTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.programFolder = folder.path();
        verification = sampleDefinitions()[1];
    }
    void writeWorkingCopy() {
        ASSERT_TRUE(writeConditionFile(model.workingCopyPath(), verification).ok());
    }
    // Rewrites one record of the working copy.
    void putRecord(int record, const std::string& text) {
        RecordFile file(kVerificationRecordLength);
        ASSERT_TRUE(file.open(model.workingCopyPath()).ok());
        ASSERT_TRUE(file.write(record, text).ok());
        ASSERT_TRUE(file.close().ok());
    }
    // What the user is told when IndPreset fails; empty when it loads.
    std::string failureOf() {
        const Status loaded = IndPreset(model, ui);
        return loaded.ok() ? "" : errorText(loaded.error());
    }

    ScratchFolder folder;
    MainWindowModel model;
    testing::RecordingUserInterface ui;
    SampleDefinition verification;
};

TEST_F(IndPresetTest, loads_conditions_schedule_symbols_and_result_count) {
    writeWorkingCopy();
    putRecord(kRunSummaryRecord, buildRunSummaryRecord({1234, "37.5"}));

    ASSERT_TRUE(IndPreset(model, ui).ok());

    for (const auto& [field, text] : verification.conditions) {
        EXPECT_EQ(model.fields.text(field), text) << fieldName(field);
    }
    EXPECT_EQ(model.program.playSchedule, "11111111111111");
    EXPECT_EQ(model.program.ruleOptionDigits, "1122");
    EXPECT_EQ(model.symbols.loaded, 6);
    EXPECT_EQ(model.symbols.names[0], "赤７");
    EXPECT_EQ(model.symbols.kinds[3], "通常");
    EXPECT_EQ(model.symbols.shortTimeSpins[5], 50);
    EXPECT_EQ(model.symbols.payouts[5], 1200);
    EXPECT_EQ(model.grids.grid2.rowCount(), 7);
    EXPECT_EQ(model.grids.grid2.cell(6, 0), "５");
    EXPECT_EQ(model.grids.grid2.cell(6, 2), "50");
    EXPECT_EQ(model.window.resultRecordCounter, 1234);
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

TEST_F(IndPresetTest, a_symbol_count_the_tables_cannot_hold_is_reported) {
    for (const char* count : {"120", "0", "2.5"}) {
        verification.conditions[11].second = count; // 条件_絵柄数
        writeWorkingCopy();
        EXPECT_THAT(failureOf(), HasSubstr("絵柄数")) << count;
    }
}

TEST_F(IndPresetTest, a_run_summary_count_that_is_no_number_is_reported) {
    writeWorkingCopy();
    putRecord(kRunSummaryRecord, buildRecordText({"x", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_THAT(failureOf(), HasSubstr("記録 99"));
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

TEST_F(IndPresetTest, a_foreign_file_is_reported_rather_than_read_as_zeros) {
    test_support::writeBytes(model.workingCopyPath(), "just some text, not a verification");
    EXPECT_THAT(failureOf(), HasSubstr("条件がありません"));
}

} // namespace
} // namespace zelkora
