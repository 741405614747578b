// blendShape [-n name] [-ib] [-o local|world] [-t base index target weight]...
//            [-w index weight]... targets... base
// blendShape -e [-t ...] [-w ...] deformer
// blendShape -q -w deformer
#include "commands/Support.h"
#include "deformers/BlendShape.h"
#include "graph/PlugAccess.h"

#include <maya/MArgList.h>
#include <maya/MDoubleArray.h>
#include <maya/MStringArray.h>

namespace host {
namespace deformers {

namespace {

using commands::error;

MSyntax blendShapeSyntax() {
    MSyntax s;
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("ib", "inBetween");
    s.addFlag("o", "origin", MSyntax::kString);
    s.addFlag("t", "target", MSyntax::kString, MSyntax::kLong, MSyntax::kString, MSyntax::kDouble);
    s.makeFlagMultiUse("t");
    s.addFlag("w", "weight", MSyntax::kLong, MSyntax::kDouble);
    s.makeFlagMultiUse("w");
    s.setObjectType(MSyntax::kStringObjects);
    s.enableEdit();
    s.enableQuery();
    return s;
}

MStatus fail(const std::string& text) {
    error("blendShape: " + text);
    return MS::kFailure;
}

// The mesh shape a script name stands for, or null with an error shown.
Node* meshNamed(const std::string& name) {
    Node* node = commands::findNode(name);
    if (!node) {
        error("No object matches name: " + name);
        return nullptr;
    }
    Node* mesh = meshShapeOf(*node);
    if (!mesh)
        error("blendShape: '" + name + "' is not a polygon mesh.");
    return mesh;
}

class BlendShapeCommand : public commands::ParsedCommand<commands::EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        MStringArray names;
        db.getObjects(names);
        if (db.isQuery() || db.isEdit()) {
            if (names.length() != 1)
                return fail("one blendShape node must be named.");
            Node* deformer = commands::findNode(names[0].asChar());
            if (!deformer || !deformer->type().isA("blendShape"))
                return fail(std::string("'") + names[0].asChar() + "' is not a blendShape node.");
            if (db.isQuery())
                return query(db, *deformer);
            return edit(db, *deformer);
        }
        return create(db, names);
    }

private:
    MStatus create(const MArgDatabase& db, const MStringArray& names) {
        std::vector<Node*> shapes;
        if (names.length() == 0) {
            MSelectionList list;
            if (!commands::objectsOf(db, list))
                return MS::kFailure;
            for (const commands::Target& t : commands::targets(list)) {
                Node* mesh = meshShapeOf(*t.node);
                if (!mesh)
                    return fail("'" + t.node->name() + "' is not a polygon mesh.");
                shapes.push_back(mesh);
            }
        } else {
            for (unsigned i = 0; i < names.length(); ++i) {
                Node* mesh = meshNamed(names[i].asChar());
                if (!mesh)
                    return MS::kFailure;
                shapes.push_back(mesh);
            }
        }
        if (shapes.empty())
            return fail("no base object given or selected.");
        int origin = 0;
        if (db.isFlagSet("o")) {
            const std::string o = db.flagArgumentString("o", 0).asChar();
            if (o != "local" && o != "world")
                return fail("invalid origin: " + o);
            origin = o == "world" ? 1 : 0;
        }
        // The last object is the base; the others are its targets.
        Node* base = shapes.back();
        shapes.pop_back();
        const std::string name = db.isFlagSet("n") ? db.flagArgumentString("n", 0).asChar() : "";
        MStatus status;
        NodePtr deformer = attachBlendShape({base}, origin, name, edits, &status);
        if (!deformer)
            return fail("the deformer could not be attached to '" + base->name() + "'.");
        const bool inBetween = db.isFlagSet("ib");
        for (size_t k = 0; k < shapes.size(); ++k) {
            // In-betweens share target 0 at evenly spaced full weights.
            const unsigned index = inBetween ? 0 : static_cast<unsigned>(k);
            const double weight = inBetween ? double(k + 1) / double(shapes.size()) : 1.0;
            if (!addTarget(*deformer, *base, index, *shapes[k], weight, edits))
                return fail("'" + shapes[k]->name() + "' cannot be a target of '" + base->name() +
                            "': the point counts differ.");
        }
        status = edit(db, *deformer);
        if (!status)
            return status;
        MStringArray result;
        result.append(commands::nameOf(*deformer).c_str());
        setResult(result);
        return MS::kSuccess;
    }

    MStatus edit(const MArgDatabase& db, Node& deformer) {
        for (unsigned i = 0; i < db.numberOfFlagUses("t"); ++i) {
            MArgList use;
            db.getFlagArgumentList("t", i, use);
            Node* base = meshNamed(use.asString(0).asChar());
            Node* target = base ? meshNamed(use.asString(2).asChar()) : nullptr;
            if (!target)
                return MS::kFailure;
            const int index = use.asInt(1);
            if (index < 0)
                return fail("target indices start at 0.");
            MStatus s = addTarget(deformer, *base, static_cast<unsigned>(index), *target,
                                  use.asDouble(3), edits);
            if (!s)
                return fail("'" + target->name() + "' cannot be added to target " +
                            std::to_string(index) + " of '" + base->name() + "'.");
        }
        for (unsigned i = 0; i < db.numberOfFlagUses("w"); ++i) {
            MArgList use;
            db.getFlagArgumentList("w", i, use);
            const int index = use.asInt(0);
            if (index < 0)
                return fail("weight indices start at 0.");
            if (!setWeight(deformer, static_cast<unsigned>(index), use.asDouble(1), edits))
                return fail("weight " + std::to_string(index) + " cannot be set.");
        }
        return MS::kSuccess;
    }

    static MStatus query(const MArgDatabase& db, Node& deformer) {
        if (!db.isFlagSet("w"))
            return fail("-query supports -weight only.");
        MDoubleArray weights;
        for (unsigned i : weightIndices(deformer))
            weights.append(valueAsDouble(
                evaluate(PlugRef{&deformer, PlugPath{blendShapeAttributes().weight, {i}}})));
        setResult(weights);
        return MS::kSuccess;
    }
};

}  // namespace

void registerBlendShapeCommand() {
    commands::define<BlendShapeCommand>("blendShape", blendShapeSyntax);
}

}  // namespace deformers
}  // namespace host
