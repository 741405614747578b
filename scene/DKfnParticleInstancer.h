#ifndef DK_SCENE_DKFNPARTICLEINSTANCER_H
#define DK_SCENE_DKFNPARTICLEINSTANCER_H

#include <maya/MFnDagNode.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>

#include <cstdint>

// Function set over a particle instancer: the particle shape that feeds it,
// the objects it places, and the identity its host iterator reports.
class DKfnParticleInstancer : public MFnDagNode {
public:
    explicit DKfnParticleInstancer(MObject& instancer, MStatus* status = NULL);
    ~DKfnParticleInstancer() override;

    // The node feeding "inputPoints" (not checked to be a particle shape)
    // into particleShape; the result is the logical index of that shape's
    // "instanceData" element.
    unsigned int particleSystem(MObject& particleShape);
    // What MItInstancer::instancerId reports for this instancer: the first
    // pointer-sized word of its MObject.
    std::uintptr_t instancerId();
    MPlug inputHierarchyPlug();
    // The node feeding the "inputHierarchy" element, or the null object
    // when nothing feeds it.
    MObject hierarchyObject(unsigned int elementIndex);

private:
    MObject checkedObject() const;
};

#endif
