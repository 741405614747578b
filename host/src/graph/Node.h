#ifndef HOST_GRAPH_NODE_H
#define HOST_GRAPH_NODE_H

#include "graph/Attribute.h"
#include "graph/NodeList.h"
#include "graph/NodeType.h"
#include "graph/Object.h"
#include "graph/Plug.h"
#include "graph/PlugMap.h"
#include "graph/Value.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

class MPxNode;

namespace host {

// A dependency node. Nodes are owned by the scene while they are part of it
// and by whatever still refers to them (MObjects, undo entries) after.
class Node final : public Object {
public:
    // How the owner of stored values kept elsewhere writes them (see
    // deferStorage).
    using DeferredWrite = void (*)(Node& node, const std::shared_ptr<void>& derived, size_t from);

private:
    // Read for every node a change passes and for every key a bake adds,
    // so declared first, to share the object's first cache lines: a long
    // bake's curves outgrow the caches, and each line apart is a wait.
    NodeType* m_type;
    // In the scene's creation order, while in the scene. Narrow, to share
    // eight bytes with m_quiet: a bake makes hundreds of thousands of nodes,
    // and four billion would take terabytes.
    std::uint32_t m_orderPosition = 0;
    // Whether a change reaching the node can be passed by: it keeps no
    // computed value and no held plug, and neither does any node its
    // outputs lead to. The scene's dirty propagation sets it where it finds
    // so; keeping something, or a new output, clears it here and upstream.
    // A change of time reaches every curve of a bake, and only the few read
    // since the last change need the walk.
    bool m_quiet = false;
    // Stamps from one counter for all nodes, so a stamp is never reused.
    unsigned long m_storageRevision = 0;
    unsigned long m_derivedRevision = 0;
    std::shared_ptr<void> m_derived;
    // What deferStorage left to write (only a curve's keys ever are). Kept
    // in the node, not beside it: a bake defers a write for every key.
    struct Deferral {
        DeferredWrite write = nullptr;  // null when nothing waits
        std::shared_ptr<void> data;
        size_t from = 0;
        const std::vector<const Attribute*>* roots = nullptr;
    };
    mutable Deferral m_deferral;
    // Stored value trees by top-level attribute, sorted by attribute. A node
    // keeps a handful, and each tree has an allocation of its own, so that
    // one handed out by storage() outlives another being made. A compound's
    // tree shares it with room for its children.
    struct FreeTree {
        void operator()(PlugValue* tree) const;
    };
    using Tree = std::unique_ptr<PlugValue, FreeTree>;
    static Tree makeTree(const Attribute& root);
    using Values = std::vector<std::pair<const Attribute*, Tree>>;
    Values m_values;

public:
    explicit Node(NodeType& type);
    ~Node() override;

    MFn::Type apiType() const override;
    bool hasFn(MFn::Type type) const override;

    NodeType& type() const { return *m_type; }
    const std::string& name() const { return m_name; }
    MPxNode* user() const { return m_user.get(); }
    void setUser(MPxNode* user);

    bool inScene = false;  // false before it is added and after deletion
    bool shared = false;
    bool locked = false;
    bool isDefault = false;  // a node the host makes with every scene

    // --- attributes
    Attribute* findAttribute(const std::string& name) const;
    // Top-level attributes: the type's, then the dynamic ones.
    std::vector<Attribute*> attributes() const;
    const std::vector<AttributePtr>& dynamicAttributes() const;
    bool addDynamicAttribute(const AttributePtr& attribute);
    bool removeDynamicAttribute(Attribute* attribute);
    bool isDynamic(const Attribute* attribute) const;

    // --- stored values
    // The stored value tree of a plug, or null when nothing is stored.
    const PlugValue* stored(const PlugPath& path) const;
    // The stored value tree of a plug, created on demand.
    PlugValue& storage(const PlugPath& path);
    void eraseStorage(const PlugPath& path);
    // Calls visit(attribute, tree) for each top-level attribute that holds
    // a stored value tree, in no order callers may rely on.
    template <class Visit>
    void visitStored(Visit&& visit) const {
        writeDeferred(nullptr);
        for (const auto& [attribute, tree] : m_values)
            visit(*attribute, *tree);
    }
    // How many top-level attributes hold a stored value tree.
    size_t storedCount() const {
        writeDeferred(nullptr);
        return m_values.size();
    }
    // Room for `count` top-level stored value trees in all.
    void reserveStorage(size_t count) { m_values.reserve(count); }
    // Logical indices of the existing elements of an array plug: stored ones
    // and connected ones.
    std::vector<unsigned> elementIndices(const PlugPath& arrayPath) const;

    // Something the host decodes from the node's stored values (a curve's
    // keys), kept until one of them changes: null when none was kept or
    // it is stale. Computed values do not count: they follow the inputs.
    template <class T>
    std::shared_ptr<T> derived() const {
        return m_derivedRevision == m_storageRevision ? std::static_pointer_cast<T>(m_derived)
                                                      : nullptr;
    }
    // derived() without a share of it, valid while the node keeps it. A
    // bake asks for every key, and an atomic count waits for every memory
    // read before it, where the reads of a key could overlap.
    template <class T>
    T* derivedPointer() const {
        return m_derivedRevision == m_storageRevision ? static_cast<T*>(m_derived.get()) : nullptr;
    }
    void setDerived(std::shared_ptr<void> value) {
        m_derived = std::move(value);
        m_derivedRevision = m_storageRevision;
    }
    // Stored values of the top-level attributes `roots` that the node keeps
    // as its derived value for a while (a curve's keys, added one at a time
    // while a bake keys thousands of curves that nothing reads as plugs),
    // written with `write(node, derived, from)`, from entry `from` on,
    // before anything reads or changes the values of those attributes. A
    // deferral made while another waits replaces it and keeps the lower
    // `from`. The node keeps `roots` by reference: they are a type's
    // attributes, which outlive its nodes.
    void deferStorage(const std::vector<const Attribute*>& roots, size_t from, DeferredWrite write);

    // --- connections (destination plug -> its one source; source -> many)
    using Inputs = PlugMap<PlugRef>;
    using Outputs = PlugMap<std::vector<PlugRef>>;
    Inputs inputs;
    Outputs outputs;

    // --- evaluation
    // Computed plugs whose stored value is up to date; everything else that
    // the node computes is evaluated again when read.
    bool isClean(const PlugPath& path) const {
        return m_evaluation && m_evaluation->clean.count(path) != 0;
    }
    void markClean(const PlugPath& path);
    // Forgets the computed values of the attribute and everything below it.
    void invalidate(const Attribute* attribute);
    // Keyed plugs a command has set: they show the value set, not their
    // curve's, until the curve's output changes (the clock moves, a key is
    // edited), as a user sees when placing an animated object before keying.
    bool isHeld(const PlugPath& path) const {
        return m_evaluation && m_evaluation->held.count(path) != 0;
    }
    void hold(const PlugPath& path);
    // Whether a change reaching the node has nothing to make stale, here or
    // downstream (see m_quiet).
    bool isQuiet() const { return m_quiet; }

    // --- DAG relations
    std::vector<Node*> parents;
    NodeList children;
    // How many DAG paths lead here, valid while the scene's path-count epoch
    // is the one recorded (see Scene::pathCount). A shape shared by
    // thousands of instances is asked for it on every copy made of it.
    mutable size_t pathCountCache = 0;
    mutable unsigned long pathCountEpoch = 0;
    bool isDag() const { return m_type->dag; }

    // Locked plugs (by path), as setAttr -lock leaves them.
    PlugSet lockedPlugs;
    PlugSet keyablePlugs;  // per-plug keyable overrides
    PlugSet nonKeyablePlugs;

    // A node a file made of a type nobody registered: the type's name and
    // the file's own lines for the node, written back as they were read.
    struct Kept {
        std::string type;
        std::vector<std::string> lines;
    };
    std::unique_ptr<Kept> kept;

private:
    friend class Scene;
    // What isClean and isHeld answer from. Most nodes of a big scene (a
    // bake's copies and curves) never keep either, so the sets are made
    // when the first plug is.
    struct Evaluation {
        std::set<PlugPath> clean;
        std::set<PlugPath> held;
    };
    std::unique_ptr<Evaluation> m_evaluation;
    Evaluation& evaluation();
    void stir();
    std::string m_name;
    std::unique_ptr<MPxNode> m_user;
    // Made with the first dynamic attribute: most nodes have none.
    std::unique_ptr<std::vector<AttributePtr>> m_dynamic;
    void storedValuesChange(const Attribute* attribute);
    // Writes what waits, when `touched` (any attribute of the node, or null
    // for all of them) is one of the deferred ones.
    void writeDeferred(const Attribute* touched) const;
};

using NodePtr = std::shared_ptr<Node>;

inline Node* nodeOf(const MObject& object) {
    // Nothing derives from Node, so its exact type answers; a function set
    // is attached to a node for each key a bake makes, and a full cast
    // costs several times more.
    Object* o = ObjectAccess::get(object);
    return o && typeid(*o) == typeid(Node) ? static_cast<Node*>(o) : nullptr;
}

// Access to the node behind an MPxNode.
struct NodeAccess {
    static Node* node(const MPxNode& px);
    static void bind(MPxNode& px, Node* node);
};

}  // namespace host

#endif
