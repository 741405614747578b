#ifndef MINIMAYA_MFNVECTORARRAYDATA_H
#define MINIMAYA_MFNVECTORARRAYDATA_H

#include <maya/MFnData.h>
#include <maya/MVectorArray.h>

class MFnVectorArrayData : public MFnData {
public:
    MFnVectorArrayData();
    explicit MFnVectorArrayData(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnVectorArrayData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    unsigned int length(MStatus* ReturnStatus = nullptr) const;
    MVector& operator[](unsigned int index);
    const MVector& operator[](unsigned int index) const;
    MStatus copyTo(MVectorArray& array) const;
    MStatus set(const MVectorArray& newArray);
    MVectorArray array(MStatus* ReturnStatus = nullptr);
    MObject create(MStatus* ReturnStatus = nullptr);
    MObject create(const MVectorArray& in, MStatus* ReturnStatus = nullptr);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
