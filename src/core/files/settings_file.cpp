#include "files/settings_file.h"

#include "files/file_system.h"
#include "files/fixed_length_file.h"
#include "files/utf8_path.h"

namespace zelkora {

namespace fs = std::filesystem;

namespace {

constexpr int kProgramFolderRecord = 1;
constexpr int kWindowsDirectoryRecord = 2;
constexpr int kSetupMarkRecord = 3;

bool readText(RecordFile& file, int record, std::string& text) {
    return file.readInto(record, text).status == RecordReadStatus::Ok;
}

SettingsWriteError writeError(const RecordFileResult& result) {
    switch (result.error) {
    case RecordFileError::None:
        return SettingsWriteError::None;
    case RecordFileError::TooLong:
    case RecordFileError::Unencodable:
        return SettingsWriteError::TextDoesNotFit;
    default:
        return SettingsWriteError::CannotWrite;
    }
}

RecordFileResult writeRecords(const fs::path& file, const Settings& settings) {
    RecordFile records(kSettingsRecordLength);
    RecordFileResult result = records.open(file);
    if (result.ok()) {
        result = records.write(kProgramFolderRecord, settings.programFolder);
    }
    if (result.ok()) {
        result = records.write(kWindowsDirectoryRecord, settings.windowsDirectory);
    }
    if (result.ok()) {
        result = records.writeInt16(kSetupMarkRecord, settings.setupMark);
    }
    const RecordFileResult closed = records.close();
    return result.ok() ? closed : result;
}

} // namespace

SettingsReadResult readSettingsFile(const fs::path& folder) {
    const fs::path path = folder / kSettingsFileName;
    std::error_code error;
    if (!fs::exists(path, error)) {
        return {};
    }
    SettingsReadResult result;
    result.status = SettingsStatus::Damaged;
    RecordFile file(kSettingsRecordLength);
    if (!fs::is_regular_file(path, error) || !file.open(path).ok()) {
        return result;
    }
    Settings& settings = result.settings;
    const RecordInt16 mark = file.readInt16(kSetupMarkRecord);
    if (readText(file, kProgramFolderRecord, settings.programFolder) &&
        !settings.programFolder.empty() &&
        readText(file, kWindowsDirectoryRecord, settings.windowsDirectory) &&
        mark.outcome.status == RecordReadStatus::Ok) {
        settings.setupMark = mark.value;
        result.status = SettingsStatus::Readable;
    }
    file.close();
    return result;
}

// The records go to a temporary file that then replaces zelkora.ini, so a write that fails
// halfway never leaves a settings file that names half a folder.
SettingsWriteError writeSettingsFile(const fs::path& folder, const Settings& settings) {
    const fs::path target = folder / kSettingsFileName;
    const fs::path temporary = temporaryCopyPath(target);
    std::error_code error;
    fs::remove(temporary, error);
    SettingsWriteError written = writeError(writeRecords(temporary, settings));
    if (written == SettingsWriteError::None) {
        fs::rename(temporary, target, error);
        written = error ? SettingsWriteError::CannotWrite : SettingsWriteError::None;
    }
    if (written != SettingsWriteError::None) {
        fs::remove(temporary, error);
    }
    return written;
}

std::string withoutTrailingBackslash(std::string_view text) {
    if (!text.empty() && text.back() == '\\') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

fs::path folderFromRecordText(std::string_view text) {
    fs::path folder = pathFromUtf8(text);
    if (folder.has_relative_path() && !folder.has_filename()) {
        folder = folder.parent_path();
    }
    return folder;
}

} // namespace zelkora
