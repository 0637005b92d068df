#pragma once

#include "model/main_window_model.h"

#include <string_view>

namespace zelkora {

inline constexpr std::string_view kStartupStatusText =
    "ファイルは開かれていません。新規作成、既存ファイルを開くのどちらかをクリックしてください。";
inline constexpr std::string_view kWelcomeText = "ゼルコラにようこそ";
inline constexpr std::string_view kStartupActionText = "Loading....";

// The window as it first shows itself, without a verification: the charts cleared, the grids
// set up with the two default symbols in Grid2, the run area hidden, the start-up texts, the
// commands of a window without a verification and plain random draws selected.
void showWindowWithoutVerification(MainWindowModel& model);

} // namespace zelkora
