#include "wizard/input_errors.h"

namespace zelkora {

Message inputErrorMessage(std::string_view text, std::string_view title) {
    return {std::string(text), std::string(title), MessageIcon::Critical, MessageButtons::Ok};
}

std::string unstorableCharacterText(std::string_view character) {
    return "ファイルに保存できない文字「" + std::string(character) + "」が含まれています。";
}

} // namespace zelkora
