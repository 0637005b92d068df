#pragma once

#include "files/file_system.h"
#include "platform/platform.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zelkora {

// The splash form 初期設定表示 that shows the setup's progress.
inline constexpr std::string_view kSplashCaption = "初期設定";
inline constexpr std::string_view kSplashLabel = "初期設定をしています。";
inline constexpr std::string_view kSplashStartLabel = "0%";
inline constexpr std::string_view kSplashEndLabel = "100%";

class SplashView {
public:
    virtual ~SplashView() = default;
    virtual void show() = 0;
    virtual void setProgress(int percent) = 0; // ProgressBar1, 0 … 100
    virtual void close() = 0;
};

// The setup's steps and the progress value shown before each.
enum class SetupStep : std::uint8_t { CreateDataFolder, MoveSample, Finished };
struct SplashStep {
    int progress;
    SetupStep step;
    int sample; // 0 … 4 for MoveSample
};
inline constexpr std::array<SplashStep, 7> kSplashSteps{{
    {10, SetupStep::CreateDataFolder, 0},
    {20, SetupStep::MoveSample, 0},
    {30, SetupStep::MoveSample, 1},
    {40, SetupStep::MoveSample, 2},
    {60, SetupStep::MoveSample, 3},
    {80, SetupStep::MoveSample, 4},
    {100, SetupStep::Finished, 0},
}};

// Where the setup runs: the folder current at start, and its text as the system reports it
// (which is what record 1 keeps; on Windows a drive root keeps its "\").
struct SetupPlace {
    std::filesystem::path currentFolder;
    std::string currentFolderText;
    std::string windowsDirectory;
};
// The current folder and the system's Windows directory.
SetupPlace currentSetupPlace();

enum class SetupOutcome : std::uint8_t {
    FoundComplete, // set up before: nothing shown, nothing written
    Completed,     // set up now
    ProgramMustEnd // the setup failed and said so; the program ends at once
};

struct SetupResult {
    SetupOutcome outcome = SetupOutcome::FoundComplete;
    bool setupDone = false; // the shared setup-done flag, set once complete
};

// fileini's load: checks zelkora.ini in the current folder and, when the program is not set up
// there, writes it, creates the data folder and moves the five sample files into it.
SetupResult fileiniLoad(const SetupPlace& place, UserInterface& ui, SplashView& splash,
                        FileSystem& files);

} // namespace zelkora
