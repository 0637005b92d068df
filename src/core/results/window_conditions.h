#pragma once

#include "files/verification_conditions.h"
#include "model/main_window_model.h"

// The conditions between the window and the working copy: what the window's condition displays,
// program values and symbol table hold, as the working copy keeps it, and back.
namespace zelkora {

// What a run writes at its start: the condition displays, the program values and symbols
// 1 … 条件_絵柄数 of the window's symbol table.
StoredConditions captureConditions(const MainWindowModel& model);

// What IndPreset loads: the conditions into the condition displays, the schedule, the
// service-time rule (shown in 条件_TS) and the rule option digits into the program values, and
// the symbol records into the symbol table copies and Grid2.
void applyConditions(MainWindowModel& model, const StoredConditions& conditions);

} // namespace zelkora
