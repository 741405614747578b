#ifndef HOST_PARTICLES_EMISSION_H
#define HOST_PARTICLES_EMISSION_H
// How an emitter makes its particles: how many in each frame, and where and how
// fast each one is born. Omni and directional emitters emit from where they
// stand, surface emitters from the faces of the mesh they belong to, volume
// emitters from inside their volume shape. Curve emission is not built (the host
// has no NURBS curves): such an emitter, like a surface emitter with no mesh,
// makes nothing.

#include "graph/Node.h"

#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <vector>

namespace host {
namespace particles {

// Emitter types and volume shapes as emitterType and volumeShape number them.
enum EmitterType { kDirectional = 0, kOmni = 1, kSurface = 2, kCurve = 3, kVolume = 4 };
enum VolumeShape { kNoVolume = 0, kCube = 1, kSphere = 2, kCylinder = 3, kCone = 4, kTorus = 5 };

// What one emitter makes in one frame can be no more than this; beyond it the
// emitter makes this many and says so, rather than fill memory or never finish.
constexpr long kMaxBirthsPerFrame = 1000000;

class Emission {
public:
    // Reads the emitter and what it emits from, as they stand now.
    explicit Emission(Node& emitter);

    // How many particles are born in the frame after `step` (counted from the start
    // frame), at frames `frame` seconds long.
    long birthsAfter(long step, double frame) const;
    // The key of the random numbers of the index-th particle born after `step`,
    // whose id is `id`: the id itself, or, when the emitter cycles its emission, the
    // place in the cycle, so that every cycle draws the same numbers and repeats
    // the same births.
    long randomKey(long step, long index, long id) const;
    // The birth place and velocity, in world space, of the particle whose random
    // numbers come from this key.
    void birth(long key, MPoint& position, MVector& velocity) const;
    long seed() const { return m_seed; }

private:
    struct Triangle {
        MPoint a, b, c;
        MVector normal;
        double upTo = 0;  // the area of this and every triangle before it
    };

    void pointBirth(long key, MPoint& position, MVector& velocity) const;
    void surfaceBirth(long key, MPoint& position, MVector& velocity) const;
    void volumeBirth(long key, MPoint& position, MVector& velocity) const;
    double speedOf(long key) const;

    Node& m_emitter;
    int m_type = kOmni;
    double m_rate = 0;  // particles a second, the surface's area taken in
    long m_seed = 0;
    long m_cycle = 0;  // frames between restarts of the random numbers; 0 for none
    MMatrix m_world;
    double m_speed = 1, m_speedRandom = 0, m_minDistance = 0, m_maxDistance = 0;
    std::vector<Triangle> m_triangles;
};

}  // namespace particles
}  // namespace host

#endif
