// setKeyframe, keyframe, keyTangent and cutKey: keys of animation curves
// from scripts, undoable.
#include "animation/Curve.h"
#include "animation/Time.h"
#include "commands/Support.h"
#include "commands/Values.h"
#include "graph/PlugAccess.h"
#include "plugin/Args.h"

#include <maya/MAnimControl.h>
#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MStringArray.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <set>

namespace host {
namespace animation {

namespace {

using commands::Edits;
using commands::error;

// Key edits of one curve as one undoable step.
bool editKeys(Edits& edits, Node& curve, const std::function<bool(Curve&)>& edit) {
    return edits.change(curve, keyPlugs(curve), [&curve, &edit] {
        Curve keys = readCurve(curve);
        if (!edit(keys))
            return false;
        writeCurve(curve, keys);
        return true;
    });
}

// An input range as -time gives it: "10", "1:20", ":5", "3:". Times are in
// the UI unit; the bounds come back in seconds. A range written with both
// ends leaves its upper bound out under -includeUpperBound false.
struct Range {
    double from = -std::numeric_limits<double>::infinity();
    double to = std::numeric_limits<double>::infinity();
    bool upperBound = true;
    bool contains(double t) const {
        return t >= from - kKeyTolerance &&
               (upperBound ? t <= to + kKeyTolerance : t < to - kKeyTolerance);
    }
};

// A time in the UI unit, or with a unit word of its own ("10pal", "1.5sec").
bool parseBound(const std::string& text, double& seconds) {
    double frames = 0;
    if (!plugin::readMeasure(mel::Value(text), MSyntax::kTime, frames))
        return false;
    seconds = MTime(frames, MTime::uiUnit()).as(MTime::kSeconds);
    return true;
}

bool parseRange(const std::string& text, Range& range) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos) {
        if (!parseBound(text, range.from))
            return false;
        range.to = range.from;
        return true;
    }
    const std::string a = text.substr(0, colon), b = text.substr(colon + 1);
    return (a.empty() || parseBound(a, range.from)) && (b.empty() || parseBound(b, range.to));
}

// Key indices as -index gives them: "2" or "1:5", both ends included.
struct IndexRange {
    long from = 0, to = 0;
};

bool parseIndexRange(const std::string& text, IndexRange& range) {
    const size_t colon = text.find(':');
    auto read = [](const std::string& t, long& v) {
        char* end = nullptr;
        v = std::strtol(t.c_str(), &end, 10);
        return !t.empty() && *end == '\0' && v >= 0;
    };
    if (colon == std::string::npos) {
        if (!read(text, range.from))
            return false;
        range.to = range.from;
        return true;
    }
    return read(text.substr(0, colon), range.from) && read(text.substr(colon + 1), range.to) &&
           range.from <= range.to;
}

// Which keys of each curve a call means: those in its -time ranges and at
// its -index positions; every key when it gives neither.
struct KeySet {
    std::vector<Range> ranges;
    std::vector<IndexRange> indices;
    bool contains(const Curve& keys, size_t i) const {
        if (ranges.empty() && indices.empty())
            return true;
        for (const Range& r : ranges)
            if (r.contains(keys.time(i)))
                return true;
        for (const IndexRange& r : indices)
            if (static_cast<long>(i) >= r.from && static_cast<long>(i) <= r.to)
                return true;
        return false;
    }
};

// The -time and -index flags of a call; false with an error for one that
// does not read.
bool keySetOf(const MArgDatabase& db, const char* command, KeySet& set) {
    bool upperBound = true;
    if (db.isFlagSet("iub"))
        db.getFlagArgument("iub", 0, upperBound);
    for (const std::string& text : commands::flagStrings(db, "t")) {
        Range r;
        if (!parseRange(text, r)) {
            error(std::string(command) + ": invalid time range: " + text);
            return false;
        }
        r.upperBound = upperBound || r.from == r.to;
        set.ranges.push_back(r);
    }
    for (const std::string& text : commands::flagStrings(db, "in")) {
        IndexRange r;
        if (!parseIndexRange(text, r)) {
            error(std::string(command) + ": invalid index range: " + text);
            return false;
        }
        set.indices.push_back(r);
    }
    return true;
}

// The key-set flags every key command shares.
void addKeySetFlags(MSyntax& s) {
    s.addFlag("t", "time", MSyntax::kString);
    s.makeFlagMultiUse("t");
    s.addFlag("in", "index", MSyntax::kString);
    s.makeFlagMultiUse("in");
    s.addFlag("at", "attribute", MSyntax::kString);
    s.makeFlagMultiUse("at");
    s.addFlag("iub", "includeUpperBound", MSyntax::kBoolean);
    s.addFlag("hi", "hierarchy", MSyntax::kString);
    s.makeFlagQueryWithFullArgs("t", true);
    s.makeFlagQueryWithFullArgs("in", true);
    s.makeFlagQueryWithFullArgs("at", true);
    s.makeFlagQueryWithFullArgs("iub", true);
    s.makeFlagQueryWithFullArgs("hi", true);
    s.setObjectType(MSyntax::kStringObjects);
}

bool tangentFlag(const MArgDatabase& db, const char* flag, const char* command, TangentType& type) {
    if (!db.isFlagSet(flag))
        return true;
    const std::string name = db.flagArgumentString(flag, 0).asChar();
    if (tangentFromName(name, type))
        return true;
    error(std::string(command) + ": invalid tangent type: " + name);
    return false;
}

// Whether the plug's attribute, or one above it, has one of the names.
bool named(const PlugPath& path, const std::vector<std::string>& names) {
    for (const Attribute* a = path.attribute; a; a = a->parent)
        for (const std::string& n : names)
            if (a->matchesName(n))
                return true;
    return false;
}

// The nodes below a DAG node, for -hierarchy below.
void addDescendants(Node& node, std::vector<Node*>& out) {
    for (Node* child : node.children) {
        out.push_back(child);
        addDescendants(*child, out);
    }
}

// The curves the objects of a call stand for: curves given by name, the
// curve of each plug given, and the curves driving each node given (only
// those on the -attribute names when there are any), with the nodes below
// under -hierarchy below/both.
bool curvesOf(const MArgDatabase& db, std::vector<Node*>& curves) {
    MSelectionList list;
    if (!commands::objectsOf(db, list))
        return false;
    const std::vector<std::string> names = commands::flagStrings(db, "at");
    std::string hierarchy = "none";
    if (db.isFlagSet("hi"))
        hierarchy = db.flagArgumentString("hi", 0).asChar();
    if (hierarchy != "none" && hierarchy != "below" && hierarchy != "above" &&
        hierarchy != "both") {
        error("Invalid hierarchy value: " + hierarchy);
        return false;
    }
    std::set<Node*> seen;
    auto add = [&](Node* curve) {
        if (curve && seen.insert(curve).second)
            curves.push_back(curve);
    };
    auto addNode = [&](Node& node) {
        for (const auto& [destination, source] : node.inputs)
            if (names.empty() || named(destination, names))
                add(drivingCurve(PlugAccess::make(&node, destination)));
    };
    for (const commands::Target& target : commands::targets(list)) {
        if (!target.plug.isNull()) {
            add(drivingCurve(target.plug));
        } else if (isCurveNode(*target.node)) {
            add(target.node);
        } else {
            std::vector<Node*> nodes{target.node};
            if (hierarchy == "below" || hierarchy == "both")
                addDescendants(*target.node, nodes);
            if (hierarchy == "above" || hierarchy == "both")
                for (size_t i = target.path.size() - (target.path.empty() ? 0 : 1); i-- > 0;)
                    nodes.push_back(target.path[i]);
            for (Node* node : nodes)
                addNode(*node);
        }
    }
    // There is no key selection to restrict to: keyframe and keyTangent
    // -selected find no keys.
    if (db.isFlagSet("sl"))
        curves.clear();
    return true;
}

// ---------------------------------------------------------------- setKeyframe

// The leaf plugs of a node that setKeyframe keys when no attribute is
// named: the keyable ones, and the leaves of keyable compounds and arrays.
void keyableLeaves(Node& node, const PlugPath& path, bool keyableAbove, std::vector<MPlug>& out) {
    const Attribute& a = *path.attribute;
    const bool resolved = isResolved(path);
    const bool keyable = keyableAbove || (resolved && PlugAccess::make(&node, path).isKeyable()) ||
                         (!resolved && a.keyable);
    if (!resolved) {
        for (unsigned i : node.elementIndices(path)) {
            PlugPath element = path;
            element.indices.push_back(i);
            keyableLeaves(node, element, keyable, out);
        }
        return;
    }
    if (a.isCompound()) {
        for (const auto& child : a.children)
            keyableLeaves(node, PlugPath{child.get(), path.indices}, keyable, out);
        return;
    }
    if (keyable &&
        curveTypeForPlug(PlugAccess::make(&node, path)) != MFnAnimCurve::kAnimCurveUnknown)
        out.push_back(PlugAccess::make(&node, path));
}

// The numeric leaves a named plug stands for (translate: its three children).
void leavesOf(const MPlug& plug, std::vector<MPlug>& out) {
    std::vector<PlugRef> leaves;
    if (!commands::numericLeaves(PlugAccess::ref(plug), leaves))
        return;
    for (const PlugRef& leaf : leaves)
        out.push_back(PlugAccess::make(leaf));
}

MSyntax setKeyframeSyntax() {
    MSyntax s;
    s.addFlag("v", "value", MSyntax::kDouble);
    s.addFlag("t", "time", MSyntax::kTime);
    s.makeFlagMultiUse("t");
    s.addFlag("at", "attribute", MSyntax::kString);
    s.makeFlagMultiUse("at");
    s.addFlag("itt", "inTangentType", MSyntax::kString);
    s.addFlag("ott", "outTangentType", MSyntax::kString);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class SetKeyframeCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        TangentType in = MFnAnimCurve::kTangentGlobal, out = MFnAnimCurve::kTangentGlobal;
        if (!tangentFlag(db, "itt", "setKeyframe", in) ||
            !tangentFlag(db, "ott", "setKeyframe", out))
            return MS::kFailure;
        std::vector<double> times;
        for (unsigned i = 0; i < db.numberOfFlagUses("t"); ++i) {
            MArgList use;
            MStatus read;
            if (!db.getFlagArgumentList("t", i, use) || use.length() == 0)
                continue;
            MTime t = use.asTime(0, &read);
            if (read)
                times.push_back(t.as(MTime::kSeconds));
        }
        if (times.empty())
            times.push_back(clockTime().as(MTime::kSeconds));
        std::optional<double> value;
        if (db.isFlagSet("v"))
            value = db.flagArgumentDouble("v", 0);

        std::vector<MPlug> plugs;
        if (!plugsToKey(db, plugs))
            return MS::kFailure;
        int keyed = 0;
        for (const MPlug& plug : plugs) {
            if (!key(plug, times, value, in, out))
                return MS::kFailure;
            keyed += static_cast<int>(times.size());
        }
        setResult(keyed);
        return MS::kSuccess;
    }

private:
    static bool plugsToKey(const MArgDatabase& db, std::vector<MPlug>& plugs) {
        MSelectionList list;
        if (!commands::objectsOf(db, list))
            return false;
        const std::vector<std::string> names = commands::flagStrings(db, "at");
        for (const commands::Target& target : commands::targets(list)) {
            if (!target.plug.isNull()) {
                leavesOf(target.plug, plugs);
                continue;
            }
            if (names.empty()) {
                for (Attribute* a : target.node->attributes())
                    keyableLeaves(*target.node, PlugPath{a, {}}, false, plugs);
                continue;
            }
            for (const std::string& name : names) {
                MPlug plug;
                if (!commands::findPlug(commands::nameOf(*target.node) + "." + name, plug)) {
                    error("setKeyframe: No attribute '" + name + "' on '" + target.node->name() +
                          "'.");
                    return false;
                }
                leavesOf(plug, plugs);
            }
        }
        return true;
    }

    bool key(const MPlug& plug, const std::vector<double>& times, std::optional<double> uiValue,
             TangentType in, TangentType out) {
        PlugRef ref = PlugAccess::ref(plug);
        const double current = valueAsDouble(evaluate(ref));
        Node* curve = drivingCurve(plug);
        if (!curve) {
            MStatus status;
            NodePtr made = createCurve(curveTypeForPlug(plug), &plug, nullptr, &status);
            if (!made) {
                error("setKeyframe: '" + commands::plugName(ref) +
                      "' cannot be keyed: it is connected or not a number.");
                return false;
            }
            edits.created({made});
            curve = made.get();
        }
        return editKeys(edits, *curve, [&](Curve& keys) {
            const bool fresh = keys.size() == 0;
            const double now = clockTime().as(MTime::kSeconds);
            for (double t : times) {
                // Without -value a key takes what the plug shows at that time:
                // now, its value (set over the keys too); else the curve's.
                const bool atNow = std::fabs(t - now) <= kKeyTolerance;
                const double v = uiValue ? commands::fromUi(*ref.path.attribute, *uiValue)
                                         : (fresh || atNow ? current : keys.evaluate(t));
                addKey(*curve, keys, t, v, in, out);
            }
            return true;
        });
    }
};

// ---------------------------------------------------------------- keyframe

MSyntax keyframeSyntax() {
    MSyntax s;
    addKeySetFlags(s);
    s.addFlag("sl", "selected");
    s.addFlag("vc", "valueChange", MSyntax::kDouble);
    s.addFlag("tc", "timeChange", MSyntax::kDouble);
    s.addFlag("kc", "keyframeCount");
    s.addFlag("iv", "indexValue");
    s.addFlag("n", "name");
    s.addFlag("ev", "eval");
    s.addFlag("r", "relative");
    s.addFlag("a", "absolute");
    s.enableQuery();
    s.enableEdit();
    return s;
}

class KeyframeCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        KeySet set;
        std::vector<Node*> curves;
        if (!keySetOf(db, "keyframe", set) || !curvesOf(db, curves))
            return MS::kFailure;
        if (!db.isQuery())
            return edit(db, set, curves);
        if (db.isFlagSet("n")) {
            MStringArray names;
            for (Node* curve : curves)
                names.append(curve->name().c_str());
            setResult(names);
            return MS::kSuccess;
        }
        if (db.isFlagSet("ev"))
            return evaluateAt(set, curves);
        MDoubleArray values;
        MIntArray indices;
        int count = 0;
        // Without a data flag the query answers the key times.
        const bool times =
            db.isFlagSet("tc") || !(db.isFlagSet("vc") || db.isFlagSet("kc") || db.isFlagSet("iv"));
        for (Node* curve : curves) {
            const Curve keys = readCurve(*curve);
            Attribute* ktv = curve->findAttribute("ktv");
            for (size_t i = 0; i < keys.size(); ++i) {
                if (!set.contains(keys, i))
                    continue;
                const Key k = keys.key(i);
                ++count;
                indices.append(static_cast<int>(i));
                if (times)
                    values.append(commands::toUi(*ktv->children[0], k.time));
                if (db.isFlagSet("vc"))
                    values.append(commands::toUi(*ktv->children[1], k.value));
            }
        }
        if (db.isFlagSet("kc"))
            setResult(count);
        else if (db.isFlagSet("iv"))
            setResult(indices);
        else
            setResult(values);
        return MS::kSuccess;
    }

private:
    // Each curve's value at the -time given (the current time without one);
    // a range has no one time to read at.
    static MStatus evaluateAt(const KeySet& set, const std::vector<Node*>& curves) {
        double seconds = clockTime().as(MTime::kSeconds);
        if (!set.ranges.empty()) {
            const Range& r = set.ranges.front();
            if (set.ranges.size() > 1 || r.from != r.to) {
                error("keyframe: -eval takes a single time, not a range.");
                return MS::kFailure;
            }
            seconds = r.from;
        }
        MDoubleArray values;
        for (Node* curve : curves) {
            const Curve keys = readCurve(*curve);
            const double input = hasTimeInput(curveTypeOf(*curve)) ? seconds : 0.0;
            values.append(
                commands::toUi(*curve->findAttribute("ktv")->children[1], keys.evaluate(input)));
        }
        setResult(values);
        return MS::kSuccess;
    }

    MStatus edit(const MArgDatabase& db, const KeySet& set, const std::vector<Node*>& curves) {
        const bool relative = db.isFlagSet("r");
        const bool setValue = db.isFlagSet("vc"), setTime = db.isFlagSet("tc");
        if (!setValue && !setTime) {
            // A plain call with nothing to change changes no curve.
            if (!db.isEdit()) {
                setResult(0);
                return MS::kSuccess;
            }
            error("keyframe: -edit needs -valueChange or -timeChange.");
            return MS::kFailure;
        }
        const double valueArg = setValue ? db.flagArgumentDouble("vc", 0) : 0.0;
        const double timeArg = setTime ? db.flagArgumentDouble("tc", 0) : 0.0;
        int changed = 0;
        for (Node* curve : curves) {
            const Attribute& kt = *curve->findAttribute("ktv")->children[0];
            const Attribute& kv = *curve->findAttribute("ktv")->children[1];
            bool touched = false;
            bool ok = editKeys(edits, *curve, [&](Curve& keys) {
                std::vector<Key> moved;
                std::vector<Key> kept;
                for (size_t i = 0; i < keys.size(); ++i) {
                    Key k = keys.key(i);
                    if (!set.contains(keys, i)) {
                        kept.push_back(k);
                        continue;
                    }
                    if (setValue)
                        k.value = relative ? k.value + commands::fromUi(kv, valueArg)
                                           : commands::fromUi(kv, valueArg);
                    if (setTime)
                        k.time = relative ? k.time + commands::fromUi(kt, timeArg)
                                          : commands::fromUi(kt, timeArg);
                    moved.push_back(k);
                }
                keys = Curve(kept);
                // Keys moved onto others replace them, as the host's key move does.
                for (const Key& k : moved)
                    keys.insert(k);
                touched = !moved.empty();
                return true;
            });
            if (!ok)
                return MS::kFailure;
            if (touched)
                ++changed;
        }
        setResult(changed);
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- keyTangent

MSyntax keyTangentSyntax() {
    MSyntax s;
    addKeySetFlags(s);
    s.addFlag("sl", "selected");
    s.addFlag("itt", "inTangentType", MSyntax::kString);
    s.addFlag("ott", "outTangentType", MSyntax::kString);
    s.addFlag("ia", "inAngle", MSyntax::kDouble);
    s.addFlag("oa", "outAngle", MSyntax::kDouble);
    s.addFlag("l", "lock", MSyntax::kBoolean);
    s.addFlag("r", "relative");
    s.addFlag("a", "absolute");
    s.addFlag("g", "global");
    s.enableQuery();
    s.enableEdit();
    return s;
}

// A tangent's angle in degrees, as the graph editor shows it: rise in the
// value's UI unit over run in seconds.
double tangentAngle(const Curve& keys, size_t i, bool inTangent, const Attribute& value) {
    return std::atan(commands::toUi(value, keys.slope(i, inTangent))) * 180.0 / M_PI;
}

void setTangentAngle(Curve& keys, size_t i, bool inTangent, const Attribute& value,
                     double degrees) {
    keys.setTangentType(i, inTangent, MFnAnimCurve::kTangentFixed);
    const double slope = commands::fromUi(value, std::tan(degrees * M_PI / 180.0));
    const double length = std::sqrt(1.0 + slope * slope);
    Key k = keys.key(i);
    (inTangent ? k.inX : k.outX) = 1.0 / length;
    (inTangent ? k.inY : k.outY) = slope / length;
    keys.setKey(i, k);
}

class KeyTangentCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        if (db.isFlagSet("g"))
            return global(db);
        KeySet set;
        std::vector<Node*> curves;
        if (!keySetOf(db, "keyTangent", set) || !curvesOf(db, curves))
            return MS::kFailure;
        if (db.isQuery())
            return query(db, set, curves);
        std::optional<TangentType> in, out;
        TangentType type = MFnAnimCurve::kTangentGlobal;
        if (db.isFlagSet("itt")) {
            if (!tangentFlag(db, "itt", "keyTangent", type))
                return MS::kFailure;
            in = type;
        }
        if (db.isFlagSet("ott")) {
            if (!tangentFlag(db, "ott", "keyTangent", type))
                return MS::kFailure;
            out = type;
        }
        const bool relative = db.isFlagSet("r");
        std::optional<double> inAngle, outAngle;
        if (db.isFlagSet("ia"))
            inAngle = db.flagArgumentDouble("ia", 0);
        if (db.isFlagSet("oa"))
            outAngle = db.flagArgumentDouble("oa", 0);
        std::optional<bool> lock;
        if (db.isFlagSet("l")) {
            bool on = true;
            db.getFlagArgument("l", 0, on);
            lock = on;
        }
        int changed = 0;
        for (Node* curve : curves) {
            const Attribute& value = *curve->findAttribute("ktv")->children[1];
            bool touched = false;
            bool ok = editKeys(edits, *curve, [&](Curve& keys) {
                for (size_t i = 0; i < keys.size(); ++i) {
                    if (!set.contains(keys, i))
                        continue;
                    if (in)
                        keys.setTangentType(i, true, resolveTangent(*curve, *in, true));
                    if (out)
                        keys.setTangentType(i, false, resolveTangent(*curve, *out, false));
                    if (lock) {
                        Key k = keys.key(i);
                        k.locked = *lock;
                        keys.setKey(i, k);
                    }
                    // Both angles are read before either changes the key; a
                    // locked key turns the other tangent with the one given.
                    const double nowIn = tangentAngle(keys, i, true, value);
                    const double nowOut = tangentAngle(keys, i, false, value);
                    std::optional<double> newIn, newOut;
                    if (inAngle)
                        newIn = *inAngle + (relative ? nowIn : 0);
                    if (outAngle)
                        newOut = *outAngle + (relative ? nowOut : 0);
                    if (keys.key(i).locked) {
                        if (!newOut)
                            newOut = newIn;
                        if (!newIn)
                            newIn = newOut;
                    }
                    if (newIn)
                        setTangentAngle(keys, i, true, value, *newIn);
                    if (newOut)
                        setTangentAngle(keys, i, false, value, *newOut);
                    touched = true;
                }
                return true;
            });
            if (!ok)
                return MS::kFailure;
            if (touched)
                ++changed;
        }
        setResult(changed);
        return MS::kSuccess;
    }

private:
    // Angles come back as numbers, tangent types as names; one entry per key
    // and flag, in the order in, out.
    static MStatus query(const MArgDatabase& db, const KeySet& set,
                         const std::vector<Node*>& curves) {
        MStringArray names;
        MDoubleArray angles;
        MIntArray locks;
        for (Node* curve : curves) {
            const Attribute& value = *curve->findAttribute("ktv")->children[1];
            // The curve read must outlive the walk over its keys.
            const Curve read = readCurve(*curve);
            for (size_t i = 0; i < read.size(); ++i) {
                if (!set.contains(read, i))
                    continue;
                const Key k = read.key(i);
                if (db.isFlagSet("itt"))
                    names.append(tangentName(k.in));
                if (db.isFlagSet("ott"))
                    names.append(tangentName(k.out));
                if (db.isFlagSet("ia"))
                    angles.append(tangentAngle(read, i, true, value));
                if (db.isFlagSet("oa"))
                    angles.append(tangentAngle(read, i, false, value));
                locks.append(k.locked ? 1 : 0);
            }
        }
        if (db.isFlagSet("l"))
            setResult(locks);
        else if (db.isFlagSet("ia") || db.isFlagSet("oa"))
            setResult(angles);
        else
            setResult(names);
        return MS::kSuccess;
    }

    // The defaults for new keys are a preference, not a scene edit: not undone.
    static MStatus global(const MArgDatabase& db) {
        if (db.isQuery()) {
            MStringArray names;
            if (db.isFlagSet("itt"))
                names.append(tangentName(globalTangent(true)));
            if (db.isFlagSet("ott"))
                names.append(tangentName(globalTangent(false)));
            setResult(names);
            return MS::kSuccess;
        }
        TangentType in = globalTangent(true), out = globalTangent(false);
        if (!tangentFlag(db, "itt", "keyTangent", in) || !tangentFlag(db, "ott", "keyTangent", out))
            return MS::kFailure;
        if (in == MFnAnimCurve::kTangentGlobal || out == MFnAnimCurve::kTangentGlobal) {
            error("keyTangent: the global tangent type cannot be \"global\".");
            return MS::kFailure;
        }
        globalTangent(true) = in;
        globalTangent(false) = out;
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- cutKey

MSyntax cutKeySyntax() {
    MSyntax s;
    addKeySetFlags(s);
    s.addFlag("cl", "clear");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// There is no key clipboard, so cutting and clearing both remove the keys.
// A curve left without keys goes, as the host's cut deletes it.
class CutKeyCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        KeySet set;
        std::vector<Node*> curves;
        if (!keySetOf(db, "cutKey", set) || !curvesOf(db, curves))
            return MS::kFailure;
        int cut = 0;
        for (Node* curve : curves) {
            bool removed = false, empty = false;
            bool ok = editKeys(edits, *curve, [&](Curve& keys) {
                std::vector<Key> kept;
                for (size_t i = 0; i < keys.size(); ++i)
                    if (!set.contains(keys, i))
                        kept.push_back(keys.key(i));
                removed = kept.size() != keys.size();
                empty = kept.empty();
                keys = Curve(kept);
                return true;
            });
            if (!ok)
                return MS::kFailure;
            if (removed)
                ++cut;
            if (removed && empty) {
                auto modifier = std::make_shared<MDagModifier>();
                modifier->deleteNode(Scene::current().object(curve));
                if (!edits.run(modifier))
                    return MS::kFailure;
            }
        }
        setResult(cut);
        return MS::kSuccess;
    }
};

}  // namespace

void registerKeyCommands() {
    commands::define<SetKeyframeCommand>("setKeyframe", setKeyframeSyntax);
    commands::define<KeyframeCommand>("keyframe", keyframeSyntax);
    commands::define<KeyTangentCommand>("keyTangent", keyTangentSyntax);
    commands::define<CutKeyCommand>("cutKey", cutKeySyntax);
}

}  // namespace animation
}  // namespace host
