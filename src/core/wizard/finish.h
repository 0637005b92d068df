#pragma once

#include "files/condition_file_writer.h"
#include "files/file_system.h"
#include "model/main_window_model.h"
#include "wizard/basic_conditions_page.h"
#include "wizard/symbol_table_page.h"
#include "wizard/time_conditions_page.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

// The parts of Finish (完了) that do not need the pages as windows: gathering what the three
// pages hold, writing it into the working copy and publishing it to the main window.
namespace zelkora {

// The caption Finish gives the main window, followed by the file title.
inline constexpr std::string_view kFinishCaptionPrefix = "ゼルコラ ...";

struct FinishedConditions {
    ConditionRecords records; // what the working copy receives
    // The selected service-time option; none leaves the window's rule and 条件_TS as they are.
    std::optional<std::uint8_t> serviceTimeRule;
};

// The records Finish writes: record 100 from page 1 and the symbol count of page 3, record 98
// from page 2, the investment unit of page 1 and the rule options of page 3 (with the window's
// service-time rule when no option is selected), and the symbol rows of page 3.
FinishedConditions gatherConditions(const BasicConditionsPage& page1,
                                    const TimeConditionsPage& page2, const SymbolTablePage& page3,
                                    const ProgramValues& window);

// Rewrites the condition records of the working copy: the run summary cleared, records 100 and
// 98, the symbol records and the blank ones to 50. The new file is made beside the working copy
// and replaces it only when complete, so a failure leaves it as it was; records after the
// conditions (an earlier run's results) are kept. A failure names the working copy.
Status writeConditionsToWorkingCopy(FileSystem& files, const std::filesystem::path& workingCopy,
                                    const ConditionRecords& records);

// Publishes into the main window: no result records and every result display cleared, the
// condition displays, the file title and path of a verification without a file of its own, the
// caption, the play schedule (which the schedule boxes TSP1 … TSP14 show), the service-time
// rule, the rule option digits and Grid2; the verification counts as changed.
void publishConditions(MainWindowModel& model, const FinishedConditions& conditions);

} // namespace zelkora
