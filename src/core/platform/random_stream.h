#pragma once

#include "platform/platform.h"

#include <cassert>
#include <cstddef>
#include <span>
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

    // The values not drawn yet, at least one (the buffer is refilled when it is empty), so a hot
    // loop can draw from a range held in locals; it then says how many it took with take().
    std::span<const float> pending() {
        if (position_ == buffer_.size()) {
            refill();
        }
        return std::span<const float>(buffer_).subspan(position_);
    }
    void take(std::size_t count) {
        assert(count <= buffer_.size() - position_);
        position_ += count;
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
