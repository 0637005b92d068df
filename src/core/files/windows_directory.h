#pragma once

#include <string>
#include <string_view>

namespace zelkora {

// The system folder that the settings file keeps in record 2. Windows reports it into a buffer
// of 41 characters; everywhere else the system's root folder stands in for it. Either text goes
// through the same trimming.
std::string windowsDirectory();

// The buffer the system fills, as text of 41 characters (NUL-padded).
std::string windowsDirectoryBuffer();

// Takes the buffer's text up to its NUL and removes any trailing separator: while the text is
// longer than two characters and its last character is none of a-z, A-Z, 0-9, ",", "_" or the
// half-width katakana ｱ to ﾖ, the last character goes. A drive root "C:\" ends as "C:".
std::string trimWindowsDirectory(std::string_view buffer);

} // namespace zelkora
