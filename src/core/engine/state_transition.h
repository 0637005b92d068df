#pragma once

#include "engine/machine_state.h"

#include <cstdint>

// The machine state a big hit leaves, from the winning symbol.
namespace zelkora {

struct ModeState {
    MachineState state = MachineState::通常;
    bool pendingShortTime = false; // a 時短 is running or waits for the 確変 to end
    std::int32_t remainingShortSpins = 0;

    bool operator==(const ModeState&) const = default;
};

struct Limiter {
    bool enabled = false; // 条件_リミッター is "はい"
    double count = 0;     // 条件_リミッター数
};

struct TransitionResult {
    ModeState next;
    bool entered確変 = false; // counts in 確変数表示
};

// The four tests in order, each seeing what the earlier ones set: a 通常 symbol ends the mode
// (resuming a pending 時短), 時短数 > 0 starts a 時短, a 確変 symbol starts 確変 unless the
// limiter cuts the streak at exactly its count, a 次まで時短 symbol starts 次まで時短.
TransitionResult transition(ModeState current, const SymbolInfo& symbol, std::int32_t streak,
                            const Limiter& limiter);

// The streak length (連荘) including this big hit: 1 at a first hit (the state before it is
// 通常), one more at any other. A streak already at the largest 32-bit length cannot count
// another hit: that is a StreakLimit fault, which ends the run.
std::int32_t streakAfterHit(MachineState before, std::int32_t streak);

} // namespace zelkora
