#ifndef DK_COMMANDS_COPY_DKCOPYPLUGVALUECMD_H
#define DK_COMMANDS_COPY_DKCOPYPLUGVALUECMD_H

#include "operations/DKmayaModifier.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MPlug.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MSyntax.h>

// dkCopyPlugValue: copies the value of the first plug onto the second, as
// one undoable step.
class DKcopyPlugValueCmd : public MPxCommand {
public:
    static const char* const commandName;

    static void* creator();
    static MSyntax newSyntax();

    MStatus doIt(const MArgList& args) override;
    MStatus undoIt() override;
    MStatus redoIt() override;
    bool isUndoable() const override { return true; }

private:
    void parseArgs(const MArgList& args);
    void parseTargets(const MArgDatabase& database);

    DKmayaModifier operations_;
    MPlug source_;
    MPlug destination_;
};

#endif
