// camera makes a camera; lookThru picks the one a playblast looks through.
// There are no panels, so the host keeps one chosen camera for the session.
#include "commands/Support.h"
#include "graph/PlugAccess.h"
#include "render/Camera.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MEulerRotation.h>
#include <maya/MPoint.h>

#include <memory>

namespace host {
namespace render {

namespace {

using commands::error;

std::weak_ptr<Node>& chosenCamera() {
    static std::weak_ptr<Node> camera;
    return camera;
}

bool double3Flag(const MArgDatabase& db, const char* flag, double out[3]) {
    if (!db.isFlagSet(flag))
        return false;
    for (unsigned i = 0; i < 3; ++i)
        db.getFlagArgument(flag, i, out[i]);
    return true;
}

void set(Node& node, const char* attribute, const Value& value) {
    assign(PlugRef{&node, PlugPath{node.findAttribute(attribute), {}}}, value);
}

// The rotation (XYZ, radians) that turns a camera at `from` to look at
// `to` with world +Y up.
MEulerRotation aimAt(const MPoint& from, const MPoint& to) {
    MVector back = (from - to).normal();
    MVector right = MVector(0.0, 1.0, 0.0) ^ back;
    if (right.length() < 1e-9)  // looking straight up or down
        right = MVector(1.0, 0.0, 0.0);
    right.normalize();
    const MVector up = back ^ right;
    const double rows[4][4] = {{right.x, right.y, right.z, 0.0},
                               {up.x, up.y, up.z, 0.0},
                               {back.x, back.y, back.z, 0.0},
                               {0.0, 0.0, 0.0, 1.0}};
    return MEulerRotation::decompose(MMatrix(rows), MEulerRotation::kXYZ);
}

MSyntax cameraSyntax() {
    MSyntax s;
    s.addFlag("p", "position", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("rot", "rotation", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("wci", "worldCenterOfInterest", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("fl", "focalLength", MSyntax::kDouble);
    s.addFlag("hfa", "horizontalFilmAperture", MSyntax::kDouble);
    s.addFlag("o", "orthographic", MSyntax::kBoolean);
    s.addFlag("ow", "orthographicWidth", MSyntax::kDouble);
    s.addFlag("ncp", "nearClipPlane", MSyntax::kDouble);
    return s;
}

// camera [-p x y z] [-rot x y z | -wci x y z] [lens flags]: "camera#" with
// "cameraShape#"; the result is both names.
class CameraCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        if (db.isFlagSet("rot") && db.isFlagSet("wci")) {
            error("camera: Use -rotation or -worldCenterOfInterest, not both.");
            return MS::kFailure;
        }
        Scene& scene = Scene::current();
        NodePtr transform = scene.createNode("transform", "camera#");
        NodePtr shape =
            scene.createNode("camera", commands::shapeNameFor(transform->name()), transform.get());
        edits.created({transform, shape});

        const dag::DagAttributes& a = dag::attributes();
        double position[3] = {0.0, 0.0, 0.0}, angles[3];
        if (double3Flag(db, "p", position)) {
            double internal[3];
            for (int i = 0; i < 3; ++i)
                internal[i] = MDistance::uiToInternal(position[i]);
            dag::writeDouble3(*transform, a.translate, internal);
        }
        if (double3Flag(db, "rot", angles)) {
            for (double& angle : angles)
                angle = MAngle::uiToInternal(angle);
            dag::writeDouble3(*transform, a.rotate, angles);
        }
        if (double3Flag(db, "wci", angles)) {
            MEulerRotation r = aimAt(MPoint(position[0], position[1], position[2]),
                                     MPoint(angles[0], angles[1], angles[2]));
            const double rotation[3] = {r.x, r.y, r.z};
            dag::writeDouble3(*transform, a.rotate, rotation);
        }
        if (db.isFlagSet("o")) {
            bool on = false;
            db.getFlagArgument("o", 0, on);
            set(*shape, "orthographic", Value{on});
        }
        const struct {
            const char* flag;
            const char* attribute;
            bool distance;
        } lens[] = {{"fl", "focalLength", false},
                    {"hfa", "horizontalFilmAperture", false},
                    {"ow", "orthographicWidth", true},
                    {"ncp", "nearClipPlane", true}};
        for (const auto& l : lens) {
            double value = 0.0;
            if (db.isFlagSet(l.flag) && db.getFlagArgument(l.flag, 0, value))
                set(*shape, l.attribute,
                    Value{l.distance ? MDistance::uiToInternal(value) : value});
        }

        MStringArray result;
        result.append(MString(commands::nameOf(*transform).c_str()));
        result.append(MString(commands::nameOf(*shape).c_str()));
        setResult(result);
        return MS::kSuccess;
    }
};

MSyntax lookThruSyntax() {
    MSyntax s;
    s.setObjectType(MSyntax::kStringObjects, 0, 1);
    s.enableQuery();
    return s;
}

// lookThru camera | lookThru -q. Choosing a view is not a scene edit, so it
// is not undone.
class LookThruCommand : public commands::ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        if (db.isQuery()) {
            Node* shape = lookThroughCamera();
            setResult(MString(shape ? commands::nameOf(*shape->parents.front()).c_str() : ""));
            return MS::kSuccess;
        }
        if (objects.length() != 1) {
            error("lookThru: A camera is required.");
            return MS::kFailure;
        }
        Node* node = commands::findNode(objects[0].asChar());
        Node* shape = node ? cameraShape(*node) : nullptr;
        if (!shape) {
            error(std::string("lookThru: ") + objects[0].asChar() + " is not a camera.");
            return MS::kFailure;
        }
        chosenCamera() = Scene::current().share(shape);
        return MS::kSuccess;
    }
};

}  // namespace

Node* lookThroughCamera() {
    NodePtr camera = chosenCamera().lock();
    return camera && camera->inScene ? camera.get() : nullptr;
}

void registerCameraCommands() {
    commands::define<CameraCommand>("camera", cameraSyntax);
    commands::define<LookThruCommand>("lookThru", lookThruSyntax);
}

}  // namespace render
}  // namespace host
