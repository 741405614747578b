#ifndef HOST_GRAPH_SCENE_H
#define HOST_GRAPH_SCENE_H

#include "graph/NameIndex.h"
#include "graph/Node.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {

// Where `node` sits in a list of parents or children, or the list's size
// when it is not there. Searched from both ends: the world's children of a
// big scene are many, and the node moved or deleted is most often one of
// the first or the last made.
template <class List>
size_t positionIn(const List& list, const Node* node) {
    for (size_t front = 0, back = list.size(); front < back; ++front) {
        if (list[front] == node)
            return front;
        if (list[--back] == node)
            return back;
    }
    return list.size();
}

// The dependency graph of the current scene.
class Scene {
public:
    static Scene& current();

    Node& world() const { return *m_world; }
    NodePtr share(Node* node) const;
    MObject object(Node* node) const;

    // Makes a node of the type with a free name close to the one asked for
    // (the type's name with a number when empty); DAG nodes go under parent
    // (the world when null). Returns null for unknown or abstract types.
    NodePtr createNode(const std::string& typeName, const std::string& name = "",
                       Node* parent = nullptr);
    NodePtr createNode(NodeType& type, const std::string& name = "", Node* parent = nullptr);
    // What removing a node cut, so that putting it back restores it.
    struct Detached {
        std::vector<std::pair<PlugRef, PlugRef>> connections;  // source, destination
        std::vector<std::pair<Node*, Node*>> dagLinks;         // parent, child
        std::vector<int> dagPositions;                         // child's place under parent
        std::vector<int> parentPositions;  // parent's place among the child's parents
    };
    // Takes a node out of the scene, cutting its connections and DAG links.
    Detached removeNode(Node& node);
    // Puts a removed node back under its name (renamed if that is taken now).
    void restoreNode(const NodePtr& node, const Detached& links);

    // Renames to a free name close to the one asked for ("#" is numbered);
    // returns the name given.
    std::string rename(Node& node, const std::string& requested);
    std::string uniqueName(const std::string& requested, const Node* node,
                           const Node* parent) const;

    const NameIndex& names() const { return m_names; }
    // The nodes holding the name, valid until a node is named or renamed.
    const std::vector<Node*>& nodesNamed(const std::string& shortName) const;
    std::vector<Node*> allNodes() const;  // in creation order
    size_t nodeCount() const { return m_nodeCount; }

    // --- DAG
    // The positions are the child's place under the parent and the parent's
    // among the child's parents (its instance number); -1 is the end.
    bool addChild(Node& parent, Node& child, int position = -1, int parentPosition = -1);
    bool removeChild(Node& parent, Node& child);
    bool isAncestor(const Node& ancestor, const Node& node) const;

    // --- connections
    bool connect(const PlugRef& source, const PlugRef& destination);
    bool disconnect(const PlugRef& source, const PlugRef& destination);
    const PlugRef* sourceOf(const PlugRef& destination) const;

    // --- evaluation
    // Marks everything that depends on the plug as needing evaluation.
    void propagateDirty(Node& node, const Attribute* attribute);
    // The nodes of types that follow the clock that are not quiet, in
    // creation order: all of them a change of time must reach. A bake
    // leaves hundreds of thousands of curves with nothing stale to make,
    // and looking at each of them once a frame is what made a long bake
    // slower per copy. Invalidated by the next change to the scene's nodes.
    const std::vector<Node*>& wakefulClockFollowers();

    // Empties the scene (new scene): every node but the world and the
    // default nodes is removed.
    void clear();
    // Called by every change that a saved file would see.
    void touch() { ++m_revision; }
    unsigned long revision() const { return m_revision; }

    // How many DAG paths lead to the node from the world. Counts are kept
    // between calls; links set by hand rather than by addChild/removeChild
    // must call forgetPathCounts.
    size_t pathCount(const Node& node) const;
    void forgetPathCounts() { ++m_pathCountEpoch; }

private:
    friend class NodeFilter;
    friend class Node;
    Scene();
    void registerName(Node& node);
    void unregisterName(Node& node);
    // Marks the counts below `node` stale; stops where they already are,
    // since a count is only ever worked out after its parents'.
    void forgetPathCountsBelow(Node& node);
    class PlugsReached;
    void dirtyDownstream(Node& node, const Attribute* attribute, PlugsReached& reached);

    NodePtr m_world;
    std::vector<NodePtr> m_order;
    size_t m_nodeCount = 0;
    size_t m_removedInOrder = 0;
    unsigned long m_removals = 0;  // ever, so that a NodeFilter knows when to start over
    NameIndex m_names;
    unsigned long m_revision = 0;
    unsigned long m_pathCountEpoch = 1;
    // How many plugs the last change that reached many of them reached.
    size_t m_plugsLastReached = 0;
    // Clock followers that were made, put back or stirred since
    // wakefulClockFollowers last looked; valid while no node is removed.
    void followerWoke(Node& node) { m_wokenFollowers.push_back(&node); }
    std::vector<Node*> m_wokenFollowers;
    std::vector<Node*> m_wakefulFollowers;
    unsigned long m_followersRemovals = ~0ul;  // m_removals when it was made
};

// The nodes of the current scene that pass a test whose answer never changes
// for a node (its type, say), in creation order. Asked again, it looks only
// at the nodes made since, unless one was removed meanwhile: finding a few
// nodes once a frame among hundreds of thousands must not walk them all.
class NodeFilter {
public:
    explicit NodeFilter(bool (*keep)(const Node&)) : m_keep(keep) {}
    // Invalidated by the next change to the scene's nodes.
    const std::vector<Node*>& nodes();

private:
    bool (*m_keep)(const Node&);
    std::vector<Node*> m_nodes;
    size_t m_seen = 0;  // how much of the creation order was looked at
    unsigned long m_removals = ~0ul;
};

}  // namespace host

#endif
