#ifndef MINIMAYA_MFNINTARRAYDATA_H
#define MINIMAYA_MFNINTARRAYDATA_H

#include <maya/MFnData.h>
#include <maya/MIntArray.h>

class MFnIntArrayData : public MFnData {
public:
    MFnIntArrayData();
    explicit MFnIntArrayData(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnIntArrayData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    unsigned int length(MStatus* ReturnStatus = nullptr) const;
    int& operator[](unsigned int index);
    const int& operator[](unsigned int index) const;
    MStatus copyTo(MIntArray& array) const;
    MStatus set(const MIntArray& newArray);
    MIntArray array(MStatus* ReturnStatus = nullptr);
    MObject create(MStatus* ReturnStatus = nullptr);
    MObject create(const MIntArray& in, MStatus* ReturnStatus = nullptr);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
