#include "files/FileCommands.h"

#include "commands/Support.h"
#include "files/SceneFile.h"
#include "graph/Node.h"
#include "plugin/CommandBridge.h"
#include "plugin/PluginManager.h"
#include "script/Interpreter.h"

#include <maya/MArgDatabase.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <filesystem>

namespace host {
namespace files {

namespace {

MStatus fail(const std::string& message) {
    mel::Interpreter::instance().reportError(message);
    return MS::kFailure;
}

std::string flagString(const MArgDatabase& db, const char* flag) {
    MString value;
    db.getFlagArgument(flag, 0, value);
    return value.asChar();
}

class FileCmd : public commands::ParsedCommand<MPxCommand> {
public:
    static void* creator() { return new FileCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("new", "newFile");
        syntax.addFlag("o", "open");
        syntax.addFlag("s", "save");
        syntax.addFlag("rn", "rename", MSyntax::kString);
        syntax.addFlag("f", "force");
        syntax.addFlag("typ", "type", MSyntax::kString);
        syntax.addFlag("sn", "sceneName");
        syntax.addFlag("mf", "modified");
        syntax.addFlag("loc", "location");
        syntax.addFlag("ex", "exists");
        syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
        syntax.enableQuery();
        return syntax;
    }

    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        const std::string path = objects.length() ? objects[0].asChar() : "";
        if (db.isQuery())
            return query(db, path);

        const int actions = db.isFlagSet("new") + db.isFlagSet("o") + db.isFlagSet("s");
        if (actions > 1)
            return fail("file: Use one of -newFile, -open and -save at a time.");
        if (actions == 0 && !db.isFlagSet("rn"))
            return fail("file: Use one of -newFile, -open, -save and -rename.");
        const bool force = db.isFlagSet("f");
        if (db.isFlagSet("new"))
            return newScene(force) ? MS::kSuccess : MS::kFailure;
        if (db.isFlagSet("o")) {
            if (path.empty())
                return fail("file: -open needs the path of the file to open.");
            if (!openScene(path, force))
                return MS::kFailure;
            setResult(MString(path.c_str()));
            return MS::kSuccess;
        }
        if (db.isFlagSet("rn"))
            setSceneName(flagString(db, "rn"));
        if (db.isFlagSet("s")) {
            if (!saveScene(db.isFlagSet("typ") ? flagString(db, "typ") : ""))
                return MS::kFailure;
        }
        setResult(MString(sceneName().c_str()));
        return MS::kSuccess;
    }

private:
    // -location: where the scene was read from or is saved to, the only file
    // loaded (no references), whether named or not. -exists: whether the
    // named file is on disk.
    static MStatus query(const MArgDatabase& db, const std::string& path) {
        if (db.isFlagSet("sn"))
            setResult(MString(sceneName().c_str()));
        else if (db.isFlagSet("mf"))
            setResult(isModified());
        else if (db.isFlagSet("ex"))
            setResult(!path.empty() && std::filesystem::exists(path));
        else if (db.isFlagSet("loc") && (path.empty() || isScene(path)))
            setResult(MString(sceneName().c_str()));
        else if (db.isFlagSet("loc"))
            return fail("file: " + path + " is not a loaded file.");
        else
            return fail("file: Query -sceneName, -modified, -location or -exists.");
        return MS::kSuccess;
    }
    static bool isScene(const std::string& path) {
        const std::string scene = sceneName();
        return !scene.empty() &&
               (path == scene || path == std::filesystem::path(scene).filename().string());
    }
};

// requires maya "2008" is the file's host version, accepted as it is; any
// other name is a plug-in the scene needs, loaded when it is not yet.
class RequiresCmd : public commands::ParsedCommand<MPxCommand> {
public:
    static void* creator() { return new RequiresCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.setObjectType(MSyntax::kStringObjects, 2, 2);
        return syntax;
    }

    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        const std::string name = objects[0].asChar();
        if (name == "maya")
            return MS::kSuccess;
        plugin::PluginManager& plugins = plugin::PluginManager::instance();
        if (plugins.find(name))
            return MS::kSuccess;
        std::string loaded;
        if (!plugins.load(name, true, loaded))
            return fail("requires: The plug-in \"" + name + "\" (version " + objects[1].asChar() +
                        ") could not be loaded.");
        return MS::kSuccess;
    }
};

// fileInfo "key" "value" sets an entry of the scene file's information;
// -q "key" gives its value, -q alone every key and value; -rm removes one.
class FileInfoCmd : public commands::ParsedCommand<MPxCommand> {
public:
    static void* creator() { return new FileInfoCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("rm", "remove", MSyntax::kString);
        syntax.setObjectType(MSyntax::kStringObjects, 0, 2);
        syntax.enableQuery();
        return syntax;
    }

    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        if (db.isQuery()) {
            MStringArray result;
            for (const auto& [key, value] : fileInfo()) {
                if (objects.length() == 0)
                    result.append(key.c_str());
                if (objects.length() == 0 || key == objects[0].asChar())
                    result.append(value.c_str());
            }
            setResult(result);
            return MS::kSuccess;
        }
        if (db.isFlagSet("rm")) {
            removeFileInfo(flagString(db, "rm"));
            return MS::kSuccess;
        }
        if (objects.length() != 2)
            return fail("fileInfo: Give a key and its value.");
        setFileInfo(objects[0].asChar(), objects[1].asChar());
        return MS::kSuccess;
    }
};

// relationship "link"|"shadowLink" linker object light: how later files
// write a light linker's pairs, made here as the element of .lnk or .slnk
// that older files connect instead (and that the host writes).
bool relationship(mel::CommandCall& call) {
    const auto fail = [](const std::string& text) {
        mel::Interpreter::instance().reportError("relationship: " + text);
        return false;
    };
    if (call.args.size() != 4)
        return fail("Give the kind, the light linker, the object and the light.");
    const std::string kind = call.args[0].asString();
    if (kind != "link" && kind != "shadowLink")
        return fail("Unknown relationship \"" + kind + "\".");
    const bool link = kind == "link";
    std::string linker = call.args[1].asString();
    Node* node = commands::findNode(linker);
    Attribute* pairs = node ? node->findAttribute(link ? "lnk" : "slnk") : nullptr;
    if (!pairs)
        return fail("No light linker matches name: " + linker);
    const std::vector<unsigned> used = node->elementIndices(PlugPath{pairs, {}});
    const unsigned index = used.empty() ? 0 : used.back() + 1;
    const std::string element =
        linker + "." + pairs->shortName + "[" + std::to_string(index) + "].";
    const auto connect = [](const std::string& from, const std::string& to) {
        return mel::Interpreter::instance().execute("connectAttr \"" + from + "\" \"" + to + "\"");
    };
    return connect(call.args[3].asString(), element + (link ? "llnk" : "sllk")) &&
           connect(call.args[2].asString(), element + (link ? "olnk" : "solk"));
}

}  // namespace

void registerCommands() {
    mel::Interpreter::instance().defineCommand("relationship", relationship);
    plugin::defineCommand("file", FileCmd::creator, FileCmd::newSyntax, "");
    plugin::defineCommand("requires", RequiresCmd::creator, RequiresCmd::newSyntax, "");
    plugin::defineCommand("fileInfo", FileInfoCmd::creator, FileInfoCmd::newSyntax, "");
}

}  // namespace files
}  // namespace host
