#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelkora {

// The core keeps text in UTF-8; paths are made from it and shown as it on every system.
inline std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace zelkora
