#ifndef MINIMAYA_MFNSTRINGARRAYDATA_H
#define MINIMAYA_MFNSTRINGARRAYDATA_H

#include <maya/MFnData.h>
#include <maya/MStringArray.h>

class MFnStringArrayData : public MFnData {
public:
    MFnStringArrayData();
    explicit MFnStringArrayData(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnStringArrayData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    unsigned int length(MStatus* ReturnStatus = nullptr) const;
    MString& operator[](unsigned int index);
    const MString& operator[](unsigned int index) const;
    MStatus copyTo(MStringArray& array) const;
    MStatus set(const MStringArray& newArray);
    MStringArray array(MStatus* ReturnStatus = nullptr);
    MObject create(MStatus* ReturnStatus = nullptr);
    MObject create(const MStringArray& in, MStatus* ReturnStatus = nullptr);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
