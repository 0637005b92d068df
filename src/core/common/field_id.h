#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Every named display field of the main window. Code addresses a field by its enumerator; the
// window and the tests address it by the exact name, which is the enumerator's own spelling.
namespace zelkora {

// clang-format off
#define ZELKORA_FIELDS(X) \
    /* condition displays */ \
    X(条件_名前) X(条件_確率) X(条件_確変倍率) X(条件_リミッター) X(条件_リミッター数) \
    X(条件_両替率) X(条件_何日分) X(条件_回転数1000円) X(条件_投資上限日) X(条件_出玉を両替) \
    X(条件_投資単位) X(条件_絵柄数) X(条件_回転時間) X(条件_確変回転時間) X(条件_時間比率) \
    X(条件_TS) \
    /* big-hit detail strip, in result-record column order */ \
    X(c大当り詳細_日目) X(c大当り詳細_回転数) X(c大当り詳細_時短回転数) X(c大当り詳細_投資額F) \
    X(c大当り詳細_大当り) X(c大当り詳細_当絵柄) X(c大当り詳細_ルール) X(c大当り詳細_状態) \
    X(c大当り詳細_持玉数F) X(c大当り詳細_交換玉数) X(c大当り詳細_連荘) \
    /* daily-total strip, in day-grid column order */ \
    X(c日合計_日目) X(c日合計_投資額F) X(c日合計_回転数) X(c日合計_大当り数) X(c日合計_交換出玉) \
    X(c日合計_収支F) X(c日合計_積算収支F) \
    /* overall figures */ \
    X(勝数表示) X(負け数表示) X(勝率表示) X(平均収支表示) X(初当たり数表示) X(初当たり確率表示) \
    X(初当り確変率表示) X(初当り確変数表示) X(総大当り数表示) X(確率表示) X(確変率表示) \
    X(確変数表示) X(総回転数表示) X(収支表示F) X(最大はまり表示) X(初当り時短率表示) \
    X(初当り時短数表示) X(総時短率表示) X(総時短数表示) X(平均連荘表示) X(持ち玉比率) \
    X(総時短回転数表示) \
    /* distribution boxes */ \
    X(回転数1r) X(回転数2r) X(回転数3r) X(回転数4r) X(回転数5r) X(回転数6r) X(回転数7r) \
    X(回転数8r) X(回転数9r) \
    X(回転数1t) X(回転数2t) X(回転数3t) X(回転数4t) X(回転数5t) X(回転数6t) X(回転数7t) \
    X(回転数8t) X(回転数9t) \
    X(連荘1r) X(連荘2r) X(連荘3r) X(連荘4r) X(連荘5r) X(連荘6r) X(連荘7r) X(連荘8r) X(連荘9r) \
    X(連荘10r) X(連荘11r) \
    /* run area, status bar and progress bars */ \
    X(EXP) X(action表示) X(date) X(StatusBar1_Panel1) X(StatusBar1_Panel2) \
    X(ProgressBar1) X(ProgressBar2) X(ProgressBar3) X(ProgressBar4) X(ProgressBar5) \
    X(ProgressBar6) X(ProgressBar7) X(ProgressBar8) X(ProgressBar9) X(ProgressBar10) \
    X(ProgressBar11) X(ProgressBar12) X(ProgressBar13) X(ProgressBar14) X(ProgressBar15)
// clang-format on

enum class Field : std::uint16_t {
#define ZELKORA_FIELD_ENUMERATOR(name) name,
    ZELKORA_FIELDS(ZELKORA_FIELD_ENUMERATOR)
#undef ZELKORA_FIELD_ENUMERATOR
};

inline constexpr std::size_t kFieldCount = 0
// Each expansion is one term of the sum, which parentheses would break.
#define ZELKORA_FIELD_COUNT(name) +1 // NOLINT(bugprone-macro-parentheses)
    ZELKORA_FIELDS(ZELKORA_FIELD_COUNT)
#undef ZELKORA_FIELD_COUNT
    ;

constexpr std::size_t fieldIndex(Field field) {
    return static_cast<std::size_t>(field);
}

// The exact name of a field, as the window and the tests know it.
std::string_view fieldName(Field field);
// The field of that exact name, if there is one.
std::optional<Field> fieldByName(std::string_view name);

// Fields that come in numbered runs, addressed by their number (1-based, as named).
Field spinShareField(int bucket);      // 回転数1r … 回転数9r
Field spinCumulativeField(int bucket); // 回転数1t … 回転数9t
Field streakShareField(int bucket);    // 連荘1r … 連荘11r
Field progressBarField(int number);    // ProgressBar1 … ProgressBar15

} // namespace zelkora
