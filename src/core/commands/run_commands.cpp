#include "commands/run_commands.h"

#include "messages/error_messages.h"

namespace zelkora {

void RunCommands::MK_Start() {
    Status run = engine_.MK_Start();
    if (run.ok()) {
        return;
    }
    if (!engine_.played()) {
        ui_.showMessage(runNotStartedMessage(run.error()));
        return;
    }
    ui_.showMessage(runFailedMessage(run.error(), model_.window.resultRecordCounter));
}

} // namespace zelkora
