#ifndef HOST_GRAPH_PLUG_H
#define HOST_GRAPH_PLUG_H

#include <tuple>
#include <vector>

namespace host {

class Attribute;
class Node;

// Where a plug sits on its node: the attribute, and one logical index for
// each array attribute on the way down to it (outermost first). A plug on an
// array attribute with one index fewer than its array chain is the array
// itself.
struct PlugPath {
    Attribute* attribute = nullptr;
    std::vector<unsigned> indices;

    bool operator<(const PlugPath& o) const {
        return std::tie(attribute, indices) < std::tie(o.attribute, o.indices);
    }
    bool operator==(const PlugPath& o) const {
        return attribute == o.attribute && indices == o.indices;
    }
    bool operator!=(const PlugPath& o) const { return !(*this == o); }
};

// A plug anywhere in the graph.
struct PlugRef {
    Node* node = nullptr;
    PlugPath path;

    bool operator<(const PlugRef& o) const {
        return std::tie(node, path) < std::tie(o.node, o.path);
    }
    bool operator==(const PlugRef& o) const { return node == o.node && path == o.path; }
};

}  // namespace host

#endif
