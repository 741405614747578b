#include "graph/Scene.h"

#include <maya/MPxNode.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>

namespace host {

// ---------------------------------------------------------------- scene

Scene& Scene::current() {
    static Scene scene;
    return scene;
}

Scene::Scene() {}

NodePtr Scene::share(Node* node) const {
    if (!node)
        return nullptr;
    return std::static_pointer_cast<Node>(node->shared_from_this());
}

MObject Scene::object(Node* node) const {
    if (!node)
        return MObject();
    return toMObject(share(node));
}

namespace {
bool validName(const std::string& name) {
    if (name.empty())
        return false;
    if (std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '#'))
            return false;
    return true;
}
}  // namespace

std::string Scene::uniqueName(const std::string& requested, const Node* node,
                              const Node* parent) const {
    std::string name = requested;
    if (!validName(name)) {
        // The host replaces what a name may not hold by underscores and
        // puts one in front of a leading digit.
        std::string fixed;
        for (char c : name)
            fixed +=
                (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '#') ? c : '_';
        if (fixed.empty())
            fixed = node ? node->type().name : "node";
        if (std::isdigit(static_cast<unsigned char>(fixed[0])))
            fixed = "_" + fixed;
        name = fixed;
    }
    size_t hash = name.find('#');
    if (hash != std::string::npos) {
        std::string stem = name.substr(0, hash);
        std::string tail = name.substr(hash + 1);
        tail.erase(std::remove(tail.begin(), tail.end(), '#'), tail.end());
        if (tail.empty())
            return m_names.freeNumbered(stem);
        for (unsigned long n = 1;; ++n) {
            std::string candidate = stem + std::to_string(n) + tail;
            if (!m_names.taken(candidate))
                return candidate;
        }
    }
    const auto* holders = m_names.find(name);
    if (!holders)
        return name;
    // DAG nodes may share a name when their parents differ; the name must
    // stay unique among siblings and against every non-DAG node.
    bool clash = false;
    for (Node* other : *holders) {
        if (other == node)
            continue;
        if (!node || !node->isDag() || !other->isDag()) {
            clash = true;
            break;
        }
        const Node* p =
            parent ? parent : (node->parents.empty() ? m_world.get() : node->parents[0]);
        if (std::find(other->parents.begin(), other->parents.end(), p) != other->parents.end() ||
            (other->parents.empty() && p == m_world.get())) {
            clash = true;
            break;
        }
    }
    if (!clash)
        return name;
    auto [stem, number] = splitTrailingNumber(name);
    (void)number;
    return m_names.freeNumbered(stem);
}

void Scene::registerName(Node& node) {
    m_names.add(node.m_name, &node);
}
void Scene::unregisterName(Node& node) {
    m_names.remove(node.m_name, &node);
}

NodePtr Scene::createNode(const std::string& typeName, const std::string& name, Node* parent) {
    NodeType* type = NodeTypeRegistry::instance().find(typeName);
    if (!type)
        return nullptr;
    return createNode(*type, name, parent);
}

namespace {
// The types' own set-ups, the most general type's first.
void runOnCreate(const NodeType* type, Node& node) {
    if (!type)
        return;
    runOnCreate(type->parent, node);
    if (type->onCreate)
        type->onCreate(node);
}
}  // namespace

NodePtr Scene::createNode(NodeType& type, const std::string& name, Node* parent) {
    if (type.abstract)
        return nullptr;
    auto node = std::make_shared<Node>(type);
    if (type.creator)
        node->setUser(type.creator());
    std::string requested = name.empty() ? type.name + "#" : name;
    if (node->isDag()) {
        Node* p = parent ? parent : m_world.get();
        if (m_world) {
            node->parents.push_back(p);
            p->children.push_back(node.get());
        }
    }
    node->m_name = uniqueName(requested, node.get(), parent);
    node->inScene = true;
    node->m_orderPosition = static_cast<std::uint32_t>(m_order.size());
    m_order.push_back(node);
    ++m_nodeCount;
    if (type.followsClock)
        followerWoke(*node);
    registerName(*node);
    if (type.apiType == MFn::kWorld && !m_world)
        m_world = node;
    runOnCreate(&type, *node);
    if (node->user())
        node->user()->postConstructor();
    touch();
    return node;
}

Scene::Detached Scene::removeNode(Node& node) {
    Detached cut;
    if (!node.inScene)
        return cut;
    for (const auto& in : Node::Inputs(node.inputs))
        cut.connections.push_back({in.second, PlugRef{&node, in.first}});
    for (const auto& out : Node::Outputs(node.outputs))
        for (const auto& dst : out.second)
            if (dst.node != &node)
                cut.connections.push_back({PlugRef{&node, out.first}, dst});
    for (const auto& c : cut.connections)
        disconnect(c.first, c.second);
    // Each link keeps its places as they were when it was cut; restoreNode puts the links
    // back last first, so that instance numbers come back as they were.
    auto cutLink = [&](Node& parent, Node& child) {
        auto place = [](const auto& list, const Node* n) {
            return static_cast<int>(positionIn(list, n));
        };
        cut.dagLinks.push_back({&parent, &child});
        cut.dagPositions.push_back(place(parent.children, &child));
        cut.parentPositions.push_back(place(child.parents, &parent));
        removeChild(parent, child);
    };
    for (Node* p : std::vector<Node*>(node.parents))
        cutLink(*p, node);
    for (Node* c : std::vector<Node*>(node.children))
        cutLink(node, *c);
    unregisterName(node);
    node.inScene = false;
    ++m_removals;
    {
        NodePtr keep = m_order[node.m_orderPosition];  // the caller's references keep it alive
        m_order[node.m_orderPosition] = nullptr;
        --m_nodeCount;
        if (++m_removedInOrder > 1024 && m_removedInOrder > m_order.size() / 2) {
            m_order.erase(std::remove(m_order.begin(), m_order.end(), nullptr), m_order.end());
            for (size_t i = 0; i < m_order.size(); ++i)
                m_order[i]->m_orderPosition = static_cast<std::uint32_t>(i);
            m_removedInOrder = 0;
        }
    }
    touch();
    return cut;
}

void Scene::restoreNode(const NodePtr& node, const Detached& links) {
    if (!node || node->inScene)
        return;
    node->inScene = true;
    node->m_orderPosition = static_cast<std::uint32_t>(m_order.size());
    m_order.push_back(node);
    ++m_nodeCount;
    for (size_t i = links.dagLinks.size(); i-- > 0;) {
        auto [p, c] = links.dagLinks[i];
        if (p->inScene && c->inScene)
            addChild(*p, *c, links.dagPositions[i], links.parentPositions[i]);
    }
    node->m_name = uniqueName(node->m_name, node.get(), nullptr);
    registerName(*node);
    for (const auto& c : links.connections)
        if (c.first.node->inScene && c.second.node->inScene)
            connect(c.first, c.second);
    for (const auto& a : node->attributes())
        propagateDirty(*node, a);
    if (node->type().followsClock)
        followerWoke(*node);
    touch();
}

std::string Scene::rename(Node& node, const std::string& requested) {
    unregisterName(node);
    node.m_name = uniqueName(requested, &node, nullptr);
    registerName(node);
    touch();
    return node.m_name;
}

const std::vector<Node*>& Scene::nodesNamed(const std::string& shortName) const {
    static const std::vector<Node*> none;
    const auto* list = m_names.find(shortName);
    return list ? *list : none;
}

std::vector<Node*> Scene::allNodes() const {
    std::vector<Node*> all;
    all.reserve(m_nodeCount);
    for (const auto& n : m_order)
        if (n)
            all.push_back(n.get());
    return all;
}

const std::vector<Node*>& Scene::wakefulClockFollowers() {
    std::vector<Node*>& wakeful = m_wakefulFollowers;
    if (m_followersRemovals != m_removals) {
        // A node woken since may be gone: start over from the scene's nodes.
        wakeful.clear();
        for (const auto& n : m_order)
            if (n && n->type().followsClock)
                wakeful.push_back(n.get());
        m_followersRemovals = m_removals;
    } else if (!m_wokenFollowers.empty()) {
        // A node can wake more than once between two looks.
        wakeful.insert(wakeful.end(), m_wokenFollowers.begin(), m_wokenFollowers.end());
        std::sort(wakeful.begin(), wakeful.end(), [](const Node* a, const Node* b) {
            return a->m_orderPosition < b->m_orderPosition;
        });
        wakeful.erase(std::unique(wakeful.begin(), wakeful.end()), wakeful.end());
    }
    m_wokenFollowers.clear();
    wakeful.erase(std::remove_if(wakeful.begin(), wakeful.end(),
                                 [](const Node* n) { return n->m_quiet || !n->inScene; }),
                  wakeful.end());
    return wakeful;
}

const std::vector<Node*>& NodeFilter::nodes() {
    const Scene& scene = Scene::current();
    if (m_removals != scene.m_removals) {
        m_nodes.clear();
        m_seen = 0;
        m_removals = scene.m_removals;
    }
    for (; m_seen < scene.m_order.size(); ++m_seen) {
        Node* node = scene.m_order[m_seen].get();
        if (node && node->inScene && m_keep(*node))
            m_nodes.push_back(node);
    }
    return m_nodes;
}

// ---------------------------------------------------------------- DAG

bool Scene::isAncestor(const Node& ancestor, const Node& node) const {
    if (&ancestor == &node)
        return true;
    for (Node* p : node.parents)
        if (isAncestor(ancestor, *p))
            return true;
    return false;
}

size_t Scene::pathCount(const Node& node) const {
    if (&node == m_world.get())
        return 1;
    if (node.pathCountEpoch == m_pathCountEpoch)
        return node.pathCountCache;
    size_t count = 0;
    for (const Node* parent : node.parents)
        count += pathCount(*parent);
    node.pathCountCache = count;
    node.pathCountEpoch = m_pathCountEpoch;
    return count;
}

void Scene::forgetPathCountsBelow(Node& node) {
    for (Node* child : node.children) {
        if (child->pathCountEpoch != m_pathCountEpoch)
            continue;
        child->pathCountEpoch = 0;
        forgetPathCountsBelow(*child);
    }
}

bool Scene::addChild(Node& parent, Node& child, int position, int parentPosition) {
    if (isAncestor(child, parent))
        return false;
    // Asked of the child's parents: the world may have hundreds of thousands
    // of children, a node seldom more than a few parents.
    if (std::find(child.parents.begin(), child.parents.end(), &parent) != child.parents.end())
        return false;
    // The child's own count moves by the parent's; what hangs below it is
    // worked out again when asked.
    const bool counted = child.pathCountEpoch == m_pathCountEpoch;
    const size_t count = counted ? child.pathCountCache + pathCount(parent) : 0;
    forgetPathCountsBelow(child);
    auto& kids = parent.children;
    if (position < 0 || position > static_cast<int>(kids.size()))
        position = static_cast<int>(kids.size());
    kids.insert(kids.begin() + position, &child);
    auto& parents = child.parents;
    if (parentPosition < 0 || parentPosition > static_cast<int>(parents.size()))
        parentPosition = static_cast<int>(parents.size());
    parents.insert(parents.begin() + parentPosition, &parent);
    child.pathCountEpoch = counted ? m_pathCountEpoch : 0;
    child.pathCountCache = count;
    for (const auto& a : child.attributes())
        if (a->worldSpace || a->affectsWorldSpace)
            propagateDirty(child, a);
    touch();
    return true;
}

bool Scene::removeChild(Node& parent, Node& child) {
    const size_t position = positionIn(parent.children, &child);
    if (position == parent.children.size())
        return false;
    const auto it = parent.children.begin() + static_cast<std::ptrdiff_t>(position);
    const bool counted = child.pathCountEpoch == m_pathCountEpoch;
    const size_t count = counted ? child.pathCountCache - pathCount(parent) : 0;
    forgetPathCountsBelow(child);
    parent.children.erase(it);
    child.parents.erase(std::remove(child.parents.begin(), child.parents.end(), &parent),
                        child.parents.end());
    child.pathCountEpoch = counted ? m_pathCountEpoch : 0;
    child.pathCountCache = count;
    touch();
    return true;
}

// ---------------------------------------------------------------- connections

const PlugRef* Scene::sourceOf(const PlugRef& destination) const {
    auto it = destination.node->inputs.find(destination.path);
    return it == destination.node->inputs.end() ? nullptr : &it->second;
}

bool Scene::connect(const PlugRef& source, const PlugRef& destination) {
    auto& in = destination.node->inputs;
    if (in.count(destination.path))
        return false;
    in[destination.path] = source;
    source.node->outputs[source.path].push_back(destination);
    source.node->stir();
    propagateDirty(*destination.node, destination.path.attribute);
    touch();
    return true;
}

bool Scene::disconnect(const PlugRef& source, const PlugRef& destination) {
    auto& in = destination.node->inputs;
    auto it = in.find(destination.path);
    if (it == in.end() || !(it->second == source))
        return false;
    in.erase(it);
    auto out = source.node->outputs.find(source.path);
    if (out != source.node->outputs.end()) {
        auto& list = out->second;
        list.erase(std::remove(list.begin(), list.end(), destination), list.end());
        if (list.empty())
            source.node->outputs.erase(out);
    }
    propagateDirty(*destination.node, destination.path.attribute);
    touch();
    return true;
}

// ---------------------------------------------------------------- evaluation

// The plugs one change has reached. Most changes reach a few, and a small
// sorted vector costs one allocation; a change of time reaches every curve
// in the scene and all they drive, hundreds of thousands of plugs, so past a
// few dozen the plugs go into an open-addressing table: one allocation for
// the whole pass where a node-based set costs one per plug (and as much
// again to free). The table starts as large as the last big pass needed.
// The few are kept on the stack: every plug a command sets starts a pass.
class Scene::PlugsReached {
public:
    explicit PlugsReached(size_t expected) : m_expected(expected) {}

    // False when the plug was reached before.
    bool add(Node* node, const Attribute* attribute) {
        const Plug plug{node, attribute};
        if (!m_slots.empty())
            return insert(plug);
        Plug* const few = m_few;
        Plug* const at = std::lower_bound(few, few + m_fewCount, plug);
        if (at != few + m_fewCount && *at == plug)
            return false;
        if (m_fewCount < kFew) {
            std::move_backward(at, few + m_fewCount, few + m_fewCount + 1);
            *at = plug;
            ++m_fewCount;
            return true;
        }
        grow(std::max(m_expected, 2 * kFew));
        for (size_t i = 0; i < m_fewCount; ++i)
            insert(few[i]);
        m_fewCount = 0;
        return insert(plug);
    }

    size_t size() const { return m_slots.empty() ? m_fewCount : m_count; }

    static constexpr size_t kFew = 64;

private:
    // Without initializers, so that the few on the stack cost nothing to
    // make: most passes reach one or two.
    struct Plug {
        Node* node;
        const Attribute* attribute;
        bool operator==(const Plug& o) const { return node == o.node && attribute == o.attribute; }
        bool operator<(const Plug& o) const {
            return node != o.node ? node < o.node : attribute < o.attribute;
        }
    };

    static size_t hash(const Plug& plug) {
        const auto a = reinterpret_cast<std::uintptr_t>(plug.node);
        const auto b = reinterpret_cast<std::uintptr_t>(plug.attribute);
        std::uint64_t h = (a ^ (b * 0x9e3779b97f4a7c15ULL)) * 0xbf58476d1ce4e5b9ULL;
        return static_cast<size_t>(h ^ (h >> 31));
    }

    bool insert(const Plug& plug) {
        if (2 * (m_count + 1) > m_slots.size())
            grow(m_count + 1);
        const size_t mask = m_slots.size() - 1;
        for (size_t at = hash(plug) & mask;; at = (at + 1) & mask) {
            Plug& slot = m_slots[at];
            if (slot == plug)
                return false;
            if (!slot.node) {
                slot = plug;
                ++m_count;
                return true;
            }
        }
    }

    // Room for at least `plugs` at no more than half full.
    void grow(size_t plugs) {
        size_t capacity = 64;
        while (capacity < 2 * plugs)
            capacity *= 2;
        std::vector<Plug> old(capacity, Plug{nullptr, nullptr});
        old.swap(m_slots);
        m_count = 0;
        for (const Plug& p : old)
            if (p.node)
                insert(p);
    }

    size_t m_expected;
    Plug m_few[kFew];
    size_t m_fewCount = 0;
    std::vector<Plug> m_slots;
    size_t m_count = 0;
};

void Scene::propagateDirty(Node& node, const Attribute* attribute) {
    PlugsReached reached(m_plugsLastReached);
    dirtyDownstream(node, attribute, reached);
    if (reached.size() > PlugsReached::kFew)
        m_plugsLastReached = reached.size();
}

void Scene::dirtyDownstream(Node& node, const Attribute* attribute, PlugsReached& reached) {
    if (node.m_quiet || !reached.add(&node, attribute))
        return;
    if (node.m_evaluation) {
        std::set<PlugPath>& held = node.m_evaluation->held;
        for (auto it = held.begin(); it != held.end();) {
            bool related = false;
            for (const Attribute* a = it->attribute; a && !related; a = a->parent)
                related = (a == attribute);
            it = related ? held.erase(it) : std::next(it);
        }
    }
    // A change of a compound child or parent affects what depends on either.
    for (const Attribute* a = attribute; a; a = a->parent) {
        for (const Attribute* affected : a->affects) {
            node.invalidate(affected);
            dirtyDownstream(node, affected, reached);
        }
    }
    for (const auto& out : node.outputs) {
        const Attribute* src = out.first.attribute;
        bool related = false;
        for (const Attribute* a = src; a && !related; a = a->parent)
            related = (a == attribute);
        for (const Attribute* a = attribute; a && !related; a = a->parent)
            related = (a == src);
        if (!related)
            continue;
        for (const auto& dst : out.second)
            dirtyDownstream(*dst.node, dst.path.attribute, reached);
    }
    if (node.m_evaluation &&
        (!node.m_evaluation->clean.empty() || !node.m_evaluation->held.empty()))
        return;
    for (const auto& out : node.outputs)
        for (const auto& dst : out.second)
            if (!dst.node->m_quiet)
                return;
    node.m_quiet = true;
}

void Scene::clear() {
    for (Node* n : allNodes()) {
        if (n == m_world.get() || n->isDefault)
            continue;
        if (n->inScene)
            removeNode(*n);
    }
    touch();
}

}  // namespace host
