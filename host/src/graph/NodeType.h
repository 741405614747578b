#ifndef HOST_GRAPH_NODETYPE_H
#define HOST_GRAPH_NODETYPE_H

#include "graph/Attribute.h"
#include "graph/Plug.h"

#include <maya/MFn.h>
#include <maya/MPxNode.h>
#include <maya/MTypeId.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {

class Node;

// A node type: its attributes (own and inherited), what it is for the API,
// and how its nodes behave.
class NodeType {
public:
    // Host-side evaluation of an output plug of a built-in type. Returns
    // false when the type does not compute that plug.
    using Compute = std::function<bool(Node& node, const PlugPath& plug)>;
    // Behaviour object of each new node (plug-in types and built-in types
    // written as MPxNode subclasses).
    using Creator = std::function<MPxNode*()>;
    using Hook = std::function<void(Node& node)>;

    std::string name;
    MTypeId typeId;
    MFn::Type apiType = MFn::kDependencyNode;
    const NodeType* parent = nullptr;
    bool dag = false;
    bool shape = false;
    bool abstract = false;
    bool retired = false;  // a plug-in type whose plug-in deregistered it
    // Its nodes follow the scene's clock when nothing feeds their input
    // (time curves); the scene keeps those that are not quiet at hand.
    bool followsClock = false;
    std::string pluginName;  // empty for built-in types
    std::string classification;
    MPxNode::Type pxType = MPxNode::kDependNode;
    Creator creator;
    // Both run for the type and its base types: compute tries the type's own
    // first, onCreate runs the base types' first.
    Compute compute;
    Hook onCreate;  // after the node's attributes exist (before postConstructor)

    // Every attribute of the type's nodes, inherited first, in creation order
    // of the top-level attributes.
    const std::vector<AttributePtr>& attributes() const { return m_attributes; }
    Attribute* findAttribute(const std::string& name) const;
    bool isA(const std::string& typeName) const;
    bool hasFn(MFn::Type type) const;

    // Adds a top-level attribute (with its children) to the type.
    MStatus addAttribute(const AttributePtr& attribute);
    void inheritFrom(const NodeType& base);

private:
    void index(Attribute* attribute);
    std::vector<AttributePtr> m_attributes;
    std::unordered_map<std::string, Attribute*> m_byName;
};

class NodeTypeRegistry {
public:
    static NodeTypeRegistry& instance();

    NodeType* find(const std::string& name) const;
    NodeType* find(const MTypeId& id) const;
    // Built-in types are registered by the host at start-up.
    NodeType& addBuiltin(const std::string& name, const std::string& parent, MFn::Type apiType,
                         unsigned typeId = 0);
    MStatus registerPluginType(const MString& name, const MTypeId& id, MCreatorFunction creator,
                               MInitializeFunction initialize, MPxNode::Type type,
                               const MString* classification, const std::string& pluginName);
    MStatus deregisterPluginType(const MTypeId& id);
    std::vector<const NodeType*> types() const;

    // The type whose initialize function is running (MPxNode::addAttribute
    // adds to it).
    NodeType* initializing() const { return m_initializing; }

private:
    std::vector<std::unique_ptr<NodeType>> m_types;
    std::unordered_map<std::string, NodeType*> m_byName;
    NodeType* m_initializing = nullptr;
};

}  // namespace host

#endif
