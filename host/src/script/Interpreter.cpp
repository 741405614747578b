#include "Interpreter.h"

#include "Builtins.h"
#include "Parser.h"
#include "Runtime.h"

#include <algorithm>

namespace host::mel {

Interpreter& Interpreter::instance() {
    static Interpreter interpreter;
    return interpreter;
}

Interpreter::Interpreter() : rt_(std::make_unique<Runtime>()) {
    registerBuiltins(*this);
}

Interpreter::~Interpreter() = default;

void Interpreter::defineCommand(const std::string& name, CommandFn fn) {
    rt_->commands[name] =
        std::make_shared<const CommandEntry>(CommandEntry{std::move(fn), nullptr});
}

void Interpreter::defineBuiltin(const std::string& name, BuiltinFn fn) {
    rt_->commands[name] =
        std::make_shared<const CommandEntry>(CommandEntry{nullptr, std::move(fn)});
}

void Interpreter::undefineCommand(const std::string& name) {
    rt_->commands.erase(name);
}

bool Interpreter::commandExists(const std::string& name) const {
    return rt_->commands.count(name) > 0;
}

std::vector<std::string> Interpreter::commandNames() const {
    std::vector<std::string> names;
    names.reserve(rt_->commands.size());
    for (const auto& entry : rt_->commands)
        names.push_back(entry.first);
    std::sort(names.begin(), names.end());
    return names;
}

bool Interpreter::callCommand(const std::string& name, CommandCall& call) {
    const std::shared_ptr<const CommandEntry> found = rt_->heldCommand(name);
    if (!found) {
        rt_->report("Cannot find procedure \"" + name + "\".", false);
        return false;
    }
    const CommandEntry& entry = *found;
    const std::vector<Value*> noVariables(call.args.size(), nullptr);
    bool ok = false;
    try {
        ok = rt_->callCommand(name, entry, call, noVariables);
    } catch (const ScriptAbort&) {
    }
    if (rt_->frames_.empty())
        runDeferred();
    return ok;
}

bool Interpreter::execute(const std::string& source, Value* result, const std::string& fileName,
                          int firstLine) {
    Value value;
    bool had = false;
    bool ok = rt_->run(source, fileName, &value, &had, firstLine);
    if (had && result)
        *result = std::move(value);
    rt_->lastHadResult = had;
    if (rt_->frames_.empty())
        runDeferred();
    return ok;
}

bool Interpreter::lastHadResult() const {
    return rt_->lastHadResult;
}

bool Interpreter::sourceFile(const std::string& path) {
    const bool ok = rt_->sourcePath(path);
    if (rt_->frames_.empty())
        runDeferred();
    return ok;
}

void Interpreter::setScriptPaths(const std::vector<std::string>& dirs) {
    rt_->scriptPaths = dirs;
}

const std::vector<std::string>& Interpreter::scriptPaths() const {
    return rt_->scriptPaths;
}

bool Interpreter::procedureExists(const std::string& name) const {
    return rt_->globalProcs_.count(name) > 0;
}

void Interpreter::reset() {
    rt_->reset();
}

void Interpreter::setStatementLimit(std::size_t limit) {
    rt_->statementLimit = limit;
}

bool Interpreter::insideCatch() const {
    return rt_->insideCatch();
}

bool Interpreter::insideCatchQuiet() const {
    return rt_->insideCatchQuiet();
}

void Interpreter::reportError(const std::string& text) {
    rt_->report(text, false);
}

void Interpreter::reportWarning(const std::string& text) {
    rt_->report(text, true);
}

bool Interpreter::isIncomplete(const std::string& source) {
    Parser parser(source, [](const std::string&) { return true; });
    try {
        parser.parse();
    } catch (const SyntaxError& e) {
        return e.atEnd;
    }
    return false;
}

}  // namespace host::mel
