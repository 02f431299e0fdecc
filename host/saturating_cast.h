// Float-to-integer conversion that truncates toward zero like a plain cast
// but gives a defined answer where a plain cast would not: NaN becomes 0 and
// values beyond the range stick at its ends.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

inline std::int32_t truncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483649.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}
