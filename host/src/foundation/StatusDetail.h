#pragma once
// Host-internal reasons for a failed MStatus. Each carries its own code and text, so host code can
// report the precise reason the way the host does ("No element at given index") while plug-ins
// still only see the MStatusCode.

#include <maya/MStatus.h>

namespace host {
namespace foundation {

enum class StatusDetail : unsigned int {
    // One entry per MStatusCode, same numeric value: what a status built from a bare code reports.
    kSuccess = 0,
    kFailure,
    kInsufficientMemory,
    kInvalidParameter,
    kLicenseFailure,
    kUnknownParameter,
    kNotImplemented,
    kNotFound,
    kEndOfFile,
    // Refinements.
    kNoElementAtIndex,
    kNullArgument,
    kObjectDoesNotExist,
    kLast
};

// The status the host returns for this reason.
MStatus statusWithDetail(StatusDetail detail);

}  // namespace foundation
}  // namespace host
