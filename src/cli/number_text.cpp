#include "number_text.h"

#include "common/numbers.h"

#include <array>
#include <cstdio>

namespace zelkora::cli {

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value)) {
        return "-";
    }
    // A value that rounds to zero is shown without a minus sign.
    const double scale = std::pow(10.0, decimals);
    const double shown = std::round(value * scale) == 0 ? 0.0 : value;
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, shown);
    return text.data();
}

std::string csvNumber(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    const double rounded = std::round(value * 100) / 100;
    return plainText(rounded == 0 ? 0.0 : rounded);
}

} // namespace zelkora::cli
