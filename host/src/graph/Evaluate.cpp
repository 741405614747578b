// Reading and writing plug values: the pull side of the dependency graph.
#include "graph/Data.h"
#include "graph/DataAccess.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>
#include <maya/MPxNode.h>

#include <algorithm>
#include <vector>

namespace host {

bool isResolved(const PlugPath& path) {
    return path.indices.size() == path.attribute->arrayChain().size();
}

namespace {

// The connection that feeds this plug or one of its compound ancestors,
// with the way back down from the fed plug to this one (child positions).
struct Feed {
    PlugRef source;
    std::vector<int> childSteps;
};

bool findFeed(const PlugRef& plug, Feed& feed) {
    PlugPath path = plug.path;
    std::vector<int> steps;
    for (;;) {
        auto it = plug.node->inputs.find(path);
        if (it != plug.node->inputs.end()) {
            feed.source = it->second;
            feed.childSteps.assign(steps.rbegin(), steps.rend());
            return true;
        }
        Attribute* a = path.attribute;
        if (!a->parent)
            return false;
        // An element index belongs to the attribute that is the array.
        if (a->array && !path.indices.empty())
            path.indices.pop_back();
        steps.push_back(a->parent->childIndex(a));
        path.attribute = a->parent;
    }
}

Value defaultOf(const Attribute& a) {
    return cloneValue(a.defaultValue);
}

// Converts a value arriving through a connection to what the destination
// attribute holds.
Value convertTo(const Attribute& a, const Value& v) {
    if (std::holds_alternative<std::monostate>(v))
        return v;
    switch (a.kind) {
        case Attribute::Kind::Numeric:
            if (a.numericType == MFnNumericData::kBoolean)
                return valueAsDouble(v) != 0.0;
            if (a.numericType == MFnNumericData::kFloat || a.numericType == MFnNumericData::kDouble)
                return valueAsDouble(v);
            if (std::holds_alternative<std::shared_ptr<Data>>(v))
                return v;
            return valueAsLong(v);
        case Attribute::Kind::Enum:
            return valueAsLong(v);
        case Attribute::Kind::Unit:
            return valueAsDouble(v);
        default:
            return v;
    }
}

bool hasCompute(const NodeType& type) {
    for (const NodeType* t = &type; t; t = t->parent)
        if (t->compute)
            return true;
    return false;
}

bool computes(const Node& node, const Attribute& a) {
    return a.computed && (hasCompute(node.type()) || node.user());
}

void compute(Node& node, const PlugPath& path) {
    // A type computes what it knows and leaves the rest to its base types.
    for (const NodeType* t = &node.type(); t; t = t->parent) {
        if (t->compute && t->compute(node, path)) {
            node.markClean(path);
            return;
        }
    }
    if (MPxNode* user = node.user()) {
        MPlug plug = PlugAccess::make(&node, path);
        MDataBlock block = DataBlockAccess::make(node);
        MStatus status = user->compute(plug, block);
        if (status)
            node.markClean(path);
    }
}

// The plugs whose connections are being followed now. Connections may form
// a cycle; a plug met again on the way reads what it holds, so that the
// walk ends, as the host's evaluation breaks a cycle where it meets it.
std::vector<PlugRef>& followed() {
    static std::vector<PlugRef> plugs;
    return plugs;
}

struct Following {
    explicit Following(const PlugRef& plug) { followed().push_back(plug); }
    ~Following() { followed().pop_back(); }
    Following(const Following&) = delete;
    Following& operator=(const Following&) = delete;
};

// What a stored tree keeps, or null when it keeps nothing.
const Value* keptIn(const PlugValue* pv) {
    return pv && !std::holds_alternative<std::monostate>(pv->value) ? &pv->value : nullptr;
}

// What the node keeps for the plug, or null when it keeps nothing.
const Value* kept(const PlugRef& plug) {
    return keptIn(plug.node->stored(plug.path));
}

Value storedOrDefault(const PlugRef& plug) {
    const Value* value = kept(plug);
    return value ? cloneValue(*value) : defaultOf(*plug.path.attribute);
}

// An unfed plug's value as the node keeps it, computed first when stale.
const Value* ownValue(const PlugRef& plug) {
    Node& node = *plug.node;
    if (computes(node, *plug.path.attribute) && !node.isClean(plug.path))
        compute(node, plug.path);
    return kept(plug);
}

}  // namespace

Value evaluate(const PlugRef& plug) {
    Feed feed;
    if (!plug.node->isHeld(plug.path) && findFeed(plug, feed)) {
        const auto& on = followed();
        if (std::find(on.begin(), on.end(), plug) != on.end())
            return storedOrDefault(plug);
        Following following(plug);
        PlugRef src = feed.source;
        for (int step : feed.childSteps) {
            Attribute* sa = src.path.attribute;
            if (step < 0 || static_cast<size_t>(step) >= sa->children.size()) {
                // A numeric compound feeding a numeric compound of another
                // shape: take the matching component.
                Value whole = evaluate(src);
                return convertTo(*plug.path.attribute, whole);
            }
            src.path.attribute = sa->children[step].get();
        }
        if (src.path.attribute->isCompound()) {
            // Compound to compound of the same layout is read child by child
            // by the callers; a leaf destination fed by a compound gets the
            // first component.
            if (!src.path.attribute->children.empty()) {
                PlugRef first = src;
                first.path.attribute = src.path.attribute->children[0].get();
                return convertTo(*plug.path.attribute, evaluate(first));
            }
            return Value{};
        }
        return convertTo(*plug.path.attribute, evaluate(src));
    }
    const Value* own = ownValue(plug);
    return own ? cloneValue(*own) : defaultOf(*plug.path.attribute);
}

const Value* evaluateInPlace(const PlugRef& plug) {
    Feed feed;
    return !plug.node->isHeld(plug.path) && findFeed(plug, feed) ? nullptr : ownValue(plug);
}

bool isSettable(const PlugRef& plug, bool withChildren) {
    const Node& node = *plug.node;
    // Only a lock or a connection makes a plug unsettable, and most nodes
    // (every fresh copy a bake places) have neither.
    if (node.lockedPlugs.empty() && node.inputs.empty())
        return true;
    for (const Attribute* a = plug.path.attribute; a; a = a->parent) {
        PlugPath p{const_cast<Attribute*>(a), plug.path.indices};
        p.indices.resize(std::min(p.indices.size(), a->arrayChain().size()));
        if (node.lockedPlugs.count(p))
            return false;
        auto in = node.inputs.find(p);
        if (in != node.inputs.end() && !(a == plug.path.attribute && isKeyCurve(*in->second.node)))
            return false;
    }
    if (!withChildren)
        return true;
    auto below = [&plug](const Attribute* a) {
        for (a = a->parent; a; a = a->parent)
            if (a == plug.path.attribute)
                return true;
        return false;
    };
    for (const PlugPath& locked : node.lockedPlugs)
        if (below(locked.attribute))
            return false;
    for (const auto& [destination, source] : node.inputs)
        if (below(destination.attribute) && !isKeyCurve(*source.node))
            return false;
    return true;
}

bool isKeyCurve(const Node& node) {
    return node.type().hasFn(MFn::kAnimCurve);
}

namespace {

// assign once the plug is known to be settable.
MStatus store(const PlugRef& plug, const Value& value) {
    Node& node = *plug.node;
    Attribute& a = *plug.path.attribute;
    if (a.internal && node.user()) {
        MPlug mplug = PlugAccess::make(plug);
        MDataHandle handle = DataHandleAccess::make(a, value);
        MDGContext ctx;
        if (node.user()->setInternalValueInContext(mplug, handle, ctx)) {
            Scene::current().propagateDirty(node, &a);
            Scene::current().touch();
            return MS::kSuccess;
        }
    }
    node.storage(plug.path).value = cloneValue(value);
    if (a.computed)
        node.markClean(plug.path);
    Scene::current().propagateDirty(node, &a);
    if (node.inputs.count(plug.path))
        node.hold(plug.path);
    Scene::current().touch();
    return MS::kSuccess;
}

}  // namespace

namespace {

// Whether a plain number plug of the attribute, keeping `held` (null:
// nothing, so its default), already reads `value`.
template <class Number>
bool alreadyReads(const Attribute& a, const Value* held, Number value) {
    const Number* now = std::get_if<Number>(held ? held : &a.defaultValue);
    return now && *now == value;
}

template <class Number>
MStatus assignIfChanged(const PlugRef& plug, Number value) {
    if (!isSettable(plug))
        return MS::kFailure;
    const Attribute& a = *plug.path.attribute;
    if (!a.internal && !a.computed && !plug.node->inputs.count(plug.path) &&
        alreadyReads(a, kept(plug), value))
        return MS::kSuccess;
    return store(plug, Value{value});
}

}  // namespace

MStatus assignChanged(const PlugRef& plug, double value) {
    return assignIfChanged(plug, value);
}

MStatus assignChanged(const PlugRef& plug, long value) {
    return assignIfChanged(plug, value);
}

namespace {

// Children that are plain stored numbers of a node with no lock and no
// connection: settable, compared with what is kept and stored without the
// checks each plug on its own would need.
bool plainNumbers(const Node& node, const Attribute& compound, size_t count) {
    if (!node.lockedPlugs.empty() || !node.inputs.empty())
        return false;
    for (const Attribute* a = &compound; a; a = a->parent)
        if (a->array)
            return false;
    return std::all_of(
        compound.children.begin(), compound.children.begin() + static_cast<std::ptrdiff_t>(count),
        [](const auto& child) {
            return !child->internal && !child->computed && !child->array && child->children.empty();
        });
}

}  // namespace

MStatus assignChanged(Node& node, Attribute& compound, const double values[], size_t count) {
    count = std::min(count, compound.children.size());
    if (!plainNumbers(node, compound, count)) {
        for (size_t i = 0; i < count; ++i) {
            MStatus status = assignIfChanged(
                PlugRef{&node, PlugPath{compound.children[i].get(), {}}}, values[i]);
            if (!status)
                return status;
        }
        return MS::kSuccess;
    }
    // One look for the compound's tree serves every child: the tree stays
    // put while a child is stored, and where there was none, the children
    // not yet written still read their defaults.
    const PlugPath whole{&compound, {}};
    const PlugValue* tree = node.stored(whole);
    for (size_t i = 0; i < count; ++i) {
        Attribute& child = *compound.children[i];
        const PlugValue* held = tree && i < tree->children.size() ? &tree->children[i] : nullptr;
        if (alreadyReads(child, keptIn(held), values[i]))
            continue;
        // store() for a plain number of a node with no connection, without
        // its copy of the value and its checks: an eighth of the whole write.
        node.storage(PlugPath{&child, {}}).value = values[i];
        Scene::current().propagateDirty(node, &child);
        Scene::current().touch();
    }
    return MS::kSuccess;
}

MStatus assign(const PlugRef& plug, const Value& value) {
    if (!isSettable(plug))
        return MS::kFailure;
    return store(plug, value);
}

}  // namespace host
