#pragma once

#include <array>
#include <string_view>

namespace zelkora {

// The five sample verifications the first start moves into the data folder, by file name
// without the ".pac" extension, in the order the setup moves them (and numbers their copy
// errors). The sample generator writes files of exactly these names.
inline constexpr std::array<std::string_view, 5> kSampleNames{
    "定番確変315",        // a classic 1/315 machine, half 確変 symbols, 時短 100 on 通常
    "リミッター5回399",   // a 1/399 machine with a limiter of 5
    "甘デジ99次まで時短", // a 1/99 light machine with 次まで時短 symbols
    "サービスタイムの店", // service-time hours where ラッキー and 無制限 matter
    "現金派40玉上限少額", // cash play at 40 balls per 100 yen, small cap, no reinvestment
};

inline constexpr std::string_view kVerificationExtension = ".pac";
inline constexpr std::string_view kDataFolderName = "data";

} // namespace zelkora
