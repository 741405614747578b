#include "plugin/DKexception.h"

#include <maya/MString.h>

#include <sstream>

DKmayaException::DKmayaException(const MStatus& status)
    : DKexception(status.errorString().asChar()) {}

void checkStatus(const MStatus& status, const std::string& context) {
    if (status == MS::kSuccess) {
        return;
    }
    std::stringstream message;
    message << context << ": " << status;
    throw DKmayaException(message.str());
}

void checkStatus(const MStatus& status) {
    if (status != MS::kSuccess) {
        throw DKmayaException(status);
    }
}
