// listRelatives, parent, group, instance, duplicate and xform.
//
// Map, top to bottom:
// - helpers every command here shares: the world, type tests, and moving a
//   path under a new parent with or without keeping its place in the world
//   (parent, group and instance all come down to moveUnder);
// - listRelatives, parent, group: one section each, syntax then command;
// - copies: Copier makes copies of nodes with their values, dynamic
//   attributes, plug flags and the connections among them; duplicate adds
//   -upstreamNodes and -smartTransform on top of it, and instance shares
//   the shapes instead of copying them;
// - xform: the rotate orders by name, world bounds (-bb reads what playblast
//   draws, so the two agree), then the command, which queries and edits
//   through the transform plugs of commands/Transforms.h;
// - registerDagCommands, the one entry point.
#include "commands/Support.h"
#include "commands/Transforms.h"
#include "commands/Values.h"
#include "geometry/Mesh.h"
#include "graph/PlugAccess.h"
#include "plugin/Args.h"
#include "render/Contents.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MEulerRotation.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MTransformationMatrix.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace host {
namespace commands {

namespace {

Node& world() {
    return Scene::current().world();
}

bool isTransform(const Node& n) {
    return n.type().isA("transform");
}

bool typeMatches(const Node& n, const std::vector<std::string>& types) {
    return types.empty() || std::any_of(types.begin(), types.end(),
                                        [&](const std::string& t) { return n.type().isA(t); });
}

bool sameMatrix(const MMatrix& a, const MMatrix& b) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::abs(a(r, c) - b(r, c)) > 1e-10)
                return false;
    return true;
}

// Gives the transform at path the local matrix that keeps it where it is
// in the world once it sits below newParent.
bool keepWorldPlace(Edits& edits, const dag::NodePath& path, const dag::NodePath& newParent) {
    Node& node = *path.back();
    if (!isTransform(node))
        return true;
    MMatrix before = dag::exclusiveMatrix(path);
    MMatrix after = dag::inclusiveMatrix(newParent);
    if (sameMatrix(before, after))
        return true;
    MMatrix local = dag::localMatrix(node) * before * after.inverse();
    MObject object = Scene::current().object(&node);
    return edits.change(node, transformPlugs(), [&] {
        return static_cast<bool>(MFnTransform(object).set(MTransformationMatrix(local)));
    });
}

// Moves the node at path below newParent; keepWorld keeps its place in the
// world, add makes one more instance instead of a move.
bool moveUnder(Edits& edits, const dag::NodePath& path, const dag::NodePath& newParent,
               bool keepWorld, bool add) {
    Node& node = *path.back();
    Node* oldParent = path.size() >= 2 ? path[path.size() - 2] : nullptr;
    if (keepWorld && !add && !keepWorldPlace(edits, path, newParent))
        return false;
    return edits.reparent(node, add ? nullptr : oldParent, *newParent.back());
}

std::vector<std::string> names(const std::vector<dag::NodePath>& paths) {
    std::vector<std::string> out;
    for (const auto& p : paths)
        out.push_back(nameOf(p));
    return out;
}

MStringArray toArray(const std::vector<std::string>& list) {
    MStringArray out;
    for (const auto& s : list)
        out.append(MString(s.c_str()));
    return out;
}

// The paths name nodes just made, each once, so nothing in the list merges.
MSelectionList listOf(const std::vector<dag::NodePath>& paths) {
    MSelectionList list;
    auto& items = selection::ListAccess::items(list);
    items.reserve(paths.size());
    for (const auto& p : paths)
        items.push_back(selection::pathItem(dag::PathAccess::make(p), MObject()));
    return list;
}

// ---------------------------------------------------------------- listRelatives

MSyntax listRelativesSyntax() {
    MSyntax s;
    s.addFlag("c", "children");
    s.addFlag("p", "parent");
    s.addFlag("s", "shapes");
    s.addFlag("ad", "allDescendents");
    s.addFlag("f", "fullPath");
    s.addFlag("pa", "path");
    s.addFlag("typ", "type", MSyntax::kString);
    s.makeFlagMultiUse("typ");
    s.addFlag("ap", "allParents");
    s.addFlag("ni", "noIntermediate");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class ListRelativesCommand : public ObjectsCommand<MPxCommand> {
public:
    MStatus runOn(const MArgDatabase& db, MSelectionList& list) override {
        std::vector<std::string> types = flagStrings(db, "type");
        bool full = db.isFlagSet("fullPath"), partial = db.isFlagSet("path");
        auto name = [&](const dag::NodePath& p) {
            return full ? nameOf(p, true) : partial ? nameOf(p) : p.back()->name();
        };
        std::vector<std::string> out;
        auto take = [&](const dag::NodePath& p) {
            Node& n = *p.back();
            if (!typeMatches(n, types))
                return;
            if (db.isFlagSet("shapes") && !n.type().shape)
                return;
            if (db.isFlagSet("noIntermediate")) {
                Attribute* io = n.findAttribute("intermediateObject");
                if (io && valueAsLong(evaluate(PlugRef{&n, PlugPath{io, {}}})))
                    return;
            }
            out.push_back(name(p));
        };
        // A name standing for every path of an instanced node answers for
        // the node once: -parent from the first path, as the name resolves.
        std::set<Node*> answered;
        for (const Target& t : targets(list)) {
            if (t.path.empty())
                continue;
            if ((db.isFlagSet("allParents") || db.isFlagSet("parent")) &&
                !answered.insert(t.node).second)
                continue;
            if (db.isFlagSet("allParents")) {
                for (Node* p : t.node->parents)
                    if (p != &world()) {
                        dag::NodePath pp = dag::firstPath(*p);
                        if (typeMatches(*p, types))
                            out.push_back(name(pp));
                    }
            } else if (db.isFlagSet("parent")) {
                if (t.path.size() > 2) {
                    dag::NodePath pp(t.path.begin(), t.path.end() - 1);
                    if (typeMatches(*pp.back(), types))
                        out.push_back(name(pp));
                }
            } else if (db.isFlagSet("allDescendents")) {
                // Deepest first, as the host lists them.
                std::vector<dag::NodePath> found;
                std::function<void(const dag::NodePath&)> walk = [&](const dag::NodePath& p) {
                    for (Node* c : p.back()->children) {
                        dag::NodePath next = p;
                        next.push_back(c);
                        found.push_back(next);
                        walk(next);
                    }
                };
                walk(t.path);
                for (auto it = found.rbegin(); it != found.rend(); ++it)
                    take(*it);
            } else {
                if (db.isFlagSet("shapes") && t.node->type().shape)
                    continue;
                for (Node* c : t.node->children) {
                    dag::NodePath next = t.path;
                    next.push_back(c);
                    take(next);
                }
            }
        }
        setResult(toArray(out));
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- parent

MSyntax parentSyntax() {
    MSyntax s;
    s.addFlag("w", "world");
    s.addFlag("r", "relative");
    s.addFlag("a", "absolute");
    s.addFlag("add", "addObject");
    s.addFlag("rm", "removeObject");
    s.addFlag("s", "shape");
    s.addFlag("nc", "noConnections");
    s.addFlag("nis", "noInvScale");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class ParentCommand : public ObjectsCommand<EditCommand> {
public:
    MStatus runOn(const MArgDatabase& db, MSelectionList& list) override {
        std::vector<Target> found = targets(list);
        for (const Target& t : found)
            if (t.path.empty())
                return fail("'" + t.node->name() + "' is not a DAG object.");
        bool toWorld = db.isFlagSet("world");
        if (db.isFlagSet("removeObject"))
            return remove(found);
        if (found.size() < (toWorld ? 1u : 2u)) {
            error("Not enough objects or values.");
            return MS::kFailure;
        }
        dag::NodePath target{&world()};
        if (!toWorld) {
            target = found.back().path;
            found.pop_back();
            if (target.back()->type().shape)
                return fail("Cannot parent to the shape node '" + target.back()->name() + "'.");
        }
        bool add = db.isFlagSet("addObject");
        bool keepWorld = !db.isFlagSet("relative");
        std::vector<dag::NodePath> moved;
        for (const Target& t : found) {
            Node& node = *t.node;
            if (node.type().shape && !db.isFlagSet("shape") && !add)
                return fail("Use -shape to parent the shape node '" + node.name() + "'.");
            Node* oldParent = t.path[t.path.size() - 2];
            if (!add && oldParent == target.back()) {
                warning("Object '" + node.name() + "' is already a child of '" +
                        (target.back() == &world() ? std::string("world") : target.back()->name()) +
                        "'.");
                continue;
            }
            if (Scene::current().isAncestor(node, *target.back()))
                return fail("Cannot parent '" + node.name() + "' below itself.");
            if (!moveUnder(edits, t.path, target, keepWorld, add)) {
                edits.undo();
                return fail("Cannot parent '" + node.name() + "'.");
            }
            dag::NodePath now = target;
            now.push_back(&node);
            moved.push_back(now);
        }
        setResult(toArray(names(moved)));
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("parent: " + text);
        return MS::kFailure;
    }
    // -removeObject: the path's instance goes; the last one cannot.
    MStatus remove(const std::vector<Target>& found) {
        for (const Target& t : found) {
            Node& node = *t.node;
            if (node.parents.size() < 2)
                return fail("Cannot remove the last instance of '" + node.name() + "'.");
            NodePtr child = Scene::current().share(&node);
            NodePtr parent = Scene::current().share(t.path[t.path.size() - 2]);
            auto& kids = parent->children;
            const int position = static_cast<int>(positionIn(kids, &node));
            edits.run([=] { return Scene::current().removeChild(*parent, *child); },
                      [=] { return Scene::current().addChild(*parent, *child, position); });
        }
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- group

MSyntax groupSyntax() {
    MSyntax s;
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("w", "world");
    s.addFlag("em", "empty");
    s.addFlag("p", "parent", MSyntax::kString);
    s.addFlag("r", "relative");
    s.addFlag("a", "absolute");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class GroupCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        std::vector<Target> found;
        if (!db.isFlagSet("empty")) {
            MSelectionList list;
            if (!objectsOf(db, list))
                return MS::kFailure;
            found = targets(list);
            for (const Target& t : found)
                if (t.path.empty())
                    return fail("'" + t.node->name() + "' is not a DAG object.");
            if (found.empty()) {
                error("Not enough objects or values.");
                return MS::kFailure;
            }
        }
        dag::NodePath parentPath{&world()};
        if (db.isFlagSet("parent")) {
            std::string name = db.flagArgumentString("parent", 0).asChar();
            MSelectionList p;
            std::vector<Target> parents;
            if (lookup(name, p))
                parents = targets(p);
            if (parents.empty() || parents.front().path.empty()) {
                error("No object matches name: " + name);
                return MS::kFailure;
            }
            parentPath = parents.front().path;
        } else if (!db.isFlagSet("world") && !found.empty()) {
            parentPath.assign(found.front().path.begin(), found.front().path.end() - 1);
        }
        std::string name = db.isFlagSet("name") ? db.flagArgumentString("name", 0).asChar()
                                                : std::string("group#");
        NodePtr group = Scene::current().createNode("transform", name, parentPath.back());
        edits.created({group});
        dag::NodePath groupPath = parentPath;
        groupPath.push_back(group.get());
        for (const Target& t : found)
            if (!moveUnder(edits, t.path, groupPath, !db.isFlagSet("relative"), false)) {
                edits.undo();
                return fail("Cannot group '" + t.node->name() + "'.");
            }
        edits.select(listOf({groupPath}));
        setResult(MString(nameOf(groupPath).c_str()));
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("group: " + text);
        return MS::kFailure;
    }
};

// ---------------------------------------------------------------- copies

// A fresh definition equal to the attribute and its children.
AttributePtr cloneAttribute(const Attribute& a) {
    auto c = std::make_shared<Attribute>(a.kind, a.longName, a.shortName);
    c->numericType = a.numericType;
    c->unitType = a.unitType;
    c->dataType = a.dataType;
    c->floatMatrix = a.floatMatrix;
    c->acceptedData = a.acceptedData;
    c->acceptedNumeric = a.acceptedNumeric;
    c->enumFields = a.enumFields;
    c->readable = a.readable;
    c->writable = a.writable;
    c->connectable = a.connectable;
    c->storable = a.storable;
    c->cached = a.cached;
    c->array = a.array;
    c->indexMatters = a.indexMatters;
    c->keyable = a.keyable;
    c->channelBox = a.channelBox;
    c->hidden = a.hidden;
    c->usedAsColor = a.usedAsColor;
    c->indeterminant = a.indeterminant;
    c->renderSource = a.renderSource;
    c->worldSpace = a.worldSpace;
    c->affectsWorldSpace = a.affectsWorldSpace;
    c->usesArrayDataBuilder = a.usesArrayDataBuilder;
    c->internal = a.internal;
    c->perParticle = a.perParticle;
    c->computed = a.computed;
    c->disconnectBehavior = a.disconnectBehavior;
    c->defaultValue = cloneValue(a.defaultValue);
    c->minValue = a.minValue;
    c->maxValue = a.maxValue;
    c->softMinValue = a.softMinValue;
    c->softMaxValue = a.softMaxValue;
    for (const auto& child : a.children)
        c->addChild(cloneAttribute(*child));
    return c;
}

// Pairs each attribute of a dynamic tree with its clone's.
void pairAttributes(const Attribute* from, Attribute* to,
                    std::map<const Attribute*, Attribute*>& map) {
    map[from] = to;
    for (size_t i = 0; i < from->children.size(); ++i)
        pairAttributes(from->children[i].get(), to->children[i].get(), map);
}

// Makes copies of nodes with their values, dynamic attributes, plug flags
// and the connections among them.
class Copier {
public:
    std::vector<NodePtr> made;
    std::map<Node*, Node*> copyOf;

    Node* copy(Node& original, const std::string& name, Node* parent) {
        NodePtr c = Scene::current().createNode(original.type(), name, parent);
        if (!c)
            return nullptr;
        made.push_back(c);
        copyOf[&original] = c.get();
        for (const auto& d : original.dynamicAttributes()) {
            AttributePtr clone = cloneAttribute(*d);
            c->addDynamicAttribute(clone);
            pairAttributes(d.get(), clone.get(), m_attributes[c.get()]);
        }
        // The copy shares the original's data (a mesh's points and faces)
        // rather than cloning it: stored data is never changed in place.
        geometry::keepHistoryOutput(original);
        c->reserveStorage(original.storedCount());
        original.visitStored([&](const Attribute& a, const PlugValue& pv) {
            c->storage(PlugPath{map(c.get(), &a), {}}) = pv;
        });
        for (const PlugPath& p : original.lockedPlugs)
            c->lockedPlugs.insert(remap(c.get(), p));
        for (const PlugPath& p : original.keyablePlugs)
            c->keyablePlugs.insert(remap(c.get(), p));
        for (const PlugPath& p : original.nonKeyablePlugs)
            c->nonKeyablePlugs.insert(remap(c.get(), p));
        return c.get();
    }

    // Connections into the copies: from other copies, and with
    // inputConnections also from the originals' outside sources.
    void connect(bool inputConnections) {
        Scene& scene = Scene::current();
        for (const auto& [original, copy] : copyOf) {
            for (const auto& [path, source] : original->inputs) {
                auto s = copyOf.find(source.node);
                PlugRef destination{copy, remap(copy, path)};
                if (s != copyOf.end())
                    scene.connect(PlugRef{s->second, remap(s->second, source.path)}, destination);
                else if (inputConnections)
                    scene.connect(source, destination);
            }
        }
    }

private:
    Attribute* map(Node* copy, const Attribute* a) {
        // Only copies of nodes with dynamic attributes have any to map.
        auto m = m_attributes.find(copy);
        if (m != m_attributes.end()) {
            auto it = m->second.find(a);
            if (it != m->second.end())
                return it->second;
        }
        // The type's attributes and the original's are never const objects.
        return const_cast<Attribute*>(a);
    }
    PlugPath remap(Node* copy, const PlugPath& p) {
        return PlugPath{map(copy, p.attribute), p.indices};
    }

    std::map<Node*, std::map<const Attribute*, Attribute*>> m_attributes;
};

std::string numbered(const std::string& name) {
    return splitTrailingNumber(name).first + "#";
}

MSyntax duplicateSyntax() {
    MSyntax s;
    s.addFlag("rr", "returnRootsOnly");
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("rc", "renameChildren");
    s.addFlag("ic", "inputConnections");
    s.addFlag("po", "parentOnly");
    s.addFlag("un", "upstreamNodes");
    s.addFlag("st", "smartTransform");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// The dependency nodes feeding the node, and those feeding them; the
// host's own nodes (time1) stay shared.
void addUpstream(Node& node, std::vector<Node*>& out, std::set<Node*>& seen) {
    for (const auto& [destination, source] : node.inputs) {
        Node* up = source.node;
        if (up->isDag() || up->isDefault || !seen.insert(up).second)
            continue;
        out.push_back(up);
        addUpstream(*up, out, seen);
    }
}

// The last smart duplicate: the object copied and its copy. Duplicating
// that copy again with -smartTransform repeats the step between the two.
struct SmartStep {
    std::weak_ptr<Node> source, copy;
};
SmartStep& smartStep() {
    static SmartStep step;
    return step;
}

class DuplicateCommand : public ObjectsCommand<EditCommand> {
public:
    MStatus runOn(const MArgDatabase& db, MSelectionList& list) override {
        std::vector<Target> found = targets(list);
        if (found.empty()) {
            error("Not enough objects or values.");
            return MS::kFailure;
        }
        std::string name = db.isFlagSet("name") ? db.flagArgumentString("name", 0).asChar() : "";
        bool renameChildren = db.isFlagSet("renameChildren");
        bool parentOnly = db.isFlagSet("parentOnly");
        Copier copier;
        std::vector<dag::NodePath> roots;
        std::vector<Node*> dependencyRoots;
        for (const Target& t : found) {
            Node& original = *t.node;
            if (original.isDefault)
                continue;
            std::string rootName = !name.empty() && roots.empty() && dependencyRoots.empty()
                                       ? name
                                       : numbered(original.name());
            if (t.path.empty()) {
                if (Node* c = copier.copy(original, rootName, nullptr))
                    dependencyRoots.push_back(c);
                continue;
            }
            dag::NodePath parentPath(t.path.begin(), t.path.end() - 1);
            Node* root = copier.copy(original, rootName, parentPath.back());
            if (!root)
                continue;
            if (!parentOnly)
                copyBelow(copier, original, *root, true, renameChildren);
            parentPath.push_back(root);
            roots.push_back(parentPath);
        }
        std::vector<Node*> upstream;
        if (db.isFlagSet("upstreamNodes")) {
            std::set<Node*> seen;
            for (const auto& [original, copy] : copier.copyOf)
                seen.insert(original);
            std::vector<Node*> copied;
            for (const auto& [original, copy] : copier.copyOf)
                copied.push_back(original);
            for (Node* original : copied)
                addUpstream(*original, upstream, seen);
            for (Node*& up : upstream)
                up = copier.copy(*up, numbered(up->name()), nullptr);
        }
        // Copied history keeps what fed it from outside (the clock).
        copier.connect(db.isFlagSet("inputConnections") || db.isFlagSet("upstreamNodes"));

        MStringArray result;
        for (const auto& r : roots)
            result.append(MString(nameOf(r).c_str()));
        for (Node* d : dependencyRoots)
            result.append(MString(d->name().c_str()));
        if (!db.isFlagSet("returnRootsOnly")) {
            for (const NodePtr& n : copier.made) {
                bool isRoot =
                    std::any_of(roots.begin(), roots.end(),
                                [&](const dag::NodePath& r) { return r.back() == n.get(); }) ||
                    std::find(dependencyRoots.begin(), dependencyRoots.end(), n.get()) !=
                        dependencyRoots.end();
                if (!isRoot)
                    result.append(MString(nameOf(*n).c_str()));
            }
        }
        edits.created(std::move(copier.made));
        if (db.isFlagSet("smartTransform") && !roots.empty())
            smartDuplicate(*found.front().node, *roots.front().back());
        if (!roots.empty())
            edits.select(listOf(roots));
        setResult(result);
        return MS::kSuccess;
    }

private:
    // Copies the children of from below to, and theirs below them.
    static void copyBelow(Copier& copier, Node& from, Node& to, bool isRoot, bool renameChildren) {
        for (Node* child : from.children) {
            auto done = copier.copyOf.find(child);
            if (done != copier.copyOf.end()) {
                // Instanced inside the copied hierarchy: stays instanced.
                Scene::current().addChild(to, *done->second);
                continue;
            }
            bool renumber = renameChildren || (isRoot && child->type().shape);
            Node* c = copier.copy(*child, renumber ? numbered(child->name()) : child->name(), &to);
            if (c)
                copyBelow(copier, *child, *c, false, renameChildren);
        }
    }

    // A copy of the last smart copy moves on by the step from that copy's
    // source to it (translation and rotation added, scale multiplied);
    // duplicating anything else starts a new step.
    void smartDuplicate(Node& original, Node& copy) {
        SmartStep& step = smartStep();
        const NodePtr source = step.source.lock(), last = step.copy.lock();
        if (source && last && last.get() == &original && source->inScene && source->isDag() &&
            original.type().isA("transform") && source->type().isA("transform")) {
            const dag::DagAttributes& a = dag::attributes();
            double from[3], to[3], next[3];
            edits.change(copy, transformPlugs(), [&] {
                for (Attribute* compound : {a.translate, a.rotate, a.scale}) {
                    dag::readDouble3(*source, compound, from);
                    dag::readDouble3(original, compound, to);
                    for (int k = 0; k < 3; ++k)
                        next[k] = compound == a.scale
                                      ? (from[k] != 0.0 ? to[k] * to[k] / from[k] : to[k])
                                      : 2.0 * to[k] - from[k];
                    if (!dag::writeDouble3(copy, compound, next))
                        return false;
                }
                return true;
            });
        }
        step.source = Scene::current().share(&original);
        step.copy = Scene::current().share(&copy);
    }
};

// ---------------------------------------------------------------- instance

MSyntax instanceSyntax() {
    MSyntax s;
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("lf", "leaf");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class InstanceCommand : public ObjectsCommand<EditCommand> {
public:
    MStatus runOn(const MArgDatabase& db, MSelectionList& list) override {
        std::vector<Target> found = targets(list);
        if (found.empty()) {
            error("Not enough objects or values.");
            return MS::kFailure;
        }
        std::string name = db.isFlagSet("name") ? db.flagArgumentString("name", 0).asChar() : "";
        std::vector<dag::NodePath> made;
        std::vector<NodePtr> nodes;
        Copier copier;
        for (const Target& t : found) {
            if (t.path.size() < 2) {
                error("instance: '" + t.node->name() + "' is not a DAG object.");
                edits.undo();
                return MS::kFailure;
            }
            // A shape (or -leaf) shares just itself below a new transform;
            // a transform shares all its children.
            bool leaf = t.node->type().shape || db.isFlagSet("leaf");
            dag::NodePath source = t.path;
            if (leaf && t.node->type().shape)
                source.pop_back();
            if (source.size() < 2)
                continue;
            Node& transform = *source.back();
            dag::NodePath parentPath(source.begin(), source.end() - 1);
            std::string instanceName =
                !name.empty() && made.empty() ? name : numbered(transform.name());
            Node* copy = copier.copy(transform, instanceName, parentPath.back());
            if (!copy)
                continue;
            if (leaf)
                Scene::current().addChild(*copy, *t.node);
            else
                for (Node* child : transform.children)
                    Scene::current().addChild(*copy, *child);
            parentPath.push_back(copy);
            made.push_back(parentPath);
        }
        edits.created(std::move(copier.made));
        edits.select(listOf(made));
        setResult(toArray(names(made)));
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- xform

MSyntax xformSyntax() {
    MSyntax s;
    s.addFlag("ws", "worldSpace");
    s.addFlag("os", "objectSpace");
    s.addFlag("r", "relative");
    s.addFlag("a", "absolute");
    s.addFlag("t", "translation", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("ro", "rotation", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("s", "scale", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("m", "matrix");
    s.addFlag("rp", "rotatePivot", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("sp", "scalePivot", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("piv", "pivots", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
    s.addFlag("cp", "centerPivots");
    s.addFlag("bb", "boundingBox");
    s.addFlag("roo", "rotateOrder", MSyntax::kString);
    s.addFlag("p", "preserve", MSyntax::kBoolean);
    s.enableQuery();
    s.enableEdit();
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

const char* const kRotateOrders[] = {"xyz", "yzx", "zxy", "xzy", "yxz", "zyx"};

bool rotateOrderNamed(const std::string& name, MTransformationMatrix::RotationOrder& order) {
    for (int i = 0; i < 6; ++i)
        if (name == kRotateOrders[i]) {
            order =
                static_cast<MTransformationMatrix::RotationOrder>(MTransformationMatrix::kXYZ + i);
            return true;
        }
    return false;
}

// What is drawn at or below the node, in world space.
render::Bounds worldBounds(Node& node) {
    return render::gather({&node}).bounds();
}

class XformCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray words;
        db.getObjects(words);
        // The sixteen numbers of -matrix stand before the objects.
        std::vector<double> matrix;
        unsigned first = 0;
        if (db.isFlagSet("matrix") && !db.isQuery()) {
            for (; first < 16 && first < words.length(); ++first) {
                double d = 0;
                if (!plugin::readDouble(mel::Value(std::string(words[first].asChar())), d))
                    break;
                matrix.push_back(d);
            }
            if (matrix.size() != 16)
                return fail("-matrix needs sixteen numbers.");
        }
        MSelectionList list;
        for (unsigned i = first; i < words.length(); ++i)
            if (!lookup(words[i].asChar(), list)) {
                error(std::string("No object matches name: ") + words[i].asChar());
                return MS::kFailure;
            }
        if (words.length() == first)
            MGlobal::getActiveSelectionList(list);
        std::vector<Target> found = targets(list);
        for (const Target& t : found)
            if (t.path.empty() || !isTransform(*t.node))
                return fail("'" + t.node->name() + "' is not a transform.");
        if (found.empty()) {
            error("Not enough objects or values.");
            return MS::kFailure;
        }
        bool world = db.isFlagSet("worldSpace");
        if (db.isQuery())
            return query(db, found.front().path, world);
        MTransformationMatrix::RotationOrder order;
        if (db.isFlagSet("rotateOrder") &&
            !rotateOrderNamed(db.flagArgumentString("rotateOrder", 0).asChar(), order))
            return fail("Invalid rotate order: " +
                        std::string(db.flagArgumentString("rotateOrder", 0).asChar()));
        for (const Target& t : found)
            if (!apply(db, t.path, world, matrix)) {
                edits.undo();
                return fail("Cannot change the transform of '" + t.node->name() + "'.");
            }
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("xform: " + text);
        return MS::kFailure;
    }

    static MStatus query(const MArgDatabase& db, const dag::NodePath& path, bool world) {
        Node& node = *path.back();
        MTransformationMatrix tm =
            world ? MTransformationMatrix(dag::inclusiveMatrix(path)) : dag::transformationOf(node);
        MDoubleArray out;
        if (db.isFlagSet("matrix")) {
            MMatrix m = world ? dag::inclusiveMatrix(path) : dag::localMatrix(node);
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c)
                    out.append(m(r, c));
        } else if (db.isFlagSet("rotation")) {
            double v[3];
            MTransformationMatrix::RotationOrder order;
            tm.getRotation(v, order);
            for (double d : v)
                out.append(MAngle::internalToUI(d));
        } else if (db.isFlagSet("scale")) {
            double v[3];
            tm.getScale(v, MSpace::kTransform);
            for (double d : v)
                out.append(d);
        } else if (db.isFlagSet("rotateOrder")) {
            const int order = MFnTransform(Scene::current().object(&node)).rotationOrder() -
                              MTransformationMatrix::kXYZ;
            setResult(MString(order >= 0 && order < 6 ? kRotateOrders[order] : "xyz"));
            return MS::kSuccess;
        } else if (db.isFlagSet("boundingBox")) {
            const render::Bounds b = worldBounds(node);
            if (!b.empty)
                for (const MPoint& p : {b.low, b.high})
                    for (int k = 0; k < 3; ++k)
                        out.append(MDistance::internalToUI(p[k]));
        } else if (db.isFlagSet("rotatePivot") || db.isFlagSet("scalePivot") ||
                   db.isFlagSet("pivots")) {
            MFnTransform fn(Scene::current().object(&node));
            const MSpace::Space space = world ? MSpace::kWorld : MSpace::kTransform;
            std::vector<MPoint> points;
            if (!db.isFlagSet("scalePivot"))
                points.push_back(fn.rotatePivot(space));
            if (!db.isFlagSet("rotatePivot"))
                points.push_back(fn.scalePivot(space));
            for (const MPoint& p : points)
                for (int k = 0; k < 3; ++k)
                    out.append(MDistance::internalToUI(p[k]));
        } else {
            MVector t = tm.getTranslation(MSpace::kTransform);
            for (int k = 0; k < 3; ++k)
                out.append(MDistance::internalToUI(t[k]));
        }
        setResult(out);
        return MS::kSuccess;
    }

    bool apply(const MArgDatabase& db, const dag::NodePath& path, bool world,
               const std::vector<double>& matrix) {
        Node& node = *path.back();
        MObject object = Scene::current().object(&node);
        bool relative = db.isFlagSet("relative");
        bool preserve = true;
        if (db.isFlagSet("preserve"))
            db.getFlagArgument("preserve", 0, preserve);
        auto three = [&](const char* flag, double v[3]) {
            for (unsigned k = 0; k < 3; ++k)
                db.getFlagArgument(flag, k, v[k]);
        };
        auto point = [&](const char* flag) {
            double v[3];
            three(flag, v);
            return MPoint(MDistance::uiToInternal(v[0]), MDistance::uiToInternal(v[1]),
                          MDistance::uiToInternal(v[2]));
        };
        MTransformationMatrix::RotationOrder order = MTransformationMatrix::kInvalid;
        if (db.isFlagSet("rotateOrder"))
            rotateOrderNamed(db.flagArgumentString("rotateOrder", 0).asChar(), order);
        const bool centre = db.isFlagSet("centerPivots");
        const render::Bounds bounds = centre ? worldBounds(node) : render::Bounds();
        return edits.change(node, transformPlugs(), [&] {
            MFnTransform fn(object);
            if (!matrix.empty()) {
                MMatrix m;
                for (int k = 0; k < 16; ++k)
                    m[k / 4][k % 4] = matrix[static_cast<size_t>(k)];
                if (world)
                    m = m * dag::exclusiveMatrix(path).inverse();
                if (!fn.set(MTransformationMatrix(m)))
                    return false;
            }
            const MSpace::Space pivotSpace = world ? MSpace::kWorld : MSpace::kTransform;
            for (const char* flag : {"pivots", "rotatePivot"})
                if (db.isFlagSet(flag) && !fn.setRotatePivot(point(flag), pivotSpace, preserve))
                    return false;
            for (const char* flag : {"pivots", "scalePivot"})
                if (db.isFlagSet(flag) && !fn.setScalePivot(point(flag), pivotSpace, preserve))
                    return false;
            if (centre && !bounds.empty) {
                const MPoint middle((bounds.low.x + bounds.high.x) / 2,
                                    (bounds.low.y + bounds.high.y) / 2,
                                    (bounds.low.z + bounds.high.z) / 2);
                if (!fn.setRotatePivot(middle, MSpace::kWorld, preserve) ||
                    !fn.setScalePivot(middle, MSpace::kWorld, preserve))
                    return false;
            }
            if (order != MTransformationMatrix::kInvalid && !fn.setRotationOrder(order, preserve))
                return false;
            if (db.isFlagSet("translation")) {
                double v[3];
                three("translation", v);
                MVector t(MDistance::uiToInternal(v[0]), MDistance::uiToInternal(v[1]),
                          MDistance::uiToInternal(v[2]));
                MSpace::Space space = world ? MSpace::kWorld : MSpace::kTransform;
                if (!(relative ? fn.translateBy(t, space) : fn.setTranslation(t, space)))
                    return false;
            }
            if (db.isFlagSet("rotation")) {
                double v[3];
                three("rotation", v);
                for (double& d : v)
                    d = MAngle::uiToInternal(d);
                if (relative) {
                    double now[3];
                    MTransformationMatrix::RotationOrder order;
                    fn.getRotation(now, order);
                    for (int k = 0; k < 3; ++k)
                        v[k] += now[k];
                }
                if (!fn.setRotation(v, fn.rotationOrder()))
                    return false;
            }
            if (db.isFlagSet("scale")) {
                double v[3];
                three("scale", v);
                if (!(relative ? fn.scaleBy(v) : fn.setScale(v)))
                    return false;
            }
            return true;
        });
    }
};

}  // namespace

void registerDagCommands() {
    define<ListRelativesCommand>("listRelatives", listRelativesSyntax);
    define<ParentCommand>("parent", parentSyntax);
    define<GroupCommand>("group", groupSyntax);
    define<DuplicateCommand>("duplicate", duplicateSyntax);
    define<InstanceCommand>("instance", instanceSyntax);
    define<XformCommand>("xform", xformSyntax);
}

}  // namespace commands
}  // namespace host
