#include "graph/NodeType.h"

#include <maya/MPxNode.h>

#include <algorithm>

namespace host {

Attribute* NodeType::findAttribute(const std::string& name) const {
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : it->second;
}

bool NodeType::isA(const std::string& typeName) const {
    for (const NodeType* t = this; t; t = t->parent)
        if (t->name == typeName)
            return true;
    return false;
}

bool NodeType::hasFn(MFn::Type type) const {
    if (type == MFn::kDependencyNode)
        return true;
    for (const NodeType* t = this; t; t = t->parent)
        if (t->apiType == type)
            return true;
    if (type == MFn::kDagNode)
        return dag;
    if (type == MFn::kShape)
        return shape;
    return false;
}

void NodeType::index(Attribute* attribute) {
    m_byName.emplace(attribute->longName, attribute);
    if (!attribute->shortName.empty())
        m_byName.emplace(attribute->shortName, attribute);
    for (auto& c : attribute->children)
        index(c.get());
}

MStatus NodeType::addAttribute(const AttributePtr& attribute) {
    if (!attribute || attribute->parent)
        return MS::kInvalidParameter;
    if (findAttribute(attribute->longName) ||
        (!attribute->shortName.empty() && findAttribute(attribute->shortName)))
        return MS::kFailure;
    m_attributes.push_back(attribute);
    index(attribute.get());
    return MS::kSuccess;
}

void NodeType::inheritFrom(const NodeType& base) {
    parent = &base;
    dag = dag || base.dag;
    shape = shape || base.shape;
    for (const auto& a : base.m_attributes) {
        m_attributes.push_back(a);
        index(a.get());
    }
}

NodeTypeRegistry& NodeTypeRegistry::instance() {
    static NodeTypeRegistry registry;
    return registry;
}

NodeType* NodeTypeRegistry::find(const std::string& name) const {
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : it->second;
}

NodeType* NodeTypeRegistry::find(const MTypeId& id) const {
    for (const auto& t : m_types)
        if (t->typeId == id && t->typeId.id() != 0 && !t->retired)
            return t.get();
    return nullptr;
}

NodeType& NodeTypeRegistry::addBuiltin(const std::string& name, const std::string& parentName,
                                       MFn::Type apiType, unsigned typeId) {
    auto type = std::make_unique<NodeType>();
    type->name = name;
    type->apiType = apiType;
    type->typeId = MTypeId(typeId);
    if (!parentName.empty())
        if (NodeType* base = find(parentName))
            type->inheritFrom(*base);
    NodeType& ref = *type;
    m_byName[name] = type.get();
    m_types.push_back(std::move(type));
    return ref;
}

MStatus NodeTypeRegistry::registerPluginType(const MString& name, const MTypeId& id,
                                             MCreatorFunction creator,
                                             MInitializeFunction initialize, MPxNode::Type pxType,
                                             const MString* classification,
                                             const std::string& pluginName) {
    std::string typeName = name.asChar();
    if (typeName.empty() || !creator || find(typeName) || find(id))
        return MS::kFailure;
    const char* baseName = "dependNode";
    MFn::Type apiType = MFn::kPluginDependNode;
    switch (pxType) {
        case MPxNode::kObjectSet:
            baseName = "objectSet";
            apiType = MFn::kPluginObjectSet;
            break;
        case MPxNode::kLocatorNode:
            baseName = "locator";
            apiType = MFn::kPluginLocatorNode;
            break;
        case MPxNode::kTransformNode:
            baseName = "transform";
            apiType = MFn::kPluginTransformNode;
            break;
        case MPxNode::kDependNode:
            break;
        default:
            return MS::kNotImplemented;
    }
    auto type = std::make_unique<NodeType>();
    type->name = typeName;
    type->typeId = id;
    type->apiType = apiType;
    type->pxType = pxType;
    type->pluginName = pluginName;
    if (classification)
        type->classification = classification->asChar();
    if (NodeType* base = find(baseName))
        type->inheritFrom(*base);
    type->creator = [creator]() { return static_cast<MPxNode*>(creator()); };
    NodeType* raw = type.get();
    m_types.push_back(std::move(type));
    m_byName[typeName] = raw;
    MStatus status = MS::kSuccess;
    if (initialize) {
        m_initializing = raw;
        status = initialize();
        m_initializing = nullptr;
    }
    if (!status) {
        m_byName.erase(typeName);
        m_types.pop_back();
        return status;
    }
    return MS::kSuccess;
}

MStatus NodeTypeRegistry::deregisterPluginType(const MTypeId& id) {
    NodeType* type = find(id);
    if (!type || type->pluginName.empty())
        return MS::kFailure;
    m_byName.erase(type->name);
    // Nodes of the type may still be referred to (the scene keeps them as
    // unknown nodes, undo entries hold them), so the type object stays.
    type->creator = nullptr;
    type->abstract = true;
    type->retired = true;
    return MS::kSuccess;
}

std::vector<const NodeType*> NodeTypeRegistry::types() const {
    std::vector<const NodeType*> all;
    for (const auto& t : m_types)
        if (m_byName.count(t->name) && m_byName.at(t->name) == t.get())
            all.push_back(t.get());
    return all;
}

}  // namespace host
