#include "termination_cleanup.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <cerrno>
#include <unistd.h>
#endif

namespace zelkora::cli {
namespace {

constexpr std::size_t kSlots = 8;
constexpr std::size_t kLongestPath = 4096;
constexpr std::size_t kNoSlot = kSlots;

// Plain memory a handler can read: a slot's path is complete before `used` says so, and `used`
// is cleared before the path may change.
struct Slot {
    std::array<char, kLongestPath> path{};
    RemovedKind kind = RemovedKind::File;
    volatile std::sig_atomic_t used = 0;
};
std::array<Slot, kSlots> slots;

void removeRegistered(RemovedKind kind) {
    for (const Slot& slot : slots) {
        if (slot.used == 0 || slot.kind != kind) {
            continue;
        }
#ifdef _WIN32
        std::remove(slot.path.data());
#else
        if (kind == RemovedKind::File) {
            ::unlink(slot.path.data());
        } else {
            ::rmdir(slot.path.data());
        }
#endif
    }
}

extern "C" void removeThenEnd(int signal) {
#ifndef _WIN32
    const int savedError = errno;
#endif
    removeRegistered(RemovedKind::File);
    removeRegistered(RemovedKind::EmptyFolder);
#ifndef _WIN32
    errno = savedError;
#endif
    // The handler was installed to run once: the signal raised again ends the process with the
    // status a shell expects of it.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void installTerminationCleanup() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::signal(SIGINT, removeThenEnd);
    std::signal(SIGTERM, removeThenEnd);
}

RemovedOnSignal::RemovedOnSignal(const std::filesystem::path& path, RemovedKind kind)
    : slot_(kNoSlot) {
    const std::string text = path.string();
    if (text.size() >= kLongestPath) {
        return;
    }
    for (std::size_t index = 0; index < kSlots; ++index) {
        Slot& slot = slots[index];
        if (slot.used != 0) {
            continue;
        }
        std::memcpy(slot.path.data(), text.c_str(), text.size() + 1);
        slot.kind = kind;
        std::atomic_signal_fence(std::memory_order_seq_cst);
        slot.used = 1;
        slot_ = index;
        return;
    }
}

RemovedOnSignal::~RemovedOnSignal() {
    if (slot_ != kNoSlot) {
        slots[slot_].used = 0;
        std::atomic_signal_fence(std::memory_order_seq_cst);
    }
}

} // namespace zelkora::cli
