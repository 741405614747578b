#pragma once
// One command call checked against its command's syntax: which flags were
// given with which arguments, the command arguments and the objects.
// Building it reports every problem of the call as the host's error line
// and leaves a failure status; the readers then fail too.

#include <maya/MArgList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

class MAngle;
class MDistance;
class MStringArray;
class MTime;

namespace host {
namespace plugin {
struct ParsedArgs;
}
}  // namespace host

class OPENMAYA_EXPORT MArgParser {
public:
    MArgParser(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus = NULL);
    virtual ~MArgParser();

    // Flags are named by their short or long name, with or without the dash.
    bool isFlagSet(const char* flag, MStatus* ReturnStatus = NULL) const;
    bool isEdit(MStatus* ReturnStatus = NULL) const;
    bool isQuery(MStatus* ReturnStatus = NULL) const;
    unsigned int numberOfFlagsUsed() const;
    unsigned int numberOfFlagUses(const char* flag) const;

    MStatus getFlagArgument(const char* flag, unsigned int index, bool& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, int& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, unsigned int& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, double& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MString& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MDistance& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MAngle& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MTime& result) const;

    bool flagArgumentBool(const char* flag, unsigned int index, MStatus* ReturnStatus = NULL) const;
    int flagArgumentInt(const char* flag, unsigned int index, MStatus* ReturnStatus = NULL) const;
    double flagArgumentDouble(const char* flag, unsigned int index,
                              MStatus* ReturnStatus = NULL) const;
    MString flagArgumentString(const char* flag, unsigned int index,
                               MStatus* ReturnStatus = NULL) const;

    // The arguments of the i-th use of a multi-use flag.
    MStatus getFlagArgumentList(const char* flag, unsigned int i, MArgList& args) const;

    MStatus getCommandArgument(unsigned int index, bool& result) const;
    MStatus getCommandArgument(unsigned int index, int& result) const;
    MStatus getCommandArgument(unsigned int index, double& result) const;
    MStatus getCommandArgument(unsigned int index, MString& result) const;
    MStatus getCommandArgument(unsigned int index, MDistance& result) const;
    MStatus getCommandArgument(unsigned int index, MAngle& result) const;
    MStatus getCommandArgument(unsigned int index, MTime& result) const;

    bool commandArgumentBool(unsigned int index, MStatus* ReturnStatus = NULL) const;
    int commandArgumentInt(unsigned int index, MStatus* ReturnStatus = NULL) const;
    double commandArgumentDouble(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MString commandArgumentString(unsigned int index, MStatus* ReturnStatus = NULL) const;

    // The objects as given (or the names of the selected items when the
    // selection stood in for them).
    MStatus getObjects(MStringArray& result) const;

protected:
    MArgParser();
    host::plugin::ParsedArgs* fParsed;

private:
    MArgParser(const MArgParser&);
    MArgParser& operator=(const MArgParser&);
};
