#include "console_platform.h"

#include <random>
#include <string>

namespace zelkora::cli {

MessageResult ConsoleUserInterface::showMessage(const Message& message) {
    if (message.icon == MessageIcon::Critical) {
        reportedError_ = true;
        err_ << "zelkora-run: " << message.text << '\n';
    }
    return MessageResult::Ok;
}

TemporaryFolder::TemporaryFolder() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("zelkora-run-" + std::to_string(random()) + std::to_string(random()));
        if (std::filesystem::create_directory(path_)) {
            return;
        }
    }
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace zelkora::cli
