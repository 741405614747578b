#include "graph/Node.h"

#include "graph/Scene.h"

#include <maya/MPxNode.h>

#include <algorithm>
#include <array>
#include <new>

namespace host {

Node::Node(NodeType& type) : m_type(&type) {}

Node::~Node() = default;

MFn::Type Node::apiType() const {
    return m_type->apiType;
}

bool Node::hasFn(MFn::Type type) const {
    return type == MFn::kBase || type == MFn::kNamedObject || m_type->hasFn(type);
}

void Node::setUser(MPxNode* user) {
    m_user.reset(user);
    if (user)
        NodeAccess::bind(*user, this);
}

Attribute* Node::findAttribute(const std::string& name) const {
    if (Attribute* a = m_type->findAttribute(name))
        return a;
    for (const auto& d : dynamicAttributes())
        if (Attribute* a = d->find(name))
            return a;
    return nullptr;
}

const std::vector<AttributePtr>& Node::dynamicAttributes() const {
    static const std::vector<AttributePtr> none;
    return m_dynamic ? *m_dynamic : none;
}

std::vector<Attribute*> Node::attributes() const {
    std::vector<Attribute*> all;
    const std::vector<AttributePtr>& dynamic = dynamicAttributes();
    all.reserve(m_type->attributes().size() + dynamic.size());
    for (const auto& a : m_type->attributes())
        all.push_back(a.get());
    for (const auto& a : dynamic)
        all.push_back(a.get());
    return all;
}

namespace {
bool nameClash(const Attribute& a, const Node& node) {
    if (node.findAttribute(a.longName))
        return true;
    if (!a.shortName.empty() && node.findAttribute(a.shortName))
        return true;
    for (const auto& c : a.children)
        if (nameClash(*c, node))
            return true;
    return false;
}

template <class Values>
auto valuesOf(Values& values, const Attribute* root) {
    return std::lower_bound(values.begin(), values.end(), root,
                            [](const auto& entry, const Attribute* a) { return entry.first < a; });
}
}  // namespace

bool Node::addDynamicAttribute(const AttributePtr& attribute) {
    if (!attribute || attribute->parent || nameClash(*attribute, *this))
        return false;
    attribute->dynamic = true;
    for (auto& c : attribute->children)
        c->dynamic = true;
    if (!m_dynamic)
        m_dynamic = std::make_unique<std::vector<AttributePtr>>();
    m_dynamic->push_back(attribute);
    return true;
}

bool Node::removeDynamicAttribute(Attribute* attribute) {
    if (!m_dynamic)
        return false;
    auto it = std::find_if(m_dynamic->begin(), m_dynamic->end(),
                           [&](const AttributePtr& a) { return a.get() == attribute; });
    if (it == m_dynamic->end())
        return false;
    writeDeferred(nullptr);
    storedValuesChange(attribute);
    auto values = valuesOf(m_values, attribute);
    if (values != m_values.end() && values->first == attribute)
        m_values.erase(values);
    m_dynamic->erase(it);
    return true;
}

bool Node::isDynamic(const Attribute* attribute) const {
    const Attribute* root = attribute->root();
    const std::vector<AttributePtr>& dynamic = dynamicAttributes();
    return std::any_of(dynamic.begin(), dynamic.end(),
                       [&](const AttributePtr& a) { return a.get() == root; });
}

namespace {
// The attributes from the root down to the plug's attribute. Every plug
// read and write walks it, and attributes nest only a few deep, so it is
// kept on the stack unless the nesting is unusually deep.
class Lineage {
public:
    explicit Lineage(const Attribute* attribute) {
        for (const Attribute* a = attribute; a; a = a->parent)
            ++m_size;
        if (m_size > m_local.size())
            m_deep.resize(m_size);
        const Attribute** chain = data();
        size_t i = m_size;
        for (const Attribute* a = attribute; a; a = a->parent)
            chain[--i] = a;
    }
    size_t size() const { return m_size; }
    const Attribute* front() const { return data()[0]; }
    const Attribute* operator[](size_t i) const { return data()[i]; }

private:
    const Attribute** data() { return m_deep.empty() ? m_local.data() : m_deep.data(); }
    const Attribute* const* data() const { return m_deep.empty() ? m_local.data() : m_deep.data(); }

    std::array<const Attribute*, 8> m_local{};
    std::vector<const Attribute*> m_deep;
    size_t m_size = 0;
};
}  // namespace

const PlugValue* Node::stored(const PlugPath& path) const {
    writeDeferred(path.attribute);
    const Lineage chain(path.attribute);
    auto root = valuesOf(m_values, chain.front());
    if (root == m_values.end() || root->first != chain.front())
        return nullptr;
    const PlugValue* pv = root->second.get();
    size_t next = 0;
    for (size_t i = 0; i < chain.size(); ++i) {
        const Attribute* a = chain[i];
        if (a->array) {
            if (next >= path.indices.size())
                return pv;  // the array plug itself
            auto e = pv->elements.find(path.indices[next++]);
            if (e == pv->elements.end())
                return nullptr;
            pv = &e->second;
        }
        if (i + 1 < chain.size()) {
            int c = a->childIndex(chain[i + 1]);
            if (c < 0 || static_cast<size_t>(c) >= pv->children.size())
                return nullptr;
            pv = &pv->children[c];
        }
    }
    return pv;
}

void Node::deferStorage(const std::vector<const Attribute*>& roots, size_t from,
                        DeferredWrite write) {
    Deferral& d = m_deferral;
    if (d.data != m_derived)  // shared again only when it changed
        d.data = m_derived;
    d.from = d.write ? std::min(d.from, from) : from;
    d.write = write;
    d.roots = &roots;
}

void Node::writeDeferred(const Attribute* touched) const {
    Deferral& d = m_deferral;
    if (!d.write)
        return;
    if (touched && std::find(d.roots->begin(), d.roots->end(), touched->root()) == d.roots->end())
        return;
    // Taken out first: the write goes through storage(), which comes here.
    const DeferredWrite write = d.write;
    const std::shared_ptr<void> data = std::move(d.data);
    d.write = nullptr;
    // Nodes live on the heap and are never const objects; readers that see
    // a const node still see the values it would have stored.
    write(const_cast<Node&>(*this), data, d.from);
}

void Node::storedValuesChange(const Attribute* attribute) {
    static unsigned long stamps = 0;
    if (!attribute->computed)
        m_storageRevision = ++stamps;
}

Node::Tree Node::makeTree(const Attribute& root) {
    // An array's children are its elements', which have trees of their own.
    const size_t room = root.array ? 0 : root.children.size();
    auto* tree = new (::operator new((1 + room) * sizeof(PlugValue))) PlugValue();
    if (room > 0)
        tree->children.borrow(tree + 1, static_cast<std::uint32_t>(room));
    return Tree(tree);
}

void Node::FreeTree::operator()(PlugValue* tree) const {
    tree->~PlugValue();
    ::operator delete(tree);
}

PlugValue& Node::storage(const PlugPath& path) {
    writeDeferred(path.attribute);
    storedValuesChange(path.attribute);
    const Lineage chain(path.attribute);
    auto root = valuesOf(m_values, chain.front());
    if (root == m_values.end() || root->first != chain.front())
        root = m_values.emplace(root, chain.front(), makeTree(*chain.front()));
    PlugValue* pv = root->second.get();
    size_t next = 0;
    for (size_t i = 0; i < chain.size(); ++i) {
        const Attribute* a = chain[i];
        if (a->array) {
            if (next >= path.indices.size())
                return *pv;
            pv = &pv->elements[path.indices[next++]];
        }
        if (i + 1 < chain.size()) {
            int c = a->childIndex(chain[i + 1]);
            if (pv->children.size() < a->children.size())
                pv->children.resize(a->children.size());
            pv = &pv->children[c];
        }
    }
    return *pv;
}

void Node::eraseStorage(const PlugPath& path) {
    writeDeferred(path.attribute);
    const Attribute* a = path.attribute;
    storedValuesChange(a);
    // Stored values are only ever reached through this node, so handing out
    // the tree mutably from here is sound.
    auto mutableStored = [this](const PlugPath& p) { return const_cast<PlugValue*>(stored(p)); };
    if (a->array && path.indices.size() == a->arrayChain().size()) {
        PlugPath arrayPath = path;
        arrayPath.indices.pop_back();
        if (PlugValue* array = mutableStored(arrayPath))
            array->elements.erase(path.indices.back());
        return;
    }
    if (PlugValue* pv = mutableStored(path))
        *pv = PlugValue{};
}

std::vector<unsigned> Node::elementIndices(const PlugPath& arrayPath) const {
    writeDeferred(arrayPath.attribute);
    std::set<unsigned> found;
    if (const PlugValue* pv = stored(arrayPath))
        for (const auto& e : pv->elements)
            found.insert(e.first);
    size_t depth = arrayPath.indices.size();
    auto collect = [&](const PlugPath& p) {
        // Any connected plug at or below an element of this array.
        if (p.indices.size() <= depth)
            return;
        if (!std::equal(arrayPath.indices.begin(), arrayPath.indices.end(), p.indices.begin()))
            return;
        for (const Attribute* a = p.attribute; a; a = a->parent)
            if (a == arrayPath.attribute) {
                found.insert(p.indices[depth]);
                return;
            }
    };
    for (const auto& in : inputs)
        collect(in.first);
    for (const auto& out : outputs)
        collect(out.first);
    return {found.begin(), found.end()};
}

void Node::invalidate(const Attribute* attribute) {
    if (!m_evaluation)
        return;
    std::set<PlugPath>& clean = m_evaluation->clean;
    for (auto it = clean.begin(); it != clean.end();) {
        bool below = false;
        for (const Attribute* a = it->attribute; a && !below; a = a->parent)
            below = (a == attribute);
        it = below ? clean.erase(it) : std::next(it);
    }
}

Node::Evaluation& Node::evaluation() {
    if (!m_evaluation)
        m_evaluation = std::make_unique<Evaluation>();
    return *m_evaluation;
}

void Node::markClean(const PlugPath& path) {
    evaluation().clean.insert(path);
    stir();
}

void Node::hold(const PlugPath& path) {
    evaluation().held.insert(path);
    stir();
}

void Node::stir() {
    if (!m_quiet)
        return;
    // Iterative: a chain of nodes can be longer than the stack is deep.
    std::vector<Node*> pending{this};
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        if (!node->m_quiet)
            continue;
        node->m_quiet = false;
        if (node->m_type->followsClock && node->inScene)
            Scene::current().followerWoke(*node);
        for (const auto& input : node->inputs)
            pending.push_back(input.second.node);
    }
}

Node* NodeAccess::node(const MPxNode& px) {
    return px.m_node;
}
void NodeAccess::bind(MPxNode& px, Node* node) {
    px.m_node = node;
}

}  // namespace host
