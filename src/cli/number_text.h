#pragma once

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

namespace zelkora::cli {

// A number with a fixed count of decimals for the runner's tables; "-" for an unknown (NaN).
std::string fixedText(double value, int decimals);

// A number rounded to two decimals, in the shortest plain text the display fields use
// (12.5, -3333, 0.25), for CSV cells; empty for an unknown (NaN).
std::string csvNumber(double value);

// A number for the JSON reports; an unknown (NaN) becomes null.
inline nlohmann::ordered_json jsonNumber(double value) {
    return std::isfinite(value) ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
}

} // namespace zelkora::cli
