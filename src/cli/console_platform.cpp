#include "console_platform.h"

#include <string>

namespace zelkora::cli {

MessageResult ConsoleUserInterface::showMessage(const Message& message) {
    if (message.icon == MessageIcon::Critical) {
        reportedError_ = true;
        err_ << "zelkora-run: " << message.text << '\n';
    }
    return MessageResult::Ok;
}

} // namespace zelkora::cli
