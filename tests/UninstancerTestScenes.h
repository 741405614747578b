#ifndef DK_TESTS_UNINSTANCERTESTSCENES_H
#define DK_TESTS_UNINSTANCERTESTSCENES_H

// Particle scenes for the uninstancer's tests, and what the host itself
// says an instancer draws, to hold the copies against.

#include "PluginTestSupport.h"

#include <maya/MAnimControl.h>
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MItInstancer.h>
#include <maya/MMatrix.h>
#include <maya/MTime.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace dktest {

// Three objects to instance: one at the world's top, one under a scaled
// and moved group (so its parents count), one a small hierarchy.
inline const char* objectsScene() {
    return "createNode transform -n cube; createNode locator -n cubeShape -p cube;"
           "setAttr cube.translate 1 0 0; setAttr cube.rotate 10 20 30;"
           "createNode transform -n rig; setAttr rig.translate 0 2 0; setAttr rig.scale 2 2 2;"
           "createNode transform -n cone -p rig; createNode locator -n coneShape -p cone;"
           "setAttr cone.rotateY 45;"
           "createNode transform -n ball; createNode transform -n ballTop -p ball;"
           "createNode locator -n ballTopShape -p ballTop; setAttr ballTop.translateY 1;";
}

// An emitter feeding particleShape1, whose particles are born and die
// within a few frames; away from the origin and emitted outward, so that
// their positions (the scale) stay well above zero.
inline const char* emitterScene() {
    return "emitter -pos 5 5 5 -typ direction -r 40 -dx 1 -dy 1 -dz 1 -sp 0.1 -spd 4 -srn 1 "
           "-n emitter1;"
           "particle; connectDynamic -em emitter1 particle1;"
           "addAttr -ln lifespanPP -dt doubleArray particleShape1;"
           "addAttr -ln lifespanPP0 -dt doubleArray particleShape1;"
           "addAttr -ln lifespan -at double particleShape1;"
           "setAttr particleShape1.lifespanMode 2; setAttr particleShape1.lifespan 1.5;"
           "setAttr particleShape1.lifespanRandom 3;";
}

// The emitter scene drawn by instancer1: object chosen by lifespanPP (0, 1
// or 2), rotation by velocity, scale by position.
inline bool buildIndexedScene() {
    return run(std::string(objectsScene()) + emitterScene() +
               "particleInstancer -obj cube -obj cone -obj ball -oi lifespanPP -r velocity "
               "-sc position -n instancer1 particleShape1;");
}

// One particle as the instancer draws it at the current time.
struct Drawn {
    int id = 0;
    std::string object;  // the node the instancer shows, by name
    MMatrix world;       // the object's world matrix, then the particle's
};

inline std::uintptr_t instancerIdOf(const std::string& instancer) {
    MObject node = nodeObject(instancer);
    std::uintptr_t id = 0;
    std::memcpy(&id, &node, sizeof(id));
    return id;
}

inline std::vector<Drawn> drawnAt(const std::string& instancer, double frame) {
    MAnimControl::setCurrentTime(MTime(frame, MTime::uiUnit()));
    const std::uintptr_t wanted = instancerIdOf(instancer);
    std::vector<Drawn> drawn;
    for (MItInstancer it; !it.isDone(); it.nextParticle()) {
        if (it.instancerId() != wanted) {
            continue;
        }
        MDagPath object = it.path();
        Drawn d;
        d.id = static_cast<int>(it.particleId());
        d.object = MFnDependencyNode(object.node()).name().asChar();
        d.world = object.inclusiveMatrix() * it.matrix();
        drawn.push_back(d);
    }
    return drawn;
}

inline MMatrix worldMatrixOf(const std::string& name) {
    MSelectionList list;
    MDagPath path;
    if (MGlobal::getSelectionListByName(name.c_str(), list) != MS::kSuccess ||
        list.getDagPath(0, path) != MS::kSuccess) {
        ADD_FAILURE() << "no DAG node " << name;
    }
    return path.inclusiveMatrix();
}

// The largest difference between two matrices, relative to b's largest
// entry (or absolute below 1).
inline double relativeDifference(const MMatrix& a, const MMatrix& b) {
    double largest = 1.0;
    double difference = 0.0;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            largest = std::fmax(largest, std::fabs(b.matrix[r][c]));
            difference = std::fmax(difference, std::fabs(a.matrix[r][c] - b.matrix[r][c]));
        }
    }
    return difference / largest;
}

inline bool nearlyEqual(const MMatrix& a, const MMatrix& b, double tolerance = 1e-9) {
    return relativeDifference(a, b) <= tolerance;
}

inline std::vector<std::string> evalStrings(const std::string& mel) {
    host::mel::Value result;
    if (!host::mel::Interpreter::instance().execute(mel, &result)) {
        ADD_FAILURE() << "failed: " << mel;
        return {};
    }
    return result.toStringList();
}

}  // namespace dktest

#endif
