#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Ast.h"
#include "Lexer.h"

namespace host::mel {

// Reads a whole MEL text into a Program, or throws SyntaxError: nothing of a faulty text runs.
// Besides the grammar it checks what MEL checks before running: variables are declared (or
// first assigned) before use, break/continue sit in loops, procedures only at the top level.
class Parser {
public:
    // knownTopLevel answers whether the session's top level already holds a variable, so that
    // a script may use what an earlier one declared. The source must outlive the parser.
    Parser(const std::string& source, std::function<bool(const std::string&)> knownTopLevel,
           int firstLine = 1);

    Program parse();
    const Lexer& lexer() const { return lex_; }
    // Whether the reading asked knownTopLevel, so that it may differ in another session state.
    bool askedTopLevel() const { return askedTopLevel_; }

    // Deepest nesting of blocks, statements and parenthesised or unary expressions, and the
    // tallest expression tree; beyond them the text is rejected rather than risking the stack.
    static constexpr int kMaxNesting = 512;
    static constexpr int kMaxExprDepth = 1000;

private:
    class Nest;

    // Statements
    StmtPtr parseStatement();
    StmtPtr parseBlock();
    StmtPtr parseIf();
    StmtPtr parseWhile();
    StmtPtr parseDoWhile();
    StmtPtr parseFor();
    StmtPtr parseSwitch();
    StmtPtr parseReturn();
    StmtPtr parseDecl(bool global);
    StmtPtr parseSource();
    StmtPtr parseCommandStatement();
    StmtPtr loopBody();
    void parseProc();
    void terminator();

    // Expressions
    ExprPtr parseExpr();
    ExprPtr parseAssignment();
    ExprPtr parseTernary();
    ExprPtr parseTernaryRest(ExprPtr cond);
    ExprPtr parseBinary(int minPrecedence, ExprPtr lhs = nullptr);
    ExprPtr parseUnary();
    ExprPtr parsePostfix();
    bool castAhead(Type& type);  // at "(": is it "(int)" and the like
    ExprPtr parsePrimary();
    ExprPtr parseCall(const Token& name);
    ExprPtr parseCommandArgs(const Token& name, bool inBackquote);
    ExprPtr parseBackquote();
    bool closesBeforeBackquote();
    ExprPtr parseVectorOrMatrix(const Token& open);
    std::vector<ExprPtr> parseExprList();

    ExprPtr node(ExprKind kind, const Token& at, std::vector<ExprPtr> kids = {});
    ExprPtr literal(const Token& at, Value v);
    Token expect(const char* op);
    [[noreturn]] void failAt(const Token& t);
    int lineOf(const Token& t) const { return lex_.lineOf(t.pos); }

    bool declared(const std::string& name);
    void declare(const std::string& name);

    Lexer lex_;
    std::function<bool(const std::string&)> knownTopLevel_;
    std::vector<std::set<std::string>> scopes_;
    const ProcDef* proc_ = nullptr;  // the procedure being read, null at the top level
    int loops_ = 0, switches_ = 0, nesting_ = 0;
    bool askedTopLevel_ = false;
    Program program_;
};

bool typeFromName(const std::string& word, Type& type);

}  // namespace host::mel
