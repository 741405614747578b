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
#include <maya/MStringArray.h>

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
// the UI unit; the bounds come back in seconds.
struct Range {
    double from = -std::numeric_limits<double>::infinity();
    double to = std::numeric_limits<double>::infinity();
    bool contains(double t) const { return t >= from - kKeyTolerance && t <= to + kKeyTolerance; }
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

// The -time ranges of a call (everything when none is given); false with an
// error for one that does not read.
bool rangesOf(const MArgDatabase& db, const char* command, std::vector<Range>& ranges) {
    for (const std::string& text : commands::flagStrings(db, "t")) {
        Range r;
        if (!parseRange(text, r)) {
            error(std::string(command) + ": invalid time range: " + text);
            return false;
        }
        ranges.push_back(r);
    }
    if (ranges.empty())
        ranges.push_back(Range());
    return true;
}

bool inRanges(const std::vector<Range>& ranges, double t) {
    for (const Range& r : ranges)
        if (r.contains(t))
            return true;
    return false;
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

// The curves the objects of a call stand for: curves given by name, the
// curve of each plug given, and the curves driving each node given (only
// those on the -attribute names when there are any).
bool curvesOf(const MArgDatabase& db, std::vector<Node*>& curves) {
    MSelectionList list;
    if (!commands::objectsOf(db, list))
        return false;
    const std::vector<std::string> names = commands::flagStrings(db, "at");
    std::set<Node*> seen;
    auto add = [&](Node* curve) {
        if (curve && seen.insert(curve).second)
            curves.push_back(curve);
    };
    for (const commands::Target& target : commands::targets(list)) {
        if (!target.plug.isNull()) {
            add(drivingCurve(target.plug));
        } else if (isCurveNode(*target.node)) {
            add(target.node);
        } else {
            for (const auto& [destination, source] : target.node->inputs)
                if (names.empty() || named(destination, names))
                    add(drivingCurve(PlugAccess::make(target.node, destination)));
        }
    }
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

class SetKeyframeCommand : public commands::EditCommand {
public:
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
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
            for (double t : times) {
                // Without -value a key takes what the plug shows at that time:
                // the curve's value, or the plug's own before it was keyed.
                const double v = uiValue ? commands::fromUi(*ref.path.attribute, *uiValue)
                                         : (fresh ? current : keys.evaluate(t));
                addKey(*curve, keys, t, v, in, out);
            }
            return true;
        });
    }
};

// ---------------------------------------------------------------- keyframe

MSyntax keyframeSyntax() {
    MSyntax s;
    s.addFlag("t", "time", MSyntax::kString);
    s.makeFlagMultiUse("t");
    s.addFlag("at", "attribute", MSyntax::kString);
    s.makeFlagMultiUse("at");
    s.makeFlagQueryWithFullArgs("t", true);
    s.makeFlagQueryWithFullArgs("at", true);
    s.addFlag("vc", "valueChange", MSyntax::kDouble);
    s.addFlag("tc", "timeChange", MSyntax::kDouble);
    s.addFlag("kc", "keyframeCount");
    s.addFlag("r", "relative");
    s.addFlag("a", "absolute");
    s.setObjectType(MSyntax::kStringObjects);
    s.enableQuery();
    s.enableEdit();
    return s;
}

class KeyframeCommand : public commands::EditCommand {
public:
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        std::vector<Range> ranges;
        std::vector<Node*> curves;
        if (!rangesOf(db, "keyframe", ranges) || !curvesOf(db, curves))
            return MS::kFailure;
        if (db.isEdit())
            return edit(db, ranges, curves);
        // Without -query the command answers the key count, as -query -kc.
        MDoubleArray values;
        int count = 0;
        for (Node* curve : curves) {
            Curve keys = readCurve(*curve);
            Attribute* ktv = curve->findAttribute("ktv");
            for (const Key& k : keys.keys()) {
                if (!inRanges(ranges, k.time))
                    continue;
                ++count;
                if (db.isFlagSet("vc"))
                    values.append(commands::toUi(*ktv->children[1], k.value));
                if (db.isFlagSet("tc"))
                    values.append(commands::toUi(*ktv->children[0], k.time));
            }
        }
        if (db.isQuery() && (db.isFlagSet("vc") || db.isFlagSet("tc")))
            setResult(values);
        else
            setResult(count);
        return MS::kSuccess;
    }

private:
    MStatus edit(const MArgDatabase& db, const std::vector<Range>& ranges,
                 const std::vector<Node*>& curves) {
        const bool relative = db.isFlagSet("r");
        const bool setValue = db.isFlagSet("vc"), setTime = db.isFlagSet("tc");
        if (!setValue && !setTime) {
            error("keyframe: -edit needs -valueChange or -timeChange.");
            return MS::kFailure;
        }
        const double valueArg = setValue ? db.flagArgumentDouble("vc", 0) : 0.0;
        const double timeArg = setTime ? db.flagArgumentDouble("tc", 0) : 0.0;
        int changed = 0;
        for (Node* curve : curves) {
            const Attribute& kt = *curve->findAttribute("ktv")->children[0];
            const Attribute& kv = *curve->findAttribute("ktv")->children[1];
            bool ok = editKeys(edits, *curve, [&](Curve& keys) {
                std::vector<Key> moved;
                for (auto it = keys.keys().begin(); it != keys.keys().end();) {
                    if (!inRanges(ranges, it->time)) {
                        ++it;
                        continue;
                    }
                    Key k = *it;
                    if (setValue)
                        k.value = relative ? k.value + commands::fromUi(kv, valueArg)
                                           : commands::fromUi(kv, valueArg);
                    if (setTime)
                        k.time = relative ? k.time + commands::fromUi(kt, timeArg)
                                          : commands::fromUi(kt, timeArg);
                    moved.push_back(k);
                    it = keys.keys().erase(it);
                }
                // Keys moved onto others replace them, as the host's key move does.
                for (const Key& k : moved)
                    keys.insert(k);
                changed += static_cast<int>(moved.size());
                return true;
            });
            if (!ok)
                return MS::kFailure;
        }
        setResult(changed);
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- keyTangent

MSyntax keyTangentSyntax() {
    MSyntax s;
    s.addFlag("t", "time", MSyntax::kString);
    s.makeFlagMultiUse("t");
    s.addFlag("at", "attribute", MSyntax::kString);
    s.makeFlagMultiUse("at");
    s.makeFlagQueryWithFullArgs("t", true);
    s.makeFlagQueryWithFullArgs("at", true);
    s.addFlag("itt", "inTangentType", MSyntax::kString);
    s.addFlag("ott", "outTangentType", MSyntax::kString);
    s.addFlag("g", "global");
    s.setObjectType(MSyntax::kStringObjects);
    s.enableQuery();
    s.enableEdit();
    return s;
}

class KeyTangentCommand : public commands::EditCommand {
public:
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        if (db.isFlagSet("g"))
            return global(db);
        std::vector<Range> ranges;
        std::vector<Node*> curves;
        if (!rangesOf(db, "keyTangent", ranges) || !curvesOf(db, curves))
            return MS::kFailure;
        if (db.isQuery()) {
            MStringArray names;
            for (Node* curve : curves) {
                // The curve read must outlive the walk over its keys.
                const Curve read = readCurve(*curve);
                for (const Key& k : read.keys())
                    if (inRanges(ranges, k.time)) {
                        if (db.isFlagSet("itt"))
                            names.append(tangentName(k.in));
                        if (db.isFlagSet("ott"))
                            names.append(tangentName(k.out));
                    }
            }
            setResult(names);
            return MS::kSuccess;
        }
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
        int changed = 0;
        for (Node* curve : curves) {
            bool ok = editKeys(edits, *curve, [&](Curve& keys) {
                for (size_t i = 0; i < keys.size(); ++i) {
                    if (!inRanges(ranges, keys.keys()[i].time))
                        continue;
                    if (in)
                        keys.setTangentType(i, true, resolveTangent(*curve, *in, true));
                    if (out)
                        keys.setTangentType(i, false, resolveTangent(*curve, *out, false));
                    ++changed;
                }
                return true;
            });
            if (!ok)
                return MS::kFailure;
        }
        setResult(changed);
        return MS::kSuccess;
    }

private:
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
    s.addFlag("t", "time", MSyntax::kString);
    s.makeFlagMultiUse("t");
    s.addFlag("at", "attribute", MSyntax::kString);
    s.makeFlagMultiUse("at");
    s.addFlag("cl", "clear");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// There is no key clipboard, so cutting and clearing both remove the keys.
// A curve left without keys goes, as the host's cut deletes it.
class CutKeyCommand : public commands::EditCommand {
public:
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        std::vector<Range> ranges;
        std::vector<Node*> curves;
        if (!rangesOf(db, "cutKey", ranges) || !curvesOf(db, curves))
            return MS::kFailure;
        int cut = 0;
        for (Node* curve : curves) {
            bool removed = false, empty = false;
            bool ok = editKeys(edits, *curve, [&](Curve& keys) {
                auto& k = keys.keys();
                const size_t before = k.size();
                k.erase(std::remove_if(k.begin(), k.end(),
                                       [&](const Key& key) { return inRanges(ranges, key.time); }),
                        k.end());
                removed = k.size() != before;
                empty = k.empty();
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
