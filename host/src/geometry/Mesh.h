#ifndef HOST_GEOMETRY_MESH_H
#define HOST_GEOMETRY_MESH_H
// Polygon meshes: the data a mesh plug carries, the "mesh" shape type, and
// the primitives polyCube, polySphere and polyPlane build.

#include "graph/Data.h"
#include "graph/Node.h"

#include <maya/MMatrix.h>
#include <maya/MPointArray.h>

#include <memory>
#include <utility>
#include <vector>

namespace host {
namespace geometry {

// Vertex positions and faces; each face lists its vertices in order, all
// faces one after the other in faceConnects.
class MeshData : public Data {
public:
    MeshData() : Data(MFnData::kMesh) {}
    std::shared_ptr<Data> clone() const override { return std::make_shared<MeshData>(*this); }
    bool equals(const Data& other) const override;
    MeshData(const MeshData& other)
        : Data(MFnData::kMesh),
          points(other.points),
          faceCounts(other.faceCounts),
          faceConnects(other.faceConnects) {}
    // Copies the geometry; the object keeps its own identity.
    MeshData& operator=(const MeshData& other) {
        points = other.points;
        faceCounts = other.faceCounts;
        faceConnects = other.faceConnects;
        return *this;
    }

    unsigned vertexCount() const { return points.length(); }
    unsigned faceCount() const { return static_cast<unsigned>(faceCounts.size()); }
    // Whether every face index names a vertex and the counts add up.
    bool valid() const;

    MPointArray points;
    std::vector<int> faceCounts;
    std::vector<int> faceConnects;
};

// A w x h x d box centred on the origin, each side cut into sx, sy, sz
// parts; with one part each, vertices and faces come in the host's order.
MeshData cube(double width, double height, double depth, int sx, int sy, int sz);
// A sphere of sx segments around and sy from pole to pole.
MeshData sphere(double radius, int sx, int sy);
// The meshes as one, each moved by its matrix, in the order given.
MeshData united(const std::vector<std::pair<MeshData, MMatrix>>& parts);
// A w x h grid on the xz plane, centred on the origin, cut into sw x sh faces.
MeshData plane(double w, double h, int sw, int sh);

// The attributes of the mesh type, for code that reads meshes.
struct MeshAttributes {
    Attribute* inMesh = nullptr;        // "inMesh" (i): geometry from upstream
    Attribute* outMesh = nullptr;       // "outMesh" (o): the resulting geometry
    Attribute* vertices = nullptr;      // "vrts" (vt): own points (pointArray)
    Attribute* faceCounts = nullptr;    // "faceVertexCounts" (fvc)
    Attribute* faceConnects = nullptr;  // "faceVertexIndices" (fvi)
    Attribute* tweaks = nullptr;        // "pnts" (pt): per-vertex offsets (float3 multi)
};
const MeshAttributes& meshAttributes();

void registerMeshType();
// polyCube, polySphere, polyPlane and polyUnite history nodes, whose output
// feeds a mesh's inMesh.
void registerPolyHistoryTypes();
// Whether nodes of the type are one of those history nodes.
bool isConstructionHistory(const NodeType& type);

// The mesh's geometry as it stands: the input mesh when one is connected,
// else its own points and faces, moved by its tweaks.
std::shared_ptr<MeshData> meshOf(Node& mesh);
// A mesh its construction history feeds keeps a copy of what it last took
// (see meshOf); this takes it again if the history changed since, so that
// a copy of the mesh, which never copies the history, gets its geometry
// as it stands.
void keepHistoryOutput(Node& mesh);
// The points of meshOf, the view deformers and tests read.
MPointArray meshPoints(Node& mesh);
// Gives a mesh node its own geometry (points and faces).
void setGeometry(Node& mesh, const MeshData& data);

// polyCube, polySphere, polyPlane, polyUnite and polyEvaluate.
void registerPolyCommands();

}  // namespace geometry
}  // namespace host

#endif
