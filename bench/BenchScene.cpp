#include "BenchScene.h"

#include <maya/MAnimControl.h>
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MItInstancer.h>
#include <maya/MLibrary.h>
#include <maya/MSelectionList.h>
#include <maya/MTime.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace dkbench {

namespace {

[[noreturn]] void die(const std::string& text) {
    std::fprintf(stderr, "dk_bench: failed: %s\n", text.c_str());
    std::exit(2);
}

}  // namespace

void BakeScene::build() const {
    // Lifespans are uniform over 0 to 3 s, 1.5 s on average, so a rate of
    // alive / 1.5 per second keeps `alive` particles once 3 s have passed.
    std::ostringstream text;
    text << "polyCube -n box; polySphere -n ball; polyCube -n slab;"
         << "emitter -pos 5 5 5 -typ direction -r " << alive / 1.5
         << " -dx 1 -dy 1 -dz 1 -sp 0.2 -spd 4 -srn 1 -n emitter1;"
         << "particle -n dust; connectDynamic -em emitter1 dust;"
         << "addAttr -ln lifespanPP -dt doubleArray dustShape;"
         << "addAttr -ln lifespanPP0 -dt doubleArray dustShape;"
         << "addAttr -ln lifespan -at double dustShape;"
         << "setAttr dustShape.lifespanMode 2; setAttr dustShape.lifespan 1.5;"
         << "setAttr dustShape.lifespanRandom 3;"
         << "particleInstancer -obj box -obj ball -obj slab -oi lifespanPP -r velocity "
            "-sc position -n instancer1 dustShape;";
    mel(text.str());
}

void startHost() {
    MLibrary::initialize(false, "dk_bench");
    mel("loadPlugin \"DravikTools\"");
    mel("source \"" DK_BENCH_SCRIPT_DIR "/dkScriptBake.mel\"");
}

void mel(const std::string& text) {
    if (!MGlobal::executeCommand(MString(text.c_str()), false, false))
        die(text);
}

MStringArray melStrings(const std::string& text) {
    MStringArray result;
    if (!MGlobal::executeCommand(MString(text.c_str()), result, false, false))
        die(text);
    return result;
}

void newScene() {
    mel("file -f -new; flushUndo");
}

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

std::vector<Copy> copiesNamed(const MStringArray& names) {
    std::vector<Copy> copies;
    copies.reserve(names.length());
    for (unsigned i = 0; i < names.length(); ++i) {
        MSelectionList list;
        MDagPath path;
        if (!list.add(names[i]) || !list.getDagPath(0, path))
            die("no copy " + std::string(names[i].asChar()));
        copies.push_back({names[i].asChar(), path.inclusiveMatrix()});
    }
    return copies;
}

std::vector<Placement> drawnOver(const BakeScene& scene) {
    std::vector<Placement> drawn;
    for (int frame = scene.startFrame(); frame <= scene.endFrame(); ++frame) {
        MAnimControl::setCurrentTime(MTime(frame, MTime::uiUnit()));
        for (MItInstancer it; !it.isDone(); it.nextParticle()) {
            MDagPath object = it.path();
            MDagPath shape = object;
            shape.extendToShape();
            drawn.push_back({frame, object.fullPathName(), MFnDependencyNode(object.node()).name(),
                             MFnDependencyNode(shape.node()).name(),
                             object.inclusiveMatrix() * it.matrix()});
        }
    }
    return drawn;
}

}  // namespace dkbench
