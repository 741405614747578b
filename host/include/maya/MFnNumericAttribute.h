#ifndef MINIMAYA_MFNNUMERICATTRIBUTE_H
#define MINIMAYA_MFNNUMERICATTRIBUTE_H

#include <maya/MFnAttribute.h>
#include <maya/MFnNumericData.h>

class MFnNumericAttribute : public MFnAttribute {
public:
    MFnNumericAttribute();
    explicit MFnNumericAttribute(MObject& object, MStatus* ReturnStatus = nullptr);
    explicit MFnNumericAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override;
    const char* className() const override;

    MObject create(const MString& fullName, const MString& briefName, MFnNumericData::Type unitType,
                   double defaultValue = 0, MStatus* ReturnStatus = nullptr);
    MObject create(const MString& fullName, const MString& briefName, const MObject& child1,
                   const MObject& child2, const MObject& child3 = MObject::kNullObj,
                   MStatus* ReturnStatus = nullptr);
    MObject createColor(const MString& fullName, const MString& briefName,
                        MStatus* ReturnStatus = nullptr);
    MObject createPoint(const MString& fullName, const MString& briefName,
                        MStatus* ReturnStatus = nullptr);

    MFnNumericData::Type unitType(MStatus* ReturnStatus = nullptr) const;
    MObject child(unsigned int index, MStatus* ReturnStatus = nullptr) const;

    bool hasMin(MStatus* ReturnStatus = nullptr) const;
    bool hasMax(MStatus* ReturnStatus = nullptr) const;
    bool hasSoftMin(MStatus* ReturnStatus = nullptr) const;
    bool hasSoftMax(MStatus* ReturnStatus = nullptr) const;
    MStatus getMin(double& min) const;
    MStatus getMax(double& max) const;
    MStatus getSoftMin(double& min) const;
    MStatus getSoftMax(double& max) const;
    MStatus setMin(double min);
    MStatus setMax(double max);
    MStatus setSoftMin(double min);
    MStatus setSoftMax(double max);
    MStatus setMin(double min1, double min2);
    MStatus setMax(double max1, double max2);
    MStatus setMin(double min1, double min2, double min3);
    MStatus setMax(double max1, double max2, double max3);

    MStatus getDefault(bool& value);
    MStatus getDefault(char& value);
    MStatus getDefault(int& value);
    MStatus getDefault(float& value);
    MStatus getDefault(double& value);
    MStatus getDefault(int& v1, int& v2);
    MStatus getDefault(float& v1, float& v2);
    MStatus getDefault(double& v1, double& v2);
    MStatus getDefault(int& v1, int& v2, int& v3);
    MStatus getDefault(float& v1, float& v2, float& v3);
    MStatus getDefault(double& v1, double& v2, double& v3);
    MStatus setDefault(bool value);
    MStatus setDefault(char value);
    MStatus setDefault(int value);
    MStatus setDefault(float value);
    MStatus setDefault(double value);
    MStatus setDefault(int v1, int v2);
    MStatus setDefault(float v1, float v2);
    MStatus setDefault(double v1, double v2);
    MStatus setDefault(int v1, int v2, int v3);
    MStatus setDefault(float v1, float v2, float v3);
    MStatus setDefault(double v1, double v2, double v3);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
