#include "dag/Dag.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MDagPathArray.h>
#include <maya/MFnDagNode.h>

#include <algorithm>

using host::Node;
using host::Scene;
using host::dag::NodePath;
using host::dag::PathAccess;

namespace {

void setStatus(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

Node* dagNodeOf(const MObject& object, MStatus* status) {
    Node* n = host::nodeOf(object);
    bool ok = n && n->isDag() && n->inScene;
    setStatus(status, ok ? MS::kSuccess : MS::kFailure);
    return ok ? n : nullptr;
}

template <class List>
bool contains(const List& nodes, const Node* node) {
    return std::find(nodes.begin(), nodes.end(), node) != nodes.end();
}

// A node moved under a new parent keeps its name unless a new sibling
// already carries it.
void keepSiblingNamesUnique(Node& parent, Node& child) {
    for (Node* sibling : parent.children) {
        if (sibling != &child && sibling->name() == child.name()) {
            Scene::current().rename(child, child.name());
            return;
        }
    }
}

}  // namespace

MFnDagNode::MFnDagNode() = default;

MFnDagNode::MFnDagNode(MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnDagNode::MFnDagNode(const MObject& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, attach(object));
}

MFnDagNode::MFnDagNode(const MDagPath& object, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, setObject(object));
}

MFnDagNode::~MFnDagNode() = default;

MFn::Type MFnDagNode::type() const {
    return MFn::kDagNode;
}
const char* MFnDagNode::className() const {
    return "MFnDagNode";
}

bool MFnDagNode::acceptsObject(const MObject& object) const {
    Node* n = host::nodeOf(object);
    return n && n->isDag();
}

MStatus MFnDagNode::setObject(MObject& object) {
    m_path = MDagPath();
    return attach(object);
}

MStatus MFnDagNode::setObject(const MObject& object) {
    m_path = MDagPath();
    return attach(object);
}

MStatus MFnDagNode::setObject(const MDagPath& path) {
    m_path = MDagPath();
    MStatus status = attach(path.node());
    if (status)
        m_path = path;
    return status;
}

MDagPath MFnDagNode::workingPath() const {
    if (!m_path.node().isNull())
        return m_path;
    MDagPath first;
    MDagPath::getAPathTo(m_object, first);
    return first;
}

// ---------------------------------------------------------------- creation

MObject MFnDagNode::createNode(const MString& typeName, const MString& name, MObject& parent,
                               MStatus* ReturnStatus) {
    host::NodeType* type = host::NodeTypeRegistry::instance().find(typeName.asChar());
    if (!type || !type->dag || type->abstract || type->apiType == MFn::kWorld) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    Node* under = nullptr;
    if (!parent.isNull()) {
        under = dagNodeOf(parent, nullptr);
        if (!under || under->type().shape) {
            setStatus(ReturnStatus, MS::kInvalidParameter);
            return MObject();
        }
    }
    Scene& scene = Scene::current();
    host::NodePtr made;
    host::NodePtr result;
    if (type->shape && !under) {
        // A shape cannot sit right under the world: the host makes a
        // transform for it and hands that back.
        std::string stem = name.length() ? name.asChar() : type->name + "#";
        result = scene.createNode("transform", stem);
        made = scene.createNode(*type, type->name + "Shape#", result.get());
    } else {
        made = scene.createNode(*type, name.asChar(), under);
        result = made;
    }
    if (!made || !result) {
        setStatus(ReturnStatus, MS::kFailure);
        return MObject();
    }
    m_path = MDagPath();
    m_object = scene.object(result.get());
    setStatus(ReturnStatus, MS::kSuccess);
    return m_object;
}

MObject MFnDagNode::create(const MTypeId& typeId, MObject& parent, MStatus* ReturnStatus) {
    return create(typeId, MString(), parent, ReturnStatus);
}

MObject MFnDagNode::create(const MTypeId& typeId, const MString& name, MObject& parent,
                           MStatus* ReturnStatus) {
    host::NodeType* type = host::NodeTypeRegistry::instance().find(typeId);
    if (!type) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    return createNode(MString(type->name.c_str()), name, parent, ReturnStatus);
}

MObject MFnDagNode::create(const MString& type, MObject& parent, MStatus* ReturnStatus) {
    return createNode(type, MString(), parent, ReturnStatus);
}

MObject MFnDagNode::create(const MString& type, const MString& name, MObject& parent,
                           MStatus* ReturnStatus) {
    return createNode(type, name, parent, ReturnStatus);
}

// ---------------------------------------------------------------- hierarchy

unsigned int MFnDagNode::parentCount(MStatus* ReturnStatus) const {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    return n ? static_cast<unsigned int>(n->parents.size()) : 0;
}

MObject MFnDagNode::parent(unsigned int i, MStatus* ReturnStatus) const {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    if (!n)
        return MObject();
    if (i >= n->parents.size()) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    return Scene::current().object(n->parents[i]);
}

unsigned int MFnDagNode::childCount(MStatus* ReturnStatus) const {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    return n ? static_cast<unsigned int>(n->children.size()) : 0;
}

MObject MFnDagNode::child(unsigned int i, MStatus* ReturnStatus) const {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    if (!n)
        return MObject();
    if (i >= n->children.size()) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    return Scene::current().object(n->children[i]);
}

MStatus MFnDagNode::addChild(MObject& child, unsigned int index, bool keepExistingParents) {
    MStatus status;
    Node* parent = dagNodeOf(m_object, &status);
    if (!parent)
        return status;
    Node* c = dagNodeOf(child, nullptr);
    Scene& scene = Scene::current();
    if (!c || c == &scene.world() || parent->type().shape || contains(parent->children, c) ||
        scene.isAncestor(*c, *parent))
        return MS::kInvalidParameter;
    if (!keepExistingParents)
        for (Node* old : std::vector<Node*>(c->parents))
            scene.removeChild(*old, *c);
    int position = index == kNextPos ? -1 : static_cast<int>(index);
    if (!scene.addChild(*parent, *c, position))
        return MS::kFailure;
    keepSiblingNamesUnique(*parent, *c);
    return MS::kSuccess;
}

MStatus MFnDagNode::removeChild(MObject& child) {
    MStatus status;
    Node* parent = dagNodeOf(m_object, &status);
    if (!parent)
        return status;
    Node* c = host::nodeOf(child);
    if (!c || !contains(parent->children, c))
        return MS::kInvalidParameter;
    Scene& scene = Scene::current();
    scene.removeChild(*parent, *c);
    // A node is never left outside the DAG: without another parent it goes
    // under the world.
    if (c->parents.empty()) {
        scene.addChild(scene.world(), *c);
        keepSiblingNamesUnique(scene.world(), *c);
    }
    return MS::kSuccess;
}

MStatus MFnDagNode::removeChildAt(unsigned int index) {
    MStatus status;
    MObject c = child(index, &status);
    if (!status)
        return status;
    return removeChild(c);
}

MObject MFnDagNode::dagRoot(MStatus* ReturnStatus) {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    if (!n)
        return MObject();
    NodePath path = host::dag::firstPath(*n);
    Node* root = path.size() > 1 ? path[1] : n;
    return Scene::current().object(root);
}

bool MFnDagNode::hasParent(const MObject& node, MStatus* ReturnStatus) const {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    return n && contains(n->parents, host::nodeOf(node));
}

bool MFnDagNode::hasChild(const MObject& node, MStatus* ReturnStatus) const {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    return n && contains(n->children, host::nodeOf(node));
}

bool MFnDagNode::isChildOf(const MObject& node, MStatus* ReturnStatus) const {
    return hasParent(node, ReturnStatus);
}

bool MFnDagNode::isParentOf(const MObject& node, MStatus* ReturnStatus) const {
    return hasChild(node, ReturnStatus);
}

bool MFnDagNode::inUnderWorld(MStatus* ReturnStatus) const {
    dagNodeOf(m_object, ReturnStatus);
    return false;
}

// ---------------------------------------------------------------- instances

bool MFnDagNode::isInstanced(bool indirect, MStatus* ReturnStatus) const {
    return instanceCount(indirect, ReturnStatus) > 1;
}

unsigned int MFnDagNode::instanceCount(bool total, MStatus* ReturnStatus) const {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    if (!n)
        return 0;
    return static_cast<unsigned int>(host::dag::instanceCount(*n, total));
}

bool MFnDagNode::isInstancedAttribute(const MObject& attribute, MStatus* ReturnStatus) const {
    const host::Attribute* a = host::attributeOf(attribute);
    if (!a) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return false;
    }
    if (!dagNodeOf(m_object, ReturnStatus))
        return false;
    for (; a; a = a->parent)
        if (a->worldSpace)
            return true;
    return false;
}

MStatus MFnDagNode::getPath(MDagPath& path) {
    MStatus status;
    MDagPath found = dagPath(&status);
    if (status)
        path = found;
    return status;
}

MDagPath MFnDagNode::dagPath(MStatus* ReturnStatus) const {
    MDagPath path;
    if (dagNodeOf(m_object, nullptr))
        path = workingPath();
    if (ReturnStatus)
        *ReturnStatus = path.isValid() ? MS::kSuccess : MS::kFailure;
    return path;
}

MStatus MFnDagNode::getAllPaths(MDagPathArray& paths) {
    return MDagPath::getAllPathsTo(m_object, paths);
}

MString MFnDagNode::fullPathName(MStatus* ReturnStatus) {
    if (!dagNodeOf(m_object, ReturnStatus))
        return MString();
    return workingPath().fullPathName(ReturnStatus);
}

MString MFnDagNode::partialPathName(MStatus* ReturnStatus) {
    if (!dagNodeOf(m_object, ReturnStatus))
        return MString();
    return workingPath().partialPathName(ReturnStatus);
}

// ---------------------------------------------------------------- state

MMatrix MFnDagNode::transformationMatrix(MStatus* ReturnStatus) const {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    return n ? host::dag::localMatrix(*n) : MMatrix();
}

bool MFnDagNode::isIntermediateObject(MStatus* ReturnStatus) const {
    Node* n = dagNodeOf(m_object, ReturnStatus);
    if (!n)
        return false;
    host::PlugRef plug{n, host::PlugPath{host::dag::attributes().intermediateObject, {}}};
    return host::valueAsLong(host::evaluate(plug)) != 0;
}

MStatus MFnDagNode::setIntermediateObject(bool isIntermediate) {
    MStatus status;
    Node* n = dagNodeOf(m_object, &status);
    if (!n)
        return status;
    host::PlugRef plug{n, host::PlugPath{host::dag::attributes().intermediateObject, {}}};
    return host::assign(plug, host::Value{isIntermediate});
}
