#include "commands/file_command_messages.h"

#include <string>
#include <utility>

namespace zelkora {
namespace {

constexpr std::string_view kTitle = "確認";

Message failure(std::string text) {
    return {std::move(text), std::string(kTitle), MessageIcon::Critical, MessageButtons::Ok};
}

} // namespace

Message discardChangesQuestion() {
    return {"新しいファイルを開くと編集中のファイルは失われます。", std::string(kTitle),
            MessageIcon::Critical, MessageButtons::OkCancel};
}

Message openFailedMessage(std::string_view file) {
    return failure("ファイル " + std::string(file) +
                   " を開けませんでした。編集中の検証はそのままです。");
}

Message saveFailedMessage(std::string_view file) {
    return failure("ファイル " + std::string(file) +
                   " に保存できませんでした。保存先にあったファイルはそのままです。");
}

Message loadFailedMessage(std::string_view file, std::string_view reason) {
    return failure("ファイル " + std::string(file) + " を読み込めませんでした。" +
                   std::string(reason));
}

} // namespace zelkora
