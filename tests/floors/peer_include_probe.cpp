// Compiled against the include root of the analysis floor, this must fail: the commands are
// its peer, not a floor it uses, so their headers are not there to be found.
#include "commands/run_commands.h"
