#pragma once

#include "common/error.h"
#include "files/file_system.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zelkora {

// zelkora.ini: three 100-byte records in the folder current at start-up. Record 1 holds the
// program folder as the system reported it at setup, record 2 the trimmed Windows directory,
// record 3 the 16-bit setup-complete mark.
inline constexpr std::string_view kSettingsFileName = "zelkora.ini";
inline constexpr std::int16_t kSetupCompleteMark = 1;

struct Settings {
    std::string programFolder;
    std::string windowsDirectory;
    std::int16_t setupMark = 0;

    bool operator==(const Settings&) const = default;
};

// The three records of zelkora.ini in `folder`. Fails with FileMissing when there is none,
// and with another Error when there is one whose records cannot be read back (truncated,
// garbled): the setup then runs again.
Result<Settings> readSettingsFile(const std::filesystem::path& folder);

// Writes the three records through replaceFileSafely, so a failure leaves the old file whole.
// Fails, writing nothing, when a folder text has no code page 932 form or does not fit its
// record (TextTooLong, Unencodable), and when the file cannot be written.
Status writeSettingsFile(FileSystem& files, const std::filesystem::path& folder,
                         const Settings& settings);

// What record 1 keeps for the program folder `folderText`: the text itself where it fits the
// record in code page 932, otherwise "." (the folder zelkora.ini lies in). The program always
// runs in the folder it starts in, so a deep folder or one named outside code page 932 loses
// nothing by it, and an older reader that makes record 1 current still lands in the right place.
std::string programFolderRecordText(std::string_view folderText);
inline constexpr std::string_view kThisFolderRecordText = ".";

// One trailing "\" removed, as the start-up read does with records 1 and 2.
std::string withoutTrailingBackslash(std::string_view text);

// The folder a record-1 text names, usable for building paths: one trailing separator ("\" or
// "/") dropped unless the folder is a root, so a drive-root program folder keeps the working
// copy directly in that root.
std::filesystem::path folderFromRecordText(std::string_view text);

} // namespace zelkora
