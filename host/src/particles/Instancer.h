#ifndef HOST_PARTICLES_INSTANCER_H
#define HOST_PARTICLES_INSTANCER_H

#include "graph/Node.h"

#include <maya/MMatrix.h>

#include <vector>

namespace host {
namespace particles {

// One particle as an instancer draws it.
struct Draw {
    unsigned particleIndex = 0;  // in the shape's per-particle arrays
    int particleId = 0;          // the value of the "id" option
    int objectIndex = 0;         // which inputHierarchy element it shows
    Node* object = nullptr;      // the node feeding that element
    // Scale, shear, rotation and translation by the particle, then the
    // instancer's own placement. The object is drawn with its own world
    // matrix followed by this one.
    MMatrix matrix;
};

// What an instancer draws at the current time.
struct InstancerView {
    Node* shape = nullptr;       // the particle shape feeding inputPoints
    unsigned element = 0;        // the shape's instanceData element that feeds it
    std::vector<Node*> objects;  // by inputHierarchy index; null where unconnected
    std::vector<Draw> draws;     // the visible particles, in array order
};

// The shape whose instanceData[element].instancePointData feeds the
// instancer, or null.
Node* feedingShape(Node& instancer, unsigned* element = nullptr);
// The nodes feeding inputHierarchy, by element index (null in gaps).
std::vector<Node*> hierarchy(Node& instancer);
InstancerView evaluateInstancer(Node& instancer);
// The same into a view that keeps its buffers from one evaluation to the
// next, as an iterator reset once a frame does.
void evaluateInstancer(Node& instancer, InstancerView& view);

// The instancer's compute hook: hierarchyCount, and the DAG matrices.
bool computeInstancer(Node& instancer, const PlugPath& plug);

}  // namespace particles
}  // namespace host

#endif
