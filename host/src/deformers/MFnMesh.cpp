// MFnMesh over the mesh shape type: what a mesh shows is its geometry after
// its history and deformers, so points are read through meshOf and written
// where they show (own points, or tweaks on top of the history).
#include "dag/Dag.h"
#include "deformers/BlendShape.h"
#include "geometry/Mesh.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MFnMesh.h>

using host::Node;
using host::geometry::meshAttributes;

namespace {

void report(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

Node* meshNode(const MObject& object) {
    Node* node = host::nodeOf(object);
    return node && node->inScene && node->type().isA("mesh") ? node : nullptr;
}

bool worldSpace(MSpace::Space space) {
    return space == MSpace::kWorld;
}

// Points as the mesh shows them, in the space asked for.
MPointArray shownPoints(Node& mesh, const MDagPath& path, MSpace::Space space) {
    MPointArray points = host::geometry::meshPoints(mesh);
    if (worldSpace(space)) {
        const MMatrix m = host::dag::inclusiveMatrix(host::dag::PathAccess::nodes(path));
        for (unsigned i = 0; i < points.length(); ++i)
            points[i] = points[i] * m;
    }
    return points;
}

// Makes the mesh show these object-space points: a mesh without history
// takes them as its own points (its tweaks cleared), one with history keeps
// what comes in and gets tweaks that move it there.
MStatus showPoints(Node& mesh, const MPointArray& points) {
    const auto& a = meshAttributes();
    auto geometry = host::geometry::meshOf(mesh);
    if (points.length() != geometry->vertexCount())
        return MS::kInvalidParameter;
    if (!mesh.inputs.count(host::PlugPath{a.inMesh, {}})) {
        mesh.eraseStorage(host::PlugPath{a.tweaks, {}});
        geometry->points = points;
        host::geometry::setGeometry(mesh, *geometry);
        return MS::kSuccess;
    }
    const MPointArray shown = geometry->points;
    for (unsigned i = 0; i < points.length(); ++i) {
        const MVector move = points[i] - shown[i];
        for (unsigned k = 0; k < 3; ++k) {
            host::PlugRef tweak{&mesh, host::PlugPath{a.tweaks->children[k].get(), {i}}};
            const double now = host::valueAsDouble(host::evaluate(tweak));
            if (move[k] == 0.0)
                continue;
            MStatus s = host::assign(tweak, now + move[k]);
            if (!s)
                return s;
        }
    }
    return MS::kSuccess;
}

}  // namespace

MFnMesh::MFnMesh() = default;
MFnMesh::MFnMesh(MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(object));
}
MFnMesh::MFnMesh(const MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(object));
}
MFnMesh::MFnMesh(const MDagPath& object, MStatus* ReturnStatus) {
    // A path to a transform stands for the mesh below it.
    MDagPath path = object;
    Node* node = host::nodeOf(object.node());
    Node* shape = node ? host::deformers::meshShapeOf(*node) : nullptr;
    if (shape && shape != node) {
        host::dag::NodePath nodes = host::dag::PathAccess::nodes(object);
        nodes.push_back(shape);
        path = host::dag::PathAccess::make(nodes);
    }
    report(ReturnStatus, setObject(path));
}
MFnMesh::~MFnMesh() = default;

MFn::Type MFnMesh::type() const {
    return MFn::kMesh;
}
const char* MFnMesh::className() const {
    return "MFnMesh";
}

bool MFnMesh::acceptsObject(const MObject& object) const {
    return meshNode(object) != nullptr;
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        MObject parentOrOwner, MStatus* ReturnStatus) {
    host::geometry::MeshData data;
    for (int i = 0; i < numVertices && static_cast<unsigned>(i) < vertexArray.length(); ++i)
        data.points.append(MPoint(vertexArray[i]));
    for (int i = 0; i < numPolygons && static_cast<unsigned>(i) < polygonCounts.length(); ++i)
        data.faceCounts.push_back(polygonCounts[i]);
    for (unsigned i = 0; i < polygonConnects.length(); ++i)
        data.faceConnects.push_back(polygonConnects[i]);
    if (static_cast<unsigned>(numVertices) != vertexArray.length() ||
        static_cast<unsigned>(numPolygons) != polygonCounts.length() || !data.valid()) {
        report(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    host::Scene& scene = host::Scene::current();
    Node* parent = host::nodeOf(parentOrOwner);
    if (parent && !parent->type().hasFn(MFn::kTransform)) {
        report(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    host::NodePtr transform;
    if (!parent) {
        transform = scene.createNode("transform", "polySurface#");
        parent = transform.get();
    }
    host::NodePtr shape = scene.createNode("mesh", "polySurfaceShape#", parent);
    host::geometry::setGeometry(*shape, data);
    setObject(host::toMObject(shape));
    report(ReturnStatus, MS::kSuccess);
    return transform ? host::toMObject(transform) : host::toMObject(shape);
}

int MFnMesh::numVertices(MStatus* ReturnStatus) const {
    Node* mesh = meshNode(m_object);
    report(ReturnStatus, mesh ? MS::kSuccess : MS::kInvalidParameter);
    return mesh ? static_cast<int>(host::geometry::meshOf(*mesh)->vertexCount()) : 0;
}

int MFnMesh::numPolygons(MStatus* ReturnStatus) const {
    Node* mesh = meshNode(m_object);
    report(ReturnStatus, mesh ? MS::kSuccess : MS::kInvalidParameter);
    return mesh ? static_cast<int>(host::geometry::meshOf(*mesh)->faceCount()) : 0;
}

MStatus MFnMesh::getPoints(MPointArray& vertexArray, MSpace::Space space) const {
    Node* mesh = meshNode(m_object);
    if (!mesh)
        return MS::kInvalidParameter;
    vertexArray = shownPoints(*mesh, workingPath(), space);
    return MS::kSuccess;
}

MStatus MFnMesh::getPoints(MFloatPointArray& vertexArray, MSpace::Space space) const {
    MPointArray points;
    MStatus status = getPoints(points, space);
    if (!status)
        return status;
    vertexArray.setLength(points.length());
    for (unsigned i = 0; i < points.length(); ++i) {
        double d[4];
        points[i].get(d);
        vertexArray[i] = MFloatPoint(d);
    }
    return MS::kSuccess;
}

MStatus MFnMesh::setPoints(MPointArray& vertexArray, MSpace::Space space) {
    Node* mesh = meshNode(m_object);
    if (!mesh)
        return MS::kInvalidParameter;
    MPointArray points = vertexArray;
    if (worldSpace(space)) {
        const MMatrix toObject =
            host::dag::inclusiveMatrix(host::dag::PathAccess::nodes(workingPath())).inverse();
        for (unsigned i = 0; i < points.length(); ++i)
            points[i] = points[i] * toObject;
    }
    return showPoints(*mesh, points);
}

MStatus MFnMesh::getPoint(int vertexId, MPoint& pos, MSpace::Space space) const {
    MPointArray points;
    MStatus status = getPoints(points, space);
    if (!status)
        return status;
    if (vertexId < 0 || static_cast<unsigned>(vertexId) >= points.length())
        return MS::kInvalidParameter;
    pos = points[static_cast<unsigned>(vertexId)];
    return MS::kSuccess;
}

MStatus MFnMesh::setPoint(int vertexId, const MPoint& pos, MSpace::Space space) {
    MPointArray points;
    MStatus status = getPoints(points, space);
    if (!status)
        return status;
    if (vertexId < 0 || static_cast<unsigned>(vertexId) >= points.length())
        return MS::kInvalidParameter;
    points[static_cast<unsigned>(vertexId)] = pos;
    return setPoints(points, space);
}

MStatus MFnMesh::getVertices(MIntArray& vertexCount, MIntArray& vertexList) const {
    Node* mesh = meshNode(m_object);
    if (!mesh)
        return MS::kInvalidParameter;
    auto geometry = host::geometry::meshOf(*mesh);
    vertexCount.setLength(0);
    vertexList.setLength(0);
    for (int c : geometry->faceCounts)
        vertexCount.append(c);
    for (int v : geometry->faceConnects)
        vertexList.append(v);
    return MS::kSuccess;
}
