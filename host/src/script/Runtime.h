#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "Ast.h"
#include "Interpreter.h"
#include "Value.h"

namespace host::mel {

class Lexer;
struct SyntaxError;

// Variables live in shared slots so that a procedure's array parameter can be the caller's
// array itself (MEL passes arrays by reference) and a global can be bound in many scopes.
using Slot = std::shared_ptr<Value>;
using Scope = std::unordered_map<std::string, Slot>;

// Thrown once an error line has been written; unwinds to the nearest catch() or to the
// outermost run of the text.
struct ScriptAbort {};

enum class Flow { Normal, Break, Continue, Return };

struct Frame {
    const ProcDef* proc = nullptr;  // null for a text run at the top level
    std::string file;               // where the running code came from; "" interactively
    std::vector<Scope> scopes;      // innermost last
    int line = 0;
    Value returnValue;
};

struct CommandEntry {
    CommandFn command;
    BuiltinFn builtin;  // set instead of command for language builtins
};

// The interpreter's state and its tree-walking evaluator.
class Runtime {
public:
    // Procedure calls (and nested texts run by eval or source) deeper than this fail cleanly;
    // the stack budget catches builds whose frames are larger than usual.
    static constexpr std::size_t kMaxCallDepth = 1000;

    // Parses and runs one text at the top level: eval, source and Interpreter::execute.
    bool run(const std::string& source, const std::string& file, Value* result, bool* hadResult,
             int firstLine = 1);
    // Finds (in the working directory, then the script paths, ".mel" added when the name has
    // no extension), reads and runs a script; reports its own failures.
    bool sourcePath(const std::string& path);
    // Full path of a script file in the script paths, "" when there is none.
    std::string findScript(const std::string& fileName) const;
    void reset();

    // The procedure a call from the running code reaches: one local to the running file
    // first, then a global one.
    std::shared_ptr<const ProcDef> findProc(const std::string& name) const;
    const CommandEntry* findCommand(const std::string& name) const;
    // The same, held: a command may undefine or redefine itself while it runs.
    std::shared_ptr<const CommandEntry> heldCommand(const std::string& name) const;
    // A variable the running code can see, or null.
    Value* findVariable(const std::string& name);

    // Writes an error or warning line, located like the interpreter's own messages
    // (userMessage: located only inside files, as error and warning builtins are).
    void report(const std::string& message, bool warning, bool userMessage = false);
    [[noreturn]] void fail(const std::string& message);
    // Where the running code is, as messages name it: "file: path line 3: ", "line 3: ".
    std::string location() const;

    bool insideCatch() const { return catchDepth_ > 0; }
    bool insideCatchQuiet() const { return quietDepth_ > 0; }

    std::unordered_map<std::string, std::shared_ptr<const CommandEntry>> commands;
    std::vector<std::string> scriptPaths;
    bool lastHadResult = false;
    std::size_t statementLimit = 0;

private:
    class FrameGuard;
    class ScopeGuard;
    class CatchGuard;

    // Statements
    Flow exec(const Stmt& s);
    Flow execBody(const std::vector<StmtPtr>& body, std::size_t from = 0);
    Flow execFor(const Stmt& s);
    Flow execForIn(const Stmt& s);
    Flow execSwitch(const Stmt& s);
    void execDecl(const Stmt& s);
    Value initialValue(const Stmt& s, const VarDecl& d);

    // Expressions
    Value eval(const Expr& e);
    bool evalStatement(const Expr& e, Value& out);  // false: the call produced no value
    bool evalCall(const Expr& e, Value& out, bool& wasProc);
    // slots: the variables given as arguments, by argument; empty when there are none.
    Value callProc(const ProcDef& proc, std::vector<Value>& args, const std::vector<Slot>& slots);
    bool callCommand(const std::string& name, const CommandEntry& entry, CommandCall& call,
                     const std::vector<Value*>& refs);
    Value evalIndex(const Expr& e);
    Value evalArrayLit(const Expr& e);
    Value evalCatch(const Expr& e);
    Value store(const Expr& target, const Value& v);
    Value binary(const std::string& op, const Value& a, const Value& b);
    Value unary(const std::string& op, const Value& v);
    Value converted(const Value& v, Type t);
    std::size_t indexOf(const Value& v);

    // Variables
    Slot* lookup(const std::string& name);
    Scope& innermostScope();

    void reportSyntax(const Lexer& lexer, const SyntaxError& e, const std::string& file);

    // A short text run again, as a plug-in's executeCommand in a loop does, is
    // read once: the last few are kept when their reading depended on the
    // text alone (no procedures, no session variables asked about).
    struct ParsedText {
        std::string source;
        int firstLine;
        std::shared_ptr<const Program> program;
    };
    static constexpr std::size_t kParsedTexts = 8;
    static constexpr std::size_t kParsedTextSize = 1024;
    std::shared_ptr<const Program> parsedText(const std::string& source, int firstLine);
    void keepParsedText(const std::string& source, int firstLine,
                        std::shared_ptr<const Program> program);
    bool stackExhausted() const;

    std::map<std::string, std::shared_ptr<const ProcDef>> globalProcs_;
    std::map<std::string, std::map<std::string, std::shared_ptr<const ProcDef>>> localProcs_;
    std::unordered_map<std::string, Slot> globals_;
    Scope topLevel_;            // the session's top-level variables, kept between texts
    std::deque<Frame> frames_;  // deque: pushing keeps references to outer frames valid
    int catchDepth_ = 0, quietDepth_ = 0;
    const char* stackBase_ = nullptr;
    std::size_t statementsRun_ = 0;        // since the outermost run began
    std::vector<ParsedText> parsedTexts_;  // the most recently run first

    friend class Interpreter;
};

}  // namespace host::mel
