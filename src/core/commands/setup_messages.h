#pragma once

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
// zelkora.ini cannot be written (the folder is read-only, a text has no room in its record).
Message settingsNotWrittenMessage(std::string_view file);
// zelkora.ini cannot be read at start-up although the setup found or wrote it.
Message settingsUnreadableMessage(std::string_view file);
// The program folder that zelkora.ini names cannot be made the current folder.
Message programFolderMissingMessage(std::string_view folder);

} // namespace zelkora
