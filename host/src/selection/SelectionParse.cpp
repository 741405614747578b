// Turning selection strings into selection items.
#include "dag/Dag.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"
#include "selection/Component.h"
#include "selection/Selection.h"

#include <algorithm>
#include <cctype>

namespace host {
namespace selection {

namespace {

std::string trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

bool isNumber(const std::string& text) {
    if (text.empty() || text.size() > 9)
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// One step of an attribute part: "attr" or "attr[index]".
struct Step {
    std::string name;
    bool indexed = false;
    std::string index;  // what stands between the brackets
};

bool parseSteps(const std::string& text, std::vector<Step>& steps) {
    for (const std::string& part : split(text, '.')) {
        Step step;
        size_t open = part.find('[');
        step.name = part.substr(0, open);
        if (step.name.empty())
            return false;
        if (open != std::string::npos) {
            if (part.back() != ']' || part.find('[', open + 1) != std::string::npos)
                return false;
            step.indexed = true;
            step.index = part.substr(open + 1, part.size() - open - 2);
        }
        steps.push_back(step);
    }
    return !steps.empty();
}

bool isWorld(const Node* node) {
    return node == &Scene::current().world();
}

// The names in "a|b" or "|a|b", and whether it starts at the world; none
// when a part is empty.
std::vector<std::string> pathComponents(std::string_view text, bool& absolute) {
    absolute = text.front() == '|';
    if (absolute)
        text.remove_prefix(1);
    std::vector<std::string> components;
    components.reserve(1 + static_cast<size_t>(std::count(text.begin(), text.end(), '|')));
    for (;;) {
        const size_t at = text.find('|');
        const std::string_view part = text.substr(0, at);
        if (part.empty())
            return {};
        components.emplace_back(part);
        if (at == std::string_view::npos)
            return components;
        text.remove_prefix(at + 1);
    }
}

// The DAG paths that "a|b" or "|a|b" names.
std::vector<dag::NodePath> pathsNamed(const std::string& text) {
    bool absolute = false;
    const std::vector<std::string> components = pathComponents(text, absolute);
    return dag::matchingPaths(components, absolute);
}

// Whether a node found by its name gives items: the world never does, a
// DAG node through its paths.
bool nameable(Node& node) {
    return !isWorld(&node) && (!node.isDag() || !dag::firstPath(node).empty());
}

// Every node or DAG path that the node part of a string names.
std::vector<Item> objectsNamed(const std::string& text) {
    std::vector<Item> found;
    Scene& scene = Scene::current();
    if (text.find('|') != std::string::npos) {
        for (const dag::NodePath& p : pathsNamed(text))
            found.push_back(pathItem(dag::PathAccess::make(p), MObject()));
        return found;
    }
    const bool pattern = dag::hasWildcard(text);
    std::vector<Node*> matched;
    if (pattern) {
        for (Node* n : scene.allNodes())
            if (dag::globMatch(text, n->name()))
                matched.push_back(n);
    }
    // A plain name is read where the scene keeps it.
    const std::vector<Node*>& candidates = pattern ? matched : scene.nodesNamed(text);
    for (Node* n : candidates) {
        if (isWorld(n))
            continue;
        if (!n->isDag()) {
            found.push_back(nodeItem(scene.object(n)));
            continue;
        }
        for (const dag::NodePath& p : dag::allPaths(*n))
            found.push_back(pathItem(dag::PathAccess::make(p), MObject()));
    }
    return found;
}

// "pt[3]", "pt[3:7]" or "pt[*]" on a shape (or on a transform with one
// shape under it).
bool componentOf(const Item& base, const std::vector<Step>& steps, Item& out) {
    if (!base.isDag() || steps.size() != 1 || !steps[0].indexed)
        return false;
    MDagPath shapePath = base.path;
    const ComponentKind* kind = componentKind(*host::nodeOf(shapePath.node()), steps[0].name);
    if (!kind) {
        if (!shapePath.extendToShape())
            return false;
        kind = componentKind(*host::nodeOf(shapePath.node()), steps[0].name);
        if (!kind)
            return false;
    }
    const std::string& index = steps[0].index;
    long first = 0, last = 0;
    if (index == "*") {
        long count = kind->count ? kind->count(*host::nodeOf(shapePath.node())) : -1;
        if (count < 0)
            return false;
        last = count - 1;
    } else {
        size_t colon = index.find(':');
        std::string from = index.substr(0, colon);
        std::string to = colon == std::string::npos ? from : index.substr(colon + 1);
        if (!isNumber(from) || !isNumber(to))
            return false;
        first = std::stol(from);
        last = std::stol(to);
        if (last < first)
            return false;
    }
    auto component = std::make_shared<Component>(kind->componentType);
    for (long e = first; e <= last; ++e)
        component->add(static_cast<int>(e));
    out = pathItem(shapePath, toMObject(component));
    return true;
}

// "attr", "attr[3]", "attr[3].child", "attr.child": long or short names,
// each later step a descendant of the one before.
bool plugOf(Node& node, const std::vector<Step>& steps, PlugPath& path) {
    std::vector<std::pair<Attribute*, const Step*>> named;
    Attribute* current = nullptr;
    for (const Step& step : steps) {
        Attribute* next = nullptr;
        if (!current) {
            next = node.findAttribute(step.name);
        } else {
            for (const auto& child : current->children)
                if ((next = child->find(step.name)))
                    break;
        }
        if (!next)
            return false;
        if (step.indexed && (!next->array || !isNumber(step.index)))
            return false;
        named.emplace_back(next, &step);
        current = next;
    }
    // Every array on the way down needs its index, except the plug itself,
    // which may be the whole array.
    path.attribute = current;
    path.indices.clear();
    for (const Attribute* a : current->arrayChain()) {
        const Step* given = nullptr;
        for (const auto& n : named)
            if (n.first == a)
                given = n.second;
        if (given && given->indexed) {
            path.indices.push_back(static_cast<unsigned>(std::stoul(given->index)));
        } else if (a != current) {
            return false;
        }
    }
    return true;
}

}  // namespace

Node* firstNodeNamed(std::string_view name) {
    // One pass over the name, rather than one search for each character.
    const auto special = [](char c) {
        return c == '.' || c == '[' || c == ']' || c == '*' || c == '?' || c == ':';
    };
    if (name.empty() || std::any_of(name.begin(), name.end(), special))
        return nullptr;
    if (name.find('|') != std::string_view::npos) {
        // The node that the first path pathsNamed would give ends at,
        // found without making the paths.
        bool absolute = false;
        const std::vector<std::string> components = pathComponents(name, absolute);
        if (components.empty())
            return nullptr;
        for (Node* n : Scene::current().nodesNamed(components.back()))
            if (dag::matchingPathCount(*n, components, absolute) > 0)
                return n;
        return nullptr;
    }
    for (Node* n : Scene::current().nodesNamed(std::string(name)))
        if (nameable(*n))
            return n;
    return nullptr;
}

MStatus itemsNamed(const std::string& text, std::vector<Item>& found) {
    std::string name = trim(text);
    if (name.empty())
        return noSuchObject();
    size_t dot = name.find('.');
    std::vector<Item> bases = objectsNamed(name.substr(0, dot));
    if (dot == std::string::npos) {
        const bool none = bases.empty();
        takeItems(found, bases);
        return none ? noSuchObject() : MStatus(MS::kSuccess);
    }
    std::vector<Step> steps;
    if (!parseSteps(name.substr(dot + 1), steps))
        return noSuchObject();
    std::vector<Item> named;
    for (const Item& base : bases) {
        Item item;
        PlugPath path;
        if (componentOf(base, steps, item))
            named.push_back(item);
        else if (plugOf(*host::nodeOf(base.node), steps, path))
            named.push_back(plugItem(PlugAccess::make(host::nodeOf(base.node), path)));
    }
    const bool none = named.empty();
    takeItems(found, named);
    return none ? noSuchObject() : MStatus(MS::kSuccess);
}

}  // namespace selection
}  // namespace host
