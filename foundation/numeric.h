#pragma once
// Conversions of doubles to integers that are defined for every input.
#include <cmath>
#include <cstdint>
#include <limits>

// Truncates toward zero, saturating at the int range; NaN gives 0.
inline int SaturateToInt(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return std::numeric_limits<int>::max();
    if (x <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(x);
}
