#include "particles/SceneEdit.h"

namespace host {
namespace particles {

Node* SceneEdit::create(const std::string& type, const std::string& name, Node* parent) {
    NodePtr node = Scene::current().createNode(type, name, parent);
    if (!node)
        return nullptr;
    Step step{Kind::Create, node, {}, {}, {}, {}, {}};
    m_steps.push_back(step);
    return node.get();
}

bool SceneEdit::connect(const PlugRef& source, const PlugRef& destination) {
    if (!Scene::current().connect(source, destination))
        return false;
    m_steps.push_back(Step{Kind::Connect, nullptr, {}, source, destination, {}, {}});
    return true;
}

bool SceneEdit::disconnect(const PlugRef& source, const PlugRef& destination) {
    if (!Scene::current().disconnect(source, destination))
        return false;
    m_steps.push_back(Step{Kind::Disconnect, nullptr, {}, source, destination, {}, {}});
    return true;
}

void SceneEdit::store(const PlugRef& plug, const Value& value) {
    plug.node->storage(plug.path).value = cloneValue(value);
    Scene::current().propagateDirty(*plug.node, plug.path.attribute);
    Scene::current().touch();
}

void SceneEdit::set(const PlugRef& plug, const Value& value) {
    const PlugValue* old = plug.node->stored(plug.path);
    Step step;
    step.kind = Kind::Set;
    step.first = plug;
    step.before = old ? cloneValue(old->value) : Value{};
    step.after = cloneValue(value);
    store(plug, value);
    m_steps.push_back(std::move(step));
}

void SceneEdit::undo() {
    Scene& scene = Scene::current();
    for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it) {
        switch (it->kind) {
            case Kind::Create:
                it->links = scene.removeNode(*it->node);
                break;
            case Kind::Connect:
                scene.disconnect(it->first, it->second);
                break;
            case Kind::Disconnect:
                scene.connect(it->first, it->second);
                break;
            case Kind::Set:
                store(it->first, it->before);
                break;
        }
    }
}

void SceneEdit::redo() {
    Scene& scene = Scene::current();
    for (Step& step : m_steps) {
        switch (step.kind) {
            case Kind::Create:
                scene.restoreNode(step.node, step.links);
                break;
            case Kind::Connect:
                scene.connect(step.first, step.second);
                break;
            case Kind::Disconnect:
                scene.disconnect(step.first, step.second);
                break;
            case Kind::Set:
                store(step.first, step.after);
                break;
        }
    }
}

}  // namespace particles
}  // namespace host
