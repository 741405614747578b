#ifndef MINIMAYA_MFNGENERICATTRIBUTE_H
#define MINIMAYA_MFNGENERICATTRIBUTE_H

#include <maya/MFnAttribute.h>
#include <maya/MFnData.h>
#include <maya/MFnNumericData.h>

class MFnGenericAttribute : public MFnAttribute {
public:
    MFnGenericAttribute();
    explicit MFnGenericAttribute(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnGenericAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;
    MObject create(const MString& fullName, const MString& briefName,
                   MStatus* ReturnStatus = nullptr);
    MStatus addAccept(MFnData::Type type);
    MStatus addAccept(MFnNumericData::Type type);
    MStatus removeAccept(MFnData::Type type);
    MStatus removeAccept(MFnNumericData::Type type);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
