#include <maya/MStatus.h>
#include <maya/MString.h>

#include "foundation/StatusDetail.h"

namespace {

struct StatusEntry {
    MS::MStatusCode code;
    const char* text;
};

// Indexed by StatusDetail.
constexpr StatusEntry kStatusTable[] = {
    {MS::kSuccess, "(kSuccess): No error"},
    {MS::kFailure, "(kFailure): Unexpected Internal Failure"},
    {MS::kInsufficientMemory, "(kInsufficientMemory): Insufficient Memory"},
    {MS::kInvalidParameter, "(kInvalidParameter): Object is incompatible with this method"},
    {MS::kLicenseFailure, "(kLicenseFailure): License Failure"},
    {MS::kUnknownParameter, "(kUnknownParameter): Unknown Parameter"},
    {MS::kNotImplemented, "(kNotImplemented): Not Implemented"},
    {MS::kNotFound, "(kNotFound): Object not found"},
    {MS::kEndOfFile, "(kEndOfFile): End of file"},
    {MS::kInvalidParameter, "(kInvalidParameter): No element at given index"},
    {MS::kInvalidParameter, "(kInvalidParameter): Argument is a NULL pointer"},
    {MS::kFailure, "(kFailure): Object does not exist"},
};
static_assert(sizeof(kStatusTable) / sizeof(kStatusTable[0]) ==
                  static_cast<unsigned int>(host::foundation::StatusDetail::kLast),
              "one text per status detail");

const StatusEntry& entryFor(unsigned int index) {
    constexpr unsigned int count = sizeof(kStatusTable) / sizeof(kStatusTable[0]);
    return kStatusTable[index < count ? index : static_cast<unsigned int>(MS::kFailure)];
}

unsigned int indexForCode(MS::MStatusCode code) {
    unsigned int index = static_cast<unsigned int>(code);
    // A code outside the enum (a cast integer) reads as a plain failure, never out of the table.
    return index <= static_cast<unsigned int>(MS::kEndOfFile)
               ? index
               : static_cast<unsigned int>(MS::kFailure);
}

}  // namespace

namespace host {
namespace foundation {

MStatus statusWithDetail(StatusDetail detail) {
    MStatus status;
    status.fInternalStatusCode = static_cast<unsigned int>(detail);
    return status;
}

}  // namespace foundation
}  // namespace host

MStatus::MStatus() : fInternalStatusCode(static_cast<unsigned int>(MS::kSuccess)) {}

MStatus::MStatus(MStatusCode code) : fInternalStatusCode(indexForCode(code)) {}

MStatus::MStatus(const MStatus& other) = default;

MStatus& MStatus::operator=(const MStatus& other) = default;

bool MStatus::operator==(const MStatus& other) const {
    return statusCode() == other.statusCode();
}

bool MStatus::operator==(MStatusCode code) const {
    return statusCode() == code;
}

bool MStatus::operator!=(const MStatus& other) const {
    return !(*this == other);
}

bool MStatus::operator!=(MStatusCode code) const {
    return !(*this == code);
}

MStatus::operator bool() const {
    return !error();
}

bool MStatus::error() const {
    return statusCode() != MS::kSuccess;
}

void MStatus::clear() {
    fInternalStatusCode = static_cast<unsigned int>(MS::kSuccess);
}

MStatus::MStatusCode MStatus::statusCode() const {
    return entryFor(fInternalStatusCode).code;
}

MString MStatus::errorString() const {
    return MString(entryFor(fInternalStatusCode).text);
}

void MStatus::perror(const char* prefix) const {
    std::cerr << (prefix ? prefix : "") << ": " << entryFor(fInternalStatusCode).text << std::endl;
}

void MStatus::perror(const MString& prefix) const {
    perror(prefix.asChar());
}

std::ostream& operator<<(std::ostream& os, MStatus& status) {
    return os << entryFor(status.fInternalStatusCode).text;
}
