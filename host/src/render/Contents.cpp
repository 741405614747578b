#include "render/Contents.h"

#include "commands/Support.h"
#include "dag/Dag.h"
#include "graph/PlugAccess.h"
#include "particles/Instancer.h"
#include "particles/Particles.h"

#include <algorithm>

namespace host {
namespace render {

namespace {

bool flag(Node& node, Attribute* attribute) {
    return valueAsLong(evaluate(PlugRef{&node, PlugPath{attribute, {}}})) != 0;
}

bool isMesh(Node& node) {
    return node.type().hasFn(MFn::kMesh) && !flag(node, dag::attributes().intermediateObject);
}

void addMesh(Contents& contents, Node& mesh, const MMatrix& world) {
    contents.meshes.push_back({geometry::meshOf(mesh), world});
}

// The instancer draws each particle's object hierarchy whether or not the
// object itself is hidden, as the viewport does, so that hidden originals
// still show at the particles.
void addInstances(Contents& contents, Node& instancer) {
    for (const particles::Draw& draw : particles::evaluateInstancer(instancer).draws) {
        std::vector<dag::NodePath> pending{dag::firstPath(*draw.object)};
        while (!pending.empty()) {
            dag::NodePath path = std::move(pending.back());
            pending.pop_back();
            if (isMesh(*path.back()))
                addMesh(contents, *path.back(), dag::inclusiveMatrix(path) * draw.matrix);
            for (Node* child : path.back()->children) {
                pending.push_back(path);
                pending.back().push_back(child);
            }
        }
    }
}

void addParticles(Contents& contents, Node& shape, const MMatrix& world) {
    const MVectorArray positions = particles::vectors(shape, particles::shapeAttributes().position);
    for (unsigned i = 0; i < positions.length(); ++i)
        contents.particles.push_back(MPoint(positions[i]) * world);
}

class Walk {
public:
    Walk(Contents& contents, const std::vector<Node*>& roots)
        : m_contents(contents), m_roots(roots) {}

    void visit(dag::NodePath& path, bool included) {
        Node& node = *path.back();
        if (path.size() > 1 && !flag(node, dag::attributes().visibility))
            return;
        included = included || std::count(m_roots.begin(), m_roots.end(), &node) > 0;
        if (included) {
            if (isMesh(node))
                addMesh(m_contents, node, dag::inclusiveMatrix(path));
            else if (particles::isShape(node))
                addParticles(m_contents, node, dag::inclusiveMatrix(path));
            else if (node.type().hasFn(MFn::kInstancer))
                addInstances(m_contents, node);
        }
        for (Node* child : node.children) {
            path.push_back(child);
            visit(path, included);
            path.pop_back();
        }
    }

private:
    Contents& m_contents;
    const std::vector<Node*>& m_roots;
};

// Object sets stand for their members.
std::vector<Node*> expand(const std::vector<Node*>& roots) {
    std::vector<Node*> nodes;
    for (Node* root : roots) {
        if (!root->type().hasFn(MFn::kSet)) {
            nodes.push_back(root);
            continue;
        }
        for (const commands::Target& member : commands::targets(commands::setMembers(*root)))
            nodes.push_back(member.node);
    }
    return nodes;
}

}  // namespace

Bounds Contents::bounds() const {
    Bounds box;
    for (const MeshDraw& draw : meshes)
        for (unsigned i = 0; i < draw.mesh->points.length(); ++i)
            box.add(draw.mesh->points[i] * draw.world);
    for (const MPoint& p : particles)
        box.add(p);
    return box;
}

Contents gather(const std::vector<Node*>& roots) {
    Contents contents;
    const std::vector<Node*> nodes = expand(roots);
    Walk walk(contents, nodes);
    dag::NodePath path{&Scene::current().world()};
    walk.visit(path, roots.empty());
    return contents;
}

}  // namespace render
}  // namespace host
