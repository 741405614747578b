#ifndef DK_COMMANDS_MAP_DKMAPCMD_H
#define DK_COMMANDS_MAP_DKMAPCMD_H

#include "operations/DKmayaModifier.h"

#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MSyntax.h>

#include <string>

enum MapCmdMode {
    kCreateMap = 0,
    kDeleteMap = 1,
    kDeleteAllMaps = 2,
    kInsert = 3,
    kErase = 4,
    kFind = 5,
    kExists = 6,
    kNoMode = 7
};

// dkMap: creates, fills, queries and deletes the named maps of the map store.
// Every change is one operation in the command's modifier, so the host's undo
// queue can undo and redo it; find and exists change nothing and are not
// undoable.
class DKmapCmd : public MPxCommand {
public:
    static const char* const commandName;

    static void* creator();
    static MSyntax newSyntax();

    MStatus doIt(const MArgList& args) override;
    MStatus undoIt() override;
    MStatus redoIt() override;
    bool isUndoable() const override { return undoable_; }

private:
    void reset();
    void parseArgs(const MArgList& args);
    void appendOperation();

    DKmayaModifier modifier_;
    std::string mapName_;
    std::string key_;
    std::string value_;
    MapCmdMode mode_ = kNoMode;
    bool undoable_ = true;
};

#endif
