#pragma once

#include "platform/platform.h"

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

} // namespace zelkora
