// Compiled against the include root of the files floor, this must fail: the engine lies above
// the files, so its headers are not there to be found.
#include "engine/run_engine.h"
