#pragma once

#include "model/main_window_model.h"
#include "platform/platform.h"

#include <string>
#include <string_view>

namespace zelkora {

inline constexpr std::string_view kOpenDialogTitle = "ファイルを開く";
inline constexpr std::string_view kSaveDialogTitle = "ファイルを保存";
// Every file Open takes first, then each kind: classic verifications and machine files.
inline constexpr std::string_view kOpenFilter =
    "すべての検証ファイル|*.pac;*.json|Data base|*.pac|機種ファイル|*.json|All Files|*.*|";
// The description holds one full-width space before ".pac".
inline constexpr std::string_view kSaveFilter = "Data base(　.pac)|*.pac|All Files|*.*|";

// The open dialog: no preset name, starting at the file path, no overwrite prompt.
FileDialogRequest openDialogRequest(const WindowValues& window);
// The save dialog: the file title as preset name, starting at the file path, asking before an
// existing file is replaced.
FileDialogRequest saveDialogRequest(const WindowValues& window);

// "ゼルコラ... " followed by the file title.
std::string captionWithTitle(std::string_view fileTitle);

} // namespace zelkora
