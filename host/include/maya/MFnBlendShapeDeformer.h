#ifndef MINIMAYA_MFNBLENDSHAPEDEFORMER_H
#define MINIMAYA_MFNBLENDSHAPEDEFORMER_H

#include <maya/MFnDependencyNode.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MObjectArray.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

// Function set over a blendShape deformer: the meshes it deforms (its base
// objects), the target shapes of each weight, and the weights.
class OPENMAYA_EXPORT MFnBlendShapeDeformer : public MFnDependencyNode {
public:
    enum Origin { kLocalOrigin, kWorldOrigin };

    MFnBlendShapeDeformer();
    MFnBlendShapeDeformer(MObject& object, MStatus* ReturnStatus = NULL);
    MFnBlendShapeDeformer(const MObject& object, MStatus* ReturnStatus = NULL);
    ~MFnBlendShapeDeformer() override;

    MFn::Type type() const override;
    const char* className() const override;

    // The base object is a mesh shape or a transform above one.
    MObject create(MObject baseObject, Origin originSpace = kLocalOrigin,
                   MStatus* ReturnStatus = NULL);

    MStatus addBaseObject(MObject& object);
    MStatus getBaseObjects(MObjectArray& objects) const;
    // Adds newTarget as the shape of weight weightIndex at fullWeight; a
    // weight with targets already gets it as an in-between.
    MStatus addTarget(const MObject& baseObject, int weightIndex, const MObject& newTarget,
                      double fullWeight);
    MStatus getTargets(MObject baseObject, int weightIndex, MObjectArray& targetObjects) const;
    // Item indices of a weight's targets: 5000 + 1000 × full weight.
    MStatus targetItemIndexList(unsigned int targetIndex, MObject baseObject,
                                MIntArray& inbetweens) const;

    unsigned int numWeights(MStatus* ReturnStatus = NULL) const;
    MStatus weightIndexList(MIntArray& indexList) const;
    float weight(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MStatus setWeight(unsigned int index, float weight);
    float envelope(MStatus* ReturnStatus = NULL) const;
    MStatus setEnvelope(float envelope);
    Origin origin(MStatus* ReturnStatus = NULL) const;
    MStatus setOrigin(Origin space);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
