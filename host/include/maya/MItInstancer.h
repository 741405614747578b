#ifndef MINIMAYA_MITINSTANCER_H
#define MINIMAYA_MITINSTANCER_H

#include <maya/MDagPath.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <memory>

namespace host {
namespace particles {
struct InstancerWalk;
}
}  // namespace host

// Walks what the scene's particle instancers draw: each instancer in
// turn, its visible particles in array order, and for each particle the
// paths of the object it shows (the object first, then what lies below
// it). Each instancer is evaluated when the walk reaches it.
class OPENMAYA_EXPORT MItInstancer {
public:
    MItInstancer();
    virtual ~MItInstancer();

    MStatus reset();
    // To the next path, particle or instancer, whichever comes first.
    MStatus next();
    MStatus nextParticle();
    MStatus nextInstancer();
    bool isDone() const;

    MObject instancer() const;
    MDagPath instancerPath() const;
    // The instanced path, and the particle's matrix: the path is drawn
    // with its own world matrix followed by this one.
    MDagPath path();
    MMatrix matrix();
    // The first pointer-sized word of the instancer's MObject.
    MUintPtrSz instancerId() const;
    unsigned int particleId() const;
    // Which of the particle's paths path() is, from 0.
    unsigned int pathId() const;

private:
    MItInstancer(const MItInstancer&);
    MItInstancer& operator=(const MItInstancer&);
    std::unique_ptr<host::particles::InstancerWalk> m_walk;
};

#endif
