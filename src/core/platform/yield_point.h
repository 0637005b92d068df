#pragma once

#include "platform/platform.h"

#include <cassert>
#include <cstdint>

namespace zelkora {

// A yield point of a long loop: calls the pump only when the skip count it gave has run out.
class YieldPoint {
public:
    explicit YieldPoint(EventPump& pump) : pump_(pump) {}

    // Whether the next call processes events, so a loop can bring its state up to date first.
    bool due() const { return remaining_ == 0; }

    void operator()() {
        if (remaining_ == 0) {
            remaining_ = pump_.processEvents();
        } else {
            --remaining_;
        }
    }

    // How many calls in a row will only count down, and passing that many at once: a loop that
    // plays a run of spins between two events counts its yield points in one step.
    std::uint32_t skippable() const { return remaining_; }
    void skip(std::uint32_t calls) {
        assert(calls <= remaining_);
        remaining_ -= calls;
    }

private:
    EventPump& pump_;
    std::uint32_t remaining_ = 0;
};

} // namespace zelkora
