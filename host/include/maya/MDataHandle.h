#ifndef MINIMAYA_MDATAHANDLE_H
#define MINIMAYA_MDATAHANDLE_H

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MFnData.h>
#include <maya/MFnNumericData.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTime.h>
#include <maya/MVector.h>

#include <memory>

namespace host {
struct DataHandleState;
struct DataHandleAccess;
}  // namespace host

// A value of one attribute inside a node's data block, or a free-standing
// value handed to a node (setInternalValueInContext).
class MDataHandle {
public:
    MDataHandle();
    MDataHandle(const MDataHandle& other);
    MDataHandle& operator=(const MDataHandle& other);
    ~MDataHandle();

    bool isNumeric() const;
    MFnNumericData::Type numericType() const;
    MFnData::Type type() const;
    MObject attribute();

    bool& asBool() const;
    char& asChar() const;
    short& asShort() const;
    int& asInt() const;
    float& asFloat() const;
    double& asDouble() const;
    MDistance asDistance() const;
    MAngle asAngle() const;
    MTime asTime() const;
    MMatrix& asMatrix() const;
    MVector& asVector() const;
    MString& asString() const;
    MObject data();

    void set(bool value);
    void set(char value);
    void set(short value);
    void set(int value);
    void set(float value);
    void set(double value);
    void set(const MMatrix& value);
    void set(const MDistance& value);
    void set(const MAngle& value);
    void set(const MTime& value);
    void set(double x, double y, double z);
    void set(const MString& value);
    MStatus set(const MObject& data);
    void setClean();

private:
    friend struct host::DataHandleAccess;
    // An empty handle answers with zero values instead of failing.
    host::DataHandleState& state() const;
    mutable std::shared_ptr<host::DataHandleState> m_state;
};

#endif
