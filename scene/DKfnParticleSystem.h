#ifndef DK_SCENE_DKFNPARTICLESYSTEM_H
#define DK_SCENE_DKFNPARTICLESYSTEM_H

#include <maya/MDoubleArray.h>
#include <maya/MFnParticleSystem.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

// The facts about a particle shape that the uninstancer needs beyond the
// host's own function set: the instancer it feeds, the attribute behind an
// instancing option, and per-particle values whatever their stored type.
class DKfnParticleSystem : public MFnParticleSystem {
public:
    explicit DKfnParticleSystem(MObject& node, MStatus* status = NULL);
    explicit DKfnParticleSystem(const MObject& node, MStatus* status = NULL);
    ~DKfnParticleSystem() override;

    // The host's reads, except while a scene file is read: then the host's
    // particle query is bypassed and the values stored on the plug are
    // returned.
    unsigned int getPerParticleAttribute(const MString& attributeName, MIntArray& values,
                                         MStatus* status = NULL);
    unsigned int getPerParticleAttribute(const MString& attributeName, MDoubleArray& values,
                                         MStatus* status = NULL);

    // Values of an int or double per-particle attribute; doubles become
    // ints by truncation toward zero (clamped to the int range).
    void getPerParticleInts(MIntArray& values, const MString& attributeName);
    void getPerParticleDoubles(MDoubleArray& values, const MString& attributeName);

    // The one instancer fed through the first "instanceData" element.
    MObject instancer();
    // The per-particle attribute that drives the option in that
    // "instanceData" element, or "" when the element names none.
    MString mappedAttribute(const MString& option, unsigned int instanceDataIndex);
    // Runs the dynamics up to the frame before the given one.
    void evaluateDynamicsBefore(int frame);

private:
    template <typename Values>
    void getPerParticleValues(Values& values, const MString& attributeName);
    template <typename Values>
    unsigned int readPerParticleAttribute(const MString& attributeName, Values& values,
                                          MStatus* status);
    MObject checkedObject() const;
};

#endif
