#include "selection/Component.h"

#include "graph/PlugAccess.h"

#include <algorithm>

namespace host {
namespace selection {

bool Component::add(int element) {
    if (!m_index.insert(element).second)
        return false;
    m_elements.push_back(element);
    return true;
}

bool Component::remove(int element) {
    if (!m_index.erase(element))
        return false;
    m_elements.erase(std::find(m_elements.begin(), m_elements.end(), element));
    return true;
}

std::shared_ptr<Component> Component::clone() const {
    auto copy = std::make_shared<Component>(m_type);
    copy->m_elements = m_elements;
    copy->m_index = m_index;
    copy->complete = complete;
    copy->completeCount = completeCount;
    return copy;
}

bool isComponentType(MFn::Type type) {
    return type == MFn::kSingleIndexedComponent || componentKindOf(type) != nullptr;
}

namespace {
// The number a node keeps in its "count" attribute (a particle shape's
// particle count).
long countAttribute(Node& node) {
    Attribute* count = node.findAttribute("count");
    return count ? valueAsLong(evaluate(PlugRef{&node, PlugPath{count, {}}})) : -1;
}

std::vector<ComponentKind>& kinds() {
    static std::vector<ComponentKind> all = {
        {MFn::kParticle, "pt", MFn::kDynParticleSetComponent, countAttribute},
        {MFn::kMesh, "vtx", MFn::kMeshVertComponent, nullptr},
    };
    return all;
}
}  // namespace

const ComponentKind* componentKind(const Node& shape, const std::string& name) {
    for (const ComponentKind& k : kinds())
        if (k.name == name && shape.hasFn(k.shapeType))
            return &k;
    return nullptr;
}

const ComponentKind* componentKindOf(MFn::Type componentType) {
    for (const ComponentKind& k : kinds())
        if (k.componentType == componentType)
            return &k;
    return nullptr;
}

void registerComponentKind(ComponentKind kind) {
    for (ComponentKind& k : kinds()) {
        if (k.shapeType == kind.shapeType && k.name == kind.name) {
            k = std::move(kind);
            return;
        }
    }
    kinds().push_back(std::move(kind));
}

}  // namespace selection
}  // namespace host
