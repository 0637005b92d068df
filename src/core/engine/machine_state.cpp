#include "engine/machine_state.h"

#include "conditions/condition_set.h"

namespace zelkora {

std::string_view stateText(MachineState state) {
    switch (state) {
    case MachineState::通常:
        return "通常";
    case MachineState::確変:
        return "確変";
    case MachineState::時短:
        return "時短";
    case MachineState::次まで時短:
        return "次まで時短";
    }
    return {};
}

std::string_view stateBoxText(MachineState state) {
    return state == MachineState::次まで時短 ? stateText(MachineState::時短) : stateText(state);
}

std::string_view ballRuleText(BallRule rule) {
    switch (rule) {
    case BallRule::交換:
        return "交換";
    case BallRule::無制限:
        return "無制限";
    case BallRule::ラッキー:
        return "ラッキー";
    case BallRule::回転数終了:
        return "回転数終了";
    case BallRule::持金パンク:
        return "持金パンク";
    case BallRule::キャンセル:
        return "キャンセル";
    }
    return {};
}

SymbolKind symbolKindOf(std::string_view text) {
    if (text == kKind確変) {
        return SymbolKind::確変;
    }
    if (text == kKind通常) {
        return SymbolKind::通常;
    }
    if (text == kKind次まで時短) {
        return SymbolKind::次まで時短;
    }
    return SymbolKind::Other;
}

SymbolRule symbolRuleOf(std::string_view text) {
    if (text == kRule無制限) {
        return SymbolRule::無制限;
    }
    if (text == kRuleラッキー) {
        return SymbolRule::ラッキー;
    }
    if (text == kRuleアウト) {
        return SymbolRule::アウト;
    }
    return SymbolRule::Exchange;
}

} // namespace zelkora
