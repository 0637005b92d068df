#pragma once

#include "shell/platform.h"

#include <cstddef>
#include <vector>

namespace zelkora {

// The generator as the engine draws it: one value at a time, in sequence order, from a buffer
// that is refilled from the source. Values taken from the source are never dropped, so the
// sequence continues across runs and rebuilds exactly as one generator would.
class RandomStream {
public:
    explicit RandomStream(RandomSource& source) : source_(source) {}

    float next() {
        if (position_ == buffer_.size()) {
            refill();
        }
        return buffer_[position_++];
    }

private:
    void refill() {
        buffer_.resize(source_.preferredBatch() == 0 ? 1 : source_.preferredBatch());
        source_.fill(buffer_);
        position_ = 0;
    }

    RandomSource& source_;
    std::vector<float> buffer_;
    std::size_t position_ = 0;
};

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
