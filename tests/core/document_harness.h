#pragma once

#include "analysis_fixture.h"
#include "commands/verification_document.h"
#include "files/utf8_path.h"
#include "platform/pcg_random_source.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zelkora::testing {

// The document on a scratch program folder, with recording boxes, a pump that calls back and a
// generator the test seeds. The folder is the first member, so it outlives the document's files.
struct DocumentHarness {
    explicit DocumentHarness(std::uint64_t seed) : source(seed) {
        model.programFolder = folder.file("program");
        std::filesystem::create_directories(model.programFolder / "data");
    }

    // A sample written as a .pac in the data folder, `days` long.
    std::filesystem::path sampleFile(std::string_view name, const char* days) const {
        std::filesystem::path file =
            model.programFolder / "data" / pathFromUtf8(std::string(name) + ".pac");
        EXPECT_TRUE(
            writeConditionFile(file, withCondition(sampleNamed(name), Field::条件_何日分, days))
                .ok());
        return file;
    }

    TempFolder folder;
    MainWindowModel model;
    RecordingUserInterface ui;
    LocalFileSystem files;
    CallbackEventPump pump;
    FixedRunTimers timers{1000, 0};
    PcgRandomSource source;
    RandomStream random{source};
    SystemThreadStarter threads;
    VerificationDocument document{model, {ui, files, pump, timers, random, threads}};
};

} // namespace zelkora::testing
