#include "animation/Curve.h"
#include "dag/Dag.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MAnimUtil.h>

#include <algorithm>
#include <vector>

using host::Attribute;
using host::Node;
using host::PlugPath;
using host::PlugRef;

namespace {

void report(MStatus* status, MStatus value) {
    if (status)
        *status = value;
}

bool fedByCurve(const PlugRef& source) {
    return host::animation::isCurveNode(*source.node) &&
           source.path.attribute->longName == "output";
}

// The plug at an ancestor attribute of a path (its array indices cut to
// what that attribute has).
PlugPath ancestorPath(const PlugPath& path, Attribute* ancestor) {
    PlugPath p{ancestor, path.indices};
    p.indices.resize(std::min(p.indices.size(), ancestor->arrayChain().size()));
    return p;
}

bool keyableHere(Node& node, const PlugPath& path) {
    for (Attribute* a = path.attribute; a; a = a->parent)
        if (host::PlugAccess::make(&node, ancestorPath(path, a)).isKeyable())
            return true;
    return false;
}

// The node's keyable plugs that curves drive.
std::vector<PlugRef> animatedPlugsOf(Node& node) {
    std::vector<PlugRef> found;
    for (const auto& [destination, source] : node.inputs)
        if (fedByCurve(source) && keyableHere(node, destination))
            found.push_back(PlugRef{&node, destination});
    return found;
}

// Whether `inner` is the plug `outer` or lies below it.
bool within(const PlugPath& inner, const PlugPath& outer) {
    for (Attribute* a = inner.attribute; a; a = a->parent)
        if (a == outer.attribute) {
            // outer may be an array plug, with one index fewer.
            PlugPath cut = ancestorPath(inner, a);
            return outer.indices.size() <= cut.indices.size() &&
                   std::equal(outer.indices.begin(), outer.indices.end(), cut.indices.begin());
        }
    return false;
}

std::vector<host::dag::NodePath> pathsToCheck(const host::dag::NodePath& path, bool checkParent) {
    std::vector<host::dag::NodePath> paths{path};
    if (checkParent)
        for (host::dag::NodePath p = path; p.size() > 1;) {
            p.pop_back();
            paths.push_back(p);
        }
    return paths;
}

void collect(Node& node, MPlugArray& plugs) {
    for (const PlugRef& p : animatedPlugsOf(node))
        plugs.append(host::PlugAccess::make(p));
}

}  // namespace

bool MAnimUtil::findAnimatedPlugs(const MDagPath& path, MPlugArray& animatedPlugs, bool checkParent,
                                  MStatus* ReturnStatus) {
    host::dag::NodePath nodes = host::dag::PathAccess::nodes(path);
    if (nodes.empty()) {
        report(ReturnStatus, MS::kInvalidParameter);
        return false;
    }
    report(ReturnStatus, MS::kSuccess);
    const unsigned before = animatedPlugs.length();
    for (const auto& p : pathsToCheck(nodes, checkParent))
        collect(*p.back(), animatedPlugs);
    return animatedPlugs.length() > before;
}

bool MAnimUtil::findAnimatedPlugs(const MObject& node, MPlugArray& animatedPlugs, bool checkParent,
                                  MStatus* ReturnStatus) {
    Node* n = host::nodeOf(node);
    if (!n) {
        report(ReturnStatus, MS::kInvalidParameter);
        return false;
    }
    if (n->isDag())
        return findAnimatedPlugs(host::dag::PathAccess::make(host::dag::firstPath(*n)),
                                 animatedPlugs, checkParent, ReturnStatus);
    report(ReturnStatus, MS::kSuccess);
    const unsigned before = animatedPlugs.length();
    collect(*n, animatedPlugs);
    return animatedPlugs.length() > before;
}

bool MAnimUtil::isAnimated(const MObject& node, bool checkParent, MStatus* ReturnStatus) {
    MPlugArray plugs;
    return findAnimatedPlugs(node, plugs, checkParent, ReturnStatus);
}

bool MAnimUtil::isAnimated(const MDagPath& path, bool checkParent, MStatus* ReturnStatus) {
    MPlugArray plugs;
    return findAnimatedPlugs(path, plugs, checkParent, ReturnStatus);
}

bool MAnimUtil::isAnimated(const MPlug& plug, bool checkParent, MStatus* ReturnStatus) {
    if (plug.isNull()) {
        report(ReturnStatus, MS::kInvalidParameter);
        return false;
    }
    report(ReturnStatus, MS::kSuccess);
    PlugRef ref = host::PlugAccess::ref(plug);
    for (const auto& [destination, source] : ref.node->inputs) {
        if (!fedByCurve(source))
            continue;
        if (within(destination, ref.path))
            return true;
        if (checkParent && within(ref.path, destination))
            return true;
    }
    return false;
}

bool MAnimUtil::isAnimated(const MSelectionList& selectionList, bool checkParent,
                           MStatus* ReturnStatus) {
    report(ReturnStatus, MS::kSuccess);
    for (unsigned i = 0; i < selectionList.length(); ++i) {
        MDagPath path;
        if (selectionList.getDagPath(i, path) && isAnimated(path, checkParent))
            return true;
        MObject node;
        if (selectionList.getDependNode(i, node) && isAnimated(node, checkParent))
            return true;
    }
    return false;
}

bool MAnimUtil::findAnimation(const MPlug& plug, MObjectArray& animation, MStatus* ReturnStatus) {
    if (plug.isNull()) {
        report(ReturnStatus, MS::kInvalidParameter);
        return false;
    }
    report(ReturnStatus, MS::kSuccess);
    PlugRef ref = host::PlugAccess::ref(plug);
    const unsigned before = animation.length();
    for (const auto& [destination, source] : ref.node->inputs)
        if (fedByCurve(source) && within(destination, ref.path))
            animation.append(host::Scene::current().object(source.node));
    return animation.length() > before;
}
