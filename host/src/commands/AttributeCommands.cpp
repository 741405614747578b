// getAttr, setAttr, addAttr, deleteAttr and listAttr.
//
// Map, top to bottom:
// - helpers: plugsNamed spreads "w[0:2]" into element plugs (getAttr and
//   setAttr take ranges), the lock and keyable tests, and setAttr's writeAll,
//   which snapshots per node so that undo puts back exactly what was stored;
// - setAttr, then getAttr: value forms and type names come from Values.cpp,
//   so that a value read back is written back the same way;
// - addAttr, the largest: PendingCompounds (a compound joins its node only
//   when all the children it was declared with have come, as the host
//   does), Settings (what -edit may change), enum field texts, makeAttribute
//   (the -at/-dt names come from graph/TypeNames), then the command itself
//   with its add, edit, exists and query paths;
// - deleteAttr and listAttr, which start from their objects (ObjectsCommand;
//   the others read only their flags first, ParsedCommand);
// - registerAttributeCommands, the one entry point.
#include "animation/Curve.h"
#include "commands/Support.h"
#include "commands/Values.h"
#include "graph/AttributeBuilder.h"
#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "graph/TypeNames.h"
#include "script/Interpreter.h"

#include <maya/MAnimControl.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MIntArray.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <set>

namespace host {
namespace commands {

namespace {

// The most elements a range may name where no values bound it.
const size_t kRangeWithoutValues = 1u << 16;

// The plugs a name stands for, with an index range ("w[0:2]") spread into
// its elements. A range of more than `most` elements fails before anything
// is made, so that a file's huge range cannot exhaust memory.
bool plugsNamed(const std::string& name, std::vector<PlugRef>& plugs, size_t most) {
    std::string base = name;
    long first = -1, last = -1;
    size_t open = name.rfind('[');
    if (open != std::string::npos && name.back() == ']') {
        std::string inside = name.substr(open + 1, name.size() - open - 2);
        size_t colon = inside.find(':');
        if (colon != std::string::npos) {
            try {
                first = std::stol(inside.substr(0, colon));
                last = std::stol(inside.substr(colon + 1));
            } catch (const std::exception&) {
                return false;
            }
            if (first < 0 || last < first || static_cast<size_t>(last - first) >= most)
                return false;
            base = name.substr(0, open) + "[" + std::to_string(first) + "]";
        }
    }
    MSelectionList list;
    if (!lookup(base, list))
        return false;
    for (const Target& t : targets(list)) {
        if (t.plug.isNull())
            continue;
        PlugRef ref = PlugAccess::ref(t.plug);
        // A per-instance attribute stands for its first instance.
        if (!isResolved(ref.path) && ref.path.attribute->worldSpace)
            ref.path.indices.push_back(0);
        if (first < 0) {
            plugs.push_back(ref);
            continue;
        }
        for (long i = first; i <= last; ++i) {
            ref.path.indices.back() = static_cast<unsigned>(i);
            plugs.push_back(ref);
        }
    }
    return !plugs.empty();
}

bool isLockedPlug(const PlugRef& plug) {
    return plug.node->lockedPlugs.count(plug.path) > 0;
}

bool isKeyablePlug(const PlugRef& plug) {
    return PlugAccess::make(plug).isKeyable();
}

// The stored value a write to the plug changes: its outermost array
// element, or its top-level attribute when no array lies on the way.
PlugPath storageRoot(const PlugPath& path) {
    std::vector<const Attribute*> chain;
    for (const Attribute* a = path.attribute; a; a = a->parent)
        chain.insert(chain.begin(), a);
    for (const Attribute* a : chain)
        if (a->array && !path.indices.empty())
            return PlugPath{const_cast<Attribute*>(a), {path.indices[0]}};
    return PlugPath{const_cast<Attribute*>(chain.front()), {}};
}

// Writes the values, one snapshot per node, so undo puts back exactly what
// was stored (elements that did not exist disappear again).
bool writeAll(Edits& edits, const std::vector<Assignment>& assignments) {
    std::map<Node*, std::vector<const Assignment*>> byNode;
    std::vector<Node*> order;
    for (const Assignment& a : assignments) {
        if (!byNode.count(a.plug.node))
            order.push_back(a.plug.node);
        byNode[a.plug.node].push_back(&a);
    }
    for (Node* node : order) {
        std::vector<PlugPath> roots;
        for (const Assignment* a : byNode[node]) {
            PlugPath root = storageRoot(a->plug.path);
            if (std::find(roots.begin(), roots.end(), root) == roots.end())
                roots.push_back(root);
        }
        const auto& list = byNode[node];
        bool ok = edits.change(*node, roots, [&list] {
            for (const Assignment* a : list)
                if (!assign(a->plug, a->value))
                    return false;
            return true;
        });
        if (!ok)
            return false;
    }
    return true;
}

// ---------------------------------------------------------------- setAttr

MSyntax setAttrSyntax() {
    MSyntax s;
    s.addFlag("typ", "type", MSyntax::kString);
    s.addFlag("l", "lock", MSyntax::kBoolean);
    s.addFlag("k", "keyable", MSyntax::kBoolean);
    s.addFlag("cb", "channelBox", MSyntax::kBoolean);
    s.addFlag("s", "size", MSyntax::kLong);
    s.addFlag("c", "caching", MSyntax::kBoolean);
    s.addFlag("av", "alteredValue");
    s.addFlag("ca", "capacityHint", MSyntax::kLong);
    s.setObjectType(MSyntax::kStringObjects, 1);
    // "setAttr -e -keyable false obj.attr" is the same as without -e.
    s.enableEdit();
    return s;
}

class SetAttrCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        std::string name = objects[0].asChar();
        std::vector<std::string> given = values(objects);
        // Each element of a range takes at least one value.
        std::vector<PlugRef> plugs;
        if (!plugsNamed(name, plugs, given.empty() ? kRangeWithoutValues : given.size()))
            return fail("No object matches name: " + name);

        ValueWords words{given, 0, ""};
        if (db.isFlagSet("type"))
            words.type = db.flagArgumentString("type", 0).asChar();
        bool lockSet = db.isFlagSet("lock"), lock = false;
        if (lockSet)
            db.getFlagArgument("lock", 0, lock);
        bool keyableSet = db.isFlagSet("keyable"), keyable = false;
        if (keyableSet)
            db.getFlagArgument("keyable", 0, keyable);
        bool channelBoxSet = db.isFlagSet("channelBox"), channelBox = false;
        if (channelBoxSet)
            db.getFlagArgument("channelBox", 0, channelBox);

        std::vector<Assignment> assignments;
        if (!words.words.empty()) {
            for (const PlugRef& plug : plugs) {
                const Attribute& a = *plug.path.attribute;
                if (!a.writable)
                    return fail("The attribute '" + plugName(plug) + "' is not writable.");
                // A lock the same call takes off does not stand in the way.
                bool unlocking = lockSet && !lock && isLockedPlug(plug);
                bool free = isSettable(plug, true);
                if (!free && unlocking) {
                    plug.node->lockedPlugs.erase(plug.path);
                    free = isSettable(plug, true);
                    plug.node->lockedPlugs.insert(plug.path);
                }
                if (!free)
                    return fail("The attribute '" + plugName(plug) +
                                "' is locked or connected and cannot be modified.");
            }
            for (const PlugRef& plug : plugs) {
                std::string problem;
                if (!readAssignment(plug, words, assignments, problem))
                    return fail(problem);
            }
            if (words.left())
                return fail("Too many data elements were given.");
        } else if (!lockSet && !keyableSet && !channelBoxSet && !db.isFlagSet("size") &&
                   !db.isFlagSet("alteredValue") && !db.isFlagSet("capacityHint") &&
                   !db.isFlagSet("caching")) {
            return fail("Not enough data was provided.");
        }

        if (lockSet && !lock)
            for (const PlugRef& plug : plugs)
                edits.setLocked(plug, false);
        if (!writeAll(edits, assignments)) {
            edits.undo();
            return fail("The value could not be set.");
        }
        for (const PlugRef& plug : plugs) {
            if (lockSet && lock)
                edits.setLocked(plug, true);
            if (keyableSet)
                edits.setKeyable(plug, keyable);
            if (channelBoxSet)
                PlugAccess::make(plug).setChannelBox(channelBox);
        }
        return autoKey(assignments);
    }

private:
    // With auto keying on, a keyed plug set gets a key of its new value at
    // the current time, as setKeyframe would set it.
    static MStatus autoKey(const std::vector<Assignment>& assignments) {
        if (!autoKeying())
            return MS::kSuccess;
        std::vector<std::string> keyed;
        for (const Assignment& a : assignments)
            if (animation::drivingCurve(PlugAccess::make(a.plug)))
                keyed.push_back(plugName(a.plug));
        for (const std::string& plug : keyed)
            if (!mel::Interpreter::instance().execute("setKeyframe \"" + plug + "\""))
                return MS::kFailure;
        return MS::kSuccess;
    }
    static std::vector<std::string> values(const MStringArray& objects) {
        std::vector<std::string> out;
        for (unsigned i = 1; i < objects.length(); ++i)
            out.emplace_back(objects[i].asChar());
        return out;
    }
    static MStatus fail(const std::string& text) {
        error("setAttr: " + text);
        return MS::kFailure;
    }
};

// ---------------------------------------------------------------- getAttr

MSyntax getAttrSyntax() {
    MSyntax s;
    s.addFlag("typ", "type");
    s.addFlag("s", "size");
    s.addFlag("l", "lock");
    s.addFlag("k", "keyable");
    s.addFlag("se", "settable");
    s.addFlag("cb", "channelBox");
    s.addFlag("as", "asString");
    s.addFlag("sl", "silent");
    s.addFlag("t", "time", MSyntax::kTime);
    s.addFlag("x", "expandEnvironmentVariables");
    s.addFlag("ca", "caching");
    s.addFlag("mi", "multiIndices");
    s.setObjectType(MSyntax::kStringObjects, 1, 1);
    return s;
}

// Expands $NAME, ${NAME} and a leading ~ as a shell would; unknown names
// expand to nothing.
std::string expandEnvironment(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '~' && i == 0 && (text.size() == 1 || text[1] == '/')) {
            const char* home = std::getenv("HOME");
            out += home ? home : "";
            continue;
        }
        if (c != '$' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        size_t start = i + 1, end = start;
        const bool braced = text[start] == '{';
        if (braced) {
            end = text.find('}', start);
            if (end == std::string::npos) {
                out += c;
                continue;
            }
            ++start;
        } else {
            while (end < text.size() &&
                   (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_'))
                ++end;
            if (end == start) {
                out += c;
                continue;
            }
        }
        const char* value = std::getenv(text.substr(start, end - start).c_str());
        out += value ? value : "";
        i = braced ? end : end - 1;
    }
    return out;
}

class GetAttrCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        std::string name = objects[0].asChar();
        std::vector<PlugRef> plugs;
        if (!plugsNamed(name, plugs, kRangeWithoutValues)) {
            error("getAttr: No object matches name: " + name);
            return MS::kFailure;
        }
        if (plugs.size() > 1) {
            error("getAttr: More than one object matches name: " + name);
            return MS::kFailure;
        }
        const PlugRef& plug = plugs.front();
        const Attribute& a = *plug.path.attribute;
        MPlug p = PlugAccess::make(plug);
        if (db.isFlagSet("type")) {
            setResult(MString(typeName(a).c_str()));
        } else if (db.isFlagSet("size")) {
            setResult(static_cast<int>(sizeOf(plug)));
        } else if (db.isFlagSet("lock")) {
            setResult(p.isLocked());
        } else if (db.isFlagSet("keyable")) {
            setResult(p.isKeyable());
        } else if (db.isFlagSet("settable")) {
            setResult(a.writable && isSettable(plug, true));
        } else if (db.isFlagSet("channelBox")) {
            setResult(p.isChannelBoxFlagSet());
        } else if (db.isFlagSet("caching")) {
            setResult(p.isCachingFlagSet());
        } else if (db.isFlagSet("multiIndices")) {
            if (isResolved(plug.path)) {
                error("getAttr: '" + plugName(plug) + "' is not a multi attribute.");
                return MS::kFailure;
            }
            MIntArray indices;
            for (unsigned i : plug.node->elementIndices(plug.path))
                indices.append(static_cast<int>(i));
            setResult(indices);
        } else {
            return readValue(db, plug);
        }
        return MS::kSuccess;
    }

private:
    // The value, at -time when given: the scene is read there and the
    // clock put back, which changes nothing a script can see.
    MStatus readValue(const MArgDatabase& db, const PlugRef& plug) {
        const MTime now = MAnimControl::currentTime();
        MTime at;
        const bool elsewhere =
            db.isFlagSet("time") && db.getFlagArgument("time", 0, at) && at != now;
        if (elsewhere)
            MAnimControl::setCurrentTime(at);
        mel::Value value;
        std::string problem;
        const bool read = readForScript(plug, db.isFlagSet("asString"), value, problem);
        if (elsewhere)
            MAnimControl::setCurrentTime(now);
        if (!read) {
            error("getAttr: " + problem);
            return MS::kFailure;
        }
        if (db.isFlagSet("expandEnvironmentVariables") && value.type() == mel::Type::String)
            value = mel::Value(expandEnvironment(value.text()));
        setCommandResult(value);
        return MS::kSuccess;
    }

    static unsigned sizeOf(const PlugRef& plug) {
        if (!isResolved(plug.path))
            return static_cast<unsigned>(plug.node->elementIndices(plug.path).size());
        mel::Value value;
        std::string problem;
        if (plug.path.attribute->kind == Attribute::Kind::Typed &&
            readForScript(plug, false, value, problem) && value.isArray()) {
            size_t n = value.size();
            if (plug.path.attribute->dataType == MFnData::kVectorArray)
                n /= 3;
            if (plug.path.attribute->dataType == MFnData::kPointArray)
                n /= 4;
            return static_cast<unsigned>(n);
        }
        return 1;
    }
};

// ---------------------------------------------------------------- addAttr

// Compounds whose children are still to come: a compound joins its node
// when it has all the children it was declared with, as the host does it.
struct PendingCompounds {
    struct Entry {
        NodePtr node;
        AttributePtr root;
    };
    std::vector<Entry> entries;
    std::map<const Attribute*, unsigned> wanted;  // children each compound waits for

    static PendingCompounds& instance() {
        static PendingCompounds pending;
        return pending;
    }
    Attribute* find(Node* node, const std::string& name) const {
        for (const Entry& e : entries)
            if (e.node.get() == node)
                if (Attribute* a = e.root->find(name))
                    return a;
        return nullptr;
    }
    bool complete(const Attribute& a) const {
        auto w = wanted.find(&a);
        if (w != wanted.end() && a.children.size() < w->second)
            return false;
        for (const auto& c : a.children)
            if (!complete(*c))
                return false;
        return true;
    }
    void remove(const Attribute* root) {
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [root](const Entry& e) { return e.root.get() == root; }),
                      entries.end());
    }
};

// The settings of an attribute that addAttr -edit can change.
struct Settings {
    bool keyable, hidden, readable, writable, storable, cached, usedAsColor, channelBox;
    Value defaultValue;
    std::optional<double> minValue, maxValue, softMinValue, softMaxValue;
    std::vector<std::pair<std::string, short>> enumFields;

    static Settings of(const Attribute& a) {
        return {a.keyable,  a.hidden,       a.readable,     a.writable,     a.storable,
                a.cached,   a.usedAsColor,  a.channelBox,   a.defaultValue, a.minValue,
                a.maxValue, a.softMinValue, a.softMaxValue, a.enumFields};
    }
    void applyTo(Attribute& a) const {
        a.keyable = keyable;
        a.hidden = hidden;
        a.readable = readable;
        a.writable = writable;
        a.storable = storable;
        a.cached = cached;
        a.usedAsColor = usedAsColor;
        a.channelBox = channelBox;
        a.defaultValue = defaultValue;
        a.minValue = minValue;
        a.maxValue = maxValue;
        a.softMinValue = softMinValue;
        a.softMaxValue = softMaxValue;
        a.enumFields = enumFields;
    }
};

// "a:b=5:c" as fields; a field without a number takes the one after the
// field before it.
bool parseEnumFields(const std::string& text, std::vector<std::pair<std::string, short>>& fields) {
    fields.clear();
    short next = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(':', start);
        std::string field =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!field.empty()) {
            size_t eq = field.find('=');
            if (eq != std::string::npos) {
                try {
                    next = static_cast<short>(std::stoi(field.substr(eq + 1)));
                } catch (const std::exception&) {
                    return false;
                }
                field = field.substr(0, eq);
            }
            fields.emplace_back(field, next++);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return !fields.empty();
}

std::string enumText(const Attribute& a) {
    std::string text;
    short expected = 0;
    for (const auto& [name, value] : a.enumFields) {
        if (!text.empty())
            text += ":";
        text += name;
        if (value != expected)
            text += "=" + std::to_string(value);
        expected = static_cast<short>(value + 1);
    }
    return text;
}

bool validName(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

// A new attribute of the kind -at or -dt names, and how many children it
// waits for (0 for none).
AttributePtr makeAttribute(const std::string& ln, const std::string& sn, const std::string& at,
                           const std::string& dt, unsigned& children, std::string& problem) {
    children = 0;
    if (!dt.empty()) {
        MFnData::Type type;
        if (typeFromName(dt, type))
            return attrs::typed(ln, sn, type);
        problem = "Unknown data type: " + dt;
        return nullptr;
    }
    std::string kind = at.empty() ? "double" : at;
    MFnNumericData::Type numericType;
    if (typeFromName(kind, numericType)) {
        auto a = attrs::numeric(ln, sn, numericType);
        children = numericComponentCount(numericType);
        if (children == 1)
            children = 0;
        else
            a->defaultValue = Value{};
        a->usedAsColor = kind == "reflectance" || kind == "spectrum";
        return a;
    }
    if (kind == "enum")
        return attrs::enumeration(ln, sn, {{"", 0}});
    MFnUnitAttribute::Type unitType;
    if (typeFromName(kind, unitType))
        return attrs::unit(ln, sn, unitType);
    if (kind == "message")
        return attrs::message(ln, sn);
    // What the host writes for a generic attribute must read back.
    if (kind == "generic")
        return std::make_shared<Attribute>(Attribute::Kind::Generic, ln, sn);
    if (kind == "matrix" || kind == "fltMatrix") {
        auto a = attrs::matrix(ln, sn);
        a->floatMatrix = kind == "fltMatrix";
        return a;
    }
    if (kind == "compound") {
        auto a = std::make_shared<Attribute>(Attribute::Kind::Compound, ln, sn);
        children = 1;  // at least one, unless -nc says how many
        return a;
    }
    problem = "Unknown attribute type: " + kind;
    return nullptr;
}

MSyntax addAttrSyntax() {
    MSyntax s;
    s.addFlag("ln", "longName", MSyntax::kString);
    s.addFlag("sn", "shortName", MSyntax::kString);
    s.addFlag("nn", "niceName", MSyntax::kString);
    s.addFlag("at", "attributeType", MSyntax::kString);
    s.addFlag("dt", "dataType", MSyntax::kString);
    s.addFlag("p", "parent", MSyntax::kString);
    s.addFlag("nc", "numberOfChildren", MSyntax::kLong);
    s.addFlag("m", "multi");
    s.addFlag("im", "indexMatters", MSyntax::kBoolean);
    s.addFlag("dv", "defaultValue", MSyntax::kDouble);
    s.addFlag("min", "minValue", MSyntax::kDouble);
    s.addFlag("max", "maxValue", MSyntax::kDouble);
    s.addFlag("smn", "softMinValue", MSyntax::kDouble);
    s.addFlag("smx", "softMaxValue", MSyntax::kDouble);
    s.addFlag("hnv", "hasMinValue", MSyntax::kBoolean);
    s.addFlag("hxv", "hasMaxValue", MSyntax::kBoolean);
    s.addFlag("hsn", "hasSoftMinValue", MSyntax::kBoolean);
    s.addFlag("hsx", "hasSoftMaxValue", MSyntax::kBoolean);
    s.addFlag("en", "enumName", MSyntax::kString);
    s.addFlag("k", "keyable", MSyntax::kBoolean);
    s.addFlag("h", "hidden", MSyntax::kBoolean);
    s.addFlag("r", "readable", MSyntax::kBoolean);
    s.addFlag("w", "writable", MSyntax::kBoolean);
    s.addFlag("s", "storable", MSyntax::kBoolean);
    s.addFlag("ci", "cachedInternally", MSyntax::kBoolean);
    s.addFlag("is", "internalSet", MSyntax::kBoolean);
    s.addFlag("uac", "usedAsColor");
    s.addFlag("uaf", "usedAsFilename");
    s.addFlag("bt", "binaryTag", MSyntax::kString);
    s.addFlag("ct", "category", MSyntax::kString);
    s.addFlag("ex", "exists");
    s.enableQuery();
    s.enableEdit();
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class AddAttrCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        if (db.isQuery() && db.isFlagSet("exists"))
            return exists(db);
        MSelectionList list;
        if (!objectsOf(db, list))
            return MS::kFailure;
        std::vector<Target> found = targets(list);
        if (found.empty())
            return fail("No object was specified.");
        if (db.isQuery())
            return query(db, found.front());
        if (db.isEdit())
            return edit(db, found);
        for (const Target& t : found)
            if (!add(db, *t.node)) {
                edits.undo();
                return MS::kFailure;
            }
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("addAttr: " + text);
        return MS::kFailure;
    }
    static bool reject(const std::string& text) {
        error("addAttr: " + text);
        return false;
    }
    static std::string text(const MArgDatabase& db, const char* flag) {
        return db.isFlagSet(flag) ? db.flagArgumentString(flag, 0).asChar() : std::string();
    }
    static bool flag(const MArgDatabase& db, const char* name, bool fallback) {
        bool v = fallback;
        if (db.isFlagSet(name))
            db.getFlagArgument(name, 0, v);
        return v;
    }

    // Applies the setting flags of the call to a new or edited attribute.
    static bool applySettings(const MArgDatabase& db, Attribute& a) {
        a.keyable = flag(db, "keyable", a.keyable);
        a.hidden = flag(db, "hidden", a.hidden);
        a.readable = flag(db, "readable", a.readable);
        a.writable = flag(db, "writable", a.writable);
        a.storable = flag(db, "storable", a.storable);
        a.cached = flag(db, "cachedInternally", a.cached);
        if (db.isFlagSet("usedAsColor"))
            a.usedAsColor = true;
        auto bound = [&](const char* name, std::optional<double>& slot) {
            double v = 0;
            if (db.isFlagSet(name) && db.getFlagArgument(name, 0, v))
                slot = fromUi(a, v);
        };
        bound("minValue", a.minValue);
        bound("maxValue", a.maxValue);
        bound("softMinValue", a.softMinValue);
        bound("softMaxValue", a.softMaxValue);
        auto has = [&](const char* name, std::optional<double>& slot) {
            if (db.isFlagSet(name) && !flag(db, name, true))
                slot.reset();
        };
        has("hasMinValue", a.minValue);
        has("hasMaxValue", a.maxValue);
        has("hasSoftMinValue", a.softMinValue);
        has("hasSoftMaxValue", a.softMaxValue);
        double dv = 0;
        if (db.isFlagSet("defaultValue") && db.getFlagArgument("defaultValue", 0, dv) &&
            isNumericLeaf(a))
            a.defaultValue = numberValue(a, dv);
        if (db.isFlagSet("enumName")) {
            if (a.kind != Attribute::Kind::Enum)
                return false;
            if (!parseEnumFields(text(db, "enumName"), a.enumFields))
                return false;
        }
        return true;
    }

    bool add(const MArgDatabase& db, Node& node) {
        std::string ln = text(db, "longName"), sn = text(db, "shortName");
        if (ln.empty())
            ln = sn;
        if (sn.empty())
            sn = ln;
        if (ln.empty())
            return reject("A long name must be given with -ln.");
        if (!validName(ln) || !validName(sn))
            return reject("'" + ln + "' is not a valid attribute name.");
        unsigned children = 0;
        std::string problem;
        AttributePtr a = makeAttribute(ln, sn, text(db, "attributeType"), text(db, "dataType"),
                                       children, problem);
        PendingCompounds& pending = PendingCompounds::instance();
        for (const std::string& n : {ln, sn})
            if (node.findAttribute(n) || pending.find(&node, n))
                return reject("Attribute '" + n + "' already exists on node '" + node.name() +
                              "'.");
        if (!a)
            return reject(problem);
        if (db.isFlagSet("numberOfChildren")) {
            int nc = 0;
            db.getFlagArgument("numberOfChildren", 0, nc);
            bool numericCompound = a->kind == Attribute::Kind::Numeric && children > 0;
            if ((a->kind != Attribute::Kind::Compound && !numericCompound) || nc < 1 ||
                (numericCompound && static_cast<unsigned>(nc) != children))
                return reject("-numberOfChildren does not fit the attribute type.");
            children = static_cast<unsigned>(nc);
        }
        if (db.isFlagSet("multi"))
            a->array = true;
        a->indexMatters = flag(db, "indexMatters", a->indexMatters);
        a->internal = flag(db, "internalSet", a->internal);
        if (!applySettings(db, *a))
            return reject("-enumName needs an enum attribute and fields.");
        // The count is kept by address: one left behind by a compound long
        // gone must not hold back a new attribute that took its place.
        if (children)
            pending.wanted[a.get()] = children;
        else
            pending.wanted.erase(a.get());

        if (!db.isFlagSet("parent")) {
            if (children)
                return startPending(node, a);
            return join(node, a);
        }
        std::string parentName = text(db, "parent");
        Attribute* parent = pending.find(&node, parentName);
        if (!parent || !pending.wanted.count(parent))
            return reject("Parent attribute '" + parentName +
                          "' is not a compound waiting for children on node '" + node.name() +
                          "'.");
        auto w = pending.wanted.find(parent);
        if (w != pending.wanted.end() && parent->kind == Attribute::Kind::Numeric &&
            parent->children.size() >= w->second)
            return reject("Parent attribute '" + parentName + "' already has all its children.");
        std::shared_ptr<Attribute> parentPtr =
            std::static_pointer_cast<Attribute>(parent->shared_from_this());
        edits.run(
            [parentPtr, a] {
                parentPtr->addChild(a);
                return true;
            },
            [parentPtr, a] {
                auto& kids = parentPtr->children;
                kids.erase(std::remove(kids.begin(), kids.end(), a), kids.end());
                a->parent = nullptr;
                return true;
            });
        AttributePtr root = rootOf(parent);
        if (!pending.complete(*root))
            return true;
        // The last child arrived: the compound joins the node.
        NodePtr keep = Scene::current().share(&node);
        edits.run(
            [root] {
                PendingCompounds::instance().remove(root.get());
                return true;
            },
            [keep, root] {
                PendingCompounds::instance().entries.push_back({keep, root});
                return true;
            });
        return join(node, root);
    }

    static AttributePtr rootOf(Attribute* a) {
        while (a->parent)
            a = a->parent;
        return std::static_pointer_cast<Attribute>(a->shared_from_this());
    }

    bool startPending(Node& node, const AttributePtr& a) {
        NodePtr keep = Scene::current().share(&node);
        return edits.run(
            [keep, a] {
                PendingCompounds::instance().entries.push_back({keep, a});
                return true;
            },
            [a] {
                PendingCompounds::instance().remove(a.get());
                return true;
            });
    }

    bool join(Node& node, const AttributePtr& a) {
        auto modifier = std::make_shared<MDagModifier>();
        modifier->addAttribute(Scene::current().object(&node), toMObject(a));
        if (!edits.run(modifier))
            return reject("The attribute '" + a->longName + "' could not be added to node '" +
                          node.name() + "'.");
        return true;
    }

    // The attribute an -edit or -query call is about: "node.attr", or the
    // node with -ln or -sn.
    static Attribute* subject(const MArgDatabase& db, const Target& t) {
        if (!t.plug.isNull())
            return PlugAccess::attribute(t.plug);
        std::string name = text(db, "longName");
        if (name.empty())
            name = text(db, "shortName");
        return name.empty() ? nullptr : t.node->findAttribute(name);
    }

    MStatus edit(const MArgDatabase& db, const std::vector<Target>& found) {
        for (const Target& t : found) {
            Attribute* a = subject(db, t);
            if (!a)
                return fail("No attribute was specified to edit.");
            if (!t.node->isDynamic(a))
                return fail("Static attribute '" + a->longName + "' cannot be edited.");
            AttributePtr keep = std::static_pointer_cast<Attribute>(a->shared_from_this());
            Settings before = Settings::of(*a);
            if (!applySettings(db, *a)) {
                before.applyTo(*a);
                return fail("-enumName needs an enum attribute and fields.");
            }
            Settings after = Settings::of(*a);
            edits.done(
                [keep, after] {
                    after.applyTo(*keep);
                    return true;
                },
                [keep, before] {
                    before.applyTo(*keep);
                    return true;
                });
        }
        Scene::current().touch();
        return MS::kSuccess;
    }

    // "node.attr" names an attribute that may not be there.
    MStatus exists(const MArgDatabase& db) {
        MStringArray names;
        db.getObjects(names);
        bool all = names.length() > 0;
        for (unsigned i = 0; i < names.length(); ++i) {
            std::string name = names[i].asChar();
            size_t dot = name.find('.');
            Node* node = dot == std::string::npos ? nullptr : findNode(name.substr(0, dot));
            if (!node || !node->findAttribute(name.substr(dot + 1)))
                all = false;
        }
        setResult(all);
        return MS::kSuccess;
    }

    MStatus query(const MArgDatabase& db, const Target& t) {
        Attribute* a = subject(db, t);
        if (!a)
            return fail("No attribute was specified to query.");
        auto number = [&](const std::optional<double>& v) { setResult(v ? toUi(*a, *v) : 0.0); };
        if (db.isFlagSet("attributeType") || db.isFlagSet("dataType"))
            setResult(MString(typeName(*a).c_str()));
        else if (db.isFlagSet("longName"))
            setResult(MString(a->longName.c_str()));
        else if (db.isFlagSet("shortName"))
            setResult(MString(a->shortName.c_str()));
        else if (db.isFlagSet("parent"))
            setResult(MString(a->parent ? a->parent->longName.c_str() : ""));
        else if (db.isFlagSet("numberOfChildren"))
            setResult(static_cast<int>(a->children.size()));
        else if (db.isFlagSet("defaultValue"))
            setResult(toUi(*a, valueAsDouble(a->defaultValue)));
        else if (db.isFlagSet("minValue"))
            number(a->minValue);
        else if (db.isFlagSet("maxValue"))
            number(a->maxValue);
        else if (db.isFlagSet("softMinValue"))
            number(a->softMinValue);
        else if (db.isFlagSet("softMaxValue"))
            number(a->softMaxValue);
        else if (db.isFlagSet("enumName"))
            setResult(MString(enumText(*a).c_str()));
        else if (db.isFlagSet("keyable"))
            setResult(a->keyable);
        else if (db.isFlagSet("hidden"))
            setResult(a->hidden);
        else if (db.isFlagSet("multi"))
            setResult(a->array);
        else if (db.isFlagSet("readable"))
            setResult(a->readable);
        else if (db.isFlagSet("writable"))
            setResult(a->writable);
        else if (db.isFlagSet("storable"))
            setResult(a->storable);
        else if (db.isFlagSet("usedAsColor"))
            setResult(a->usedAsColor);
        else
            return fail("Nothing to query was given.");
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- deleteAttr

MSyntax deleteAttrSyntax() {
    MSyntax s;
    s.addFlag("at", "attribute", MSyntax::kString);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class DeleteAttrCommand : public ObjectsCommand<EditCommand> {
public:
    MStatus runOn(const MArgDatabase& db, MSelectionList& list) override {
        std::string named = db.isFlagSet("attribute")
                                ? db.flagArgumentString("attribute", 0).asChar()
                                : std::string();
        std::vector<std::pair<Node*, Attribute*>> doomed;
        for (const Target& t : targets(list)) {
            Attribute* a = !named.empty()    ? t.node->findAttribute(named)
                           : t.plug.isNull() ? nullptr
                                             : PlugAccess::attribute(t.plug);
            if (!a)
                return fail("No attribute was specified.");
            if (!t.node->isDynamic(a) || a->parent)
                return fail("Cannot delete static attribute '" + a->longName + "' of node '" +
                            t.node->name() + "'.");
            doomed.emplace_back(t.node, a);
        }
        if (doomed.empty())
            return fail("No attribute was specified.");
        for (const auto& [node, attribute] : doomed)
            remove(*node, attribute);
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("deleteAttr: " + text);
        return MS::kFailure;
    }
    void remove(Node& node, Attribute* a) {
        // The attribute's plug locks leave with it; undo puts them back.
        std::vector<PlugPath> locks;
        for (const PlugPath& p : node.lockedPlugs)
            for (const Attribute* x = p.attribute; x; x = x->parent)
                if (x == a)
                    locks.push_back(p);
        NodePtr keep = Scene::current().share(&node);
        edits.done([] { return true; },
                   [keep, locks] {
                       keep->lockedPlugs.insert(locks.begin(), locks.end());
                       return true;
                   });
        auto modifier = std::make_shared<MDagModifier>();
        modifier->removeAttribute(
            Scene::current().object(&node),
            toMObject(std::static_pointer_cast<Attribute>(a->shared_from_this())));
        edits.run(modifier);
    }
};

// ---------------------------------------------------------------- listAttr

MSyntax listAttrSyntax() {
    MSyntax s;
    s.addFlag("k", "keyable");
    s.addFlag("ud", "userDefined");
    s.addFlag("m", "multi");
    s.addFlag("r", "read");
    s.addFlag("w", "write");
    s.addFlag("s", "scalar");
    s.addFlag("a", "array");
    s.addFlag("c", "connectable");
    s.addFlag("st", "string", MSyntax::kString);
    s.makeFlagMultiUse("st");
    s.addFlag("v", "visible");
    s.addFlag("cb", "channelBox");
    s.addFlag("l", "locked");
    s.addFlag("u", "unlocked");
    s.addFlag("sn", "shortNames");
    s.addFlag("lf", "leaf");
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class ListAttrCommand : public ObjectsCommand<MPxCommand> {
public:
    MStatus runOn(const MArgDatabase& db, MSelectionList& list) override {
        m_db = &db;
        m_patterns = flagStrings(db, "string");
        MStringArray out;
        for (const Target& t : targets(list)) {
            if (!t.plug.isNull()) {
                PlugRef r = PlugAccess::ref(t.plug);
                walk(PlugRef{r.node, r.path}, "", out);
                continue;
            }
            for (Attribute* a : t.node->attributes())
                walk(PlugRef{t.node, PlugPath{a, {}}}, "", out);
        }
        setResult(out);
        return MS::kSuccess;
    }

private:
    bool set(const char* flag) const { return m_db->isFlagSet(flag); }

    bool accepted(const PlugRef& plug, const std::string& name) const {
        const Attribute& a = *plug.path.attribute;
        if (set("keyable") && !isKeyablePlug(plug))
            return false;
        if (set("userDefined") && !plug.node->isDynamic(&a))
            return false;
        if (set("read") && !a.readable)
            return false;
        if (set("write") && !a.writable)
            return false;
        if (set("connectable") && !a.connectable)
            return false;
        if (set("scalar") && !a.arrayChain().empty())
            return false;
        if (set("array") && !a.array)
            return false;
        if (set("visible") && a.hidden)
            return false;
        if (set("channelBox") && !(a.channelBox && !isKeyablePlug(plug)))
            return false;
        if (set("locked") && !isLockedPlug(plug))
            return false;
        if (set("unlocked") && isLockedPlug(plug))
            return false;
        if (set("leaf") && !a.isLeaf())
            return false;
        if (!m_patterns.empty() &&
            std::none_of(m_patterns.begin(), m_patterns.end(),
                         [&](const std::string& p) { return dag::globMatch(p, name); }))
            return false;
        return true;
    }

    // Lists the plug's attribute and those below it; names below an array
    // carry the array's name in front ("instObjGroups.objectGroups").
    void walk(const PlugRef& plug, const std::string& prefix, MStringArray& out) const {
        const Attribute& a = *plug.path.attribute;
        std::string own = set("shortNames") ? a.shortName : a.longName;
        std::string name = prefix.empty() ? own : prefix + "." + own;
        if (accepted(plug, own))
            out.append(MString(name.c_str()));
        bool resolved = isResolved(plug.path);
        if (a.array && !resolved) {
            if (set("multi"))
                for (unsigned index : plug.node->elementIndices(plug.path)) {
                    PlugRef element = plug;
                    element.path.indices.push_back(index);
                    std::string elementName = name + "[" + std::to_string(index) + "]";
                    if (accepted(element, own))
                        out.append(MString(elementName.c_str()));
                    for (const auto& c : a.children)
                        walk(PlugRef{plug.node, PlugPath{c.get(), element.path.indices}},
                             elementName, out);
                }
            for (const auto& c : a.children)
                walk(PlugRef{plug.node, PlugPath{c.get(), plug.path.indices}}, name, out);
            return;
        }
        for (const auto& c : a.children)
            walk(PlugRef{plug.node, PlugPath{c.get(), plug.path.indices}}, prefix, out);
    }

    const MArgDatabase* m_db = nullptr;
    std::vector<std::string> m_patterns;
};

}  // namespace

void registerAttributeCommands() {
    define<SetAttrCommand>("setAttr", setAttrSyntax);
    define<GetAttrCommand>("getAttr", getAttrSyntax);
    define<AddAttrCommand>("addAttr", addAttrSyntax);
    define<DeleteAttrCommand>("deleteAttr", deleteAttrSyntax);
    define<ListAttrCommand>("listAttr", listAttrSyntax);
}

}  // namespace commands
}  // namespace host
