#include "Builtins.h"

namespace host::mel {

void registerBuiltins(Interpreter& interpreter) {
    registerStringBuiltins(interpreter);
    registerMathBuiltins(interpreter);
    registerSystemBuiltins(interpreter);
    registerUtilityBuiltins(interpreter);
    registerFileBuiltins(interpreter);
    registerPreferenceBuiltins(interpreter);
}

std::vector<std::string> arrayArg(const Value& v, const char* name) {
    if (!v.isArray())
        throw BuiltinError{std::string(name) + ": the argument must be an array."};
    return v.toStringList();
}

bool checkArgCount(const CommandCall& call, const std::string& name, std::size_t min,
                   std::size_t max) {
    if (call.args.size() >= min && call.args.size() <= max)
        return true;
    Interpreter::instance().reportError("Wrong number of arguments on call to " + name + ".");
    return false;
}

void defineFunction(Interpreter& interpreter, const std::string& name, std::size_t min,
                    std::size_t max, PureFn fn) {
    interpreter.defineBuiltin(
        name, [name, min, max, fn = std::move(fn)](CommandCall& call, const std::vector<Value*>&) {
            if (!checkArgCount(call, name, min, max))
                return false;
            try {
                call.result = fn(call.args);
            } catch (const BuiltinError& e) {
                Interpreter::instance().reportError(e.message);
                return false;
            }
            call.hasResult = true;
            return true;
        });
}

}  // namespace host::mel
