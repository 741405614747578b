// MDGModifier and MDagModifier: queued scene edits with exact undo.
#include "graph/PlugAccess.h"
#include "graph/Scene.h"
#include "plugin/Messages.h"
#include "plugin/ScriptLog.h"
#include "script/Interpreter.h"
#include "undo/UndoQueue.h"

#include <maya/MDGModifier.h>
#include <maya/MDagModifier.h>

#include <algorithm>
#include <optional>
#include <variant>

namespace host {

struct ModifierOp {
    virtual ~ModifierOp() = default;
    virtual MStatus doIt(MDGModifier& owner) = 0;
    virtual MStatus undoIt() = 0;

    // Sends commands queued on the modifier to `target` (null: back to the
    // modifier's own list).
    static void redirect(MDGModifier& m, std::vector<std::unique_ptr<ModifierOp>>* target) {
        m.m_redirect = target;
    }
    static MStatus queueOn(MDGModifier& m, std::unique_ptr<ModifierOp> op) {
        return m.queue(std::move(op));
    }
};

namespace {

bool canConnect(const Attribute& src, const Attribute& dst) {
    using K = Attribute::Kind;
    if (!src.readable || !dst.writable || !src.connectable || !dst.connectable)
        return false;
    // Sets keep a DAG member by the instance's groups feeding a message
    // element; scene files write that link as a connection.
    if (dst.kind == K::Message && src.worldSpace && src.isCompound())
        return true;
    if (src.kind == K::Message || dst.kind == K::Message)
        return src.kind == dst.kind;
    if (src.kind == K::Generic || dst.kind == K::Generic)
        return true;
    bool srcNumber =
        (src.kind == K::Numeric && src.isLeaf()) || src.kind == K::Unit || src.kind == K::Enum;
    bool dstNumber =
        (dst.kind == K::Numeric && dst.isLeaf()) || dst.kind == K::Unit || dst.kind == K::Enum;
    if (srcNumber || dstNumber)
        return srcNumber && dstNumber;
    if (src.isCompound() || dst.isCompound())
        return src.children.size() == dst.children.size();
    if (src.kind == K::Typed && dst.kind == K::Typed)
        return src.dataType == dst.dataType || dst.dataType == MFnData::kInvalid;
    return src.kind == dst.kind;
}

struct CreateOp : ModifierOp {
    NodePtr node;
    Scene::Detached links;
    MStatus doIt(MDGModifier&) override {
        Scene::current().restoreNode(node, links);
        return MS::kSuccess;
    }
    MStatus undoIt() override {
        links = Scene::current().removeNode(*node);
        return MS::kSuccess;
    }
};

struct DeleteOp : ModifierOp {
    NodePtr node;
    bool notified = false;
    std::vector<std::unique_ptr<ModifierOp>> before;  // commands the callbacks queued
    std::vector<std::pair<NodePtr, Scene::Detached>> removed;

    // The node and the DAG nodes below it that have no parent outside,
    // deepest first, so every node's links are cut before its parent's.
    std::vector<NodePtr> victims() const {
        std::vector<NodePtr> order;
        std::vector<Node*> inSet{node.get()};
        std::function<void(Node*)> walk = [&](Node* n) {
            for (Node* c : n->children) {
                bool owned = std::all_of(c->parents.begin(), c->parents.end(), [&](Node* p) {
                    return std::find(inSet.begin(), inSet.end(), p) != inSet.end();
                });
                if (!owned)
                    continue;
                inSet.push_back(c);
                walk(c);
                order.push_back(Scene::current().share(c));
            }
        };
        walk(node.get());
        order.push_back(node);
        return order;
    }

    MStatus doIt(MDGModifier& owner) override;
    MStatus undoIt() override {
        Scene& scene = Scene::current();
        for (auto it = removed.rbegin(); it != removed.rend(); ++it)
            scene.restoreNode(it->first, it->second);
        removed.clear();
        for (auto it = before.rbegin(); it != before.rend(); ++it)
            it->get()->undoIt();
        return MS::kSuccess;
    }
};

struct RenameOp : ModifierOp {
    NodePtr node;
    std::string name, previous;
    MStatus doIt(MDGModifier&) override {
        if (!node->inScene || node->locked)
            return MS::kFailure;
        previous = node->name();
        Scene::current().rename(*node, name);
        return MS::kSuccess;
    }
    MStatus undoIt() override {
        Scene::current().rename(*node, previous);
        return MS::kSuccess;
    }
};

struct LockOp : ModifierOp {
    NodePtr node;
    bool state = false, previous = false;
    MStatus doIt(MDGModifier&) override {
        previous = node->locked;
        node->locked = state;
        Scene::current().touch();
        return MS::kSuccess;
    }
    MStatus undoIt() override {
        node->locked = previous;
        Scene::current().touch();
        return MS::kSuccess;
    }
};

// The leaf plugs at and below a resolved plug, arrays below it left out:
// their elements come and go with what feeds them.
void collectLeaves(const PlugRef& plug, std::vector<PlugRef>& leaves) {
    const Attribute& a = *plug.path.attribute;
    if (!isResolved(plug.path))
        return;
    if (a.isLeaf()) {
        leaves.push_back(plug);
        return;
    }
    for (const AttributePtr& child : a.children)
        collectLeaves(PlugRef{plug.node, PlugPath{child.get(), plug.path.indices}}, leaves);
}

PlugValue clonePlugValue(const PlugValue& from) {
    PlugValue copy;
    copy.value = cloneValue(from.value);
    for (const PlugValue& child : from.children)
        copy.children.push_back(clonePlugValue(child));
    for (const auto& element : from.elements)
        copy.elements[element.first] = clonePlugValue(element.second);
    return copy;
}

struct ConnectOp : ModifierOp {
    PlugRef source, destination;
    NodePtr keepSource, keepDestination;
    bool connect = true;
    // What the destination held beneath the connection before it was
    // broken, for the undo to put back.
    std::optional<PlugValue> beneath;

    MStatus doIt(MDGModifier&) override {
        if (!source.node->inScene || !destination.node->inScene)
            return MS::kFailure;
        return (connect ? Scene::current().connect(source, destination) : breakKeepingValue())
                   ? MS::kSuccess
                   : MS::kFailure;
    }
    MStatus undoIt() override {
        Scene& scene = Scene::current();
        if (connect)
            return scene.disconnect(source, destination) ? MS::kSuccess : MS::kFailure;
        if (!scene.connect(source, destination))
            return MS::kFailure;
        if (beneath)
            destination.node->storage(destination.path) = clonePlugValue(*beneath);
        else
            destination.node->eraseStorage(destination.path);
        return MS::kSuccess;
    }

    // A destination keeps the value it received when its connection is
    // broken, as the host does it.
    bool breakKeepingValue() {
        std::vector<PlugRef> leaves;
        collectLeaves(destination, leaves);
        std::vector<Value> received;
        for (const PlugRef& leaf : leaves)
            received.push_back(evaluate(leaf));
        const PlugValue* stored = destination.node->stored(destination.path);
        std::optional<PlugValue> before;
        if (stored)
            before = clonePlugValue(*stored);
        if (!Scene::current().disconnect(source, destination))
            return false;
        beneath = std::move(before);
        for (size_t i = 0; i < leaves.size(); ++i)
            if (!std::holds_alternative<std::monostate>(received[i]))
                destination.node->storage(leaves[i].path).value = std::move(received[i]);
        Scene::current().propagateDirty(*destination.node, destination.path.attribute);
        return true;
    }
};

struct AttributeOp : ModifierOp {
    NodePtr node;
    AttributePtr attribute;
    bool add = true;
    MStatus doIt(MDGModifier&) override { return add ? attach() : detach(); }
    MStatus undoIt() override {
        if (add)
            return detach();
        MStatus s = attach();
        return s ? restoreExtras() : s;
    }

    MStatus attach() {
        MFnDependencyNode fn(Scene::current().object(node.get()));
        return fn.addAttribute(toMObject(attribute));
    }
    MStatus detach() {
        // Removing takes the attribute's values and connections with it;
        // keep them so that putting it back restores them.
        saved.clear();
        for (const auto& in : node->inputs)
            if (below(in.first))
                saved.push_back({in.second, PlugRef{node.get(), in.first}});
        for (const auto& out : node->outputs)
            if (below(out.first))
                for (const auto& d : out.second)
                    saved.push_back({PlugRef{node.get(), out.first}, d});
        if (const PlugValue* pv = node->stored(PlugPath{attribute.get(), {}}))
            values = *pv;
        MFnDependencyNode fn(Scene::current().object(node.get()));
        return fn.removeAttribute(toMObject(attribute));
    }
    bool below(const PlugPath& p) const {
        for (const Attribute* a = p.attribute; a; a = a->parent)
            if (a == attribute.get())
                return true;
        return false;
    }
    MStatus restoreExtras() {
        node->storage(PlugPath{attribute.get(), {}}) = values;
        for (const auto& c : saved)
            Scene::current().connect(c.first, c.second);
        return MS::kSuccess;
    }
    std::vector<std::pair<PlugRef, PlugRef>> saved;
    PlugValue values;
};

struct CommandOp : ModifierOp {
    std::string command;
    bool executed = false;
    undo::EntryGroup entries;
    MStatus doIt(MDGModifier&) override {
        if (executed)
            return entries.redo() ? MS::kSuccess : MS::kFailure;
        bool ok;
        {
            undo::CaptureScope capture;
            ok = mel::Interpreter::instance().execute(command);
            entries = undo::EntryGroup(capture.take());
        }
        executed = true;
        return ok ? MS::kSuccess : MS::kFailure;
    }
    MStatus undoIt() override { return entries.undo() ? MS::kSuccess : MS::kFailure; }
};

struct ReparentOp : ModifierOp {
    NodePtr node;
    NodePtr parent;  // null: the world
    Node* previous = nullptr;
    int previousPosition = -1;
    MStatus doIt(MDGModifier&) override {
        Scene& scene = Scene::current();
        Node* target = parent ? parent.get() : &scene.world();
        if (!node->inScene || !target->inScene || !node->isDag() || !target->isDag())
            return MS::kFailure;
        if (scene.isAncestor(*node, *target))
            return MS::kFailure;
        previous = node->parents.empty() ? nullptr : node->parents[0];
        if (previous == target)
            return MS::kSuccess;
        if (previous) {
            auto& kids = previous->children;
            previousPosition = static_cast<int>(positionIn(kids, node.get()));
            scene.removeChild(*previous, *node);
        }
        if (!scene.addChild(*target, *node)) {
            if (previous)
                scene.addChild(*previous, *node, previousPosition);
            return MS::kFailure;
        }
        // The name must stay unique among the new siblings.
        scene.rename(*node, node->name());
        return MS::kSuccess;
    }
    MStatus undoIt() override {
        Scene& scene = Scene::current();
        Node* target = parent ? parent.get() : &scene.world();
        if (previous == target)
            return MS::kSuccess;
        scene.removeChild(*target, *node);
        if (previous)
            scene.addChild(*previous, *node, previousPosition);
        return MS::kSuccess;
    }
};

MStatus DeleteOp::doIt(MDGModifier& owner) {
    Scene& scene = Scene::current();
    if (!node->inScene)
        return MS::kFailure;
    if (node->isDefault || node.get() == &scene.world())
        return MS::kFailure;
    auto order = victims();
    if (!notified) {
        notified = true;
        for (const auto& v : order) {
            MObject object = scene.object(v.get());
            ModifierOp::redirect(owner, &before);
            messages::nodeAboutToDelete(object, owner);
            ModifierOp::redirect(owner, nullptr);
        }
    }
    for (auto& op : before)
        op->doIt(owner);
    for (const auto& v : order)
        if (v->inScene)
            removed.push_back({v, scene.removeNode(*v)});
    return MS::kSuccess;
}

}  // namespace
}  // namespace host

using host::ModifierOp;
using host::NodePtr;
using host::Scene;

namespace {
NodePtr sharedNode(const MObject& object) {
    auto node = host::ObjectAccess::sharedAs<host::Node>(object);
    return node && node->inScene ? node : nullptr;
}
}  // namespace

MDGModifier::MDGModifier() = default;
MDGModifier::~MDGModifier() = default;

MStatus MDGModifier::queue(std::unique_ptr<host::ModifierOp> op) {
    (m_redirect ? *m_redirect : m_ops).push_back(std::move(op));
    return MS::kSuccess;
}

MObject MDGModifier::makeNode(const MString& type, const MObject& parent, MStatus* ReturnStatus) {
    auto report = [&](MStatus s) {
        if (ReturnStatus)
            *ReturnStatus = s;
    };
    Scene& scene = Scene::current();
    host::NodeType* t = host::NodeTypeRegistry::instance().find(type.asChar());
    host::Node* p = host::nodeOf(parent);
    if (!t || t->abstract || (p && (!p->isDag() || !t->dag))) {
        report(MS::kInvalidParameter);
        return MObject();
    }
    // The node exists from now on, so that its MObject can be used before
    // doIt; it joins the scene when the modifier runs.
    NodePtr node = scene.createNode(*t, "", p);
    if (!node) {
        report(MS::kFailure);
        return MObject();
    }
    auto op = std::make_unique<host::CreateOp>();
    op->node = node;
    op->links = scene.removeNode(*node);
    queue(std::move(op));
    report(MS::kSuccess);
    return host::toMObject(node);
}

MObject MDGModifier::createNode(const MTypeId& typeId, MStatus* ReturnStatus) {
    host::NodeType* t = host::NodeTypeRegistry::instance().find(typeId);
    if (!t) {
        if (ReturnStatus)
            *ReturnStatus = MS::kInvalidParameter;
        return MObject();
    }
    return createNode(MString(t->name.c_str()), ReturnStatus);
}

MObject MDGModifier::createNode(const MString& type, MStatus* ReturnStatus) {
    host::NodeType* t = host::NodeTypeRegistry::instance().find(type.asChar());
    // The DG modifier makes dependency nodes; DAG nodes need MDagModifier.
    if (t && t->dag) {
        if (ReturnStatus)
            *ReturnStatus = MS::kInvalidParameter;
        return MObject();
    }
    return makeNode(type, MObject(), ReturnStatus);
}

MStatus MDGModifier::deleteNode(const MObject& node) {
    NodePtr n = sharedNode(node);
    if (!n)
        return MS::kInvalidParameter;
    auto op = std::make_unique<host::DeleteOp>();
    op->node = n;
    return queue(std::move(op));
}

MStatus MDGModifier::renameNode(const MObject& node, const MString& newName) {
    NodePtr n = sharedNode(node);
    if (!n || newName.length() == 0)
        return MS::kInvalidParameter;
    auto op = std::make_unique<host::RenameOp>();
    op->node = n;
    op->name = newName.asChar();
    return queue(std::move(op));
}

MStatus MDGModifier::setNodeLockState(const MObject& node, bool newState) {
    NodePtr n = sharedNode(node);
    if (!n)
        return MS::kInvalidParameter;
    auto op = std::make_unique<host::LockOp>();
    op->node = n;
    op->state = newState;
    return queue(std::move(op));
}

namespace {
MStatus queueConnection(MDGModifier& m, const MPlug& source, const MPlug& dest, bool connect) {
    host::PlugRef s = host::PlugAccess::ref(source);
    host::PlugRef d = host::PlugAccess::ref(dest);
    if (!s.node || !d.node || !s.node->inScene || !d.node->inScene)
        return MS::kInvalidParameter;
    if (!host::isResolved(s.path) || !host::isResolved(d.path))
        return MS::kInvalidParameter;
    if (connect && !host::canConnect(*s.path.attribute, *d.path.attribute))
        return MS::kInvalidParameter;
    auto op = std::make_unique<host::ConnectOp>();
    op->source = s;
    op->destination = d;
    op->keepSource = Scene::current().share(s.node);
    op->keepDestination = Scene::current().share(d.node);
    op->connect = connect;
    return ModifierOp::queueOn(m, std::move(op));
}
}  // namespace

MStatus MDGModifier::connect(const MPlug& source, const MPlug& dest) {
    return queueConnection(*this, source, dest, true);
}

MStatus MDGModifier::disconnect(const MPlug& source, const MPlug& dest) {
    return queueConnection(*this, source, dest, false);
}

MStatus MDGModifier::connect(const MObject& sourceNode, const MObject& sourceAttr,
                             const MObject& destNode, const MObject& destAttr) {
    return connect(MPlug(sourceNode, sourceAttr), MPlug(destNode, destAttr));
}

MStatus MDGModifier::disconnect(const MObject& sourceNode, const MObject& sourceAttr,
                                const MObject& destNode, const MObject& destAttr) {
    return disconnect(MPlug(sourceNode, sourceAttr), MPlug(destNode, destAttr));
}

namespace {
MStatus queueAttribute(MDGModifier& m, const MObject& node, const MObject& attribute, bool add) {
    NodePtr n = sharedNode(node);
    auto a = host::ObjectAccess::sharedAs<host::Attribute>(attribute);
    if (!n || !a)
        return MS::kInvalidParameter;
    auto op = std::make_unique<host::AttributeOp>();
    op->node = n;
    op->attribute = a;
    op->add = add;
    return ModifierOp::queueOn(m, std::move(op));
}
}  // namespace

MStatus MDGModifier::addAttribute(const MObject& node, const MObject& attribute,
                                  MFnDependencyNode::MAttrClass) {
    return queueAttribute(*this, node, attribute, true);
}

MStatus MDGModifier::removeAttribute(const MObject& node, const MObject& attribute,
                                     MFnDependencyNode::MAttrClass) {
    return queueAttribute(*this, node, attribute, false);
}

MStatus MDGModifier::commandToExecute(const MString& command) {
    host::scriptLog::record("commandToExecute", command.asChar());
    if (command.length() == 0)
        return MS::kInvalidParameter;
    auto op = std::make_unique<host::CommandOp>();
    op->command = command.asChar();
    return queue(std::move(op));
}

MStatus MDGModifier::doIt() {
    // Operations may queue more operations while they run (callbacks of a
    // deletion), so the list is walked by index.
    while (m_done < m_ops.size()) {
        MStatus s = m_ops[m_done]->doIt(*this);
        if (!s)
            return s;
        ++m_done;
    }
    return MS::kSuccess;
}

MStatus MDGModifier::undoIt() {
    MStatus result = MS::kSuccess;
    while (m_done > 0) {
        MStatus s = m_ops[m_done - 1]->undoIt();
        if (!s)
            result = s;
        --m_done;
    }
    return result;
}

// ---------------------------------------------------------------- MDagModifier

MDagModifier::MDagModifier() = default;
MDagModifier::~MDagModifier() = default;

MObject MDagModifier::createNode(const MTypeId& typeId, const MObject& parent,
                                 MStatus* ReturnStatus) {
    host::NodeType* t = host::NodeTypeRegistry::instance().find(typeId);
    if (!t) {
        if (ReturnStatus)
            *ReturnStatus = MS::kInvalidParameter;
        return MObject();
    }
    return createNode(MString(t->name.c_str()), parent, ReturnStatus);
}

MObject MDagModifier::createNode(const MString& type, const MObject& parent,
                                 MStatus* ReturnStatus) {
    host::NodeType* t = host::NodeTypeRegistry::instance().find(type.asChar());
    if (!t || !t->dag) {
        if (ReturnStatus)
            *ReturnStatus = MS::kInvalidParameter;
        return MObject();
    }
    // A shape made without a parent gets a transform of its own, as the
    // host does.
    if (t->shape && parent.isNull()) {
        MStatus s;
        MObject transform = makeNode("transform", MObject(), &s);
        if (!s) {
            if (ReturnStatus)
                *ReturnStatus = s;
            return MObject();
        }
        return makeNode(type, transform, ReturnStatus);
    }
    return makeNode(type, parent, ReturnStatus);
}

MStatus MDagModifier::reparentNode(const MObject& node, const MObject& newParent) {
    NodePtr n = sharedNode(node);
    if (!n || !n->isDag())
        return MS::kInvalidParameter;
    NodePtr p;
    if (!newParent.isNull()) {
        p = sharedNode(newParent);
        if (!p || !p->isDag())
            return MS::kInvalidParameter;
    }
    auto op = std::make_unique<host::ReparentOp>();
    op->node = n;
    op->parent = p;
    return queue(std::move(op));
}
