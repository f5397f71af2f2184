#pragma once

#include <climits>
#include <cmath>

// Truncates toward zero like a C cast, but a value that does not fit (or is not a number)
// saturates instead of being undefined: the engine's numbers are not ours to trust.
inline int TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}
