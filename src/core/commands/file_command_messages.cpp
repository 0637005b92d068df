#include "commands/file_command_messages.h"

#include "messages/error_messages.h"

#include <string>

namespace zelkora {

Message discardChangesQuestion() {
    return {"新しいファイルを開くと編集中のファイルは失われます。", "確認", MessageIcon::Critical,
            MessageButtons::OkCancel};
}

Message openRefusedMessage(std::string_view file, const Error& error) {
    return {"ファイル " + std::string(file) + " を読み込めませんでした。" + errorText(error) +
                "編集中の検証はそのままです。",
            "確認", MessageIcon::Critical, MessageButtons::Ok};
}

Message machineRefusedMessage(std::string_view file, std::string_view problem) {
    std::string text = "ファイル " + std::string(file) + " を読み込めませんでした。";
    text += problem;
    if (!text.ends_with("。")) {
        text += "。";
    }
    return {text + "編集中の検証はそのままです。", "確認", MessageIcon::Critical,
            MessageButtons::Ok};
}

} // namespace zelkora
