#ifndef MINIMAYA_MFNTYPEDATTRIBUTE_H
#define MINIMAYA_MFNTYPEDATTRIBUTE_H

#include <maya/MFnAttribute.h>
#include <maya/MFnData.h>

class MTypeId;

class MFnTypedAttribute : public MFnAttribute {
public:
    MFnTypedAttribute();
    explicit MFnTypedAttribute(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnTypedAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    MObject create(const MString& fullName, const MString& briefName, MFnData::Type type,
                   MObject defaultData = MObject::kNullObj, MStatus* ReturnStatus = nullptr);
    MFnData::Type attrType(MStatus* ReturnStatus = nullptr) const;
    MStatus getDefault(MObject& defaultData);
    MStatus setDefault(const MObject& defaultData);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
