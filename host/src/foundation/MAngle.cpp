#include <maya/MAngle.h>

#include "foundation/UnitConversion.h"

namespace hf = host::foundation;

namespace {

// How many of each unit make one full turn, indexed by MAngle::Unit.
constexpr hf::UnitRate kPerTurn[] = {
    {0, 1},                             // kInvalid
    {2.0 * 3.14159265358979323846, 1},  // kRadians
    {360, 1},                           // kDegrees
    {21600, 1},                         // kAngMinutes
    {1296000, 1},                       // kAngSeconds
};
static_assert(sizeof(kPerTurn) / sizeof(kPerTurn[0]) == MAngle::kLast, "one rate per unit");

bool convertible(MAngle::Unit unit) {
    return hf::knownUnit(kPerTurn, unit);
}

MAngle::Unit gUIUnit = MAngle::kDegrees;

}  // namespace

MAngle::MAngle() : fValue(0.0), fUnit(kRadians) {}
MAngle::MAngle(double value, Unit unitSystem) : fValue(value), fUnit(unitSystem) {}
MAngle::MAngle(const MAngle& src) = default;
MAngle::~MAngle() = default;

MAngle& MAngle::operator=(const MAngle& src) = default;

MAngle::Unit MAngle::unit() const {
    return fUnit;
}

double MAngle::value() const {
    return fValue;
}

MStatus MAngle::setUnit(Unit newUnit) {
    // The angle stays the same; only the unit it is expressed in changes.
    if (!convertible(newUnit)) {
        return MS::kInvalidParameter;
    }
    fValue = as(newUnit);
    fUnit = newUnit;
    return MS::kSuccess;
}

MStatus MAngle::setValue(double newValue) {
    fValue = newValue;
    return MS::kSuccess;
}

double MAngle::as(Unit unitSystem, MStatus* ReturnStatus) const {
    return hf::convertIn(kPerTurn, fValue, fUnit, unitSystem, ReturnStatus);
}

double MAngle::asRadians() const {
    return as(kRadians);
}

double MAngle::asDegrees() const {
    return as(kDegrees);
}

double MAngle::asAngMinutes() const {
    return as(kAngMinutes);
}

double MAngle::asAngSeconds() const {
    return as(kAngSeconds);
}

MAngle::Unit MAngle::uiUnit() {
    return gUIUnit;
}

MStatus MAngle::setUIUnit(Unit newUnit) {
    if (!convertible(newUnit)) {
        return MS::kInvalidParameter;
    }
    gUIUnit = newUnit;
    return MS::kSuccess;
}

MAngle::Unit MAngle::internalUnit() {
    return kRadians;
}

double MAngle::uiToInternal(double value) {
    return MAngle(value, gUIUnit).as(internalUnit());
}

double MAngle::internalToUI(double value) {
    return MAngle(value, internalUnit()).as(gUIUnit);
}
