#include "shading/ShadingEditor.h"

#include "graph/NodeType.h"
#include "graph/Scene.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace host {
namespace shading {

namespace {

bool classified(const Node& node, const std::string& prefix) {
    for (const NodeType* t = &node.type(); t; t = t->parent)
        if (t->classification.compare(0, prefix.size(), prefix) == 0)
            return true;
    return false;
}

struct Tab {
    std::string name;
    std::function<bool(const Node&)> lists;
};

bool isShadingNode(const Node& node);

const std::vector<Tab>& tabs() {
    static const std::vector<Tab> all{
        {"Materials", [](const Node& n) { return classified(n, "shader/surface"); }},
        {"Textures", [](const Node& n) { return classified(n, "texture/"); }},
        {"Utilities", [](const Node& n) { return classified(n, "utility/"); }},
        {"Lights", [](const Node& n) { return classified(n, "light"); }},
        {"Cameras", [](const Node& n) { return n.type().hasFn(MFn::kCamera); }},
        {"Shading Groups", [](const Node& n) { return n.type().isA("shadingEngine"); }},
        {"Bake Sets", [](const Node& n) { return n.type().isA("bakeSet"); }},
        // A file browser: it lists no nodes.
        {"Projects", [](const Node&) { return false; }},
        // The whole shading network stands graphed in the work area.
        {"Work Area", isShadingNode},
    };
    return all;
}

bool isShadingNode(const Node& node) {
    const auto& all = tabs();
    return std::any_of(all.begin(), all.end(),
                       [&](const Tab& tab) { return tab.name != "Work Area" && tab.lists(node); });
}

// Weak, so that hiding keeps no node alive; a deleted node that undo brings
// back is the same node and is still hidden.
std::vector<std::weak_ptr<Node>>& hidden() {
    static std::vector<std::weak_ptr<Node>> nodes;
    nodes.erase(std::remove_if(nodes.begin(), nodes.end(),
                               [](const std::weak_ptr<Node>& n) { return n.expired(); }),
                nodes.end());
    return nodes;
}

}  // namespace

const std::vector<std::string>& tabNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (const Tab& tab : tabs())
            result.push_back(tab.name);
        return result;
    }();
    return names;
}

bool isTab(const std::string& name) {
    const auto& names = tabNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::vector<Node*> tabContents(const std::string& name) {
    std::vector<Node*> result;
    for (const Tab& tab : tabs()) {
        if (tab.name != name)
            continue;
        // The scene's default material and shading groups are not the
        // user's to tidy; the tabs list what the user made.
        for (Node* node : Scene::current().allNodes())
            if (!node->isDefault && tab.lists(*node) && !isHidden(*node))
                result.push_back(node);
    }
    return result;
}

bool isHidden(const Node& node) {
    const auto& nodes = hidden();
    return std::any_of(nodes.begin(), nodes.end(),
                       [&](const std::weak_ptr<Node>& n) { return n.lock().get() == &node; });
}

bool hide(const NodePtr& node) {
    if (isHidden(*node))
        return false;
    hidden().push_back(node);
    return true;
}

bool show(const Node& node) {
    auto& nodes = hidden();
    auto it = std::find_if(nodes.begin(), nodes.end(),
                           [&](const std::weak_ptr<Node>& n) { return n.lock().get() == &node; });
    if (it == nodes.end())
        return false;
    nodes.erase(it);
    return true;
}

std::vector<NodePtr> hiddenNodes() {
    std::vector<NodePtr> result;
    for (const auto& weak : hidden())
        if (NodePtr node = weak.lock(); node->inScene)
            result.push_back(node);
    return result;
}

}  // namespace shading
}  // namespace host
