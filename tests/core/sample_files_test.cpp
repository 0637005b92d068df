#include "commands/open_reload.h"
#include "file_test_support.h"
#include "files/file_system.h"
#include "files/sample_definitions.h"
#include "files/sample_files.h"
#include "files/utf8_path.h"
#include "test_platform.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

namespace fs = std::filesystem;

// The shipped samples, as zelkora-make-samples wrote them into samples/. The folder comes from
// the build, not from __FILE__, which a compiler cache may make relative to the build folder.
fs::path shippedSample(const SampleDefinition& sample) {
    return fs::path(ZELKORA_SAMPLES_DIR) /
           pathFromUtf8(sample.name + std::string(kVerificationExtension));
}

TEST(sample_files_test, every_shipped_sample_opens_and_rebuilds_with_its_conditions) {
    for (const SampleDefinition& sample : sampleDefinitions()) {
        SCOPED_TRACE(sample.name);
        test_support::ScratchFolder folder;
        MainWindowModel model;
        model.programFolder = folder.path();
        LocalFileSystem files;
        ASSERT_TRUE(copyFileSafely(files, shippedSample(sample), model.workingCopyPath()).ok());
        testing::RecordingUserInterface ui;
        ui.answer = MessageResult::Yes;
        testing::CallbackEventPump pump;
        testing::FixedRunTimers timers{1000, 0};
        testing::ScriptedRandomSource source;
        RandomStream random(source);

        EXPECT_EQ(reloadOpenedVerification(model, {ui, testing::testFiles(), pump, timers, random,
                                                   testing::testThreads()})
                      .value(),
                  RebuildOutcome::Rebuilt);

        for (const auto& [field, text] : sample.conditions) {
            EXPECT_EQ(model.fields.text(field), text) << fieldName(field);
        }
        EXPECT_EQ(model.program.playSchedule, sample.program.playSchedule);
        EXPECT_EQ(model.symbols.loaded, static_cast<int>(sample.symbols.size()));
        EXPECT_GT(model.window.resultRecordCounter, 0);
        EXPECT_EQ(model.fields.text(Field::c日合計_日目), sample.condition(Field::条件_何日分));
    }
}

} // namespace
} // namespace zelkora
