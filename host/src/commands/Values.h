#ifndef HOST_COMMANDS_VALUES_H
#define HOST_COMMANDS_VALUES_H
// Plug values as scripts see them: numbers of distance, angle and time
// attributes in the UI units that currentUnit sets, data as arrays, and the
// value forms of setAttr.

#include "graph/Node.h"
#include "script/Value.h"

#include <string>
#include <vector>

namespace host {
namespace commands {

// A number of the attribute in internal units shown in UI units, and back.
double toUi(const Attribute& attribute, double internal);
double fromUi(const Attribute& attribute, double ui);
// The value a leaf plug of the attribute keeps for a number.
Value numberValue(const Attribute& attribute, double number);

bool isNumericLeaf(const Attribute& attribute);
// The leaf plugs below a resolved plug, in child order (the plug itself for
// a leaf); false when one of them is not a number.
bool numericLeaves(const PlugRef& plug, std::vector<PlugRef>& leaves);

// The type name getAttr -type shows and setAttr -type and addAttr take:
// "double", "double3", "doubleLinear", "string", "matrix", "TdataCompound"...
std::string typeName(const Attribute& attribute);

// The value getAttr gives for a plug; false with the reason when there is
// none to give.
bool readForScript(const PlugRef& plug, bool enumAsString, mel::Value& result,
                   std::string& problem);

// Hands a value to the running command as its result.
void setCommandResult(const mel::Value& value);

// What setAttr writes: the leaf values to assign, read from the words of the
// call. Consumes the words it uses from `next`.
struct Assignment {
    PlugRef plug;
    Value value;
};
struct ValueWords {
    const std::vector<std::string>& words;
    size_t next = 0;
    std::string type;  // the -type argument, empty when none
    bool left() const { return next < words.size(); }
};
// Reads the value of one plug; false with the reason ("Error reading data
// element number 2: abc", "Not enough data was provided.").
bool readAssignment(const PlugRef& plug, ValueWords& words, std::vector<Assignment>& out,
                    std::string& problem);

}  // namespace commands
}  // namespace host

#endif
