// The script bridge and the session members of MGlobal; the selection
// members live with the selection.

#include "foundation/Output.h"
#include "plugin/Args.h"
#include "plugin/ScriptLog.h"
#include "script/Interpreter.h"
#include "undo/UndoQueue.h"

#include <maya/MDoubleArray.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MStringArray.h>

#include <optional>

using host::mel::Type;
using host::mel::Value;

namespace {

// Runs command; result gets its value (or stays as given when it produced
// none).
bool run(const MString& command, bool displayEnabled, bool undoEnabled, Value& result) {
    host::scriptLog::record("executeCommand", command.asChar());
    std::optional<host::undo::SuspendScope> suspended;
    if (!undoEnabled) {
        suspended.emplace();
    }
    host::mel::Interpreter& interpreter = host::mel::Interpreter::instance();
    if (displayEnabled) {
        host::Output::instance().print(std::string(command.asChar()) + "\n");
    }
    Value value;
    const bool ok = interpreter.execute(command.asChar(), &value);
    if (ok && interpreter.lastHadResult()) {
        result = value;
        if (displayEnabled) {
            host::Output::instance().result(value.text());
        }
    }
    return ok;
}

// Runs command and gives its result as type: a scalar where an array is
// asked for becomes an array of one.
MStatus runAs(const MString& command, bool displayEnabled, bool undoEnabled, Type type,
              Value& out) {
    Value result = Value::defaultOf(type);
    if (!run(command, displayEnabled, undoEnabled, result)) {
        return MS::kFailure;
    }
    const bool ok = Value::isArrayType(type) ? host::plugin::toArray(result, type, out)
                                             : result.convertTo(type, out);
    return ok ? MS::kSuccess : MS::kFailure;
}

}  // namespace

MString MGlobal::mayaVersion() {
    return MString("2008");
}
int MGlobal::apiVersion() {
    return MAYA_API_VERSION;
}

MGlobal::MMayaState MGlobal::mayaState(MStatus* ReturnStatus) {
    if (ReturnStatus) {
        *ReturnStatus = MS::kSuccess;
    }
    return kBatch;
}

MStatus MGlobal::executeCommand(const MString& command, bool displayEnabled, bool undoEnabled) {
    Value ignored;
    return run(command, displayEnabled, undoEnabled, ignored) ? MS::kSuccess : MS::kFailure;
}

MStatus MGlobal::executeCommand(const MString& command, int& result, bool displayEnabled,
                                bool undoEnabled) {
    Value v;
    const MStatus status = runAs(command, displayEnabled, undoEnabled, Type::Int, v);
    if (status) {
        result = v.asInt();
    }
    return status;
}

MStatus MGlobal::executeCommand(const MString& command, MIntArray& result, bool displayEnabled,
                                bool undoEnabled) {
    Value v;
    const MStatus status = runAs(command, displayEnabled, undoEnabled, Type::IntArray, v);
    if (status) {
        result.clear();
        for (int i : v.intArray()) {
            result.append(i);
        }
    }
    return status;
}

MStatus MGlobal::executeCommand(const MString& command, double& result, bool displayEnabled,
                                bool undoEnabled) {
    Value v;
    const MStatus status = runAs(command, displayEnabled, undoEnabled, Type::Float, v);
    if (status) {
        result = v.asFloat();
    }
    return status;
}

MStatus MGlobal::executeCommand(const MString& command, MDoubleArray& result, bool displayEnabled,
                                bool undoEnabled) {
    Value v;
    const MStatus status = runAs(command, displayEnabled, undoEnabled, Type::FloatArray, v);
    if (status) {
        result.clear();
        for (double d : v.floatArray()) {
            result.append(d);
        }
    }
    return status;
}

MStatus MGlobal::executeCommand(const MString& command, MString& result, bool displayEnabled,
                                bool undoEnabled) {
    Value v;
    const MStatus status = runAs(command, displayEnabled, undoEnabled, Type::String, v);
    if (status) {
        result = v.str().c_str();
    }
    return status;
}

MStatus MGlobal::executeCommand(const MString& command, MStringArray& result, bool displayEnabled,
                                bool undoEnabled) {
    Value v;
    const MStatus status = runAs(command, displayEnabled, undoEnabled, Type::StringArray, v);
    if (status) {
        const std::vector<std::string>& texts = v.stringArray();
        result.setLength(static_cast<unsigned int>(texts.size()));
        for (unsigned int i = 0; i < result.length(); ++i) {
            result[i] = texts[i].c_str();
        }
    }
    return status;
}

MStatus MGlobal::sourceFile(const MString& fileName) {
    return host::mel::Interpreter::instance().sourceFile(fileName.asChar()) ? MS::kSuccess
                                                                            : MS::kFailure;
}

void MGlobal::displayInfo(const MString& theMessage) {
    host::Output::instance().info(theMessage.asChar());
}
void MGlobal::displayWarning(const MString& theWarning) {
    host::Output::instance().warning(theWarning.asChar());
}
void MGlobal::displayError(const MString& theError) {
    host::Output::instance().error(theError.asChar());
}

bool MGlobal::isUndoing() {
    return host::undo::Queue::instance().isUndoing();
}
bool MGlobal::isRedoing() {
    return host::undo::Queue::instance().isRedoing();
}
