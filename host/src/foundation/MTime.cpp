#include <maya/MTime.h>

#include "foundation/UnitConversion.h"

namespace hf = host::foundation;

namespace {

// How many of each unit make one second, indexed by MTime::Unit (kInvalid and kUserDef have no
// fixed rate).
constexpr hf::UnitRate kPerSecond[] = {
    {0, 1},   {1, 3600}, {1, 60},   {1, 1},    {1000, 1}, {15, 1},   {24, 1},   {25, 1},  {30, 1},
    {48, 1},  {50, 1},   {60, 1},   {2, 1},    {3, 1},    {4, 1},    {5, 1},    {6, 1},   {8, 1},
    {10, 1},  {12, 1},   {16, 1},   {20, 1},   {40, 1},   {75, 1},   {80, 1},   {100, 1}, {120, 1},
    {125, 1}, {150, 1},  {200, 1},  {240, 1},  {250, 1},  {300, 1},  {375, 1},  {400, 1}, {500, 1},
    {600, 1}, {750, 1},  {1200, 1}, {1500, 1}, {2000, 1}, {3000, 1}, {6000, 1}, {0, 1},
};
static_assert(sizeof(kPerSecond) / sizeof(kPerSecond[0]) == MTime::kLast, "one rate per unit");

bool convertible(MTime::Unit unit) {
    return hf::knownUnit(kPerSecond, unit);
}

MTime::Unit gUIUnit = MTime::kFilm;

// Times are compared on the host's tick grid (6000 per second), where every whole frame of
// every frame rate lands on a whole number, so equal times in different units compare equal.
double ticks(const MTime& t) {
    return t.as(MTime::k6000FPS);
}

}  // namespace

MTime::MTime() : fValue(0.0), fUnit(gUIUnit) {}
MTime::MTime(double value, Unit unitSystem) : fValue(value), fUnit(unitSystem) {}
MTime::MTime(const MTime& src) = default;
MTime::~MTime() = default;

MTime::Unit MTime::unit() const {
    return fUnit;
}

double MTime::value() const {
    return fValue;
}

MStatus MTime::setUnit(Unit newUnit) {
    // The time stays the same; only the unit it is expressed in changes.
    if (!convertible(newUnit)) {
        return MS::kInvalidParameter;
    }
    fValue = as(newUnit);
    fUnit = newUnit;
    return MS::kSuccess;
}

MStatus MTime::setValue(double newValue) {
    fValue = newValue;
    return MS::kSuccess;
}

double MTime::as(Unit unitSystem) const {
    return hf::convertIn(kPerSecond, fValue, fUnit, unitSystem);
}

MTime& MTime::operator=(const MTime& rhs) = default;

MTime MTime::operator+(const MTime& rhs) const {
    return MTime(fValue + rhs.as(fUnit), fUnit);
}

MTime MTime::operator+(double rhs) const {
    return MTime(fValue + rhs, fUnit);
}

MTime& MTime::operator+=(const MTime& rhs) {
    return *this = *this + rhs;
}

MTime& MTime::operator+=(double rhs) {
    return *this = *this + rhs;
}

MTime MTime::operator-(const MTime& rhs) const {
    return MTime(fValue - rhs.as(fUnit), fUnit);
}

MTime MTime::operator-(double rhs) const {
    return MTime(fValue - rhs, fUnit);
}

MTime& MTime::operator-=(const MTime& rhs) {
    return *this = *this - rhs;
}

MTime& MTime::operator-=(double rhs) {
    return *this = *this - rhs;
}

MTime MTime::operator*(double rhs) const {
    return MTime(fValue * rhs, fUnit);
}

MTime& MTime::operator*=(double rhs) {
    return *this = *this * rhs;
}

MTime MTime::operator/(double rhs) const {
    return MTime(fValue / rhs, fUnit);
}

MTime& MTime::operator/=(double rhs) {
    return *this = *this / rhs;
}

bool MTime::operator==(const MTime& rhs) const {
    return fUnit == rhs.fUnit ? fValue == rhs.fValue : ticks(*this) == ticks(rhs);
}

bool MTime::operator!=(const MTime& rhs) const {
    return !(*this == rhs);
}

bool MTime::operator<(const MTime& rhs) const {
    return fUnit == rhs.fUnit ? fValue < rhs.fValue : ticks(*this) < ticks(rhs);
}

bool MTime::operator>(const MTime& rhs) const {
    return rhs < *this;
}

bool MTime::operator<=(const MTime& rhs) const {
    return !(rhs < *this);
}

bool MTime::operator>=(const MTime& rhs) const {
    return !(*this < rhs);
}

MTime::Unit MTime::uiUnit() {
    return gUIUnit;
}

MStatus MTime::setUIUnit(Unit newUnit) {
    if (!convertible(newUnit)) {
        return MS::kInvalidParameter;
    }
    gUIUnit = newUnit;
    return MS::kSuccess;
}

MTime operator+(double lhs, const MTime& rhs) {
    return rhs + lhs;
}

MTime operator-(double lhs, const MTime& rhs) {
    return MTime(lhs - rhs.fValue, rhs.fUnit);
}

MTime operator*(double lhs, const MTime& rhs) {
    return rhs * lhs;
}

std::ostream& operator<<(std::ostream& os, const MTime& t) {
    return os << t.fValue;
}
