#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

// A folder of this fuzzing process for the files a target writes. In memory when the system
// has /dev/shm: a target writes a file per input, and millions of inputs should not wait for a
// disk.
inline std::filesystem::path fuzzScratchFolder(std::string_view target) {
    std::error_code error;
    const std::filesystem::path shared("/dev/shm");
    const std::filesystem::path base = std::filesystem::is_directory(shared, error)
                                           ? shared
                                           : std::filesystem::temp_directory_path();
    const std::filesystem::path folder =
        base / ("zelkora-fuzz-" + std::string(target) + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder, error);
    return folder;
}
