#include "plugin/DKexception.h"

#include <maya/MString.h>

#include <sstream>

DKmayaException::DKmayaException(const MStatus& status)
    : DKexception(status.errorString().asChar()) {}

void checkStatus(const MStatus& status, const std::string& context) {
    if (status == MS::kSuccess) {
        return;
    }
    // The host's stream operator takes a non-const status; a const one would
    // be streamed through its bool conversion instead.
    MStatus streamed(status);
    std::stringstream message;
    message << context << ": " << streamed;
    throw DKmayaException(message.str());
}

void checkStatus(const MStatus& status) {
    if (status != MS::kSuccess) {
        throw DKmayaException(status);
    }
}
