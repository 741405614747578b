// polyCube and polySphere: a transform with a mesh shape holding the
// primitive's geometry (no construction history node).
#include "commands/Support.h"
#include "geometry/Mesh.h"

#include <maya/MDistance.h>

namespace host {
namespace geometry {

namespace {

using commands::error;

// Makes "<stem>#" with its shape "<stem>Shape#" at the world, selects it
// and gives its name as the result.
MStatus makePrimitive(commands::Edits& edits, const std::string& command, const std::string& name,
                      const MeshData& mesh) {
    Scene& scene = Scene::current();
    NodePtr transform = scene.createNode("transform", name);
    NodePtr shape =
        scene.createNode("mesh", commands::shapeNameFor(transform->name()), transform.get());
    if (!shape) {
        scene.removeNode(*transform);
        error(command + ": The mesh could not be created.");
        return MS::kFailure;
    }
    setGeometry(*shape, mesh);
    edits.created({transform, shape});
    MSelectionList list;
    list.add(dag::PathAccess::make(dag::firstPath(*transform)));
    edits.select(list);
    MStringArray result;
    result.append(MString(commands::nameOf(*transform).c_str()));
    MPxCommand::setResult(result);
    return MS::kSuccess;
}

double distanceFlag(const MArgDatabase& db, const char* flag, double fallback) {
    double v = fallback;
    if (db.isFlagSet(flag))
        db.getFlagArgument(flag, 0, v);
    return MDistance::uiToInternal(v);
}

int countFlag(const MArgDatabase& db, const char* flag, int fallback) {
    int v = fallback;
    if (db.isFlagSet(flag))
        db.getFlagArgument(flag, 0, v);
    return v;
}

// Subdivisions are taken from the user as they come, and the mesh is built
// whole in memory; a cap on its faces keeps a mistyped count from taking the
// machine's memory (or overflowing the face arithmetic) before it fails.
const long long kMaxPrimitiveFaces = 4000000;

bool withinFaceLimit(const std::string& command, long long faces) {
    if (faces <= kMaxPrimitiveFaces)
        return true;
    error(command + ": The mesh would have " + std::to_string(faces) + " faces; at most " +
          std::to_string(kMaxPrimitiveFaces) + " are allowed.");
    return false;
}

std::string nameFlag(const MArgDatabase& db, const char* fallback) {
    return db.isFlagSet("name") ? db.flagArgumentString("name", 0).asChar() : fallback;
}

MSyntax polyCubeSyntax() {
    MSyntax s;
    s.addFlag("w", "width", MSyntax::kDouble);
    s.addFlag("h", "height", MSyntax::kDouble);
    s.addFlag("d", "depth", MSyntax::kDouble);
    s.addFlag("sx", "subdivisionsX", MSyntax::kLong);
    s.addFlag("sy", "subdivisionsY", MSyntax::kLong);
    s.addFlag("sz", "subdivisionsZ", MSyntax::kLong);
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("ch", "constructionHistory", MSyntax::kBoolean);
    return s;
}

class PolyCubeCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        double w = distanceFlag(db, "width", 1), h = distanceFlag(db, "height", 1),
               d = distanceFlag(db, "depth", 1);
        int sx = countFlag(db, "subdivisionsX", 1), sy = countFlag(db, "subdivisionsY", 1),
            sz = countFlag(db, "subdivisionsZ", 1);
        if (sx < 1 || sy < 1 || sz < 1) {
            error("polyCube: Subdivisions must be at least 1.");
            return MS::kFailure;
        }
        const long long x = sx, y = sy, z = sz;
        if (!withinFaceLimit("polyCube", 2 * (x * y + y * z + x * z)))
            return MS::kFailure;
        return makePrimitive(edits, "polyCube", nameFlag(db, "pCube#"), cube(w, h, d, sx, sy, sz));
    }
};

MSyntax polySphereSyntax() {
    MSyntax s;
    s.addFlag("r", "radius", MSyntax::kDouble);
    s.addFlag("sx", "subdivisionsX", MSyntax::kLong);
    s.addFlag("sy", "subdivisionsY", MSyntax::kLong);
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("ch", "constructionHistory", MSyntax::kBoolean);
    return s;
}

class PolySphereCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        double r = distanceFlag(db, "radius", 1);
        int sx = countFlag(db, "subdivisionsX", 20), sy = countFlag(db, "subdivisionsY", 20);
        if (sx < 3 || sy < 3) {
            error("polySphere: A sphere needs at least 3 subdivisions each way.");
            return MS::kFailure;
        }
        if (!withinFaceLimit("polySphere", static_cast<long long>(sx) * sy))
            return MS::kFailure;
        return makePrimitive(edits, "polySphere", nameFlag(db, "pSphere#"), sphere(r, sx, sy));
    }
};

}  // namespace

void registerPolyCommands() {
    commands::define<PolyCubeCommand>("polyCube", polyCubeSyntax);
    commands::define<PolySphereCommand>("polySphere", polySphereSyntax);
}

}  // namespace geometry
}  // namespace host
