// particleInstancer, and listInstances, the host's own report of what an
// instancer draws.
#include "commands/Support.h"
#include "dag/Dag.h"
#include "graph/PlugAccess.h"
#include "particles/Commands.h"
#include "particles/Instancer.h"
#include "particles/Particles.h"
#include "plugin/CommandBridge.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace host {
namespace particles {

namespace {

const char* const kCommand = "particleInstancer";

struct OptionFlag {
    const char* flag;
    const char* longFlag;
    const char* option;  // the name the mapping pairs use
};
// The instancing options, in the order their pairs are written.
const OptionFlag kOptions[] = {
    {"p", "position", "position"},
    {"r", "rotation", "rotation"},
    {"sc", "scale", "scale"},
    {"sh", "shear", "shear"},
    {"vis", "visibility", "visibility"},
    {"oi", "objectIndex", "objectIndex"},
    {"rt", "rotationType", "rotationType"},
    {"ad", "aimDirection", "aimDirection"},
    {"ap", "aimPosition", "aimPosition"},
    {"aa", "aimAxis", "aimAxis"},
    {"aua", "aimUpAxis", "aimUpAxis"},
    {"awu", "aimWorldUp", "aimWorldUp"},
    {"age", "particleAge", "age"},
    {"sto", "cycleStartObject", "cycleStartObject"},
    {"id", "instanceId", "id"},
};
// The one option that can only be queried.
const char* const kQueryOnlyOption = "id";

struct EnumFlag {
    const char* flag;
    const Attribute* (*attribute)();
};
const EnumFlag kEnums[] = {
    {"c", [] { return static_cast<const Attribute*>(instancerAttributes().cycle); }},
    {"csu", [] { return static_cast<const Attribute*>(instancerAttributes().cycleStepUnit); }},
    {"lod", [] { return static_cast<const Attribute*>(instancerAttributes().levelOfDetail); }},
    {"ru", [] { return static_cast<const Attribute*>(instancerAttributes().rotationAngleUnits); }},
    {"ro", [] { return static_cast<const Attribute*>(instancerAttributes().rotationOrder); }},
};

// The application's own menus write these capitalised ("None", "Frames",
// "Geometry"), so the words match in any case.
bool enumValue(const Attribute& attribute, const MString& name, long& value) {
    const std::string given = name.asChar();
    for (const auto& field : attribute.enumFields)
        if (given.size() == field.first.size() &&
            std::equal(given.begin(), given.end(), field.first.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            value = field.second;
            return true;
        }
    return false;
}

std::string enumName(const Attribute& attribute, long value) {
    for (const auto& field : attribute.enumFields)
        if (field.second == value)
            return field.first;
    return std::to_string(value);
}

std::string pathName(Node* node) {
    return node ? dag::partialPathName(dag::firstPath(*node)) : std::string();
}

class ParticleInstancerCmd : public commands::ParsedCommand<EditingCommand> {
public:
    static void* creator() { return new ParticleInstancerCmd; }
    static MSyntax newSyntax() {
        MSyntax s;
        s.addFlag("a", "addObject");
        s.addFlag("rm", "removeObject");
        s.addFlag("obj", "object", MSyntax::kString);
        s.makeFlagMultiUse("obj");
        s.addFlag("n", "name", MSyntax::kString);
        s.makeFlagQueryWithFullArgs("n", true);
        s.addFlag("c", "cycle", MSyntax::kString);
        s.addFlag("cs", "cycleStep", MSyntax::kDouble);
        s.addFlag("csu", "cycleStepUnits", MSyntax::kString);
        s.addFlag("lod", "levelOfDetail", MSyntax::kString);
        s.addFlag("ru", "rotationUnits", MSyntax::kString);
        s.addFlag("ro", "rotationOrder", MSyntax::kString);
        s.addFlag("i", "index", MSyntax::kLong);
        s.makeFlagQueryWithFullArgs("i", true);
        s.addFlag("am", "attributeMapping");
        for (const OptionFlag& o : kOptions)
            s.addFlag(o.flag, o.longFlag, MSyntax::kString);
        s.setObjectType(MSyntax::kSelectionList, 1, 1);
        s.useSelectionAsDefault(true);
        s.enableQuery();
        s.enableEdit();
        return s;
    }

    MStatus run(const MArgDatabase& db) override {
        MSelectionList list;
        db.getObjects(list);
        MObject object;
        list.getDependNode(0, object);
        Node* shape = shapeOf(nodeOf(object));
        if (!shape) {
            MStringArray names;
            list.getSelectionStrings(0, names);
            return fail(kCommand, std::string(names.length() ? names[0].asChar() : "object") +
                                      " is not a particle object.");
        }
        if (!db.isQuery()) {
            for (const char* flag : {kQueryOnlyOption, "i", "am"})
                if (db.isFlagSet(flag))
                    return fail(kCommand, std::string("-") + flag + " can only be queried.");
        }
        if (!db.isQuery() && !db.isEdit())
            return create(db, *shape);
        Node* instancer = instancerOf(db, *shape);
        if (!instancer)
            return MS::kFailure;
        unsigned element = 0;
        feedingShape(*instancer, &element);
        return db.isQuery() ? query(db, *shape, element, *instancer)
                            : edit(db, *shape, element, *instancer);
    }

private:
    // The instancer -name names, or the shape's only one.
    static Node* instancerOf(const MArgDatabase& db, Node& shape) {
        MString name;
        if (db.getFlagArgument("n", 0, name)) {
            Node* node = nodeNamed(name);
            if (!node || !node->type().hasFn(MFn::kInstancer)) {
                fail(kCommand, std::string(name.asChar()) + " is not a particle instancer.");
                return nullptr;
            }
            if (feedingShape(*node) != &shape) {
                fail(kCommand, node->name() + " is not fed by " + shape.name() + ".");
                return nullptr;
            }
            return node;
        }
        std::vector<Node*> found = instancersOf(shape);
        if (found.size() != 1) {
            fail(kCommand, found.empty() ? shape.name() + " feeds no instancer."
                                         : shape.name() +
                                               " feeds more than one instancer: "
                                               "name one with -name.");
            return nullptr;
        }
        return found.front();
    }

    static std::vector<Node*> instancersOf(Node& shape) {
        std::vector<Node*> found;
        for (const auto& out : shape.outputs)
            if (out.first.attribute == shapeAttributes().instancePointData)
                for (const PlugRef& dst : out.second)
                    if (dst.node->inScene && dst.node->type().hasFn(MFn::kInstancer))
                        found.push_back(dst.node);
        return found;
    }

    // Every -object name as a DAG node, or null with the error shown.
    static bool objectsOf(const MArgDatabase& db, std::vector<Node*>& objects) {
        for (unsigned i = 0, n = db.numberOfFlagUses("obj"); i < n; ++i) {
            MArgList values;
            db.getFlagArgumentList("obj", i, values);
            MString name = values.asString(0);
            Node* node = nodeNamed(name);
            if (!node || !node->isDag()) {
                fail(kCommand, std::string(name.asChar()) + " is not a DAG object.");
                return false;
            }
            objects.push_back(node);
        }
        return true;
    }

    void connectObject(Node& object, Node& instancer, unsigned index) {
        m_edit.connect(plugOf(object, dag::attributes().matrix),
                       plugOf(instancer, instancerAttributes().inputHierarchy, {index}));
    }

    // Applies the option flags to the element's pairs: a given option
    // replaces its pair (an empty attribute name drops it) or is added.
    void mapOptions(const MArgDatabase& db, Node& shape, unsigned element,
                    std::vector<std::pair<std::string, std::string>> pairs) {
        for (const OptionFlag& o : kOptions) {
            MString attribute;
            if (!db.getFlagArgument(o.flag, 0, attribute))
                continue;
            auto it = pairs.begin();
            while (it != pairs.end() && it->first != o.option)
                ++it;
            if (attribute.length() == 0) {
                if (it != pairs.end())
                    pairs.erase(it);
            } else if (it != pairs.end()) {
                it->second = attribute.asChar();
            } else {
                pairs.emplace_back(o.option, attribute.asChar());
            }
        }
        MStringArray flat;
        for (const auto& pair : pairs) {
            flat.append(pair.first.c_str());
            flat.append(pair.second.c_str());
        }
        m_edit.set(plugOf(shape, shapeAttributes().instanceAttributeMapping, {element}),
                   dataValue<StringArrayData>(flat));
    }

    MStatus setSettings(const MArgDatabase& db, Node& instancer) {
        std::vector<std::pair<const Attribute*, long>> values;
        for (const EnumFlag& e : kEnums) {
            MString name;
            if (!db.getFlagArgument(e.flag, 0, name))
                continue;
            long value = 0;
            if (!enumValue(*e.attribute(), name, value))
                return fail(kCommand, std::string("invalid value for -") + e.flag + ": " +
                                          name.asChar() + ".");
            values.emplace_back(e.attribute(), value);
        }
        for (const auto& v : values)
            m_edit.set(plugOf(instancer, v.first), v.second);
        double step = 0.0;
        if (db.getFlagArgument("cs", 0, step))
            m_edit.set(plugOf(instancer, instancerAttributes().cycleStep), step);
        return MS::kSuccess;
    }

    MStatus create(const MArgDatabase& db, Node& shape) {
        std::vector<Node*> objects;
        if (!objectsOf(db, objects))
            return MS::kFailure;
        for (const EnumFlag& e : kEnums) {
            MString name;
            long value = 0;
            if (db.getFlagArgument(e.flag, 0, name) && !enumValue(*e.attribute(), name, value))
                return fail(kCommand, std::string("invalid value for -") + e.flag + ": " +
                                          name.asChar() + ".");
        }
        MString name;
        db.getFlagArgument("n", 0, name);
        Node* instancer = m_edit.create("instancer", name.length() ? name.asChar() : "instancer#");
        if (!instancer)
            return fail(kCommand, "the instancer could not be made.");
        const ShapeAttributes& s = shapeAttributes();
        std::vector<unsigned> used = shape.elementIndices(PlugPath{s.instanceData, {}});
        const unsigned element = used.empty() ? 0 : used.back() + 1;
        m_edit.connect(plugOf(shape, s.instancePointData, {element}),
                       plugOf(*instancer, instancerAttributes().inputPoints));
        mapOptions(db, shape, element, {{"position", "worldPosition"}});
        for (unsigned j = 0; j < objects.size(); ++j)
            connectObject(*objects[j], *instancer, j);
        setSettings(db, *instancer);
        setResult(MString(instancer->name().c_str()));
        return MS::kSuccess;
    }

    MStatus edit(const MArgDatabase& db, Node& shape, unsigned element, Node& instancer) {
        std::vector<Node*> objects;
        if (!objectsOf(db, objects))
            return MS::kFailure;
        MStatus status = setSettings(db, instancer);
        if (!status)
            return status;
        std::vector<Node*> current = hierarchy(instancer);
        if (db.isFlagSet("rm")) {
            // Removing compacts the list, so object indices stay 0..count-1.
            std::vector<Node*> kept;
            for (Node* node : current)
                if (std::find(objects.begin(), objects.end(), node) == objects.end())
                    kept.push_back(node);
            for (unsigned j = 0; j < current.size(); ++j)
                if (current[j])
                    m_edit.disconnect(plugOf(*current[j], dag::attributes().matrix),
                                      plugOf(instancer, instancerAttributes().inputHierarchy, {j}));
            for (unsigned j = 0; j < kept.size(); ++j)
                if (kept[j])
                    connectObject(*kept[j], instancer, j);
        } else {
            unsigned next = static_cast<unsigned>(current.size());
            for (Node* node : objects)
                connectObject(*node, instancer, next++);
        }
        mapOptions(db, shape, element, attributeMapping(shape, element));
        setResult(MString(instancer.name().c_str()));
        return MS::kSuccess;
    }

    static MStatus query(const MArgDatabase& db, Node& shape, unsigned element, Node& instancer) {
        for (const OptionFlag& o : kOptions)
            if (db.isFlagSet(o.flag)) {
                setResult(MString(mappedAttribute(shape, element, o.option).c_str()));
                return MS::kSuccess;
            }
        for (const EnumFlag& e : kEnums)
            if (db.isFlagSet(e.flag)) {
                long value = valueAsLong(evaluate(plugOf(instancer, e.attribute())));
                setResult(MString(enumName(*e.attribute(), value).c_str()));
                return MS::kSuccess;
            }
        if (db.isFlagSet("cs")) {
            setResult(valueAsDouble(evaluate(plugOf(instancer, instancerAttributes().cycleStep))));
            return MS::kSuccess;
        }
        if (db.isFlagSet("i")) {
            const std::vector<Node*> objects = hierarchy(instancer);
            int index = 0;
            db.getFlagArgument("i", 0, index);
            if (index < 0 || static_cast<size_t>(index) >= objects.size())
                return fail(kCommand, "index " + std::to_string(index) + " is out of range.");
            setResult(MString(pathName(objects[static_cast<size_t>(index)]).c_str()));
            return MS::kSuccess;
        }
        if (db.isFlagSet("am")) {
            MStringArray flat;
            for (const auto& pair : attributeMapping(shape, element)) {
                flat.append(pair.first.c_str());
                flat.append(pair.second.c_str());
            }
            setResult(flat);
            return MS::kSuccess;
        }
        if (db.isFlagSet("obj")) {
            MStringArray names;
            for (Node* node : hierarchy(instancer))
                names.append(pathName(node).c_str());
            setResult(names);
            return MS::kSuccess;
        }
        setResult(MString(instancer.name().c_str()));
        return MS::kSuccess;
    }
};

// listInstances instancer: one line per drawn particle, "id objectIndex
// object" and the 16 numbers of the matrix the object is drawn with (its
// world matrix followed by the particle's), row by row, with the stream's
// default six significant digits.
class ListInstancesCmd : public commands::ParsedCommand<MPxCommand> {
public:
    static void* creator() { return new ListInstancesCmd; }
    static MSyntax newSyntax() {
        MSyntax s;
        s.setObjectType(MSyntax::kSelectionList, 1, 1);
        s.useSelectionAsDefault(true);
        return s;
    }

    MStatus run(const MArgDatabase& db) override {
        MSelectionList list;
        db.getObjects(list);
        MObject object;
        list.getDependNode(0, object);
        Node* instancer = nodeOf(object);
        if (!instancer || !instancer->type().hasFn(MFn::kInstancer))
            return fail("listInstances", "a particle instancer is required.");
        MStringArray lines;
        for (const Draw& draw : evaluateInstancer(*instancer).draws) {
            MMatrix drawn = dag::inclusiveMatrix(dag::firstPath(*draw.object)) * draw.matrix;
            std::ostringstream line;
            line << draw.particleId << ' ' << draw.objectIndex << ' ' << pathName(draw.object);
            // Rotations leave residues such as 6e-17 where a value is 0.
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c) {
                    double v = drawn.matrix[r][c];
                    line << ' ' << (std::fabs(v) < 1e-12 ? 0.0 : v);
                }
            lines.append(line.str().c_str());
        }
        setResult(lines);
        return MS::kSuccess;
    }
};

}  // namespace

void registerInstancerCommands() {
    plugin::defineCommand("particleInstancer", ParticleInstancerCmd::creator,
                          ParticleInstancerCmd::newSyntax, "");
    plugin::defineCommand("listInstances", ListInstancesCmd::creator, ListInstancesCmd::newSyntax,
                          "");
}

}  // namespace particles
}  // namespace host
