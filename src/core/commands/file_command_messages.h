#pragma once

#include "platform/platform.h"

#include <string_view>

namespace zelkora {

// New and Open with unsaved changes: OK goes on, Cancel ends the command.
Message discardChangesQuestion();

} // namespace zelkora
