#pragma once

#include "common/error.h"
#include "platform/platform.h"

#include <string>
#include <string_view>

namespace zelkora {

// Every message box the first-run setup and the start-up read can show.
Message welcomeMessage();
Message setupFinishedMessage();
Message setupAbortedMessage();
// コピーエラー１。 … コピーエラー５。 for sample 0 … 4.
Message copyErrorMessage(int sample);
// zelkora.ini exists but cannot be read back; the setup runs again.
Message damagedSettingsMessage(std::string_view file);
// zelkora.ini cannot be written (the folder is read-only, the disk is full), with the reason.
Message settingsNotWrittenMessage(std::string_view file, const Error& error);
// zelkora.ini cannot be read at start-up although the setup found or wrote it.
Message settingsUnreadableMessage(std::string_view file);
// The program folder that zelkora.ini names cannot be made the current folder.
Message programFolderMissingMessage(std::string_view folder, const Error& error);

} // namespace zelkora
