#ifndef DK_COMMANDS_INFO_DKNODEINFOCMD_H
#define DK_COMMANDS_INFO_DKNODEINFOCMD_H

#include "scene/DKmayaObject.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MSyntax.h>

// dkNodeInfo: answers a yes/no question about one node. It changes nothing
// and is not undoable.
class DKnodeInfoCmd : public MPxCommand {
public:
    static const char* const commandName;

    static void* creator();
    static MSyntax newSyntax();

    MStatus doIt(const MArgList& args) override;
    bool isUndoable() const override { return false; }

private:
    enum class Query { kNone, kShared };

    void parseArgs(const MArgList& args);
    void parseTargets(const MArgDatabase& database);

    Query query_ = Query::kNone;
    DKmayaObject target_;
};

#endif
