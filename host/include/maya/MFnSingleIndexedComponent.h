#ifndef MINIMAYA_MFNSINGLEINDEXEDCOMPONENT_H
#define MINIMAYA_MFNSINGLEINDEXEDCOMPONENT_H

#include <maya/MFnComponent.h>
#include <maya/MIntArray.h>

// Function set over a component whose elements are single indices
// (mesh vertices, particles).
class OPENMAYA_EXPORT MFnSingleIndexedComponent : public MFnComponent {
public:
    MFnSingleIndexedComponent();
    MFnSingleIndexedComponent(MObject& object, MStatus* ReturnStatus = NULL);
    MFnSingleIndexedComponent(const MObject& object, MStatus* ReturnStatus = NULL);
    ~MFnSingleIndexedComponent() override;

    MFn::Type type() const override;

    MObject create(MFn::Type compType, MStatus* ReturnStatus = NULL);
    MStatus addElement(int element);
    MStatus addElements(MIntArray& elements);
    int element(int index, MStatus* ReturnStatus = NULL);
    MStatus getElements(MIntArray& elements) const;
    MStatus setCompleteData(int numElements);
    MStatus getCompleteData(int& numElements) const;

    const char* className() const override;

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
