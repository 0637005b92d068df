#include "console_platform.h"

#include "platform/pcg_random_source.h"

#include <string>

namespace zelkora::cli {

MessageResult ConsoleUserInterface::showMessage(const Message& message) {
    if (message.icon == MessageIcon::Critical) {
        reportedError_ = true;
        err_ << "zelkora-run: " << message.text << '\n';
    }
    return MessageResult::Ok;
}

ConsolePlatform::ConsolePlatform(UserInterface& ui, int countdown,
                                 std::unique_ptr<RandomSource> source)
    : ui_(ui), timers_(countdown),
      source_(source ? std::move(source) : std::make_unique<PcgRandomSource>(0)),
      random_(*source_) {}

ConsolePlatform::~ConsolePlatform() = default;

} // namespace zelkora::cli
