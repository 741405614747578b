#ifndef MINIMAYA_MFNMATRIXDATA_H
#define MINIMAYA_MFNMATRIXDATA_H

#include <maya/MFnData.h>
#include <maya/MMatrix.h>
#include <maya/MTransformationMatrix.h>

class MFnMatrixData : public MFnData {
public:
    MFnMatrixData();
    explicit MFnMatrixData(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnMatrixData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    const MMatrix& matrix(MStatus* ReturnStatus = nullptr) const;
    MTransformationMatrix transformation(MStatus* ReturnStatus = nullptr) const;
    MStatus set(const MMatrix& matrix);
    MStatus set(const MTransformationMatrix& transformation);
    MObject create(MStatus* ReturnStatus = nullptr);
    MObject create(const MMatrix& in, MStatus* ReturnStatus = nullptr);
    MObject create(const MTransformationMatrix& in, MStatus* ReturnStatus = nullptr);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
