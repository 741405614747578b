// Commands scripts use to step through the scene and its evaluation:
// pickWalk (the selection moved over the DAG), dgeval and dgdirty.
#include "commands/Support.h"
#include "graph/PlugAccess.h"

#include <maya/MArgDatabase.h>

#include <algorithm>

namespace host {
namespace commands {

namespace {

// ---------------------------------------------------------------- pickWalk

MSyntax pickWalkSyntax() {
    MSyntax s;
    s.addFlag("d", "direction", MSyntax::kString);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// Each DAG object named (or selected) steps up to its parent, down to its
// first child, or left and right to its siblings (round the end); an object
// with nowhere to go stays. The objects reached become the selection and the
// result. Dependency nodes and components are passed over.
class PickWalkCommand : public ObjectsCommand<EditCommand> {
protected:
    MStatus runOn(const MArgDatabase& db, MSelectionList& objects) override {
        const std::string direction =
            db.isFlagSet("direction") ? db.flagArgumentString("direction", 0).asChar() : "down";
        if (direction != "up" && direction != "down" && direction != "left" &&
            direction != "right") {
            error("pickWalk: Invalid direction: " + direction);
            return MS::kFailure;
        }
        MSelectionList reached;
        MStringArray result;
        for (const Target& t : targets(objects)) {
            if (t.path.empty() || !t.plug.isNull() || !t.component.isNull())
                continue;
            dag::NodePath path = step(t.path, direction);
            if (reached.hasItem(dag::PathAccess::make(path)))
                continue;
            reached.add(dag::PathAccess::make(path));
            result.append(MString(nameOf(path).c_str()));
        }
        edits.select(reached);
        setResult(result);
        return MS::kSuccess;
    }

private:
    static dag::NodePath step(dag::NodePath path, const std::string& direction) {
        Node* node = path.back();
        if (direction == "up") {
            if (path.size() > 2)  // the world stays out of the selection
                path.pop_back();
            return path;
        }
        if (direction == "down") {
            if (!node->children.empty())
                path.push_back(node->children.front());
            return path;
        }
        const std::vector<Node*>& siblings = path[path.size() - 2]->children;
        auto at = std::find(siblings.begin(), siblings.end(), node);
        if (at == siblings.end())
            return path;
        const auto count = static_cast<long>(siblings.size());
        const long index = (at - siblings.begin() + (direction == "left" ? count - 1 : 1)) % count;
        path.back() = siblings[static_cast<size_t>(index)];
        return path;
    }
};

// ---------------------------------------------------------------- dgeval, dgdirty

MSyntax plugsSyntax() {
    MSyntax s;
    s.addFlag("a", "allPlugs");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// The plugs a name stands for: the plug itself, or every computed plug of a
// node.
std::vector<PlugRef> plugsOf(const Target& t) {
    if (!t.plug.isNull())
        return {PlugAccess::ref(t.plug)};
    std::vector<PlugRef> plugs;
    for (Attribute* a : t.node->attributes())
        if (a->computed && !a->parent && !a->array)
            plugs.push_back(PlugRef{t.node, PlugPath{a, {}}});
    return plugs;
}

// dgeval: computes what the named plugs or nodes' outputs hold now, as
// reading them would.
class DgEvalCommand : public ObjectsCommand<MPxCommand> {
protected:
    MStatus runOn(const MArgDatabase&, MSelectionList& objects) override {
        for (const Target& t : targets(objects))
            for (const PlugRef& plug : plugsOf(t))
                evaluate(plug);
        return MS::kSuccess;
    }
};

// dgdirty: marks the named plugs, or every plug of the named nodes (of
// every node with -allPlugs), and what they feed, to be computed again.
class DgDirtyCommand : public ParsedCommand<MPxCommand> {
protected:
    MStatus run(const MArgDatabase& db) override {
        Scene& scene = Scene::current();
        std::vector<Node*> nodes;
        if (db.isFlagSet("allPlugs")) {
            nodes = scene.allNodes();
        } else {
            MSelectionList objects;
            if (!objectsOf(db, objects))
                return MS::kFailure;
            for (const Target& t : targets(objects)) {
                if (!t.plug.isNull()) {
                    const PlugRef plug = PlugAccess::ref(t.plug);
                    plug.node->invalidate(plug.path.attribute);
                    scene.propagateDirty(*plug.node, plug.path.attribute);
                } else {
                    nodes.push_back(t.node);
                }
            }
        }
        for (Node* node : nodes)
            for (Attribute* a : node->attributes()) {
                if (a->parent)
                    continue;
                node->invalidate(a);
                scene.propagateDirty(*node, a);
            }
        return MS::kSuccess;
    }
};

}  // namespace

void registerWalkCommands() {
    define<PickWalkCommand>("pickWalk", pickWalkSyntax);
    define<DgEvalCommand>("dgeval", plugsSyntax);
    define<DgDirtyCommand>("dgdirty", plugsSyntax);
}

}  // namespace commands
}  // namespace host
