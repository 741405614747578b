// setKeyframe, keyframe, keyTangent, copyKey, pasteKey, cutKey and
// bakeResults: keys of animation curves from scripts, undoable.
//
// Map: what every key command shares (one curve's edit as one undo step,
// -time and -index ranges, the key set a call means, the curves its objects
// stand for); then one section per command in the order above, with the
// key clipboard that copyKey and cutKey fill and pasteKey reads before
// copyKey; registration last.
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

#include <algorithm>
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
    s.addFlag("o", "option", MSyntax::kString);
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

    // Makes room among the keys that stay for the keys moved in time, as
    // -option asks: move refuses to pass or land on a neighbour, insert
    // shifts the neighbours on the side moved towards by as much, segmentOver
    // drops the neighbours inside the moved span, over lets the moved keys
    // replace what they land on.
    static bool placeMovedKeys(const std::string& option, const Curve& keys,
                               const std::vector<bool>& isMoved, const std::vector<Key>& moved,
                               std::vector<Key>& kept) {
        std::vector<double> after;  // each key's time once moved, in key order
        double oldFirst = 0, oldLast = 0;
        for (size_t i = 0, m = 0; i < keys.size(); ++i) {
            const double was = keys.time(i);
            if (!isMoved[i]) {
                after.push_back(was);
                continue;
            }
            if (m == 0)
                oldFirst = was;
            oldLast = was;
            after.push_back(moved[m++].time);
        }
        auto byTime = [](const Key& a, const Key& b) { return a.time < b.time; };
        const double newFirst = std::min_element(moved.begin(), moved.end(), byTime)->time;
        const double newLast = std::max_element(moved.begin(), moved.end(), byTime)->time;
        if (option == "move") {
            for (size_t i = 1; i < after.size(); ++i)
                if (after[i] <= after[i - 1] + kKeyTolerance) {
                    error(
                        "keyframe: keys cannot move past or onto their neighbours with "
                        "-option move.");
                    return false;
                }
        } else if (option == "insert") {
            const double shift = newFirst - oldFirst;
            for (Key& k : kept)
                if ((shift > 0 && k.time > oldLast) || (shift < 0 && k.time < oldFirst))
                    k.time += shift;
        } else if (option == "segmentOver") {
            kept.erase(std::remove_if(kept.begin(), kept.end(),
                                      [&](const Key& k) {
                                          return k.time >= newFirst - kKeyTolerance &&
                                                 k.time <= newLast + kKeyTolerance;
                                      }),
                       kept.end());
        }
        return true;
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
        const std::string option =
            db.isFlagSet("o") ? db.flagArgumentString("o", 0).asChar() : "move";
        if (option != "move" && option != "insert" && option != "over" && option != "segmentOver") {
            error("keyframe: Invalid option: " + option);
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
                std::vector<bool> isMoved(keys.size(), false);
                for (size_t i = 0; i < keys.size(); ++i) {
                    Key k = keys.key(i);
                    isMoved[i] = set.contains(keys, i);
                    if (!isMoved[i]) {
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
                if (setTime && !moved.empty() &&
                    !placeMovedKeys(option, keys, isMoved, moved, kept))
                    return false;
                keys.replaceKeys(kept);
                // Keys moved onto others (-option over) replace them.
                for (const Key& k : moved)
                    keys.insert(k);
                touched = !moved.empty();
                return true;
            });
            if (!ok) {
                edits.undo();  // the curves already moved go back
                return MS::kFailure;
            }
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
    s.addFlag("iw", "inWeight", MSyntax::kDouble);
    s.addFlag("ow", "outWeight", MSyntax::kDouble);
    s.addFlag("wl", "weightLock", MSyntax::kBoolean);
    s.addFlag("wt", "weightedTangents", MSyntax::kBoolean);
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
        const std::optional<bool> lock = switchFlag(db, "l");
        const std::optional<bool> weightLock = switchFlag(db, "wl");
        const std::optional<bool> weighted = switchFlag(db, "wt");
        std::optional<double> inWeight, outWeight;
        if (db.isFlagSet("iw"))
            inWeight = db.flagArgumentDouble("iw", 0);
        if (db.isFlagSet("ow"))
            outWeight = db.flagArgumentDouble("ow", 0);
        if (!relative && ((inWeight && *inWeight < 0) || (outWeight && *outWeight < 0))) {
            error("keyTangent: A tangent weight cannot be negative.");
            return MS::kFailure;
        }
        int changed = 0;
        for (Node* curve : curves) {
            const Attribute& value = *curve->findAttribute("ktv")->children[1];
            bool touched = false;
            bool ok = editKeys(edits, *curve, [&](Curve& keys) {
                // Weighting a curve keeps its shape; the weights given
                // with it then change that.
                if (weighted && *weighted != keys.weighted()) {
                    if (*weighted)
                        keys.matchWeightsToShape();
                    keys.setWeighted(*weighted);
                    touched = true;
                }
                if ((inWeight || outWeight) && !keys.weighted())
                    commands::warning("keyTangent: " + curve->name() +
                                      " has no weighted tangents; its weights are left as they "
                                      "are (see -weightedTangents).");
                for (size_t i = 0; i < keys.size(); ++i) {
                    if (!set.contains(keys, i))
                        continue;
                    if (in)
                        keys.setTangentType(i, true, resolveTangent(*curve, *in, true));
                    if (out)
                        keys.setTangentType(i, false, resolveTangent(*curve, *out, false));
                    Key key = keys.key(i);
                    if (lock)
                        key.locked = *lock;
                    // The weight lock binds the two weights only in the
                    // graph editor, so it is kept and not applied here.
                    if (weightLock)
                        key.weightLocked = *weightLock;
                    if (keys.weighted()) {
                        if (inWeight)
                            key.inWeight = std::max(0.0, *inWeight + (relative ? key.inWeight : 0));
                        if (outWeight)
                            key.outWeight =
                                std::max(0.0, *outWeight + (relative ? key.outWeight : 0));
                    }
                    keys.setKey(i, key);
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
    static std::optional<bool> switchFlag(const MArgDatabase& db, const char* flag) {
        if (!db.isFlagSet(flag))
            return std::nullopt;
        bool on = true;
        db.getFlagArgument(flag, 0, on);
        return on;
    }

    // Angles and weights come back as numbers, tangent types as names, the
    // locks as ints: one entry per key and flag, in the order in, out.
    // Weighting is the curve's: one entry per curve.
    static MStatus query(const MArgDatabase& db, const KeySet& set,
                         const std::vector<Node*>& curves) {
        MStringArray names;
        MDoubleArray numbers;
        MIntArray locks, weightLocks, weighted;
        for (Node* curve : curves) {
            const Attribute& value = *curve->findAttribute("ktv")->children[1];
            // The curve read must outlive the walk over its keys.
            const Curve read = readCurve(*curve);
            weighted.append(read.weighted() ? 1 : 0);
            for (size_t i = 0; i < read.size(); ++i) {
                if (!set.contains(read, i))
                    continue;
                const Key k = read.key(i);
                if (db.isFlagSet("itt"))
                    names.append(tangentName(k.in));
                if (db.isFlagSet("ott"))
                    names.append(tangentName(k.out));
                if (db.isFlagSet("ia"))
                    numbers.append(tangentAngle(read, i, true, value));
                if (db.isFlagSet("oa"))
                    numbers.append(tangentAngle(read, i, false, value));
                if (db.isFlagSet("iw"))
                    numbers.append(k.inWeight);
                if (db.isFlagSet("ow"))
                    numbers.append(k.outWeight);
                locks.append(k.locked ? 1 : 0);
                weightLocks.append(k.weightLocked ? 1 : 0);
            }
        }
        if (db.isFlagSet("wt"))
            setResult(weighted);
        else if (db.isFlagSet("l"))
            setResult(locks);
        else if (db.isFlagSet("wl"))
            setResult(weightLocks);
        else if (db.isFlagSet("ia") || db.isFlagSet("oa") || db.isFlagSet("iw") ||
                 db.isFlagSet("ow"))
            setResult(numbers);
        else
            setResult(names);
        return MS::kSuccess;
    }

    // The defaults for new keys are a preference, not a scene edit: not undone.
    static MStatus global(const MArgDatabase& db) {
        if (db.isQuery() && db.isFlagSet("wt")) {
            setResult(globalWeighted() ? 1 : 0);
            return MS::kSuccess;
        }
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
        if (const std::optional<bool> weighted = switchFlag(db, "wt"))
            globalWeighted() = *weighted;
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- the key clipboard

// Keys copied or cut, per curve, with the attribute the curve drove; key
// times count from the start of what was taken.
struct ClipCurve {
    std::string attribute;
    std::vector<Key> keys;
};
struct Clipboard {
    std::vector<ClipCurve> curves;
    double span = 0;  // seconds from the first key taken to the last
};
Clipboard& clipboard() {
    static Clipboard board;
    return board;
}

// The long name of the attribute the curve drives ("translateX").
std::string drivenAttribute(const Node& curve) {
    for (const auto& [source, destinations] : curve.outputs)
        if (!destinations.empty())
            return destinations.front().path.attribute->longName;
    return std::string();
}

// Replaces the clipboard with the keys taken from each curve. A -time range
// with both ends sets the start and length; otherwise the keys do.
void fillClipboard(const std::vector<std::pair<Node*, std::vector<Key>>>& taken,
                   const KeySet& set) {
    double first = std::numeric_limits<double>::infinity(), last = -first;
    for (const auto& [curve, keys] : taken)
        for (const Key& k : keys) {
            first = std::min(first, k.time);
            last = std::max(last, k.time);
        }
    if (set.ranges.size() == 1 && std::isfinite(set.ranges[0].from) &&
        std::isfinite(set.ranges[0].to)) {
        first = set.ranges[0].from;
        last = set.ranges[0].to;
    }
    Clipboard board;
    board.span = last - first;
    for (const auto& [curve, keys] : taken) {
        ClipCurve clip{drivenAttribute(*curve), keys};
        for (Key& k : clip.keys)
            k.time -= first;
        board.curves.push_back(std::move(clip));
    }
    clipboard() = std::move(board);
}

// The keys of each curve that the call's key set takes.
std::vector<std::pair<Node*, std::vector<Key>>> keysTaken(const std::vector<Node*>& curves,
                                                          const KeySet& set) {
    std::vector<std::pair<Node*, std::vector<Key>>> taken;
    for (Node* curve : curves) {
        const Curve keys = readCurve(*curve);
        std::vector<Key> mine;
        for (size_t i = 0; i < keys.size(); ++i)
            if (set.contains(keys, i))
                mine.push_back(keys.key(i));
        if (!mine.empty())
            taken.emplace_back(curve, std::move(mine));
    }
    return taken;
}

MSyntax copyKeySyntax() {
    MSyntax s;
    addKeySetFlags(s);
    return s;
}

class CopyKeyCommand : public commands::ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        KeySet set;
        std::vector<Node*> curves;
        if (!keySetOf(db, "copyKey", set) || !curvesOf(db, curves))
            return MS::kFailure;
        const auto taken = keysTaken(curves, set);
        if (!taken.empty())
            fillClipboard(taken, set);
        setResult(static_cast<int>(taken.size()));
        return MS::kSuccess;
    }
};

MSyntax pasteKeySyntax() {
    MSyntax s;
    s.addFlag("t", "time", MSyntax::kString);
    s.addFlag("at", "attribute", MSyntax::kString);
    s.makeFlagMultiUse("at");
    s.addFlag("o", "option", MSyntax::kString);
    s.addFlag("to", "timeOffset", MSyntax::kDouble);
    s.addFlag("vo", "valueOffset", MSyntax::kDouble);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// Pastes the clipboard's curves onto the attributes of the same names on
// each object (a plug named takes the curve of its attribute, else the
// first), starting at -time (the current time without it) moved by
// -timeOffset. insert (the default) moves the keys after the start later by
// the clipboard's length; replace clears that length first; merge lets the
// pasted keys replace those they meet; replaceCompletely clears the curve.
class PasteKeyCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        const Clipboard& board = clipboard();
        if (board.curves.empty()) {
            error("pasteKey: The key clipboard is empty.");
            return MS::kFailure;
        }
        const std::string option =
            db.isFlagSet("o") ? db.flagArgumentString("o", 0).asChar() : "insert";
        if (option != "insert" && option != "replace" && option != "replaceCompletely" &&
            option != "merge") {
            error("pasteKey: Invalid option: " + option);
            return MS::kFailure;
        }
        double start = clockTime().as(MTime::kSeconds);
        if (db.isFlagSet("t")) {
            Range r;
            const std::string text = db.flagArgumentString("t", 0).asChar();
            if (!parseRange(text, r) || !std::isfinite(r.from)) {
                error("pasteKey: invalid time: " + text);
                return MS::kFailure;
            }
            start = r.from;
        }
        if (db.isFlagSet("to"))
            start += MTime(db.flagArgumentDouble("to", 0), MTime::uiUnit()).as(MTime::kSeconds);
        const double valueOffset = db.isFlagSet("vo") ? db.flagArgumentDouble("vo", 0) : 0.0;
        MSelectionList list;
        if (!commands::objectsOf(db, list))
            return MS::kFailure;
        const std::vector<std::string> names = commands::flagStrings(db, "at");
        int pasted = 0;
        for (const commands::Target& target : commands::targets(list)) {
            for (const auto& [clip, plug] : destinations(board, target, names)) {
                if (!paste(*clip, plug, start, board.span, option, valueOffset)) {
                    edits.undo();
                    return MS::kFailure;
                }
                ++pasted;
            }
        }
        setResult(pasted);
        return MS::kSuccess;
    }

private:
    static std::vector<std::pair<const ClipCurve*, MPlug>> destinations(
        const Clipboard& board, const commands::Target& target,
        const std::vector<std::string>& names) {
        std::vector<std::pair<const ClipCurve*, MPlug>> out;
        if (!target.plug.isNull()) {
            const std::string attribute = PlugAccess::ref(target.plug).path.attribute->longName;
            const ClipCurve* clip = &board.curves.front();
            for (const ClipCurve& c : board.curves)
                if (c.attribute == attribute)
                    clip = &c;
            out.emplace_back(clip, target.plug);
            return out;
        }
        for (const ClipCurve& clip : board.curves) {
            MPlug plug;
            if (clip.attribute.empty() ||
                !commands::findPlug(commands::nameOf(*target.node) + "." + clip.attribute, plug))
                continue;
            if (names.empty() || named(PlugAccess::ref(plug).path, names))
                out.emplace_back(&clip, plug);
        }
        return out;
    }

    bool paste(const ClipCurve& clip, const MPlug& plug, double start, double span,
               const std::string& option, double valueOffset) {
        Node* curve = drivingCurve(plug);
        if (!curve) {
            MStatus status;
            NodePtr made = createCurve(curveTypeForPlug(plug), &plug, nullptr, &status);
            if (!made) {
                error("pasteKey: '" + commands::plugName(PlugAccess::ref(plug)) +
                      "' cannot be keyed: it is connected or not a number.");
                return false;
            }
            edits.created({made});
            curve = made.get();
        }
        const double offset = commands::fromUi(*PlugAccess::ref(plug).path.attribute, valueOffset);
        return editKeys(edits, *curve, [&](Curve& keys) {
            std::vector<Key> kept;
            for (Key k : keys.keys()) {
                if (option == "replaceCompletely")
                    continue;
                if (option == "replace" && k.time >= start - kKeyTolerance &&
                    k.time <= start + span + kKeyTolerance)
                    continue;
                if (option == "insert" && k.time > start + kKeyTolerance)
                    k.time += span;
                kept.push_back(k);
            }
            keys.replaceKeys(kept);
            for (Key k : clip.keys) {
                k.time += start;
                k.value += offset;
                keys.insert(k);
            }
            return true;
        });
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

// The keys cut go on the clipboard unless -clear. A curve left without keys
// goes, as the host's cut deletes it.
class CutKeyCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        KeySet set;
        std::vector<Node*> curves;
        if (!keySetOf(db, "cutKey", set) || !curvesOf(db, curves))
            return MS::kFailure;
        if (!db.isFlagSet("cl")) {
            const auto taken = keysTaken(curves, set);
            if (!taken.empty())
                fillClipboard(taken, set);
        }
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
                keys.replaceKeys(kept);
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

// ---------------------------------------------------------------- bakeResults

MSyntax bakeResultsSyntax() {
    MSyntax s;
    s.addFlag("t", "time", MSyntax::kString);
    s.addFlag("sb", "sampleBy", MSyntax::kDouble);
    s.addFlag("sm", "simulation", MSyntax::kBoolean);
    s.addFlag("at", "attribute", MSyntax::kString);
    s.makeFlagMultiUse("at");
    s.addFlag("dic", "disableImplicitControl", MSyntax::kBoolean);
    s.addFlag("pok", "preserveOutsideKeys", MSyntax::kBoolean);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// Samples each attribute (the keyable ones, or -at) of the objects at every
// -sampleBy frames of -time (the playback range without it), stepping the
// clock through the range in order, as -simulation asks, and keys what it
// read. A channel driven by anything but a curve (a constraint, an
// expression) is cut from its driver after the bake unless
// -disableImplicitControl false, which leaves it unbaked. Keys outside the
// range go unless -preserveOutsideKeys.
class BakeResultsCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        double from = playback().minTime.as(MTime::kSeconds);
        double to = playback().maxTime.as(MTime::kSeconds);
        if (db.isFlagSet("t")) {
            Range r;
            const std::string text = db.flagArgumentString("t", 0).asChar();
            if (!parseRange(text, r) || !std::isfinite(r.from) || !std::isfinite(r.to)) {
                error("bakeResults: invalid time range: " + text);
                return MS::kFailure;
            }
            from = r.from;
            to = r.to;
        }
        double by = 1.0;
        if (db.isFlagSet("sb"))
            db.getFlagArgument("sb", 0, by);
        if (!(by > 0)) {
            error("bakeResults: -sampleBy must be more than 0.");
            return MS::kFailure;
        }
        bool cut = true, keepOutside = false;
        if (db.isFlagSet("dic"))
            db.getFlagArgument("dic", 0, cut);
        if (db.isFlagSet("pok"))
            db.getFlagArgument("pok", 0, keepOutside);
        std::vector<MPlug> plugs;
        if (!bakedPlugs(db, plugs, cut))
            return MS::kFailure;

        // Read every channel at each sample, the clock moving forward.
        const MTime was = clockTime();
        const double first = MTime(from, MTime::kSeconds).as(MTime::uiUnit());
        const double last = MTime(to, MTime::kSeconds).as(MTime::uiUnit());
        // A mistyped -sampleBy or range should fail, not fill memory.
        if ((last - first) / by > 1e6) {
            error("bakeResults: the range holds more than 1000000 samples.");
            return MS::kFailure;
        }
        std::vector<double> times;
        for (long k = 0; first + static_cast<double>(k) * by <= last + kKeyTolerance; ++k)
            times.push_back(
                MTime(first + static_cast<double>(k) * by, MTime::uiUnit()).as(MTime::kSeconds));
        std::vector<std::vector<double>> values(plugs.size());
        for (double t : times) {
            MAnimControl::setCurrentTime(MTime(t, MTime::kSeconds));
            for (size_t i = 0; i < plugs.size(); ++i)
                values[i].push_back(valueAsDouble(evaluate(PlugAccess::ref(plugs[i]))));
        }
        MAnimControl::setCurrentTime(was);

        for (size_t i = 0; i < plugs.size(); ++i)
            if (!bake(plugs[i], times, values[i], keepOutside, from, to)) {
                edits.undo();
                return MS::kFailure;
            }
        setResult(static_cast<int>(plugs.size()));
        return MS::kSuccess;
    }

private:
    // The channels to bake; those fed by something other than a curve only
    // when they may be cut from it.
    static bool bakedPlugs(const MArgDatabase& db, std::vector<MPlug>& plugs, bool cut) {
        MSelectionList list;
        if (!commands::objectsOf(db, list))
            return false;
        const std::vector<std::string> names = commands::flagStrings(db, "at");
        for (const commands::Target& target : commands::targets(list)) {
            std::vector<MPlug> found;
            if (!target.plug.isNull()) {
                leavesOf(target.plug, found);
            } else if (names.empty()) {
                for (Attribute* a : target.node->attributes())
                    keyableLeaves(*target.node, PlugPath{a, {}}, false, found);
            } else {
                for (const std::string& name : names) {
                    MPlug plug;
                    if (commands::findPlug(commands::nameOf(*target.node) + "." + name, plug))
                        leavesOf(plug, found);
                }
            }
            for (const MPlug& plug : found) {
                const bool fed = feeder(PlugAccess::ref(plug)).node != nullptr;
                if (!fed || drivingCurve(plug) || cut)
                    plugs.push_back(plug);
            }
        }
        return true;
    }

    // What feeds the plug, or the compound above it (constraints feed a
    // whole translate); a null node when nothing does.
    static PlugRef feeder(const PlugRef& ref, PlugPath* fedPath = nullptr) {
        PlugPath path = ref.path;
        while (path.attribute) {
            const auto input = ref.node->inputs.find(path);
            if (input != ref.node->inputs.end()) {
                if (fedPath)
                    *fedPath = path;
                return input->second;
            }
            path.attribute = path.attribute->parent;
        }
        return PlugRef{};
    }

    // Cuts the plug from its driver. A driver feeding the compound above
    // goes on feeding the other children, each from its own child.
    bool cutFromDriver(const PlugRef& ref) {
        PlugPath fedPath;
        const PlugRef source = feeder(ref, &fedPath);
        if (!source.node)
            return true;
        auto modifier = std::make_shared<MDagModifier>();
        modifier->disconnect(PlugAccess::make(source), PlugAccess::make(ref.node, fedPath));
        if (fedPath.attribute != ref.path.attribute) {
            const auto& sourceChildren = source.path.attribute->children;
            const auto& children = fedPath.attribute->children;
            for (size_t k = 0; k < children.size() && k < sourceChildren.size(); ++k)
                if (children[k].get() != ref.path.attribute)
                    modifier->connect(
                        PlugAccess::make(source.node,
                                         PlugPath{sourceChildren[k].get(), source.path.indices}),
                        PlugAccess::make(ref.node, PlugPath{children[k].get(), fedPath.indices}));
        }
        return edits.run(modifier);
    }

    bool bake(const MPlug& plug, const std::vector<double>& times,
              const std::vector<double>& values, bool keepOutside, double from, double to) {
        const PlugRef ref = PlugAccess::ref(plug);
        Node* curve = drivingCurve(plug);
        if (!curve && !cutFromDriver(ref))
            return false;
        if (!curve) {
            MStatus status;
            NodePtr made = createCurve(curveTypeForPlug(plug), &plug, nullptr, &status);
            if (!made) {
                error("bakeResults: '" + commands::plugName(ref) + "' cannot be keyed.");
                return false;
            }
            edits.created({made});
            curve = made.get();
        }
        return editKeys(edits, *curve, [&](Curve& keys) {
            std::vector<Key> kept;
            for (const Key& k : keys.keys())
                if (keepOutside && (k.time < from - kKeyTolerance || k.time > to + kKeyTolerance))
                    kept.push_back(k);
            keys.replaceKeys(kept);
            for (size_t i = 0; i < times.size(); ++i)
                addKey(*curve, keys, times[i], values[i], MFnAnimCurve::kTangentGlobal,
                       MFnAnimCurve::kTangentGlobal);
            return true;
        });
    }
};

}  // namespace

void registerKeyCommands() {
    commands::define<SetKeyframeCommand>("setKeyframe", setKeyframeSyntax);
    commands::define<KeyframeCommand>("keyframe", keyframeSyntax);
    commands::define<KeyTangentCommand>("keyTangent", keyTangentSyntax);
    commands::define<CutKeyCommand>("cutKey", cutKeySyntax);
    commands::define<CopyKeyCommand>("copyKey", copyKeySyntax);
    commands::define<PasteKeyCommand>("pasteKey", pasteKeySyntax);
    commands::define<BakeResultsCommand>("bakeResults", bakeResultsSyntax);
}

}  // namespace animation
}  // namespace host
