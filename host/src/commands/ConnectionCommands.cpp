// connectAttr, disconnectAttr, isConnected and listConnections.
#include "commands/Support.h"
#include "graph/PlugAccess.h"

#include <maya/MDGModifier.h>

#include <algorithm>

namespace host {
namespace commands {

namespace {

// Whether the plug is the one named or lies below it (a child or element).
bool within(const PlugPath& plug, const PlugPath& named) {
    for (const Attribute* a = plug.attribute; a; a = a->parent)
        if (a == named.attribute)
            return named.indices.size() <= plug.indices.size() &&
                   std::equal(named.indices.begin(), named.indices.end(), plug.indices.begin());
    return false;
}

bool plugNamed(const std::string& command, const std::string& name, PlugRef& plug) {
    MPlug p;
    if (!findPlug(name, p)) {
        error(command + ": No object matches name: " + name);
        return false;
    }
    plug = PlugAccess::ref(p);
    // A per-instance attribute stands for its first instance.
    if (!isResolved(plug.path) && plug.path.attribute->worldSpace)
        plug.path.indices.push_back(0);
    return true;
}

// The lowest element of an array plug that has no incoming connection.
PlugRef nextAvailable(const PlugRef& array) {
    PlugRef element = array;
    element.path.indices.push_back(0);
    while (array.node->inputs.count(element.path))
        ++element.path.indices.back();
    return element;
}

bool lockedOnTheWay(const PlugRef& plug) {
    PlugPath p = plug.path;
    for (;;) {
        if (plug.node->lockedPlugs.count(p))
            return true;
        Attribute* a = p.attribute;
        if (!a->parent)
            return false;
        if (a->array && !p.indices.empty())
            p.indices.pop_back();
        p.attribute = a->parent;
    }
}

// ---------------------------------------------------------------- connectAttr

MSyntax connectAttrSyntax() {
    MSyntax s;
    s.addFlag("f", "force");
    s.addFlag("na", "nextAvailable");
    s.addFlag("l", "lock", MSyntax::kBoolean);
    s.setObjectType(MSyntax::kStringObjects, 2, 2);
    return s;
}

class ConnectAttrCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        PlugRef source, destination;
        if (!plugNamed("connectAttr", objects[0].asChar(), source) ||
            !plugNamed("connectAttr", objects[1].asChar(), destination))
            return MS::kFailure;
        if (!isResolved(destination.path) &&
            (db.isFlagSet("nextAvailable") || !destination.path.attribute->indexMatters)) {
            // An element connected from this source already counts.
            for (const auto& in : destination.node->inputs)
                if (in.second == source && in.first.attribute == destination.path.attribute) {
                    warning("'" + plugName(source) + "' is already connected to '" +
                            plugName(PlugRef{destination.node, in.first}) + "'.");
                    return MS::kSuccess;
                }
            destination = nextAvailable(destination);
        }
        std::string from = plugName(source), to = plugName(destination);
        const PlugRef* existing = Scene::current().sourceOf(destination);
        if (existing && *existing == source) {
            warning("'" + from + "' is already connected to '" + to + "'.");
            return MS::kSuccess;
        }
        const Attribute& sa = *source.path.attribute;
        const Attribute& da = *destination.path.attribute;
        if (!sa.readable)
            return fail("The source attribute '" + from + "' is not readable.");
        if (!da.writable)
            return fail("The destination attribute '" + to + "' is not writable.");
        if (lockedOnTheWay(destination) || destination.node->locked)
            return fail("The destination attribute '" + to + "' is locked.");
        if (existing && !db.isFlagSet("force"))
            return fail("'" + to + "' already has an incoming connection from '" +
                        plugName(*existing) + "'.");
        auto modifier = std::make_shared<MDagModifier>();
        MPlug s = PlugAccess::make(source), d = PlugAccess::make(destination);
        if (existing)
            modifier->disconnect(PlugAccess::make(*existing), d);
        if (!modifier->connect(s, d))
            return fail("Connection not made: '" + from + "' -> '" + to +
                        "'. Data types of source and destination are not compatible.");
        if (!edits.run(modifier))
            return fail("Connection not made: '" + from + "' -> '" + to + "'.");
        bool lock = false;
        if (db.isFlagSet("lock") && db.getFlagArgument("lock", 0, lock))
            edits.setLocked(destination, lock);
        setResult(MString(("Connected " + from + " to " + to + ".").c_str()));
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("connectAttr: " + text);
        return MS::kFailure;
    }
};

// ---------------------------------------------------------------- disconnectAttr

MSyntax disconnectAttrSyntax() {
    MSyntax s;
    s.addFlag("na", "nextAvailable");
    s.setObjectType(MSyntax::kStringObjects, 1, 2);
    return s;
}

class DisconnectAttrCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        PlugRef first;
        if (!plugNamed("disconnectAttr", objects[0].asChar(), first))
            return MS::kFailure;
        std::vector<std::pair<PlugRef, PlugRef>> cut;
        if (objects.length() == 1) {
            // Every connection to and from the plug and what lies below it.
            Node* n = first.node;
            for (const auto& in : n->inputs)
                if (within(in.first, first.path))
                    cut.push_back({in.second, PlugRef{n, in.first}});
            for (const auto& out : n->outputs)
                if (within(out.first, first.path))
                    for (const PlugRef& d : out.second)
                        cut.push_back({PlugRef{n, out.first}, d});
        } else {
            PlugRef destination;
            if (!plugNamed("disconnectAttr", objects[1].asChar(), destination))
                return MS::kFailure;
            if (!isResolved(destination.path)) {
                for (const auto& in : destination.node->inputs)
                    if (in.second == first && within(in.first, destination.path)) {
                        destination.path = in.first;
                        break;
                    }
            }
            const PlugRef* source = Scene::current().sourceOf(destination);
            if (!source || !(*source == first)) {
                error("disconnectAttr: There is no connection from '" + plugName(first) + "' to '" +
                      plugName(destination) + "' to disconnect.");
                return MS::kFailure;
            }
            cut.push_back({first, destination});
        }
        if (cut.empty())
            return MS::kSuccess;
        auto modifier = std::make_shared<MDagModifier>();
        for (const auto& [s, d] : cut)
            modifier->disconnect(PlugAccess::make(s), PlugAccess::make(d));
        if (!edits.run(modifier)) {
            error("disconnectAttr: The connection could not be broken.");
            return MS::kFailure;
        }
        std::string text;
        for (const auto& [s, d] : cut)
            text += (text.empty() ? "" : " ") + std::string("Disconnected ") + plugName(s) +
                    " from " + plugName(d) + ".";
        setResult(MString(text.c_str()));
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- isConnected

MSyntax isConnectedSyntax() {
    MSyntax s;
    s.addFlag("iuc", "ignoreUnitConversion");
    s.setObjectType(MSyntax::kStringObjects, 2, 2);
    return s;
}

class IsConnectedCommand : public ParsedCommand<MPxCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        PlugRef source, destination;
        if (!plugNamed("isConnected", objects[0].asChar(), source) ||
            !plugNamed("isConnected", objects[1].asChar(), destination))
            return MS::kFailure;
        const PlugRef* feed = Scene::current().sourceOf(destination);
        setResult(feed && *feed == source);
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- listConnections

MSyntax listConnectionsSyntax() {
    MSyntax s;
    s.addFlag("s", "source", MSyntax::kBoolean);
    s.addFlag("d", "destination", MSyntax::kBoolean);
    s.addFlag("p", "plugs", MSyntax::kBoolean);
    s.addFlag("c", "connections", MSyntax::kBoolean);
    s.addFlag("t", "type", MSyntax::kString);
    s.addFlag("sh", "shapes", MSyntax::kBoolean);
    s.addFlag("scn", "skipConversionNodes", MSyntax::kBoolean);
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

class ListConnectionsCommand : public ObjectsCommand<MPxCommand> {
public:
    MStatus runOn(const MArgDatabase& db, MSelectionList& list) override {
        bool sources = option(db, "source", true), destinations = option(db, "destination", true);
        bool plugs = option(db, "plugs", false), pairs = option(db, "connections", false);
        bool shapes = option(db, "shapes", false);
        std::string type = db.isFlagSet("type") ? db.flagArgumentString("type", 0).asChar() : "";
        MStringArray out;
        auto emit = [&](const PlugRef& own, const PlugRef& other) {
            if (!type.empty() && !other.node->type().isA(type))
                return;
            // A shape is listed by its transform unless -shapes asks for it.
            Node* node = other.node;
            if (!plugs && !shapes && node->type().shape && !node->parents.empty())
                node = node->parents.front();
            if (pairs)
                out.append(MString(plugName(own).c_str()));
            out.append(MString((plugs ? plugName(other) : nameOf(*node)).c_str()));
        };
        for (const Target& t : targets(list)) {
            Node* n = t.node;
            bool whole = t.plug.isNull();
            PlugPath named = whole ? PlugPath{} : PlugAccess::ref(t.plug).path;
            if (sources)
                for (const auto& in : n->inputs)
                    if (whole || within(in.first, named))
                        emit(PlugRef{n, in.first}, in.second);
            if (destinations)
                for (const auto& o : n->outputs)
                    if (whole || within(o.first, named))
                        for (const PlugRef& d : o.second)
                            emit(PlugRef{n, o.first}, d);
        }
        setResult(out);
        return MS::kSuccess;
    }

private:
    static bool option(const MArgDatabase& db, const char* flag, bool fallback) {
        bool v = fallback;
        if (db.isFlagSet(flag))
            db.getFlagArgument(flag, 0, v);
        return v;
    }
};

}  // namespace

void registerConnectionCommands() {
    define<ConnectAttrCommand>("connectAttr", connectAttrSyntax);
    define<DisconnectAttrCommand>("disconnectAttr", disconnectAttrSyntax);
    define<IsConnectedCommand>("isConnected", isConnectedSyntax);
    define<ListConnectionsCommand>("listConnections", listConnectionsSyntax);
}

}  // namespace commands
}  // namespace host
