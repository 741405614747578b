#pragma once
// Conversion between the members of one unit family (time, distance, angle), each family
// described by a table of rates indexed by its Unit enum.

#include <maya/MStatus.h>

#include <cstddef>

namespace host {
namespace foundation {

// How many of a unit make up the family's reference quantity, as num / den. Keeping the rate as
// a ratio of exact numbers makes conversions between whole-number rates (24 <-> 30 fps,
// cm <-> m) cost one multiplication and one division, with no inexact 1/24-style factors.
// A zero num marks a unit without a fixed rate (kInvalid, user-defined rates).
struct UnitRate {
    double num;
    double den;
};

template <std::size_t N>
bool knownUnit(const UnitRate (&rates)[N], int unit) {
    return unit > 0 && static_cast<std::size_t>(unit) < N && rates[unit].num != 0.0;
}

// `value` in unit `from` expressed in unit `to`; 0 and kInvalidParameter for a unit without a
// rate. Equal units pass the value through untouched.
template <std::size_t N>
double convertIn(const UnitRate (&rates)[N], double value, int from, int to,
                 MStatus* status = nullptr) {
    if (from == to) {
        if (status) {
            *status = MS::kSuccess;
        }
        return value;
    }
    const bool ok = knownUnit(rates, from) && knownUnit(rates, to);
    if (status) {
        *status = ok ? MS::kSuccess : MS::kInvalidParameter;
    }
    if (!ok) {
        return 0.0;
    }
    return value * (rates[to].num * rates[from].den) / (rates[to].den * rates[from].num);
}

}  // namespace foundation
}  // namespace host
