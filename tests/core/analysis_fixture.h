#pragma once

#include "analysis/campaign.h"
#include "files/condition_file_writer.h"
#include "files/sample_definitions.h"
#include "files/working_copy_file.h"
#include "results/ind_preset.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <string_view>

// Verifications loaded as Open loads them, for the tests of many campaigns and of the theory.
namespace zelkora::testing {

// No events to process: every yield point is skipped.
class NoEvents final : public EventPump {
public:
    std::uint32_t processEvents() override { return std::numeric_limits<std::uint32_t>::max(); }
};

inline SampleDefinition sampleNamed(std::string_view name) {
    for (const SampleDefinition& sample : sampleDefinitions()) {
        if (sample.name == name) {
            return sample;
        }
    }
    ADD_FAILURE() << "no sample " << name;
    return {};
}

inline SampleDefinition withCondition(SampleDefinition sample, Field field,
                                      const std::string& text) {
    for (auto& [condition, value] : sample.conditions) {
        if (condition == field) {
            value = text;
        }
    }
    return sample;
}

// The sample written as a working copy into `folder`, loaded by IndPreset, with the conditions
// the working copy holds, ready for campaigns.
inline CampaignSetup loadedSetup(const TempFolder& folder, const SampleDefinition& sample,
                                 std::uint64_t seed, int countdown = 1000) {
    CampaignSetup setup;
    MainWindowModel& model = setup.loaded;
    model.programFolder = folder.file("program");
    std::filesystem::create_directories(model.programFolder);
    EXPECT_TRUE(writeConditionFile(model.workingCopyPath(), sample).ok());
    RecordingUserInterface ui;
    EXPECT_TRUE(IndPreset(model, ui).ok());
    model.commands.apply(Availability::VerificationLoaded);
    setup.conditions = FileWorkingCopy(model.workingCopyPath()).readConditions().value();
    setup.countdown = countdown;
    setup.seed = seed;
    return setup;
}

} // namespace zelkora::testing
