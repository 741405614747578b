#ifndef DK_SCENE_DKNUMERIC_H
#define DK_SCENE_DKNUMERIC_H

#include <climits>

// Truncation toward zero as the host's own conversions do, but defined for
// every double: values no int can hold are clamped and a NaN gives 0.
inline int truncateToInt(double value) {
    if (value != value) {
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

#endif
