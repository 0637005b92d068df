#include "commands/file_dialogs.h"

namespace zelkora {

FileDialogRequest openDialogRequest(const WindowValues& window) {
    return {std::string(kOpenDialogTitle), std::string(kOpenFilter), "", window.filePath, false};
}

FileDialogRequest saveDialogRequest(const WindowValues& window) {
    return {std::string(kSaveDialogTitle), std::string(kSaveFilter), window.fileTitle,
            window.filePath, true};
}

std::string captionWithTitle(std::string_view fileTitle) {
    return std::string(kProductTitle) + "... " + std::string(fileTitle);
}

} // namespace zelkora
