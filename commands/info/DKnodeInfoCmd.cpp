#include "commands/info/DKnodeInfoCmd.h"

#include "plugin/DKerrorFrame.h"
#include "plugin/DKexception.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

namespace {

const char* const kSharedFlag = "shd";

const char* const kOneTargetMessage =
    "The dkNodeInfo command requires one node to be specified as command target.";
const char* const kNotFoundMessage = "Target node can not be found.";

}  // namespace

const char* const DKnodeInfoCmd::commandName = "dkNodeInfo";

void* DKnodeInfoCmd::creator() {
    return new DKnodeInfoCmd;
}

MSyntax DKnodeInfoCmd::newSyntax() {
    MSyntax syntax;
    syntax.addFlag(kSharedFlag, "shared");
    syntax.setObjectType(MSyntax::kStringObjects, 1, 1);
    syntax.useSelectionAsDefault(true);
    return syntax;
}

void DKnodeInfoCmd::parseArgs(const MArgList& args) {
    MStatus status;
    MArgDatabase database(syntax(), args, &status);
    if (status != MS::kSuccess) {
        throw DKsilentException();
    }
    if (!database.isFlagSet(kSharedFlag)) {
        // "a a single" is the module's own text, which users' scripts match:
        // kept as it has always been, not corrected.
        throw DKbadArgumentException(
            "No command flags specified. The dkNodeInfo command requires that a a single main "
            "command flag be specified.");
    }
    query_ = Query::kShared;
    parseTargets(database);
}

void DKnodeInfoCmd::parseTargets(const MArgDatabase& database) {
    MStringArray names;
    checkStatus(database.getObjects(names));
    if (names.length() != 1) {
        throw DKbadArgumentException(kOneTargetMessage);
    }
    MSelectionList matches;
    checkStatus(MGlobal::getSelectionListByName(names[0], matches), kNotFoundMessage);
    if (matches.length() != 1) {
        throw DKbadArgumentException(kNotFoundMessage);
    }
    MObject node;
    const MStatus found = matches.getDependNode(0, node);
    target_ = DKmayaObject(node);
    if (found != MS::kSuccess || !target_.isValid()) {
        throw DKbadArgumentException(kOneTargetMessage);
    }
}

MStatus DKnodeInfoCmd::doIt(const MArgList& args) {
    return errorFrame(commandName, [&] {
        clearResult();
        parseArgs(args);
        bool answer = false;
        if (query_ == Query::kShared) {
            MFnDependencyNode node(target_.object());
            answer = node.isShared();
        }
        setResult(answer);
        return MStatus(MS::kSuccess);
    });
}
