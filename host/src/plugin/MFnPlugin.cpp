// The host is no plug-in: it neither exports an API version nor entry points.
#define MNoVersionString
#define MNoPluginEntry

#include "graph/NodeType.h"
#include "plugin/CommandBridge.h"
#include "plugin/FaultInjection.h"
#include "plugin/PluginManager.h"

#include <maya/MFnPlugin.h>

#include <cstdlib>
#include <string>

using host::plugin::Plugin;
using host::plugin::PluginManager;

namespace {

Plugin* pluginOf(const MObject& object) {
    return PluginManager::instance().fromObject(object);
}

void fill(MStatus* status, MStatus value) {
    if (status) {
        *status = value;
    }
}

// A text field of the plug-in the set is attached to.
MString field(const MObject& object, std::string Plugin::*member, MStatus* status) {
    const Plugin* plugin = pluginOf(object);
    fill(status, plugin ? MS::kSuccess : MS::kFailure);
    return plugin ? MString((plugin->*member).c_str()) : MString();
}

// "Any", or a version the host satisfies.
bool hostSatisfies(const char* requiredApiVersion) {
    if (!requiredApiVersion || std::string(requiredApiVersion) == "Any") {
        return true;
    }
    char* end = nullptr;
    const long required = std::strtol(requiredApiVersion, &end, 10);
    return end != requiredApiVersion && *end == '\0' && required <= MAYA_API_VERSION;
}

}  // namespace

MFnPlugin::MFnPlugin() = default;

MFnPlugin::MFnPlugin(MObject& object, const char* vendor, const char* version,
                     const char* requiredApiVersion, MStatus* ReturnStatus) {
    MStatus status = attach(object);
    Plugin* plugin = pluginOf(object);
    // Only the load records who made the plug-in; later sets only read it.
    if (status && plugin->state == Plugin::State::kLoading) {
        plugin->vendor = vendor ? vendor : "Unknown";
        plugin->version = version ? version : "Unknown";
        plugin->apiVersion = requiredApiVersion ? requiredApiVersion : "Any";
    }
    if (status && !hostSatisfies(requiredApiVersion)) {
        status = MS::kFailure;
    }
    fill(ReturnStatus, status);
}

MFnPlugin::~MFnPlugin() = default;

MFn::Type MFnPlugin::type() const {
    return MFn::kInvalid;
}

bool MFnPlugin::acceptsObject(const MObject& object) const {
    return pluginOf(object) != nullptr;
}

MString MFnPlugin::vendor(MStatus* ReturnStatus) const {
    return field(m_object, &Plugin::vendor, ReturnStatus);
}
MString MFnPlugin::version(MStatus* ReturnStatus) const {
    return field(m_object, &Plugin::version, ReturnStatus);
}
MString MFnPlugin::apiVersion(MStatus* ReturnStatus) const {
    return field(m_object, &Plugin::apiVersion, ReturnStatus);
}
MString MFnPlugin::name(MStatus* ReturnStatus) const {
    return field(m_object, &Plugin::name, ReturnStatus);
}

MString MFnPlugin::loadPath(MStatus* ReturnStatus) const {
    const std::string path = field(m_object, &Plugin::path, ReturnStatus).asChar();
    const auto slash = path.rfind('/');
    return MString(slash == std::string::npos ? "." : path.substr(0, slash).c_str());
}

MStatus MFnPlugin::setVersion(const MString& newVersion) {
    Plugin* plugin = pluginOf(m_object);
    if (!plugin) {
        return MS::kFailure;
    }
    plugin->version = newVersion.asChar();
    return MS::kSuccess;
}

MStatus MFnPlugin::registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                                   MCreateSyntaxFunction createSyntaxFunction) {
    const Plugin* plugin = pluginOf(m_object);
    MStatus status;
    if (!plugin) {
        return MS::kFailure;
    }
    if (host::faults::fire("MFnPlugin::registerCommand", commandName.asChar(), status)) {
        return status;
    }
    return host::plugin::defineCommand(commandName.asChar(), creatorFunction, createSyntaxFunction,
                                       plugin->name);
}

MStatus MFnPlugin::deregisterCommand(const MString& commandName) {
    const Plugin* plugin = pluginOf(m_object);
    MStatus status;
    if (!plugin) {
        return MS::kFailure;
    }
    if (host::faults::fire("MFnPlugin::deregisterCommand", commandName.asChar(), status)) {
        return status;
    }
    return host::plugin::undefineCommand(commandName.asChar(), plugin->name);
}

MStatus MFnPlugin::registerNode(const MString& typeName, const MTypeId& typeId,
                                MCreatorFunction creatorFunction, MInitializeFunction initFunction,
                                MPxNode::Type type, const MString* classification) {
    const Plugin* plugin = pluginOf(m_object);
    MStatus status;
    if (!plugin) {
        return MS::kFailure;
    }
    if (host::faults::fire("MFnPlugin::registerNode", typeName.asChar(), status)) {
        return status;
    }
    return host::NodeTypeRegistry::instance().registerPluginType(
        typeName, typeId, creatorFunction, initFunction, type, classification, plugin->name);
}

MStatus MFnPlugin::deregisterNode(const MTypeId& typeId) {
    const Plugin* plugin = pluginOf(m_object);
    MStatus status;
    if (!plugin) {
        return MS::kFailure;
    }
    if (host::faults::fire("MFnPlugin::deregisterNode", std::to_string(typeId.id()), status)) {
        return status;
    }
    host::NodeTypeRegistry& registry = host::NodeTypeRegistry::instance();
    const host::NodeType* type = registry.find(typeId);
    if (!type || type->pluginName != plugin->name) {
        return MS::kFailure;
    }
    return registry.deregisterPluginType(typeId);
}

MStatus MFnPlugin::registerUI(const MString& creationProc, const MString& deletionProc,
                              const MString& creationBatchProc, const MString& deletionBatchProc) {
    Plugin* plugin = pluginOf(m_object);
    MStatus status;
    if (!plugin) {
        return MS::kFailure;
    }
    if (host::faults::fire("MFnPlugin::registerUI", std::string(), status)) {
        return status;
    }
    plugin->createUI = creationProc.asChar();
    plugin->deleteUI = deletionProc.asChar();
    plugin->createBatchUI = creationBatchProc.asChar();
    plugin->deleteBatchUI = deletionBatchProc.asChar();
    return MS::kSuccess;
}

MObject MFnPlugin::findPlugin(const MString& pluginName) {
    const Plugin* plugin = PluginManager::instance().find(pluginName.asChar());
    return plugin ? plugin->object : MObject();
}
