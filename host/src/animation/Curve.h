#ifndef HOST_ANIMATION_CURVE_H
#define HOST_ANIMATION_CURVE_H
// Animation curves: the eight animCurve node types, their keys as the
// nodes store them, and how a curve is evaluated between its keys.

#include "graph/Node.h"

#include <maya/MDGModifier.h>
#include <maya/MFnAnimCurve.h>
#include <maya/MPlug.h>

#include <string>
#include <vector>

namespace host {
namespace animation {

using TangentType = MFnAnimCurve::TangentType;
using CurveType = MFnAnimCurve::AnimCurveType;

// One key. Times are in seconds for time-input curves, values in the
// host's internal units (centimetres, radians, seconds). A fixed tangent
// keeps its direction as (x, y): x in the input's units, y in the value's.
struct Key {
    double time = 0.0;
    double value = 0.0;
    TangentType in = MFnAnimCurve::kTangentClamped;
    TangentType out = MFnAnimCurve::kTangentClamped;
    double inX = 1.0, inY = 0.0;
    double outX = 1.0, outY = 0.0;
    bool locked = true;  // the in and out tangents turn together
    // How far each tangent reaches on a weighted curve: the length of its
    // tangent vector (x in the input's units, y in the value's), three
    // times its Bezier handle. Other curves neither keep nor use them.
    double inWeight = 1.0, outWeight = 1.0;
    bool weightLocked = true;  // kept for the graph editor; commands ignore it
};

// Keys closer than this in their input are one key (about a hundredth of
// the host's time tick).
constexpr double kKeyTolerance = 1e-6;

// The keys of one curve, in input order, with the tangents the host
// derives for them.
//
// A bake keeps hundreds of thousands of keys, nearly all of them a time, a
// value and two tangent types, so that is all a key costs here (17 bytes);
// a key with more (a fixed direction, an unlocked tangent) is kept whole
// beside them.
class Curve {
public:
    Curve() = default;
    explicit Curve(const std::vector<Key>& keys);

    size_t size() const { return m_times.size(); }
    Key key(size_t index) const;
    std::vector<Key> keys() const;
    double time(size_t index) const { return m_times[index]; }
    double value(size_t index) const { return m_values[index]; }
    // Replaces a key; its input must keep it in input order.
    void setKey(size_t index, const Key& key);
    void erase(size_t index);
    // Puts these keys, in input order, in place of all the curve's keys;
    // whether it is weighted stays as it was.
    void replaceKeys(const std::vector<Key>& keys);

    // Constant before the first key and after the last; each segment is a
    // Hermite curve between the slopes of its keys (a Bezier curve whose
    // handles the tangent weights size, on a weighted curve), or held for
    // step tangents (step: the earlier key's value, step next: the later
    // one's).
    double evaluate(double input) const;

    // Whether the tangents are weighted. An unweighted curve keeps no
    // weights: turning it off puts every weight back to 1.
    bool weighted() const { return m_weighted; }
    void setWeighted(bool on);
    // Gives every key the weights that draw the curve as it is drawn
    // unweighted, so that weighting it moves nothing.
    void matchWeightsToShape();
    // The slope a key's tangent has on either side, as the tangent type
    // makes it from the neighbouring keys.
    double slope(size_t index, bool inTangent) const;

    // The key at this input, or -1.
    int find(double input) const;
    // Puts the key in input order, replacing the value of a key at the same
    // input (its tangent types too unless keepTangents). Returns its index.
    size_t insert(const Key& key, bool keepTangents = false);
    // Sets a tangent type; a fixed tangent keeps the slope it has now.
    void setTangentType(size_t index, bool inTangent, TangentType type);
    // Whether every key has the same value (no keys counts as static).
    bool isStatic() const;

private:
    TangentType tangent(size_t index, bool inTangent) const;
    double splineSlope(size_t index) const;
    double weightedSegment(size_t index, double input) const;
    // The whole key kept for this index, or null when its tangent types
    // say all there is.
    const Key* whole(size_t index) const;
    void place(size_t index, const Key& key);
    void makeRoom();

    std::vector<double> m_times;
    std::vector<double> m_values;
    // The in tangent's type in the low four bits, the out tangent's above.
    std::vector<unsigned char> m_tangents;
    // Keys that are more than a time, a value and two types, by index.
    std::vector<std::pair<size_t, Key>> m_whole;
    bool m_weighted = false;
};

// --- curve nodes

// Whether the node is an animation curve, and its kind.
bool isCurveNode(const Node& node);
CurveType curveTypeOf(const Node& node);
bool hasTimeInput(CurveType type);
// Time curves that nothing feeds follow the clock; its owner calls this
// when the clock moves.
void clockMoved();
// The node type name of a curve kind ("animCurveTL"...).
std::string curveTypeName(CurveType type);
// The kind of curve that animates a plug: by the plug's unit, unitless for
// plain numbers; kAnimCurveUnknown for what cannot be keyed.
CurveType curveTypeForPlug(const MPlug& plug);

// The keys a curve node stores, and storing them back (which makes every
// plug the curve drives stale).
Curve readCurve(Node& curve);
void writeCurve(Node& curve, const Curve& keys);
// The keys as the node keeps them decoded between edits. Keys changed in
// place, from index `from` on, are stored with storeKeys; such a change
// never leaves fewer keys. The key plugs are written only when something
// reads or changes them, so keying a copy frame by frame costs the keys
// alone, not a curve's worth of plug writes per key.
std::shared_ptr<Curve> curveKeys(Node& curve);
void storeKeys(Node& curve, Curve& keys, size_t from);
// The plugs the keys live in and whether they are weighted, for snapshots
// around key edits.
std::vector<PlugPath> keyPlugs(const Node& curve);

// The default tangent type for keys made without one: the curve's own
// "tangentType" when set, else the global default of keyTangent -g.
TangentType resolveTangent(Node& curve, TangentType type, bool inTangent);
TangentType& globalTangent(bool inTangent);
// Whether new curves are weighted (keyTangent -g -wt).
bool& globalWeighted();

// Adds a key to a curve node's keys as the host does: global tangent types
// resolved, a key at the same input given the new value (and the tangents
// when any are given), fixed tangents frozen at the slope they have.
// Returns the key's index.
size_t addKey(Node& curve, Curve& keys, double input, double value, TangentType in,
              TangentType out);

// The curve whose output drives the plug directly, or null.
Node* drivingCurve(const MPlug& plug);

// Makes a curve of the kind (named after the plug when one is given) and,
// for a plug, connects its output to the plug. A time curve follows the
// clock unfed, as the application leaves the curves it makes.
// The curve is made at once; with a modifier only the connection to the
// plug is queued on it. Null with status when the plug cannot be animated
// or is driven already.
NodePtr createCurve(CurveType type, const MPlug* plug, MDGModifier* modifier, MStatus* status);

// Registers the curve node types.
void registerCurveTypes();
// setKeyframe, keyframe, keyTangent, cutKey, copyKey, pasteKey and bakeResults.
void registerKeyCommands();

// Tangent names as scripts give them ("spline", "step"...).
bool tangentFromName(const std::string& name, TangentType& type);
const char* tangentName(TangentType type);

}  // namespace animation
}  // namespace host

#endif
