#pragma once

#include "platform/platform.h"

#include <chrono>
#include <cstdint>
#include <functional>

namespace zelkora::ui {

// Processes the window's events inside a run or a rebuild, every 40 ms of wall time rather
// than at every yield point: it measures how long the yield points it skipped took and asks the
// loop to skip as many as fill the interval, less the time the window itself took, so a skipped
// yield point costs the loop one decrement. Before the events it brings the widgets up to the model
// (`sync`).
class QtEventPump final : public EventPump {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kInterval{40000};

    explicit QtEventPump(std::function<void()> sync) : sync_(std::move(sync)) {}

    std::uint32_t processEvents() override;

    // How many yield points fill `budget` of the loop's time, after a call that came `elapsed`
    // after the previous one with `skipped` skipped in between. Grows at most fourfold per call so
    // a slow stretch of the loop (a big hit, a day end) never makes the window wait far past its
    // interval.
    static std::uint32_t nextSkip(std::uint32_t skipped, Clock::duration elapsed,
                                  Clock::duration budget);

    std::uint64_t calls() const { return calls_; }
    // Wall time spent syncing the window and processing its events, over all calls.
    Clock::duration windowTime() const { return windowTime_; }
    Clock::duration syncTime() const { return syncTime_; }

private:
    std::function<void()> sync_;
    Clock::time_point lastReturn_{};
    std::uint32_t skip_ = 0;
    std::uint64_t calls_ = 0;
    Clock::duration windowTime_{};
    Clock::duration syncTime_{};
};

} // namespace zelkora::ui
