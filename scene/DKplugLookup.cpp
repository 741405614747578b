#include "scene/DKplugLookup.h"

#include "plugin/DKexception.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MStatus.h>

#include <sstream>

MPlug findNodePlug(const MObject& node, const MString& attributeName, unsigned int elementIndex,
                   bool networked) {
    MStatus status;
    MFnDependencyNode fn(node, &status);
    checkStatus(status, "Error getting function set.");
    MPlug plug = fn.findPlug(attributeName, networked, &status);
    if (status != MS::kSuccess) {
        std::stringstream message;
        message << "Error finding plug for " << fn.name().asChar() << "." << attributeName.asChar()
                << ".";
        throw DKmayaException(message.str());
    }
    selectPlugElement(plug, elementIndex);
    return plug;
}

void selectPlugElement(MPlug& plug, unsigned int elementIndex) {
    if (elementIndex == kNoLogicalIndex) {
        return;
    }
    if (!plug.isArray()) {
        std::stringstream message;
        message << plug.name().asChar() << " is not an array attribute - index " << elementIndex
                << " can not be retrieved.";
        throw DKbadArgumentException(message.str());
    }
    // The array's name goes into the message, so it is taken before the
    // plug is narrowed.
    const MString arrayName = plug.name();
    MStatus status;
    plug = plug.elementByLogicalIndex(elementIndex, &status);
    if (status != MS::kSuccess) {
        std::stringstream message;
        message << "Unable to get index " << elementIndex << " of attribute " << arrayName.asChar()
                << ".";
        throw DKmayaException(message.str());
    }
}
