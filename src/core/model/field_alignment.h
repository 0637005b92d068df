#pragma once

#include "common/field_id.h"

#include <cstdint>

namespace zelkora {

enum class FieldAlignment : std::uint8_t { Left, Centre, Right };

// How a display field aligns its text: numbers to the right, the distribution percentages
// centred, the verification's name, the two probabilities and the texts to the left.
FieldAlignment fieldAlignment(Field field);

} // namespace zelkora
