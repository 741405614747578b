#pragma once
// A length: a value in one of the host's linear units. The host works in centimeters.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MDistance {
public:
    enum Unit {
        kInvalid,
        kInches,
        kFeet,
        kYards,
        kMiles,
        kMillimeters,
        kCentimeters,
        kKilometers,
        kMeters,
        kLast
    };

    MDistance();
    MDistance(double value, Unit unitSystem = kCentimeters);
    MDistance(const MDistance& src);
    ~MDistance();

    MDistance& operator=(const MDistance& src);
    Unit unit() const;
    double value() const;
    MStatus setUnit(Unit newUnit);
    MStatus setValue(double newValue);
    double as(Unit unitSystem, MStatus* ReturnStatus = NULL) const;
    double asInches() const;
    double asFeet() const;
    double asYards() const;
    double asMiles() const;
    double asMillimeters() const;
    double asCentimeters() const;
    double asKilometers() const;
    double asMeters() const;

    static Unit uiUnit();
    static MStatus setUIUnit(Unit newUnit);
    static Unit internalUnit();
    static double uiToInternal(double value);
    static double internalToUI(double value);

private:
    double fValue;
    Unit fUnit;
};
