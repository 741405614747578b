// loadPlugin, unloadPlugin and pluginInfo, written as MPxCommands so that
// they check their arguments exactly as plug-in commands do.

#include "graph/NodeType.h"
#include "plugin/CommandBridge.h"
#include "plugin/PluginManager.h"
#include "script/Interpreter.h"

#include <maya/MArgDatabase.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <string>
#include <vector>

namespace host {
namespace plugin {

namespace {

MStringArray stringArray(const std::vector<std::string>& texts) {
    MStringArray result;
    for (const std::string& text : texts) {
        result.append(MString(text.c_str()));
    }
    return result;
}

std::vector<std::string> objectsOf(const MArgDatabase& db) {
    MStringArray names;
    db.getObjects(names);
    std::vector<std::string> result;
    for (unsigned int i = 0; i < names.length(); ++i) {
        result.emplace_back(names[i].asChar());
    }
    return result;
}

class LoadPluginCmd : public MPxCommand {
public:
    static void* creator() { return new LoadPluginCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("qt", "quiet");
        syntax.setObjectType(MSyntax::kStringObjects, 1);
        return syntax;
    }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status) {
            return status;
        }
        const bool quiet = db.isFlagSet("qt");
        MStringArray loaded;
        for (const std::string& name : objectsOf(db)) {
            std::string loadedName;
            if (!PluginManager::instance().load(name, quiet, loadedName)) {
                return MS::kFailure;
            }
            if (!loadedName.empty()) {
                loaded.append(MString(loadedName.c_str()));
            }
        }
        setResult(loaded);
        return MS::kSuccess;
    }
};

class UnloadPluginCmd : public MPxCommand {
public:
    static void* creator() { return new UnloadPluginCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("f", "force");
        syntax.setObjectType(MSyntax::kStringObjects, 1);
        return syntax;
    }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status) {
            return status;
        }
        const bool force = db.isFlagSet("f");
        MStringArray unloaded;
        for (const std::string& name : objectsOf(db)) {
            if (!PluginManager::instance().unload(name, force)) {
                return MS::kFailure;
            }
            unloaded.append(MString(pluginNameOf(name).c_str()));
        }
        setResult(unloaded);
        return MS::kSuccess;
    }
};

// The queries of pluginInfo, in the order their flags are declared.
struct Query {
    const char* shortName;
    const char* longName;
    bool needsPlugin;  // reports on one loaded plug-in
};

const Query kQueries[] = {
    {"l", "loaded", false},     {"ls", "listPlugins", false}, {"v", "version", true},
    {"vd", "vendor", true},     {"p", "path", true},          {"n", "name", true},
    {"av", "apiVersion", true}, {"c", "command", true},       {"dn", "dependNode", true},
};

class PluginInfoCmd : public MPxCommand {
public:
    static void* creator() { return new PluginInfoCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        for (const Query& query : kQueries) {
            syntax.addFlag(query.shortName, query.longName);
        }
        syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
        syntax.enableQuery();
        return syntax;
    }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status) {
            return status;
        }
        const Query* asked = nullptr;
        for (const Query& query : kQueries) {
            if (db.isFlagSet(query.shortName)) {
                if (asked) {
                    return fail("pluginInfo: only one flag can be queried at a time.");
                }
                asked = &query;
            }
        }
        if (!asked) {
            return fail("pluginInfo: a flag to query is required.");
        }
        if (!db.isQuery()) {
            return fail(std::string("pluginInfo: the flag -") + asked->longName +
                        " can only be queried.");
        }
        const std::vector<std::string> objects = objectsOf(db);
        const std::string name = objects.empty() ? std::string() : objects.front();
        const std::string flag = asked->longName;
        if (flag == "listPlugins") {
            std::vector<std::string> names;
            for (const Plugin* plugin : PluginManager::instance().plugins()) {
                names.push_back(plugin->name);
            }
            setResult(stringArray(names));
            return MS::kSuccess;
        }
        if (name.empty()) {
            return fail("pluginInfo: the name of a plug-in is required.");
        }
        const Plugin* plugin = PluginManager::instance().find(name);
        if (flag == "loaded") {
            setResult(plugin != nullptr && plugin->state != Plugin::State::kLoading);
            return MS::kSuccess;
        }
        if (!plugin) {
            return fail("Plug-in, \"" + pluginNameOf(name) + "\", is not loaded.");
        }
        answer(flag, *plugin);
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& message) {
        mel::Interpreter::instance().reportError(message);
        return MS::kFailure;
    }

    static void answer(const std::string& flag, const Plugin& plugin) {
        if (flag == "version") {
            setResult(MString(plugin.version.c_str()));
        } else if (flag == "vendor") {
            setResult(MString(plugin.vendor.c_str()));
        } else if (flag == "path") {
            setResult(MString(plugin.path.c_str()));
        } else if (flag == "name") {
            setResult(MString(plugin.name.c_str()));
        } else if (flag == "apiVersion") {
            setResult(MString(plugin.apiVersion.c_str()));
        } else if (flag == "command") {
            setResult(stringArray(commandsOf(plugin.name)));
        } else if (flag == "dependNode") {
            std::vector<std::string> types;
            for (const NodeType* type : NodeTypeRegistry::instance().types()) {
                if (type->pluginName == plugin.name) {
                    types.push_back(type->name);
                }
            }
            setResult(stringArray(types));
        }
    }
};

}  // namespace

void registerCommands() {
    defineCommand("loadPlugin", LoadPluginCmd::creator, LoadPluginCmd::newSyntax, "");
    defineCommand("unloadPlugin", UnloadPluginCmd::creator, UnloadPluginCmd::newSyntax, "");
    defineCommand("pluginInfo", PluginInfoCmd::creator, PluginInfoCmd::newSyntax, "");
}

}  // namespace plugin
}  // namespace host
