#include "dag/Dag.h"
#include "graph/Scene.h"

#include <maya/MDagPathArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MItDag.h>

namespace {
void setStatus(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

MDagPath worldPath() {
    return host::dag::PathAccess::make({&host::Scene::current().world()});
}
}  // namespace

MItDag::MItDag(TraversalType type, MFn::Type filter, MStatus* ReturnStatus) {
    setStatus(ReturnStatus, start(worldPath(), type, filter));
}

MItDag::~MItDag() = default;

MStatus MItDag::start(const MDagPath& root, TraversalType type, MFn::Type filter) {
    m_pending.clear();
    m_first = 0;
    m_root = root;
    m_type = type;
    m_filter = filter;
    m_pruned = false;
    m_done = true;
    if (type != kDepthFirst && type != kBreadthFirst)
        return MS::kInvalidParameter;
    if (!root.isValid())
        return MS::kFailure;
    m_current = Step{root, 0};
    m_done = false;
    if (!accepted())
        advance(true);
    return MS::kSuccess;
}

bool MItDag::accepted() const {
    return m_filter == MFn::kInvalid || m_current.path.hasFn(m_filter);
}

void MItDag::advance(bool intoChildren) {
    // Filtered-out nodes are passed through, so their children still come.
    for (;;) {
        if (intoChildren && !m_pruned)
            m_pending.push_back(Parent{m_current.path, m_current.depth, 0});
        m_pruned = false;
        if (!nextChild()) {
            m_done = true;
            return;
        }
        if (accepted())
            return;
        intoChildren = true;
    }
}

bool MItDag::nextChild() {
    while (m_first < m_pending.size()) {
        Parent& parent = m_type == kDepthFirst ? m_pending.back() : m_pending[m_first];
        // Children are read as they are reached; a node deleted meanwhile
        // has none left to give.
        const host::Node* node = host::dag::PathAccess::end(parent.path);
        if (node && parent.next < node->children.size()) {
            m_current =
                Step{host::dag::PathAccess::child(parent.path, node->children[parent.next++]),
                     parent.depth + 1};
            return true;
        }
        if (m_type == kDepthFirst) {
            m_pending.pop_back();
        } else if (++m_first == m_pending.size()) {
            m_pending.clear();
            m_first = 0;
        }
    }
    return false;
}

MStatus MItDag::reset() {
    return start(m_root.isValid() ? m_root : worldPath(), m_type, m_filter);
}

MStatus MItDag::reset(const MObject& object, TraversalType type, MFn::Type filter) {
    MDagPath root;
    MStatus status = MDagPath::getAPathTo(object, root);
    if (!status) {
        m_done = true;
        return status;
    }
    return start(root, type, filter);
}

MStatus MItDag::reset(const MDagPath& path, TraversalType type, MFn::Type filter) {
    return start(path, type, filter);
}

MObject MItDag::item(MStatus* ReturnStatus) {
    setStatus(ReturnStatus, m_done ? MS::kFailure : MS::kSuccess);
    return m_done ? MObject() : m_current.path.node();
}

MObject MItDag::currentItem(MStatus* ReturnStatus) {
    return item(ReturnStatus);
}

MStatus MItDag::next() {
    if (m_done)
        return MS::kFailure;
    advance(true);
    return MS::kSuccess;
}

MStatus MItDag::prune() {
    if (m_done)
        return MS::kFailure;
    m_pruned = true;
    return MS::kSuccess;
}

bool MItDag::isDone(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return m_done;
}

MObject MItDag::root(MStatus* ReturnStatus) {
    return m_root.node(ReturnStatus);
}

unsigned int MItDag::depth(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, m_done ? MS::kFailure : MS::kSuccess);
    return m_done ? 0 : m_current.depth;
}

MItDag::TraversalType MItDag::getType(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return m_type;
}

MStatus MItDag::getPath(MDagPath& path) const {
    if (m_done)
        return MS::kFailure;
    path = m_current.path;
    return MS::kSuccess;
}

MStatus MItDag::getAllPaths(MDagPathArray& paths) const {
    if (m_done)
        return MS::kFailure;
    return MDagPath::getAllPathsTo(m_current.path.node(), paths);
}

MString MItDag::fullPathName(MStatus* ReturnStatus) const {
    return m_current.path.fullPathName(ReturnStatus);
}

MString MItDag::partialPathName(MStatus* ReturnStatus) const {
    return m_current.path.partialPathName(ReturnStatus);
}

bool MItDag::isInstanced(bool indirect, MStatus* ReturnStatus) const {
    // A finished walk has no current node, as item() says.
    if (m_done) {
        setStatus(ReturnStatus, MS::kFailure);
        return false;
    }
    return MFnDagNode(m_current.path.node()).isInstanced(indirect, ReturnStatus);
}

unsigned int MItDag::instanceCount(bool total, MStatus* ReturnStatus) const {
    // Read from the walk's own path, without a function set: a bake asks
    // this of every node it makes.
    const host::Node* node = m_done ? nullptr : host::dag::PathAccess::end(m_current.path);
    const bool live = node && node->isDag() && node->inScene;
    setStatus(ReturnStatus, live ? MS::kSuccess : MS::kFailure);
    return live ? static_cast<unsigned int>(host::dag::instanceCount(*node, total)) : 0;
}
