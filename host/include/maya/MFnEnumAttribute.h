#ifndef MINIMAYA_MFNENUMATTRIBUTE_H
#define MINIMAYA_MFNENUMATTRIBUTE_H

#include <maya/MFnAttribute.h>

class MFnEnumAttribute : public MFnAttribute {
public:
    MFnEnumAttribute();
    explicit MFnEnumAttribute(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnEnumAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    MObject create(const MString& fullName, const MString& briefName, short defaultValue = 0,
                   MStatus* ReturnStatus = nullptr);
    MStatus addField(const MString& fieldString, short index);
    MString fieldName(short index, MStatus* ReturnStatus = nullptr) const;
    short fieldIndex(const MString& fieldString, MStatus* ReturnStatus = nullptr) const;
    MStatus getMin(short& minValue) const;
    MStatus getMax(short& maxValue) const;
    MStatus setDefault(short index);
    MStatus setDefault(const MString& fieldString);
    MStatus getDefault(short& index) const;
    MString defaultValue(MStatus* ReturnStatus = nullptr) const;

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
