#include "graph/Node.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MObjectArray.h>
#include <maya/MPlugArray.h>

#include <functional>

using host::Attribute;
using host::Node;

namespace {
void setStatus(MStatus* s, MS::MStatusCode code) {
    if (s)
        *s = code;
}
}  // namespace

MFnDependencyNode::MFnDependencyNode() = default;
MFnDependencyNode::MFnDependencyNode(MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}
MFnDependencyNode::MFnDependencyNode(const MObject& object, MStatus* ReturnStatus) {
    MStatus s = attach(object);
    if (ReturnStatus)
        *ReturnStatus = s;
}

MFn::Type MFnDependencyNode::type() const {
    return MFn::kDependencyNode;
}
const char* MFnDependencyNode::className() const {
    return "MFnDependencyNode";
}
bool MFnDependencyNode::acceptsObject(const MObject& object) const {
    return object.hasFn(MFn::kDependencyNode) && host::nodeOf(object);
}

namespace {
Node* nodeIn(const MObject& object, MStatus* ReturnStatus) {
    Node* n = host::nodeOf(object);
    setStatus(ReturnStatus, n ? MS::kSuccess : MS::kFailure);
    return n;
}
}  // namespace

MObject MFnDependencyNode::create(const MTypeId& typeId, MStatus* ReturnStatus) {
    return create(typeId, MString(), ReturnStatus);
}

MObject MFnDependencyNode::create(const MTypeId& typeId, const MString& name,
                                  MStatus* ReturnStatus) {
    host::NodeType* type = host::NodeTypeRegistry::instance().find(typeId);
    if (!type) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    return create(MString(type->name.c_str()), name, ReturnStatus);
}

MObject MFnDependencyNode::create(const MString& type, MStatus* ReturnStatus) {
    return create(type, MString(), ReturnStatus);
}

MObject MFnDependencyNode::create(const MString& type, const MString& name, MStatus* ReturnStatus) {
    host::NodeType* t = host::NodeTypeRegistry::instance().find(type.asChar());
    // DAG nodes are made through MFnDagNode, which knows the parent.
    if (!t || t->abstract || t->dag) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    host::NodePtr node = host::Scene::current().createNode(*t, name.asChar());
    if (!node) {
        setStatus(ReturnStatus, MS::kFailure);
        return MObject();
    }
    m_object = host::toMObject(node);
    setStatus(ReturnStatus, MS::kSuccess);
    return m_object;
}

MTypeId MFnDependencyNode::typeId(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n ? n->type().typeId : MTypeId();
}

MString MFnDependencyNode::typeName(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n ? MString(n->type().name.c_str()) : MString();
}

MString MFnDependencyNode::name(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n ? MString(n->name().c_str()) : MString();
}

MString MFnDependencyNode::pluginName(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n ? MString(n->type().pluginName.c_str()) : MString();
}

MString MFnDependencyNode::setName(const MString& name, MStatus* ReturnStatus) {
    Node* n = nodeIn(m_object, ReturnStatus);
    if (!n)
        return MString();
    if (n->locked || !n->inScene || name.length() == 0) {
        setStatus(ReturnStatus, MS::kFailure);
        return MString(n->name().c_str());
    }
    return MString(host::Scene::current().rename(*n, name.asChar()).c_str());
}

bool MFnDependencyNode::isShared(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n && n->shared;
}

bool MFnDependencyNode::isDefaultNode(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n && n->isDefault;
}

bool MFnDependencyNode::isFromReferencedFile(MStatus* ReturnStatus) const {
    nodeIn(m_object, ReturnStatus);
    return false;
}

bool MFnDependencyNode::isLocked(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n && n->locked;
}

MStatus MFnDependencyNode::setLocked(bool locked) {
    Node* n = host::nodeOf(m_object);
    if (!n)
        return MS::kFailure;
    n->locked = locked;
    host::Scene::current().touch();
    return MS::kSuccess;
}

bool MFnDependencyNode::hasUniqueName(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n && host::Scene::current().nodesNamed(n->name()).size() == 1;
}

unsigned int MFnDependencyNode::attributeCount(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    if (!n)
        return 0;
    // Every attribute counts, children of compounds included, as the host
    // numbers them.
    unsigned count = 0;
    std::function<void(const Attribute&)> add = [&](const Attribute& a) {
        ++count;
        for (const auto& c : a.children)
            add(*c);
    };
    for (Attribute* a : n->attributes())
        add(*a);
    return count;
}

namespace {
Attribute* attributeAt(const Node& n, unsigned index) {
    unsigned at = 0;
    Attribute* found = nullptr;
    std::function<bool(Attribute&)> walk = [&](Attribute& a) {
        if (at++ == index) {
            found = &a;
            return true;
        }
        for (auto& c : a.children)
            if (walk(*c))
                return true;
        return false;
    };
    for (Attribute* a : n.attributes())
        if (walk(*a))
            break;
    return found;
}
MObject attributeObject(Attribute* a) {
    return a ? host::toMObject(std::static_pointer_cast<Attribute>(a->shared_from_this()))
             : MObject();
}
}  // namespace

MObject MFnDependencyNode::attribute(unsigned int index, MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    if (!n)
        return MObject();
    Attribute* a = attributeAt(*n, index);
    setStatus(ReturnStatus, a ? MS::kSuccess : MS::kInvalidParameter);
    return attributeObject(a);
}

MObject MFnDependencyNode::reorderedAttribute(unsigned int index, MStatus* ReturnStatus) const {
    return attribute(index, ReturnStatus);
}

MObject MFnDependencyNode::attribute(const MString& attrName, MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    if (!n)
        return MObject();
    Attribute* a = n->findAttribute(attrName.asChar());
    setStatus(ReturnStatus, a ? MS::kSuccess : MS::kInvalidParameter);
    return attributeObject(a);
}

bool MFnDependencyNode::hasAttribute(const MString& name, MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n && n->findAttribute(name.asChar());
}

MStatus MFnDependencyNode::addAttribute(const MObject& attr, MAttrClass) {
    Node* n = host::nodeOf(m_object);
    auto a = host::ObjectAccess::sharedAs<Attribute>(attr);
    if (!n || !a)
        return MS::kInvalidParameter;
    if (n->locked)
        return MS::kFailure;
    if (!n->addDynamicAttribute(a))
        return MS::kFailure;
    host::Scene::current().touch();
    return MS::kSuccess;
}

MStatus MFnDependencyNode::removeAttribute(const MObject& attr, MAttrClass) {
    Node* n = host::nodeOf(m_object);
    Attribute* a = host::attributeOf(attr);
    if (!n || !a)
        return MS::kInvalidParameter;
    if (n->locked || !n->isDynamic(a) || a->parent)
        return MS::kFailure;
    // Connections to the attribute go with it.
    auto& scene = host::Scene::current();
    auto below = [a](const host::PlugPath& p) {
        for (const Attribute* x = p.attribute; x; x = x->parent)
            if (x == a)
                return true;
        return false;
    };
    for (const auto& in : host::Node::Inputs(n->inputs))
        if (below(in.first))
            scene.disconnect(in.second, host::PlugRef{n, in.first});
    for (const auto& out : host::Node::Outputs(n->outputs))
        if (below(out.first))
            for (const auto& d : out.second)
                scene.disconnect(host::PlugRef{n, out.first}, d);
    for (auto it = n->lockedPlugs.begin(); it != n->lockedPlugs.end();)
        it = below(*it) ? n->lockedPlugs.erase(it) : std::next(it);
    n->invalidate(a);
    n->removeDynamicAttribute(a);
    scene.touch();
    return MS::kSuccess;
}

MFnDependencyNode::MAttrClass MFnDependencyNode::attributeClass(const MObject& attr,
                                                                MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    Attribute* a = host::attributeOf(attr);
    if (!n || !a)
        return kInvalidAttr;
    return n->isDynamic(a) ? kLocalDynamicAttr : kNormalAttr;
}

MStatus MFnDependencyNode::getAffectedAttributes(const MObject& attr,
                                                 MObjectArray& affectedAttributes) const {
    Attribute* a = host::attributeOf(attr);
    if (!a)
        return MS::kInvalidParameter;
    affectedAttributes.clear();
    for (Attribute* b : a->affects)
        affectedAttributes.append(attributeObject(b));
    return MS::kSuccess;
}

MPlug MFnDependencyNode::findPlug(const MObject& attr, bool, MStatus* ReturnStatus) const {
    Node* n = host::nodeOf(m_object);
    Attribute* a = host::attributeOf(attr);
    if (!n || !a || n->findAttribute(a->longName) != a) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    setStatus(ReturnStatus, MS::kSuccess);
    return host::PlugAccess::make(n, host::PlugPath{a, {}});
}

MPlug MFnDependencyNode::findPlug(const MString& attrName, bool wantNetworkedPlug,
                                  MStatus* ReturnStatus) const {
    Node* n = host::nodeOf(m_object);
    Attribute* a = n ? n->findAttribute(attrName.asChar()) : nullptr;
    if (!a) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MPlug();
    }
    return findPlug(attributeObject(a), wantNetworkedPlug, ReturnStatus);
}

MPlug MFnDependencyNode::findPlug(const MObject& attr, MStatus* ReturnStatus) const {
    return findPlug(attr, true, ReturnStatus);
}

MPlug MFnDependencyNode::findPlug(const MString& attrName, MStatus* ReturnStatus) const {
    return findPlug(attrName, true, ReturnStatus);
}

MStatus MFnDependencyNode::getConnections(MPlugArray& array) const {
    Node* n = host::nodeOf(m_object);
    if (!n)
        return MS::kFailure;
    array.clear();
    std::set<host::PlugPath> seen;
    for (const auto& in : n->inputs)
        if (seen.insert(in.first).second)
            array.append(host::PlugAccess::make(n, in.first));
    for (const auto& out : n->outputs)
        if (seen.insert(out.first).second)
            array.append(host::PlugAccess::make(n, out.first));
    return array.length() ? MS::kSuccess : MS::kFailure;
}

MPxNode* MFnDependencyNode::userNode(MStatus* ReturnStatus) const {
    Node* n = nodeIn(m_object, ReturnStatus);
    return n ? n->user() : nullptr;
}

MString MFnDependencyNode::classification(const MString& nodeTypeName) {
    host::NodeType* t = host::NodeTypeRegistry::instance().find(nodeTypeName.asChar());
    return t ? MString(t->classification.c_str()) : MString();
}
