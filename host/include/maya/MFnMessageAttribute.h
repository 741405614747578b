#ifndef MINIMAYA_MFNMESSAGEATTRIBUTE_H
#define MINIMAYA_MFNMESSAGEATTRIBUTE_H

#include <maya/MFnAttribute.h>

class MFnMessageAttribute : public MFnAttribute {
public:
    MFnMessageAttribute();
    explicit MFnMessageAttribute(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnMessageAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;
    MObject create(const MString& fullName, const MString& briefName,
                   MStatus* ReturnStatus = nullptr);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
