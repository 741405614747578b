#ifndef HOST_COMMANDS_SUPPORT_H
#define HOST_COMMANDS_SUPPORT_H
// What the built-in scene commands share: error lines, the undoable steps a
// command keeps, and the lookup of the names scripts give.

#include "dag/Dag.h"
#include "graph/Node.h"
#include "graph/Scene.h"
#include "selection/Selection.h"

#include <maya/MArgDatabase.h>
#include <maya/MDagModifier.h>
#include <maya/MPlug.h>
#include <maya/MPxCommand.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>
#include <maya/MVector.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace host {
namespace commands {

// An error or warning line at the statement running now ("line 1: text").
void error(const std::string& text);
void warning(const std::string& text);

// The stored values of some plugs of one node, kept so that undo and redo
// can put them back exactly.
class Snapshot {
public:
    Snapshot() = default;
    Snapshot(Node& node, const std::vector<PlugPath>& plugs);
    void restore() const;

private:
    NodePtr m_node;
    std::vector<std::pair<PlugPath, std::optional<PlugValue>>> m_values;
};

PlugValue clonePlugValue(const PlugValue& value);

// The undoable steps of one command in the order they were carried out:
// undone last to first, redone first to last.
class Edits {
public:
    using Step = std::function<bool()>;

    // Carries the step out now and keeps it when it succeeds.
    bool run(Step doIt, Step undoIt);
    // Keeps a step whose first doing has already happened.
    void done(Step doIt, Step undoIt);
    // Executes the modifier and keeps it when it succeeds.
    bool run(const std::shared_ptr<MDagModifier>& modifier);
    // Renames the node (and again at redo) when it is in the scene and not
    // locked, keeping the step when that succeeds.
    bool rename(Node& node, const std::string& name);
    // Runs change and keeps the stored values of the plugs before and after.
    bool change(Node& node, const std::vector<PlugPath>& plugs,
                const std::function<bool()>& change);
    // Nodes the command made directly in the scene, in creation order.
    void created(std::vector<NodePtr> nodes);
    bool setLocked(const PlugRef& plug, bool locked);
    bool setKeyable(const PlugRef& plug, bool keyable);
    // Makes the list the active selection.
    void select(const MSelectionList& list);
    // Moves the node from under oldParent (null: add one more parent) to
    // newParent at the end of its children, keeping the name unique there.
    bool reparent(Node& node, Node* oldParent, Node& newParent);

    bool undo();
    bool redo();
    bool empty() const { return m_steps.empty(); }

private:
    struct Functions {
        Step doIt, undoIt;
        bool redo() const { return doIt(); }
        bool undo() const { return undoIt(); }
    };
    // Commands rename nodes by the thousand (a bake renames every copy),
    // so a rename is kept as what it changes rather than as functions.
    struct Rename {
        NodePtr node;
        std::string name, previous;
        bool redo();
        bool undo();
    };
    // Undone last made first, so each node's links to those made before it
    // are kept with it.
    struct Created {
        std::vector<NodePtr> nodes;
        std::vector<Scene::Detached> links;  // made by the first undo
        bool redo();
        bool undo();
    };
    struct Select {
        std::vector<selection::Item> before, after;
        bool redo();
        bool undo();
    };
    using Entry = std::variant<Functions, Rename, Created, Select>;
    std::vector<Entry> m_steps;
};

// The base of the commands that change the scene.
class EditCommand : public MPxCommand {
public:
    MStatus undoIt() override { return edits.undo() ? MS::kSuccess : MS::kFailure; }
    MStatus redoIt() override { return edits.redo() ? MS::kSuccess : MS::kFailure; }
    bool isUndoable() const override { return !edits.empty(); }

protected:
    Edits edits;
};

// --- names

// Adds what a script name stands for to the list: names relative to the
// selected node (".tx"), names in the root namespace (":time1"), paths,
// patterns, plugs and components. Fails when nothing matches.
MStatus lookup(const std::string& name, MSelectionList& list);
// Looks up every name in turn, as many lookups would, but merges the plain
// names into the list together: a command may be given every node of a big
// scene. The first name that matches nothing is the error.
bool lookupAll(const std::vector<std::string>& names, MSelectionList& list);
// The one plug a name stands for (the first when it stands for several).
bool findPlug(const std::string& name, MPlug& plug);
// The node a name stands for (the first when it stands for several).
Node* findNode(const std::string& name);

// The shortest name that tells the node apart: the name of a dependency
// node, the partial path of a DAG node's first path (its full path when
// full is set).
std::string nameOf(Node& node, bool full = false);
std::string nameOf(const dag::NodePath& path, bool full = false);
// The name the host gives a new transform's shape: "pCubeShape1" under
// "pCube1".
std::string shapeNameFor(const std::string& transform);
// A plug as "node.attribute" with long attribute names and the node named
// as above.
std::string plugName(const PlugRef& plug);

// Every item of a selection list, as a node and (for DAG items) its path.
struct Target {
    Node* node = nullptr;
    dag::NodePath path;  // empty for dependency nodes
    MPlug plug;          // set for plug items
    MObject component;
};
std::vector<Target> targets(const MSelectionList& list);
// The names of a component target: as ranges ("boxShape.vtx[1:3]"), or one
// per element when flattened ("boxShape.vtx[1]", "boxShape.vtx[2]" ...).
std::vector<std::string> componentNames(const Target& t, bool flatten);

// Objects of a call: the names given, or the active selection when there
// are none. Shows "No object matches name" and fails for a name that
// matches nothing.
bool objectsOf(const MArgDatabase& args, MSelectionList& list);

// A command whose calls all start by reading its flags against its syntax.
// run() sees only the calls that were read; the others fail with the reason
// shown.
template <class Base>
class ParsedCommand : public Base {
public:
    MStatus doIt(const MArgList& args) final {
        MStatus status;
        MArgDatabase db(this->syntax(), args, &status);
        if (!status)
            return status;
        return run(db);
    }

protected:
    virtual MStatus run(const MArgDatabase& db) = 0;
};

// A command that goes on to its objects as objectsOf finds them: runOn()
// sees only the calls whose objects were all found.
template <class Base>
class ObjectsCommand : public ParsedCommand<Base> {
protected:
    MStatus run(const MArgDatabase& db) final {
        MSelectionList objects;
        if (!objectsOf(db, objects))
            return MS::kFailure;
        return runOn(db, objects);
    }
    virtual MStatus runOn(const MArgDatabase& db, MSelectionList& objects) = 0;
};

// The command's string flag arguments of every use of a multi-use flag.
std::vector<std::string> flagStrings(const MArgDatabase& args, const char* flag);

// A flag of three distances given in the UI unit, in internal units; zero
// where the flag is not set.
MVector distanceTripleFlag(const MArgDatabase& args, const char* flag);

// The members of an object set: DAG members by path, others by node.
MSelectionList setMembers(Node& set);

// --- definitions

using SyntaxFn = MSyntax (*)();
void define(const char* name, MCreatorFunction creator, SyntaxFn syntax);
template <class Command>
void define(const char* name, SyntaxFn syntax) {
    define(
        name, []() -> void* { return new Command; }, syntax);
}

// The commands of each part, registered at start-up.
void registerNodeCommands();
void registerDagCommands();
void registerAttributeCommands();
void registerConnectionCommands();
void registerSetCommands();
void registerTransformCommands();
void registerQueryCommands();
void registerCreateCommands();
void registerConstraintCommands();
void registerSessionCommands();
// Whether autoKeyframe -state is on: setAttr then keys the keyed plugs it sets.
bool autoKeying();
// timerX, date and getFileList.
void registerSystemCommands();
// pickWalk, dgeval and dgdirty.
void registerWalkCommands();
void registerVisibilityCommands();

}  // namespace commands
}  // namespace host

#endif
