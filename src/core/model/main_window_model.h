#pragma once

#include "common/field_store.h"
#include "conditions/condition_set.h"
#include "model/chart_data.h"
#include "model/command_state.h"
#include "model/distribution_counters.h"
#include "model/grid_table.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zelkora {

// The symbol table as the engine and the statistics read it: five parallel arrays of 99
// entries, filled from the working copy when a verification is (re)loaded.
struct SymbolTable {
    std::array<std::string, kSymbolTableCapacity> names{};
    std::array<std::string, kSymbolTableCapacity> kinds{};
    std::array<std::int16_t, kSymbolTableCapacity> shortTimeSpins{}; // 時短数
    std::array<std::string, kSymbolTableCapacity> rules{};           // 持玉ルール
    std::array<std::int16_t, kSymbolTableCapacity> payouts{};        // 出玉数
    int loaded = 0;                                                  // entries filled
};

inline constexpr std::string_view kProductTitle = "ゼルコラ";
inline constexpr std::string_view kInitialFileTitle = "新しい検証.pac";
inline constexpr std::string_view kWorkingCopyName = "temp.pac";

// The main window's window-level values, shared with the other windows. The flags the windows
// once passed each other as the texts "Yes" and "No" are booleans here.
struct WindowValues {
    bool savedName = false;
    std::string fileTitle{kInitialFileTitle};
    std::string filePath; // program folder + data folder at start-up
    bool unsaved = false;
    std::int32_t resultRecordCounter = 0;
    std::uint8_t running = 0;
    bool cancelled = false;
    std::string caption{kProductTitle};
    std::uint8_t newVerification = 0;
    // False while a condition page is open: the window then takes no input.
    bool enabled = true;
};

// Visibility of the run-area controls that runs and rebuilds switch.
struct RunArea {
    bool picture3Visible = false; // hour bars, slot boxes, day label
    bool expVisible = true;
    bool progressBar1Visible = false;
    bool grid1Visible = true;
    bool timer3Enabled = true;
    int timer3IntervalMilliseconds = 5;
};

struct Grids {
    GridTable grid1; // big-hit detail, one row per result record
    GridTable grid2; // symbol table
    GridTable grid3; // daily totals, one row per day
};

struct Charts {
    ChartData chart1; // MSChart1: winning-symbol shares
    ChartData chart2; // MSChart2: cumulative balance per day
    ChartData chart3; // MSChart3: spin-count distribution
    ChartData chart4; // MSChart4: streak distribution
    ChartData chart5; // MSChart5: probability transition
};

// What a command asks of the window beyond showing the model. The window does it as soon as it
// shows the model again (a panel) or once the command has returned (a close), and clears it.
struct WindowRequests {
    bool showBasicConditionPanel = false; // as Command_基本条件
    bool close = false;
};

// What the window shows: a classic verification (a .pac and its working copy) or a machine of
// today read from its machine file, which the window plays but does not edit.
enum class OpenKind : std::uint8_t { Classic, Machine };

// Everything the main window owns and the other parts share: the display fields, grids,
// charts, distributions, the symbol table copies, the program-wide values, the window-level
// values and the command state. The views show it; the core procedures change it.
struct MainWindowModel {
    FieldStore fields;
    Grids grids;
    Charts charts;
    DistributionCounters distributions;
    SymbolTable symbols;
    ProgramValues program;
    WindowValues window;
    CommandState commands;
    RunArea runArea;
    WindowRequests requests;
    OpenKind openKind = OpenKind::Classic;
    std::filesystem::path programFolder;

    std::filesystem::path workingCopyPath() const { return programFolder / kWorkingCopyName; }
};

} // namespace zelkora
