#include "plugin/DKerrorFrame.h"

#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <sstream>

void displayEntryPointError(const std::string& name, const char* separator,
                            const std::string& message) noexcept {
    // Called from inside the frame's handlers: if even the report cannot be
    // built, the failure status has to speak for itself.
    try {
        std::stringstream text;
        text << name << separator << message;
        MGlobal::displayError(MString(text.str().c_str()));
    } catch (...) {
    }
}
