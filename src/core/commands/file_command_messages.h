#pragma once

#include "common/error.h"
#include "platform/platform.h"

#include <string_view>

namespace zelkora {

// New and Open with unsaved changes: OK goes on, Cancel ends the command.
Message discardChangesQuestion();
// Open refused `file`, whose conditions cannot be loaded: the open verification is kept.
Message openRefusedMessage(std::string_view file, const Error& error);
// Open refused a machine file for `problem`, the machine checker's words naming the entry: the
// open verification is kept.
Message machineRefusedMessage(std::string_view file, std::string_view problem);

} // namespace zelkora
