#ifndef MINIMAYA_MFNMATRIXATTRIBUTE_H
#define MINIMAYA_MFNMATRIXATTRIBUTE_H

#include <maya/MFnAttribute.h>
#include <maya/MMatrix.h>

class MFnMatrixAttribute : public MFnAttribute {
public:
    enum Type { kFloat, kDouble };
    MFnMatrixAttribute();
    explicit MFnMatrixAttribute(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnMatrixAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;
    MObject create(const MString& fullName, const MString& briefName, Type type = kDouble,
                   MStatus* ReturnStatus = nullptr);
    MStatus getDefault(MMatrix& value);
    MStatus setDefault(const MMatrix& value);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
