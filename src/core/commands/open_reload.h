#pragma once

#include "common/error.h"
#include "model/main_window_model.h"
#include "results/rebuild.h"

namespace zelkora {

// What Open does once the file is copied over the working copy, without the panel switch: the
// result displays cleared, the conditions reloaded (IndPreset) and the results rebuilt. Fails,
// with nothing rebuilt, when IndPreset cannot load the working copy; a rebuild that stops at a
// bad record tells the user here and returns Failed, the window showing what was reached.
Result<RebuildOutcome> reloadOpenedVerification(MainWindowModel& model, RebuildSeams seams);

} // namespace zelkora
