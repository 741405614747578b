#ifndef DK_COMMANDS_COPY_DKCOPYATTRCMD_H
#define DK_COMMANDS_COPY_DKCOPYATTRCMD_H

#include "operations/DKmayaModifier.h"

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MPlug.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <string>

// dkCopyAttr: copies the definition of one attribute onto a node, as one
// undoable step. The attribute is not rebuilt through the function sets: the
// host's own add-attribute texts for it are rewritten (prefix, forced
// settings, the target node) and run, so the copy is whatever the host
// would recreate.
class DKcopyAttrCmd : public MPxCommand {
public:
    static const char* const commandName;

    static void* creator();
    static MSyntax newSyntax();

    MStatus doIt(const MArgList& args) override;
    MStatus undoIt() override;
    MStatus redoIt() override;
    bool isUndoable() const override { return true; }

private:
    // Unset keeps what the source definition says.
    enum Setting { kUnset = 0, kTrue = 1, kFalse = 2 };

    void parseArgs(const MArgList& args);
    void parseTargets(const MArgDatabase& database);
    void rewriteAddAttrCmds(MStringArray& commands) const;
    std::string prefixed(const std::string& name) const;

    DKmayaModifier operations_;
    MPlug source_;
    std::string prefix_;
    bool capitalize_ = false;
    std::string target_;
    Setting writable_ = kUnset;
    Setting readable_ = kUnset;
    Setting hidden_ = kUnset;
};

#endif
