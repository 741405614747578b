// Commands that look at the graph without changing it: attributeQuery, connectionInfo,
// listHistory, filterExpand, and the shipped attributeExists and longNameOf procedures.
#include "commands/Support.h"
#include "commands/Values.h"
#include "graph/NodeType.h"
#include "graph/PlugAccess.h"
#include "script/Builtins.h"

#include <maya/MDoubleArray.h>
#include <maya/MPlugArray.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <set>

namespace host {
namespace commands {

namespace {

// ---------------------------------------------------------------- attributeQuery

using Test = bool (*)(const Attribute&);

struct BoolFlag {
    const char* shortName;
    const char* longName;
    Test test;
};

const BoolFlag kBoolFlags[] = {
    {"c", "connectable", [](const Attribute& a) { return a.connectable; }},
    {"e", "enum", [](const Attribute& a) { return a.kind == Attribute::Kind::Enum; }},
    {"ex", "exists", [](const Attribute&) { return true; }},
    {"h", "hidden", [](const Attribute& a) { return a.hidden; }},
    {"im", "indexMatters", [](const Attribute& a) { return a.indexMatters; }},
    {"i", "internal", [](const Attribute& a) { return a.internal; }},
    {"ig", "internalGet", [](const Attribute& a) { return a.internal; }},
    {"is", "internalSet", [](const Attribute& a) { return a.internal; }},
    {"k", "keyable", [](const Attribute& a) { return a.keyable; }},
    {"mxe", "maxExists", [](const Attribute& a) { return a.maxValue.has_value(); }},
    {"mne", "minExists", [](const Attribute& a) { return a.minValue.has_value(); }},
    {"msg", "message", [](const Attribute& a) { return a.kind == Attribute::Kind::Message; }},
    {"m", "multi", [](const Attribute& a) { return a.array; }},
    {"re", "rangeExists",
     [](const Attribute& a) { return a.minValue.has_value() && a.maxValue.has_value(); }},
    {"rd", "readable", [](const Attribute& a) { return a.readable; }},
    {"sxe", "softMaxExists", [](const Attribute& a) { return a.softMaxValue.has_value(); }},
    {"sme", "softMinExists", [](const Attribute& a) { return a.softMinValue.has_value(); }},
    {"se", "softRangeExists",
     [](const Attribute& a) { return a.softMinValue.has_value() && a.softMaxValue.has_value(); }},
    {"st", "storable", [](const Attribute& a) { return a.storable; }},
    {"uac", "usedAsColor", [](const Attribute& a) { return a.usedAsColor; }},
    {"w", "writable", [](const Attribute& a) { return a.writable; }},
};

const char* const kValueFlags[][2] = {
    {"lc", "listChildren"},     {"ld", "listDefault"}, {"le", "listEnum"},  {"lp", "listParent"},
    {"ls", "listSiblings"},     {"ln", "longName"},    {"sn", "shortName"}, {"nn", "niceName"},
    {"nc", "numberOfChildren"}, {"max", "maximum"},    {"min", "minimum"},  {"smx", "softMax"},
    {"smn", "softMin"},         {"r", "range"},        {"s", "softRange"},
};

MSyntax attributeQuerySyntax() {
    MSyntax s;
    s.addFlag("n", "node", MSyntax::kString);
    s.addFlag("typ", "type", MSyntax::kString);
    s.addFlag("tex", "typeExact", MSyntax::kString);
    for (const BoolFlag& f : kBoolFlags)
        s.addFlag(f.shortName, f.longName);
    for (const auto& f : kValueFlags)
        s.addFlag(f[0], f[1]);
    s.setObjectType(MSyntax::kStringObjects, 1, 1);
    return s;
}

// "translateX" -> "Translate X".
std::string niceName(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (i == 0) {
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            continue;
        }
        if (std::isupper(static_cast<unsigned char>(c)) ||
            (std::isdigit(static_cast<unsigned char>(c)) &&
             !std::isdigit(static_cast<unsigned char>(name[i - 1]))))
            out += ' ';
        out += c;
    }
    return out;
}

std::vector<std::string> childNames(const Attribute& a) {
    std::vector<std::string> names;
    for (const auto& child : a.children)
        names.push_back(child->longName);
    return names;
}

class AttributeQueryCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray words;
        db.getObjects(words);
        const std::string name = words[0].asChar();
        const int sources =
            int(db.isFlagSet("node")) + int(db.isFlagSet("type")) + int(db.isFlagSet("typeExact"));
        if (sources != 1)
            return fail("Exactly one of -node, -type or -typeExact must be used.");
        Attribute* attribute = nullptr;
        if (!find(db, name, attribute))
            return MS::kFailure;
        std::vector<const char*> values;
        for (const auto& f : kValueFlags)
            if (db.isFlagSet(f[1]))
                values.push_back(f[1]);
        bool anyBool = false;
        for (const BoolFlag& f : kBoolFlags)
            anyBool = anyBool || db.isFlagSet(f.longName);
        if (values.size() > 1 || (values.size() == 1 && anyBool))
            return fail("Only one non-boolean flag may be used, and not with other flags.");
        if (db.isFlagSet("exists") && values.empty()) {
            setResult(attribute != nullptr);
            return MS::kSuccess;
        }
        if (!attribute)
            return fail("No attribute named '" + name + "'.");
        if (values.empty()) {
            // Several boolean flags answer together.
            bool all = true;
            for (const BoolFlag& f : kBoolFlags)
                if (db.isFlagSet(f.longName))
                    all = all && f.test(*attribute);
            setResult(all);
            return MS::kSuccess;
        }
        return answer(values.front(), *attribute);
    }

private:
    static MStatus fail(const std::string& text) {
        error("attributeQuery: " + text);
        return MS::kFailure;
    }

    // The attribute by name on the node or type the flags give; null when the node or
    // type has none of that name.
    static bool find(const MArgDatabase& db, const std::string& name, Attribute*& attribute) {
        if (db.isFlagSet("node")) {
            const std::string nodeName = db.flagArgumentString("node", 0).asChar();
            Node* node = findNode(nodeName);
            if (!node) {
                error("No object matches name: " + nodeName);
                return false;
            }
            attribute = node->findAttribute(name);
            return true;
        }
        const bool exact = db.isFlagSet("typeExact");
        const std::string typeName =
            db.flagArgumentString(exact ? "typeExact" : "type", 0).asChar();
        NodeType* type = NodeTypeRegistry::instance().find(typeName);
        if (!type) {
            error("Unknown object type: " + typeName);
            return false;
        }
        attribute = type->findAttribute(name);
        // -typeExact leaves out what the type inherits.
        if (exact && attribute && type->parent && type->parent->findAttribute(name))
            attribute = nullptr;
        return true;
    }

    MStatus answer(const std::string& flag, const Attribute& a) {
        auto bound = [&](const std::optional<double>& v) {
            MDoubleArray out;
            if (v)
                out.append(toUi(a, *v));
            setResult(out);
        };
        if (flag == "listChildren") {
            setResult(strings(childNames(a)));
        } else if (flag == "listParent") {
            setResult(strings(a.parent ? std::vector<std::string>{a.parent->longName}
                                       : std::vector<std::string>{}));
        } else if (flag == "listSiblings") {
            std::vector<std::string> siblings;
            if (a.parent)
                for (const std::string& n : childNames(*a.parent))
                    if (n != a.longName)
                        siblings.push_back(n);
            setResult(strings(siblings));
        } else if (flag == "listDefault") {
            MDoubleArray out;
            if (a.isLeaf()) {
                out.append(toUi(a, valueAsDouble(a.defaultValue)));
            } else {
                for (const auto& child : a.children)
                    out.append(toUi(*child, valueAsDouble(child->defaultValue)));
            }
            setResult(out);
        } else if (flag == "listEnum") {
            std::string labels;
            for (const auto& field : a.enumFields)
                labels += (labels.empty() ? "" : ":") + field.first;
            setResult(strings({labels}));
        } else if (flag == "longName") {
            setResult(strings({a.longName}));
        } else if (flag == "shortName") {
            setResult(strings({a.shortName}));
        } else if (flag == "niceName") {
            setResult(strings({niceName(a.longName)}));
        } else if (flag == "numberOfChildren") {
            setResult(static_cast<int>(a.children.size()));
        } else if (flag == "maximum") {
            bound(a.maxValue);
        } else if (flag == "minimum") {
            bound(a.minValue);
        } else if (flag == "softMax") {
            bound(a.softMaxValue);
        } else if (flag == "softMin") {
            bound(a.softMinValue);
        } else {
            // -range and -softRange give both ends or nothing.
            const bool soft = flag == "softRange";
            const auto& lo = soft ? a.softMinValue : a.minValue;
            const auto& hi = soft ? a.softMaxValue : a.maxValue;
            MDoubleArray out;
            if (lo && hi) {
                out.append(toUi(a, *lo));
                out.append(toUi(a, *hi));
            }
            setResult(out);
        }
        return MS::kSuccess;
    }

    static MStringArray strings(const std::vector<std::string>& items) {
        MStringArray out;
        for (const std::string& s : items)
            out.append(MString(s.c_str()));
        return out;
    }
};

// ---------------------------------------------------------------- connectionInfo

MSyntax connectionInfoSyntax() {
    MSyntax s;
    s.addFlag("is", "isSource");
    s.addFlag("id", "isDestination");
    s.addFlag("ies", "isExactSource");
    s.addFlag("ied", "isExactDestination");
    s.addFlag("il", "isLocked");
    s.addFlag("sfd", "sourceFromDestination");
    s.addFlag("dfs", "destinationFromSource");
    s.addFlag("ges", "getExactSource");
    s.addFlag("ged", "getExactDestination");
    s.addFlag("gla", "getLockedAncestor");
    s.setObjectType(MSyntax::kStringObjects, 1, 1);
    return s;
}

// The plug and its ancestors (parent compounds and the arrays it is an element of),
// nearest first.
std::vector<MPlug> lineage(const MPlug& plug) {
    std::vector<MPlug> out{plug};
    while (true) {
        const MPlug& last = out.back();
        if (last.isElement())
            out.push_back(last.array());
        else if (last.isChild())
            out.push_back(last.parent());
        else
            return out;
    }
}

MPlugArray connected(const MPlug& plug, bool asDestination) {
    MPlugArray found;
    plug.connectedTo(found, asDestination, !asDestination);
    return found;
}

class ConnectionInfoCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray words;
        db.getObjects(words);
        MPlug plug;
        if (!findPlug(words[0].asChar(), plug)) {
            error(std::string("No object matches name: ") + words[0].asChar());
            return MS::kFailure;
        }
        const std::vector<MPlug> chain = lineage(plug);
        // The nearest plug of the chain with a connection on that side.
        auto nearest = [&](bool asDestination) -> const MPlug* {
            for (const MPlug& p : chain)
                if (connected(p, asDestination).length() > 0)
                    return &p;
            return nullptr;
        };
        if (db.isFlagSet("isSource")) {
            setResult(nearest(false) != nullptr);
        } else if (db.isFlagSet("isDestination")) {
            setResult(nearest(true) != nullptr);
        } else if (db.isFlagSet("isExactSource")) {
            setResult(connected(plug, false).length() > 0);
        } else if (db.isFlagSet("isExactDestination")) {
            setResult(connected(plug, true).length() > 0);
        } else if (db.isFlagSet("isLocked")) {
            setResult(plug.isLocked());
        } else if (db.isFlagSet("destinationFromSource")) {
            MStringArray out;
            if (const MPlug* p = nearest(false)) {
                const MPlugArray found = connected(*p, false);
                for (unsigned i = 0; i < found.length(); ++i)
                    out.append(MString(plugName(PlugAccess::ref(found[i])).c_str()));
            }
            setResult(out);
        } else if (db.isFlagSet("getExactDestination")) {
            const MPlug* p = nearest(false);
            setResult(MString(p ? plugName(PlugAccess::ref(connected(*p, false)[0])).c_str() : ""));
        } else if (db.isFlagSet("getLockedAncestor")) {
            std::string locked;
            for (const MPlug& p : chain)
                if (locked.empty() && p.isLocked())
                    locked = plugName(PlugAccess::ref(p));
            setResult(MString(locked.c_str()));
        } else {
            // -sourceFromDestination and -getExactSource (the default): the plug feeding this
            // one or the nearest ancestor that is fed.
            const MPlug* p = nearest(true);
            setResult(MString(p ? plugName(PlugAccess::ref(connected(*p, true)[0])).c_str() : ""));
        }
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- listHistory

MSyntax listHistorySyntax() {
    MSyntax s;
    s.addFlag("f", "future", MSyntax::kBoolean);
    s.addFlag("af", "allFuture");
    s.addFlag("lv", "levels", MSyntax::kLong);
    s.addFlag("bf", "breadthFirst");
    s.addFlag("pdo", "pruneDagObjects", MSyntax::kBoolean);
    s.addFlag("lf", "leaf", MSyntax::kBoolean);
    s.addFlag("il", "interestLevel", MSyntax::kLong);
    s.addFlag("gl", "groupLevels", MSyntax::kBoolean);
    s.addFlag("ag", "allGraphs", MSyntax::kBoolean);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class ListHistoryCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MSelectionList list;
        if (!objectsOf(db, list))
            return MS::kFailure;
        auto boolFlag = [&](const char* flag, bool fallback) {
            bool on = fallback;
            if (db.isFlagSet(flag))
                db.getFlagArgument(flag, 0, on);
            return on;
        };
        m_future = boolFlag("future", false) || db.isFlagSet("allFuture");
        m_prune = boolFlag("pruneDagObjects", false);
        int levels = 0;
        if (db.isFlagSet("levels"))
            db.getFlagArgument("levels", 0, levels);
        m_levels = levels > 0 ? levels : -1;
        const bool leaf = boolFlag("leaf", true);
        for (const Target& t : targets(list)) {
            Node* start = t.node;
            // A transform stands for its shape.
            if (leaf && start->type().isA("transform"))
                for (Node* child : start->children)
                    if (!child->type().isA("transform")) {
                        start = child;
                        break;
                    }
            if (db.isFlagSet("breadthFirst"))
                breadthFirst(*start);
            else
                depthFirst(*start);
        }
        setResult(m_result);
        return MS::kSuccess;
    }

private:
    // The nodes on the far side of the node's connections, in attribute order.
    std::vector<Node*> neighbours(Node& node) const {
        std::vector<Node*> out;
        for (Attribute* root : node.attributes()) {
            if (m_future) {
                for (const auto& [path, destinations] : node.outputs)
                    if (path.attribute->root() == root)
                        for (const PlugRef& d : destinations)
                            out.push_back(d.node);
            } else {
                for (const auto& [path, source] : node.inputs)
                    if (path.attribute->root() == root)
                        out.push_back(source.node);
            }
        }
        return out;
    }

    bool take(Node& node, Node* start) {
        if (!m_seen.insert(&node).second)
            return false;
        if (m_prune && &node != start && node.isDag())
            return true;
        m_result.append(MString(nameOf(node).c_str()));
        return true;
    }

    // Nearest upstream first along each branch; kept on a stack of its own, as a long
    // chain of connections must not run the program's stack out.
    void depthFirst(Node& start) {
        std::vector<std::pair<Node*, int>> stack{{&start, 0}};
        while (!stack.empty()) {
            auto [node, depth] = stack.back();
            stack.pop_back();
            if (!take(*node, &start) || depth == m_levels)
                continue;
            const std::vector<Node*> next = neighbours(*node);
            for (auto it = next.rbegin(); it != next.rend(); ++it)
                stack.emplace_back(*it, depth + 1);
        }
    }

    void breadthFirst(Node& start) {
        std::deque<std::pair<Node*, int>> queue{{&start, 0}};
        take(start, &start);
        while (!queue.empty()) {
            auto [node, depth] = queue.front();
            queue.pop_front();
            if (depth == m_levels)
                continue;
            for (Node* next : neighbours(*node))
                if (take(*next, &start))
                    queue.emplace_back(next, depth + 1);
        }
    }

    bool m_future = false, m_prune = false;
    int m_levels = -1;
    std::set<Node*> m_seen;
    MStringArray m_result;
};

// ---------------------------------------------------------------- filterExpand

MSyntax filterExpandSyntax() {
    MSyntax s;
    s.addFlag("sm", "selectionMask", MSyntax::kLong);
    s.makeFlagMultiUse("sm");
    s.addFlag("ex", "expand", MSyntax::kBoolean);
    s.addFlag("fp", "fullPath", MSyntax::kBoolean);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// The selection masks of the kinds the host has: polygon objects (12),
// locators (22), polygon vertices (31) and particles (47).
enum SelectionMask { kPolygonMask = 12, kLocatorMask = 22, kVertexMask = 31, kParticleMask = 47 };

// The items named (or selected) of the kinds the masks ask for: objects by
// the name of their transform, components one by one (as ranges with
// -expand false). What matches nothing is left out; an empty answer is no
// error.
class FilterExpandCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        std::set<int> masks;
        for (unsigned i = 0; i < db.numberOfFlagUses("sm"); ++i) {
            MArgList use;
            db.getFlagArgumentList("sm", i, use);
            masks.insert(use.asInt(0));
        }
        if (masks.empty()) {
            error("filterExpand: Give at least one -selectionMask.");
            return MS::kFailure;
        }
        bool expand = true, fullPath = false;
        if (db.isFlagSet("ex"))
            db.getFlagArgument("ex", 0, expand);
        if (db.isFlagSet("fp"))
            db.getFlagArgument("fp", 0, fullPath);
        MSelectionList list;
        if (!objectsOf(db, list))
            return MS::kFailure;
        std::set<std::string> seen;
        MStringArray out;
        auto add = [&](const std::string& name) {
            if (seen.insert(name).second)
                out.append(name.c_str());
        };
        for (const Target& t : targets(list)) {
            if (!t.plug.isNull() || t.path.empty())
                continue;
            if (!t.component.isNull()) {
                const int mask = t.component.apiType() == MFn::kMeshVertComponent ? kVertexMask
                                 : t.component.apiType() == MFn::kDynParticleSetComponent
                                     ? kParticleMask
                                     : 0;
                if (masks.count(mask))
                    for (const std::string& name : componentNames(t, expand))
                        add(name);
                continue;
            }
            dag::NodePath path = t.path;
            Node* shape = t.node->type().shape ? t.node : firstShape(*t.node);
            if (!shape)
                continue;
            if (shape == t.node && path.size() > 1)
                path.pop_back();  // a shape stands for its transform
            const int mask = shape->type().hasFn(MFn::kMesh)      ? kPolygonMask
                             : shape->type().hasFn(MFn::kLocator) ? kLocatorMask
                                                                  : 0;
            if (masks.count(mask))
                add(nameOf(path, fullPath));
        }
        setResult(out);
        return MS::kSuccess;
    }

private:
    static Node* firstShape(Node& transform) {
        for (Node* child : transform.children) {
            Attribute* io = child->findAttribute("intermediateObject");
            if (child->type().shape &&
                !(io && valueAsLong(evaluate(PlugRef{child, PlugPath{io, {}}}))))
                return child;
        }
        return nullptr;
    }
};

}  // namespace

void registerQueryCommands() {
    define<AttributeQueryCommand>("attributeQuery", attributeQuerySyntax);
    define<ConnectionInfoCommand>("connectionInfo", connectionInfoSyntax);
    define<ListHistoryCommand>("listHistory", listHistorySyntax);
    define<FilterExpandCommand>("filterExpand", filterExpandSyntax);
    // The shipped procedure takes the attribute first and the node second, and answers 0
    // for a node that does not exist.
    mel::defineFunction(mel::Interpreter::instance(), "attributeExists", 2, 2,
                        [](const std::vector<mel::Value>& a) {
                            Node* node = findNode(a[1].text());
                            return mel::Value(node && node->findAttribute(a[0].text()));
                        });
    // The shipped procedure is `ls -l` of the name, first answer: the full
    // path of a DAG object, the name of a dependency node, "" for nothing.
    mel::defineFunction(
        mel::Interpreter::instance(), "longNameOf", 1, 1, [](const std::vector<mel::Value>& a) {
            MSelectionList list;
            if (!lookup(a[0].text(), list))
                return mel::Value(std::string());
            const Target t = targets(list).front();
            return mel::Value(t.path.empty() ? nameOf(*t.node) : nameOf(t.path, true));
        });
}

}  // namespace commands
}  // namespace host
