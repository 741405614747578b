#pragma once
// The grammar of a command: its flags with their argument types, its
// command arguments and the kind and number of objects it accepts. The host
// checks every call against it when an MArgDatabase is built.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

namespace host {
namespace plugin {
struct SyntaxData;
struct SyntaxAccess;
}  // namespace plugin
}  // namespace host

class MSyntax;

// Makes the syntax of a command (MFnPlugin::registerCommand).
typedef MSyntax (*MCreateSyntaxFunction)();

class OPENMAYA_EXPORT MSyntax {
public:
    enum MArgType {
        kInvalidArgType = 0,
        kNoArg,
        kBoolean,
        kLong,
        kDouble,
        kString,
        kUnsigned,
        kDistance,
        kAngle,
        kTime,
        kSelectionItem,
        kLastArgType
    };

    enum MObjectFormat {
        kInvalidObjectFormat = 0,
        kNone,
        kStringObjects,
        kSelectionList,
        kLastObjectFormat
    };

    MSyntax();
    MSyntax(const MSyntax& other);
    MSyntax& operator=(const MSyntax& other);
    ~MSyntax();

    // Flag names are given with or without the leading dash; a call may use
    // either name, always with the dash. A flag takes up to six arguments.
    MStatus addFlag(const char* shortName, const char* longName, MArgType argType1 = kNoArg,
                    MArgType argType2 = kNoArg, MArgType argType3 = kNoArg,
                    MArgType argType4 = kNoArg, MArgType argType5 = kNoArg,
                    MArgType argType6 = kNoArg);
    MStatus makeFlagMultiUse(const char* flagName);
    MStatus makeFlagQueryWithFullArgs(const char* flagName, bool forceQueryWithFullArgs);

    // Command arguments come after the flags, before any objects.
    MStatus addArg(MArgType arg);

    // Without a maximum, any number of objects from the minimum up is accepted.
    MStatus setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects = 0,
                          unsigned int maximumObjects = 0xFFFFFFFFu);
    void setMinObjects(unsigned int minimumObjectCount);
    void setMaxObjects(unsigned int maximumObjectCount);
    // With no object on the command line, the active selection stands in.
    void useSelectionAsDefault(bool useSelectionAsDefault);

    // Adds the "-q"/"-query" and "-e"/"-edit" flags.
    void enableQuery(bool supportsQuery = true);
    void enableEdit(bool supportsEdit = true);

private:
    friend struct host::plugin::SyntaxAccess;
    host::plugin::SyntaxData* fData;
};
