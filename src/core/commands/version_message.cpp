#include "commands/version_message.h"

#include <string>

namespace zelkora {

Message versionMessage() {
    // The full-width spaces and digits are part of the text as the box shows it.
    return {"ゼルコラ　バージョン１．4　HP　Adr.　" + std::string(kHomePageAddress),
            "バージョン情報", MessageIcon::Information, MessageButtons::Ok};
}

} // namespace zelkora
