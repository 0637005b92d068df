#include "commands/open_reload.h"

#include "commands/window_startup.h"
#include "common/field_store.h"
#include "files/verification_input.h"
#include "messages/error_messages.h"
#include "results/grids_and_charts.h"
#include "results/ind_preset.h"

#include <optional>

namespace zelkora {

namespace fs = std::filesystem;

OpenCopyOutcome copyLoadableFile(FileSystem& files, UserInterface& ui, const fs::path& chosen,
                                 const fs::path& workingCopy) {
    // What cannot be a verification (a pipe, a folder, a file larger than any verification) is
    // refused before a byte of it is copied.
    if (Status input = checkVerificationInput(chosen); !input.ok()) {
        return {OpenCopy::Failed, std::move(input).error()};
    }
    std::optional<Error> refusal;
    // The scratch model takes what the file holds; the window's model is not touched.
    const auto check = [&](const fs::path& copy) -> Status {
        MainWindowModel scratch;
        Status loaded = IndPresetFrom(scratch, ui, copy);
        if (!loaded.ok()) {
            refusal = std::move(loaded).error().inFile(chosen);
            return *refusal;
        }
        return {};
    };
    Status copied =
        isSameFile(chosen, workingCopy)
            ? check(workingCopy)
            : replaceFileSafely(files, workingCopy, [&](const fs::path& temporary) {
                  if (Status status = files.copyContents(chosen, temporary); !status.ok()) {
                      return status;
                  }
                  return check(temporary);
              });
    if (refusal) {
        return {OpenCopy::Refused, std::move(*refusal)};
    }
    if (!copied.ok()) {
        return {OpenCopy::Failed, std::move(copied).error()};
    }
    return {};
}

Status loadOpenedConditions(MainWindowModel& model, UserInterface& ui) {
    clearShownFigures(model);
    for (auto box = static_cast<std::size_t>(Field::回転数1r);
         box <= static_cast<std::size_t>(Field::連荘11r); ++box) {
        model.fields.setText(static_cast<Field>(box), "");
    }
    グラフCLR(model.charts);
    return IndPreset(model, ui);
}

void showLoadedConditions(MainWindowModel& model) {
    model.fields.setText(Field::EXP, model.fields.text(Field::条件_名前));
    model.openKind = OpenKind::Classic;
    model.commands.apply(Availability::VerificationLoaded);
    // The start-up text says no file is open; once one is, it would mislead until the pointer
    // crosses a control and a help text replaces it.
    if (model.fields.text(Field::StatusBar1_Panel1) == kStartupStatusText) {
        model.fields.setText(Field::StatusBar1_Panel1, "");
    }
}

RebuildOutcome rebuildOpenedResults(MainWindowModel& model, const PlatformSeams& seams) {
    Result<RebuildOutcome> rebuilt = 検証データ再構築(model, seams);
    if (!rebuilt.ok()) {
        // Told once the window is usable again, which the rebuild has seen to.
        seams.ui.showMessage(rebuildFailedMessage(rebuilt.error()));
        return RebuildOutcome::Failed;
    }
    return rebuilt.value();
}

} // namespace zelkora

namespace zelkora {

Result<RebuildOutcome> reloadOpenedVerification(MainWindowModel& model,
                                                const PlatformSeams& seams) {
    if (Status loaded = loadOpenedConditions(model, seams.ui); !loaded.ok()) {
        return std::move(loaded).error();
    }
    return rebuildOpenedResults(model, seams);
}

} // namespace zelkora
