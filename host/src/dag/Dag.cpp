#include "dag/Dag.h"

#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MEulerRotation.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

#include <algorithm>
#include <functional>

namespace host {
namespace dag {

// ---------------------------------------------------------------- paths

namespace {
// Room for a path from the world deeper than most scenes go, so that
// building one takes one allocation instead of growing.
constexpr size_t kUsualDepth = 8;

bool isWorld(const Node& node) {
    return &node == &Scene::current().world();
}

void collectPaths(Node& node, NodePath& below, std::vector<NodePath>& out) {
    below.push_back(&node);
    if (isWorld(node)) {
        out.emplace_back(below.rbegin(), below.rend());
    } else {
        for (Node* parent : node.parents)
            collectPaths(*parent, below, out);
    }
    below.pop_back();
}
}  // namespace

std::vector<NodePath> allPaths(Node& node) {
    std::vector<NodePath> out;
    if (!node.isDag() || !node.inScene)
        return out;
    // Every name looked up goes through here, and most nodes have one path.
    out.reserve(pathCount(node));
    NodePath below;
    below.reserve(kUsualDepth);
    collectPaths(node, below, out);
    return out;
}

NodePath firstPath(Node& node) {
    NodePath path;
    if (!node.isDag() || !node.inScene)
        return path;
    path.reserve(kUsualDepth);
    for (Node* n = &node; n; n = n->parents.empty() ? nullptr : n->parents.front()) {
        path.push_back(n);
        if (isWorld(*n)) {
            std::reverse(path.begin(), path.end());
            return path;
        }
    }
    return {};  // a node cut off from the world has no path
}

size_t pathCount(const Node& node) {
    return Scene::current().pathCount(node);
}

size_t instanceCount(const Node& node, bool total) {
    return total ? pathCount(node) : node.parents.size();
}

namespace {
// One step of a live path: the world first, then each node in the scene
// below the one before.
bool continuesLive(const Node* above, const Node& node) {
    if (!above)
        return isWorld(node);
    return node.inScene &&
           std::find(node.parents.begin(), node.parents.end(), above) != node.parents.end();
}
}  // namespace

bool isLive(const NodePath& path) {
    const Node* above = nullptr;
    for (const Node* n : path) {
        if (!continuesLive(above, *n))
            return false;
        above = n;
    }
    return above != nullptr;
}

int instanceNumber(const NodePath& path) {
    if (!isLive(path))
        return -1;
    // Paths through earlier parents come first; below the chosen parent the
    // parent's own instance number orders them.
    size_t number = 0;
    for (size_t i = 1; i < path.size(); ++i) {
        const Node* n = path[i];
        size_t parentNumber = number;
        number = 0;
        for (const Node* p : n->parents) {
            if (p == path[i - 1])
                break;
            number += pathCount(*p);
        }
        number += parentNumber;
    }
    return static_cast<int>(number);
}

namespace {
size_t countMatching(const std::string* components, size_t count, bool absolute);

// Paths are named as the host keeps them and as an MDagPath holds them,
// read in place: a bake names every copy it makes.
const Node* asNode(const Node* node) {
    return node;
}
const Node* asNode(const MObject& object) {
    return nodeOf(object);
}

template <class Item>
std::string joinedFullPath(const std::vector<Item>& path) {
    size_t length = 0;
    for (size_t i = 1; i < path.size(); ++i)
        length += 1 + asNode(path[i])->name().size();
    std::string name;
    name.reserve(length);
    for (size_t i = 1; i < path.size(); ++i)
        name.append(1, '|').append(asNode(path[i])->name());
    return name;
}

template <class Item>
std::string shortestUniqueTail(const std::vector<Item>& path) {
    if (path.size() < 2)
        return std::string();
    // Most nodes are named uniquely: their own name is the answer.
    const std::string& own = asNode(path.back())->name();
    if (countMatching(&own, 1, false) == 1)
        return own;
    std::vector<std::string> names;
    names.reserve(path.size() - 1);
    for (size_t i = 1; i < path.size(); ++i)
        names.push_back(asNode(path[i])->name());
    for (size_t i = names.size() - 1; i-- > 0;) {
        if (countMatching(&names[i], names.size() - i, false) == 1) {
            std::string name = names[i];
            for (size_t j = i + 1; j < names.size(); ++j)
                name += "|" + names[j];
            return name;
        }
    }
    // Every tail also names a deeper path ("a|b" inside "x|a|b"): only the
    // path from the world is unique.
    return joinedFullPath(path);
}
}  // namespace

std::string fullPathName(const NodePath& path) {
    return joinedFullPath(path);
}

std::string partialPathName(const NodePath& path) {
    return shortestUniqueTail(path);
}

// ---------------------------------------------------------------- matching

bool hasWildcard(const std::string& pattern) {
    return pattern.find_first_of("*?") != std::string::npos;
}

bool globMatch(const std::string& pattern, const std::string& name) {
    size_t p = 0, n = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

namespace {
bool componentMatches(const std::string& component, const Node& node) {
    return hasWildcard(component) ? globMatch(component, node.name()) : component == node.name();
}

// Extends the matched tail upward from `node`, which matched component k;
// `tail` holds the nodes matched so far, from the last component's node up
// to `node`.
void matchUpward(Node& node, size_t k, const std::vector<std::string>& components, bool absolute,
                 NodePath& tail, std::vector<NodePath>& out) {
    tail.push_back(&node);
    if (k == 0) {
        std::vector<NodePath> heads;
        if (!absolute) {
            heads = allPaths(node);
        } else if (std::find(node.parents.begin(), node.parents.end(), &Scene::current().world()) !=
                   node.parents.end()) {
            heads.push_back(NodePath{&Scene::current().world(), &node});
        }
        for (NodePath& head : heads) {
            head.insert(head.end(), tail.rbegin() + 1, tail.rend());
            out.push_back(std::move(head));
        }
    } else {
        for (Node* parent : node.parents)
            if (!isWorld(*parent) && componentMatches(components[k - 1], *parent))
                matchUpward(*parent, k - 1, components, absolute, tail, out);
    }
    tail.pop_back();
}

// What matchUpward finds from `node` and components [0, k], counted
// without making the paths: `components` may be any run of names.
size_t countUpward(const Node& node, const std::string* components, size_t k, bool absolute) {
    if (k == 0) {
        if (!absolute)
            return pathCount(node);
        const Node* world = &Scene::current().world();
        return std::find(node.parents.begin(), node.parents.end(), world) != node.parents.end();
    }
    size_t count = 0;
    for (const Node* parent : node.parents)
        if (!isWorld(*parent) && componentMatches(components[k - 1], *parent))
            count += countUpward(*parent, components, k - 1, absolute);
    return count;
}

// The paths matching the names `components` (count of them) in all.
size_t countMatching(const std::string* components, size_t count, bool absolute) {
    size_t found = 0;
    for (Node* candidate : Scene::current().nodesNamed(components[count - 1]))
        if (candidate->isDag() && !isWorld(*candidate))
            found += countUpward(*candidate, components, count - 1, absolute);
    return found;
}
}  // namespace

size_t matchingPathCount(const Node& node, const std::vector<std::string>& components,
                         bool absolute) {
    if (components.empty() || !node.isDag() || !node.inScene || isWorld(node) ||
        !componentMatches(components.back(), node))
        return 0;
    return countUpward(node, components.data(), components.size() - 1, absolute);
}

std::vector<NodePath> matchingPaths(const std::vector<std::string>& components, bool absolute) {
    std::vector<NodePath> out;
    if (components.empty())
        return out;
    const std::string& last = components.back();
    std::vector<Node*> candidates;
    if (hasWildcard(last)) {
        for (Node* n : Scene::current().allNodes())
            if (globMatch(last, n->name()))
                candidates.push_back(n);
    } else {
        candidates = Scene::current().nodesNamed(last);
    }
    for (Node* candidate : candidates) {
        if (!candidate->isDag() || isWorld(*candidate))
            continue;
        NodePath tail;
        matchUpward(*candidate, components.size() - 1, components, absolute, tail, out);
    }
    return out;
}

// ---------------------------------------------------------------- values

void readDouble3(Node& node, Attribute* compound, double out[3]) {
    for (size_t i = 0; i < 3; ++i)
        out[i] = valueAsDouble(evaluate(PlugRef{&node, PlugPath{compound->children[i].get(), {}}}));
}

MStatus writeDouble3(Node& node, Attribute* compound, const double values[3]) {
    return assignChanged(node, *compound, values, 3);
}

namespace {
double readDouble(Node& node, Attribute* attribute) {
    return valueAsDouble(evaluate(PlugRef{&node, PlugPath{attribute, {}}}));
}
bool isTransform(const Node& node) {
    return node.type().hasFn(MFn::kTransform) && node.findAttribute("translate");
}
}  // namespace

MTransformationMatrix transformationOf(Node& node) {
    MTransformationMatrix tm;
    if (!isTransform(node))
        return tm;
    const DagAttributes& a = attributes();
    double v[3];
    readDouble3(node, a.scalePivot, v);
    tm.setScalePivot(MPoint(v[0], v[1], v[2]), MSpace::kTransform, false);
    readDouble3(node, a.scalePivotTranslate, v);
    tm.setScalePivotTranslation(MVector(v), MSpace::kTransform);
    readDouble3(node, a.scale, v);
    tm.setScale(v, MSpace::kTransform);
    readDouble3(node, a.shear, v);
    tm.setShear(v, MSpace::kTransform);
    readDouble3(node, a.rotatePivot, v);
    tm.setRotatePivot(MPoint(v[0], v[1], v[2]), MSpace::kTransform, false);
    readDouble3(node, a.rotatePivotTranslate, v);
    tm.setRotatePivotTranslation(MVector(v), MSpace::kTransform);
    readDouble3(node, a.rotateAxis, v);
    tm.setRotationOrientation(MEulerRotation(v, MEulerRotation::kXYZ).asQuaternion());
    readDouble3(node, a.rotate, v);
    long order = valueAsLong(evaluate(PlugRef{&node, PlugPath{a.rotateOrder, {}}}));
    if (order < 0 || order > 5)
        order = 0;
    tm.setRotation(
        v, static_cast<MTransformationMatrix::RotationOrder>(MTransformationMatrix::kXYZ + order));
    readDouble3(node, a.translate, v);
    tm.setTranslation(MVector(v), MSpace::kTransform);
    return tm;
}

MMatrix localMatrix(Node& node) {
    Attribute* m = attributes().matrix;
    if (!m || !node.isDag())
        return MMatrix();
    Value value = evaluate(PlugRef{&node, PlugPath{m, {}}});
    if (auto* data = std::get_if<std::shared_ptr<Data>>(&value))
        if (auto* matrix = dynamic_cast<MatrixData*>(data->get()))
            return matrix->value;
    return MMatrix();
}

MMatrix pathMatrix(const NodePath& path, size_t count) {
    MMatrix product;
    Attribute* inherits = attributes().inheritsTransform;
    for (size_t i = 1; i <= count && i < path.size(); ++i) {
        Node& n = *path[i];
        bool inherit = !isTransform(n) || readDouble(n, inherits) != 0.0;
        product = inherit ? localMatrix(n) * product : localMatrix(n);
    }
    return product;
}

// ---------------------------------------------------------------- access

std::string PathAccess::fullPathName(const MDagPath& path) {
    return joinedFullPath(path.nodes());
}

std::string PathAccess::partialPathName(const MDagPath& path) {
    return shortestUniqueTail(path.nodes());
}

NodePath PathAccess::nodes(const MDagPath& path) {
    NodePath nodes;
    nodes.reserve(path.nodes().size());
    for (const MObject& o : path.nodes())
        nodes.push_back(host::nodeOf(o));
    return nodes;
}

Node* PathAccess::liveEnd(const MDagPath& path) {
    Node* above = nullptr;
    for (const MObject& o : path.nodes()) {
        Node* n = host::nodeOf(o);
        if (!continuesLive(above, *n))
            return nullptr;
        above = n;
    }
    return above;
}

Node* PathAccess::end(const MDagPath& path) {
    return path.nodes().empty() ? nullptr : host::nodeOf(path.nodes().back());
}

MDagPath PathAccess::make(const NodePath& nodes) {
    MDagPath path;
    std::vector<MObject>& objects = path.changeNodes();
    objects.reserve(nodes.size());
    for (Node* n : nodes)
        objects.push_back(Scene::current().object(n));
    return path;
}

MDagPath PathAccess::child(const MDagPath& parent, Node* child) {
    MDagPath path;
    std::vector<MObject>& objects = path.changeNodes();
    objects.reserve(parent.nodes().size() + 1);
    objects = parent.nodes();
    objects.push_back(Scene::current().object(child));
    return path;
}

}  // namespace dag
}  // namespace host
