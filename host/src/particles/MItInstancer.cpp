#include "dag/Dag.h"
#include "graph/Scene.h"
#include "particles/Instancer.h"

#include <maya/MItInstancer.h>

#include <cstring>

namespace host {
namespace particles {

struct InstancerWalk {
    std::vector<Node*> instancers;
    size_t current = 0;
    // The current instancer as the API names it, made once per instancer:
    // a bake asks for its id at every particle.
    MObject currentObject;
    InstancerView view;
    size_t draw = 0;
    // The DAG paths below the current particle's object, walked only once
    // asked for: a bake that reads matrices and ids never needs them.
    std::vector<dag::NodePath> paths;
    bool pathsLoaded = false;
    size_t path = 0;

    bool done() const { return current >= instancers.size(); }
    const Draw* currentDraw() const { return done() ? nullptr : &view.draws[draw]; }

    void collect(const dag::NodePath& path) {
        paths.push_back(path);
        for (Node* child : path.back()->children) {
            dag::NodePath below = path;
            below.push_back(child);
            collect(below);
        }
    }
    void enterParticle() {
        pathsLoaded = false;
        path = 0;
    }
    const std::vector<dag::NodePath>& currentPaths() {
        if (!pathsLoaded) {
            paths.clear();
            collect(dag::firstPath(*view.draws[draw].object));
            pathsLoaded = true;
        }
        return paths;
    }
    // Stops at the first instancer from `current` on that draws anything.
    void load() {
        for (; current < instancers.size(); ++current) {
            evaluateInstancer(*instancers[current], view);
            if (!view.draws.empty()) {
                currentObject = Scene::current().object(instancers[current]);
                draw = 0;
                enterParticle();
                return;
            }
        }
        currentObject = MObject();
    }
    void reset() {
        static NodeFilter all([](const Node& node) { return node.type().hasFn(MFn::kInstancer); });
        instancers = all.nodes();
        current = 0;
        load();
    }
    void nextInstancer() {
        if (done())
            return;
        ++current;
        load();
    }
    void nextParticle() {
        if (done())
            return;
        if (++draw < view.draws.size())
            enterParticle();
        else
            nextInstancer();
    }
    void next() {
        if (done())
            return;
        if (++path >= currentPaths().size())
            nextParticle();
    }
};

}  // namespace particles
}  // namespace host

using host::particles::InstancerWalk;

MItInstancer::MItInstancer() : m_walk(std::make_unique<InstancerWalk>()) {
    m_walk->reset();
}

MItInstancer::~MItInstancer() = default;

MStatus MItInstancer::reset() {
    m_walk->reset();
    return MS::kSuccess;
}

MStatus MItInstancer::next() {
    if (m_walk->done())
        return MS::kFailure;
    m_walk->next();
    return MS::kSuccess;
}

MStatus MItInstancer::nextParticle() {
    if (m_walk->done())
        return MS::kFailure;
    m_walk->nextParticle();
    return MS::kSuccess;
}

MStatus MItInstancer::nextInstancer() {
    if (m_walk->done())
        return MS::kFailure;
    m_walk->nextInstancer();
    return MS::kSuccess;
}

bool MItInstancer::isDone() const {
    return m_walk->done();
}

MObject MItInstancer::instancer() const {
    return m_walk->currentObject;
}

MDagPath MItInstancer::instancerPath() const {
    if (m_walk->done())
        return MDagPath();
    return host::dag::PathAccess::make(host::dag::firstPath(*m_walk->instancers[m_walk->current]));
}

MDagPath MItInstancer::path() {
    if (m_walk->done())
        return MDagPath();
    return host::dag::PathAccess::make(m_walk->currentPaths()[m_walk->path]);
}

MMatrix MItInstancer::matrix() {
    const host::particles::Draw* draw = m_walk->currentDraw();
    return draw ? draw->matrix : MMatrix();
}

MUintPtrSz MItInstancer::instancerId() const {
    MUintPtrSz id = 0;
    std::memcpy(&id, &m_walk->currentObject, sizeof(id));
    return id;
}

unsigned int MItInstancer::particleId() const {
    const host::particles::Draw* draw = m_walk->currentDraw();
    return draw ? static_cast<unsigned>(draw->particleId) : 0u;
}

unsigned int MItInstancer::pathId() const {
    return m_walk->done() ? 0u : static_cast<unsigned>(m_walk->path);
}
