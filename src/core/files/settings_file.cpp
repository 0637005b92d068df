#include "files/settings_file.h"

#include "files/utf8_path.h"

#include <fstream>
#include <iterator>
#include <optional>

namespace zelkora {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kRecordLength = 100;
constexpr std::size_t kMaxTextBytes = kRecordLength - 2;

std::size_t recordOffset(int record) {
    return static_cast<std::size_t>(record - 1) * kRecordLength;
}

std::optional<std::string> readWholeFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

std::uint16_t readUint16(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      (static_cast<unsigned char>(bytes[offset + 1]) << 8U));
}

// The text of a string record, or nothing when the record is cut short or garbled.
std::optional<std::string> readTextRecord(const std::string& bytes, int record) {
    const std::size_t offset = recordOffset(record);
    if (bytes.size() < offset + 2) {
        return std::nullopt;
    }
    const std::size_t length = readUint16(bytes, offset);
    if (length > kMaxTextBytes || bytes.size() < offset + 2 + length) {
        return std::nullopt;
    }
    return bytes.substr(offset + 2, length);
}

void appendTextRecord(std::string& bytes, std::string_view text) {
    bytes.push_back(static_cast<char>(text.size() & 0xFFU));
    bytes.push_back(static_cast<char>(text.size() >> 8U));
    bytes.append(text);
    bytes.resize(bytes.size() + kMaxTextBytes - text.size(), '\0');
}

} // namespace

SettingsReadResult readSettingsFile(const fs::path& folder) {
    const fs::path file = folder / kSettingsFileName;
    std::error_code error;
    if (!fs::exists(file, error)) {
        return {};
    }
    SettingsReadResult result;
    result.status = SettingsStatus::Damaged;
    const std::optional<std::string> bytes = readWholeFile(file);
    if (!bytes) {
        return result;
    }
    const std::optional<std::string> programFolder = readTextRecord(*bytes, 1);
    const std::optional<std::string> windowsFolder = readTextRecord(*bytes, 2);
    const std::size_t markOffset = recordOffset(3);
    if (!programFolder || programFolder->empty() || !windowsFolder ||
        bytes->size() < markOffset + 2) {
        return result;
    }
    result.status = SettingsStatus::Readable;
    result.settings.programFolder = *programFolder;
    result.settings.windowsDirectory = *windowsFolder;
    result.settings.setupMark = static_cast<std::int16_t>(readUint16(*bytes, markOffset));
    return result;
}

SettingsWriteError writeSettingsFile(const fs::path& folder, const Settings& settings) {
    if (settings.programFolder.size() > kMaxTextBytes ||
        settings.windowsDirectory.size() > kMaxTextBytes) {
        return SettingsWriteError::TextDoesNotFit;
    }
    std::string bytes;
    appendTextRecord(bytes, settings.programFolder);
    appendTextRecord(bytes, settings.windowsDirectory);
    const auto mark = static_cast<std::uint16_t>(settings.setupMark);
    bytes.push_back(static_cast<char>(mark & 0xFFU));
    bytes.push_back(static_cast<char>(mark >> 8U));

    std::ofstream out(folder / kSettingsFileName, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? SettingsWriteError::None : SettingsWriteError::CannotWrite;
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
