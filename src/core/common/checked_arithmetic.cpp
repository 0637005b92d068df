#include "common/checked_arithmetic.h"

#include "common/error.h"
#include "common/numbers.h"

#include <limits>
#include <string>

namespace zelkora {
namespace {

[[noreturn]] void failOverflow(std::string_view what) {
    raise(Error{ErrorKind::Overflow}.about(std::string(what)));
}

} // namespace

double divideOrFail(double dividend, double divisor, std::string_view what) {
    if (divisor == 0) {
        raise(Error{ErrorKind::DivisionByZero}.about(std::string(what)));
    }
    return dividend / divisor;
}

std::int32_t incrementOrFail(std::int32_t counter, std::string_view what) {
    if (counter == std::numeric_limits<std::int32_t>::max()) {
        failOverflow(what);
    }
    return counter + 1;
}

std::int32_t toInt32OrFail(double value, std::string_view what) {
    const std::optional<std::int32_t> converted = toInt32(value);
    if (!converted) {
        failOverflow(what);
    }
    return *converted;
}

} // namespace zelkora
