#pragma once
// Result of a host API call.

#include <maya/MTypes.h>

#include <iostream>

class MStatus;
class MString;

namespace MS {
enum MStatusCode {
    kSuccess = 0,
    kFailure,
    kInsufficientMemory,
    kInvalidParameter,
    kLicenseFailure,
    kUnknownParameter,
    kNotImplemented,
    kNotFound,
    kEndOfFile
};
}  // namespace MS

namespace host {
namespace foundation {
enum class StatusDetail : unsigned int;
MStatus statusWithDetail(StatusDetail detail);
}  // namespace foundation
}  // namespace host

class OPENMAYA_EXPORT MStatus {
public:
    typedef MS::MStatusCode MStatusCode;
    static constexpr MStatusCode kSuccess = MS::kSuccess;
    static constexpr MStatusCode kFailure = MS::kFailure;
    static constexpr MStatusCode kInsufficientMemory = MS::kInsufficientMemory;
    static constexpr MStatusCode kInvalidParameter = MS::kInvalidParameter;
    static constexpr MStatusCode kLicenseFailure = MS::kLicenseFailure;
    static constexpr MStatusCode kUnknownParameter = MS::kUnknownParameter;
    static constexpr MStatusCode kNotImplemented = MS::kNotImplemented;
    static constexpr MStatusCode kNotFound = MS::kNotFound;
    static constexpr MStatusCode kEndOfFile = MS::kEndOfFile;

    MStatus();
    MStatus(MStatusCode code);
    MStatus(const MStatus& other);
    MStatus& operator=(const MStatus& other);

    bool operator==(const MStatus& other) const;
    bool operator==(MStatusCode code) const;
    bool operator!=(const MStatus& other) const;
    bool operator!=(MStatusCode code) const;
    operator bool() const;

    bool error() const;
    void clear();
    MStatusCode statusCode() const;
    MString errorString() const;
    void perror(const char* prefix) const;
    void perror(const MString& prefix) const;

    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, MStatus& status);

private:
    friend MStatus host::foundation::statusWithDetail(host::foundation::StatusDetail detail);
    // Index into the host's table of status texts; several entries may share one code.
    unsigned int fInternalStatusCode;
};

inline bool operator==(MS::MStatusCode code, const MStatus& status) {
    return status == code;
}
inline bool operator!=(MS::MStatusCode code, const MStatus& status) {
    return status != code;
}

#define CHECK_MSTATUS_AND_RETURN(_status, _retVal)                                         \
    {                                                                                      \
        MStatus _maya_status = (_status);                                                  \
        if (MStatus::kSuccess != _maya_status) {                                           \
            std::cerr << "\nAPI error detected in " << __FILE__ << " at line " << __LINE__ \
                      << std::endl;                                                        \
            _maya_status.perror("");                                                       \
            return (_retVal);                                                              \
        }                                                                                  \
    }

#define CHECK_MSTATUS_AND_RETURN_IT(_status) CHECK_MSTATUS_AND_RETURN((_status), (_status))

#define CHECK_MSTATUS(_status)                                                             \
    {                                                                                      \
        MStatus _maya_status = (_status);                                                  \
        if (MStatus::kSuccess != _maya_status) {                                           \
            std::cerr << "\nAPI error detected in " << __FILE__ << " at line " << __LINE__ \
                      << std::endl;                                                        \
            _maya_status.perror("");                                                       \
        }                                                                                  \
    }

#define MStatusAssert(_cond, _msg)                                                               \
    {                                                                                            \
        if (!(_cond)) {                                                                          \
            std::cerr << "\nAssertion failed in " << __FILE__ << " at line " << __LINE__ << ": " \
                      << _msg << std::endl;                                                      \
        }                                                                                        \
    }

#define MAssert(_cond, _msg) MStatusAssert((_cond), (_msg))
