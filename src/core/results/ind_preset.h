#pragma once

#include "common/error.h"
#include "model/main_window_model.h"
#include "platform/platform.h"

#include <filesystem>

namespace zelkora {

// IndPreset: loads the conditions, the play schedule and the symbol table of the working copy
// into the window (condition displays, program-wide values, symbol table copies, Grid2) and
// sets the result-record counter from the run summary. Used by Open, by Start and after the
// wizard's Finish, and by the headless runner to load a file.
//
// Fails when the working copy cannot be opened, holds no conditions (NoConditions), or a record
// it needs is damaged: a number column that holds no number, a symbol count the tables cannot
// hold (BadSymbolCount), a garbled record. What was loaded before the damage stays loaded.
Status IndPreset(MainWindowModel& model, UserInterface& ui);
// The same from another file than the working copy: Open checks a file with it before the file
// replaces the working copy.
Status IndPresetFrom(MainWindowModel& model, UserInterface& ui, const std::filesystem::path& file);

} // namespace zelkora
