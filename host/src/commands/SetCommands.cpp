// sets, currentUnit and convertUnit.
#include "commands/Support.h"
#include "graph/PlugAccess.h"
#include "script/Value.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MTime.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace host {
namespace commands {

namespace {

Attribute* dagMembers(Node& set) {
    return set.findAttribute("dagSetMembers");
}
Attribute* nodeMembers(Node& set) {
    return set.findAttribute("dnSetMembers");
}

// The plug of a member that feeds a set: a DAG path's instance of
// instObjGroups, a dependency node's message.
bool memberPlug(const Target& t, PlugRef& plug) {
    if (!t.path.empty()) {
        Attribute* groups = t.node->findAttribute("instObjGroups");
        int instance = dag::instanceNumber(t.path);
        if (!groups || instance < 0)
            return false;
        plug = PlugRef{t.node, PlugPath{groups, {static_cast<unsigned>(instance)}}};
        return true;
    }
    Attribute* message = t.node->findAttribute("message");
    if (!message)
        return false;
    plug = PlugRef{t.node, PlugPath{message, {}}};
    return true;
}

// Where the member plug enters the set, when it does.
bool entryOf(Node& set, const PlugRef& member, PlugRef& entry) {
    auto out = member.node->outputs.find(member.path);
    if (out == member.node->outputs.end())
        return false;
    for (const PlugRef& d : out->second)
        if (d.node == &set &&
            (d.path.attribute == dagMembers(set) || d.path.attribute == nodeMembers(set))) {
            entry = d;
            return true;
        }
    return false;
}

// One past the highest element of the array that has a connection.
unsigned nextIndex(Node& set, Attribute* array) {
    auto it = set.inputs.lower_bound(PlugPath{array, {UINT_MAX}});
    if (it == set.inputs.begin())
        return 0;
    --it;
    if (it->first.attribute != array || it->first.indices.empty())
        return 0;
    return it->first.indices.back() + 1;
}

MSyntax setsSyntax() {
    MSyntax s;
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("em", "empty");
    s.addFlag("add", "addElement", MSyntax::kString);
    s.addFlag("in", "include", MSyntax::kString);
    s.addFlag("fe", "forceElement", MSyntax::kString);
    s.addFlag("rm", "remove", MSyntax::kString);
    s.addFlag("cl", "clear", MSyntax::kString);
    s.addFlag("im", "isMember", MSyntax::kString);
    s.addFlag("r", "renderable", MSyntax::kBoolean);
    s.addFlag("nss", "noSurfaceShader", MSyntax::kBoolean);
    s.enableQuery();
    s.enableEdit();
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class SetsCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        if (db.isQuery())
            return query(db);
        for (const char* flag :
             {"addElement", "include", "forceElement", "remove", "clear", "isMember"}) {
            if (!db.isFlagSet(flag))
                continue;
            std::string setName = db.flagArgumentString(flag, 0).asChar();
            Node* set = findNode(setName);
            if (!set || !set->type().hasFn(MFn::kSet))
                return fail("'" + setName + "' is not a set.");
            std::string which = flag;
            if (which == "clear")
                return change(*set, targets(setMembers(*set)), false);
            MSelectionList list;
            if (!objectsOf(db, list))
                return MS::kFailure;
            if (which == "isMember")
                return isMember(*set, targets(list));
            if (set->type().hasFn(MFn::kShadingEngine) && which != "remove") {
                // Shading groups share one partition: an object is in one
                // of them at most. -forceElement takes it from the others.
                for (Node* other : Scene::current().allNodes()) {
                    if (other == set || !other->type().hasFn(MFn::kShadingEngine))
                        continue;
                    std::vector<Target> held;
                    for (const Target& t : targets(list)) {
                        PlugRef member, entry;
                        if (memberPlug(t, member) && entryOf(*other, member, entry))
                            held.push_back(t);
                    }
                    if (held.empty())
                        continue;
                    if (which != "forceElement")
                        return fail("'" + held.front().node->name() + "' is already in '" +
                                    other->name() + "', which shares its partition.");
                    MStatus removed = change(*other, held, false);
                    if (!removed)
                        return removed;
                }
            }
            return change(*set, targets(list), which != "remove");
        }
        return create(db);
    }

private:
    static MStatus fail(const std::string& text) {
        error("sets: " + text);
        return MS::kFailure;
    }

    MStatus create(const MArgDatabase& db) {
        std::vector<Target> members;
        if (!db.isFlagSet("empty")) {
            MSelectionList list;
            if (!objectsOf(db, list))
                return MS::kFailure;
            members = targets(list);
        }
        // A renderable set is a shading group; without the default
        // shader there is no surface shader for -noSurfaceShader to leave out.
        bool renderable = false;
        if (db.isFlagSet("renderable"))
            db.getFlagArgument("renderable", 0, renderable);
        auto modifier = std::make_shared<MDagModifier>();
        MObject set = static_cast<MDGModifier&>(*modifier).createNode(renderable ? "shadingEngine"
                                                                                 : "objectSet");
        std::string name =
            db.isFlagSet("name") ? db.flagArgumentString("name", 0).asChar() : "set#";
        if (!edits.run(modifier))
            return fail("The set could not be created.");
        Node* node = nodeOf(set);
        auto naming = std::make_shared<MDagModifier>();
        naming->renameNode(set, MString(name.c_str()));
        edits.run(naming);
        MStatus s = change(*node, members, true);
        if (!s)
            return s;
        setResult(MString(node->name().c_str()));
        return MS::kSuccess;
    }

    // Membership is a connection from instObjGroups (DAG members) or message
    // into the set; the links are made directly, since a DG modifier only
    // connects plugs of matching kinds and instObjGroups is a compound.
    MStatus change(Node& set, const std::vector<Target>& members, bool add) {
        std::vector<std::pair<PlugRef, PlugRef>> links;
        unsigned dagNext = nextIndex(set, dagMembers(set));
        unsigned nodeNext = nextIndex(set, nodeMembers(set));
        for (const Target& t : members) {
            if (!t.plug.isNull() || !t.component.isNull())
                return fail("Only whole objects can be set members.");
            PlugRef member, entry;
            if (!memberPlug(t, member))
                continue;
            bool present = entryOf(set, member, entry);
            if (add == present)
                continue;
            if (add) {
                bool dag = !t.path.empty();
                entry = PlugRef{&set, PlugPath{dag ? dagMembers(set) : nodeMembers(set),
                                               {dag ? dagNext++ : nodeNext++}}};
            }
            links.push_back({member, entry});
        }
        if (links.empty())
            return MS::kSuccess;
        NodePtr keep = Scene::current().share(&set);
        auto apply = [links, keep](bool connect) {
            Scene& scene = Scene::current();
            for (const auto& [member, entry] : links)
                if (!(connect ? scene.connect(member, entry) : scene.disconnect(member, entry)))
                    return false;
            return true;
        };
        if (!edits.run([apply, add] { return apply(add); }, [apply, add] { return apply(!add); }))
            return fail("The members of '" + set.name() + "' could not be changed.");
        return MS::kSuccess;
    }

    MStatus isMember(Node& set, const std::vector<Target>& members) {
        bool all = !members.empty();
        for (const Target& t : members) {
            PlugRef member, entry;
            if (!memberPlug(t, member) || !entryOf(set, member, entry))
                all = false;
        }
        setResult(all);
        return MS::kSuccess;
    }

    MStatus query(const MArgDatabase& db) {
        MStringArray names;
        db.getObjects(names);
        if (db.isFlagSet("renderable")) {
            Node* set = names.length() ? findNode(names[0].asChar()) : nullptr;
            if (!set || !set->type().hasFn(MFn::kSet))
                return fail("'" + std::string(names.length() ? names[0].asChar() : "") +
                            "' is not a set.");
            setResult(set->type().hasFn(MFn::kShadingEngine));
            return MS::kSuccess;
        }
        MStringArray out;
        for (unsigned i = 0; i < names.length(); ++i) {
            Node* set = findNode(names[i].asChar());
            if (!set || !set->type().hasFn(MFn::kSet))
                return fail(std::string("'") + names[i].asChar() + "' is not a set.");
            MStringArray strings;
            setMembers(*set).getSelectionStrings(strings);
            for (unsigned k = 0; k < strings.length(); ++k)
                out.append(strings[k]);
        }
        setResult(out);
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- currentUnit

struct UnitName {
    const char* name;
    const char* full;
    int unit;
};

const UnitName kLinear[] = {
    {"mm", "millimeter", MDistance::kMillimeters},
    {"cm", "centimeter", MDistance::kCentimeters},
    {"m", "meter", MDistance::kMeters},
    {"km", "kilometer", MDistance::kKilometers},
    {"in", "inch", MDistance::kInches},
    {"ft", "foot", MDistance::kFeet},
    {"yd", "yard", MDistance::kYards},
    {"mi", "mile", MDistance::kMiles},
};
const UnitName kAngular[] = {
    {"deg", "degree", MAngle::kDegrees},
    {"rad", "radian", MAngle::kRadians},
    {"min", "minute", MAngle::kAngMinutes},
    {"sec", "second", MAngle::kAngSeconds},
};
const UnitName kTime[] = {
    {"hour", "hour", MTime::kHours},         {"min", "min", MTime::kMinutes},
    {"sec", "sec", MTime::kSeconds},         {"millisec", "millisec", MTime::kMilliseconds},
    {"game", "game", MTime::kGames},         {"film", "film", MTime::kFilm},
    {"pal", "pal", MTime::kPALFrame},        {"ntsc", "ntsc", MTime::kNTSCFrame},
    {"show", "show", MTime::kShowScan},      {"palf", "palf", MTime::kPALField},
    {"ntscf", "ntscf", MTime::kNTSCField},   {"2fps", "2fps", MTime::k2FPS},
    {"3fps", "3fps", MTime::k3FPS},          {"4fps", "4fps", MTime::k4FPS},
    {"5fps", "5fps", MTime::k5FPS},          {"6fps", "6fps", MTime::k6FPS},
    {"8fps", "8fps", MTime::k8FPS},          {"10fps", "10fps", MTime::k10FPS},
    {"12fps", "12fps", MTime::k12FPS},       {"16fps", "16fps", MTime::k16FPS},
    {"20fps", "20fps", MTime::k20FPS},       {"40fps", "40fps", MTime::k40FPS},
    {"75fps", "75fps", MTime::k75FPS},       {"80fps", "80fps", MTime::k80FPS},
    {"100fps", "100fps", MTime::k100FPS},    {"120fps", "120fps", MTime::k120FPS},
    {"125fps", "125fps", MTime::k125FPS},    {"150fps", "150fps", MTime::k150FPS},
    {"200fps", "200fps", MTime::k200FPS},    {"240fps", "240fps", MTime::k240FPS},
    {"250fps", "250fps", MTime::k250FPS},    {"300fps", "300fps", MTime::k300FPS},
    {"375fps", "375fps", MTime::k375FPS},    {"400fps", "400fps", MTime::k400FPS},
    {"500fps", "500fps", MTime::k500FPS},    {"600fps", "600fps", MTime::k600FPS},
    {"750fps", "750fps", MTime::k750FPS},    {"1200fps", "1200fps", MTime::k1200FPS},
    {"1500fps", "1500fps", MTime::k1500FPS}, {"2000fps", "2000fps", MTime::k2000FPS},
    {"3000fps", "3000fps", MTime::k3000FPS}, {"6000fps", "6000fps", MTime::k6000FPS},
};

template <size_t N>
const UnitName* unitNamed(const UnitName (&table)[N], const std::string& name) {
    for (const UnitName& u : table)
        if (name == u.name || name == u.full)
            return &u;
    return nullptr;
}

template <size_t N>
const UnitName* unitOf(const UnitName (&table)[N], int unit) {
    for (const UnitName& u : table)
        if (u.unit == unit)
            return &u;
    return nullptr;
}

MSyntax currentUnitSyntax() {
    MSyntax s;
    s.addFlag("l", "linear", MSyntax::kString);
    s.addFlag("a", "angle", MSyntax::kString);
    s.addFlag("t", "time", MSyntax::kString);
    s.addFlag("f", "fullName");
    s.addFlag("ua", "updateAnimation", MSyntax::kBoolean);
    s.enableQuery();
    return s;
}

// Not undoable, as in the host: units are a preference, not scene content.
class CurrentUnitCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        bool full = db.isFlagSet("fullName");
        if (db.isQuery()) {
            const UnitName* u = db.isFlagSet("angle")  ? unitOf(kAngular, MAngle::uiUnit())
                                : db.isFlagSet("time") ? unitOf(kTime, MTime::uiUnit())
                                                       : unitOf(kLinear, MDistance::uiUnit());
            setResult(MString(u ? (full ? u->full : u->name) : ""));
            return MS::kSuccess;
        }
        // Every name is checked before any unit changes.
        const UnitName *linear = nullptr, *angle = nullptr, *time = nullptr;
        if (db.isFlagSet("linear") && !(linear = unitNamed(kLinear, text(db, "linear"))))
            return fail("Invalid linear unit: " + text(db, "linear"));
        if (db.isFlagSet("angle") && !(angle = unitNamed(kAngular, text(db, "angle"))))
            return fail("Invalid angular unit: " + text(db, "angle"));
        if (db.isFlagSet("time") && !(time = unitNamed(kTime, text(db, "time"))))
            return fail("Invalid time unit: " + text(db, "time"));
        if (linear)
            MDistance::setUIUnit(static_cast<MDistance::Unit>(linear->unit));
        if (angle)
            MAngle::setUIUnit(static_cast<MAngle::Unit>(angle->unit));
        if (time)
            MTime::setUIUnit(static_cast<MTime::Unit>(time->unit));
        return MS::kSuccess;
    }

private:
    static std::string text(const MArgDatabase& db, const char* flag) {
        return db.flagArgumentString(flag, 0).asChar();
    }
    static MStatus fail(const std::string& text) {
        error("currentUnit: " + text);
        return MS::kFailure;
    }
};

// A unit word of one of the three kinds, and what the value of a measure of
// that kind reads in another of its units.
struct Measure {
    enum Kind { kLinear, kAngle, kTime } kind;
    const UnitName* unit;
};

std::vector<Measure> measuresNamed(const std::string& word) {
    std::vector<Measure> found;
    if (const UnitName* u = unitNamed(kLinear, word))
        found.push_back({Measure::kLinear, u});
    if (const UnitName* u = unitNamed(kTime, word))
        found.push_back({Measure::kTime, u});
    if (const UnitName* u = unitNamed(kAngular, word))
        found.push_back({Measure::kAngle, u});
    return found;
}

const UnitName* uiUnitOf(Measure::Kind kind) {
    return kind == Measure::kLinear  ? unitOf(kLinear, MDistance::uiUnit())
           : kind == Measure::kAngle ? unitOf(kAngular, MAngle::uiUnit())
                                     : unitOf(kTime, MTime::uiUnit());
}

double converted(double value, Measure::Kind kind, int from, int to) {
    switch (kind) {
        case Measure::kLinear:
            return MDistance(value, static_cast<MDistance::Unit>(from))
                .as(static_cast<MDistance::Unit>(to));
        case Measure::kAngle:
            return MAngle(value, static_cast<MAngle::Unit>(from)).as(static_cast<MAngle::Unit>(to));
        default:
            return MTime(value, static_cast<MTime::Unit>(from)).as(static_cast<MTime::Unit>(to));
    }
}

MSyntax convertUnitSyntax() {
    MSyntax s;
    s.addFlag("f", "fromUnit", MSyntax::kString);
    s.addFlag("t", "toUnit", MSyntax::kString);
    s.setObjectType(MSyntax::kStringObjects, 1, 1);
    return s;
}

// convertUnit [-fromUnit u] [-toUnit u] value: the value ("2", "2in") in
// the unit -toUnit names, or the current unit of its kind, with that unit's
// word after it ("5.08cm"). The value's own unit word stands in for
// -fromUnit; a value with neither is in the current unit of -toUnit's kind.
// "min" and "sec" name time units unless the other unit is an angle.
class ConvertUnitCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray words;
        db.getObjects(words);
        const std::string text = words.length() ? words[0].asChar() : "";
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        if (end == text.c_str())
            return fail("'" + text + "' is not a number.");
        std::string from = db.isFlagSet("fromUnit") ? flag(db, "fromUnit") : std::string(end);
        const std::string to = db.isFlagSet("toUnit") ? flag(db, "toUnit") : "";
        std::vector<Measure> froms = measuresNamed(from), tos = measuresNamed(to);
        if (!from.empty() && froms.empty())
            return fail("Invalid unit: " + from);
        if (!to.empty() && tos.empty())
            return fail("Invalid unit: " + to);
        if (from.empty() && to.empty()) {
            setResult(MString(text.c_str()));
            return MS::kSuccess;
        }
        const Measure* source = nullptr;
        const Measure* target = nullptr;
        for (const Measure& f : froms)
            for (const Measure& t : tos)
                if (!source && f.kind == t.kind) {
                    source = &f;
                    target = &t;
                }
        if (from.empty() || to.empty()) {
            const Measure& known = from.empty() ? tos.front() : froms.front();
            const Measure ui{known.kind, uiUnitOf(known.kind)};
            const double result =
                from.empty() ? converted(value, known.kind, ui.unit->unit, known.unit->unit)
                             : converted(value, known.kind, known.unit->unit, ui.unit->unit);
            return answer(result, from.empty() ? known.unit : ui.unit);
        }
        if (!source)
            return fail("Cannot convert between " + from + " and " + to + ".");
        return answer(converted(value, source->kind, source->unit->unit, target->unit->unit),
                      target->unit);
    }

private:
    static std::string flag(const MArgDatabase& db, const char* name) {
        return db.flagArgumentString(name, 0).asChar();
    }
    MStatus answer(double value, const UnitName* unit) {
        setResult(MString((mel::formatFloat(value) + unit->name).c_str()));
        return MS::kSuccess;
    }
    static MStatus fail(const std::string& text) {
        error("convertUnit: " + text);
        return MS::kFailure;
    }
};

}  // namespace

MSelectionList setMembers(Node& set) {
    MSelectionList list;
    for (const auto& [path, source] : set.inputs) {
        if (path.attribute == dagMembers(set) && !source.path.indices.empty()) {
            std::vector<dag::NodePath> paths = dag::allPaths(*source.node);
            unsigned instance = source.path.indices.front();
            if (instance < paths.size())
                list.add(dag::PathAccess::make(paths[instance]));
        } else if (path.attribute == nodeMembers(set)) {
            list.add(Scene::current().object(source.node));
        }
    }
    return list;
}

void registerSetCommands() {
    define<SetsCommand>("sets", setsSyntax);
    define<CurrentUnitCommand>("currentUnit", currentUnitSyntax);
    define<ConvertUnitCommand>("convertUnit", convertUnitSyntax);
}

}  // namespace commands
}  // namespace host
