#include "engine/state_transition.h"

#include "common/error.h"

#include <limits>

namespace zelkora {

TransitionResult transition(ModeState current, const SymbolInfo& symbol, std::int32_t streak,
                            const Limiter& limiter) {
    TransitionResult result{current, false};
    ModeState& mode = result.next;
    if (symbol.kind == SymbolKind::通常) {
        mode.state = MachineState::通常;
        if (mode.pendingShortTime) {
            mode.pendingShortTime = false;
            mode.state = MachineState::時短;
        } else {
            mode.remainingShortSpins = 0;
        }
    }
    if (symbol.shortTimeSpins > 0) {
        mode.remainingShortSpins = symbol.shortTimeSpins;
        mode.state = MachineState::時短;
        mode.pendingShortTime = true;
    }
    if (symbol.kind == SymbolKind::確変) {
        if (limiter.enabled && limiter.count == static_cast<double>(streak)) {
            mode.state = MachineState::通常;
            if (mode.pendingShortTime) {
                mode.state = MachineState::時短;
                mode.pendingShortTime = false;
            }
        } else {
            mode.state = MachineState::確変;
            result.entered確変 = true;
        }
    }
    if (symbol.kind == SymbolKind::次まで時短) {
        mode.state = MachineState::次まで時短;
    }
    return result;
}

std::int32_t streakAfterHit(MachineState before, std::int32_t streak) {
    if (before == MachineState::通常) {
        return 1;
    }
    if (streak == std::numeric_limits<std::int32_t>::max()) {
        raise(Error{ErrorKind::StreakLimit}.counting(streak));
    }
    return streak + 1;
}

} // namespace zelkora
