#include "files/windows_directory.h"

#include <cstddef>
#include <filesystem>

#ifdef _WIN32
#include "files/cp932.h"

#include <windows.h>
#endif

namespace zelkora {
namespace {

constexpr std::size_t kBufferCharacters = 41;

bool isContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char byte : text) {
        count += isContinuationByte(byte) ? 0 : 1;
    }
    return count;
}

// Byte offset where the text's last character starts.
std::size_t lastCharacterOffset(std::string_view text) {
    std::size_t offset = text.size() - 1;
    while (offset > 0 && isContinuationByte(text[offset])) {
        --offset;
    }
    return offset;
}

// The half-width katakana ｱ (U+FF71) to ﾖ (U+FF96) in UTF-8.
bool isKatakanaAToYo(std::string_view character) {
    if (character.size() != 3 || static_cast<unsigned char>(character[0]) != 0xEF) {
        return false;
    }
    const auto second = static_cast<unsigned char>(character[1]);
    const auto third = static_cast<unsigned char>(character[2]);
    return (second == 0xBD && third >= 0xB1 && third <= 0xBF) ||
           (second == 0xBE && third >= 0x80 && third <= 0x96);
}

bool isKeptCharacter(std::string_view character) {
    if (character.size() == 1) {
        const char c = character[0];
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == ',' || c == '_';
    }
    return isKatakanaAToYo(character);
}

} // namespace

std::string trimWindowsDirectory(std::string_view buffer) {
    // The system's text ends at its NUL; a root as short as "/" would otherwise keep one, as the
    // loop stops at two characters.
    std::string_view text = buffer.substr(0, buffer.find('\0'));
    std::size_t characters = characterCount(text);
    while (characters > 2) {
        const std::size_t last = lastCharacterOffset(text);
        if (isKeptCharacter(text.substr(last))) {
            break;
        }
        text = text.substr(0, last);
        --characters;
    }
    return std::string(text);
}

std::string windowsDirectoryBuffer() {
#ifdef _WIN32
    // The system reports its folder in the ANSI code page, which is 932 on the systems this
    // program is made for; the program's folder texts are stored in that code page anyway.
    char buffer[kBufferCharacters] = {};
    GetWindowsDirectoryA(buffer, static_cast<UINT>(kBufferCharacters));
    return Cp932Codec().decode(std::string_view(buffer, kBufferCharacters)).text;
#else
    std::error_code error;
    const std::filesystem::path root = std::filesystem::current_path(error).root_path();
    std::string buffer(root.empty() ? std::string_view("/") : std::string_view(root.native()));
    if (buffer.size() < kBufferCharacters) {
        buffer.append(kBufferCharacters - buffer.size(), '\0');
    }
    return buffer;
#endif
}

std::string windowsDirectory() {
    return trimWindowsDirectory(windowsDirectoryBuffer());
}

} // namespace zelkora
