#pragma once

#include "common/field_id.h"

#include <array>
#include <cstddef>

namespace zelkora {

// The overall-data panel: the figures 統計データobCLR clears, in its order, then the held-ball
// ratio and the time-saving spins the run adds. The analysis averages every one of them.
inline constexpr std::array<Field, 22> kOverallFigures{
    Field::勝数表示,         Field::負け数表示,       Field::勝率表示,
    Field::平均収支表示,     Field::初当たり数表示,   Field::初当たり確率表示,
    Field::初当り確変率表示, Field::初当り確変数表示, Field::総大当り数表示,
    Field::確率表示,         Field::確変率表示,       Field::確変数表示,
    Field::総回転数表示,     Field::収支表示F,        Field::最大はまり表示,
    Field::初当り時短率表示, Field::初当り時短数表示, Field::総時短率表示,
    Field::総時短数表示,     Field::平均連荘表示,     Field::持ち玉比率,
    Field::総時短回転数表示};

inline constexpr std::size_t kOverallFigureCount = kOverallFigures.size();

// The position of a figure in kOverallFigures; the list's size for a field that is not in it.
constexpr std::size_t overallFigureIndex(Field field) {
    for (std::size_t index = 0; index < kOverallFigures.size(); ++index) {
        if (kOverallFigures[index] == field) {
            return index;
        }
    }
    return kOverallFigures.size();
}

} // namespace zelkora
