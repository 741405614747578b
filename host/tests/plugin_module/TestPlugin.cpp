// A small plug-in module for the host's loading tests. Its state is
// exported so that a test can read it while the module is loaded.
//
// Built twice: as TestPlugin, and with TEST_PLUGIN_FUTURE_API as
// FuturePlugin, which claims a later API version than the host's.

#ifdef TEST_PLUGIN_FUTURE_API
#define MNoVersionString
#endif

#include <maya/MArgDatabase.h>
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MPxNode.h>
#include <maya/MSceneMessage.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

extern "C" {
#ifdef TEST_PLUGIN_FUTURE_API
extern PLUGIN_EXPORT const char MApiVersion[];
const char MApiVersion[] = "201100";
#endif
// Scene updates seen by the callback, the callback's id, the counter that
// tpCounter changes, and the command objects alive.
PLUGIN_EXPORT int tpSceneUpdates = 0;
PLUGIN_EXPORT MCallbackId tpCallbackId = 0;
PLUGIN_EXPORT int tpCounterValue = 0;
PLUGIN_EXPORT int tpLiveCommands = 0;
}

namespace {

class Counted : public MPxCommand {
public:
    Counted() { ++tpLiveCommands; }
    ~Counted() override { --tpLiveCommands; }
};

// Adds one to the counter, undoably; the result is the new value.
class CounterCmd : public Counted {
public:
    static void* creator() { return new CounterCmd; }
    MStatus doIt(const MArgList&) override { return redoIt(); }
    MStatus redoIt() override {
        setResult(++tpCounterValue);
        return MS::kSuccess;
    }
    MStatus undoIt() override {
        --tpCounterValue;
        return MS::kSuccess;
    }
    bool isUndoable() const override { return true; }
};

// Answers its "-n" flag and its objects; fails on bad arguments.
class EchoCmd : public Counted {
public:
    static void* creator() { return new EchoCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-n", "-name", MSyntax::kString);
        syntax.setObjectType(MSyntax::kStringObjects, 0, 2);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status) {
            return status;
        }
        MString name;
        db.getFlagArgument("n", 0, name);
        MStringArray result;
        result.append(name);
        MStringArray objects;
        db.getObjects(objects);
        for (unsigned int i = 0; i < objects.length(); ++i) {
            result.append(objects[i]);
        }
        setResult(result);
        return MS::kSuccess;
    }
};

class TestNode : public MPxNode {
public:
    static void* creator() { return new TestNode; }
    static MStatus initialize() { return MS::kSuccess; }
};

void sceneUpdated(void*) {
    ++tpSceneUpdates;
}

}  // namespace

MStatus initializePlugin(MObject obj) {
    MFnPlugin plugin(obj, "Test Vendor", "2.5", "Any");
    MStatus status = plugin.registerCommand("tpCounter", CounterCmd::creator);
    if (status) {
        status = plugin.registerCommand("tpEcho", EchoCmd::creator, EchoCmd::newSyntax);
    }
    if (status) {
        status = plugin.registerNode("tpNode", MTypeId(0x7F0A1), TestNode::creator,
                                     TestNode::initialize);
    }
    if (status) {
        status =
            plugin.registerUI("tpCreateUI", "tpDeleteUI", "tpCreateBatchUI", "tpDeleteBatchUI");
    }
    if (status) {
        tpCallbackId =
            MSceneMessage::addCallback(MSceneMessage::kSceneUpdate, sceneUpdated, nullptr, &status);
    }
    return status;
}

// Leaves its scene callback registered on purpose: the host must remove it.
MStatus uninitializePlugin(MObject obj) {
    MFnPlugin plugin(obj);
    MStatus status = plugin.deregisterCommand("tpCounter");
    if (status) {
        status = plugin.deregisterCommand("tpEcho");
    }
    if (status) {
        status = plugin.deregisterNode(MTypeId(0x7F0A1));
    }
    return status;
}
