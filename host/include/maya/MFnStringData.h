#ifndef MINIMAYA_MFNSTRINGDATA_H
#define MINIMAYA_MFNSTRINGDATA_H

#include <maya/MFnData.h>
#include <maya/MString.h>

class MFnStringData : public MFnData {
public:
    MFnStringData();
    explicit MFnStringData(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnStringData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    MString string(MStatus* ReturnStatus = nullptr) const;
    MStatus set(const MString& newString);
    MObject create(const MString& in, MStatus* ReturnStatus = nullptr);
    MObject create(MStatus* ReturnStatus = nullptr);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
