#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "Interpreter.h"

namespace host::mel {

// Installs the language's builtin functions (string, math, and the system ones such as
// print, eval and whatIs) into the interpreter's name table.
void registerBuiltins(Interpreter& interpreter);
void registerStringBuiltins(Interpreter& interpreter);
void registerMathBuiltins(Interpreter& interpreter);
void registerSystemBuiltins(Interpreter& interpreter);
// The small procedures the application ships with its scripts (string-array, path and
// float-array vector helpers), built in here.
void registerUtilityBuiltins(Interpreter& interpreter);
// File I/O on real files (fopen, fprint, fgetline ...), filetest, sysFile and system.
void registerFileBuiltins(Interpreter& interpreter);
// optionVar, whose values live as long as the process.
void registerPreferenceBuiltins(Interpreter& interpreter);

// Runs the scripts evalDeferred queued, in turn (with those they queue), when a top-level
// text or command has ended: a batch session has no idle time to wait for.
void runDeferred();

// Thrown by a builtin's body to fail with a message; the wrapper reports it.
struct BuiltinError {
    std::string message;
};

// The array argument's elements as texts; a scalar fails with "name: the argument must be an
// array."
std::vector<std::string> arrayArg(const Value& v, const char* name);

// A builtin that maps its arguments to one result, taking between min and max arguments.
using PureFn = std::function<Value(const std::vector<Value>& args)>;
void defineFunction(Interpreter& interpreter, const std::string& name, std::size_t min,
                    std::size_t max, PureFn fn);

// Reports "Wrong number of arguments on call to name." and returns false unless the call has
// between min and max arguments.
bool checkArgCount(const CommandCall& call, const std::string& name, std::size_t min,
                   std::size_t max);

}  // namespace host::mel
