// The MEL tree-walking interpreter: what Interpreter hands a text to.
//
// Map, top to bottom, in the order a text is run:
// - guards: RAII for the call frames, variable scopes and catch depth, so
//   that a ScriptAbort thrown from any depth leaves them balanced;
// - running texts: run() parses and executes one text or file (the stack
//   budget is checked here, as deep recursion in a script must end in an
//   error line, not a crash), sourcing and the script path;
// - errors: location(), report() and fail(), the one place error and
//   warning lines get their "line N:" or "file: ... line N:" prefix;
// - lookups: procedures (file-local first), commands and variables;
// - statements: exec() and its loops, switch and declarations;
// - expressions: eval(), indexing, array literals, assignment and the
//   operators, with MEL's conversions;
// - calls: evalCall() decides procedure or command, callCommand() hands a
//   command its arguments, callProc() binds parameters (arrays by reference).
#include "Runtime.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <new>
#include <sstream>

#include "../foundation/Output.h"
#include "Lexer.h"
#include "Parser.h"

namespace host::mel {

namespace {

std::string convertError(Type from, Type to) {
    return "Cannot convert data of type " + Value::typeName(from) + " to type " +
           Value::typeName(to) + ".";
}

std::string illegal(const std::string& op, const Value& v) {
    return "Illegal operation \"" + op + "\" on data of type " + Value::typeName(v.type()) + ".";
}

// Half the thread's stack (at most 8 MB of it) for nested calls.
std::size_t stackBudget() {
    static const std::size_t budget = [] {
        std::size_t limit = 8u << 20;
        rlimit rl{};
        if (getrlimit(RLIMIT_STACK, &rl) == 0 && rl.rlim_cur != RLIM_INFINITY &&
            rl.rlim_cur < limit)
            limit = static_cast<std::size_t>(rl.rlim_cur);
        return limit / 2;
    }();
    return budget;
}

bool fileExists(const std::string& path) {
    std::ifstream f(path);
    return f.good();
}

}  // namespace

// ---------------------------------------------------------------- guards

class Runtime::FrameGuard {
public:
    FrameGuard(Runtime& rt, Frame frame) : rt_(rt) { rt_.frames_.push_back(std::move(frame)); }
    ~FrameGuard() { rt_.frames_.pop_back(); }
    FrameGuard(const FrameGuard&) = delete;
    FrameGuard& operator=(const FrameGuard&) = delete;
    Frame& frame() { return rt_.frames_.back(); }

private:
    Runtime& rt_;
};

class Runtime::ScopeGuard {
public:
    explicit ScopeGuard(Frame& f) : f_(f) { f_.scopes.emplace_back(); }
    ~ScopeGuard() { f_.scopes.pop_back(); }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

private:
    Frame& f_;
};

class Runtime::CatchGuard {
public:
    CatchGuard(Runtime& rt, bool quiet) : rt_(rt), quiet_(quiet) {
        ++rt_.catchDepth_;
        if (quiet_) {
            ++rt_.quietDepth_;
            Output::instance().suppressErrors();
        }
    }
    ~CatchGuard() {
        --rt_.catchDepth_;
        if (quiet_) {
            --rt_.quietDepth_;
            Output::instance().unsuppressErrors();
        }
    }
    CatchGuard(const CatchGuard&) = delete;
    CatchGuard& operator=(const CatchGuard&) = delete;

private:
    Runtime& rt_;
    bool quiet_;
};

// ---------------------------------------------------------------- running texts

bool Runtime::stackExhausted() const {
    char here = 0;
    return stackBase_ && stackBase_ > &here &&
           static_cast<std::size_t>(stackBase_ - &here) > stackBudget();
}

bool Runtime::run(const std::string& source, const std::string& file, Value* result,
                  bool* hadResult, int firstLine) {
    if (hadResult)
        *hadResult = false;
    char base = 0;
    if (frames_.empty()) {
        stackBase_ = &base;
        statementsRun_ = 0;
    }
    if (frames_.size() >= kMaxCallDepth || stackExhausted()) {
        report("Procedure calls are nested too deeply.", false);
        return false;
    }

    std::shared_ptr<const Program> program = parsedText(source, firstLine);
    if (!program) {
        auto parsed = std::make_shared<Program>();
        Parser parser(
            source, [this](const std::string& name) { return topLevel_.count(name) > 0; },
            firstLine);
        try {
            *parsed = parser.parse();
        } catch (const SyntaxError& e) {
            reportSyntax(parser.lexer(), e, file);
            return false;
        }
        for (auto& def : parsed->procs) {
            def->file = file;
            if (def->global)
                globalProcs_[def->name] = def;
            else
                localProcs_[file][def->name] = def;
        }
        // Procedures are defined anew at every run, and what the session had
        // declared may read otherwise next time.
        if (parsed->procs.empty() && !parser.askedTopLevel())
            keepParsedText(source, firstLine, parsed);
        program = std::move(parsed);
    }

    Frame top;
    top.file = file;
    FrameGuard guard(*this, std::move(top));
    try {
        for (const StmtPtr& s : program->statements) {
            guard.frame().line = s->line;
            if (s->kind == StmtKind::Expr) {
                Value v;
                if (evalStatement(*s->expr, v)) {
                    if (result)
                        *result = std::move(v);
                    if (hadResult)
                        *hadResult = true;
                }
            } else if (exec(*s) == Flow::Return) {
                break;
            }
        }
    } catch (const ScriptAbort&) {
        return false;
    } catch (const std::bad_alloc&) {
        report("Out of memory.", false);
        return false;
    } catch (const std::length_error&) {
        report("Out of memory.", false);
        return false;
    }
    return true;
}

std::shared_ptr<const Program> Runtime::parsedText(const std::string& source, int firstLine) {
    for (auto it = parsedTexts_.begin(); it != parsedTexts_.end(); ++it) {
        if (it->firstLine == firstLine && it->source == source) {
            std::rotate(parsedTexts_.begin(), it, it + 1);
            return parsedTexts_.front().program;
        }
    }
    return nullptr;
}

void Runtime::keepParsedText(const std::string& source, int firstLine,
                             std::shared_ptr<const Program> program) {
    if (source.size() > kParsedTextSize)
        return;
    if (parsedTexts_.size() == kParsedTexts)
        parsedTexts_.pop_back();
    parsedTexts_.insert(parsedTexts_.begin(), ParsedText{source, firstLine, std::move(program)});
}

void Runtime::reportSyntax(const Lexer& lexer, const SyntaxError& e, const std::string& file) {
    std::string text = lexer.lineText(e.line);
    std::size_t first = text.find_first_not_of(" \t");
    Output& out = Output::instance();
    if (first != std::string::npos)
        out.error(text.substr(first));
    std::string where = "Line " + std::to_string(e.line) + "." + std::to_string(e.column);
    if (!file.empty())
        where = "file: " + file + " line " + std::to_string(e.line);
    out.error(where + ": " + e.message);
}

std::string Runtime::findScript(const std::string& fileName) const {
    for (const std::string& dir : scriptPaths) {
        if (dir.empty())
            continue;
        std::string path = dir.back() == '/' ? dir + fileName : dir + "/" + fileName;
        if (fileExists(path))
            return path;
    }
    return "";
}

bool Runtime::sourcePath(const std::string& path) {
    std::vector<std::string> names{path};
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        names.push_back(path + ".mel");
    std::string found;
    for (const std::string& name : names) {
        if (fileExists(name))
            found = name;
        else if (name.empty() || name[0] != '/')
            found = findScript(name);
        if (!found.empty())
            break;
    }
    if (found.empty()) {
        report("Cannot find file \"" + path + "\" for source statement.", false);
        return false;
    }
    std::ifstream in(found, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in.good() && !in.eof()) {
        report("Cannot read file \"" + found + "\" for source statement.", false);
        return false;
    }
    return run(text.str(), found, nullptr, nullptr);
}

void Runtime::reset() {
    parsedTexts_.clear();
    globals_.clear();
    globalProcs_.clear();
    localProcs_.clear();
    topLevel_.clear();
}

// ---------------------------------------------------------------- errors

std::string Runtime::location() const {
    if (frames_.empty())
        return "";
    const Frame& f = frames_.back();
    std::string line = "line " + std::to_string(f.line) + ": ";
    return f.file.empty() ? line : "file: " + f.file + " " + line;
}

void Runtime::report(const std::string& message, bool warning, bool userMessage) {
    bool inFile = !frames_.empty() && !frames_.back().file.empty();
    std::string text = (userMessage && !inFile ? "" : location()) + message;
    if (warning)
        Output::instance().warning(text);
    else
        Output::instance().error(text);
}

void Runtime::fail(const std::string& message) {
    report(message, false);
    throw ScriptAbort{};
}

// ---------------------------------------------------------------- lookups

std::shared_ptr<const ProcDef> Runtime::findProc(const std::string& name) const {
    static const std::string interactive;
    const std::string& file = frames_.empty() ? interactive : frames_.back().file;
    auto local = localProcs_.find(file);
    if (local != localProcs_.end()) {
        auto it = local->second.find(name);
        if (it != local->second.end())
            return it->second;
    }
    auto it = globalProcs_.find(name);
    return it == globalProcs_.end() ? nullptr : it->second;
}

const CommandEntry* Runtime::findCommand(const std::string& name) const {
    auto it = commands.find(name);
    return it == commands.end() ? nullptr : it->second.get();
}

std::shared_ptr<const CommandEntry> Runtime::heldCommand(const std::string& name) const {
    auto it = commands.find(name);
    return it == commands.end() ? nullptr : it->second;
}

Slot* Runtime::lookup(const std::string& name) {
    if (frames_.empty()) {
        auto it = topLevel_.find(name);
        return it == topLevel_.end() ? nullptr : &it->second;
    }
    Frame& f = frames_.back();
    for (auto scope = f.scopes.rbegin(); scope != f.scopes.rend(); ++scope) {
        auto it = scope->find(name);
        if (it != scope->end())
            return &it->second;
    }
    if (!f.proc) {
        auto it = topLevel_.find(name);
        if (it != topLevel_.end())
            return &it->second;
    }
    return nullptr;
}

Value* Runtime::findVariable(const std::string& name) {
    Slot* s = lookup(name);
    return s ? s->get() : nullptr;
}

Scope& Runtime::innermostScope() {
    Frame& f = frames_.back();
    if (f.scopes.empty())
        return topLevel_;  // only top-level frames start without a scope
    return f.scopes.back();
}

// ---------------------------------------------------------------- statements

Flow Runtime::execBody(const std::vector<StmtPtr>& body, std::size_t from) {
    for (std::size_t i = from; i < body.size(); ++i) {
        Flow f = exec(*body[i]);
        if (f != Flow::Normal)
            return f;
    }
    return Flow::Normal;
}

Flow Runtime::exec(const Stmt& s) {
    Frame& frame = frames_.back();
    frame.line = s.line;
    // Once over the limit every statement fails, so a catch() inside a loop cannot keep
    // the loop going.
    if (statementLimit && ++statementsRun_ > statementLimit)
        fail("The script was stopped after " + std::to_string(statementLimit) + " statements.");
    switch (s.kind) {
        case StmtKind::Empty:
            return Flow::Normal;
        case StmtKind::Expr: {
            Value ignored;
            evalStatement(*s.expr, ignored);
            return Flow::Normal;
        }
        case StmtKind::Decl:
            execDecl(s);
            return Flow::Normal;
        case StmtKind::Block: {
            ScopeGuard scope(frame);
            return execBody(s.body);
        }
        case StmtKind::If:
            if (eval(*s.expr).truthy())
                return exec(*s.then);
            return s.otherwise ? exec(*s.otherwise) : Flow::Normal;
        case StmtKind::While:
            while (eval(*s.expr).truthy()) {
                Flow f = exec(*s.then);
                if (f == Flow::Break)
                    break;
                if (f == Flow::Return)
                    return f;
            }
            return Flow::Normal;
        case StmtKind::DoWhile:
            do {
                Flow f = exec(*s.then);
                if (f == Flow::Break)
                    break;
                if (f == Flow::Return)
                    return f;
            } while (eval(*s.expr).truthy());
            return Flow::Normal;
        case StmtKind::For:
            return execFor(s);
        case StmtKind::ForIn:
            return execForIn(s);
        case StmtKind::Switch:
            return execSwitch(s);
        case StmtKind::Break:
            return Flow::Break;
        case StmtKind::Continue:
            return Flow::Continue;
        case StmtKind::Return:
            if (s.expr)
                frame.returnValue = eval(*s.expr);
            return Flow::Return;
        case StmtKind::Source:
            if (!sourcePath(s.name))
                throw ScriptAbort{};
            return Flow::Normal;
    }
    return Flow::Normal;
}

Flow Runtime::execFor(const Stmt& s) {
    Value ignored;
    for (const ExprPtr& e : s.init)
        evalStatement(*e, ignored);
    while (!s.cond || eval(*s.cond).truthy()) {
        Flow f = exec(*s.then);
        if (f == Flow::Break)
            break;
        if (f == Flow::Return)
            return f;
        for (const ExprPtr& e : s.step)
            evalStatement(*e, ignored);
    }
    return Flow::Normal;
}

Flow Runtime::execForIn(const Stmt& s) {
    Value items = eval(*s.expr);
    if (!items.isArray())
        fail("The for-in loop needs an array, not data of type " + Value::typeName(items.type()) +
             ".");
    Slot* var = lookup(s.name);
    if (s.declares || !var) {
        Type t = s.declares ? s.declType : Value::elementType(items.type());
        Slot slot = std::make_shared<Value>(Value::defaultOf(t));
        innermostScope()[s.name] = slot;
        var = lookup(s.name);
    }
    Slot target = *var;  // held, in case the body rebinds the name
    std::size_t n = items.size();
    for (std::size_t i = 0; i < n; ++i) {
        *target = converted(items.element(i), target->type());
        Flow f = exec(*s.then);
        if (f == Flow::Break)
            break;
        if (f == Flow::Return)
            return f;
    }
    return Flow::Normal;
}

Flow Runtime::execSwitch(const Stmt& s) {
    Value control = eval(*s.expr);
    const SwitchCase* chosen = nullptr;
    const SwitchCase* fallback = nullptr;
    for (const SwitchCase& c : s.cases) {
        if (!c.value) {
            if (!fallback)
                fallback = &c;
            continue;
        }
        if (binary("==", control, eval(*c.value)).truthy()) {
            chosen = &c;
            break;
        }
    }
    if (!chosen)
        chosen = fallback;
    if (!chosen)
        return Flow::Normal;
    ScopeGuard scope(frames_.back());
    Flow f = execBody(s.body, chosen->first);
    return f == Flow::Break ? Flow::Normal : f;
}

Value Runtime::initialValue(const Stmt& s, const VarDecl& d) {
    Type t = d.isArray ? Value::arrayOf(s.declType) : s.declType;
    Value v = Value::defaultOf(t);
    if (t == Type::Matrix && d.size) {
        int rows = eval(*d.size).asInt(), cols = eval(*d.size2).asInt();
        if (rows < 0 || cols < 0)
            fail("Matrix dimensions cannot be negative.");
        v = Value(Matrix(rows, cols));
    } else if (d.size) {
        int n = eval(*d.size).asInt();
        if (n < 0)
            fail("Array size cannot be negative.");
        if (n > 0)
            v.setElement(static_cast<std::size_t>(n) - 1, Value::defaultOf(s.declType));
    }
    if (!d.init)
        return v;
    Value init = converted(eval(*d.init), t);
    if (t != Type::Matrix)
        return init;
    const Matrix& m = init.matrix();
    if (d.size && (m.rows != v.matrix().rows || m.cols != v.matrix().cols))
        fail("The matrix initializer does not have the declared dimensions.");
    return init;
}

void Runtime::execDecl(const Stmt& s) {
    for (const VarDecl& d : s.vars) {
        frames_.back().line = d.line;
        if (s.global) {
            // The initializer runs once, when the global comes into being; later
            // declarations only make it visible.
            auto existing = globals_.find(d.name);
            Type t = d.isArray ? Value::arrayOf(s.declType) : s.declType;
            if (existing == globals_.end()) {
                existing =
                    globals_.emplace(d.name, std::make_shared<Value>(initialValue(s, d))).first;
            } else if (existing->second->type() != t) {
                fail("Invalid redeclaration of variable \"" + d.name + "\" as a different type.");
            }
            innermostScope()[d.name] = existing->second;
            continue;
        }
        Value v = initialValue(s, d);
        innermostScope()[d.name] = std::make_shared<Value>(std::move(v));
    }
}

// ---------------------------------------------------------------- expressions

Value Runtime::converted(const Value& v, Type t) {
    Value out;
    if (!v.convertTo(t, out))
        fail(convertError(v.type(), t));
    return out;
}

std::size_t Runtime::indexOf(const Value& v) {
    if (v.isArray() || v.type() == Type::Vector || v.type() == Type::Matrix)
        fail(convertError(v.type(), Type::Int));
    int i = v.asInt();
    if (i < 0)
        fail("Array index out of bounds: " + std::to_string(i) + ".");
    return static_cast<std::size_t>(i);
}

bool Runtime::evalStatement(const Expr& e, Value& out) {
    if (e.kind == ExprKind::Call) {
        bool wasProc = false;
        return evalCall(e, out, wasProc);
    }
    out = eval(e);
    return true;
}

Value Runtime::eval(const Expr& e) {
    switch (e.kind) {
        case ExprKind::Literal:
            return e.value;
        case ExprKind::Var: {
            Slot* s = lookup(e.name);
            if (!s)
                fail("\"" + e.name + "\" is an undeclared variable.");
            return **s;
        }
        case ExprKind::Index:
            return evalIndex(e);
        case ExprKind::Component: {
            Value v = eval(*e.kids[0]);
            if (v.type() != Type::Vector)
                fail(illegal(".", v));
            Vec3 c = v.asVector();
            return Value(e.component == 'x' ? c.x : e.component == 'y' ? c.y : c.z);
        }
        case ExprKind::Unary:
            return unary(e.name, eval(*e.kids[0]));
        case ExprKind::IncDec: {
            Value before = eval(*e.kids[0]);
            if (!before.isNumber())
                fail(illegal(e.name, before));
            Value after = binary(e.name == "++" ? "+" : "-", before, Value(1));
            store(*e.kids[0], after);
            return e.prefix ? after : before;
        }
        case ExprKind::Binary: {
            Value a = eval(*e.kids[0]);
            return binary(e.name, a, eval(*e.kids[1]));
        }
        case ExprKind::Logical: {
            bool a = eval(*e.kids[0]).truthy();
            if (e.name == "&&")
                return Value(a && eval(*e.kids[1]).truthy());
            return Value(a || eval(*e.kids[1]).truthy());
        }
        case ExprKind::Ternary:
            return eval(*e.kids[0]).truthy() ? eval(*e.kids[1]) : eval(*e.kids[2]);
        case ExprKind::Assign: {
            Value v = eval(*e.kids[1]);
            if (e.name != "=")
                v = binary(e.name.substr(0, 1), eval(*e.kids[0]), v);
            return store(*e.kids[0], v);
        }
        case ExprKind::VectorLit: {
            double c[3];
            for (int i = 0; i < 3; ++i) {
                Value v = eval(*e.kids[i]);
                if (v.isArray() || v.type() == Type::Vector || v.type() == Type::Matrix)
                    fail(convertError(v.type(), Type::Float));
                c[i] = v.asFloat();
            }
            return Value(Vec3{c[0], c[1], c[2]});
        }
        case ExprKind::MatrixLit: {
            Matrix m(e.rows, e.cols);
            for (std::size_t i = 0; i < e.kids.size(); ++i) {
                Value v = eval(*e.kids[i]);
                if (!v.isNumber())
                    fail(convertError(v.type(), Type::Float));
                m.cells[i] = v.asFloat();
            }
            return Value(std::move(m));
        }
        case ExprKind::ArrayLit:
            return evalArrayLit(e);
        case ExprKind::Call: {
            Value out;
            bool wasProc = false;
            if (evalCall(e, out, wasProc))
                return out;
            // A command without a result reads as an empty string; a procedure declared
            // without a return type has no value to give.
            if (wasProc)
                fail("Procedure \"" + e.name + "\" does not return a value.");
            return Value(std::string());
        }
        case ExprKind::Cast: {
            Value v = eval(*e.kids[0]);
            return converted(v, e.castType);
        }
        case ExprKind::Catch:
            return evalCatch(e);
    }
    return Value();
}

Value Runtime::evalCatch(const Expr& e) {
    CatchGuard guard(*this, e.quiet);
    try {
        Value ignored;
        evalStatement(*e.kids[0], ignored);
    } catch (const ScriptAbort&) {
        return Value(1);
    }
    return Value(0);
}

Value Runtime::evalIndex(const Expr& e) {
    const Expr& base = *e.kids[0];
    // $m[r][c] reads a matrix cell.
    if (base.kind == ExprKind::Index) {
        Value m = eval(*base.kids[0]);
        if (m.type() == Type::Matrix) {
            std::size_t r = indexOf(eval(*base.kids[1])), c = indexOf(eval(*e.kids[1]));
            const Matrix& mx = m.matrix();
            if (r >= static_cast<std::size_t>(mx.rows) || c >= static_cast<std::size_t>(mx.cols))
                fail("Matrix index out of range.");
            return Value(mx.at(static_cast<int>(r), static_cast<int>(c)));
        }
    }
    Value v = eval(base);
    std::size_t i = indexOf(eval(*e.kids[1]));
    if (!v.isArray())
        fail(illegal("[]", v));
    return v.element(i);
}

Value Runtime::evalArrayLit(const Expr& e) {
    std::vector<Value> items;
    items.reserve(e.kids.size());
    bool anyFloat = false, anyString = false, anyVector = false, anyNumber = false;
    for (const ExprPtr& k : e.kids) {
        items.push_back(eval(*k));
        const Value& v = items.back();
        if (v.isArray() || v.type() == Type::Matrix)
            fail(illegal("{}", v));
        anyFloat |= v.type() == Type::Float;
        anyString |= v.type() == Type::String;
        anyVector |= v.type() == Type::Vector;
        anyNumber |= v.isNumber();
    }
    Type elem = anyString   ? Type::String
                : anyVector ? Type::Vector
                : anyFloat  ? Type::Float
                            : Type::Int;
    if (elem == Type::Vector && anyNumber)
        fail(convertError(Type::Int, Type::Vector));
    Value arr = Value::defaultOf(Value::arrayOf(elem));
    for (std::size_t i = 0; i < items.size(); ++i)
        arr.setElement(i, items[i]);
    return arr;
}

Value Runtime::store(const Expr& target, const Value& v) {
    if (target.kind == ExprKind::Var) {
        Slot* s = lookup(target.name);
        if (!s) {
            // First assignment declares the variable with the value's type.
            innermostScope()[target.name] = std::make_shared<Value>(v);
            return v;
        }
        **s = converted(v, (*s)->type());
        return **s;
    }
    // target is $a[i] or $m[r][c]
    const Expr& base = *target.kids[0];
    bool cell = base.kind == ExprKind::Index;
    const Expr& var = cell ? *base.kids[0] : base;
    Slot* s = lookup(var.name);
    if (!s)
        fail("\"" + var.name + "\" is an undeclared variable.");
    // Held: evaluating the indices below may rebind the name (eval can redeclare it).
    Slot held = *s;
    Value& holder = *held;
    if (cell) {
        if (holder.type() != Type::Matrix)
            fail(illegal("[][]", holder));
        std::size_t r = indexOf(eval(*base.kids[1])), c = indexOf(eval(*target.kids[1]));
        Matrix& m = holder.mutableMatrix();
        if (r >= static_cast<std::size_t>(m.rows) || c >= static_cast<std::size_t>(m.cols))
            fail("Matrix index out of range.");
        Value f = converted(v, Type::Float);
        m.at(static_cast<int>(r), static_cast<int>(c)) = f.asFloat();
        return f;
    }
    std::size_t i = indexOf(eval(*target.kids[1]));
    if (!holder.isArray())
        fail(illegal("[]", holder));
    Type elem = Value::elementType(holder.type());
    Value e = converted(v, elem);
    holder.setElement(i, e);
    return e;
}

Value Runtime::unary(const std::string& op, const Value& v) {
    if (op == "!") {
        if (v.isArray())
            fail(illegal(op, v));
        return Value(!v.truthy());
    }
    switch (v.type()) {
        case Type::Int:
            return op == "-" ? Value(wrapInt(-static_cast<long long>(v.asInt()))) : v;
        case Type::Float:
            return op == "-" ? Value(-v.asFloat()) : v;
        case Type::Vector: {
            if (op != "-")
                return v;
            Vec3 c = v.asVector();
            return Value(Vec3{-c.x, -c.y, -c.z});
        }
        default:
            fail(illegal(op, v));
    }
}

Value Runtime::binary(const std::string& op, const Value& a, const Value& b) {
    for (const Value* v : {&a, &b})
        if (v->isArray() || v->type() == Type::Matrix)
            fail(illegal(op, *v));
    bool strings = a.type() == Type::String || b.type() == Type::String;
    bool vectors = a.type() == Type::Vector || b.type() == Type::Vector;
    bool equality = op == "==" || op == "!=";
    bool ordering = op == "<" || op == "<=" || op == ">" || op == ">=";

    if (strings) {
        // A string on either side makes + a concatenation and comparisons textual.
        if (op == "+")
            return Value(a.text() + b.text());
        int c = a.text().compare(b.text());
        if (equality)
            return Value((c == 0) == (op == "=="));
        if (ordering) {
            if (op == "<")
                return Value(c < 0);
            if (op == "<=")
                return Value(c <= 0);
            if (op == ">")
                return Value(c > 0);
            return Value(c >= 0);
        }
        fail(illegal(op, a.type() == Type::String ? a : b));
    }
    if (vectors) {
        Vec3 x = a.asVector(), y = b.asVector();
        bool both = a.type() == Type::Vector && b.type() == Type::Vector;
        if (equality)
            return Value((x == y) == (op == "=="));
        if (op == "+")
            return Value(Vec3{x.x + y.x, x.y + y.y, x.z + y.z});
        if (op == "-")
            return Value(Vec3{x.x - y.x, x.y - y.y, x.z - y.z});
        if (op == "*") {
            if (both)
                return Value(x.x * y.x + x.y * y.y + x.z * y.z);
            return Value(Vec3{x.x * y.x, x.y * y.y, x.z * y.z});
        }
        if (op == "/" && b.type() != Type::Vector)
            return Value(Vec3{x.x / y.x, x.y / y.y, x.z / y.z});
        if (op == "^" && both)
            return Value(Vec3{x.y * y.z - x.z * y.y, x.z * y.x - x.x * y.z, x.x * y.y - x.y * y.x});
        fail(illegal(op, a.type() == Type::Vector ? a : b));
    }
    if (op == "^")
        fail(illegal(op, a));
    if (a.type() == Type::Int && b.type() == Type::Int) {
        long long x = a.asInt(), y = b.asInt();
        if (op == "+")
            return Value(wrapInt(x + y));
        if (op == "-")
            return Value(wrapInt(x - y));
        if (op == "*")
            return Value(wrapInt(x * y));
        if (op == "/" || op == "%") {
            if (y == 0)
                fail("Division by zero.");
            return Value(wrapInt(op == "/" ? x / y : x % y));
        }
        if (op == "==")
            return Value(x == y);
        if (op == "!=")
            return Value(x != y);
        if (op == "<")
            return Value(x < y);
        if (op == "<=")
            return Value(x <= y);
        if (op == ">")
            return Value(x > y);
        if (op == ">=")
            return Value(x >= y);
    }
    double x = a.asFloat(), y = b.asFloat();
    if (op == "+")
        return Value(x + y);
    if (op == "-")
        return Value(x - y);
    if (op == "*")
        return Value(x * y);
    if (op == "/")
        return Value(x / y);
    if (op == "%")
        return Value(std::fmod(x, y));
    if (op == "==")
        return Value(x == y);
    if (op == "!=")
        return Value(x != y);
    if (op == "<")
        return Value(x < y);
    if (op == "<=")
        return Value(x <= y);
    if (op == ">")
        return Value(x > y);
    return Value(x >= y);
}

// ---------------------------------------------------------------- calls

bool Runtime::evalCall(const Expr& e, Value& out, bool& wasProc) {
    frames_.back().line = e.line;
    std::shared_ptr<const ProcDef> proc = findProc(e.name);
    const CommandEntry* command = proc ? nullptr : findCommand(e.name);
    if (!proc && !command) {
        // Unknown procedures load from a same-named script on the script path.
        std::string script = findScript(e.name + ".mel");
        if (!script.empty() && sourcePath(script)) {
            proc = findProc(e.name);
            command = proc ? nullptr : findCommand(e.name);
        }
        frames_.back().line = e.line;
        if (!proc && !command)
            fail("Cannot find procedure \"" + e.name + "\".");
    }

    std::vector<Value> args;
    std::vector<Slot> slots;  // by argument, made only when some argument is a plain variable
    args.reserve(e.kids.size());
    for (std::size_t i = 0; i < e.kids.size(); ++i) {
        const Expr& k = *e.kids[i];
        args.push_back(eval(k));
        Slot* s = k.kind == ExprKind::Var ? lookup(k.name) : nullptr;
        if (s) {
            slots.resize(e.kids.size());
            slots[i] = *s;
        }
    }
    frames_.back().line = e.line;

    if (proc) {
        wasProc = true;
        out = callProc(*proc, args, slots);
        return proc->returns;
    }
    // Looked up again, as evaluating the arguments may have redefined the command.
    const std::shared_ptr<const CommandEntry> held = heldCommand(e.name);
    if (!held)
        fail("Cannot find procedure \"" + e.name + "\".");
    const CommandEntry& entry = *held;
    std::vector<Value*> refs;
    if (entry.builtin) {
        refs.resize(args.size());
        for (std::size_t i = 0; i < slots.size(); ++i)
            refs[i] = slots[i].get();
    }
    CommandCall call;
    call.args = std::move(args);
    if (!callCommand(e.name, entry, call, refs))
        throw ScriptAbort{};
    if (call.hasResult)
        out = std::move(call.result);
    return call.hasResult;
}

bool Runtime::callCommand(const std::string& name, const CommandEntry& entry, CommandCall& call,
                          const std::vector<Value*>& refs) {
    try {
        return entry.builtin ? entry.builtin(call, refs) : entry.command(call);
    } catch (const ScriptAbort&) {
        throw;
    } catch (const std::bad_alloc&) {
        fail("Out of memory.");
    } catch (const std::exception& ex) {
        fail(name + ": " + ex.what());
    }
}

Value Runtime::callProc(const ProcDef& proc, std::vector<Value>& args,
                        const std::vector<Slot>& slots) {
    if (args.size() != proc.params.size())
        fail("Wrong number of arguments on call to " + proc.name + ".");
    if (frames_.size() >= kMaxCallDepth || stackExhausted())
        fail("Procedure calls are nested too deeply.");
    Frame f;
    f.proc = &proc;
    f.file = proc.file;
    f.line = proc.line;
    Scope params;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Param& p = proc.params[i];
        const Slot* slot = i < slots.size() ? &slots[i] : nullptr;
        if (slot && *slot && Value::isArrayType(p.type) && (*slot)->type() == p.type)
            params[p.name] = *slot;  // arrays pass by reference
        else
            params[p.name] = std::make_shared<Value>(converted(args[i], p.type));
    }
    f.scopes.push_back(std::move(params));
    FrameGuard guard(*this, std::move(f));
    Flow flow = exec(*proc.body);
    if (!proc.returns)
        return Value();
    if (flow == Flow::Return)
        return converted(guard.frame().returnValue, proc.returnType);
    return Value::defaultOf(proc.returnType);
}

}  // namespace host::mel
