#include "commands/open_reload.h"

#include "commands/error_messages.h"
#include "results/ind_preset.h"

namespace zelkora {

Result<RebuildOutcome> reloadOpenedVerification(MainWindowModel& model, RebuildSeams seams) {
    clearResultDisplays(model);
    if (Status loaded = IndPreset(model, seams.ui); !loaded.ok()) {
        return std::move(loaded).error();
    }
    Result<RebuildOutcome> rebuilt = 検証データ再構築(model, seams);
    if (!rebuilt.ok()) {
        // Told once the window is usable again, which the rebuild has seen to.
        seams.ui.showMessage(rebuildFailedMessage(rebuilt.error()));
        return RebuildOutcome::Failed;
    }
    return rebuilt;
}

} // namespace zelkora
