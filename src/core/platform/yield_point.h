#pragma once

#include "platform/platform.h"

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

private:
    EventPump& pump_;
    std::uint32_t remaining_ = 0;
};

} // namespace zelkora
