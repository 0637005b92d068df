#include "platform/thread_starter.h"

#include <system_error>

namespace zelkora {

Result<std::jthread> SystemThreadStarter::start(std::function<void()> work) {
    try {
        return std::jthread(std::move(work));
    } catch (const std::system_error& failure) {
        return Error{ErrorKind::ThreadNotStarted}.because(failure.code());
    }
}

} // namespace zelkora
