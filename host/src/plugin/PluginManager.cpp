#include "plugin/PluginManager.h"

#include "graph/Node.h"
#include "graph/NodeType.h"
#include "graph/Scene.h"
#include "plugin/CommandBridge.h"
#include "plugin/FaultInjection.h"
#include "plugin/Messages.h"
#include "script/Interpreter.h"
#include "undo/UndoQueue.h"

#include <maya/MGlobal.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#ifndef MINIMAYA_DEFAULT_PLUGIN_PATH
#define MINIMAYA_DEFAULT_PLUGIN_PATH ""
#endif

namespace host {
namespace plugin {

namespace {

using EntryPoint = MStatus (*)(MObject);

// What an entry point's MObject designates.
class PluginObject : public Object {
public:
    explicit PluginObject(Plugin* owner) : plugin(owner) {}
    MFn::Type apiType() const override { return MFn::kInvalid; }
    Plugin* plugin;  // null once the plug-in is gone
};

void report(const std::string& text) {
    mel::Interpreter::instance().reportError(text);
}

std::string quotedName(const std::string& name) {
    return "Plug-in, \"" + name + "\", ";
}

bool isFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string baseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool hasExtension(const std::string& path) {
    return baseName(path).find('.') != std::string::npos;
}

std::vector<std::string> searchPath() {
    std::vector<std::string> dirs;
    if (const char* env = std::getenv("MAYA_PLUG_IN_PATH")) {
        std::stringstream parts(env);
        std::string dir;
        while (std::getline(parts, dir, ':')) {
            if (!dir.empty()) {
                dirs.push_back(dir);
            }
        }
    }
    dirs.emplace_back(MINIMAYA_DEFAULT_PLUGIN_PATH);
    return dirs;
}

// The module file for a name or path, or empty.
std::string locate(const std::string& nameOrPath) {
    const std::string file = hasExtension(nameOrPath) ? nameOrPath : nameOrPath + ".so";
    if (nameOrPath.find('/') != std::string::npos) {
        return isFile(file) ? file : isFile(nameOrPath) ? nameOrPath : std::string();
    }
    for (const std::string& dir : searchPath()) {
        const std::string candidate = dir + "/" + file;
        if (!dir.empty() && isFile(candidate)) {
            return candidate;
        }
    }
    return std::string();
}

// The plug-in's entry point; declared with C linkage by MFnPlugin.h, or with
// C++ linkage by a plug-in that declares its own.
EntryPoint entryPoint(void* handle, const char* name, const char* mangled) {
    void* symbol = dlsym(handle, name);
    if (!symbol) {
        symbol = dlsym(handle, mangled);
    }
    return reinterpret_cast<EntryPoint>(symbol);
}

EntryPoint initializeOf(void* handle) {
    return entryPoint(handle, "initializePlugin", "_Z16initializePlugin7MObject");
}

EntryPoint uninitializeOf(void* handle) {
    return entryPoint(handle, "uninitializePlugin", "_Z18uninitializePlugin7MObject");
}

// A plug-in runs with this host when built for the same release and not for
// a later revision of it.
bool compatible(const char* apiVersion) {
    char* end = nullptr;
    const long version = std::strtol(apiVersion, &end, 10);
    return end != apiVersion && *end == '\0' && version / 100 == MAYA_API_VERSION / 100 &&
           version <= MAYA_API_VERSION;
}

bool callEntry(EntryPoint fn, const MObject& object) {
    try {
        return fn(object).statusCode() == MS::kSuccess;
    } catch (...) {
        return false;
    }
}

// Runs a UI procedure of the plug-in; nothing for an empty name.
void runProcedure(const std::string& procedure) {
    if (!procedure.empty()) {
        mel::Interpreter::instance().execute(procedure + ";");
    }
}

bool nodesExist(const std::string& pluginName) {
    for (const Node* node : Scene::current().allNodes()) {
        if (node->type().pluginName == pluginName) {
            return true;
        }
    }
    return false;
}

bool interactive() {
    return MGlobal::mayaState() == MGlobal::kInteractive;
}

}  // namespace

std::string pluginNameOf(const std::string& nameOrPath) {
    const std::string file = baseName(nameOrPath);
    const auto dot = file.find('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

PluginManager& PluginManager::instance() {
    static PluginManager manager;
    return manager;
}

Plugin* PluginManager::find(const std::string& nameOrPath) const {
    const std::string name = pluginNameOf(nameOrPath);
    for (const auto& plugin : m_plugins) {
        if (plugin->name == name) {
            return plugin.get();
        }
    }
    return nullptr;
}

Plugin* PluginManager::fromObject(const MObject& object) const {
    const PluginObject* po = ObjectAccess::as<PluginObject>(object);
    return po ? po->plugin : nullptr;
}

std::vector<const Plugin*> PluginManager::plugins() const {
    std::vector<const Plugin*> result;
    for (const auto& plugin : m_plugins) {
        result.push_back(plugin.get());
    }
    return result;
}

bool PluginManager::load(const std::string& nameOrPath, bool quiet, std::string& loadedName) {
    const std::string name = pluginNameOf(nameOrPath);
    loadedName.clear();
    if (find(name)) {
        if (!quiet) {
            mel::Interpreter::instance().reportWarning(quotedName(name) + "is already loaded.");
        }
        return true;
    }
    const std::string path = locate(nameOrPath);
    if (path.empty()) {
        report(quotedName(name) + "was not found on MAYA_PLUG_IN_PATH.");
        return false;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        report("Unable to dynamically load : " + path + "\n" + (why ? why : ""));
        return false;
    }
    const char* apiVersion = static_cast<const char*>(dlsym(handle, "MApiVersion"));
    const EntryPoint initialize = initializeOf(handle);
    if (!apiVersion || !compatible(apiVersion)) {
        report(quotedName(name) + "was built for API version " +
               (apiVersion ? std::string(apiVersion) : std::string("(none)")) +
               "; this host runs API version " + std::to_string(MAYA_API_VERSION) + ".");
    } else if (!initialize) {
        report(quotedName(name) + "has no initializePlugin function.");
    }
    if (!apiVersion || !compatible(apiVersion) || !initialize) {
        dlclose(handle);
        return false;
    }

    m_plugins.push_back(std::make_unique<Plugin>());
    Plugin& plugin = *m_plugins.back();
    plugin.name = name;
    plugin.path = path;
    plugin.handle = handle;
    plugin.image = messages::imageOf(reinterpret_cast<const void*>(initialize));
    plugin.object = toMObject(std::make_shared<PluginObject>(&plugin));
    if (!callEntry(initialize, plugin.object)) {
        report("initializePlugin function failed (" + name + ")");
        faults::notifyFailedInitialize(name);
        discard(plugin, false);
        return false;
    }
    plugin.state = Plugin::State::kLoaded;
    loadedName = name;
    runProcedure(interactive() ? plugin.createUI : plugin.createBatchUI);
    return true;
}

bool PluginManager::unload(const std::string& nameOrPath, bool force) {
    Plugin* plugin = find(nameOrPath);
    const std::string name = pluginNameOf(nameOrPath);
    if (!plugin) {
        report(quotedName(name) + "is not loaded.");
        return false;
    }
    if (plugin->state != Plugin::State::kLoaded || isRunningCommandOf(plugin->name) ||
        messages::isRunningCallbackIn(plugin->image)) {
        report(quotedName(name) + "cannot be unloaded while its code is running.");
        return false;
    }
    const bool inUse = nodesExist(plugin->name);
    if (inUse && !force) {
        report(quotedName(name) + "cannot be unloaded: nodes of its types exist in the scene.");
        return false;
    }
    const EntryPoint uninitialize = uninitializeOf(plugin->handle);
    if (!uninitialize) {
        report(quotedName(name) + "has no uninitializePlugin function and cannot be unloaded.");
        return false;
    }
    runProcedure(interactive() ? plugin->deleteUI : plugin->deleteBatchUI);
    plugin->state = Plugin::State::kUnloading;
    if (!callEntry(uninitialize, plugin->object)) {
        plugin->state = Plugin::State::kLoaded;
        report("uninitializePlugin function failed (" + name + ")");
        return false;
    }
    discard(*plugin, inUse);
    return true;
}

// Removes what the plug-in left registered, then closes it. Command objects
// of the plug-in, and nodes of its types, may wait in the undo queue (its
// uninitializePlugin has deregistered the commands, not their objects), so
// the queue is always emptied first. The module stays open when nodes of its
// types remain (keepOpen) or one of its node types could not be removed,
// since the code of those nodes lives there.
void PluginManager::discard(Plugin& plugin, bool keepOpen) {
    undo::Queue::instance().flush();
    const std::vector<std::string> commands = commandsOf(plugin.name);
    NodeTypeRegistry& types = NodeTypeRegistry::instance();
    std::vector<MTypeId> nodeTypes;
    for (const NodeType* type : types.types()) {
        if (type->pluginName == plugin.name) {
            nodeTypes.push_back(type->typeId);
        }
    }
    for (const std::string& command : commands) {
        undefineCommand(command, plugin.name);
    }
    for (const MTypeId& id : nodeTypes) {
        keepOpen = !types.deregisterPluginType(id) || keepOpen;
    }
    messages::removeCallbacksIn(plugin.image);
    if (!keepOpen) {
        dlclose(plugin.handle);
    }
    forget(plugin);
}

void PluginManager::forget(Plugin& plugin) {
    if (PluginObject* po = ObjectAccess::as<PluginObject>(plugin.object)) {
        po->plugin = nullptr;
    }
    m_plugins.erase(std::find_if(m_plugins.begin(), m_plugins.end(),
                                 [&plugin](const auto& p) { return p.get() == &plugin; }));
}

}  // namespace plugin
}  // namespace host
