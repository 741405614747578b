#ifndef HOST_FOUNDATION_NUMBERS_H
#define HOST_FOUNDATION_NUMBERS_H

#include <climits>
#include <cmath>

namespace host {
namespace foundation {

// Truncation toward zero, saturating at the int range (NaN reads as 0): for
// turning into an int a double that a user, a script or a file may have set
// to anything, where a plain cast of one that no int can hold is undefined.
inline int truncToInt(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace foundation
}  // namespace host

#endif
