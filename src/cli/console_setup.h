#pragma once

#include <string>
#include <vector>

namespace zelkora::cli {

// The command line's arguments as UTF-8, the core's text. On Windows the narrow argv holds the
// ANSI code page, which loses every character outside it (a Japanese file name on a Western
// system), so the arguments are taken from the wide command line instead.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// On Windows: standard output and error write their bytes unchanged (no CR before each LF, so a
// report is the same file on every system), and a console shows UTF-8. Elsewhere nothing.
void prepareConsole();

} // namespace zelkora::cli
