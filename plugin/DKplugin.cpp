// The module's face towards the host's plug-in manager: the exported API
// version and the two entry points that register and remove everything the
// module offers.

#include "commands/copy/DKcopyAttrCmd.h"
#include "commands/copy/DKcopyPlugValueCmd.h"
#include "commands/info/DKattrInfoCmd.h"
#include "commands/info/DKnodeInfoCmd.h"
#include "commands/map/DKmapCmd.h"
#include "commands/map/DKmapStore.h"
#include "commands/uninstancer/DKuninstancerCmd.h"
#include "nodes/DKhyperVeil.h"
#include "nodes/DKhyperVeilCallbacks.h"
#include "plugin/DKerrorFrame.h"
#include "plugin/DKexception.h"

// The version text is defined below, once for the whole module.
#define MNoVersionString
#include <maya/MFnPlugin.h>
#include <maya/MMessage.h>
#include <maya/MObject.h>
#include <maya/MPxNode.h>
#include <maya/MSceneMessage.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

#include <algorithm>
#include <vector>

#ifdef _WIN32
#define DK_EXPORT __declspec(dllexport)
#else
#define DK_EXPORT __attribute__((visibility("default")))
#endif

#define DK_TEXT(x) #x
#define DK_VERSION_TEXT(x) DK_TEXT(x)

// The application accepts only a module built for its own API version, so
// the text follows the kit the module is compiled against.
extern "C" DK_EXPORT const char MApiVersion[] = DK_VERSION_TEXT(MAYA_API_VERSION);

namespace {

const char* const kFrameName = "Dravik Tools: ";
// Registration and deregistration pass this same object.
const MTypeId kPluginTypeId(0x10d681);

MCallbackId sceneCallbackId = kNoCallback;

struct NodeTypeEntry {
    const char* name;
    const MTypeId& id;
    MCreatorFunction creator;
    MInitializeFunction initialize;
    MPxNode::Type type;
};

struct CommandEntry {
    const char* name;
    MCreatorFunction creator;
    MCreateSyntaxFunction syntax;
    // Unload does not mirror load (the uninstancer leaves first, the others
    // in reverse load order), so each command carries its place: commands
    // are removed by ascending rank.
    unsigned unloadRank;
};

// Registered first at load, removed last at unload.
const std::vector<NodeTypeEntry>& nodeTypes() {
    static const std::vector<NodeTypeEntry> types{
        {DKhyperVeil::typeName, kPluginTypeId, DKhyperVeil::creator, DKhyperVeil::initialize,
         MPxNode::kObjectSet},
    };
    return types;
}

// In load order.
const std::vector<CommandEntry>& commands() {
    static const std::vector<CommandEntry> entries{
        {DKuninstancerCmd::commandName, DKuninstancerCmd::creator, DKuninstancerCmd::newSyntax, 0},
        {DKcopyAttrCmd::commandName, DKcopyAttrCmd::creator, DKcopyAttrCmd::newSyntax, 5},
        {DKcopyPlugValueCmd::commandName, DKcopyPlugValueCmd::creator,
         DKcopyPlugValueCmd::newSyntax, 4},
        {DKattrInfoCmd::commandName, DKattrInfoCmd::creator, DKattrInfoCmd::newSyntax, 3},
        {DKnodeInfoCmd::commandName, DKnodeInfoCmd::creator, DKnodeInfoCmd::newSyntax, 2},
        {DKmapCmd::commandName, DKmapCmd::creator, DKmapCmd::newSyntax, 1},
    };
    return entries;
}

std::vector<const CommandEntry*> commandsInUnloadOrder() {
    std::vector<const CommandEntry*> order;
    for (const CommandEntry& entry : commands()) {
        order.push_back(&entry);
    }
    std::stable_sort(order.begin(), order.end(), [](const CommandEntry* a, const CommandEntry* b) {
        return a->unloadRank < b->unloadRank;
    });
    return order;
}

void registerEverything(MFnPlugin& plugin) {
    for (const NodeTypeEntry& node : nodeTypes()) {
        checkStatus(plugin.registerNode(node.name, node.id, node.creator, node.initialize,
                                        node.type, nullptr));
    }
    for (const CommandEntry& command : commands()) {
        checkStatus(plugin.registerCommand(command.name, command.creator, command.syntax));
    }
    checkStatus(plugin.registerUI("dkDravikToolsCreateUI", "dkDravikToolsDeleteUI", "", ""));

    MStatus status;
    sceneCallbackId = MSceneMessage::addCallback(MSceneMessage::kSceneUpdate, sceneUpdateCallback,
                                                 nullptr, &status);
    // The context says nodeAdded though the callback is a scene-update one:
    // the text is the module's own, which users' scripts match, and stays as
    // it has always been.
    checkStatus(status, "Error adding nodeAdded callback");
}

// A failed step leaves the earlier removals done: nothing is restored.
void deregisterEverything(MFnPlugin& plugin) {
    clearMapStore();

    checkStatus(MMessage::removeCallback(sceneCallbackId), "Error removing sceneUpdated callback");
    sceneCallbackId = kNoCallback;

    for (const CommandEntry* command : commandsInUnloadOrder()) {
        checkStatus(plugin.deregisterCommand(command->name));
    }
    for (const NodeTypeEntry& node : nodeTypes()) {
        checkStatus(plugin.deregisterNode(node.id));
    }
}

}  // namespace

PLUGIN_EXPORT MStatus initializePlugin(MObject object) {
    MFnPlugin plugin(object, "Dravik Studios Inc.", "1.1", "Any");
    return errorFrame(kFrameName, [&] {
        registerEverything(plugin);
        return MStatus(MS::kSuccess);
    });
}

PLUGIN_EXPORT MStatus uninitializePlugin(MObject object) {
    MFnPlugin plugin(object);
    return errorFrame(kFrameName, [&] {
        deregisterEverything(plugin);
        return MStatus(MS::kSuccess);
    });
}
