#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Value.h"

namespace host::mel {

struct CommandCall {
    std::vector<Value> args;  // in order; in command syntax every bare word is a string Value,
                              // numbers stay strings unless they came from an expression or a
                              // variable; flags are strings "-name"
    Value result;             // the command sets it (default: no result, prints nothing)
    bool hasResult = false;
    bool booleanResult = false;  // the result is an int the command set as a bool, which
                                 // languages with a bool type show as one
};

// false = the command failed; it has already printed its own error line(s) through Output.
using CommandFn = std::function<bool(CommandCall&)>;

// A language-level builtin also gets, for each argument that is a plain variable, that
// variable's storage (null for other arguments), so that it can write results back the way
// tokenize and clear do. The storage keeps its type: write values of that type only.
using BuiltinFn = std::function<bool(CommandCall&, const std::vector<Value*>& variables)>;

class Runtime;

class Interpreter {
public:
    static Interpreter& instance();

    void defineCommand(const std::string& name, CommandFn fn);  // replaces an existing one
    void undefineCommand(const std::string& name);
    bool commandExists(const std::string& name) const;
    // Every command and builtin, sorted.
    std::vector<std::string> commandNames() const;
    // Runs a command or builtin by name with ready-made arguments, for callers in other
    // languages. False when it failed or does not exist, its error lines written.
    bool callCommand(const std::string& name, CommandCall& call);
    // Adds or replaces a builtin; it lives in the same name table as commands.
    void defineBuiltin(const std::string& name, BuiltinFn fn);

    // Runs MEL text. Returns false when the script failed (its error lines already written).
    // *result gets the value of the last top-level statement that produced one (a command,
    // procedure call or expression); lastHadResult() tells whether there was one.
    // firstLine numbers the first line of a text cut from a longer file.
    bool execute(const std::string& source, Value* result = nullptr,
                 const std::string& fileName = "", int firstLine = 1);
    bool lastHadResult() const;
    bool sourceFile(const std::string& path);  // MEL `source`
    void setScriptPaths(const std::vector<std::string>& dirs);
    const std::vector<std::string>& scriptPaths() const;
    bool procedureExists(const std::string& name) const;  // global procs defined so far
    void reset();  // forget globals and procedures (new session), keep commands

    // A text run from the top level that executes more statements than this (0: no limit)
    // stops with an error line, so that an embedding that cannot wait, such as a fuzzer,
    // is not held by a runaway loop. Nested texts (eval, source) share their caller's count.
    void setStatementLimit(std::size_t limit);

    // Whether the code running now sits inside catch() or catchQuiet() (at any depth).
    bool insideCatch() const;
    bool insideCatchQuiet() const;

    // Error and warning lines located at the statement running now, the way the interpreter's
    // own messages are: "line 3: text", or "file: /p/x.mel line 3: text".
    void reportError(const std::string& text);
    void reportWarning(const std::string& text);

    // True when the text fails only because it ends too early (an open brace, string or
    // comment), so that an interactive reader can ask for more lines.
    static bool isIncomplete(const std::string& source);

    Runtime& runtime() { return *rt_; }

private:
    Interpreter();
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    std::unique_ptr<Runtime> rt_;
};

}  // namespace host::mel
