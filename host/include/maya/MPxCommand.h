#pragma once
// Base of a command written in a plug-in. The host makes a fresh object for
// every call through the creator given to MFnPlugin::registerCommand, calls
// doIt, and keeps undoable objects in its undo queue for undoIt and redoIt.
// The result functions set the result of the command that is running.

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

class MArgList;
class MDoubleArray;
class MIntArray;
class MStringArray;

namespace host {
namespace plugin {
struct CommandAccess;
}
}  // namespace host

class OPENMAYA_EXPORT MPxCommand {
public:
    enum MResultType { kLong, kDouble, kString, kNoArg };

    MPxCommand();
    virtual ~MPxCommand();

    virtual MStatus doIt(const MArgList& args) = 0;
    virtual MStatus undoIt();
    virtual MStatus redoIt();
    virtual bool isUndoable() const;
    virtual bool hasSyntax() const;

    // The syntax registered with the command (empty when none was).
    MSyntax syntax() const;

    bool isHistoryOn() const;
    MStatus setHistoryOn(bool state);
    // The text shown for this command by undo, redo and undoInfo; by default
    // the call as it was made.
    MString commandString() const;
    MStatus setCommandString(const MString& command);

    static void displayInfo(const MString& theInfo);
    static void displayWarning(const MString& theWarning);
    static void displayError(const MString& theError);

    static void clearResult();
    static void setResult(unsigned int val);
    static void setResult(int val);
    static void setResult(double val);
    static void setResult(bool val);
    static void setResult(const char* val);
    static void setResult(const MString& val);
    static void setResult(const MDoubleArray& val);
    static void setResult(const MIntArray& val);
    static void setResult(const MStringArray& val);
    // Appending turns the result into an array of the appended kind.
    static void appendToResult(int val);
    static void appendToResult(double val);
    static void appendToResult(bool val);
    static void appendToResult(const char* val);
    static void appendToResult(const MString& val);

    static bool isCurrentResultArray();
    static MResultType currentResultType();
    static int currentIntResult(MStatus* ReturnStatus = NULL);
    static double currentDoubleResult(MStatus* ReturnStatus = NULL);
    static MString currentStringResult(MStatus* ReturnStatus = NULL);
    static MStatus getCurrentResult(MIntArray& val);
    static MStatus getCurrentResult(MDoubleArray& val);
    static MStatus getCurrentResult(MStringArray& val);

private:
    MPxCommand(const MPxCommand&);
    MPxCommand& operator=(const MPxCommand&);

    friend struct host::plugin::CommandAccess;
    MSyntax fSyntax;
    MString fCommandString;
    bool fHistoryOn;
};
