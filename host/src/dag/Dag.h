#ifndef HOST_DAG_DAG_H
#define HOST_DAG_DAG_H

#include "graph/Node.h"

#include <maya/MDagPath.h>
#include <maya/MMatrix.h>
#include <maya/MTransformationMatrix.h>

#include <string>
#include <vector>

namespace host {
namespace dag {

// A DAG path as the host keeps it: the world first, then each node down to
// the path's node.
using NodePath = std::vector<Node*>;

// Every path to the node, in instance order: instance i of a node is
// element i of its per-instance (world-space) attributes. The paths through
// the node's first parent come first, and so on for each parent in turn.
std::vector<NodePath> allPaths(Node& node);
// The first of allPaths without building the others.
NodePath firstPath(Node& node);
size_t pathCount(const Node& node);
// How often the node is instanced: all its paths when `total`, else its
// parents.
size_t instanceCount(const Node& node, bool total);
// The position of the path among allPaths of its node, or -1 when the path
// does not run through the DAG as it is now.
int instanceNumber(const NodePath& path);
bool isLive(const NodePath& path);

std::string fullPathName(const NodePath& path);
// The shortest tail of the full path that names this path alone.
std::string partialPathName(const NodePath& path);

// The paths whose trailing node names match the components (names or
// patterns with * and ?), outermost first. An absolute match must start
// right below the world.
std::vector<NodePath> matchingPaths(const std::vector<std::string>& components, bool absolute);
// How many of the paths matchingPaths finds end at the node.
size_t matchingPathCount(const Node& node, const std::vector<std::string>& components,
                         bool absolute);
bool hasWildcard(const std::string& pattern);
bool globMatch(const std::string& pattern, const std::string& name);

// The node's own transformation: the transform attributes composed as
// MTransformationMatrix composes them, the identity for other DAG nodes.
MMatrix localMatrix(Node& node);
MTransformationMatrix transformationOf(Node& node);
// Product of the local matrices of the first `count` nodes below the world,
// the node's own first (points are row vectors); a node that does not
// inherit its parent's transform cuts off what lies above it.
MMatrix pathMatrix(const NodePath& path, size_t count);
inline MMatrix inclusiveMatrix(const NodePath& path) {
    return pathMatrix(path, path.size() - 1);
}
inline MMatrix exclusiveMatrix(const NodePath& path) {
    return pathMatrix(path, path.size() > 1 ? path.size() - 2 : 0);
}

// The built-in attributes every DAG node and every transform carries.
struct DagAttributes {
    Attribute* visibility = nullptr;
    Attribute* intermediateObject = nullptr;
    Attribute* matrix = nullptr;
    Attribute* inverseMatrix = nullptr;
    Attribute* worldMatrix = nullptr;
    Attribute* worldInverseMatrix = nullptr;
    Attribute* parentMatrix = nullptr;
    Attribute* parentInverseMatrix = nullptr;

    Attribute* translate = nullptr;
    Attribute* rotate = nullptr;
    Attribute* scale = nullptr;
    Attribute* shear = nullptr;
    Attribute* rotateOrder = nullptr;
    Attribute* rotateAxis = nullptr;
    Attribute* rotatePivot = nullptr;
    Attribute* rotatePivotTranslate = nullptr;
    Attribute* scalePivot = nullptr;
    Attribute* scalePivotTranslate = nullptr;
    Attribute* inheritsTransform = nullptr;
};
const DagAttributes& attributes();

// Host-side evaluation of the matrix attributes of a DAG node; node types
// with a compute hook of their own call it for the plugs they leave alone.
bool computeMatrices(Node& node, const PlugPath& plug);

// Reads the three children of a compound of doubles; writes them through
// the graph so connections, locks and dirty propagation apply.
void readDouble3(Node& node, Attribute* compound, double out[3]);
MStatus writeDouble3(Node& node, Attribute* compound, const double values[3]);

// The door between MDagPath and the node paths behind it.
struct PathAccess {
    static NodePath nodes(const MDagPath& path);
    // The path's last node when the path runs through the DAG as it is now,
    // else null: isLive without copying the path out, for callers that need
    // only its end.
    static Node* liveEnd(const MDagPath& path);
    // The path's last node, live or not; null for a path that leads nowhere.
    static Node* end(const MDagPath& path);
    // fullPathName and partialPathName of the nodes the path holds, whether
    // or not it is live.
    static std::string fullPathName(const MDagPath& path);
    static std::string partialPathName(const MDagPath& path);
    static MDagPath make(const NodePath& path);
    // The path one level down, to the given child of the path's node.
    static MDagPath child(const MDagPath& parent, Node* child);
};

}  // namespace dag
}  // namespace host

#endif
