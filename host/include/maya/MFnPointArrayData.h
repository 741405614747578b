#ifndef MINIMAYA_MFNPOINTARRAYDATA_H
#define MINIMAYA_MFNPOINTARRAYDATA_H

#include <maya/MFnData.h>
#include <maya/MPointArray.h>

class MFnPointArrayData : public MFnData {
public:
    MFnPointArrayData();
    explicit MFnPointArrayData(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnPointArrayData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    unsigned int length(MStatus* ReturnStatus = nullptr) const;
    MPoint& operator[](unsigned int index);
    const MPoint& operator[](unsigned int index) const;
    MStatus copyTo(MPointArray& array) const;
    MStatus set(const MPointArray& newArray);
    MPointArray array(MStatus* ReturnStatus = nullptr);
    MObject create(MStatus* ReturnStatus = nullptr);
    MObject create(const MPointArray& in, MStatus* ReturnStatus = nullptr);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
