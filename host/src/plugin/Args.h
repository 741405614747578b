#pragma once
// Command arguments as the script language hands them over, and the strict
// readings that argument checking uses: a text that is not wholly a number
// is not a number here, although the language itself would read it as 0.

#include "script/Value.h"

#include <maya/MArgList.h>
#include <maya/MSyntax.h>

#include <string>
#include <string_view>
#include <vector>

namespace host {
namespace plugin {

struct ArgListData {
    std::vector<mel::Value> values;
};

struct ArgListAccess {
    static MArgList fromValues(std::vector<mel::Value> values);
    static const std::vector<mel::Value>& values(const MArgList& args) {
        return args.fData->values;
    }
    // The values, leaving the list empty.
    static std::vector<mel::Value> take(MArgList& args) { return std::move(args.fData->values); }
};

bool readBool(const mel::Value& value, bool& result);
bool readInt(const mel::Value& value, int& result);
bool readDouble(const mel::Value& value, double& result);
bool readString(const mel::Value& value, std::string& result);
// A number of the given kind (kDistance, kAngle, kTime) in the current UI unit; the text may
// carry a unit word ("5cm", "45deg", "6ntsc") that overrides the UI unit for this value.
bool readMeasure(const mel::Value& value, MSyntax::MArgType type, double& result);

// A text that names a flag: a dash followed by something that does not start
// a number.
bool isFlagToken(const mel::Value& value);
// The name without its one leading dash.
std::string_view stripDash(std::string_view name);

// value as an array of arrayType: an array converted element by element, a
// scalar as an array of one. False when an element does not convert.
bool toArray(const mel::Value& value, mel::Type arrayType, mel::Value& result);

// text as a script string literal, quotes and escapes included.
std::string quoted(const std::string& text);
// The same, appended to out.
void appendQuoted(std::string& out, const std::string& text);

// The value checked and stored for an argument of the given kind: a bool or
// an integer as an int, a number of any unit as a float, names as texts.
bool convertArgument(const mel::Value& value, MSyntax::MArgType type, mel::Value& result);
// "a boolean", "an integer", ...
const char* describeArgType(MSyntax::MArgType type);

}  // namespace plugin
}  // namespace host
