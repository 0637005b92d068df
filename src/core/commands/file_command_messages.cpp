#include "commands/file_command_messages.h"

#include <string>

namespace zelkora {

Message discardChangesQuestion() {
    return {"新しいファイルを開くと編集中のファイルは失われます。", "確認", MessageIcon::Critical,
            MessageButtons::OkCancel};
}

} // namespace zelkora
