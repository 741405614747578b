#ifndef MINIMAYA_MFNUNITATTRIBUTE_H
#define MINIMAYA_MFNUNITATTRIBUTE_H

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MFnAttribute.h>
#include <maya/MTime.h>

class MFnUnitAttribute : public MFnAttribute {
public:
    enum Type { kInvalid, kAngle, kDistance, kTime, kLast };

    MFnUnitAttribute();
    explicit MFnUnitAttribute(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnUnitAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    MObject create(const MString& fullName, const MString& briefName, Type unitType,
                   double defaultValue = 0.0, MStatus* ReturnStatus = nullptr);
    MObject create(const MString& fullName, const MString& briefName, const MTime& defaultValue,
                   MStatus* ReturnStatus = nullptr);
    MObject create(const MString& fullName, const MString& briefName, const MAngle& defaultValue,
                   MStatus* ReturnStatus = nullptr);
    MObject create(const MString& fullName, const MString& briefName, const MDistance& defaultValue,
                   MStatus* ReturnStatus = nullptr);

    Type unitType(MStatus* ReturnStatus = nullptr) const;

    bool hasMin(MStatus* ReturnStatus = nullptr) const;
    bool hasMax(MStatus* ReturnStatus = nullptr) const;
    bool hasSoftMin(MStatus* ReturnStatus = nullptr) const;
    bool hasSoftMax(MStatus* ReturnStatus = nullptr) const;
    MStatus getMin(double& min) const;
    MStatus getMax(double& max) const;
    MStatus getSoftMin(double& min) const;
    MStatus getSoftMax(double& max) const;
    MStatus setMin(double min);
    MStatus setMax(double max);
    MStatus setSoftMin(double min);
    MStatus setSoftMax(double max);

    MStatus getDefault(double& value);
    MStatus getDefault(MDistance& value);
    MStatus getDefault(MAngle& value);
    MStatus getDefault(MTime& value);
    MStatus setDefault(double value);
    MStatus setDefault(const MDistance& value);
    MStatus setDefault(const MAngle& value);
    MStatus setDefault(const MTime& value);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
