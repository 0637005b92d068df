#include "qt_event_pump.h"

#include <QCoreApplication>
#include <algorithm>

namespace zelkora::ui {

namespace {
// The first skip after a pause: small, so the first measurement comes quickly.
constexpr std::uint32_t kFirstSkip = 64;
constexpr std::uint32_t kMaxSkip = 50'000'000;
// A pause this long between two calls means the loop was not running (a message box, a new
// run): start measuring afresh.
constexpr auto kStale = std::chrono::milliseconds(500);
} // namespace

std::uint32_t QtEventPump::nextSkip(std::uint32_t skipped, Clock::duration elapsed,
                                    Clock::duration budget) {
    const double yields = static_cast<double>(skipped) + 1;
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count();
    const double perYield = std::max(1.0, static_cast<double>(nanoseconds) / yields);
    const double wanted =
        static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(budget).count()) /
        perYield;
    const double ceiling = std::min(static_cast<double>(kMaxSkip), yields * 4);
    return static_cast<std::uint32_t>(std::clamp(wanted - 1, 0.0, ceiling));
}

std::uint32_t QtEventPump::processEvents() {
    ++calls_;
    const Clock::time_point arrived = Clock::now();
    const Clock::duration elapsed = arrived - lastReturn_;
    if (sync_) {
        sync_();
    }
    syncTime_ += Clock::now() - arrived;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    lastReturn_ = Clock::now();
    // The loop gets what is left of the interval once the window has had its share.
    const Clock::duration budget =
        std::max<Clock::duration>(kInterval - (lastReturn_ - arrived), kInterval / 2);
    skip_ = elapsed > kStale ? kFirstSkip : nextSkip(skip_, elapsed, budget);
    windowTime_ += lastReturn_ - arrived;
    return skip_;
}

} // namespace zelkora::ui
