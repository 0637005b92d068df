#include "analysis/held_share.h"
#include "document_harness.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"

#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

namespace fs = std::filesystem;

class HeldShareTest : public ::testing::TestWithParam<const char*>, protected DocumentHarness {
protected:
    HeldShareTest() : DocumentHarness(11) {}

    fs::path sampleFile(const char* days) const {
        return DocumentHarness::sampleFile(GetParam(), days);
    }
    std::optional<double> ownShare() const { return storedHeldShare(model.workingCopyPath()); }
};

// The share the run showed at its end is the one its file keeps, through Open and its rebuild;
// before any run there is none.
TEST_P(HeldShareTest, is_the_runs_own_after_the_run_and_after_opening_its_file_and_none_before) {
    ASSERT_EQ(document.load(sampleFile("20")).outcome, OpenCopy::Copied);
    EXPECT_EQ(ownShare(), std::nullopt) << "the conditions alone hold no share";

    document.run(Menu::MK_Start);
    ASSERT_GT(model.window.resultRecordCounter, 0);
    const double shown = model.fields.number(Field::持ち玉比率);
    const std::optional<double> afterRun = ownShare();
    ASSERT_TRUE(afterRun.has_value());
    EXPECT_NEAR(*afterRun * 100, shown, 1e-9);

    // The played file opened again: the share comes with it, and the rebuild shows the same.
    const fs::path played = folder.file("played.pac");
    fs::copy_file(model.workingCopyPath(), played);
    ASSERT_EQ(document.load(sampleFile("3")).outcome, OpenCopy::Copied);
    EXPECT_EQ(ownShare(), std::nullopt) << "another verification's conditions, no run";
    ASSERT_EQ(document.load(played).outcome, OpenCopy::Copied);
    EXPECT_EQ(ownShare(), afterRun);
    ui.answer = MessageResult::Yes;
    static_cast<void>(document.rebuild());
    EXPECT_EQ(ownShare(), afterRun);
    EXPECT_NEAR(model.fields.number(Field::持ち玉比率), shown, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(samples, HeldShareTest,
                         ::testing::Values("定番確変315", "甘デジ99次まで時短",
                                           "サービスタイムの店"));

// Record 99 as a run writes it: the result count and the ratio in the box's pattern.
TEST(held_share, reads_the_summarys_ratio_in_every_pattern_and_refuses_what_is_no_share) {
    struct Case {
        std::int32_t count;
        const char* ratio;
        std::optional<double> share;
    };
    const Case cases[] = {
        {12, "37.25", 0.3725},    {12, "37.", 0.37},        {12, ".5", 0.005},
        {12, "100.", 1.0},        {0, "50.", std::nullopt}, {12, "150.", std::nullopt},
        {12, "-1", std::nullopt},
    };
    TempFolder folder;
    for (const Case& test : cases) {
        const fs::path file = folder.file("summary.pac");
        {
            RecordFile records(kVerificationRecordLength);
            ASSERT_TRUE(records.open(file).ok());
            ASSERT_TRUE(
                records.write(kRunSummaryRecord, buildRunSummaryRecord({test.count, test.ratio}))
                    .ok());
            ASSERT_TRUE(records.close().ok());
        }
        const std::optional<double> share = storedHeldShare(file);
        ASSERT_EQ(share.has_value(), test.share.has_value()) << test.count << " " << test.ratio;
        if (share) {
            EXPECT_DOUBLE_EQ(*share, *test.share) << test.ratio;
        }
    }
}

TEST(held_share, a_file_without_a_readable_summary_has_none_and_is_left_untouched) {
    TempFolder folder;
    const fs::path missing = folder.file("missing.pac");
    EXPECT_EQ(storedHeldShare(missing), std::nullopt);
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(storedHeldShare(folder.file("")), std::nullopt); // a folder
}

} // namespace
} // namespace zelkora::testing
