#include "conditions/condition_set.h"

namespace zelkora {
namespace {

constexpr std::array<RuleOption, 3> kUnlimitedOptions{{
    {"Option11", '1', "常に無制限", "状態にかかわらず常に無制限を得られる。"},
    {"Option12", '2', "初当りで無制限", "初当りのみで無制限を得られる。"},
    {"Option13", '3', "ルール状態が交換時においてのみ初当りで無制限",
     "初当りで、かつ交換ルール状態で無制限。"},
}};
constexpr std::array<RuleOption, 2> kLuckyOptions{{
    {"Option21", '1', "常にラッキー", "状態にかかわらず常にラッキーを得られる。"},
    {"Option22", '2', "初当りでラッキー", "初当りのみでラッキーを得られる。"},
}};
constexpr std::array<RuleOption, 2> kOutOptions{{
    {"Option31", '1', "常にアウト", "状態にかかわらず常に出玉を交換。"},
    {"Option32", '2', "初当りのみアウト", "初当りのみで出玉を交換。"},
}};
constexpr std::array<RuleOption, 2> kUsedUpOptions{{
    {"Option41", '1', "ルールは交換に戻る",
     "出玉をすべて打ち込んだ場合、無制限、ラッキー等の権利を失う。"},
    {"Option42", '2', "ルールはそのまま",
     "出玉をすべて打ち込んだ場合でも、無制限、ラッキー等の権利を失わない。"},
}};

} // namespace

const std::array<RuleOptionGroup, 4> kRuleOptionGroups{{
    {"無制限絵柄の条件", kUnlimitedOptions},
    {"ラッキー絵柄の条件", kLuckyOptions},
    {"アウト絵柄の条件", kOutOptions},
    {"持ち玉を打ち込んだ場合", kUsedUpOptions},
}};

const ConditionSpec* findCondition(Field field) {
    for (const ConditionSpec& condition : kBasicConditions) {
        if (condition.field == field) {
            return &condition;
        }
    }
    for (const ConditionSpec& condition : kTimeConditions) {
        if (condition.field == field) {
            return &condition;
        }
    }
    return field == kSymbolCountCondition.field ? &kSymbolCountCondition : nullptr;
}

std::string_view serviceTimeRuleText(int code) {
    switch (code) {
    case 0:
        return "無制限";
    case 1:
        return "時間内無制限";
    case 2:
        return "ラッキー";
    default:
        return {};
    }
}

std::uint32_t slotColour(char digit) {
    switch (digit) {
    case kSlotNotPlayed:
        return kSlotColourNotPlayed;
    case kSlotPlayed:
        return kSlotColourPlayed;
    case kSlotServiceTime:
        return kSlotColourServiceTime;
    default:
        return 0;
    }
}

SymbolRow defaultSymbolRow(int row) {
    SymbolRow symbol;
    symbol.name = std::to_string(row);
    return symbol;
}

std::vector<SymbolRow> defaultSymbolTable() {
    return {defaultSymbolRow(1), defaultSymbolRow(2)};
}

} // namespace zelkora
