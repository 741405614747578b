#include "files/SceneFile.h"

#include "Startup.h"
#include "files/SceneReader.h"
#include "files/SceneWriter.h"
#include "graph/Scene.h"
#include "plugin/FileActivity.h"
#include "plugin/Messages.h"
#include "script/Interpreter.h"
#include "selection/Selection.h"
#include "undo/UndoQueue.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MTime.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <unordered_set>

namespace host {
namespace files {

namespace {

void error(const std::string& text) {
    mel::Interpreter::instance().reportError(text);
}

// ---------------------------------------------------------------- state

struct FileState {
    std::string name;
    FileInfo info;
    KeptText kept;
    // The scene revision at the last new, open or save; unset until the
    // first of them, when the scene counts as changed once it holds any
    // node of its own.
    bool cleanKnown = false;
    unsigned long cleanRevision = 0;
    MDistance::Unit distance = MDistance::kCentimeters;
    MAngle::Unit angle = MAngle::kDegrees;
    MTime::Unit time = MTime::kFilm;
};

FileState& state() {
    static FileState s;
    return s;
}

const unsigned long kNeverClean = std::numeric_limits<unsigned long>::max();

void markClean() {
    state().cleanKnown = true;
    state().cleanRevision = Scene::current().revision();
}

// A new scene has the host's own file information; an opened one has
// exactly the file's, in the file's order.
void resetFile(const std::string& name, bool opened) {
    state().name = name;
    state().info.clear();
    if (!opened)
        state().info = {{"application", "maya"}, {"version", "2008"}};
    state().kept = KeptText();
    MDistance::setUIUnit(MDistance::kCentimeters);
    MAngle::setUIUnit(MAngle::kDegrees);
    MTime::setUIUnit(MTime::kFilm);
}

// ---------------------------------------------------------------- scene

// Every node but the world, parents before children (DAG nodes under
// their first parent), then the dependency nodes.
std::vector<Node*> sceneOrder() {
    Scene& scene = Scene::current();
    std::vector<Node*> order;
    std::unordered_set<Node*> seen;
    std::function<void(Node&)> visit = [&](Node& node) {
        for (Node* child : node.children)
            if (!child->parents.empty() && child->parents[0] == &node &&
                seen.insert(child).second) {
                order.push_back(child);
                visit(*child);
            }
    };
    visit(scene.world());
    for (Node* node : scene.allNodes())
        if (node != &scene.world() && seen.insert(node).second)
            order.push_back(node);
    return order;
}

// A scene taken out whole, so that it can be put back exactly: the very
// nodes (what plug-ins and the undo queue hold stays valid), their links,
// the selection, the file's name, information and units.
struct TakenScene {
    std::vector<std::pair<NodePtr, Scene::Detached>> removed;  // in removal order
    std::vector<std::pair<Node*, std::pair<std::vector<Node*>, std::vector<Node*>>>> dagLinks;
    std::vector<Node*> worldChildren;
    MSelectionList selection;
    FileState file;
    bool modified = false;
};

// Children go before their parents, so that each node's own record holds
// the links to its parents and a node is back under its parent before its
// name is checked against its siblings.
TakenScene takeScene() {
    Scene& scene = Scene::current();
    TakenScene taken;
    MGlobal::getActiveSelectionList(taken.selection);
    taken.file = state();
    taken.modified = isModified();
    taken.file.distance = MDistance::uiUnit();
    taken.file.angle = MAngle::uiUnit();
    taken.file.time = MTime::uiUnit();
    taken.worldChildren = scene.world().children;
    std::vector<Node*> order = sceneOrder();
    for (Node* node : order)
        if (node->isDag())
            taken.dagLinks.push_back({node, {node->children, node->parents}});
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if ((*it)->inScene)
            taken.removed.push_back({scene.share(*it), scene.removeNode(**it)});
    MGlobal::clearSelectionList();
    return taken;
}

void putBack(TakenScene& taken) {
    Scene& scene = Scene::current();
    takeScene();  // what the failed read made goes with this temporary
    for (auto it = taken.removed.rbegin(); it != taken.removed.rend(); ++it)
        scene.restoreNode(it->first, it->second);
    // Instances and the order of children come back exactly as they were,
    // whichever record held each link.
    for (auto& [node, links] : taken.dagLinks) {
        node->children = links.first;
        node->parents = links.second;
    }
    scene.world().children = taken.worldChildren;
    scene.forgetPathCounts();
    scene.touch();
    host::selection::setActive(taken.selection);
    state() = taken.file;
    // Putting nodes back counts as a change; whether the scene differs from
    // its file is what it was before.
    if (!taken.modified)
        markClean();
    else if (state().cleanKnown)
        state().cleanRevision = kNeverClean;
    MDistance::setUIUnit(taken.file.distance);
    MAngle::setUIUnit(taken.file.angle);
    MTime::setUIUnit(taken.file.time);
}

// ---------------------------------------------------------------- reading

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

void sceneReplaced() {
    undo::Queue::instance().flush();
    MGlobal::clearSelectionList();
    markClean();
}

}  // namespace

const std::string& sceneName() {
    return state().name;
}
void setSceneName(const std::string& path) {
    state().name = path;
}

bool isModified() {
    const FileState& s = state();
    if (s.cleanKnown)
        return Scene::current().revision() != s.cleanRevision;
    Scene& scene = Scene::current();
    for (Node* node : scene.allNodes())
        if (node != &scene.world() && !node->isDefault)
            return true;
    return false;
}

KeptText& keptText() {
    return state().kept;
}

const FileInfo& fileInfo() {
    return state().info;
}

void setFileInfo(const std::string& key, const std::string& value) {
    for (auto& entry : state().info)
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    state().info.emplace_back(key, value);
}

bool removeFileInfo(const std::string& key) {
    auto& info = state().info;
    auto it = std::find_if(info.begin(), info.end(), [&](const auto& e) { return e.first == key; });
    if (it == info.end())
        return false;
    info.erase(it);
    return true;
}

bool newScene(bool force) {
    if (isModified() && !force) {
        error("file: Unsaved changes.");
        return false;
    }
    {
        fileio::ActivityScope activity(fileio::Activity::kNewing);
        messages::sceneMessage(MSceneMessage::kBeforeNew);
        {
            undo::SuspendScope suspend;
            takeScene();
            createDefaultNodes();
        }
        resetFile("", false);
        sceneReplaced();
        messages::sceneMessage(MSceneMessage::kAfterNew);
    }
    messages::sceneMessage(MSceneMessage::kSceneUpdate);
    return true;
}

bool openScene(const std::string& path, bool force) {
    if (isModified() && !force) {
        error("file: Unsaved changes.");
        return false;
    }
    std::string text;
    if (!readText(path, text)) {
        error("file: Cannot read \"" + path + "\".");
        return false;
    }
    const std::string why = notASceneFile(text);
    if (!why.empty()) {
        error("file: \"" + path + "\" is not a scene file: " + why + ".");
        return false;
    }
    {
        fileio::ActivityScope activity(fileio::Activity::kOpening);
        messages::sceneMessage(MSceneMessage::kBeforeOpen);
        TakenScene previous = takeScene();
        ReadCount count;
        {
            undo::SuspendScope suspend;
            createDefaultNodes();
            resetFile(path, true);
            count = readScene(path, text);
        }
        if (count.statements > 0 && count.failed == count.statements) {
            putBack(previous);
            error("file: Every statement of \"" + path + "\" failed; the scene is as it was.");
            return false;
        }
        if (count.failed > 0)
            mel::Interpreter::instance().reportWarning(
                "file: " + std::to_string(count.failed) + " of " +
                std::to_string(count.statements) + " statements of \"" + path +
                "\" failed; the scene holds what could be read.");
        sceneReplaced();
        messages::sceneMessage(MSceneMessage::kAfterOpen);
    }
    messages::sceneMessage(MSceneMessage::kSceneUpdate);
    return true;
}

bool saveScene(const std::string& type) {
    if (!type.empty() && type != "mayaAscii") {
        error("file: Cannot write files of type \"" + type + "\"; only mayaAscii is supported.");
        return false;
    }
    const std::string path = state().name;
    if (path.empty()) {
        error("file: The scene has no name; give it one with file -rename.");
        return false;
    }
    messages::sceneMessage(MSceneMessage::kBeforeSave);
    {
        fileio::ActivityScope activity(fileio::Activity::kSaving);
        // Written beside the old file and moved over it, so that a failed
        // write never leaves half a scene where the last good one was.
        const std::string partial = path + ".saving";
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            writeSceneFile(out, path);
            out.close();
            if (!out) {
                std::remove(partial.c_str());
                error("file: Cannot write \"" + path + "\".");
                return false;
            }
        }
        if (std::rename(partial.c_str(), path.c_str()) != 0) {
            std::remove(partial.c_str());
            error("file: Cannot write \"" + path + "\".");
            return false;
        }
        markClean();
    }
    messages::sceneMessage(MSceneMessage::kAfterSave);
    return true;
}

}  // namespace files
}  // namespace host
