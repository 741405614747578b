// The particle commands: particle, setParticleAttr, getParticleAttr,
// saveInitialState, emitter, gravity and connectDynamic. Every command that
// changes the scene records its changes and is undoable.
//
// Map, top to bottom:
// - helpers: nodes and plugs by name, particle targets a selection names
//   ("shape.pt[3:7]"), and the per-particle attribute lookup the particle
//   queries share;
// - particle, setParticleAttr, getParticleAttr, saveInitialState: one
//   section each; every edit goes through a SceneEdit so undo puts back
//   exactly what was there;
// - emitter and gravity: DynamicsCommand is what they share (one node per
//   object named, or one at -pos; number and direction flags), EmitterCmd
//   and GravityCmd add their own flags and types;
// - connectDynamic, then registration.
#include "animation/Time.h"
#include "commands/Support.h"
#include "dag/Dag.h"
#include "foundation/Numbers.h"
#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "particles/Commands.h"
#include "particles/Emission.h"
#include "particles/Particles.h"
#include "particles/Random.h"
#include "particles/SceneEdit.h"
#include "plugin/CommandBridge.h"
#include "script/Interpreter.h"

#include <maya/MAngle.h>
#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MDagPath.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>

namespace host {
namespace particles {

MStatus fail(const char* command, const std::string& message) {
    mel::Interpreter::instance().reportError(std::string(command) + ": " + message);
    return MS::kFailure;
}

Node* nodeNamed(const MString& name) {
    MSelectionList list;
    MObject object;
    if (!MGlobal::getSelectionListByName(name, list) || !list.getDependNode(0, object))
        return nullptr;
    return nodeOf(object);
}

PlugRef plugOf(Node& node, const Attribute* attribute, std::vector<unsigned> indices) {
    return PlugRef{&node, PlugPath{const_cast<Attribute*>(attribute), std::move(indices)}};
}

Node* createShape(SceneEdit& edit, const std::string& name, Node* parent) {
    Node* transform = parent;
    std::string shapeName;
    if (!transform) {
        transform = edit.create("transform", name.empty() ? "particle#" : name);
        if (!transform)
            return nullptr;
        shapeName = name.empty() ? "particleShape" +
                                       std::to_string(splitTrailingNumber(transform->name()).second)
                                 : transform->name() + "Shape";
    } else {
        shapeName = "particleShape#";
    }
    Node* shape = edit.create("particle", shapeName, transform);
    if (!shape)
        return nullptr;
    if (Node* clock = animation::timeNode())
        edit.connect(plugOf(*clock, clock->findAttribute("outTime"), {}),
                     plugOf(*shape, shapeAttributes().currentTime, {}));
    return shape;
}

namespace {

MString nameOf(const Node* node) {
    return MString(node->name().c_str());
}

// A per-particle attribute of the shape by name, or an error text.
const Attribute* perParticleNamed(Node& shape, const MString& name, std::string& error) {
    const Attribute* a = shape.findAttribute(name.asChar());
    if (perParticleKind(shape, a) == ArrayKind::None) {
        error = std::string("'") + name.asChar() + "' is not a per-particle attribute of " +
                shape.name() + ".";
        return nullptr;
    }
    return a;
}

// The particles a selection names: whole shapes, or particles of them
// picked by array index ("shape.pt[3:7]").
struct Target {
    Node* shape = nullptr;
    std::vector<unsigned> indices;  // empty with all set
    bool all = false;
};

bool particleTargets(const MSelectionList& list, std::vector<Target>& targets, std::string& error) {
    std::map<Node*, size_t> byShape;
    for (unsigned i = 0; i < list.length(); ++i) {
        MDagPath path;
        MObject component;
        Node* shape = nullptr;
        if (list.getDagPath(i, path, component))
            shape = shapeOf(nodeOf(path.node()));
        if (!shape) {
            MStringArray names;
            list.getSelectionStrings(i, names);
            error = std::string(names.length() ? names[0].asChar() : "object") +
                    " is not a particle object.";
            return false;
        }
        auto found = byShape.find(shape);
        if (found == byShape.end()) {
            found = byShape.emplace(shape, targets.size()).first;
            targets.push_back(Target{shape, {}, false});
        }
        Target& target = targets[found->second];
        if (component.isNull() || !component.hasFn(MFn::kDynParticleSetComponent)) {
            target.all = true;
            continue;
        }
        MIntArray elements;
        MFnSingleIndexedComponent(component).getElements(elements);
        const unsigned n = count(*shape);
        for (unsigned k = 0; k < elements.length(); ++k) {
            if (elements[k] < 0 || static_cast<unsigned>(elements[k]) >= n) {
                error = shape->name() + ".pt[" + std::to_string(elements[k]) +
                        "] is not a particle of " + shape->name() + ".";
                return false;
            }
            target.indices.push_back(static_cast<unsigned>(elements[k]));
        }
    }
    for (Target& t : targets) {
        if (t.all) {
            t.indices.clear();
            for (unsigned k = 0, n = count(*t.shape); k < n; ++k)
                t.indices.push_back(k);
        }
        std::sort(t.indices.begin(), t.indices.end());
        t.indices.erase(std::unique(t.indices.begin(), t.indices.end()), t.indices.end());
    }
    return true;
}

bool readVectorFlag(const MArgDatabase& db, const char* flag, MVector& v) {
    return db.getFlagArgument(flag, 0, v.x) && db.getFlagArgument(flag, 1, v.y) &&
           db.getFlagArgument(flag, 2, v.z);
}

// Where a particle command's single value for one particle comes from.
struct ValueFlags {
    bool hasFloat = false, hasVector = false;
    double f = 0.0;
    MVector v;
    void read(const MArgDatabase& db) {
        hasFloat = static_cast<bool>(db.getFlagArgument("fv", 0, f));
        hasVector = readVectorFlag(db, "vv", v);
    }
};

// ---------------------------------------------------------------- particle

class ParticleCmd : public commands::ParsedCommand<EditingCommand> {
public:
    static void* creator() { return new ParticleCmd; }
    static MSyntax newSyntax() {
        MSyntax s;
        s.addFlag("p", "position", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        s.makeFlagMultiUse("p");
        s.addFlag("n", "name", MSyntax::kString);
        s.addFlag("c", "conserve", MSyntax::kDouble);
        s.addFlag("ct", "count");
        s.addFlag("at", "attribute", MSyntax::kString);
        s.makeFlagQueryWithFullArgs("at", true);
        s.addFlag("id", "particleId", MSyntax::kLong);
        s.makeFlagQueryWithFullArgs("id", true);
        s.addFlag("or", "order", MSyntax::kLong);
        s.makeFlagQueryWithFullArgs("or", true);
        s.addFlag("fv", "floatValue", MSyntax::kDouble);
        s.addFlag("vv", "vectorValue", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        s.addFlag("ppd", "perParticleDouble");
        s.addFlag("ppv", "perParticleVector");
        s.setObjectType(MSyntax::kStringObjects, 0, 1);
        s.enableQuery();
        s.enableEdit();
        return s;
    }

    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        if (!db.isQuery() && !db.isEdit())
            return create(db);
        if (objects.length() != 1)
            return fail("particle", "a particle object is required.");
        Node* shape = shapeOf(nodeNamed(objects[0]));
        if (!shape)
            return fail("particle",
                        std::string(objects[0].asChar()) + " is not a particle object.");
        return db.isQuery() ? query(db, *shape) : edit(db, *shape);
    }

private:
    MStatus create(const MArgDatabase& db) {
        MVectorArray positions;
        for (unsigned i = 0, n = db.numberOfFlagUses("p"); i < n; ++i) {
            MArgList values;
            db.getFlagArgumentList("p", i, values);
            positions.append(MVector(values.asDouble(0), values.asDouble(1), values.asDouble(2)));
        }
        MString name;
        db.getFlagArgument("n", 0, name);
        Node* shape = createShape(m_edit, name.asChar());
        if (!shape)
            return fail("particle", "the particle object could not be made.");
        const ShapeAttributes& a = shapeAttributes();
        const unsigned n = positions.length();
        MDoubleArray ids(n),
            births(n,
                   MTime(valueAsDouble(evaluate(plugOf(*shape, a.startFrame, {}))), MTime::uiUnit())
                       .as(MTime::kSeconds));
        for (unsigned k = 0; k < n; ++k)
            ids[k] = k;
        m_edit.set(plugOf(*shape, a.position0, {}), dataValue<VectorArrayData>(positions));
        m_edit.set(plugOf(*shape, a.velocity0, {}),
                   dataValue<VectorArrayData>(MVectorArray(n, MVector::zero)));
        m_edit.set(plugOf(*shape, a.particleId0, {}), dataValue<DoubleArrayData>(ids));
        m_edit.set(plugOf(*shape, a.birthTime0, {}), dataValue<DoubleArrayData>(births));
        m_edit.set(plugOf(*shape, a.nextId0, {}), static_cast<long>(n));
        double conserve = 1.0;
        if (db.getFlagArgument("c", 0, conserve))
            m_edit.set(plugOf(*shape, a.conserve, {}), conserve);
        MStringArray result;
        result.append(nameOf(shape->parents.front()));
        result.append(nameOf(shape));
        setResult(result);
        return MS::kSuccess;
    }

    // The array index the -id or -order flag names, or -1 with the error shown.
    static int particleIndex(const MArgDatabase& db, Node& shape) {
        int id = 0;
        if (db.getFlagArgument("id", 0, id)) {
            int index = indexOfId(shape, id);
            if (index < 0)
                fail("particle",
                     shape.name() + " has no particle with id " + std::to_string(id) + ".");
            return index;
        }
        int order = 0;
        if (db.getFlagArgument("or", 0, order)) {
            if (order < 0 || static_cast<unsigned>(order) >= count(shape)) {
                fail("particle",
                     shape.name() + " has no particle at order " + std::to_string(order) + ".");
                return -1;
            }
            return order;
        }
        fail("particle", "-id or -order is required with -attribute.");
        return -1;
    }

    static MStatus query(const MArgDatabase& db, Node& shape) {
        if (db.isFlagSet("ct")) {
            setResult(static_cast<int>(count(shape)));
            return MS::kSuccess;
        }
        if (db.isFlagSet("c")) {
            setResult(valueAsDouble(evaluate(plugOf(shape, shapeAttributes().conserve, {}))));
            return MS::kSuccess;
        }
        if (db.isFlagSet("ppd") || db.isFlagSet("ppv")) {
            const ArrayKind wanted = db.isFlagSet("ppd") ? ArrayKind::Double : ArrayKind::Vector;
            MStringArray names;
            // Initial-state twins and what only reports (age, world
            // positions) are not listed.
            for (const Attribute* a : shape.attributes())
                if (perParticleKind(shape, a) == wanted && a->writable && !isInitialTwin(shape, a))
                    names.append(a->longName.c_str());
            setResult(names);
            return MS::kSuccess;
        }
        MString name;
        if (!db.getFlagArgument("at", 0, name))
            return fail("particle", "a flag to query is required.");
        std::string error;
        const Attribute* a = perParticleNamed(shape, name, error);
        if (!a)
            return fail("particle", error);
        int index = particleIndex(db, shape);
        if (index < 0)
            return MS::kFailure;
        MDoubleArray result;
        switch (perParticleKind(shape, a)) {
            case ArrayKind::Vector: {
                MVector v = vectors(shape, a)[index];
                result.append(v.x);
                result.append(v.y);
                result.append(v.z);
                break;
            }
            case ArrayKind::Int:
                result.append(ints(shape, a)[index]);
                break;
            default:
                result.append(doubles(shape, a)[index]);
        }
        setResult(result);
        return MS::kSuccess;
    }

    MStatus edit(const MArgDatabase& db, Node& shape) {
        double conserve = 0.0;
        if (db.getFlagArgument("c", 0, conserve))
            m_edit.set(plugOf(shape, shapeAttributes().conserve, {}), conserve);
        MString name;
        if (!db.getFlagArgument("at", 0, name))
            return MS::kSuccess;
        std::string error;
        const Attribute* a = perParticleNamed(shape, name, error);
        if (!a)
            return fail("particle", error);
        int index = particleIndex(db, shape);
        if (index < 0)
            return MS::kFailure;
        ValueFlags value;
        value.read(db);
        switch (perParticleKind(shape, a)) {
            case ArrayKind::Vector: {
                if (!value.hasVector)
                    return fail("particle", "-vectorValue is required for " + a->longName + ".");
                MVectorArray values = vectors(shape, a);
                values[index] = value.v;
                m_edit.set(plugOf(shape, a, {}), dataValue<VectorArrayData>(values));
                break;
            }
            case ArrayKind::Int: {
                if (!value.hasFloat)
                    return fail("particle", "-floatValue is required for " + a->longName + ".");
                MIntArray values = ints(shape, a);
                values[index] = foundation::truncToInt(value.f);
                m_edit.set(plugOf(shape, a, {}), dataValue<IntArrayData>(values));
                break;
            }
            default: {
                if (!value.hasFloat)
                    return fail("particle", "-floatValue is required for " + a->longName + ".");
                MDoubleArray values = doubles(shape, a);
                values[index] = value.f;
                m_edit.set(plugOf(shape, a, {}), dataValue<DoubleArrayData>(values));
            }
        }
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------- setParticleAttr

class SetParticleAttrCmd : public commands::ParsedCommand<EditingCommand> {
public:
    static void* creator() { return new SetParticleAttrCmd; }
    static MSyntax newSyntax() {
        MSyntax s;
        s.addFlag("at", "attribute", MSyntax::kString);
        s.addFlag("fv", "floatValue", MSyntax::kDouble);
        s.addFlag("vv", "vectorValue", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        s.addFlag("rf", "randomFloat", MSyntax::kDouble);
        s.addFlag("rv", "randomVector", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        s.addFlag("r", "relative", MSyntax::kBoolean);
        s.setObjectType(MSyntax::kSelectionList, 1);
        s.useSelectionAsDefault(true);
        return s;
    }

    // Each picked particle gets the value, plus a random offset in
    // [-random, random] per component that depends on its id alone, added
    // to what it holds when relative.
    MStatus run(const MArgDatabase& db) override {
        MString name;
        if (!db.getFlagArgument("at", 0, name))
            return fail("setParticleAttr", "-attribute is required.");
        ValueFlags value;
        value.read(db);
        double randomFloat = 0.0;
        db.getFlagArgument("rf", 0, randomFloat);
        MVector randomVector;
        readVectorFlag(db, "rv", randomVector);
        bool relative = false;
        db.getFlagArgument("r", 0, relative);
        MSelectionList list;
        db.getObjects(list);
        std::vector<Target> targets;
        std::string error;
        if (!particleTargets(list, targets, error))
            return fail("setParticleAttr", error);
        // Every target is checked before any is changed.
        std::vector<const Attribute*> attributes;
        for (const Target& t : targets) {
            const Attribute* a = perParticleNamed(*t.shape, name, error);
            if (!a)
                return fail("setParticleAttr", error);
            const ArrayKind kind = perParticleKind(*t.shape, a);
            if (kind == ArrayKind::Vector ? !value.hasVector && !value.hasFloat : !value.hasFloat)
                return fail(
                    "setParticleAttr",
                    std::string(kind == ArrayKind::Vector ? "-vectorValue" : "-floatValue") +
                        " is required for " + a->longName + ".");
            attributes.push_back(a);
        }
        for (size_t i = 0; i < targets.size(); ++i) {
            Node& shape = *targets[i].shape;
            const Attribute* a = attributes[i];
            MDoubleArray ids = doubles(shape, shapeAttributes().particleId);
            auto jitter = [&](unsigned index, unsigned channel, double range) {
                Random random(0, static_cast<long>(ids[index]));
                return range * (2.0 * random.uniform(channel) - 1.0);
            };
            switch (perParticleKind(shape, a)) {
                case ArrayKind::Vector: {
                    MVectorArray values = vectors(shape, a);
                    MVector given = value.hasVector ? value.v : MVector(value.f, value.f, value.f);
                    for (unsigned k : targets[i].indices) {
                        MVector v = given + MVector(jitter(k, 0, randomVector.x),
                                                    jitter(k, 1, randomVector.y),
                                                    jitter(k, 2, randomVector.z));
                        values[k] = relative ? values[k] + v : v;
                    }
                    m_edit.set(plugOf(shape, a, {}), dataValue<VectorArrayData>(values));
                    break;
                }
                case ArrayKind::Int: {
                    MIntArray values = ints(shape, a);
                    for (unsigned k : targets[i].indices) {
                        const int v = foundation::truncToInt(value.f + jitter(k, 0, randomFloat));
                        values[k] = relative
                                        ? foundation::truncToInt(static_cast<double>(values[k]) + v)
                                        : v;
                    }
                    m_edit.set(plugOf(shape, a, {}), dataValue<IntArrayData>(values));
                    break;
                }
                default: {
                    MDoubleArray values = doubles(shape, a);
                    for (unsigned k : targets[i].indices) {
                        double v = value.f + jitter(k, 0, randomFloat);
                        values[k] = relative ? values[k] + v : v;
                    }
                    m_edit.set(plugOf(shape, a, {}), dataValue<DoubleArrayData>(values));
                }
            }
        }
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------- getParticleAttr

class GetParticleAttrCmd : public commands::ParsedCommand<MPxCommand> {
public:
    static void* creator() { return new GetParticleAttrCmd; }
    static MSyntax newSyntax() {
        MSyntax s;
        s.addFlag("at", "attribute", MSyntax::kString);
        s.addFlag("a", "array", MSyntax::kBoolean);
        s.setObjectType(MSyntax::kSelectionList, 1);
        s.useSelectionAsDefault(true);
        return s;
    }

    // With -array true, every picked particle's value (vectors as three
    // numbers each). Otherwise the mean and the largest distance of a value
    // from it, per component.
    MStatus run(const MArgDatabase& db) override {
        MString name;
        if (!db.getFlagArgument("at", 0, name))
            return fail("getParticleAttr", "-attribute is required.");
        bool asArray = false;
        db.getFlagArgument("a", 0, asArray);
        MSelectionList list;
        db.getObjects(list);
        std::vector<Target> targets;
        std::string error;
        if (!particleTargets(list, targets, error))
            return fail("getParticleAttr", error);
        std::vector<std::vector<double>> picked;  // one row per particle
        unsigned width = 0;
        for (const Target& t : targets) {
            const Attribute* a = perParticleNamed(*t.shape, name, error);
            if (!a)
                return fail("getParticleAttr", error);
            const ArrayKind kind = perParticleKind(*t.shape, a);
            const unsigned w = kind == ArrayKind::Vector ? 3 : 1;
            if (width && w != width)
                return fail("getParticleAttr", "the objects hold different kinds of " +
                                                   std::string(name.asChar()) + ".");
            width = w;
            // One particle at a time is the usual question, so the arrays
            // are read where they are kept, not copied.
            for (unsigned k : t.indices) {
                std::array<double, 3> value{};
                if (particleValue(*t.shape, a, k, value))
                    picked.push_back(std::vector<double>(value.begin(), value.begin() + w));
            }
        }
        MDoubleArray result;
        if (asArray) {
            for (const auto& row : picked)
                for (double x : row)
                    result.append(x);
        } else if (!picked.empty()) {
            std::vector<double> mean(width, 0.0), offset(width, 0.0);
            for (const auto& row : picked)
                for (unsigned c = 0; c < width; ++c)
                    mean[c] += row[c] / picked.size();
            for (const auto& row : picked)
                for (unsigned c = 0; c < width; ++c)
                    offset[c] = std::max(offset[c], std::fabs(row[c] - mean[c]));
            for (double x : mean)
                result.append(x);
            for (double x : offset)
                result.append(x);
        }
        setResult(result);
        return MS::kSuccess;
    }
};

// --------------------------------------------------------- saveInitialState

class SaveInitialStateCmd : public commands::ParsedCommand<EditingCommand> {
public:
    static void* creator() { return new SaveInitialStateCmd; }
    static MSyntax newSyntax() {
        MSyntax s;
        s.setObjectType(MSyntax::kSelectionList, 1);
        s.useSelectionAsDefault(true);
        return s;
    }

    MStatus run(const MArgDatabase& db) override {
        MSelectionList list;
        db.getObjects(list);
        std::vector<Target> targets;
        std::string error;
        if (!particleTargets(list, targets, error))
            return fail("saveInitialState", error);
        MStringArray names;
        for (const Target& t : targets) {
            Node& shape = *t.shape;
            for (const Attribute* a : shape.attributes()) {
                if (perParticleKind(shape, a) == ArrayKind::None)
                    continue;
                const Attribute* twin = shape.findAttribute(a->longName + "0");
                if (!twin || twin == a || perParticleKind(shape, twin) != perParticleKind(shape, a))
                    continue;
                m_edit.set(plugOf(shape, twin, {}), cloneValue(evaluate(plugOf(shape, a, {}))));
            }
            m_edit.set(plugOf(shape, shapeAttributes().nextId0, {}),
                       evaluate(plugOf(shape, shapeAttributes().nextId, {})));
            names.append(nameOf(&shape));
        }
        setResult(names);
        return MS::kSuccess;
    }
};

// ------------------------------------------------------ emitter and gravity

// Sets a double3 compound's children.
void setTriple(SceneEdit& edit, Node& node, const Attribute* compound, const MVector& v) {
    const double values[3] = {v.x, v.y, v.z};
    for (int i = 0; i < 3; ++i)
        edit.set(plugOf(node, compound->children[i].get(), {}), values[i]);
}

// The axis flags -dx -dy -dz, each defaulting to the attribute's value.
MVector directionFlags(const MArgDatabase& db, Node& node, const Attribute* compound) {
    double v[3];
    dag::readDouble3(node, const_cast<Attribute*>(compound), v);
    const char* flags[3] = {"dx", "dy", "dz"};
    for (int i = 0; i < 3; ++i)
        db.getFlagArgument(flags[i], 0, v[i]);
    return MVector(v[0], v[1], v[2]);
}

// A number flag and the attribute it sets.
struct NumberFlag {
    const char* flag;
    const Attribute* attribute;
};

// What emitter and gravity share: one node per object named (made its
// child, so that it moves with it), or one at -pos when none is named; the
// number flags and -dx -dy -dz set on each. The result names each owner
// and node, or the node alone for one at a position.
class DynamicsCommand : public EditingCommand {
protected:
    struct Kind {
        const char* command;
        const char* nodeType;
        const char* defaultName;
        const Attribute* direction;
        std::vector<NumberFlag> numbers;
    };

    static void addSharedFlags(MSyntax& s) {
        s.addFlag("pos", "position", MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble);
        s.addFlag("dx", "directionX", MSyntax::kDouble);
        s.addFlag("dy", "directionY", MSyntax::kDouble);
        s.addFlag("dz", "directionZ", MSyntax::kDouble);
        s.addFlag("n", "name", MSyntax::kString);
        s.setObjectType(MSyntax::kStringObjects);
    }

    // The nodes made, or an empty list with the error shown. `prepare`
    // sets what is particular to the kind on each new node.
    std::vector<Node*> make(const MArgDatabase& db, const Kind& kind, MStringArray& result,
                            const std::function<void(Node&)>& prepare) {
        MStringArray names;
        db.getObjects(names);
        std::vector<Node*> owners;
        for (unsigned i = 0; i < names.length(); ++i) {
            Node* owner = nodeNamed(names[i]);
            if (!owner || !owner->isDag()) {
                fail(kind.command, std::string("No object matches name: ") + names[i].asChar());
                return {};
            }
            owners.push_back(owner);
        }
        if (owners.empty())
            owners.push_back(nullptr);
        MString name;
        db.getFlagArgument("n", 0, name);
        std::vector<Node*> made;
        for (Node* owner : owners) {
            Node* node = m_edit.create(kind.nodeType,
                                       name.length() ? name.asChar() : kind.defaultName, owner);
            if (!node) {
                fail(kind.command, "the node could not be made.");
                return {};
            }
            MVector position;
            if (readVectorFlag(db, "pos", position))
                setTriple(m_edit, *node, dag::attributes().translate, position);
            for (const NumberFlag& f : kind.numbers) {
                double v = 0.0;
                if (db.getFlagArgument(f.flag, 0, v))
                    m_edit.set(plugOf(*node, f.attribute, {}), v);
            }
            setTriple(m_edit, *node, kind.direction, directionFlags(db, *node, kind.direction));
            prepare(*node);
            if (owner)
                result.append(nameOf(owner));
            result.append(nameOf(node));
            made.push_back(node);
        }
        return made;
    }
};

// The words the command takes for emitter types, cycle emission and volume shapes,
// with the values of emitterType, cycleEmission and volumeShape; the first word of a
// value is the one a query answers.
struct Word {
    const char* name;
    long value;
};
const std::vector<Word> kEmitterTypes = {
    {"omni", kOmni},       {"direction", kDirectional},
    {"dir", kDirectional}, {"directional", kDirectional},
    {"surface", kSurface}, {"surf", kSurface},
    {"curve", kCurve},     {"curv", kCurve},
    {"volume", kVolume},
};
const std::vector<Word> kCycleEmissions = {{"none", 0}, {"frame", 1}};
const std::vector<Word> kVolumeShapes = {
    {"none", kNoVolume},     {"cube", kCube}, {"sphere", kSphere},
    {"cylinder", kCylinder}, {"cone", kCone}, {"torus", kTorus},
};

// The emitter's flags that stand for one attribute each, for making, editing and
// querying alike (-pos, -dx -dy -dz and -n are the shared flags' business).
enum class FlagKind { Number, Whole, Switch, Choice, Angle, Triple };
struct EmitterFlag {
    const char* flag;
    const char* longName;
    Attribute* EmitterAttributes::*attribute;
    FlagKind kind;
    const std::vector<Word>* words = nullptr;  // a choice's words
    const char* refusal = nullptr;             // a wrong word's error: refusal + word + choices
    const char* choices = nullptr;
};
const EmitterFlag kEmitterFlags[] = {
    {"typ", "type", &EmitterAttributes::emitterType, FlagKind::Choice, &kEmitterTypes,
     "unsupported emitter type: ", " (omni, direction, surface, curve or volume)."},
    {"r", "rate", &EmitterAttributes::rate, FlagKind::Number},
    {"sp", "spread", &EmitterAttributes::spread, FlagKind::Number},
    {"spd", "speed", &EmitterAttributes::speed, FlagKind::Number},
    {"srn", "speedRandom", &EmitterAttributes::speedRandom, FlagKind::Number},
    {"mxd", "maxDistance", &EmitterAttributes::maxDistance, FlagKind::Number},
    {"mnd", "minDistance", &EmitterAttributes::minDistance, FlagKind::Number},
    {"nsp", "normalSpeed", &EmitterAttributes::normalSpeed, FlagKind::Number},
    {"tsp", "tangentSpeed", &EmitterAttributes::tangentSpeed, FlagKind::Number},
    {"sro", "scaleRateByObjectSize", &EmitterAttributes::scaleRateByObjectSize, FlagKind::Switch},
    {"nuv", "needParentUV", &EmitterAttributes::needParentUV, FlagKind::Switch},
    {"cye", "cycleEmission", &EmitterAttributes::cycleEmission, FlagKind::Choice, &kCycleEmissions,
     "invalid cycle emission: ", " (none or frame)."},
    {"cyi", "cycleInterval", &EmitterAttributes::cycleInterval, FlagKind::Whole},
    {"sd", "seed", &EmitterAttributes::seed, FlagKind::Whole},
    {"vsh", "volumeShape", &EmitterAttributes::volumeShape, FlagKind::Choice, &kVolumeShapes,
     "invalid volume shape: ", " (none, cube, sphere, cylinder, cone or torus)."},
    {"vof", "volumeOffset", &EmitterAttributes::volumeOffset, FlagKind::Triple},
    {"vsw", "volumeSweep", &EmitterAttributes::volumeSweep, FlagKind::Angle},
    {"tsr", "torusSectionRadius", &EmitterAttributes::sectionRadius, FlagKind::Number},
    {"afc", "awayFromCenter", &EmitterAttributes::awayFromCenter, FlagKind::Number},
    {"afx", "awayFromAxis", &EmitterAttributes::awayFromAxis, FlagKind::Number},
    {"alx", "alongAxis", &EmitterAttributes::alongAxis, FlagKind::Number},
    {"arx", "aroundAxis", &EmitterAttributes::aroundAxis, FlagKind::Number},
    {"rnd", "randomDirection", &EmitterAttributes::randomDirection, FlagKind::Number},
    {"drs", "directionalSpeed", &EmitterAttributes::directionalSpeed, FlagKind::Number},
    {"ssz", "scaleSpeedBySize", &EmitterAttributes::scaleSpeedBySize, FlagKind::Switch},
};

// The value of a choice flag's word; false with the error shown for a word it lacks.
bool choiceOf(const MArgDatabase& db, const EmitterFlag& f, long& value) {
    MString word;
    db.getFlagArgument(f.flag, 0, word);
    for (const Word& w : *f.words)
        if (word == w.name) {
            value = w.value;
            return true;
        }
    fail("emitter", std::string(f.refusal) + word.asChar() + f.choices);
    return false;
}

// Whether the object has a polygon mesh a surface emitter can emit from.
bool hasMesh(Node& object) {
    for (Node* child : object.children)
        if (child->type().hasFn(MFn::kMesh))
            return true;
    return false;
}

// Curve emission needs a NURBS curve, which the host does not have; surface emission
// needs each owner to have a polygon mesh.
MStatus refuseSource(long type, const std::vector<Node*>& owners) {
    if (type == kCurve)
        return fail("emitter",
                    "curve emission needs a NURBS curve; NURBS curves are not "
                    "built in this host.");
    if (type != kSurface)
        return MS::kSuccess;
    if (owners.empty())
        return fail("emitter", "a surface emitter needs the object it emits from.");
    for (Node* owner : owners)
        if (!hasMesh(*owner))
            return fail("emitter", std::string("'") + nameOf(owner).asChar() +
                                       "' has no polygon mesh to emit from.");
    return MS::kSuccess;
}

class EmitterCmd : public commands::ParsedCommand<DynamicsCommand> {
public:
    static void* creator() { return new EmitterCmd; }
    static MSyntax newSyntax() {
        MSyntax s;
        addSharedFlags(s);
        for (const EmitterFlag& f : kEmitterFlags) {
            switch (f.kind) {
                case FlagKind::Number:
                    s.addFlag(f.flag, f.longName, MSyntax::kDouble);
                    break;
                case FlagKind::Whole:
                    s.addFlag(f.flag, f.longName, MSyntax::kLong);
                    break;
                case FlagKind::Switch:
                    s.addFlag(f.flag, f.longName, MSyntax::kBoolean);
                    break;
                case FlagKind::Choice:
                    s.addFlag(f.flag, f.longName, MSyntax::kString);
                    break;
                case FlagKind::Angle:
                    s.addFlag(f.flag, f.longName, MSyntax::kAngle);
                    break;
                case FlagKind::Triple:
                    s.addFlag(f.flag, f.longName, MSyntax::kDouble, MSyntax::kDouble,
                              MSyntax::kDouble);
                    break;
            }
        }
        s.enableQuery();
        s.enableEdit();
        return s;
    }

    MStatus run(const MArgDatabase& db) override {
        if (db.isQuery())
            return query(db);
        std::map<std::string, long> choices;
        for (const EmitterFlag& f : kEmitterFlags)
            if (f.kind == FlagKind::Choice && db.isFlagSet(f.flag) &&
                !choiceOf(db, f, choices[f.flag]))
                return MS::kFailure;
        double rate = 0;
        if (db.getFlagArgument("r", 0, rate) &&
            !(rate * MTime(1.0, MTime::uiUnit()).as(MTime::kSeconds) <= kMaxBirthsPerFrame)) {
            std::ostringstream text;
            text << "a rate of " << rate << " makes more than " << kMaxBirthsPerFrame
                 << " particles in a frame.";
            return fail("emitter", text.str());
        }
        if (db.isEdit())
            return edit(db, choices);
        const long type = choices.count("typ") ? choices["typ"] : static_cast<long>(kOmni);
        std::vector<Node*> owners;
        MStringArray names;
        db.getObjects(names);
        for (unsigned i = 0; i < names.length(); ++i) {
            Node* owner = nodeNamed(names[i]);
            if (!owner)
                return fail("emitter", std::string("No object matches name: ") + names[i].asChar());
            owners.push_back(owner);
        }
        if (MStatus refused = refuseSource(type, owners); !refused)
            return refused;
        const Kind kind{"emitter", "pointEmitter", "emitter#", emitterAttributes().direction, {}};
        MStringArray result;
        const std::vector<Node*> made = make(db, kind, result, [&](Node& emitter) {
            m_edit.set(plugOf(emitter, emitterAttributes().emitterType, {}), type);
            apply(db, choices, emitter);
        });
        if (made.empty())
            return MS::kFailure;
        setResult(result);
        return MS::kSuccess;
    }

private:
    // Sets the attribute of every flag given.
    void apply(const MArgDatabase& db, const std::map<std::string, long>& choices, Node& emitter) {
        const EmitterAttributes& e = emitterAttributes();
        for (const EmitterFlag& f : kEmitterFlags) {
            if (!db.isFlagSet(f.flag))
                continue;
            const PlugRef plug = plugOf(emitter, e.*f.attribute, {});
            double number = 0;
            int whole = 0;
            bool on = false;
            MVector v;
            switch (f.kind) {
                case FlagKind::Number:
                    db.getFlagArgument(f.flag, 0, number);
                    m_edit.set(plug, number);
                    break;
                case FlagKind::Angle:
                    db.getFlagArgument(f.flag, 0, number);
                    m_edit.set(plug, MAngle::uiToInternal(number));
                    break;
                case FlagKind::Whole:
                    db.getFlagArgument(f.flag, 0, whole);
                    m_edit.set(plug, static_cast<long>(whole));
                    break;
                case FlagKind::Switch:
                    db.getFlagArgument(f.flag, 0, on);
                    m_edit.set(plug, on);
                    break;
                case FlagKind::Choice:
                    m_edit.set(plug, choices.at(f.flag));
                    break;
                case FlagKind::Triple:
                    readVectorFlag(db, f.flag, v);
                    setTriple(m_edit, emitter, e.*f.attribute, v);
                    break;
            }
        }
    }

    // The emitters named; false with the error shown when one is not an emitter.
    bool emittersOf(const MArgDatabase& db, std::vector<Node*>& emitters) const {
        MStringArray names;
        db.getObjects(names);
        for (unsigned i = 0; i < names.length(); ++i) {
            Node* node = nodeNamed(names[i]);
            if (!node) {
                fail("emitter", std::string("No object matches name: ") + names[i].asChar());
                return false;
            }
            if (!node->type().hasFn(MFn::kEmitter)) {
                fail("emitter", std::string("'") + names[i].asChar() + "' is not an emitter.");
                return false;
            }
            emitters.push_back(node);
        }
        if (emitters.empty()) {
            fail("emitter", "name the emitter to edit or query.");
            return false;
        }
        return true;
    }

    MStatus edit(const MArgDatabase& db, const std::map<std::string, long>& choices) {
        const EmitterAttributes& e = emitterAttributes();
        std::vector<Node*> emitters;
        if (!emittersOf(db, emitters))
            return MS::kFailure;
        for (Node* emitter : emitters) {
            if (choices.count("typ")) {
                // A positional emitter's parent is the world, which owns no mesh.
                std::vector<Node*> owners;
                for (Node* parent : emitter->parents)
                    if (parent->type().hasFn(MFn::kTransform))
                        owners.push_back(parent);
                if (MStatus refused = refuseSource(choices.at("typ"), owners); !refused) {
                    m_edit.undo();
                    return refused;
                }
            }
            apply(db, choices, *emitter);
            MVector position;
            if (readVectorFlag(db, "pos", position))
                setTriple(m_edit, *emitter, dag::attributes().translate, position);
            if (db.isFlagSet("dx") || db.isFlagSet("dy") || db.isFlagSet("dz"))
                setTriple(m_edit, *emitter, e.direction, directionFlags(db, *emitter, e.direction));
        }
        return MS::kSuccess;
    }

    // The value of the first flag given, on the first emitter named.
    MStatus query(const MArgDatabase& db) {
        const EmitterAttributes& e = emitterAttributes();
        std::vector<Node*> emitters;
        if (!emittersOf(db, emitters))
            return MS::kFailure;
        Node& emitter = *emitters.front();
        auto number = [&](const Attribute* attribute) {
            return valueAsDouble(evaluate(plugOf(emitter, attribute, {})));
        };
        auto triple = [&](const Attribute* compound, bool distance) {
            MDoubleArray out;
            for (const AttributePtr& child : compound->children)
                out.append(distance ? MDistance::internalToUI(number(child.get()))
                                    : number(child.get()));
            setResult(out);
        };
        for (const EmitterFlag& f : kEmitterFlags) {
            if (!db.isFlagSet(f.flag))
                continue;
            const Attribute* attribute = e.*f.attribute;
            switch (f.kind) {
                case FlagKind::Number:
                    setResult(number(attribute));
                    break;
                case FlagKind::Angle:
                    setResult(MAngle::internalToUI(number(attribute)));
                    break;
                case FlagKind::Whole:
                case FlagKind::Switch:
                    setResult(static_cast<int>(number(attribute)));
                    break;
                case FlagKind::Choice:
                    for (const Word& w : *f.words)
                        if (w.value == static_cast<long>(number(attribute))) {
                            setResult(MString(w.name));
                            break;
                        }
                    break;
                case FlagKind::Triple:
                    triple(attribute, false);
                    break;
            }
            return MS::kSuccess;
        }
        const char* axes[] = {"dx", "dy", "dz"};
        for (size_t k = 0; k < 3; ++k)
            if (db.isFlagSet(axes[k])) {
                setResult(number(e.direction->children[k].get()));
                return MS::kSuccess;
            }
        if (db.isFlagSet("pos")) {
            triple(dag::attributes().translate, true);
            return MS::kSuccess;
        }
        return fail("emitter", "nothing to query.");
    }
};

class GravityCmd : public commands::ParsedCommand<DynamicsCommand> {
public:
    static void* creator() { return new GravityCmd; }
    static MSyntax newSyntax() {
        MSyntax s;
        addSharedFlags(s);
        s.addFlag("m", "magnitude", MSyntax::kDouble);
        return s;
    }

    MStatus run(const MArgDatabase& db) override {
        const FieldAttributes& f = fieldAttributes();
        const Kind kind{"gravity", "gravityField", "gravityField#", f.direction, {}};
        double magnitude = 9.8;
        db.getFlagArgument("m", 0, magnitude);
        MStringArray result;
        const std::vector<Node*> made = make(db, kind, result, [&](Node& field) {
            m_edit.set(plugOf(field, f.magnitude, {}), magnitude);
        });
        if (made.empty())
            return MS::kFailure;
        setResult(result);
        return MS::kSuccess;
    }
};

// ----------------------------------------------------------- connectDynamic

// The next free element of an array plug.
unsigned nextElement(Node& node, const Attribute* array) {
    std::vector<unsigned> used = node.elementIndices(PlugPath{const_cast<Attribute*>(array), {}});
    return used.empty() ? 0 : used.back() + 1;
}

bool feeds(Node& source, const Attribute* output, Node& shape, const Attribute* input) {
    for (const auto& in : shape.inputs)
        if (in.first.attribute == input && in.second.node == &source &&
            in.second.path.attribute == output)
            return true;
    return false;
}

class ConnectDynamicCmd : public commands::ParsedCommand<EditingCommand> {
public:
    static void* creator() { return new ConnectDynamicCmd; }
    static MSyntax newSyntax() {
        MSyntax s;
        s.addFlag("em", "emitters", MSyntax::kString);
        s.makeFlagMultiUse("em");
        s.addFlag("f", "fields", MSyntax::kString);
        s.makeFlagMultiUse("f");
        s.setObjectType(MSyntax::kSelectionList, 1);
        s.useSelectionAsDefault(true);
        return s;
    }

    MStatus run(const MArgDatabase& db) override {
        struct Source {
            Node* node;
            const Attribute* output;
            const Attribute* input;
        };
        std::vector<Source> sources;
        for (const char* flag : {"em", "f"}) {
            const bool emitter = flag[0] == 'e';
            for (unsigned i = 0, n = db.numberOfFlagUses(flag); i < n; ++i) {
                MArgList values;
                db.getFlagArgumentList(flag, i, values);
                MString name = values.asString(0);
                Node* node = nodeNamed(name);
                if (!node || !node->type().hasFn(emitter ? MFn::kEmitter : MFn::kField))
                    return fail("connectDynamic", std::string(name.asChar()) + " is not " +
                                                      (emitter ? "an emitter." : "a field."));
                sources.push_back(emitter ? Source{node, emitterAttributes().output,
                                                   shapeAttributes().newParticles}
                                          : Source{node, fieldAttributes().outputForce,
                                                   shapeAttributes().inputForce});
            }
        }
        if (sources.empty())
            return fail("connectDynamic", "-emitters or -fields is required.");
        MSelectionList list;
        db.getObjects(list);
        std::vector<Target> targets;
        std::string error;
        if (!particleTargets(list, targets, error))
            return fail("connectDynamic", error);
        MStringArray names;
        for (const Target& t : targets) {
            for (const Source& s : sources) {
                if (feeds(*s.node, s.output, *t.shape, s.input))
                    continue;
                m_edit.connect(plugOf(*s.node, s.output, {nextElement(*s.node, s.output)}),
                               plugOf(*t.shape, s.input, {nextElement(*t.shape, s.input)}));
            }
            names.append(nameOf(t.shape));
        }
        setResult(names);
        return MS::kSuccess;
    }
};

}  // namespace

void registerCommands() {
    plugin::defineCommand("particle", ParticleCmd::creator, ParticleCmd::newSyntax, "");
    plugin::defineCommand("setParticleAttr", SetParticleAttrCmd::creator,
                          SetParticleAttrCmd::newSyntax, "");
    plugin::defineCommand("getParticleAttr", GetParticleAttrCmd::creator,
                          GetParticleAttrCmd::newSyntax, "");
    plugin::defineCommand("saveInitialState", SaveInitialStateCmd::creator,
                          SaveInitialStateCmd::newSyntax, "");
    plugin::defineCommand("emitter", EmitterCmd::creator, EmitterCmd::newSyntax, "");
    plugin::defineCommand("gravity", GravityCmd::creator, GravityCmd::newSyntax, "");
    plugin::defineCommand("connectDynamic", ConnectDynamicCmd::creator,
                          ConnectDynamicCmd::newSyntax, "");
    registerInstancerCommands();
    animation::registerTimeCommands();
}

}  // namespace particles
}  // namespace host
