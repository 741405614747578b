// polyCube, polySphere and polyPlane: a transform with a mesh shape fed by
// the primitive's history node (or, with history off, holding the geometry
// itself); polyUnite, which makes one mesh of several the same way;
// polyEvaluate.
#include "commands/Support.h"
#include "geometry/Mesh.h"
#include "graph/PlugAccess.h"

#include <maya/MDagModifier.h>
#include <maya/MDistance.h>

#include <algorithm>
#include <set>
#include <utility>

namespace host {
namespace geometry {

namespace {

using commands::error;

// What a primitive command makes: the geometry, and the history node's type
// with the values it is given (lengths in internal units).
struct Primitive {
    std::string command;
    std::string name;  // of the transform, "<stem>#" unless -name
    MeshData mesh;
    std::vector<std::pair<const char*, double>> parameters;
};

// Makes the transform with its shape at the world, with history the
// primitive's node feeding the shape, selects the transform and gives its
// name (and the history node's) as the result.
MStatus makePrimitive(commands::Edits& edits, const MArgDatabase& db, const Primitive& p) {
    Scene& scene = Scene::current();
    NodePtr transform = scene.createNode("transform", p.name);
    NodePtr shape =
        scene.createNode("mesh", commands::shapeNameFor(transform->name()), transform.get());
    if (!shape) {
        scene.removeNode(*transform);
        error(p.command + ": The mesh could not be created.");
        return MS::kFailure;
    }
    // The shape holds the geometry either way: with history it is what the
    // shape last took from its input, as a copy of the shape keeps it.
    setGeometry(*shape, p.mesh);
    std::vector<NodePtr> made{transform, shape};
    bool history = true;
    if (db.isFlagSet("constructionHistory"))
        db.getFlagArgument("constructionHistory", 0, history);
    if (history) {
        NodePtr node = scene.createNode(p.command, p.command + "#");
        for (const auto& [attribute, value] : p.parameters)
            assign(PlugRef{node.get(), PlugPath{node->type().findAttribute(attribute), {}}}, value);
        scene.connect(PlugRef{node.get(), PlugPath{node->type().findAttribute("output"), {}}},
                      PlugRef{shape.get(), PlugPath{meshAttributes().inMesh, {}}});
        made.push_back(node);
    }
    edits.created(made);
    MSelectionList list;
    list.add(dag::PathAccess::make(dag::firstPath(*transform)));
    edits.select(list);
    MStringArray result;
    result.append(MString(commands::nameOf(*transform).c_str()));
    if (history)
        result.append(MString(made.back()->name().c_str()));
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
        return makePrimitive(edits, db,
                             {"polyCube",
                              nameFlag(db, "pCube#"),
                              cube(w, h, d, sx, sy, sz),
                              {{"width", w},
                               {"height", h},
                               {"depth", d},
                               {"subdivisionsWidth", sx},
                               {"subdivisionsHeight", sy},
                               {"subdivisionsDepth", sz}}});
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
        return makePrimitive(
            edits, db,
            {"polySphere",
             nameFlag(db, "pSphere#"),
             sphere(r, sx, sy),
             {{"radius", r}, {"subdivisionsAxis", sx}, {"subdivisionsHeight", sy}}});
    }
};

MSyntax polyPlaneSyntax() {
    MSyntax s;
    s.addFlag("w", "width", MSyntax::kDouble);
    s.addFlag("h", "height", MSyntax::kDouble);
    s.addFlag("sx", "subdivisionsX", MSyntax::kLong);
    s.addFlag("sy", "subdivisionsY", MSyntax::kLong);
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("ch", "constructionHistory", MSyntax::kBoolean);
    return s;
}

class PolyPlaneCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        double w = distanceFlag(db, "width", 1), h = distanceFlag(db, "height", 1);
        int sx = countFlag(db, "subdivisionsX", 10), sy = countFlag(db, "subdivisionsY", 10);
        if (sx < 1 || sy < 1) {
            error("polyPlane: Subdivisions must be at least 1.");
            return MS::kFailure;
        }
        if (!withinFaceLimit("polyPlane", static_cast<long long>(sx) * sy))
            return MS::kFailure;
        return makePrimitive(
            edits, db,
            {"polyPlane",
             nameFlag(db, "pPlane#"),
             plane(w, h, sx, sy),
             {{"width", w}, {"height", h}, {"subdivisionsWidth", sx}, {"subdivisionsHeight", sy}}});
    }
};

MSyntax polyUniteSyntax() {
    MSyntax s;
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("ch", "constructionHistory", MSyntax::kBoolean);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// The meshes named or selected (a transform stands for its mesh), as one
// new mesh in world space under a new transform at the world. With history
// a polyUnite node takes each mesh and its world matrix and feeds the new
// mesh, and the meshes stay as intermediate objects under their
// transforms; without, the objects are deleted.
class PolyUniteCommand : public commands::ObjectsCommand<commands::EditCommand> {
protected:
    MStatus runOn(const MArgDatabase& db, MSelectionList& objects) override {
        std::vector<dag::NodePath> meshes;
        for (const commands::Target& t : commands::targets(objects)) {
            if (t.path.empty() || !t.plug.isNull() || !t.component.isNull())
                continue;
            dag::NodePath path = t.path;
            if (!path.back()->type().hasFn(MFn::kMesh)) {
                Node* mesh = visibleMesh(*path.back());
                if (!mesh)
                    continue;
                path.push_back(mesh);
            }
            if (std::find(meshes.begin(), meshes.end(), path) == meshes.end())
                meshes.push_back(path);
        }
        if (meshes.size() < 2) {
            error("polyUnite: Name or select at least two polygon objects.");
            return MS::kFailure;
        }
        std::vector<std::pair<MeshData, MMatrix>> parts;
        for (const dag::NodePath& path : meshes)
            parts.emplace_back(*meshOf(*path.back()), dag::inclusiveMatrix(path));

        Scene& scene = Scene::current();
        NodePtr transform = scene.createNode("transform", nameFlag(db, "polySurface#"));
        NodePtr shape =
            scene.createNode("mesh", commands::shapeNameFor(transform->name()), transform.get());
        setGeometry(*shape, united(parts));
        std::vector<NodePtr> made{transform, shape};
        bool history = true;
        if (db.isFlagSet("constructionHistory"))
            db.getFlagArgument("constructionHistory", 0, history);
        const MeshAttributes& m = meshAttributes();
        Attribute* io = dag::attributes().intermediateObject;
        if (history) {
            NodePtr unite = scene.createNode("polyUnite", "polyUnite#");
            Attribute* in = unite->findAttribute("inputPoly");
            Attribute* at = unite->findAttribute("inputMat");
            for (unsigned i = 0; i < meshes.size(); ++i) {
                // The matrix comes from the mesh's transform, whose world
                // matrix is the mesh's and follows its moves.
                const dag::NodePath& path = meshes[i];
                scene.connect(PlugRef{path.back(), PlugPath{m.outMesh, {}}},
                              PlugRef{unite.get(), PlugPath{in, {i}}});
                scene.connect(
                    PlugRef{path[path.size() - 2], PlugPath{dag::attributes().worldMatrix, {0}}},
                    PlugRef{unite.get(), PlugPath{at, {i}}});
            }
            scene.connect(PlugRef{unite.get(), PlugPath{unite->findAttribute("output"), {}}},
                          PlugRef{shape.get(), PlugPath{m.inMesh, {}}});
            made.push_back(unite);
        }
        edits.created(made);
        if (history) {
            for (const dag::NodePath& path : meshes) {
                Node& mesh = *path.back();
                edits.change(mesh, {PlugPath{io, {}}}, [&] {
                    return static_cast<bool>(assign(PlugRef{&mesh, PlugPath{io, {}}}, true));
                });
            }
        } else {
            auto modifier = std::make_shared<MDagModifier>();
            for (const dag::NodePath& path : meshes)
                modifier->deleteNode(
                    scene.object(path.size() > 2 ? path[path.size() - 2] : path.back()));
            if (!edits.run(modifier)) {
                error("polyUnite: The objects could not be deleted.");
                return MS::kFailure;
            }
        }
        MSelectionList list;
        list.add(dag::PathAccess::make(dag::firstPath(*transform)));
        edits.select(list);
        MStringArray result;
        result.append(MString(commands::nameOf(*transform).c_str()));
        if (history)
            result.append(MString(made.back()->name().c_str()));
        setResult(result);
        return MS::kSuccess;
    }

private:
    static Node* visibleMesh(Node& transform) {
        Attribute* io = dag::attributes().intermediateObject;
        for (Node* child : transform.children)
            if (child->type().hasFn(MFn::kMesh) &&
                !valueAsLong(evaluate(PlugRef{child, PlugPath{io, {}}})))
                return child;
        return nullptr;
    }
};

MSyntax polyEvaluateSyntax() {
    MSyntax s;
    s.addFlag("v", "vertex");
    s.addFlag("e", "edge");
    s.addFlag("f", "face");
    s.addFlag("t", "triangle");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// The count one flag asks for, of the first mesh named (a transform stands
// for its shape) or selected.
class PolyEvaluateCommand : public commands::ObjectsCommand<MPxCommand> {
protected:
    MStatus runOn(const MArgDatabase& db, MSelectionList& objects) override {
        const char* flags[] = {"vertex", "edge", "face", "triangle"};
        const char* asked = nullptr;
        for (const char* flag : flags)
            if (db.isFlagSet(flag)) {
                if (asked) {
                    asked = nullptr;
                    break;
                }
                asked = flag;
            }
        if (!asked) {
            error("polyEvaluate: Give one of -vertex, -edge, -face or -triangle.");
            return MS::kFailure;
        }
        for (const commands::Target& t : commands::targets(objects)) {
            Node* mesh = meshAt(*t.node);
            if (!mesh)
                continue;
            setResult(count(*meshOf(*mesh), asked));
            return MS::kSuccess;
        }
        error("polyEvaluate: No polygon object is named or selected.");
        return MS::kFailure;
    }

private:
    static Node* meshAt(Node& node) {
        if (node.type().hasFn(MFn::kMesh))
            return &node;
        for (Node* child : node.children)
            if (child->type().hasFn(MFn::kMesh))
                return child;
        return nullptr;
    }
    static int count(const MeshData& mesh, const std::string& what) {
        if (what == "vertex")
            return static_cast<int>(mesh.vertexCount());
        if (what == "face")
            return static_cast<int>(mesh.faceCount());
        int triangles = 0;
        std::set<std::pair<int, int>> edges;
        size_t corner = 0;
        for (int n : mesh.faceCounts) {
            triangles += std::max(0, n - 2);
            for (int k = 0; k < n; ++k) {
                const int a = mesh.faceConnects[corner + static_cast<size_t>(k)];
                const int b = mesh.faceConnects[corner + static_cast<size_t>((k + 1) % n)];
                edges.insert({std::min(a, b), std::max(a, b)});
            }
            corner += static_cast<size_t>(n);
        }
        return what == "edge" ? static_cast<int>(edges.size()) : triangles;
    }
};

}  // namespace

void registerPolyCommands() {
    commands::define<PolyCubeCommand>("polyCube", polyCubeSyntax);
    commands::define<PolySphereCommand>("polySphere", polySphereSyntax);
    commands::define<PolyPlaneCommand>("polyPlane", polyPlaneSyntax);
    commands::define<PolyUniteCommand>("polyUnite", polyUniteSyntax);
    commands::define<PolyEvaluateCommand>("polyEvaluate", polyEvaluateSyntax);
}

}  // namespace geometry
}  // namespace host
