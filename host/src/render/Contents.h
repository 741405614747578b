#ifndef HOST_RENDER_CONTENTS_H
#define HOST_RENDER_CONTENTS_H
// What the viewport would show of the scene at the current time.

#include "geometry/Mesh.h"
#include "render/View.h"

#include <maya/MMatrix.h>
#include <maya/MPoint.h>

#include <memory>
#include <vector>

namespace host {
namespace render {

struct MeshDraw {
    std::shared_ptr<const geometry::MeshData> mesh;
    MMatrix world;  // points are row vectors: p * world
};

struct Contents {
    std::vector<MeshDraw> meshes;
    std::vector<MPoint> particles;  // world space
    Bounds bounds() const;
};

// Every visible mesh (once per DAG path to it), the meshes each visible
// particle instancer draws at its particles, and the particles of visible
// particle shapes. With roots, only what lies at or below one of them:
// a DAG node, or an object set standing for its members.
Contents gather(const std::vector<Node*>& roots = {});

}  // namespace render
}  // namespace host

#endif
