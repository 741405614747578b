#ifndef MINIMAYA_MFNANIMCURVE_H
#define MINIMAYA_MFNANIMCURVE_H

#include <maya/MFnDependencyNode.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>
#include <maya/MTime.h>
#include <maya/MTypes.h>

class MAngle;
class MAnimCurveChange;
class MDGModifier;

// Function set over an animation curve node: its keys, their tangents, and
// the curve's value at any input.
class OPENMAYA_EXPORT MFnAnimCurve : public MFnDependencyNode {
public:
    enum AnimCurveType {
        kAnimCurveTA = 0,
        kAnimCurveTL,
        kAnimCurveTT,
        kAnimCurveTU,
        kAnimCurveUA,
        kAnimCurveUL,
        kAnimCurveUT,
        kAnimCurveUU,
        kAnimCurveUnknown
    };
    enum TangentType {
        kTangentGlobal = 0,
        kTangentFixed,
        kTangentLinear,
        kTangentFlat,
        kTangentSmooth,
        kTangentStep,
        kTangentSlow,
        kTangentFast,
        kTangentClamped,
        kTangentPlateau,
        kTangentStepNext
    };

    MFnAnimCurve();
    MFnAnimCurve(MObject& object, MStatus* ReturnStatus = NULL);
    MFnAnimCurve(const MObject& object, MStatus* ReturnStatus = NULL);
    MFnAnimCurve(const MPlug& plug, MStatus* ReturnStatus = NULL);
    ~MFnAnimCurve() override;

    MFn::Type type() const override;
    const char* className() const override;

    MObject create(MPlug& plug, MDGModifier* modifier = NULL, MStatus* ReturnStatus = NULL);
    MObject create(MPlug& plug, AnimCurveType animCurveType, MDGModifier* modifier = NULL,
                   MStatus* ReturnStatus = NULL);
    MObject create(const MObject& node, const MObject& attribute, MDGModifier* modifier = NULL,
                   MStatus* ReturnStatus = NULL);
    MObject create(AnimCurveType animCurveType, MDGModifier* modifier = NULL,
                   MStatus* ReturnStatus = NULL);

    AnimCurveType animCurveType(MStatus* ReturnStatus = NULL) const;
    bool isTimeInput(MStatus* ReturnStatus = NULL) const;
    bool isUnitlessInput(MStatus* ReturnStatus = NULL) const;

    MStatus evaluate(const MTime& atTime, double& value) const;
    MStatus evaluate(const MTime& atTime, MTime& timeValue) const;
    MStatus evaluate(const double& atUnitlessInput, double& value) const;
    MStatus evaluate(const double& atUnitlessInput, MTime& timeValue) const;
    bool isStatic(MStatus* ReturnStatus = NULL) const;

    unsigned int numKeyframes(MStatus* ReturnStatus = NULL) const;
    unsigned int numKeys(MStatus* ReturnStatus = NULL) const;
    MStatus remove(unsigned int index, MAnimCurveChange* change = NULL);
    MStatus addKeyframe(MTime time, double value, MAnimCurveChange* change = NULL);
    MStatus addKeyframe(MTime time, double value, TangentType tangentInType,
                        TangentType tangentOutType, MAnimCurveChange* change = NULL);
    unsigned int addKey(MTime time, double value, TangentType tangentInType = kTangentGlobal,
                        TangentType tangentOutType = kTangentGlobal,
                        MAnimCurveChange* change = NULL, MStatus* ReturnStatus = NULL);
    unsigned int addKey(double unitlessInput, double value,
                        TangentType tangentInType = kTangentGlobal,
                        TangentType tangentOutType = kTangentGlobal,
                        MAnimCurveChange* change = NULL, MStatus* ReturnStatus = NULL);

    bool find(MTime time, unsigned int& index, MStatus* ReturnStatus = NULL) const;
    bool find(double unitlessInput, unsigned int& index, MStatus* ReturnStatus = NULL) const;
    unsigned int findClosest(MTime time, MStatus* ReturnStatus = NULL) const;

    MTime time(unsigned int index, MStatus* ReturnStatus = NULL) const;
    double value(unsigned int index, MStatus* ReturnStatus = NULL) const;
    double unitlessInput(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MStatus setValue(unsigned int index, double value, MAnimCurveChange* change = NULL);
    MStatus setTime(unsigned int index, MTime time, MAnimCurveChange* change = NULL);
    MStatus setUnitlessInput(unsigned int index, double unitlessInput,
                             MAnimCurveChange* change = NULL);

    TangentType inTangentType(unsigned int index, MStatus* ReturnStatus = NULL) const;
    TangentType outTangentType(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MStatus setInTangentType(unsigned int index, TangentType tangentType,
                             MAnimCurveChange* change = NULL);
    MStatus setOutTangentType(unsigned int index, TangentType tangentType,
                              MAnimCurveChange* change = NULL);
    // x in seconds (or the unitless input), y in the value's internal unit.
    MStatus getTangent(unsigned int index, float& x, float& y, bool isInTangent) const;
    MStatus setTangent(unsigned int index, float x, float y, bool isInTangent,
                       MAnimCurveChange* change = NULL, bool convertUnits = true);
    bool isWeighted(MStatus* ReturnStatus = NULL) const;

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
