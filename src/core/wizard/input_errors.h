#pragma once

#include "platform/platform.h"

#include <string>
#include <string_view>

// The message boxes of the pages' input checks: a critical icon, an OK button, a text that says
// what is allowed and a title that ends in "入力エラー".
namespace zelkora {

struct InputError {
    std::string_view text;
    std::string_view title;
};

Message inputErrorMessage(std::string_view text, std::string_view title);
inline Message inputErrorMessage(const InputError& error) {
    return inputErrorMessage(error.text, error.title);
}

// A character that code page 932 has no form for cannot be written to the file.
std::string unstorableCharacterText(std::string_view character);

} // namespace zelkora
