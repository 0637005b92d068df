#pragma once

#include "common/field_id.h"

#include <cstdint>
#include <string_view>

namespace zelkora {

// Arithmetic faults end the procedure that meets them (a Fault carrying ErrorKind::Overflow or
// DivisionByZero), rather than writing an infinite or wrapped figure that would look like a
// result. `what` names the figure for the user.

// dividend / divisor; a zero divisor is a fault.
double divideOrFail(double dividend, double divisor, std::string_view what);
// The same, the divisor being read from `divisorField`, which the message names.
inline double divideOrFail(double dividend, double divisor, Field divisorField) {
    if (divisor == 0) {
        return divideOrFail(dividend, divisor, fieldName(divisorField));
    }
    return dividend / divisor;
}
// counter + 1; passing the 32-bit range is a fault.
std::int32_t incrementOrFail(std::int32_t counter, std::string_view what);
// The value as a 32-bit integer, halves to the even neighbour; out of range is a fault.
std::int32_t toInt32OrFail(double value, std::string_view what);

} // namespace zelkora
