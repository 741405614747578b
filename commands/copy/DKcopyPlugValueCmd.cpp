#include "commands/copy/DKcopyPlugValueCmd.h"

#include "commands/copy/DKcopyPlugValue.h"
#include "plugin/DKerrorFrame.h"
#include "plugin/DKexception.h"

#include <maya/MSelectionList.h>

const char* const DKcopyPlugValueCmd::commandName = "dkCopyPlugValue";

void* DKcopyPlugValueCmd::creator() {
    return new DKcopyPlugValueCmd;
}

MSyntax DKcopyPlugValueCmd::newSyntax() {
    MSyntax syntax;
    syntax.setObjectType(MSyntax::kSelectionList, 2, 2);
    syntax.useSelectionAsDefault(true);
    return syntax;
}

void DKcopyPlugValueCmd::parseArgs(const MArgList& args) {
    MStatus status;
    MArgDatabase database(syntax(), args, &status);
    if (status != MS::kSuccess) {
        throw DKsilentException();
    }
    parseTargets(database);
}

void DKcopyPlugValueCmd::parseTargets(const MArgDatabase& database) {
    MSelectionList list;
    checkStatus(database.getObjects(list));
    if (list.length() != 2 || list.getPlug(0, source_) != MS::kSuccess || source_.isNull() ||
        list.getPlug(1, destination_) != MS::kSuccess || destination_.isNull()) {
        throw DKbadArgumentException(
            "The dkCopyPlugValue command requires two plugs be specified as command targets.");
    }
}

MStatus DKcopyPlugValueCmd::doIt(const MArgList& args) {
    return errorFrame(commandName, [&] {
        clearResult();
        parseArgs(args);
        copyPlugValue(source_, destination_, operations_);
        return MStatus(MS::kSuccess);
    });
}

MStatus DKcopyPlugValueCmd::undoIt() {
    return errorFrame(commandName, [&] {
        operations_.undoIt();
        return MStatus(MS::kSuccess);
    });
}

MStatus DKcopyPlugValueCmd::redoIt() {
    return errorFrame(commandName, [&] {
        operations_.doIt();
        return MStatus(MS::kSuccess);
    });
}
