#ifndef HOST_FILES_ATTRIBUTETEXTS_H
#define HOST_FILES_ATTRIBUTETEXTS_H

// The host's own script texts for attributes: the setAttr lines that give
// a plug its value and the addAttr lines that recreate a dynamic attribute.
// MPlug::getSetAttrCmds, MFnAttribute::getAddAttrCmd and the scene file
// writer all come here, so a scene file says exactly what the API says.

#include "graph/Attribute.h"
#include "graph/Plug.h"

#include <string>
#include <vector>

namespace host {
namespace files {

// How a number is shown: as it is stored, or converted to the UI unit of
// its family. Floats are shown with the digits a float needs.
enum class NumberKind { kInteger, kFloat, kDouble, kDistance, kAngle, kTime };

NumberKind numberKindOf(const Attribute& attribute);
// The shortest text that reads back as exactly `internal` (a value in the
// host's internal units) once converted from the UI unit again.
std::string numberText(double internal, NumberKind kind);

struct SetAttrOptions {
    // Every value (the plug's current one), or only what a scene file keeps:
    // storable, uncomputed plugs whose stored value is not the default.
    bool onlyNonDefault = false;
    bool longNames = false;
};

// The setAttr texts for the plug and everything below it, each naming its
// plug as a full stop and the plug's partial name followed by the way down
// (children and element indices), as scene files do.
std::vector<std::string> setAttrTexts(const PlugRef& plug, const SetAttrOptions& options);

// The addAttr text for the attribute alone (a compound's children get their
// own texts, which name it with -p).
std::string addAttrText(const Attribute& attribute, bool longFlags);
// The attribute's text followed by those of its children, depth first.
std::vector<std::string> addAttrTexts(const Attribute& attribute, bool longFlags);

}  // namespace files
}  // namespace host

#endif
