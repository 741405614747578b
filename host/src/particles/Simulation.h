#ifndef HOST_PARTICLES_SIMULATION_H
#define HOST_PARTICLES_SIMULATION_H

#include "graph/Node.h"

namespace host {
namespace particles {

// The particle shape's compute hook: brings the particles to the shape's
// current time and answers the plug (matrices go to the DAG's own hook).
bool computeShape(Node& shape, const PlugPath& plug);

}  // namespace particles
}  // namespace host

#endif
