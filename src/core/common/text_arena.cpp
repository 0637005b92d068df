#include "common/text_arena.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace zelkora {
namespace {

constexpr std::size_t kFirstBlockBytes = std::size_t{4} * 1024;
constexpr std::size_t kLargestBlockBytes = std::size_t{1024} * 1024;
constexpr unsigned kOffsetBits = 40; // a block's offset below, its index above
constexpr std::size_t kCompactionFloor = std::size_t{64} * 1024;

std::uint64_t positionOf(std::size_t block, std::size_t offset) {
    return (static_cast<std::uint64_t>(block) << kOffsetBits) | offset;
}

} // namespace

TextArena::TextArena(const TextArena& other) : stored_(other.stored_), dropped_(other.dropped_) {
    blocks_.reserve(other.blocks_.size());
    for (const Block& block : other.blocks_) {
        Block& copy = blocks_.emplace_back(Block{
            std::make_unique_for_overwrite<char[]>(block.capacity), block.capacity, block.used});
        std::memcpy(copy.bytes.get(), block.bytes.get(), block.used);
    }
}

TextArena& TextArena::operator=(const TextArena& other) {
    if (this != &other) {
        *this = TextArena(other);
    }
    return *this;
}

TextArena::Slot TextArena::append(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    char* const out = reserve(text.size());
    std::memcpy(out, text.data(), text.size());
    const Block& block = blocks_.back();
    const std::size_t offset = block.used - text.size();
    stored_ += text.size();
    return {positionOf(blocks_.size() - 1, offset), text.size()};
}

char* TextArena::reserve(std::size_t size) {
    if (blocks_.empty() || blocks_.back().capacity - blocks_.back().used < size) {
        const std::size_t grown = blocks_.empty()
                                      ? kFirstBlockBytes
                                      : std::min(blocks_.back().capacity * 2, kLargestBlockBytes);
        const std::size_t capacity = std::max(grown, size);
        blocks_.push_back({std::make_unique_for_overwrite<char[]>(capacity), capacity, 0});
    }
    Block& block = blocks_.back();
    char* const out = block.bytes.get() + block.used;
    block.used += size;
    return out;
}

std::string_view TextArena::view(Slot slot) const {
    if (slot.size == 0) {
        return {};
    }
    const Block& block = blocks_[static_cast<std::size_t>(slot.position >> kOffsetBits)];
    const auto offset = static_cast<std::size_t>(slot.position & ((1ULL << kOffsetBits) - 1));
    return {block.bytes.get() + offset, slot.size};
}

void TextArena::drop(Slot& slot) {
    dropped_ += slot.size;
    slot = Slot{};
}

void TextArena::clear() {
    blocks_.clear();
    stored_ = 0;
    dropped_ = 0;
}

bool TextArena::holds(std::string_view text) const {
    if (text.empty()) {
        return false;
    }
    const std::less<const char*> before;
    return std::any_of(blocks_.begin(), blocks_.end(), [&](const Block& block) {
        const char* const begin = block.bytes.get();
        return !before(text.data(), begin) && before(text.data(), begin + block.used);
    });
}

bool TextArena::worthCompacting() const {
    return dropped_ > kCompactionFloor && dropped_ > (stored_ - dropped_);
}

} // namespace zelkora
