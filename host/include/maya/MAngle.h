#pragma once
// An angle: a value in one of the host's angular units. The host works in radians.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MAngle {
public:
    enum Unit { kInvalid, kRadians, kDegrees, kAngMinutes, kAngSeconds, kLast };

    MAngle();
    MAngle(double value, Unit unitSystem = kRadians);
    MAngle(const MAngle& src);
    ~MAngle();

    MAngle& operator=(const MAngle& src);
    Unit unit() const;
    double value() const;
    MStatus setUnit(Unit newUnit);
    MStatus setValue(double newValue);
    double as(Unit unitSystem, MStatus* ReturnStatus = NULL) const;
    double asRadians() const;
    double asDegrees() const;
    double asAngMinutes() const;
    double asAngSeconds() const;

    static Unit uiUnit();
    static MStatus setUIUnit(Unit newUnit);
    static Unit internalUnit();
    static double uiToInternal(double value);
    static double internalToUI(double value);

private:
    double fValue;
    Unit fUnit;
};
