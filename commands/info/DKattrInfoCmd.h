#ifndef DK_COMMANDS_INFO_DKATTRINFOCMD_H
#define DK_COMMANDS_INFO_DKATTRINFOCMD_H

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MPlug.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>

// dkAttrInfo: answers one question about one plug, a yes or no folded over
// the plug and its compound ancestors when asked to, or the name of the
// plug's parent attribute. It changes nothing and is not undoable.
class DKattrInfoCmd : public MPxCommand {
public:
    static const char* const commandName;

    static void* creator();
    static MSyntax newSyntax();

    MStatus doIt(const MArgList& args) override;
    bool isUndoable() const override { return false; }

    // In the order of the main flags.
    enum Query {
        kInstanced,
        kPerParticle,
        kGeneric,
        kWritable,
        kMessage,
        kConnectable,
        kParent,
        kMulti,
        kMultiElement,
        kNone
    };

private:
    void parseArgs(const MArgList& args);
    void parseTargets(const MArgDatabase& database);
    bool answer(const MPlug& plug) const;
    bool combineAncestorResult(bool soFar, bool value) const;
    static MString parentAttributeName(const MPlug& plug);

    Query query_ = kNone;
    MPlug target_;
    bool booleanResult_ = true;
    bool anyAncestors_ = false;
    bool allAncestors_ = false;
};

#endif
