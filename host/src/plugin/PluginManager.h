#pragma once
// Loaded plug-in modules: loading and unloading them, and what each one
// registered. The MObject the entry points get stands for the plug-in.

#include "graph/Object.h"

#include <maya/MObject.h>

#include <memory>
#include <string>
#include <vector>

namespace host {
namespace plugin {

struct Plugin {
    enum class State { kLoading, kLoaded, kUnloading };

    std::string name;  // the file name without its extension
    std::string path;
    std::string vendor = "Unknown";
    std::string version = "Unknown";
    std::string apiVersion = "Any";  // what the plug-in requires
    std::string createUI, deleteUI, createBatchUI, deleteBatchUI;
    State state = State::kLoading;
    void* handle = nullptr;
    const void* image = nullptr;  // where the module's code lies
    MObject object;
};

class PluginManager {
public:
    static PluginManager& instance();

    // Finds, opens and initializes a plug-in given by name (searched on
    // MAYA_PLUG_IN_PATH, then the build's plug-in folder) or by path. Every
    // failure is shown; a failed initialize removes what the plug-in
    // registered and closes it again. loadedName gets the plug-in's name, or
    // stays empty when it was loaded already (a warning unless quiet).
    bool load(const std::string& nameOrPath, bool quiet, std::string& loadedName);
    // Uninitializes and closes a plug-in. A failed uninitialize leaves it
    // loaded. What it left registered is removed before it is closed. While
    // nodes of its types exist in the scene it is not unloaded, unless
    // forced; it then stays mapped so that those nodes keep their code.
    bool unload(const std::string& nameOrPath, bool force);

    // By name (a path or file name is reduced to the name), or null.
    Plugin* find(const std::string& nameOrPath) const;
    // The plug-in an entry point's object stands for, or null.
    Plugin* fromObject(const MObject& object) const;
    std::vector<const Plugin*> plugins() const;

private:
    PluginManager() = default;
    void discard(Plugin& plugin, bool keepOpen);
    void forget(Plugin& plugin);

    std::vector<std::unique_ptr<Plugin>> m_plugins;
};

// The plug-in's name as loadPlugin derives it from a name or path.
std::string pluginNameOf(const std::string& nameOrPath);

// The host's commands loadPlugin, unloadPlugin and pluginInfo.
void registerCommands();

}  // namespace plugin
}  // namespace host
