#pragma once

#include "platform/platform.h"

#include <string_view>

namespace zelkora {

// New and Open with unsaved changes: OK goes on, Cancel ends the command.
Message discardChangesQuestion();
// A copy that failed; the file named is the one the user chose.
Message openFailedMessage(std::string_view file);
Message saveFailedMessage(std::string_view file);
// The verification loaded into the working copy but its conditions could not be read.
Message loadFailedMessage(std::string_view file, std::string_view reason);

} // namespace zelkora
