#include "qt_event_pump.h"

#include <QCoreApplication>
#include <algorithm>

namespace zelkora::ui {

namespace {
// The first skip after a pause: small enough that the first measurement comes within a frame
// even at a microsecond a yield point (a rebuild's records), large enough that a run's quick
// spins reach their interval in a few calls, each of which syncs the window.
constexpr std::uint32_t kFirstSkip = 1U << 14U;
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
    // The loop gets what is left of the interval once the window has had its share, and at
    // least nine times what the window took, so a slow window never costs the run more than a
    // tenth of its time (the frames then come a little less often).
    const Clock::duration window = lastReturn_ - arrived;
    const Clock::duration budget =
        std::max({kInterval - window, Clock::duration(kInterval / 2), window * 9});
    skip_ = elapsed > kStale ? kFirstSkip : nextSkip(skip_, elapsed, budget);
    windowTime_ += lastReturn_ - arrived;
    return skip_;
}

} // namespace zelkora::ui
