#pragma once

#include "commands/run_commands.h"
#include "files/run_working_copy.h"
#include "files/verification_conditions.h"
#include "model/main_window_model.h"
#include "results/window_conditions.h"
#include "test_platform.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// A run driven without a window: scripted draws, countdown 1 and run seconds 1, a pump that
// yields at every yield point, and a working copy kept in memory.
namespace zelkora::testing {

// The working copy as plain values: the conditions it holds, the result records written and
// the run summary.
class MemoryWorkingCopy final : public RunWorkingCopy {
public:
    Result<StoredConditions> readConditions() override { return stored; }
    Status recreate(const StoredConditions& conditions) override;
    Status writeResult(std::int32_t recordNumber, const ResultColumns& columns) override;
    Status finish(std::int32_t resultCount, std::string_view heldBallRatio) override;
    void close() override { open = false; }

    struct Summary {
        std::int32_t count = 0;
        std::string heldBallRatio;
    };
    StoredConditions stored;
    std::vector<std::array<std::string, 11>> results; // record 101 first
    std::vector<std::int32_t> recordNumbers;
    std::optional<Summary> summary;
    bool open = false;
    int recreations = 0;
};

// Result-record columns by their 1-based column number, as the file lays them out.
enum ResultColumn : int {
    kDay = 1,
    kSpins,
    kShortSpins,
    kInvestment,
    kBigHit,
    kSymbol,
    kRule,
    kState,
    kHeldBalls,
    kExchanged,
    kStreak
};

// A symbol row for the test tables.
StoredSymbol symbol(std::string name, std::string kind, std::int16_t shortTimeSpins,
                    std::string rule, std::int16_t payout);

struct RunHarness {
    RunHarness();

    // Puts a condition into the stored conditions (record 100 or 98), as a file would hold it.
    void set(Field field, std::string text);
    void setSymbols(std::vector<StoredSymbol> symbols);

    // Loads the stored conditions into the window (as opening a file does) and starts the run
    // as the window's command does, which tells the user when the run fails.
    void start();

    // Draws of the script: the two draws of Start, spins without a hit, a hit with its symbol.
    void scriptStart(float symbolDraw = 0.5F, float scaleDraw = 0.5F);
    void scriptMisses(int spins);
    void scriptHit(int symbolIndex);

    const std::array<std::string, 11>& record(std::size_t number) const {
        return workingCopy.results.at(number - 1);
    }
    static const std::string& column(const std::array<std::string, 11>& record, int number) {
        return record.at(static_cast<std::size_t>(number - 1));
    }
    std::string field(Field field) const { return model.fields.text(field); }
    int symbolCount() const { return static_cast<int>(conditions.symbols.size()); }

    StoredConditions conditions;
    MainWindowModel model;
    RecordingUserInterface ui;
    ScriptedRandomSource random;
    FixedRunTimers timers{1, 1};
    CallbackEventPump pump;
    MemoryWorkingCopy workingCopy;
    RandomStream stream{random};
    LocalFileSystem files;
    SystemThreadStarter threads;
    RunCommands commands{model, {ui, files, pump, timers, stream, threads}, workingCopy};
    RunEngine& engine = commands.engine();
};

} // namespace zelkora::testing
