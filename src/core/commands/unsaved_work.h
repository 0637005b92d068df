#pragma once

#include "files/file_system.h"
#include "platform/platform.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zelkora {

// A mark beside the working copy that says it holds a verification the user left without saving
// (the save at Exit was cancelled). It holds the file the verification was last saved to, empty
// when it never was.
inline constexpr std::string_view kUnsavedMarkName = "temp.unsaved";

std::filesystem::path unsavedMarkPath(const std::filesystem::path& programFolder);
// Best effort: without the mark the working copy is still kept, only not offered at the next
// start.
void markUnsavedWork(const std::filesystem::path& programFolder, std::string_view savedFile);
// The file named by the mark (possibly empty), or nothing when there is no mark.
std::optional<std::string> readUnsavedMark(const std::filesystem::path& programFolder);
void forgetUnsavedWork(FileSystem& files, const std::filesystem::path& programFolder);

// The question at start when the mark is there.
Message reopenUnsavedWorkQuestion();

} // namespace zelkora
