#pragma once

#include "common/error.h"
#include "platform/platform.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelkora {

// The one place where an Error becomes text for the user: always the program's own Japanese,
// with the file's name where there is one, never the system's (English) words.
std::string errorText(const Error& error);

// The run could not start: its conditions are refused, or the working copy could not be read
// or recreated, which leaves it as it was ("検証エラー").
Message runNotStartedMessage(const Error& error);
// A fault ended the run early; the working copy holds `resultsHeld` result records, which a
// failed write may have made fewer than the run counted ("検証エラー").
Message runFailedMessage(const Error& error, std::int32_t resultsHeld);
// The rebuild stopped at a record; the figures show what was reached.
Message rebuildFailedMessage(const Error& error);
// Open copied `file` in, but its conditions could not be loaded.
Message loadFailedMessage(std::string_view file, const Error& error);
// A copy that failed; the file named is the one the user chose.
Message openFailedMessage(std::string_view file, const Error& error);
Message saveFailedMessage(std::string_view file, const Error& error);
// The wizard's Finish could not write the conditions into the working copy `file`; the window
// and the working copy are as they were.
Message conditionsNotWrittenMessage(std::string_view file, const Error& error);

} // namespace zelkora
