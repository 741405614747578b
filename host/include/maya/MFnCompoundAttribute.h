#ifndef MINIMAYA_MFNCOMPOUNDATTRIBUTE_H
#define MINIMAYA_MFNCOMPOUNDATTRIBUTE_H

#include <maya/MFnAttribute.h>

class MFnCompoundAttribute : public MFnAttribute {
public:
    MFnCompoundAttribute();
    explicit MFnCompoundAttribute(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnCompoundAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    MObject create(const MString& fullName, const MString& briefName,
                   MStatus* ReturnStatus = nullptr);
    MStatus addChild(const MObject& child);
    MStatus removeChild(const MObject& child);
    unsigned int numChildren(MStatus* ReturnStatus = nullptr) const;
    MObject child(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MStatus getAddAttrCmds(MStringArray& cmds, bool useLongNames = false) const;

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
