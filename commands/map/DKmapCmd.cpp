#include "commands/map/DKmapCmd.h"

#include "commands/map/DKmapCmdOps.h"
#include "commands/map/DKmapStore.h"
#include "plugin/DKerrorFrame.h"
#include "plugin/DKexception.h"

#include <maya/MArgDatabase.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <memory>

namespace {

const char* const kDeleteMapFlag = "dm";
const char* const kDeleteAllMapsFlag = "dam";
const char* const kInsertFlag = "i";
const char* const kEraseFlag = "er";
const char* const kFindFlag = "f";
const char* const kExistsFlag = "ex";

std::string flagArgument(const MArgDatabase& database, const char* flag, unsigned index) {
    MString argument;
    checkStatus(database.getFlagArgument(flag, index, argument));
    return argument.asChar();
}

}  // namespace

const char* const DKmapCmd::commandName = "dkMap";

void* DKmapCmd::creator() {
    return new DKmapCmd;
}

MSyntax DKmapCmd::newSyntax() {
    MSyntax syntax;
    syntax.addFlag(kDeleteMapFlag, "deleteMap");
    syntax.addFlag(kDeleteAllMapsFlag, "deleteAllMaps");
    syntax.addFlag(kInsertFlag, "insert", MSyntax::kString, MSyntax::kString);
    syntax.addFlag(kEraseFlag, "erase", MSyntax::kString);
    syntax.addFlag(kFindFlag, "find", MSyntax::kString);
    syntax.addFlag(kExistsFlag, "exists");
    syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
    syntax.useSelectionAsDefault(false);
    return syntax;
}

void DKmapCmd::reset() {
    modifier_.clear();
    mapName_.clear();
    key_.clear();
    value_.clear();
    mode_ = kNoMode;
    undoable_ = true;
}

void DKmapCmd::parseArgs(const MArgList& args) {
    MStatus status;
    MArgDatabase database(syntax(), args, &status);
    if (status != MS::kSuccess) {
        throw DKsilentException();
    }

    MStringArray objects;
    database.getObjects(objects);
    if (objects.length() > 0) {
        mapName_ = objects[0].asChar();
    }

    unsigned flagCount = 0;
    if (database.isFlagSet(kDeleteMapFlag)) {
        ++flagCount;
        mode_ = kDeleteMap;
    }
    if (database.isFlagSet(kDeleteAllMapsFlag)) {
        ++flagCount;
        mode_ = kDeleteAllMaps;
    }
    if (database.isFlagSet(kFindFlag)) {
        ++flagCount;
        mode_ = kFind;
        undoable_ = false;
        key_ = flagArgument(database, kFindFlag, 0);
    }
    if (database.isFlagSet(kExistsFlag)) {
        ++flagCount;
        mode_ = kExists;
        undoable_ = false;
    }
    if (database.isFlagSet(kInsertFlag)) {
        ++flagCount;
        mode_ = kInsert;
        key_ = flagArgument(database, kInsertFlag, 0);
        value_ = flagArgument(database, kInsertFlag, 1);
    }
    if (database.isFlagSet(kEraseFlag)) {
        ++flagCount;
        mode_ = kErase;
        key_ = flagArgument(database, kEraseFlag, 0);
    }

    if (flagCount > 1) {
        throw DKbadArgumentException(
            "All flags are mutually exclusive, please only use one at a time.");
    }
    if (flagCount == 0) {
        mode_ = kCreateMap;
    }
}

// Queries answer here and append nothing; changes append their operation.
void DKmapCmd::appendOperation() {
    switch (mode_) {
        case kDeleteAllMaps:
            modifier_.addOperation(std::make_unique<DKmapCmdDeleteAllMapsOp>());
            break;
        case kCreateMap:
            if (mapName_.empty()) {
                mapName_ = uniqueMapName();
            }
            setResult(MString(mapName_.c_str()));
            modifier_.addOperation(std::make_unique<DKmapCmdCreateMapOp>(mapName_));
            break;
        case kDeleteMap:
            modifier_.addOperation(std::make_unique<DKmapCmdDeleteMapOp>(mapName_));
            break;
        case kFind: {
            const StringMap& map = getMap(mapName_);
            auto found = map.find(key_);
            if (found != map.end()) {
                setResult(MString(found->second.c_str()));
            }
            break;
        }
        case kExists:
            setResult(mapStore.count(mapName_) != 0);
            break;
        case kInsert:
            modifier_.addOperation(std::make_unique<DKmapCmdInsertOp>(mapName_, key_, value_));
            break;
        case kErase:
            modifier_.addOperation(std::make_unique<DKmapCmdEraseOp>(mapName_, key_));
            break;
        case kNoMode:
            break;
    }
}

MStatus DKmapCmd::doIt(const MArgList& args) {
    return errorFrame(commandName, [&] {
        setResult(MString());
        reset();
        parseArgs(args);
        appendOperation();
        modifier_.doIt();
        return MStatus(MS::kSuccess);
    });
}

MStatus DKmapCmd::undoIt() {
    return errorFrame(commandName, [&] {
        modifier_.undoIt();
        return MStatus(MS::kSuccess);
    });
}

MStatus DKmapCmd::redoIt() {
    return errorFrame(commandName, [&] {
        modifier_.doIt();
        return MStatus(MS::kSuccess);
    });
}
