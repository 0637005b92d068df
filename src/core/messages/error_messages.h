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
// Why a file failed, in one sentence of the user's words: the program's own refusal (not a
// regular file, too large to be a verification) or the system's reason (missing, no space left,
// file too large, access denied, a loop of links, …); empty when the error carries neither.
std::string failureReason(const Error& error);
// The reason alone when the error concerns `file` itself; otherwise errorText, which names the
// file that failed (the working copy, a file a link leads to).
std::string failureDetail(std::string_view file, const Error& error);

// A copy that failed; the file named is the one the user chose. The texts are the window's and
// the runner's alike; the window's boxes add what stayed as it was.
std::string openFailedText(std::string_view file, const Error& error);
std::string saveFailedText(std::string_view file, const Error& error);
Message openFailedMessage(std::string_view file, const Error& error);
Message saveFailedMessage(std::string_view file, const Error& error);
// The runner's working folder could not be made in the system's temporary folder (error.path).
std::string workingFolderFailedText(const Error& error);
// The wizard's Finish could not write the conditions into the working copy `file`; the window
// and the working copy are as they were.
Message conditionsNotWrittenMessage(std::string_view file, const Error& error);

} // namespace zelkora
