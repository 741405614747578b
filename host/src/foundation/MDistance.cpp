#include <maya/MDistance.h>

#include "foundation/UnitConversion.h"

namespace hf = host::foundation;

namespace {

// How many of each unit make one centimeter, indexed by MDistance::Unit.
constexpr hf::UnitRate kPerCentimeter[] = {
    {0, 1},           // kInvalid
    {100, 254},       // kInches
    {100, 3048},      // kFeet
    {100, 9144},      // kYards
    {100, 16093440},  // kMiles
    {10, 1},          // kMillimeters
    {1, 1},           // kCentimeters
    {1, 100000},      // kKilometers
    {1, 100},         // kMeters
};
static_assert(sizeof(kPerCentimeter) / sizeof(kPerCentimeter[0]) == MDistance::kLast,
              "one rate per unit");

bool convertible(MDistance::Unit unit) {
    return hf::knownUnit(kPerCentimeter, unit);
}

MDistance::Unit gUIUnit = MDistance::kCentimeters;

}  // namespace

MDistance::MDistance() : fValue(0.0), fUnit(kCentimeters) {}
MDistance::MDistance(double value, Unit unitSystem) : fValue(value), fUnit(unitSystem) {}
MDistance::MDistance(const MDistance& src) = default;
MDistance::~MDistance() = default;

MDistance& MDistance::operator=(const MDistance& src) = default;

MDistance::Unit MDistance::unit() const {
    return fUnit;
}

double MDistance::value() const {
    return fValue;
}

MStatus MDistance::setUnit(Unit newUnit) {
    // The length stays the same; only the unit it is expressed in changes.
    if (!convertible(newUnit)) {
        return MS::kInvalidParameter;
    }
    fValue = as(newUnit);
    fUnit = newUnit;
    return MS::kSuccess;
}

MStatus MDistance::setValue(double newValue) {
    fValue = newValue;
    return MS::kSuccess;
}

double MDistance::as(Unit unitSystem, MStatus* ReturnStatus) const {
    return hf::convertIn(kPerCentimeter, fValue, fUnit, unitSystem, ReturnStatus);
}

double MDistance::asInches() const {
    return as(kInches);
}

double MDistance::asFeet() const {
    return as(kFeet);
}

double MDistance::asYards() const {
    return as(kYards);
}

double MDistance::asMiles() const {
    return as(kMiles);
}

double MDistance::asMillimeters() const {
    return as(kMillimeters);
}

double MDistance::asCentimeters() const {
    return as(kCentimeters);
}

double MDistance::asKilometers() const {
    return as(kKilometers);
}

double MDistance::asMeters() const {
    return as(kMeters);
}

MDistance::Unit MDistance::uiUnit() {
    return gUIUnit;
}

MStatus MDistance::setUIUnit(Unit newUnit) {
    if (!convertible(newUnit)) {
        return MS::kInvalidParameter;
    }
    gUIUnit = newUnit;
    return MS::kSuccess;
}

MDistance::Unit MDistance::internalUnit() {
    return kCentimeters;
}

double MDistance::uiToInternal(double value) {
    return MDistance(value, gUIUnit).as(internalUnit());
}

double MDistance::internalToUI(double value) {
    return MDistance(value, internalUnit()).as(gUIUnit);
}
