#ifndef MINIMAYA_MFNCOMPONENT_H
#define MINIMAYA_MFNCOMPONENT_H

#include <maya/MFnBase.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>

// Function set over a component: a set of elements (vertices, particles...)
// of one shape.
class OPENMAYA_EXPORT MFnComponent : public MFnBase {
public:
    MFnComponent();
    MFnComponent(MObject& object, MStatus* ReturnStatus = NULL);
    MFnComponent(const MObject& object, MStatus* ReturnStatus = NULL);
    ~MFnComponent() override;

    MFn::Type type() const override;

    int elementCount(MStatus* ReturnStatus = NULL);
    MFn::Type componentType(MStatus* ReturnStatus = NULL);
    bool isEmpty(MStatus* ReturnStatus = NULL) const;
    bool isEqual(MObject& other, MStatus* ReturnStatus = NULL) const;
    bool isComplete(MStatus* ReturnStatus = NULL) const;
    MStatus setComplete(bool complete);
    bool hasWeights(MStatus* ReturnStatus = NULL) const;

    const char* className() const override;

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
