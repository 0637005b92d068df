#include "commands/setup_messages.h"

#include "messages/error_messages.h"

#include <array>

namespace zelkora {
namespace {

constexpr std::string_view kSetupTitle = "セットアップ";
constexpr std::array<std::string_view, 5> kFullWidthDigits{"１", "２", "３", "４", "５"};

} // namespace

Message welcomeMessage() {
    return {"ゼルコラにようこそ。", "ようこそ", MessageIcon::Information, MessageButtons::Ok};
}

Message setupFinishedMessage() {
    return {"初期設定は終了しました。", "ゼルコラ", MessageIcon::Information, MessageButtons::Ok};
}

Message setupAbortedMessage() {
    return {"エラーが発生しました。初期設定は途中ですが中断されました。", std::string(kSetupTitle),
            MessageIcon::Critical, MessageButtons::Ok};
}

Message copyErrorMessage(int sample) {
    return {"コピーエラー" + std::string(kFullWidthDigits.at(static_cast<std::size_t>(sample))) +
                "。",
            std::string(kSetupTitle), MessageIcon::Critical, MessageButtons::Ok};
}

Message damagedSettingsMessage(std::string_view file) {
    return {"設定ファイル " + std::string(file) + " を読み取れません。初期設定をやり直します。",
            std::string(kSetupTitle), MessageIcon::Exclamation, MessageButtons::Ok};
}

Message settingsNotWrittenMessage(std::string_view file, const Error& error) {
    return {"設定ファイル " + std::string(file) + " を書き込めませんでした。" +
                failureDetail(file, error) + "初期設定は途中ですが中断されました。",
            std::string(kSetupTitle), MessageIcon::Critical, MessageButtons::Ok};
}

Message settingsUnreadableMessage(std::string_view file) {
    return {"設定ファイル " + std::string(file) + " を読み取れません。ゼルコラを終了します。",
            std::string(kSetupTitle), MessageIcon::Critical, MessageButtons::Ok};
}

Message programFolderMissingMessage(std::string_view folder, const Error& error) {
    return {"プログラムフォルダ " + std::string(folder) + " に移れません。" + failureReason(error) +
                "ゼルコラを終了します。",
            std::string(kSetupTitle), MessageIcon::Critical, MessageButtons::Ok};
}

} // namespace zelkora
