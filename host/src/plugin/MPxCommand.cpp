#include "foundation/Output.h"
#include "plugin/Args.h"
#include "plugin/CommandBridge.h"
#include "plugin/CommandResult.h"

#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>

#include <string>
#include <vector>

using host::mel::Type;
using host::mel::Value;

namespace {

struct ResultSlot {
    Value value;
    bool has = false;
    bool boolean = false;
};

// The innermost slot is the current result; the first one catches results set
// outside of any command.
std::vector<ResultSlot>& slots() {
    static std::vector<ResultSlot> stack(1);
    return stack;
}

ResultSlot& current() {
    return slots().back();
}

void set(Value value, bool boolean = false) {
    current().value = std::move(value);
    current().has = true;
    current().boolean = boolean;
}

// Appending makes the result an array of the appended value's kind, keeping
// what was there converted to that kind (or dropping it when it does not
// convert).
void append(const Value& item) {
    const Type arrayType = Value::arrayOf(item.type());
    Value array = Value::defaultOf(arrayType);
    if (current().has) {
        Value existing;
        if (host::plugin::toArray(current().value, arrayType, existing)) {
            array = existing;
        }
    }
    array.setElement(array.size(), item);
    set(array);
}

std::vector<std::string> texts(const MStringArray& val) {
    std::vector<std::string> result;
    for (unsigned int i = 0; i < val.length(); ++i) {
        result.emplace_back(val[i].asChar());
    }
    return result;
}

void fill(MStatus* status, bool ok) {
    if (status) {
        *status = ok ? MS::kSuccess : MS::kFailure;
    }
}

// The current result as an array of type, if it is one or converts to one.
bool currentAs(Type type, Value& out) {
    return current().has && current().value.isArray() && current().value.convertTo(type, out);
}

}  // namespace

namespace host {
namespace plugin {

ResultScope::ResultScope() {
    slots().emplace_back();
}
ResultScope::~ResultScope() {
    slots().pop_back();
}
bool ResultScope::hasResult() const {
    return current().has;
}
const mel::Value& ResultScope::result() const {
    return current().value;
}
mel::Value ResultScope::take() {
    return std::move(current().value);
}
bool ResultScope::isBoolean() const {
    return current().boolean;
}

}  // namespace plugin
}  // namespace host

MPxCommand::MPxCommand() : fHistoryOn(true) {}
MPxCommand::~MPxCommand() = default;

MStatus MPxCommand::undoIt() {
    return MS::kFailure;
}
MStatus MPxCommand::redoIt() {
    return MS::kFailure;
}
bool MPxCommand::isUndoable() const {
    return false;
}
bool MPxCommand::hasSyntax() const {
    return true;
}

MSyntax MPxCommand::syntax() const {
    return fSyntax;
}

bool MPxCommand::isHistoryOn() const {
    return fHistoryOn;
}
MStatus MPxCommand::setHistoryOn(bool state) {
    fHistoryOn = state;
    return MS::kSuccess;
}

MString MPxCommand::commandString() const {
    host::plugin::makePendingText(*this);
    return fCommandString;
}
MStatus MPxCommand::setCommandString(const MString& command) {
    host::plugin::dropPendingText(*this);
    fCommandString = command;
    return MS::kSuccess;
}

void MPxCommand::displayInfo(const MString& theInfo) {
    host::Output::instance().info(theInfo.asChar());
}
void MPxCommand::displayWarning(const MString& theWarning) {
    host::Output::instance().warning(theWarning.asChar());
}
void MPxCommand::displayError(const MString& theError) {
    host::Output::instance().error(theError.asChar());
}

void MPxCommand::clearResult() {
    current() = ResultSlot();
}
void MPxCommand::setResult(unsigned int val) {
    set(Value(val));
}
void MPxCommand::setResult(int val) {
    set(Value(val));
}
void MPxCommand::setResult(double val) {
    set(Value(val));
}
void MPxCommand::setResult(bool val) {
    set(Value(val), true);
}
void MPxCommand::setResult(const char* val) {
    set(Value(std::string(val ? val : "")));
}
void MPxCommand::setResult(const MString& val) {
    set(Value(std::string(val.asChar())));
}

void MPxCommand::setResult(const MDoubleArray& val) {
    std::vector<double> v;
    for (unsigned int i = 0; i < val.length(); ++i) {
        v.push_back(val[i]);
    }
    set(Value(std::move(v)));
}

void MPxCommand::setResult(const MIntArray& val) {
    std::vector<int> v;
    for (unsigned int i = 0; i < val.length(); ++i) {
        v.push_back(val[i]);
    }
    set(Value(std::move(v)));
}

void MPxCommand::setResult(const MStringArray& val) {
    set(Value(texts(val)));
}

void MPxCommand::appendToResult(int val) {
    append(Value(val));
}
void MPxCommand::appendToResult(double val) {
    append(Value(val));
}
void MPxCommand::appendToResult(bool val) {
    append(Value(val));
}
void MPxCommand::appendToResult(const char* val) {
    append(Value(std::string(val ? val : "")));
}
void MPxCommand::appendToResult(const MString& val) {
    append(Value(std::string(val.asChar())));
}

bool MPxCommand::isCurrentResultArray() {
    return current().has && current().value.isArray();
}

MPxCommand::MResultType MPxCommand::currentResultType() {
    if (!current().has) {
        return kNoArg;
    }
    switch (current().value.type()) {
        case Type::Int:
        case Type::IntArray:
            return kLong;
        case Type::Float:
        case Type::FloatArray:
        case Type::Vector:
        case Type::VectorArray:
        case Type::Matrix:
            return kDouble;
        default:
            return kString;
    }
}

int MPxCommand::currentIntResult(MStatus* ReturnStatus) {
    const bool ok = current().has && current().value.type() == Type::Int;
    fill(ReturnStatus, ok);
    return ok ? current().value.asInt() : 0;
}

double MPxCommand::currentDoubleResult(MStatus* ReturnStatus) {
    const bool ok = current().has && current().value.isNumber();
    fill(ReturnStatus, ok);
    return ok ? current().value.asFloat() : 0.0;
}

MString MPxCommand::currentStringResult(MStatus* ReturnStatus) {
    const bool ok = current().has && current().value.type() == Type::String;
    fill(ReturnStatus, ok);
    return ok ? MString(current().value.str().c_str()) : MString();
}

MStatus MPxCommand::getCurrentResult(MIntArray& val) {
    Value v;
    if (!currentAs(Type::IntArray, v)) {
        return MS::kFailure;
    }
    val.clear();
    for (int i : v.intArray()) {
        val.append(i);
    }
    return MS::kSuccess;
}

MStatus MPxCommand::getCurrentResult(MDoubleArray& val) {
    Value v;
    if (!currentAs(Type::FloatArray, v)) {
        return MS::kFailure;
    }
    val.clear();
    for (double d : v.floatArray()) {
        val.append(d);
    }
    return MS::kSuccess;
}

MStatus MPxCommand::getCurrentResult(MStringArray& val) {
    Value v;
    if (!currentAs(Type::StringArray, v)) {
        return MS::kFailure;
    }
    val.clear();
    for (const std::string& s : v.stringArray()) {
        val.append(MString(s.c_str()));
    }
    return MS::kSuccess;
}
