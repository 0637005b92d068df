#include "analysis/campaign_streams.h"
#include "analysis/overall_figures.h"
#include "document_harness.h"

#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

namespace fs = std::filesystem;

class DocumentTest : public ::testing::Test, protected DocumentHarness {
protected:
    DocumentTest() : DocumentHarness(7) {}
};

TEST_F(DocumentTest, a_close_during_a_run_cancels_it_and_is_asked_for_again_once_it_returns) {
    ASSERT_EQ(document.load(sampleFile("定番確変315", "60")).outcome, OpenCopy::Copied);
    std::optional<CloseDecision> during;
    pump.callAfter(3000, [&] {
        during = document.close();
        EXPECT_FALSE(model.requests.close) << "not while the run still writes its records";
    });
    document.run(Menu::MK_Start);

    EXPECT_EQ(during, CloseDecision::Keep);
    EXPECT_TRUE(model.window.cancelled);
    EXPECT_EQ(model.window.running, 0);
    EXPECT_TRUE(model.requests.close);
    EXPECT_FALSE(document.running());
    // The save offered at exit is cancelled: the program ends and the working copy stays.
    EXPECT_EQ(document.close(), CloseDecision::Close);
    EXPECT_TRUE(fs::exists(model.workingCopyPath()));
}

TEST_F(DocumentTest, exit_asks_for_the_close_only_while_exit_is_enabled) {
    ASSERT_EQ(document.load(sampleFile("定番確変315", "2")).outcome, OpenCopy::Copied);
    model.commands.lockForRebuild();
    document.run(Menu::Mf_End);
    EXPECT_FALSE(model.requests.close);
    model.commands.unlockAfterRebuild();
    document.run(Menu::Mf_End);
    EXPECT_TRUE(model.requests.close);
}

TEST_F(DocumentTest, a_cancelled_new_leaves_the_file_and_its_flags_as_they_were) {
    const fs::path file = sampleFile("甘デジ99次まで時短", "3");
    ui.dialogAnswer = utf8FromPath(file);
    document.run(Menu::MF_Open);
    ASSERT_TRUE(model.requests.showBasicConditionPanel);
    const WindowValues before = model.window;

    document.run(Menu::MF_MakeNew);
    ASSERT_TRUE(document.wizard().isVisible(WizardPage::条件1));
    document.wizard().page1()->change(Page1Box::検証名表示, "やめた検証");
    document.wizard().cancel(WizardPage::条件1);

    EXPECT_FALSE(document.wizard().isOpen());
    EXPECT_EQ(model.window.savedName, before.savedName);
    EXPECT_EQ(model.window.filePath, before.filePath);
    EXPECT_EQ(model.window.fileTitle, before.fileTitle);
    EXPECT_EQ(model.window.caption, before.caption);
    EXPECT_EQ(model.window.unsaved, before.unsaved);
}

TEST_F(DocumentTest, a_file_that_cannot_load_changes_nothing) {
    ASSERT_EQ(document.load(sampleFile("定番確変315", "2")).outcome, OpenCopy::Copied);
    const Bytes workingCopy = readBytes(model.workingCopyPath());
    const fs::path damaged = sampleFile("甘デジ99次まで時短", "3");
    fs::resize_file(damaged, 1000);

    EXPECT_EQ(document.load(damaged).outcome, OpenCopy::Refused);
    EXPECT_EQ(document.load(model.programFolder / pathFromUtf8("無い.pac")).outcome,
              OpenCopy::Failed);
    EXPECT_EQ(readBytes(model.workingCopyPath()), workingCopy);
    EXPECT_EQ(model.fields.text(Field::条件_名前), "定番確変315");
    EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
}

// The runner plays the document's Start; an analysis plays campaigns from the document's setup.
// Both come from one load, so campaign 1 of a seed is the run on that campaign's stream.
TEST_F(DocumentTest, a_campaign_of_the_setup_is_the_run_of_the_document_on_its_stream) {
    ASSERT_EQ(document.load(sampleFile("定番確変315", "5")).outcome, OpenCopy::Copied);
    const Result<CampaignSetup> setup = document.campaignSetup(1000, 99);
    ASSERT_TRUE(setup.ok());
    const std::atomic<bool> cancelled{false};
    const CampaignOutcome campaign = playCampaign(setup.value(), 0, cancelled);
    ASSERT_EQ(campaign.end, CampaignEnd::Played);

    const CampaignStream stream = campaignStream(99, 0);
    PcgRandomSource campaignSource(stream.seed, stream.stream);
    RandomStream campaignRandom(campaignSource);
    VerificationDocument played{model, {ui, files, pump, timers, campaignRandom, threads}};
    played.run(Menu::MK_Start);
    EXPECT_EQ(model.fields.text(Field::収支表示F),
              campaign.figures.overallTexts[overallFigureIndex(Field::収支表示F)]);
    EXPECT_EQ(model.fields.text(Field::総回転数表示),
              campaign.figures.overallTexts[overallFigureIndex(Field::総回転数表示)]);
}

} // namespace
} // namespace zelkora::testing
