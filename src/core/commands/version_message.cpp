#include "commands/version_message.h"

#include <string>
#include <utility>

namespace zelkora {

Message versionMessage() {
    // The full-width spaces and digits are part of the text as the box shows it.
    std::string text = "ゼルコラ　バージョン１．4";
    if (!kHomePageAddress.empty()) {
        text += "　HP　Adr.　" + std::string(kHomePageAddress);
    }
    return {std::move(text), "バージョン情報", MessageIcon::Information, MessageButtons::Ok};
}

} // namespace zelkora
