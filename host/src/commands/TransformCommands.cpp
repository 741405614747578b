// move, rotate, scale, makeIdentity and pointPosition: the commands that place objects.
#include "commands/Support.h"
#include "commands/Transforms.h"
#include "geometry/Mesh.h"
#include "plugin/Args.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MEulerRotation.h>
#include <maya/MFnMesh.h>
#include <maya/MFnParticleSystem.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MPointArray.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVectorArray.h>

#include <functional>

namespace host {
namespace commands {

std::vector<PlugPath> transformPlugs() {
    const dag::DagAttributes& a = dag::attributes();
    std::vector<PlugPath> plugs;
    for (Attribute* at :
         {a.translate, a.rotate, a.rotateOrder, a.scale, a.shear, a.rotateAxis, a.rotatePivot,
          a.rotatePivotTranslate, a.scalePivot, a.scalePivotTranslate})
        plugs.push_back(PlugPath{at, {}});
    return plugs;
}

namespace {

bool isTransform(const Node& node) {
    return node.type().isA("transform");
}

// The axes an axis flag (-x, -xy, ... -xyz) restricts a command to; all three by default.
struct Axes {
    bool on[3] = {true, true, true};
    unsigned count() const { return unsigned(on[0]) + unsigned(on[1]) + unsigned(on[2]); }
};

void addAxisFlags(MSyntax& s, const char* word) {
    const std::string w = word;
    for (const char* axes : {"x", "y", "z", "xy", "xz", "yz", "xyz"}) {
        std::string upper = axes;
        for (char& c : upper)
            c = static_cast<char>(c - 'a' + 'A');
        s.addFlag(axes, (w + upper).c_str());
    }
}

Axes axesOf(const MArgDatabase& db) {
    Axes a;
    for (const char* flag : {"x", "y", "z", "xy", "xz", "yz"}) {
        if (!db.isFlagSet(flag))
            continue;
        const std::string f = flag;
        for (int k = 0; k < 3; ++k)
            a.on[k] = f.find(static_cast<char>('x' + k)) != std::string::npos;
        break;
    }
    return a;
}

// The words of a call: the numbers for the enabled axes first, then the objects.
struct Operands {
    double values[3] = {0, 0, 0};  // UI units, by axis
    std::vector<dag::NodePath> transforms;
    std::vector<Target> vertices;  // mesh vertex items (move only)
};

// Mesh vertices count only when withVertices is set; other components are passed over.
bool readOperands(const MArgDatabase& db, const Axes& axes, MSyntax::MArgType kind, Operands& out,
                  bool withVertices = false) {
    MStringArray words;
    db.getObjects(words);
    unsigned w = 0;
    for (int k = 0; k < 3; ++k) {
        if (!axes.on[k])
            continue;
        if (w >= words.length() ||
            !plugin::readMeasure(mel::Value(std::string(words[w].asChar())), kind, out.values[k])) {
            error("Not enough objects or values.");
            return false;
        }
        ++w;
    }
    MSelectionList list;
    for (; w < words.length(); ++w)
        if (!lookup(words[w].asChar(), list)) {
            error(std::string("No object matches name: ") + words[w].asChar());
            return false;
        }
    if (list.length() == 0)
        MGlobal::getActiveSelectionList(list);
    for (const Target& t : targets(list)) {
        if (withVertices && !t.path.empty() && !t.component.isNull() &&
            t.node->type().isA("mesh")) {
            out.vertices.push_back(t);
            continue;
        }
        if (t.path.empty() || !t.component.isNull())
            continue;
        dag::NodePath path = t.path;
        // A shape named on its own moves with its transform.
        if (!isTransform(*path.back()) && path.size() > 2)
            path.pop_back();
        if (isTransform(*path.back()))
            out.transforms.push_back(path);
    }
    if (out.transforms.empty() && out.vertices.empty()) {
        error("Not enough objects or values.");
        return false;
    }
    return true;
}

MObject objectOf(const dag::NodePath& path) {
    return Scene::current().object(path.back());
}

// The rotation part of a matrix, scale removed.
MQuaternion rotationOf(const MMatrix& m) {
    return MTransformationMatrix(m).rotation();
}

// The world position of the transform's origin, or of one of its pivots.
MPoint worldPoint(const dag::NodePath& path, const MPoint& local) {
    return local * dag::inclusiveMatrix(path);
}

// Moves the transform by a world-space offset.
bool translateWorld(MFnTransform& fn, const dag::NodePath& path, const MVector& offset) {
    const MVector local = offset * dag::exclusiveMatrix(path).inverse();
    return fn.translateBy(local, MSpace::kTransform);
}

// ---------------------------------------------------------------- move

MSyntax moveSyntax() {
    MSyntax s;
    s.addFlag("a", "absolute");
    s.addFlag("r", "relative");
    s.addFlag("ws", "worldSpace");
    s.addFlag("os", "objectSpace");
    s.addFlag("ls", "localSpace");
    s.addFlag("wd", "worldSpaceDistance");
    s.addFlag("rpr", "rotatePivotRelative");
    s.addFlag("spr", "scalePivotRelative");
    addAxisFlags(s, "move");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class MoveCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        const Axes axes = axesOf(db);
        Operands ops;
        if (!readOperands(db, axes, MSyntax::kDistance, ops, true))
            return MS::kFailure;
        MVector v;
        for (int k = 0; k < 3; ++k)
            v[k] = MDistance::uiToInternal(ops.values[k]);
        const bool relative = db.isFlagSet("relative");
        for (const dag::NodePath& path : ops.transforms) {
            Node& node = *path.back();
            MFnTransform fn(objectOf(path));
            const bool ok = edits.change(node, transformPlugs(), [&] {
                if (db.isFlagSet("localSpace"))
                    return moveLocal(fn, axes, v, relative);
                if (db.isFlagSet("objectSpace"))
                    return moveAlongObject(fn, path, axes, v, relative,
                                           db.isFlagSet("worldSpaceDistance"));
                MPoint reference;
                if (db.isFlagSet("rotatePivotRelative"))
                    reference = fn.rotatePivot(MSpace::kTransform);
                else if (db.isFlagSet("scalePivotRelative"))
                    reference = fn.scalePivot(MSpace::kTransform);
                const MPoint now = worldPoint(path, reference);
                MVector offset;
                for (int k = 0; k < 3; ++k)
                    if (axes.on[k])
                        offset[k] = relative ? v[k] : v[k] - now[k];
                return translateWorld(fn, path, offset);
            });
            if (!ok) {
                edits.undo();
                error("move: Cannot move '" + node.name() + "'.");
                return MS::kFailure;
            }
        }
        for (const Target& t : ops.vertices)
            if (!moveVertices(t, axes, v, relative,
                              db.isFlagSet("localSpace") || db.isFlagSet("objectSpace"))) {
                edits.undo();
                error("move: Cannot move the points of '" + t.node->name() + "'.");
                return MS::kFailure;
            }
        return MS::kSuccess;
    }

private:
    // Mesh vertices move in world space, or in the mesh's own space with -os or -ls.
    bool moveVertices(const Target& t, const Axes& axes, const MVector& v, bool relative,
                      bool local) {
        Node& shape = *t.node;
        const MMatrix toWorld = local ? MMatrix() : dag::inclusiveMatrix(t.path);
        const auto& a = geometry::meshAttributes();
        return edits.change(shape, {PlugPath{a.vertices, {}}, PlugPath{a.tweaks, {}}}, [&] {
            MFnMesh mesh(Scene::current().object(&shape));
            MPointArray points;
            if (!mesh.getPoints(points, MSpace::kObject))
                return false;
            MFnSingleIndexedComponent component(t.component);
            MIntArray picked;
            component.getElements(picked);
            for (unsigned k = 0; k < picked.length(); ++k) {
                const int i = picked[k];
                if (i < 0 || static_cast<unsigned>(i) >= points.length())
                    return false;
                MPoint p = points[static_cast<unsigned>(i)] * toWorld;
                for (int c = 0; c < 3; ++c)
                    if (axes.on[c])
                        p[c] = relative ? p[c] + v[c] : v[c];
                points[static_cast<unsigned>(i)] = p * toWorld.inverse();
            }
            return static_cast<bool>(mesh.setPoints(points, MSpace::kObject));
        });
    }

    // Parent space: the numbers are the translate values.
    static bool moveLocal(MFnTransform& fn, const Axes& axes, const MVector& v, bool relative) {
        MVector t = fn.translation(MSpace::kTransform);
        for (int k = 0; k < 3; ++k)
            if (axes.on[k])
                t[k] = relative ? t[k] + v[k] : v[k];
        return fn.setTranslation(t, MSpace::kTransform);
    }

    // Along the object's own axes, which carry its scale unless the numbers are world
    // distances. An absolute move sets the position measured along those axes.
    static bool moveAlongObject(MFnTransform& fn, const dag::NodePath& path, const Axes& axes,
                                const MVector& v, bool relative, bool worldDistance) {
        MMatrix frame = dag::inclusiveMatrix(path);
        for (int c = 0; c < 3; ++c)
            frame[3][c] = 0;
        if (worldDistance)
            for (int r = 0; r < 3; ++r) {
                const MVector axis(frame[r][0], frame[r][1], frame[r][2]);
                const double length = axis.length();
                for (int c = 0; c < 3 && length > 0; ++c)
                    frame[r][c] /= length;
            }
        const MPoint now = worldPoint(path, MPoint());
        MVector along = MVector(now) * frame.inverse();
        MVector target = along;
        for (int k = 0; k < 3; ++k)
            if (axes.on[k])
                target[k] = relative ? along[k] + v[k] : v[k];
        return translateWorld(fn, path, (target - along) * frame);
    }
};

// ---------------------------------------------------------------- rotate

MSyntax rotateSyntax() {
    MSyntax s;
    s.addFlag("a", "absolute");
    s.addFlag("r", "relative");
    s.addFlag("eu", "euler");
    s.addFlag("ws", "worldSpace");
    s.addFlag("os", "objectSpace");
    s.addFlag("p", "pivot", MSyntax::kDistance, MSyntax::kDistance, MSyntax::kDistance);
    addAxisFlags(s, "rotate");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class RotateCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        const Axes axes = axesOf(db);
        Operands ops;
        if (!readOperands(db, axes, MSyntax::kAngle, ops))
            return MS::kFailure;
        double v[3];
        for (int k = 0; k < 3; ++k)
            v[k] = axes.on[k] ? MAngle::uiToInternal(ops.values[k]) : 0.0;
        const bool relative = db.isFlagSet("relative");
        const bool pivoted = db.isFlagSet("pivot");
        const MPoint pivot = distanceTripleFlag(db, "pivot");
        for (const dag::NodePath& path : ops.transforms) {
            Node& node = *path.back();
            MFnTransform fn(objectOf(path));
            const bool ok = edits.change(node, transformPlugs(), [&] {
                double now[3];
                MTransformationMatrix::RotationOrder order;
                fn.getRotation(now, order);
                if (!relative || db.isFlagSet("euler")) {
                    // Absolute values, or values added to the rotate channels.
                    for (int k = 0; k < 3; ++k)
                        if (axes.on[k])
                            now[k] = relative ? now[k] + v[k] : v[k];
                    return static_cast<bool>(fn.setRotation(now, order));
                }
                const MQuaternion turn = MEulerRotation(v[0], v[1], v[2]).asQuaternion();
                MQuaternion local;
                fn.getRotation(local, MSpace::kTransform);
                if (db.isFlagSet("objectSpace")) {
                    local = turn * local;
                } else {
                    const MQuaternion parent = rotationOf(dag::exclusiveMatrix(path));
                    local = local * parent * turn * parent.inverse();
                }
                if (!fn.setRotation(local, MSpace::kTransform))
                    return false;
                if (!pivoted)
                    return true;
                // About a pivot the rotate pivot swings round it in world space.
                const MPoint before = worldPoint(path, fn.rotatePivot(MSpace::kTransform));
                const MVector arm = MVector(before - pivot).rotateBy(turn);
                return translateWorld(fn, path, (pivot + arm) - before);
            });
            if (!ok) {
                edits.undo();
                error("rotate: Cannot rotate '" + node.name() + "'.");
                return MS::kFailure;
            }
        }
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- scale

MSyntax scaleSyntax() {
    MSyntax s;
    s.addFlag("a", "absolute");
    s.addFlag("r", "relative");
    s.addFlag("p", "pivot", MSyntax::kDistance, MSyntax::kDistance, MSyntax::kDistance);
    addAxisFlags(s, "scale");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class ScaleCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        const Axes axes = axesOf(db);
        Operands ops;
        if (!readOperands(db, axes, MSyntax::kDouble, ops))
            return MS::kFailure;
        // Unlike move and rotate, scale multiplies unless told -a.
        const bool absolute = db.isFlagSet("absolute");
        const bool pivoted = db.isFlagSet("pivot");
        const MPoint pivot = distanceTripleFlag(db, "pivot");
        for (const dag::NodePath& path : ops.transforms) {
            Node& node = *path.back();
            MFnTransform fn(objectOf(path));
            const bool ok = edits.change(node, transformPlugs(), [&] {
                double s[3];
                fn.getScale(s);
                double factor[3] = {1, 1, 1};
                for (int k = 0; k < 3; ++k) {
                    if (!axes.on[k])
                        continue;
                    factor[k] = absolute ? (s[k] != 0 ? ops.values[k] / s[k] : 1) : ops.values[k];
                    s[k] = absolute ? ops.values[k] : s[k] * ops.values[k];
                }
                if (!fn.setScale(s))
                    return false;
                if (!pivoted)
                    return true;
                // About a pivot the object's scale pivot moves away from it by the factor.
                const MPoint at = worldPoint(path, fn.scalePivot(MSpace::kTransform));
                MVector offset;
                for (int k = 0; k < 3; ++k)
                    offset[k] = (at[k] - pivot[k]) * (factor[k] - 1);
                return translateWorld(fn, path, offset);
            });
            if (!ok) {
                edits.undo();
                error("scale: Cannot scale '" + node.name() + "'.");
                return MS::kFailure;
            }
        }
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- makeIdentity

MSyntax makeIdentitySyntax() {
    MSyntax s;
    s.addFlag("a", "apply", MSyntax::kBoolean);
    s.addFlag("t", "translate", MSyntax::kBoolean);
    s.addFlag("r", "rotate", MSyntax::kBoolean);
    s.addFlag("s", "scale", MSyntax::kBoolean);
    s.addFlag("n", "normal", MSyntax::kLong);
    s.addFlag("jo", "jointOrient");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class MakeIdentityCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        auto flag = [&](const char* name) {
            bool on = false;
            return db.isFlagSet(name) && db.getFlagArgument(name, 0, on) && on;
        };
        m_apply = flag("apply");
        const bool any =
            db.isFlagSet("translate") || db.isFlagSet("rotate") || db.isFlagSet("scale");
        m_translate = !any || flag("translate");
        m_rotate = !any || flag("rotate");
        m_scale = !any || flag("scale");
        Operands ops;
        Axes none;
        for (bool& on : none.on)
            on = false;
        if (!readOperands(db, none, MSyntax::kDouble, ops))
            return MS::kFailure;
        for (const dag::NodePath& path : ops.transforms)
            if (!reset(path, MMatrix())) {
                edits.undo();
                error("makeIdentity: Cannot reset '" + path.back()->name() + "'.");
                return MS::kFailure;
            }
        return MS::kSuccess;
    }

private:
    // Resets the transform at path and everything below it. With -apply the part taken
    // off the transform is handed down (as `carried`) into the children and the meshes,
    // so that nothing moves.
    bool reset(const dag::NodePath& path, const MMatrix& carried) {
        Node& node = *path.back();
        MObject object = objectOf(path);
        if (!isTransform(node))
            return !m_apply || bake(node, carried);
        MFnTransform fn(object);
        const MMatrix before = dag::localMatrix(node) * carried;
        bool ok = edits.change(node, transformPlugs(), [&] {
            if (m_translate && !fn.setTranslation(MVector(), MSpace::kTransform))
                return false;
            if (m_rotate) {
                const double zero[3] = {0, 0, 0};
                MTransformationMatrix::RotationOrder order;
                double now[3];
                fn.getRotation(now, order);
                if (!fn.setRotation(zero, order))
                    return false;
            }
            if (m_scale) {
                const double one[3] = {1, 1, 1};
                const double none[3] = {0, 0, 0};
                if (!fn.setScale(one) || !fn.setShear(none))
                    return false;
            }
            return true;
        });
        if (!ok)
            return false;
        const MMatrix handedDown = m_apply ? before * dag::localMatrix(node).inverse() : MMatrix();
        for (Node* child : node.children) {
            dag::NodePath below = path;
            below.push_back(child);
            if (!reset(below, handedDown))
                return false;
        }
        return true;
    }

    // Moves a mesh's points by the matrix taken off the transforms above it.
    bool bake(Node& shape, const MMatrix& m) {
        if (!shape.type().isA("mesh"))
            return true;
        const auto& a = geometry::meshAttributes();
        return edits.change(shape, {PlugPath{a.vertices, {}}, PlugPath{a.tweaks, {}}}, [&] {
            MFnMesh mesh(Scene::current().object(&shape));
            MPointArray points;
            if (!mesh.getPoints(points, MSpace::kObject))
                return false;
            for (unsigned i = 0; i < points.length(); ++i)
                points[i] = points[i] * m;
            return static_cast<bool>(mesh.setPoints(points, MSpace::kObject));
        });
    }

    bool m_apply = false, m_translate = true, m_rotate = true, m_scale = true;
};

// ---------------------------------------------------------------- pointPosition

MSyntax pointPositionSyntax() {
    MSyntax s;
    s.addFlag("w", "world");
    s.addFlag("l", "local");
    s.setObjectType(MSyntax::kStringObjects, 0, 1);
    return s;
}

class PointPositionCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MSelectionList list;
        if (!objectsOf(db, list))
            return MS::kFailure;
        const std::vector<Target> found = targets(list);
        MPoint local;
        if (found.empty() || found.front().path.empty() || !pointOf(found.front(), local)) {
            error("pointPosition: Unable to find the point.");
            return MS::kFailure;
        }
        const MPoint p =
            db.isFlagSet("local") ? local : local * dag::inclusiveMatrix(found.front().path);
        MDoubleArray out;
        for (int k = 0; k < 3; ++k)
            out.append(MDistance::internalToUI(p[k]));
        setResult(out);
        return MS::kSuccess;
    }

private:
    // The item's point in its shape's space: a vertex or particle, or a transform's rotate
    // pivot (which is where a locator sits).
    static bool pointOf(const Target& t, MPoint& p) {
        Node& node = *t.node;
        if (t.component.isNull()) {
            if (!isTransform(node))
                return false;
            p = MFnTransform(Scene::current().object(&node)).rotatePivot(MSpace::kTransform);
            return true;
        }
        MFnSingleIndexedComponent component(t.component);
        if (component.elementCount() != 1)
            return false;
        const int i = component.element(0);
        MPointArray points;
        if (node.type().isA("mesh")) {
            points = geometry::meshPoints(node);
        } else if (node.type().isA("particle")) {
            MVectorArray positions;
            MFnParticleSystem(Scene::current().object(&node)).position(positions);
            for (unsigned k = 0; k < positions.length(); ++k)
                points.append(MPoint(positions[k]));
        }
        if (i < 0 || static_cast<unsigned>(i) >= points.length())
            return false;
        p = points[static_cast<unsigned>(i)];
        return true;
    }
};

}  // namespace

void registerTransformCommands() {
    define<PointPositionCommand>("pointPosition", pointPositionSyntax);
    define<MoveCommand>("move", moveSyntax);
    define<RotateCommand>("rotate", rotateSyntax);
    define<ScaleCommand>("scale", scaleSyntax);
    define<MakeIdentityCommand>("makeIdentity", makeIdentitySyntax);
}

}  // namespace commands
}  // namespace host
