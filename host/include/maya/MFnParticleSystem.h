#ifndef MINIMAYA_MFNPARTICLESYSTEM_H
#define MINIMAYA_MFNPARTICLESYSTEM_H

#include <maya/MDoubleArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MIntArray.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MString.h>
#include <maya/MTime.h>
#include <maya/MTypes.h>
#include <maya/MVectorArray.h>

// Function set over a particle shape. Every read brings the particles to
// the shape's current time first (or leaves them where evaluateDynamics put
// them, until time changes).
class OPENMAYA_EXPORT MFnParticleSystem : public MFnDagNode {
public:
    enum RenderType {
        kCloud,
        kTube,
        kBlobby,
        kMultiPoint,
        kMultiStreak,
        kNumeric,
        kPoints,
        kSpheres,
        kSprites,
        kStreak
    };

    MFnParticleSystem();
    MFnParticleSystem(MObject& object, MStatus* ReturnStatus = NULL);
    MFnParticleSystem(const MObject& object, MStatus* ReturnStatus = NULL);
    MFnParticleSystem(const MDagPath& object, MStatus* ReturnStatus = NULL);
    ~MFnParticleSystem() override;

    MFn::Type type() const override;
    const char* className() const override;

    // A new particle shape under a new transform (or under parent).
    MObject create(MStatus* ReturnStatus = NULL);
    MObject create(MObject parent, MStatus* ReturnStatus = NULL);

    // Adds particles now, at world-space positions.
    MStatus emit(const MPoint& worldPosition);
    MStatus emit(const MPointArray& worldPositions);
    MStatus emit(const MPointArray& worldPositions, const MVectorArray& worldVelocities);
    MStatus saveInitialState() const;

    bool isValid() const;
    MString particleName() const;
    RenderType renderType() const;
    unsigned int count() const;

    void position(MVectorArray& positions) const;
    void velocity(MVectorArray& velocities) const;
    void acceleration(MVectorArray& accelerations) const;
    void mass(MDoubleArray& masses) const;
    void particleIds(MIntArray& ids) const;
    void age(MDoubleArray& ages) const;
    bool hasLifespan() const;
    void lifespan(MDoubleArray& lifespans) const;
    void position0(MVectorArray& positions) const;

    bool isPerParticleIntAttribute(const MString& attributeName,
                                   MStatus* ReturnStatus = NULL) const;
    bool isPerParticleDoubleAttribute(const MString& attributeName,
                                      MStatus* ReturnStatus = NULL) const;
    bool isPerParticleVectorAttribute(const MString& attributeName,
                                      MStatus* ReturnStatus = NULL) const;

    // Values of a per-particle attribute of exactly that kind; the result
    // is the number of values read.
    unsigned int getPerParticleAttribute(MString& attributeName, MVectorArray& values,
                                         MStatus* ReturnStatus = NULL) const;
    unsigned int getPerParticleAttribute(MString& attributeName, MDoubleArray& values,
                                         MStatus* ReturnStatus = NULL) const;
    unsigned int getPerParticleAttribute(MString& attributeName, MIntArray& values,
                                         MStatus* ReturnStatus = NULL) const;
    // Replaces the current values; the array must hold one per particle.
    void setPerParticleAttribute(MString& attributeName, MVectorArray& values,
                                 MStatus* ReturnStatus = NULL) const;
    void setPerParticleAttribute(MString& attributeName, MDoubleArray& values,
                                 MStatus* ReturnStatus = NULL) const;

    // Moves the particles to `to` without changing the scene's time: from
    // the start frame when runupFromStart is set or when they stand later.
    void evaluateDynamics(MTime& to, bool runupFromStart);

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
