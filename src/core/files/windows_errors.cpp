#include "files/windows_errors.h"

#include <algorithm>
#include <array>

namespace zelkora {
namespace {

struct Translation {
    std::uint32_t windows;
    std::errc condition;
};

// The numbers of winerror.h, spelled out so the translation is the same (and tested) on every
// system.
constexpr std::array<Translation, 19> kTranslations{{
    {2, std::errc::no_such_file_or_directory},  // ERROR_FILE_NOT_FOUND
    {3, std::errc::no_such_file_or_directory},  // ERROR_PATH_NOT_FOUND
    {4, std::errc::too_many_files_open},        // ERROR_TOO_MANY_OPEN_FILES
    {5, std::errc::permission_denied},          // ERROR_ACCESS_DENIED
    {8, std::errc::not_enough_memory},          // ERROR_NOT_ENOUGH_MEMORY
    {14, std::errc::not_enough_memory},         // ERROR_OUTOFMEMORY
    {15, std::errc::no_such_file_or_directory}, // ERROR_INVALID_DRIVE
    {19, std::errc::read_only_file_system},     // ERROR_WRITE_PROTECT
    {23, std::errc::io_error},                  // ERROR_CRC
    {29, std::errc::io_error},                  // ERROR_WRITE_FAULT
    {30, std::errc::io_error},                  // ERROR_READ_FAULT
    {32, std::errc::device_or_resource_busy},   // ERROR_SHARING_VIOLATION
    {33, std::errc::device_or_resource_busy},   // ERROR_LOCK_VIOLATION
    {39, std::errc::no_space_on_device},        // ERROR_HANDLE_DISK_FULL
    {80, std::errc::file_exists},               // ERROR_FILE_EXISTS
    {112, std::errc::no_space_on_device},       // ERROR_DISK_FULL
    {183, std::errc::file_exists},              // ERROR_ALREADY_EXISTS
    {206, std::errc::filename_too_long},        // ERROR_FILENAME_EXCED_RANGE
    {1224, std::errc::device_or_resource_busy}, // ERROR_USER_MAPPED_FILE
}};

} // namespace

std::error_code windowsErrorCode(std::uint32_t code) {
    const auto* found = std::find_if(
        kTranslations.begin(), kTranslations.end(),
        [code](const Translation& translation) { return translation.windows == code; });
    if (found != kTranslations.end()) {
        return std::make_error_code(found->condition);
    }
    return {static_cast<int>(code), std::system_category()};
}

} // namespace zelkora
