#ifndef HOST_SELECTION_COMPONENT_H
#define HOST_SELECTION_COMPONENT_H

#include "graph/Node.h"
#include "graph/Object.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace host {
namespace selection {

// Elements of one shape picked by single indices: vertices, particles.
// Elements keep the order they were added in and appear once.
class Component : public Object {
public:
    explicit Component(MFn::Type type) : m_type(type) {}

    MFn::Type apiType() const override { return m_type; }
    bool hasFn(MFn::Type type) const override {
        return type == MFn::kComponent || type == MFn::kSingleIndexedComponent ||
               Object::hasFn(type);
    }

    const std::vector<int>& elements() const { return m_elements; }
    bool add(int element);
    bool remove(int element);
    bool contains(int element) const { return m_index.count(element) != 0; }
    std::shared_ptr<Component> clone() const;

    // "Every element" of a shape with completeCount elements.
    bool complete = false;
    int completeCount = 0;

private:
    MFn::Type m_type;
    std::vector<int> m_elements;
    std::set<int> m_index;
};

inline Component* componentOf(const MObject& object) {
    return ObjectAccess::as<Component>(object);
}
bool isComponentType(MFn::Type type);

// How a shape type names its components in selection strings ("pt",
// "vtx"), and how many elements "[*]" stands for on a given node.
struct ComponentKind {
    MFn::Type shapeType;
    std::string name;
    MFn::Type componentType;
    std::function<long(Node&)> count;  // empty when the shape cannot tell
};
const ComponentKind* componentKind(const Node& shape, const std::string& name);
const ComponentKind* componentKindOf(MFn::Type componentType);
// Node types added later (by other parts of the host) name their own.
void registerComponentKind(ComponentKind kind);

}  // namespace selection
}  // namespace host

#endif
