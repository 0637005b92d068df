#include "commands/unsaved_work.h"

#include <fstream>
#include <iterator>

namespace zelkora {

namespace fs = std::filesystem;

fs::path unsavedMarkPath(const fs::path& programFolder) {
    return programFolder / kUnsavedMarkName;
}

void markUnsavedWork(const fs::path& programFolder, std::string_view savedFile) {
    std::ofstream mark(unsavedMarkPath(programFolder), std::ios::binary | std::ios::trunc);
    mark.write(savedFile.data(), static_cast<std::streamsize>(savedFile.size()));
}

std::optional<std::string> readUnsavedMark(const fs::path& programFolder) {
    std::ifstream mark(unsavedMarkPath(programFolder), std::ios::binary);
    if (!mark) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(mark), std::istreambuf_iterator<char>());
}

void forgetUnsavedWork(FileSystem& files, const fs::path& programFolder) {
    // A mark that cannot be removed only asks the question once more at the next start.
    static_cast<void>(files.remove(unsavedMarkPath(programFolder)));
}

Message reopenUnsavedWorkQuestion() {
    return {"前回保存されなかった検証があります。開きますか？", "確認", MessageIcon::Question,
            MessageButtons::YesNo};
}

} // namespace zelkora
