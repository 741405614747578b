#include "dag/Dag.h"
#include "foundation/StringAccess.h"
#include "graph/Scene.h"

#include <algorithm>

#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>

using host::Node;
using host::dag::NodePath;
using host::dag::PathAccess;

namespace {

void setStatus(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

// The path's nodes when it still runs through the DAG as it is now.
bool livePath(const MDagPath& path, NodePath& nodes, MStatus* status) {
    nodes = PathAccess::nodes(path);
    bool live = host::dag::isLive(nodes);
    setStatus(status, live ? MS::kSuccess : MS::kFailure);
    return live;
}

// The path's last node when the path still runs through the DAG as it is
// now: livePath for what needs only the end.
Node* liveEnd(const MDagPath& path, MStatus* status) {
    Node* end = PathAccess::liveEnd(path);
    setStatus(status, end ? MS::kSuccess : MS::kFailure);
    return end;
}

MObject objectOf(Node* node) {
    return host::Scene::current().object(node);
}

}  // namespace

MDagPath::MDagPath() = default;
MDagPath::MDagPath(const MDagPath& src) = default;
MDagPath::~MDagPath() = default;
MDagPath& MDagPath::operator=(const MDagPath& src) = default;

const std::vector<MObject>& MDagPath::nodes() const {
    static const std::vector<MObject> none;
    return m_nodes ? *m_nodes : none;
}

std::vector<MObject>& MDagPath::changeNodes() {
    if (!m_nodes || m_nodes.use_count() > 1)
        m_nodes = std::make_shared<std::vector<MObject>>(nodes());
    return *m_nodes;
}

MStatus MDagPath::set(const MDagPath& src) {
    m_nodes = src.m_nodes;
    return MS::kSuccess;
}

bool MDagPath::operator==(const MDagPath& src) const {
    return m_nodes == src.m_nodes || nodes() == src.nodes();
}

MStatus MDagPath::getAPathTo(const MObject& node, MDagPath& path) {
    Node* n = host::nodeOf(node);
    if (!n || !n->isDag())
        return MS::kInvalidParameter;
    NodePath nodes = host::dag::firstPath(*n);
    if (nodes.empty())
        return MS::kFailure;
    path = PathAccess::make(nodes);
    return MS::kSuccess;
}

MStatus MDagPath::getAllPathsTo(const MObject& node, MDagPathArray& allPaths) {
    allPaths.clear();
    Node* n = host::nodeOf(node);
    if (!n || !n->isDag())
        return MS::kInvalidParameter;
    std::vector<NodePath> paths = host::dag::allPaths(*n);
    if (paths.empty())
        return MS::kFailure;
    for (const NodePath& p : paths)
        allPaths.append(PathAccess::make(p));
    return MS::kSuccess;
}

bool MDagPath::hasFn(MFn::Type type, MStatus* ReturnStatus) const {
    MObject n = node(ReturnStatus);
    return n.hasFn(type);
}

MFn::Type MDagPath::apiType(MStatus* ReturnStatus) const {
    return node(ReturnStatus).apiType();
}

bool MDagPath::isValid(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return PathAccess::liveEnd(*this) != nullptr;
}

MObject MDagPath::node(MStatus* ReturnStatus) const {
    if (nodes().empty()) {
        setStatus(ReturnStatus, MS::kFailure);
        return MObject();
    }
    setStatus(ReturnStatus, MS::kSuccess);
    return nodes().back();
}

MObject MDagPath::transform(MStatus* ReturnStatus) const {
    // The path's own node when it is a transform, else the nearest
    // transform above it.
    for (size_t i = nodes().size(); i-- > 0;) {
        if (nodes()[i].hasFn(MFn::kTransform)) {
            setStatus(ReturnStatus, MS::kSuccess);
            return nodes()[i];
        }
    }
    setStatus(ReturnStatus, MS::kInvalidParameter);
    return MObject();
}

unsigned int MDagPath::length(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, nodes().empty() ? MS::kFailure : MS::kSuccess);
    return nodes().empty() ? 0 : static_cast<unsigned int>(nodes().size() - 1);
}

MStatus MDagPath::numberOfShapesDirectlyBelow(unsigned int& num) const {
    num = 0;
    Node* end = liveEnd(*this, nullptr);
    if (!end)
        return MS::kFailure;
    for (Node* c : end->children)
        if (c->type().shape)
            ++num;
    return MS::kSuccess;
}

MStatus MDagPath::extendToShapeDirectlyBelow(unsigned int index) {
    Node* end = liveEnd(*this, nullptr);
    if (!end)
        return MS::kFailure;
    unsigned int seen = 0;
    for (Node* c : end->children) {
        if (!c->type().shape)
            continue;
        if (seen++ == index) {
            changeNodes().push_back(objectOf(c));
            return MS::kSuccess;
        }
    }
    return MS::kInvalidParameter;
}

MStatus MDagPath::extendToShape() {
    Node* end = liveEnd(*this, nullptr);
    if (!end)
        return MS::kFailure;
    if (end->type().shape)
        return MS::kSuccess;
    unsigned int shapes = 0;
    numberOfShapesDirectlyBelow(shapes);
    // Only a single shape makes the extension unambiguous.
    if (shapes != 1)
        return MS::kFailure;
    return extendToShapeDirectlyBelow(0);
}

MStatus MDagPath::push(const MObject& child) {
    Node* c = host::nodeOf(child);
    if (nodes().empty() || !c || !c->isDag())
        return MS::kInvalidParameter;
    Node* last = host::nodeOf(nodes().back());
    if (std::find(c->parents.begin(), c->parents.end(), last) == c->parents.end())
        return MS::kInvalidParameter;
    changeNodes().push_back(child);
    return MS::kSuccess;
}

MStatus MDagPath::pop(unsigned int num) {
    if (num > length())
        return MS::kInvalidParameter;
    if (num > 0)
        changeNodes().resize(nodes().size() - num);
    return MS::kSuccess;
}

unsigned int MDagPath::childCount(MStatus* ReturnStatus) const {
    Node* end = liveEnd(*this, ReturnStatus);
    if (!end)
        return 0;
    return static_cast<unsigned int>(end->children.size());
}

MObject MDagPath::child(unsigned int i, MStatus* ReturnStatus) const {
    Node* end = liveEnd(*this, ReturnStatus);
    if (!end)
        return MObject();
    const auto& children = end->children;
    if (i >= children.size()) {
        setStatus(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    return objectOf(children[i]);
}

MMatrix MDagPath::inclusiveMatrix(MStatus* ReturnStatus) const {
    NodePath nodes;
    if (!livePath(*this, nodes, ReturnStatus))
        return MMatrix();
    return host::dag::inclusiveMatrix(nodes);
}

MMatrix MDagPath::exclusiveMatrix(MStatus* ReturnStatus) const {
    NodePath nodes;
    if (!livePath(*this, nodes, ReturnStatus))
        return MMatrix();
    return host::dag::exclusiveMatrix(nodes);
}

MMatrix MDagPath::inclusiveMatrixInverse(MStatus* ReturnStatus) const {
    return inclusiveMatrix(ReturnStatus).inverse();
}

MMatrix MDagPath::exclusiveMatrixInverse(MStatus* ReturnStatus) const {
    return exclusiveMatrix(ReturnStatus).inverse();
}

unsigned int MDagPath::pathCount(MStatus* ReturnStatus) const {
    // Paths of this host never cross into an underworld, so a path is one
    // piece.
    setStatus(ReturnStatus, nodes().empty() ? MS::kFailure : MS::kSuccess);
    return nodes().empty() ? 0 : 1;
}

MStatus MDagPath::getPath(MDagPath& path, unsigned int i) const {
    if (nodes().empty() || i != 0)
        return MS::kInvalidParameter;
    path = *this;
    return MS::kSuccess;
}

MString MDagPath::fullPathName(MStatus* ReturnStatus) const {
    if (!liveEnd(*this, ReturnStatus))
        return MString();
    return host::StringAccess::adopt(PathAccess::fullPathName(*this));
}

MString MDagPath::partialPathName(MStatus* ReturnStatus) const {
    if (!liveEnd(*this, ReturnStatus))
        return MString();
    return host::StringAccess::adopt(PathAccess::partialPathName(*this));
}

bool MDagPath::isInstanced(MStatus* ReturnStatus) const {
    Node* end = liveEnd(*this, ReturnStatus);
    if (!end)
        return false;
    return host::dag::pathCount(*end) > 1;
}

unsigned int MDagPath::instanceNumber(MStatus* ReturnStatus) const {
    NodePath nodes;
    if (!livePath(*this, nodes, ReturnStatus))
        return 0;
    return static_cast<unsigned int>(host::dag::instanceNumber(nodes));
}
