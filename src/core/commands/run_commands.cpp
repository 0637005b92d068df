#include "commands/run_commands.h"

#include "commands/error_messages.h"

namespace zelkora {

void RunCommands::MK_Start() {
    if (Status run = engine_.MK_Start(); !run.ok()) {
        ui_.showMessage(runFailedMessage(run.error()));
    }
}

} // namespace zelkora
