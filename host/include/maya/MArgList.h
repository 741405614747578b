#pragma once
// The arguments of one command call, in order: flags (texts that begin with
// a dash) and values. Readers convert between kinds where the script
// language would (a number from its text, a text from a number).

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class MAngle;
class MDistance;
class MDoubleArray;
class MIntArray;
class MMatrix;
class MStringArray;
class MTime;
class MVector;

namespace host {
namespace plugin {
struct ArgListData;
struct ArgListAccess;
}  // namespace plugin
}  // namespace host

class OPENMAYA_EXPORT MArgList {
public:
    static const unsigned int kInvalidArgIndex;

    MArgList();
    MArgList(const MArgList& other);
    MArgList& operator=(const MArgList& other);
    ~MArgList();

    unsigned int length(MStatus* ReturnStatus = NULL) const;

    bool asBool(unsigned int index, MStatus* ReturnStatus = NULL) const;
    int asInt(unsigned int index, MStatus* ReturnStatus = NULL) const;
    double asDouble(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MString asString(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MDistance asDistance(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MAngle asAngle(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MTime asTime(unsigned int index, MStatus* ReturnStatus = NULL) const;
    // The readers below consume as many arguments as they need and move the
    // index past them.
    MVector asVector(unsigned int& index, unsigned int numElements = 3,
                     MStatus* ReturnStatus = NULL) const;
    MMatrix asMatrix(unsigned int& index, MStatus* ReturnStatus = NULL) const;
    MStringArray asStringArray(unsigned int& index, MStatus* ReturnStatus = NULL) const;
    MIntArray asIntArray(unsigned int& index, MStatus* ReturnStatus = NULL) const;
    MDoubleArray asDoubleArray(unsigned int& index, MStatus* ReturnStatus = NULL) const;

    // Index of the flag (short or long name, with or without the dash), or
    // kInvalidArgIndex.
    unsigned int flagIndex(const char* shortFlag, const char* longFlag = NULL) const;

    MStatus addArg(bool arg);
    MStatus addArg(int arg);
    MStatus addArg(double arg);
    MStatus addArg(const MString& arg);
    MStatus addArg(const MDistance& arg);
    MStatus addArg(const MAngle& arg);
    MStatus addArg(const MTime& arg);
    MStatus addArg(const MVector& arg);
    MStatus addArg(const MMatrix& arg);

private:
    friend struct host::plugin::ArgListAccess;
    host::plugin::ArgListData* fData;
};
