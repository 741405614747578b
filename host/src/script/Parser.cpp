// The MEL parser: tokens from the Lexer to the tree in Ast.h, by recursive
// descent with precedence climbing for the binary operators.
//
// Map, top to bottom:
// - type names, operator precedence and what may be assigned to;
// - parse(): the whole text; procedures (global or not) go to the
//   program's procedure list, apart from its statements;
// - helpers: expect, failAt (syntax errors point at a token), terminators;
// - statements: blocks, if/while/do/for/for-in/switch, return, declarations
//   (which names are variables matters for the call-or-command choice),
//   source, proc, and command statements (`ls -sl`);
// - expressions: assignment, ternary, binary, unary, postfix, primaries,
//   vector and matrix literals;
// - calls and commands: whether `name(...)` is a call or a command whose
//   first argument is a parenthesis is decided here (see docs/host.md);
//   inside back quotes by a scan to the closing parenthesis, not by trying
//   both parses, which was exponential in the nesting.
#include "Parser.h"

#include <algorithm>
#include <utility>

namespace host::mel {

bool typeFromName(const std::string& name, Type& type) {
    const std::string_view word = name;
    if (word == "int")
        type = Type::Int;
    else if (word == "float")
        type = Type::Float;
    else if (word == "string")
        type = Type::String;
    else if (word == "vector")
        type = Type::Vector;
    else if (word == "matrix")
        type = Type::Matrix;
    else
        return false;
    return true;
}

namespace {

// MEL's binary operators, loosest first; 0 for tokens that are none.
int precedence(const Token& t) {
    if (t.kind != Tok::Op)
        return 0;
    const std::string& op = t.text;
    if (op == "||")
        return 1;
    if (op == "&&")
        return 2;
    if (op == "==" || op == "!=")
        return 3;
    if (op == "<" || op == "<=" || op == ">" || op == ">=")
        return 4;
    if (op == "+" || op == "-")
        return 5;
    if (op == "*" || op == "/" || op == "%" || op == "^")
        return 6;
    return 0;
}

bool isAssignOp(const Token& t) {
    return t.is("=") || t.is("+=") || t.is("-=") || t.is("*=") || t.is("/=");
}

bool isLvalue(const Expr& e) {
    if (e.kind == ExprKind::Var)
        return true;
    if (e.kind != ExprKind::Index)
        return false;
    const Expr& base = *e.kids[0];
    return base.kind == ExprKind::Var ||
           (base.kind == ExprKind::Index && base.kids[0]->kind == ExprKind::Var);
}

bool endsStatement(const Token& t) {
    return t.kind == Tok::End || t.is(";") || t.is("}");
}

}  // namespace

// Counts one level of recursion for as long as it lives.
class Parser::Nest {
public:
    Nest(Parser& p, const Token& at) : p_(p) {
        if (p_.nesting_ >= kMaxNesting)
            p_.lex_.fail(at.pos, "Too many nested blocks or expressions.");
        ++p_.nesting_;
    }
    ~Nest() { --p_.nesting_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

private:
    Parser& p_;
};

Parser::Parser(const std::string& source, std::function<bool(const std::string&)> knownTopLevel,
               int firstLine)
    : lex_(source, firstLine), knownTopLevel_(std::move(knownTopLevel)) {}

Program Parser::parse() {
    scopes_.clear();  // the top level's scope is made with its first variable
    while (lex_.peek().kind != Tok::End) {
        const Token& t = lex_.peek();
        const bool ident = t.kind == Tok::Ident;
        if (ident && t.text == std::string_view("proc")) {
            parseProc();
            continue;
        }
        if (ident && t.text == std::string_view("global")) {
            std::size_t save = lex_.pos();
            lex_.next();
            Token after = lex_.peek();
            lex_.seek(save);
            if (after.kind == Tok::Ident && after.text == "proc") {
                parseProc();
                continue;
            }
        }
        program_.statements.push_back(parseStatement());
    }
    return std::move(program_);
}

// ---------------------------------------------------------------- helpers

void Parser::failAt(const Token& t) {
    lex_.fail(t.pos, "Syntax error", t.kind == Tok::End);
}

Token Parser::expect(const char* op) {
    Token t = lex_.next();
    if (!t.is(op))
        failAt(t);
    return t;
}

ExprPtr Parser::node(ExprKind kind, const Token& at, std::vector<ExprPtr> kids) {
    auto e = std::make_unique<Expr>(kind, lineOf(at));
    int depth = 0;
    for (const ExprPtr& k : kids)
        depth = std::max(depth, k->depth);
    e->depth = depth + 1;
    if (e->depth > kMaxExprDepth)
        lex_.fail(at.pos, "Expression is too complex.");
    e->kids = std::move(kids);
    return e;
}

ExprPtr Parser::literal(const Token& at, Value v) {
    ExprPtr e = node(ExprKind::Literal, at);
    e->value = std::move(v);
    return e;
}

void Parser::declare(const std::string& name) {
    if (scopes_.empty())
        scopes_.emplace_back();
    scopes_.back().insert(name);
}

bool Parser::declared(const std::string& name) {
    for (auto it = scopes_.rbegin(); it != scopes_.rend(); ++it)
        if (it->count(name))
            return true;
    if (proc_ != nullptr || !knownTopLevel_)
        return false;
    askedTopLevel_ = true;
    return knownTopLevel_(name);
}

void Parser::terminator() {
    Token t = lex_.peek();
    if (t.is(";")) {
        lex_.next();
        return;
    }
    if (t.is("}") || t.kind == Tok::End)
        return;
    failAt(t);
}

// ---------------------------------------------------------------- statements

StmtPtr Parser::parseStatement() {
    Token t = lex_.peek();
    Nest nest(*this, t);
    if (t.kind == Tok::End)
        failAt(t);
    if (t.is(";")) {
        lex_.next();
        return std::make_unique<Stmt>(StmtKind::Empty, lineOf(t));
    }
    if (t.is("{"))
        return parseBlock();
    if (t.kind == Tok::Ident) {
        const std::string_view w = t.text;
        Type type;
        if (w == "if")
            return parseIf();
        if (w == "while")
            return parseWhile();
        if (w == "do")
            return parseDoWhile();
        if (w == "for")
            return parseFor();
        if (w == "switch")
            return parseSwitch();
        if (w == "return")
            return parseReturn();
        if (w == "source")
            return parseSource();
        if (w == "break" || w == "continue") {
            lex_.next();
            if (loops_ == 0 && (w == "continue" || switches_ == 0))
                failAt(t);
            terminator();
            return std::make_unique<Stmt>(w == "break" ? StmtKind::Break : StmtKind::Continue,
                                          lineOf(t));
        }
        if (w == "global") {
            lex_.next();
            Token ty = lex_.peek();
            if (ty.kind != Tok::Ident || !typeFromName(ty.text, type))
                failAt(ty);
            return parseDecl(true);
        }
        if (typeFromName(t.text, type)) {
            std::size_t save = lex_.pos();
            lex_.next();
            bool cast = lex_.peek().is("(");
            lex_.seek(save);
            if (!cast)
                return parseDecl(false);
        } else if (w == "proc" || w == "case" || w == "default" || w == "else") {
            failAt(t);
        } else {
            return parseCommandStatement();
        }
    }
    auto s = std::make_unique<Stmt>(StmtKind::Expr, lineOf(t));
    s->expr = parseExpr();
    terminator();
    return s;
}

StmtPtr Parser::parseBlock() {
    Token open = expect("{");
    auto s = std::make_unique<Stmt>(StmtKind::Block, lineOf(open));
    scopes_.emplace_back();
    while (!lex_.peek().is("}"))
        s->body.push_back(parseStatement());
    lex_.next();
    scopes_.pop_back();
    return s;
}

StmtPtr Parser::loopBody() {
    ++loops_;
    StmtPtr body = parseStatement();
    --loops_;
    return body;
}

StmtPtr Parser::parseIf() {
    Token kw = lex_.next();
    auto s = std::make_unique<Stmt>(StmtKind::If, lineOf(kw));
    expect("(");
    s->expr = parseExpr();
    expect(")");
    s->then = parseStatement();
    Token t = lex_.peek();
    if (t.kind == Tok::Ident && t.text == "else") {
        lex_.next();
        s->otherwise = parseStatement();
    }
    return s;
}

StmtPtr Parser::parseWhile() {
    Token kw = lex_.next();
    auto s = std::make_unique<Stmt>(StmtKind::While, lineOf(kw));
    expect("(");
    s->expr = parseExpr();
    expect(")");
    s->then = loopBody();
    return s;
}

StmtPtr Parser::parseDoWhile() {
    Token kw = lex_.next();
    auto s = std::make_unique<Stmt>(StmtKind::DoWhile, lineOf(kw));
    s->then = loopBody();
    Token w = lex_.next();
    if (w.kind != Tok::Ident || w.text != "while")
        failAt(w);
    expect("(");
    s->expr = parseExpr();
    expect(")");
    terminator();
    return s;
}

std::vector<ExprPtr> Parser::parseExprList() {
    std::vector<ExprPtr> list;
    list.push_back(parseExpr());
    while (lex_.peek().is(",")) {
        lex_.next();
        list.push_back(parseExpr());
    }
    return list;
}

StmtPtr Parser::parseFor() {
    Token kw = lex_.next();
    expect("(");
    // for ([type] $v in array) or for (init; condition; step)
    std::size_t save = lex_.pos();
    Token a = lex_.next();
    Type type = Type::Int;
    bool typed = a.kind == Tok::Ident && typeFromName(a.text, type);
    if (typed)
        a = lex_.next();
    Token in = lex_.peek();
    if (a.kind == Tok::Var && in.kind == Tok::Ident && in.text == "in") {
        lex_.next();
        auto s = std::make_unique<Stmt>(StmtKind::ForIn, lineOf(kw));
        s->name = a.text;
        s->declares = typed;
        s->declType = type;
        s->expr = parseExpr();
        expect(")");
        declare(a.text);
        s->then = loopBody();
        return s;
    }
    if (typed)
        failAt(a);
    lex_.seek(save);
    auto s = std::make_unique<Stmt>(StmtKind::For, lineOf(kw));
    if (!lex_.peek().is(";"))
        s->init = parseExprList();
    expect(";");
    if (!lex_.peek().is(";"))
        s->cond = parseExpr();
    expect(";");
    if (!lex_.peek().is(")"))
        s->step = parseExprList();
    expect(")");
    s->then = loopBody();
    return s;
}

StmtPtr Parser::parseSwitch() {
    Token kw = lex_.next();
    auto s = std::make_unique<Stmt>(StmtKind::Switch, lineOf(kw));
    expect("(");
    s->expr = parseExpr();
    expect(")");
    expect("{");
    ++switches_;
    scopes_.emplace_back();
    while (true) {
        Token t = lex_.peek();
        if (t.is("}"))
            break;
        if (t.kind == Tok::Ident && (t.text == "case" || t.text == "default")) {
            lex_.next();
            SwitchCase c;
            if (t.text == "case")
                c.value = parseExpr();
            expect(":");
            c.first = s->body.size();
            s->cases.push_back(std::move(c));
            continue;
        }
        if (s->cases.empty())
            failAt(t);
        s->body.push_back(parseStatement());
    }
    lex_.next();
    scopes_.pop_back();
    --switches_;
    return s;
}

StmtPtr Parser::parseReturn() {
    Token kw = lex_.next();
    auto s = std::make_unique<Stmt>(StmtKind::Return, lineOf(kw));
    if (!endsStatement(lex_.peek()))
        s->expr = parseExpr();
    if (proc_) {
        if (s->expr && !proc_->returns)
            lex_.fail(kw.pos, "Procedure \"" + proc_->name + "\" cannot return a value.");
        if (!s->expr && proc_->returns)
            lex_.fail(kw.pos, "Procedure \"" + proc_->name + "\" must return a value.");
    }
    terminator();
    return s;
}

StmtPtr Parser::parseDecl(bool global) {
    Token ty = lex_.next();
    auto s = std::make_unique<Stmt>(StmtKind::Decl, lineOf(ty));
    s->global = global;
    typeFromName(ty.text, s->declType);
    bool matrix = s->declType == Type::Matrix;
    while (true) {
        Token v = lex_.next();
        if (v.kind != Tok::Var)
            failAt(v);
        VarDecl d;
        d.name = v.text;
        d.line = lineOf(v);
        if (lex_.peek().is("[")) {
            lex_.next();
            if (!lex_.peek().is("]"))
                d.size = parseExpr();
            expect("]");
            if (matrix) {
                expect("[");
                if (!d.size || lex_.peek().is("]"))
                    failAt(lex_.peek());
                d.size2 = parseExpr();
                expect("]");
            } else {
                d.isArray = true;
            }
        }
        if (lex_.peek().is("=")) {
            lex_.next();
            d.init = parseAssignment();
        }
        declare(d.name);
        s->vars.push_back(std::move(d));
        if (!lex_.peek().is(","))
            break;
        lex_.next();
    }
    terminator();
    return s;
}

StmtPtr Parser::parseSource() {
    Token kw = lex_.next();
    auto s = std::make_unique<Stmt>(StmtKind::Source, lineOf(kw));
    char c = lex_.peekChar();
    Token path = c == '"' ? lex_.next() : lex_.nextWord();
    if (path.text.empty())
        failAt(lex_.peek());
    s->name = path.text;
    terminator();
    return s;
}

void Parser::parseProc() {
    Token first = lex_.next();
    auto def = std::make_shared<ProcDef>();
    def->line = lineOf(first);
    if (first.text == "global") {
        def->global = true;
        lex_.next();  // "proc"
    }
    Token t = lex_.next();
    Type type;
    if (t.kind == Tok::Ident && typeFromName(t.text, type)) {
        def->returns = true;
        if (lex_.peek().is("[")) {
            lex_.next();
            expect("]");
            if (type == Type::Matrix)
                failAt(t);
            type = Value::arrayOf(type);
        }
        def->returnType = type;
        t = lex_.next();
    }
    if (t.kind != Tok::Ident)
        failAt(t);
    def->name = t.text;
    expect("(");
    std::set<std::string> params;
    if (!lex_.peek().is(")")) {
        while (true) {
            Token pt = lex_.next();
            if (pt.kind != Tok::Ident || !typeFromName(pt.text, type))
                failAt(pt);
            Token pv = lex_.next();
            if (pv.kind != Tok::Var || params.count(pv.text))
                failAt(pv);
            if (lex_.peek().is("[")) {
                lex_.next();
                expect("]");
                if (type == Type::Matrix)
                    failAt(pt);
                type = Value::arrayOf(type);
            }
            def->params.push_back(Param{type, pv.text});
            params.insert(pv.text);
            if (!lex_.peek().is(","))
                break;
            lex_.next();
        }
    }
    expect(")");
    if (!lex_.peek().is("{"))
        failAt(lex_.peek());
    // A procedure sees its parameters, its own locals and the globals it declares, not the
    // variables of the top level.
    std::vector<std::set<std::string>> outer = std::move(scopes_);
    scopes_.assign(1, params);
    proc_ = def.get();
    def->body = parseBlock();
    proc_ = nullptr;
    scopes_ = std::move(outer);
    program_.procs.push_back(std::move(def));
}

StmtPtr Parser::parseCommandStatement() {
    Token name = lex_.next();
    auto s = std::make_unique<Stmt>(StmtKind::Expr, lineOf(name));
    std::size_t afterName = lex_.pos();
    // Looked at as a character: a first argument such as |group|node is no
    // operator token.
    if (lex_.peekChar() == '(') {
        // name(...) is a function call when the statement ends behind it or an operator
        // continues it; otherwise the parenthesis is the first argument in command syntax,
        // as in  setAttr ($node + ".tx") 1;
        try {
            ExprPtr call = parseCall(name);
            Token n = lex_.peek();
            bool continues = precedence(n) > 0 && !n.is("-");
            if (endsStatement(n) || continues || n.is("?")) {
                s->expr = parseTernaryRest(parseBinary(1, std::move(call)));
                terminator();
                return s;
            }
        } catch (const SyntaxError& e) {
            if (e.atEnd)
                throw;
        }
        lex_.seek(afterName);
    }
    s->expr = parseCommandArgs(name, false);
    terminator();
    return s;
}

// ---------------------------------------------------------------- expressions

ExprPtr Parser::parseExpr() {
    return parseAssignment();
}

ExprPtr Parser::parseAssignment() {
    ExprPtr target = parseTernary();
    Token op = lex_.peek();
    if (!isAssignOp(op))
        return target;
    Nest nest(*this, op);
    if (!isLvalue(*target))
        failAt(op);
    lex_.next();
    ExprPtr value = parseAssignment();
    // A plain assignment declares a variable not seen before, with the value's type.
    if (op.is("=") && target->kind == ExprKind::Var && !declared(target->name))
        declare(target->name);
    std::vector<ExprPtr> kids;
    kids.push_back(std::move(target));
    kids.push_back(std::move(value));
    ExprPtr e = node(ExprKind::Assign, op, std::move(kids));
    e->name = op.text;
    return e;
}

ExprPtr Parser::parseTernary() {
    return parseTernaryRest(parseBinary(1));
}

ExprPtr Parser::parseTernaryRest(ExprPtr cond) {
    Token q = lex_.peek();
    if (!q.is("?"))
        return cond;
    Nest nest(*this, q);
    lex_.next();
    std::vector<ExprPtr> kids;
    kids.push_back(std::move(cond));
    kids.push_back(parseExpr());
    expect(":");
    kids.push_back(parseTernary());
    return node(ExprKind::Ternary, q, std::move(kids));
}

ExprPtr Parser::parseBinary(int minPrecedence, ExprPtr lhs) {
    if (!lhs)
        lhs = parseUnary();
    while (true) {
        Token op = lex_.peek();
        int p = precedence(op);
        if (p == 0 || p < minPrecedence)
            return lhs;
        lex_.next();
        ExprPtr rhs = parseBinary(p + 1);
        std::vector<ExprPtr> kids;
        kids.push_back(std::move(lhs));
        kids.push_back(std::move(rhs));
        bool logical = op.is("&&") || op.is("||");
        lhs = node(logical ? ExprKind::Logical : ExprKind::Binary, op, std::move(kids));
        lhs->name = op.text;
    }
}

ExprPtr Parser::parseUnary() {
    Token t = lex_.peek();
    Nest nest(*this, t);
    if (t.is("-") || t.is("+") || t.is("!")) {
        lex_.next();
        ExprPtr operand = parseUnary();
        if (t.is("-") && operand->kind == ExprKind::Literal && operand->value.isNumber()) {
            // Folded so that -2147483648 and negative case labels are plain constants.
            const Value& v = operand->value;
            operand->value = v.type() == Type::Int
                                 ? Value(wrapInt(-static_cast<long long>(v.asInt())))
                                 : Value(-v.asFloat());
            return operand;
        }
        std::vector<ExprPtr> kids;
        kids.push_back(std::move(operand));
        ExprPtr e = node(ExprKind::Unary, t, std::move(kids));
        e->name = t.text;
        return e;
    }
    Type castType = Type::Int;
    if (t.is("(") && castAhead(castType)) {
        // "(int) $x": the parenthesised type word binds like a unary operator.
        lex_.next();
        lex_.next();
        lex_.next();
        std::vector<ExprPtr> kids;
        kids.push_back(parseUnary());
        ExprPtr e = node(ExprKind::Cast, t, std::move(kids));
        e->castType = castType;
        return e;
    }
    if (t.is("++") || t.is("--")) {
        lex_.next();
        ExprPtr operand = parseUnary();
        if (!isLvalue(*operand))
            failAt(t);
        std::vector<ExprPtr> kids;
        kids.push_back(std::move(operand));
        ExprPtr e = node(ExprKind::IncDec, t, std::move(kids));
        e->name = t.text;
        e->prefix = true;
        return e;
    }
    return parsePostfix();
}

bool Parser::castAhead(Type& type) {
    // A type word alone in parentheses; in an expression a bare word can be nothing else.
    const std::size_t save = lex_.pos();
    lex_.next();
    const Token word = lex_.next();
    const bool cast =
        word.kind == Tok::Ident && typeFromName(word.text, type) && lex_.next().is(")");
    lex_.seek(save);
    return cast;
}

ExprPtr Parser::parsePostfix() {
    ExprPtr e = parsePrimary();
    while (true) {
        Token t = lex_.peek();
        if (t.is("[")) {
            lex_.next();
            std::vector<ExprPtr> kids;
            kids.push_back(std::move(e));
            kids.push_back(parseExpr());
            expect("]");
            e = node(ExprKind::Index, t, std::move(kids));
        } else if (t.is(".")) {
            lex_.next();
            Token c = lex_.next();
            if (c.kind != Tok::Ident || (c.text != "x" && c.text != "y" && c.text != "z"))
                failAt(c);
            std::vector<ExprPtr> kids;
            kids.push_back(std::move(e));
            e = node(ExprKind::Component, t, std::move(kids));
            e->component = c.text[0];
        } else if ((t.is("++") || t.is("--")) && isLvalue(*e)) {
            lex_.next();
            std::vector<ExprPtr> kids;
            kids.push_back(std::move(e));
            e = node(ExprKind::IncDec, t, std::move(kids));
            e->name = t.text;
        } else {
            return e;
        }
    }
}

ExprPtr Parser::parsePrimary() {
    Token t = lex_.next();
    switch (t.kind) {
        case Tok::End:
            failAt(t);
        case Tok::Int:
            return literal(t, Value(t.intValue));
        case Tok::Float:
            return literal(t, Value(t.floatValue));
        case Tok::String:
            return literal(t, Value(t.text));
        case Tok::Var: {
            if (!lex_.peek().is("=") && !declared(t.text))
                lex_.fail(t.pos, "\"" + t.text + "\" is an undeclared variable.");
            ExprPtr e = node(ExprKind::Var, t);
            e->name = t.text;
            return e;
        }
        case Tok::Ident: {
            if (lex_.peek().is("("))
                return parseCall(t);
            if (t.text == "true" || t.text == "on" || t.text == "yes")
                return literal(t, Value(1));
            if (t.text == "false" || t.text == "off" || t.text == "no")
                return literal(t, Value(0));
            failAt(t);
        }
        case Tok::Op:
            break;
    }
    if (t.is("(")) {
        ExprPtr e = parseExpr();
        expect(")");
        return e;
    }
    if (t.is("{")) {
        std::vector<ExprPtr> items;
        if (!lex_.peek().is("}"))
            items = parseExprList();
        expect("}");
        return node(ExprKind::ArrayLit, t, std::move(items));
    }
    if (t.is("<<"))
        return parseVectorOrMatrix(t);
    if (t.is("`")) {
        lex_.seek(t.pos);
        return parseBackquote();
    }
    failAt(t);
}

ExprPtr Parser::parseVectorOrMatrix(const Token& open) {
    std::vector<ExprPtr> cells;
    int rows = 1, cols = 0, inRow = 0;
    while (true) {
        cells.push_back(parseExpr());
        ++inRow;
        Token t = lex_.next();
        if (t.is(","))
            continue;
        if (cols != 0 && inRow != cols)
            failAt(t);
        cols = inRow;
        inRow = 0;
        if (t.is(">>"))
            break;
        if (!t.is(";"))
            failAt(t);
        ++rows;
    }
    bool vector = rows == 1 && cols == 3;
    ExprPtr e = node(vector ? ExprKind::VectorLit : ExprKind::MatrixLit, open, std::move(cells));
    e->rows = rows;
    e->cols = cols;
    return e;
}

ExprPtr Parser::parseCall(const Token& name) {
    Token open = expect("(");
    Type type;
    if (name.text == "catch" || name.text == "catchQuiet") {
        std::vector<ExprPtr> kids;
        kids.push_back(parseExpr());
        expect(")");
        ExprPtr e = node(ExprKind::Catch, name, std::move(kids));
        e->quiet = name.text == "catchQuiet";
        return e;
    }
    if (typeFromName(name.text, type)) {
        std::vector<ExprPtr> kids;
        kids.push_back(parseExpr());
        expect(")");
        ExprPtr e = node(ExprKind::Cast, name, std::move(kids));
        e->castType = type;
        return e;
    }
    std::vector<ExprPtr> args;
    if (!lex_.peek().is(")"))
        args = parseExprList();
    expect(")");
    ExprPtr e = node(ExprKind::Call, name, std::move(args));
    e->name = name.text;
    return e;
}

ExprPtr Parser::parseCommandArgs(const Token& name, bool inBackquote) {
    std::vector<ExprPtr> args;
    args.reserve(4);  // enough for most commands at once
    while (true) {
        char c = lex_.peekChar();
        if (c == '\0' || c == ';' || c == '}' || (c == '`' && inBackquote))
            break;
        if (c == ')')
            failAt(lex_.peek());
        if (c == '`') {
            args.push_back(parseBackquote());
        } else if (c == '"') {
            Token s = lex_.next();
            args.push_back(literal(s, Value(s.text)));
        } else if (c == '$') {
            args.push_back(parsePostfix());
        } else if (c == '(' || c == '{' || (c == '<' && lex_.peek().is("<<"))) {
            args.push_back(parsePrimary());
        } else {
            // Bare words, numbers included, stay strings: the command decides what they mean.
            Token w = lex_.nextWord();
            args.push_back(literal(w, Value(w.text)));
        }
    }
    ExprPtr e = node(ExprKind::Call, name, std::move(args));
    e->name = name.text;
    e->commandSyntax = true;
    return e;
}

// Whether the parenthesis at the cursor closes right before a backquote,
// which makes `name(...)` function-call syntax rather than a command whose
// first argument is in parentheses. Decided by counting tokens, not by
// parsing both ways: trying one and then the other at every level of nested
// substitutions costs twice per level, exponential in the nesting.
bool Parser::closesBeforeBackquote() {
    const std::size_t start = lex_.pos();
    int depth = 0;
    bool call = false;
    try {
        for (Token t = lex_.next(); t.kind != Tok::End; t = lex_.next()) {
            if (t.is("("))
                ++depth;
            else if (t.is(")") && --depth == 0) {
                call = lex_.peek().is("`");
                break;
            }
        }
    } catch (const SyntaxError& e) {
        lex_.seek(start);
        // Call syntax reports a text that ends inside the parentheses.
        return e.atEnd;
    }
    lex_.seek(start);
    return call || depth > 0;
}

ExprPtr Parser::parseBackquote() {
    Token open = expect("`");
    Nest nest(*this, open);
    Token name = lex_.next();
    if (name.kind != Tok::Ident)
        failAt(name);
    if (lex_.peekChar() == '(' && closesBeforeBackquote()) {
        ExprPtr call = parseCall(name);
        expect("`");
        return call;
    }
    ExprPtr call = parseCommandArgs(name, true);
    Token close = lex_.next();
    if (!close.is("`"))
        failAt(close);
    return call;
}

}  // namespace host::mel
