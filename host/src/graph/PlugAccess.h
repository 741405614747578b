#ifndef HOST_GRAPH_PLUGACCESS_H
#define HOST_GRAPH_PLUGACCESS_H

#include "graph/Node.h"
#include "graph/Plug.h"
#include "graph/Value.h"

#include <maya/MDGContext.h>
#include <maya/MPlug.h>

namespace host {

// The door between MPlug and the graph.
struct PlugAccess {
    static MPlug make(Node* node, const PlugPath& path);
    static MPlug make(const PlugRef& ref) { return make(ref.node, ref.path); }
    static PlugRef ref(const MPlug& plug);
    static Node* node(const MPlug& plug);
    static Attribute* attribute(const MPlug& plug);
    static const std::vector<unsigned>& indices(const MPlug& plug) { return plug.m_indices; }
};

// True when every array on the way to the plug has its index (the plug is a
// leaf value or a compound of values, not an array of them).
bool isResolved(const PlugPath& path);

// The current value of a resolved leaf plug: its source's value when
// connected, its computed value when an input affects it, else what is
// stored, else the attribute's default.
Value evaluate(const PlugRef& plug);
// As evaluate, for a plug whose value is its own (not fed by a connection):
// the value where the node keeps it, uncopied, so that reading one element
// of a big data array costs no copy of the array. Null when the plug is fed
// or holds nothing; evaluate answers those. Valid until the node changes.
const Value* evaluateInPlace(const PlugRef& plug);
// Whether a command may set the plug: neither it nor a compound above it is
// locked or fed, except that the plug itself may be driven by the keys of an
// animation curve (the value set shows until the curve's output changes).
// withChildren: a compound set through its children needs each of them
// settable too.
bool isSettable(const PlugRef& plug, bool withChildren = false);
bool isKeyCurve(const Node& node);
// Sets the stored value of a leaf plug and dirties what depends on it.
// Fails for plugs that are not settable.
MStatus assign(const PlugRef& plug, const Value& value);
// As assign, but a plain number plug that already reads `value` is left
// alone: nothing stored, nothing dirtied. Function sets that write a whole
// transformation use it, so untouched pivots, shears and rotation orders
// cost nothing.
MStatus assignChanged(const PlugRef& plug, double value);
MStatus assignChanged(const PlugRef& plug, long value);
// assignChanged for the first `count` children of a compound of numbers,
// values[i] to the i-th child, at the node's own (unindexed) compound.
MStatus assignChanged(Node& node, Attribute& compound, const double values[], size_t count);

}  // namespace host

#endif
