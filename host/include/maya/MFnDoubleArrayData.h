#ifndef MINIMAYA_MFNDOUBLEARRAYDATA_H
#define MINIMAYA_MFNDOUBLEARRAYDATA_H

#include <maya/MDoubleArray.h>
#include <maya/MFnData.h>

class MFnDoubleArrayData : public MFnData {
public:
    MFnDoubleArrayData();
    explicit MFnDoubleArrayData(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnDoubleArrayData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    unsigned int length(MStatus* ReturnStatus = nullptr) const;
    double& operator[](unsigned int index);
    const double& operator[](unsigned int index) const;
    MStatus copyTo(MDoubleArray& array) const;
    MStatus set(const MDoubleArray& newArray);
    MDoubleArray array(MStatus* ReturnStatus = nullptr);
    MObject create(MStatus* ReturnStatus = nullptr);
    MObject create(const MDoubleArray& in, MStatus* ReturnStatus = nullptr);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
