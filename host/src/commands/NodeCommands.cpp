// createNode, delete, rename, objExists, nodeType, objectType, select, ls.
#include "commands/Support.h"
#include "graph/PlugAccess.h"
#include "plugin/Syntax.h"
#include "selection/Selection.h"

#include <maya/MGlobal.h>

#include <algorithm>
#include <functional>
#include <set>
#include <unordered_set>

namespace host {
namespace commands {

namespace {

MObject objectOf(Node* node) {
    return Scene::current().object(node);
}

bool isWorld(const Node* node) {
    return node == &Scene::current().world();
}

// ---------------------------------------------------------------- createNode

MSyntax createNodeSyntax() {
    MSyntax s;
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("p", "parent", MSyntax::kString);
    s.addFlag("s", "shared");
    s.addFlag("ss", "skipSelect");
    s.setObjectType(MSyntax::kStringObjects, 1, 1);
    return s;
}

class CreateNodeCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        std::string typeName = objects[0].asChar();
        NodeType* type = NodeTypeRegistry::instance().find(typeName);
        if (!type) {
            error("Unknown object type: " + typeName);
            return MS::kFailure;
        }
        if (type->abstract)
            return fail("Cannot create a node of the abstract type '" + typeName + "'.");
        std::string name = db.isFlagSet("name") ? db.flagArgumentString("name", 0).asChar() : "";
        if (db.isFlagSet("shared") && !name.empty()) {
            auto existing = Scene::current().nodesNamed(name);
            if (!existing.empty()) {
                setResult(MString(nameOf(*existing.front()).c_str()));
                return MS::kSuccess;
            }
        }
        MObject parent;
        if (db.isFlagSet("parent")) {
            std::string parentName = db.flagArgumentString("parent", 0).asChar();
            Node* p = findNode(parentName);
            if (!p) {
                error("No object matches name: " + parentName);
                return MS::kFailure;
            }
            if (!type->dag || !p->isDag())
                return fail("Only DAG nodes can have a DAG parent.");
            parent = objectOf(p);
        }
        auto modifier = std::make_shared<MDagModifier>();
        MStatus status;
        MObject made = type->dag ? modifier->createNode(MString(typeName.c_str()), parent, &status)
                                 : static_cast<MDGModifier&>(*modifier).createNode(
                                       MString(typeName.c_str()), &status);
        if (!status)
            return fail("The node could not be created.");
        if (!edits.run(modifier))
            return fail("The node could not be created.");
        Node* node = nodeOf(made);
        // Shapes are named "<type>Shape#" unless a name is given.
        if (name.empty() && type->shape)
            name = typeName + "Shape#";
        // The node joins the scene only when the modifier runs, so it is
        // named by a step of its own.
        if (!name.empty())
            edits.rename(*node, name);
        if (db.isFlagSet("shared"))
            node->shared = true;
        if (!db.isFlagSet("skipSelect")) {
            MSelectionList list;
            list.add(made);
            if (node->isDag()) {
                list.clear();
                MDagPath path;
                MDagPath::getAPathTo(made, path);
                list.add(path);
            }
            edits.select(list);
        }
        setResult(MString(nameOf(*node).c_str()));
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("createNode: " + text);
        return MS::kFailure;
    }
};

// ---------------------------------------------------------------- delete

MSyntax deleteSyntax() {
    MSyntax s;
    s.addFlag("ch", "constructionHistory");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class DeleteCommand : public ObjectsCommand<EditCommand> {
public:
    MStatus runOn(const MArgDatabase& db, MSelectionList& list) override {
        std::vector<Node*> nodes;
        std::unordered_set<const Node*> doomed;
        for (const Target& t : targets(list)) {
            if (!t.component.isNull())
                return fail("Deleting components is not supported.");
            if (doomed.insert(t.node).second)
                nodes.push_back(t.node);
        }
        if (nodes.empty()) {
            error("Not enough objects or values.");
            return MS::kFailure;
        }
        if (db.isFlagSet("constructionHistory")) {
            nodes = history(nodes);
            doomed = std::unordered_set<const Node*>(nodes.begin(), nodes.end());
        }
        std::vector<Node*> victims;
        for (Node* n : nodes) {
            if (n->isDefault || isWorld(n))
                return fail("Cannot delete the default node '" + n->name() + "'.");
            if (n->locked)
                return fail("Cannot delete the locked node '" + n->name() + "'.");
            // A node below others deleted goes with them, unless one of its
            // instances lives under a parent that stays.
            const bool below = n->isDag() && !n->parents.empty() &&
                               std::all_of(n->parents.begin(), n->parents.end(),
                                           [&](const Node* p) { return goesWith(*p, doomed); });
            if (!below)
                victims.push_back(n);
        }
        if (victims.empty())
            return MS::kSuccess;
        auto modifier = std::make_shared<MDagModifier>();
        for (Node* n : victims)
            modifier->deleteNode(objectOf(n));
        if (!edits.run(modifier))
            return fail("The objects could not be deleted.");
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("delete: " + text);
        return MS::kFailure;
    }
    // Whether the node or one of its ancestors is deleted.
    static bool goesWith(const Node& node, const std::unordered_set<const Node*>& doomed) {
        if (doomed.count(&node))
            return true;
        return std::any_of(node.parents.begin(), node.parents.end(),
                           [&](const Node* p) { return goesWith(*p, doomed); });
    }
    // The dependency nodes that feed the objects (and their shapes),
    // upstream up to the next DAG node.
    static std::vector<Node*> history(const std::vector<Node*>& objects) {
        std::vector<Node*> found;
        std::set<Node*> seen;
        std::function<void(Node*)> up = [&](Node* n) {
            for (const auto& in : n->inputs) {
                Node* source = in.second.node;
                if (source->isDag() || source->isDefault || !seen.insert(source).second)
                    continue;
                found.push_back(source);
                up(source);
            }
        };
        for (Node* o : objects) {
            up(o);
            for (Node* c : o->children)
                if (c->type().shape)
                    up(c);
        }
        return found;
    }
};

// ---------------------------------------------------------------- rename

MSyntax renameSyntax() {
    MSyntax s;
    s.addFlag("is", "ignoreShape");
    s.setObjectType(MSyntax::kStringObjects, 1, 2);
    return s;
}

// A shape named after its transform ("pCubeShape1" under "pCube1").
bool namedAfter(const std::string& shape, const std::string& transform) {
    auto [stem, number] = splitTrailingNumber(transform);
    std::string digits = transform.substr(stem.size());
    return shape == stem + "Shape" + digits;
}

class RenameCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        const std::vector<std::string>& objects = plugin::objectNames(db);
        Node* node = nullptr;
        std::string requested;
        if (objects.size() == 2) {
            node = findNode(objects[0]);
            if (!node) {
                error("No object matches name: " + objects[0]);
                return MS::kFailure;
            }
            requested = objects[1];
        } else {
            MSelectionList active;
            MGlobal::getActiveSelectionList(active);
            auto selected = targets(active);
            if (selected.empty())
                return fail("Nothing is selected to rename.");
            node = selected.front().node;
            requested = objects[0];
        }
        if (requested.empty())
            return fail("New name cannot be empty.");
        if (node->locked || node->isDefault || isWorld(node))
            return fail("Cannot rename the node '" + node->name() + "'.");
        std::string oldName = node->name();
        if (!edits.rename(*node, requested))
            return fail("Cannot rename the node '" + oldName + "'.");
        if (!db.isFlagSet("ignoreShape") && !node->type().shape) {
            for (Node* child : node->children)
                if (child->type().shape && namedAfter(child->name(), oldName))
                    edits.rename(*child, shapeNameFor(node->name()));
        }
        setResult(MString(node->name().c_str()));
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("rename: " + text);
        return MS::kFailure;
    }
};

// ---------------------------------------------------------------- queries

MSyntax oneObjectSyntax() {
    MSyntax s;
    s.setObjectType(MSyntax::kStringObjects, 1, 1);
    return s;
}

class ObjExistsCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        MSelectionList list;
        setResult(static_cast<bool>(lookup(objects[0].asChar(), list)));
        return MS::kSuccess;
    }
};

MSyntax nodeTypeSyntax() {
    MSyntax s;
    s.addFlag("api", "apiType");
    s.addFlag("i", "inherited");
    s.setObjectType(MSyntax::kStringObjects, 1, 1);
    return s;
}

Node* namedNode(const MArgDatabase& db) {
    MStringArray objects;
    db.getObjects(objects);
    Node* node = findNode(objects[0].asChar());
    if (!node)
        error(std::string("No object matches name: ") + objects[0].asChar());
    return node;
}

class NodeTypeCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        Node* node = namedNode(db);
        if (!node)
            return MS::kFailure;
        if (db.isFlagSet("apiType")) {
            setResult(MString(apiTypeName(node->apiType())));
        } else if (db.isFlagSet("inherited")) {
            MStringArray chain;
            for (const NodeType* t = &node->type(); t; t = t->parent)
                chain.insert(MString(t->name.c_str()), 0);
            setResult(chain);
        } else {
            setResult(MString(node->type().name.c_str()));
        }
        return MS::kSuccess;
    }
};

MSyntax objectTypeSyntax() {
    MSyntax s;
    s.addFlag("i", "isType", MSyntax::kString);
    s.addFlag("isa", "isAType", MSyntax::kString);
    s.setObjectType(MSyntax::kStringObjects, 1, 1);
    return s;
}

class ObjectTypeCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        Node* node = namedNode(db);
        if (!node)
            return MS::kFailure;
        if (db.isFlagSet("isType"))
            setResult(node->type().name == db.flagArgumentString("isType", 0).asChar());
        else if (db.isFlagSet("isAType"))
            setResult(node->type().isA(db.flagArgumentString("isAType", 0).asChar()));
        else
            setResult(MString(node->type().name.c_str()));
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- select

MSyntax selectSyntax() {
    MSyntax s;
    s.addFlag("r", "replace");
    s.addFlag("add", "add");
    s.addFlag("af", "addFirst");
    s.addFlag("d", "deselect");
    s.addFlag("tgl", "toggle");
    s.addFlag("cl", "clear");
    s.addFlag("ne", "noExpand");
    s.addFlag("all", "all");
    s.addFlag("hi", "hierarchy");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class SelectCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MSelectionList named;
        if (!lookupAll(plugin::objectNames(db), named))
            return MS::kFailure;
        if (db.isFlagSet("all")) {
            std::vector<selection::Item> everything;
            for (Node* n : Scene::current().allNodes())
                if (!isWorld(n) && !n->isDefault &&
                    (!n->isDag() || n->parents.front() == &Scene::current().world()))
                    everything.push_back(selection::nodeItem(objectOf(n)));
            selection::mergeItems(selection::ListAccess::items(named), everything,
                                  MSelectionList::kMergeNormal);
        }
        if (!db.isFlagSet("noExpand"))
            named = expandSets(named);
        if (db.isFlagSet("hierarchy"))
            named = withDescendants(named);
        MSelectionList result;
        MGlobal::getActiveSelectionList(result);
        if (db.isFlagSet("clear")) {
            result.clear();
        } else if (db.isFlagSet("deselect")) {
            result.merge(named, MSelectionList::kRemoveFromList);
        } else if (db.isFlagSet("toggle")) {
            result.merge(named, MSelectionList::kXORWithList);
        } else if (db.isFlagSet("add")) {
            result.merge(named, MSelectionList::kMergeNormal);
        } else if (db.isFlagSet("addFirst")) {
            MSelectionList head = named;
            head.merge(result, MSelectionList::kMergeNormal);
            result = head;
        } else {
            result = named;
        }
        edits.select(result);
        return MS::kSuccess;
    }

private:
    // Each DAG object followed by every path below it, depth first.
    static MSelectionList withDescendants(const MSelectionList& list) {
        std::vector<selection::Item> items;
        std::function<void(const dag::NodePath&)> walk = [&](const dag::NodePath& path) {
            items.push_back(selection::pathItem(dag::PathAccess::make(path), MObject()));
            for (Node* child : path.back()->children) {
                dag::NodePath next = path;
                next.push_back(child);
                walk(next);
            }
        };
        for (const Target& t : targets(list)) {
            if (!t.path.empty() && t.plug.isNull() && t.component.isNull())
                walk(t.path);
            else if (!t.plug.isNull())
                items.push_back(selection::plugItem(t.plug));
            else if (!t.path.empty())
                items.push_back(selection::pathItem(dag::PathAccess::make(t.path), t.component));
            else
                items.push_back(selection::nodeItem(objectOf(t.node)));
        }
        MSelectionList out;
        selection::mergeItems(selection::ListAccess::items(out), items,
                              MSelectionList::kMergeNormal);
        return out;
    }

    // An object set stands for its members. Merged in one go, as a set or
    // a selection may hold every node of a big scene.
    static MSelectionList expandSets(const MSelectionList& list) {
        std::vector<selection::Item> items;
        for (const Target& t : targets(list)) {
            if (t.plug.isNull() && !t.node->isDag() && t.node->type().hasFn(MFn::kSet)) {
                const MSelectionList members = setMembers(*t.node);
                const auto& held = selection::ListAccess::items(members);
                items.insert(items.end(), held.begin(), held.end());
            } else if (!t.plug.isNull()) {
                items.push_back(selection::plugItem(t.plug));
            } else if (!t.path.empty()) {
                items.push_back(selection::pathItem(dag::PathAccess::make(t.path), t.component));
            } else {
                items.push_back(selection::nodeItem(objectOf(t.node)));
            }
        }
        MSelectionList out;
        selection::mergeItems(selection::ListAccess::items(out), items,
                              MSelectionList::kMergeNormal);
        return out;
    }
};

// ---------------------------------------------------------------- ls

MSyntax lsSyntax() {
    MSyntax s;
    s.addFlag("sl", "selection");
    s.addFlag("typ", "type", MSyntax::kString);
    s.makeFlagMultiUse("typ");
    s.addFlag("et", "exactType", MSyntax::kString);
    s.makeFlagMultiUse("et");
    s.addFlag("dag", "dag");
    s.addFlag("l", "long");
    s.addFlag("s", "shapes");
    s.addFlag("tr", "transforms");
    s.addFlag("st", "showType");
    s.addFlag("o", "objectsOnly");
    s.addFlag("ap", "allPaths");
    s.addFlag("ni", "noIntermediate");
    s.addFlag("fl", "flatten");
    s.addFlag("sn", "shortNames");
    s.addFlag("g", "geometry");
    s.addFlag("mat", "materials");
    s.addFlag("lt", "lights");
    s.addFlag("ca", "cameras");
    s.addFlag("r", "recursive", MSyntax::kBoolean);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// The kinds -geometry, -materials, -lights and -cameras list; given
// together they list what is of any of them.
struct LsKind {
    const char* flag;
    bool (*matches)(const NodeType&);
};
const LsKind kLsKinds[] = {
    {"g",
     [](const NodeType& t) {
         return t.shape && !t.isA("camera") && !t.isA("light") && !t.isA("locator");
     }},
    {"mat", [](const NodeType& t) { return t.isA("lambert") || t.isA("shadingEngine"); }},
    {"lt", [](const NodeType& t) { return t.isA("light"); }},
    {"ca", [](const NodeType& t) { return t.isA("camera"); }},
};

class LsCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        m_db = &db;
        m_types = flagStrings(db, "type");
        m_exact = flagStrings(db, "exactType");
        MStringArray patterns;
        db.getObjects(patterns);
        MSelectionList source;
        bool listed = db.isFlagSet("selection") || patterns.length() > 0;
        if (db.isFlagSet("selection"))
            MGlobal::getActiveSelectionList(source);
        bool recursive = false;
        if (db.isFlagSet("r"))
            db.getFlagArgument("r", 0, recursive);
        for (unsigned i = 0; i < patterns.length(); ++i) {
            lookup(patterns[i].asChar(), source);
            // Names in every namespace too; a name in none has no match.
            if (recursive)
                lookup(std::string("*:") + patterns[i].asChar(), source);
        }
        if (listed) {
            for (const Target& t : targets(source)) {
                emit(t);
                if (set("dag") && !t.path.empty())
                    below(t.path);
            }
        } else if (set("dag")) {
            below(dag::NodePath{&Scene::current().world()});
        } else {
            for (Node* n : Scene::current().allNodes()) {
                if (isWorld(n))
                    continue;
                Target t;
                t.node = n;
                if (n->isDag())
                    t.path = dag::firstPath(*n);
                emit(t);
            }
        }
        setResult(m_out);
        return MS::kSuccess;
    }

private:
    bool set(const char* flag) const { return m_db->isFlagSet(flag); }

    bool accepted(const Node& n) const {
        const NodeType& type = n.type();
        if (set("shapes") && !type.shape)
            return false;
        if (set("transforms") && !type.isA("transform"))
            return false;
        bool kindGiven = false, kindMatched = false;
        for (const LsKind& kind : kLsKinds)
            if (set(kind.flag)) {
                kindGiven = true;
                kindMatched = kindMatched || kind.matches(type);
            }
        if (kindGiven && !kindMatched)
            return false;
        if (!m_types.empty() && std::none_of(m_types.begin(), m_types.end(),
                                             [&](const std::string& t) { return type.isA(t); }))
            return false;
        if (!m_exact.empty() &&
            std::find(m_exact.begin(), m_exact.end(), type.name) == m_exact.end())
            return false;
        if (set("noIntermediate")) {
            Attribute* io = n.findAttribute("intermediateObject");
            if (io && valueAsLong(evaluate(PlugRef{const_cast<Node*>(&n), PlugPath{io, {}}})))
                return false;
        }
        return true;
    }

    void emit(const Target& t) {
        if (!accepted(*t.node))
            return;
        std::vector<std::string> names;
        if (!t.plug.isNull() || (!t.component.isNull() && !set("objectsOnly"))) {
            if (!t.plug.isNull() && set("shortNames")) {
                names.emplace_back(t.plug.partialName(true, true).asChar());
            } else if (!t.plug.isNull()) {
                MSelectionList one;
                one.add(t.plug);
                MStringArray strings;
                one.getSelectionStrings(strings);
                for (unsigned i = 0; i < strings.length(); ++i)
                    names.emplace_back(strings[i].asChar());
            } else {
                names = componentNames(t, set("flatten"));
            }
        } else {
            names.push_back(t.path.empty() ? t.node->name() : nameOf(t.path, set("long")));
        }
        for (const std::string& name : names) {
            if (!m_seen.insert(name).second)
                continue;
            m_out.append(MString(name.c_str()));
            if (set("showType"))
                m_out.append(MString(t.node->type().name.c_str()));
        }
    }

    // The DAG below the path, depth first; each node once unless -allPaths.
    void below(const dag::NodePath& path) {
        for (Node* child : path.back()->children) {
            dag::NodePath next = path;
            next.push_back(child);
            bool firstVisit = m_visited.insert(child).second;
            if (!firstVisit && !set("allPaths"))
                continue;
            Target t;
            t.node = child;
            t.path = next;
            emit(t);
            below(next);
        }
    }

    const MArgDatabase* m_db = nullptr;
    std::vector<std::string> m_types, m_exact;
    std::set<std::string> m_seen;
    std::set<Node*> m_visited;
    MStringArray m_out;
};

}  // namespace

void registerNodeCommands() {
    define<CreateNodeCommand>("createNode", createNodeSyntax);
    define<DeleteCommand>("delete", deleteSyntax);
    define<RenameCommand>("rename", renameSyntax);
    define<ObjExistsCommand>("objExists", oneObjectSyntax);
    define<NodeTypeCommand>("nodeType", nodeTypeSyntax);
    define<ObjectTypeCommand>("objectType", objectTypeSyntax);
    define<SelectCommand>("select", selectSyntax);
    define<LsCommand>("ls", lsSyntax);
}

}  // namespace commands
}  // namespace host
