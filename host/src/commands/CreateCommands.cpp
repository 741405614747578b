// spaceLocator, and shadingNode, which is createNode with a classification for the UI.
#include "commands/Support.h"
#include "commands/Transforms.h"
#include "graph/PlugAccess.h"
#include "script/Runtime.h"

#include <maya/MDagPath.h>
#include <maya/MDistance.h>
#include <maya/MDoubleArray.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>

namespace host {
namespace commands {

namespace {

// ---------------------------------------------------------------- spaceLocator

MSyntax spaceLocatorSyntax() {
    MSyntax s;
    s.addFlag("p", "position", MSyntax::kDistance, MSyntax::kDistance, MSyntax::kDistance);
    s.addFlag("n", "name", MSyntax::kString);
    s.addFlag("a", "absolute");
    s.addFlag("r", "relative");
    s.enableQuery();
    s.enableEdit();
    s.setObjectType(MSyntax::kStringObjects);
    return s;
}

// The position is the locator transform's translation, so that it is what xform, move and
// pointPosition report for the locator.
class SpaceLocatorCommand : public ParsedCommand<EditCommand> {
public:
    MStatus run(const MArgDatabase& db) override {
        const MVector position = distanceTripleFlag(db, "position");
        if (db.isQuery() || db.isEdit())
            return queryOrEdit(db, position);
        auto modifier = std::make_shared<MDagModifier>();
        MStatus status;
        MObject transform = modifier->createNode("transform", MObject::kNullObj, &status);
        if (status)
            modifier->createNode("locator", transform, &status);
        if (!status || !edits.run(modifier))
            return fail("The locator could not be created.");
        Node* node = nodeOf(transform);
        std::string name = db.isFlagSet("name") ? db.flagArgumentString("name", 0).asChar() : "";
        // The shape gives up the transform's default name before the transform takes it.
        MObject shape = Scene::current().object(node->children.front());
        auto naming = std::make_shared<MDagModifier>();
        naming->renameNode(shape, "locatorShape#");
        naming->renameNode(transform, MString(name.empty() ? "locator#" : name.c_str()));
        edits.run(naming);
        auto shapeNaming = std::make_shared<MDagModifier>();
        shapeNaming->renameNode(shape, MString(shapeNameFor(node->name()).c_str()));
        edits.run(shapeNaming);
        if (db.isFlagSet("position") && !place(*node, position))
            return fail("The locator could not be placed.");
        MSelectionList list;
        MDagPath path;
        MDagPath::getAPathTo(transform, path);
        list.add(path);
        edits.select(list);
        MStringArray result;
        result.append(MString(nameOf(*node).c_str()));
        setResult(result);
        return MS::kSuccess;
    }

private:
    static MStatus fail(const std::string& text) {
        error("spaceLocator: " + text);
        return MS::kFailure;
    }

    bool place(Node& node, const MVector& position) {
        return edits.change(node, transformPlugs(), [&] {
            MFnTransform fn(Scene::current().object(&node));
            return static_cast<bool>(fn.setTranslation(position, MSpace::kTransform));
        });
    }

    MStatus queryOrEdit(const MArgDatabase& db, const MVector& position) {
        MSelectionList list;
        if (!objectsOf(db, list))
            return MS::kFailure;
        std::vector<Target> found = targets(list);
        if (found.empty() || !found.front().node->type().isA("transform"))
            return fail("No locator given.");
        Node& node = *found.front().node;
        if (db.isEdit())
            return place(node, position) ? MS::kSuccess : fail("The locator could not be placed.");
        const MVector t =
            MFnTransform(Scene::current().object(&node)).translation(MSpace::kTransform);
        MDoubleArray out;
        for (int k = 0; k < 3; ++k)
            out.append(MDistance::internalToUI(t[k]));
        setResult(out);
        return MS::kSuccess;
    }
};

// ---------------------------------------------------------------- shadingNode

const char* const kClassifications[][2] = {
    {"-as", "-asShader"}, {"-at", "-asTexture"},      {"-au", "-asUtility"},
    {"-al", "-asLight"},  {"-app", "-asPostProcess"},
};

bool isClassification(const std::string& word) {
    for (const auto& c : kClassifications)
        if (word == c[0] || word == c[1])
            return true;
    return false;
}

// The classification only sorts the node in the UI; what is made is what createNode makes,
// with the same flags, result and undo.
bool shadingNode(mel::CommandCall& call, const std::vector<mel::Value*>&) {
    mel::CommandCall forwarded;
    int classes = 0;
    for (const mel::Value& arg : call.args) {
        if (arg.type() == mel::Type::String && isClassification(arg.str()))
            ++classes;
        else
            forwarded.args.push_back(arg);
    }
    if (classes != 1) {
        error(
            "shadingNode: Exactly one of -asShader, -asTexture, -asUtility, -asLight or "
            "-asPostProcess must be used.");
        return false;
    }
    const mel::CommandEntry* createNode =
        mel::Interpreter::instance().runtime().findCommand("createNode");
    if (!createNode || !createNode->command(forwarded))
        return false;
    call.result = forwarded.result;
    call.hasResult = forwarded.hasResult;
    return true;
}

}  // namespace

void registerCreateCommands() {
    define<SpaceLocatorCommand>("spaceLocator", spaceLocatorSyntax);
    mel::Interpreter::instance().defineBuiltin("shadingNode", shadingNode);
}

}  // namespace commands
}  // namespace host
