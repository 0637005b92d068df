#pragma once

#include <cstdint>
#include <string_view>

// The run's text-valued variables as typed values: the machine state, the ball rule, and the
// kind and rule of a symbol. The hot loop compares enumerators; the texts appear only where a
// field or a record shows them.
namespace zelkora {

enum class MachineState : std::uint8_t { 通常, 確変, 時短, 次まで時短 };

// "通常", "確変", "時短", "次まで時短".
std::string_view stateText(MachineState state);
// What c大当り詳細_状態 shows: 次まで時短 is shown as "時短".
std::string_view stateBoxText(MachineState state);

// The ball rule during play (交換, 無制限, ラッキー) and the markers that end a day or the run.
enum class BallRule : std::uint8_t { 交換, 無制限, ラッキー, 回転数終了, 持金パンク, キャンセル };
std::string_view ballRuleText(BallRule rule);

// A symbol's kind; any text other than the three known kinds is Other and starts nothing.
enum class SymbolKind : std::uint8_t { 確変, 通常, 次まで時短, Other };
SymbolKind symbolKindOf(std::string_view text);

// A symbol's 持玉ルール; every text other than the three tested ones behaves as exchange.
enum class SymbolRule : std::uint8_t { 無制限, ラッキー, アウト, Exchange };
SymbolRule symbolRuleOf(std::string_view text);

// One symbol of the table as the big hit reads it.
struct SymbolInfo {
    SymbolKind kind = SymbolKind::通常;
    SymbolRule rule = SymbolRule::Exchange;
    std::int16_t shortTimeSpins = 0; // 時短数
    std::int16_t payout = 0;         // 出玉数
};

} // namespace zelkora
