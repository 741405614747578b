#include "commands/uninstancer/DKroundToPlaces.h"

#include "scene/DKnumeric.h"

#include <climits>

namespace {

// 10 to the power, in single precision by repeated squaring, truncated to
// a whole number (1000 for 3).
int powerOfTen(int places) {
    float result = 1.0f;
    float base = 10.0f;
    for (unsigned int exponent = static_cast<unsigned int>(places); exponent != 0; exponent >>= 1) {
        if (exponent & 1u) {
            result *= base;
        }
        base *= base;
    }
    return result >= static_cast<float>(INT_MAX) ? INT_MAX : static_cast<int>(result);
}

}  // namespace

double roundToPlaces(double value, int places) {
    const int scale = powerOfTen(places < 0 ? 0 : places);
    const double bias = value >= 0.0 ? 0.499999 : -0.499999;
    return static_cast<double>(truncateToInt(value * scale + bias)) / scale;
}
