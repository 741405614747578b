#ifndef DK_SCENE_DKPARTICLEIDMAPPER_H
#define DK_SCENE_DKPARTICLEIDMAPPER_H

#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>

// Particle ids to per-particle array indices and back, as a particle shape
// numbers its particles at the moment of the last update. Lookups answer
// from the copies without touching the scene.
class DKparticleIdMapper {
public:
    DKparticleIdMapper() = default;
    virtual ~DKparticleIdMapper() = default;

    // Reloads the shape's "idMapping" and "particleId" arrays.
    void update(const MObject& particleShape);

    // The array index of the particle with the id, or -1 when no particle
    // has it. Logarithmic in the particle count.
    int indexOf(int particleId) const;
    // The id of the particle at the array index, or -1 beyond the last one.
    int idAt(unsigned int particleIndex) const;

private:
    // Ascending, with idIndices_ kept in step: the host keeps "sortedId"
    // sorted, and update restores the order should it ever not be.
    MIntArray sortedIds_;
    MIntArray idIndices_;
    MDoubleArray particleIds_;
};

#endif
