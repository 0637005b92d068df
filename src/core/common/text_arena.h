#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace zelkora {

// Short texts stored one after another in blocks that never move. A table of hundreds of
// thousands of small texts (a grid's rows, a chart's labels) then costs one allocation per block
// rather than one per text, and growing it copies nothing: a text once stored stays where it is
// until it is dropped and the arena compacted. The blocks grow from a few kilobytes, so a small
// table stays small.
class TextArena {
public:
    // Where a text lies: its block and offset in one number, and its size.
    struct Slot {
        std::uint64_t position = 0;
        std::size_t size = 0;
    };

    TextArena() = default;
    // A copy holds the same texts at the same slots.
    TextArena(const TextArena& other);
    TextArena& operator=(const TextArena& other);
    TextArena(TextArena&&) noexcept = default;
    TextArena& operator=(TextArena&&) noexcept = default;
    ~TextArena() = default;

    Slot append(std::string_view text);
    std::string_view view(Slot slot) const;
    // The slot's bytes are no longer referred to; compaction may reclaim them.
    void drop(Slot& slot);
    void clear();
    // Whether `text` lies in this arena's storage (and so moves when it is compacted).
    bool holds(std::string_view text) const;

    // Compaction copies every live text once; below a floor of dropped bytes, or while they are
    // less than half of what is stored, it is not worth it.
    bool worthCompacting() const;
    // Moves every live text into fresh blocks and updates its slot: `forEachSlot(move)` calls
    // move(slot) on every slot still in use. Every other text of this arena is lost.
    template <typename ForEachSlot> void compact(ForEachSlot forEachSlot) {
        TextArena fresh;
        forEachSlot([this, &fresh](Slot& slot) { slot = fresh.append(view(slot)); });
        *this = std::move(fresh);
    }

private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t capacity = 0;
        std::size_t used = 0;
    };
    char* reserve(std::size_t size);

    std::vector<Block> blocks_;
    std::size_t stored_ = 0;  // bytes of every text appended since the last clear or compaction
    std::size_t dropped_ = 0; // bytes of those that were dropped
};

} // namespace zelkora
