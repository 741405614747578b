#ifndef HOST_PARTICLES_SCENEEDIT_H
#define HOST_PARTICLES_SCENEEDIT_H

#include "graph/Scene.h"

#include <string>
#include <vector>

namespace host {
namespace particles {

// The scene changes one particle command makes, recorded as it makes them
// so that the command can take them back and make them again.
class SceneEdit {
public:
    // Null for an unknown type.
    Node* create(const std::string& type, const std::string& name, Node* parent = nullptr);
    // False (and nothing recorded) when the destination is already fed.
    bool connect(const PlugRef& source, const PlugRef& destination);
    bool disconnect(const PlugRef& source, const PlugRef& destination);
    // Stores the value and dirties what depends on the plug.
    void set(const PlugRef& plug, const Value& value);

    void undo();
    void redo();
    bool empty() const { return m_steps.empty(); }

private:
    enum class Kind { Create, Connect, Disconnect, Set };
    struct Step {
        Kind kind;
        NodePtr node;
        Scene::Detached links;
        PlugRef first, second;  // source and destination; the plug of a Set
        Value before, after;
    };
    static void store(const PlugRef& plug, const Value& value);
    std::vector<Step> m_steps;
};

}  // namespace particles
}  // namespace host

#endif
