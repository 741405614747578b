#ifndef MINIMAYA_MFNNUMERICDATA_H
#define MINIMAYA_MFNNUMERICDATA_H

#include <maya/MFnData.h>

// Numeric data: one to four numbers of one kind, as numeric compound plugs
// (double3, float2, long3 ...) hand them out.
class MFnNumericData : public MFnData {
public:
    enum Type {
        kInvalid,
        kBoolean,
        kByte,
        kChar,
        kShort,
        k2Short,
        k3Short,
        kLong,
        kInt = kLong,
        k2Long,
        k2Int = k2Long,
        k3Long,
        k3Int = k3Long,
        kFloat,
        k2Float,
        k3Float,
        kDouble,
        k2Double,
        k3Double,
        k4Double,
        kAddr,
        kLast
    };
    MFnNumericData();
    explicit MFnNumericData(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnNumericData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    MObject create(Type dataType, MStatus* ReturnStatus = nullptr);
    Type numericType(MStatus* ReturnStatus = nullptr);

    MStatus getData(short& v1, short& v2);
    MStatus getData(int& v1, int& v2);
    MStatus getData(float& v1, float& v2);
    MStatus getData(double& v1, double& v2);
    MStatus getData(short& v1, short& v2, short& v3);
    MStatus getData(int& v1, int& v2, int& v3);
    MStatus getData(float& v1, float& v2, float& v3);
    MStatus getData(double& v1, double& v2, double& v3);
    MStatus getData(double& v1, double& v2, double& v3, double& v4);
    MStatus setData(short v1, short v2);
    MStatus setData(int v1, int v2);
    MStatus setData(float v1, float v2);
    MStatus setData(double v1, double v2);
    MStatus setData(short v1, short v2, short v3);
    MStatus setData(int v1, int v2, int v3);
    MStatus setData(float v1, float v2, float v3);
    MStatus setData(double v1, double v2, double v3);
    MStatus setData(double v1, double v2, double v3, double v4);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
