#include "files/settings_file.h"

#include "files/cp932.h"
#include "files/file_system.h"
#include "files/fixed_length_file.h"
#include "files/utf8_path.h"

namespace zelkora {

namespace fs = std::filesystem;

namespace {

constexpr int kProgramFolderRecord = 1;
constexpr int kWindowsDirectoryRecord = 2;
constexpr int kSetupMarkRecord = 3;

// A record that is not there in full is damage, as much as a garbled one.
Status readText(RecordFile& file, int record, std::string& text) {
    Result<RecordReadOutcome> read = file.readInto(record, text);
    if (!read.ok()) {
        return std::move(read).error();
    }
    if (read->status != RecordReadStatus::Ok) {
        return Error{ErrorKind::RecordDamaged}.inRecord(record);
    }
    return {};
}

Status writeRecords(const fs::path& file, const Settings& settings) {
    RecordFile records(kSettingsRecordLength);
    Status status = records.open(file);
    if (status.ok()) {
        status = records.write(kProgramFolderRecord, settings.programFolder);
    }
    if (status.ok()) {
        status = records.write(kWindowsDirectoryRecord, settings.windowsDirectory);
    }
    if (status.ok()) {
        status = records.writeInt16(kSetupMarkRecord, settings.setupMark);
    }
    Status closed = records.close();
    return status.ok() ? closed : status;
}

Result<Settings> readRecords(RecordFile& file) {
    Settings settings;
    if (Status read = readText(file, kProgramFolderRecord, settings.programFolder); !read.ok()) {
        return std::move(read).error();
    }
    if (settings.programFolder.empty()) {
        return Error{ErrorKind::RecordMissing}.inRecord(kProgramFolderRecord);
    }
    if (Status read = readText(file, kWindowsDirectoryRecord, settings.windowsDirectory);
        !read.ok()) {
        return std::move(read).error();
    }
    Result<RecordInt16> mark = file.readInt16(kSetupMarkRecord);
    if (!mark.ok()) {
        return std::move(mark).error();
    }
    if (mark->outcome.status != RecordReadStatus::Ok) {
        return Error{ErrorKind::RecordDamaged}.inRecord(kSetupMarkRecord);
    }
    settings.setupMark = mark->value;
    return settings;
}

} // namespace

Result<Settings> readSettingsFile(const fs::path& folder) {
    const fs::path path = folder / kSettingsFileName;
    std::error_code error;
    if (!fs::exists(path, error)) {
        return Error{ErrorKind::FileMissing}.inFile(path);
    }
    if (!fs::is_regular_file(path, error)) {
        return Error{ErrorKind::CannotOpen}.inFile(path);
    }
    RecordFile file(kSettingsRecordLength);
    if (Status opened = file.open(path); !opened.ok()) {
        return std::move(opened).error();
    }
    Result<Settings> settings = readRecords(file);
    static_cast<void>(file.close()); // only read: nothing to lose
    if (!settings.ok()) {
        return std::move(settings).error().inFile(path);
    }
    return settings;
}

Status writeSettingsFile(FileSystem& files, const fs::path& folder, const Settings& settings) {
    return replaceFileSafely(files, folder / kSettingsFileName, [&](const fs::path& temporary) {
        return writeRecords(temporary, settings);
    });
}

std::string programFolderRecordText(std::string_view folderText) {
    Cp932Codec codec;
    const Cp932Encoded encoded = codec.encode(folderText);
    if (!encoded.status.ok() || encoded.bytes.size() > kSettingsRecordLength - 2) {
        return std::string(kThisFolderRecordText);
    }
    return std::string(folderText);
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
