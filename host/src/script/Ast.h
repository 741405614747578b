#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Value.h"

namespace host::mel {

struct Expr;
struct Stmt;
using ExprPtr = std::unique_ptr<Expr>;
using StmtPtr = std::unique_ptr<Stmt>;

enum class ExprKind {
    Literal,    // value
    Var,        // name ("$x")
    Index,      // kids[0][kids[1]]
    Component,  // kids[0].component
    Unary,      // op kids[0]: "-", "+", "!"
    IncDec,     // op "++"/"--" on the lvalue kids[0]; prefix tells ++$x from $x++
    Binary,     // kids[0] op kids[1]
    Logical,    // "&&" / "||", short-circuit
    Ternary,    // kids[0] ? kids[1] : kids[2]
    Assign,     // kids[0] op kids[1], op "=", "+=", "-=", "*=", "/="
    VectorLit,  // <<kids[0], kids[1], kids[2]>>
    MatrixLit,  // rows x cols cells in kids, row-major
    ArrayLit,   // {kids...}
    Call,       // name(kids...) or name kids... in command syntax
    Cast,       // castType(kids[0])
    Catch,      // catch(kids[0]); quiet for catchQuiet
};

struct Expr {
    ExprKind kind;
    int line = 0;
    int depth = 1;     // height of the tree below, bounded by the parser
    Value value;       // Literal
    std::string name;  // Var, Call, and the operator of Unary/IncDec/Binary/Logical/Assign
    std::vector<ExprPtr> kids;
    char component = 0;          // Component: 'x', 'y' or 'z'
    bool prefix = false;         // IncDec
    bool commandSyntax = false;  // Call
    bool quiet = false;          // Catch
    Type castType = Type::Int;   // Cast
    int rows = 0, cols = 0;      // MatrixLit

    Expr(ExprKind k, int l) : kind(k), line(l) {}
};

enum class StmtKind {
    Empty,
    Expr,
    Decl,
    Block,
    If,
    While,
    DoWhile,
    For,
    ForIn,
    Switch,
    Break,
    Continue,
    Return,
    Source
};

struct VarDecl {
    std::string name;
    bool isArray = false;
    ExprPtr size, size2;  // "[n]" for arrays, "[r][c]" for matrices
    ExprPtr init;
    int line = 0;
};

struct SwitchCase {
    ExprPtr value;          // null for default
    std::size_t first = 0;  // index into body where its statements start
};

struct Stmt {
    StmtKind kind;
    int line = 0;
    ExprPtr expr;  // Expr, If/While/DoWhile condition, Return value, ForIn array, Switch
    std::vector<ExprPtr> init, step;  // For
    ExprPtr cond;                     // For (may be null)
    std::vector<StmtPtr> body;        // Block, Switch
    StmtPtr then, otherwise;          // If branches; loop bodies in then
    bool global = false;              // Decl
    Type declType = Type::Int;        // Decl (element type for arrays), ForIn declared type
    std::vector<VarDecl> vars;        // Decl
    std::string name;                 // ForIn variable, Source path
    bool declares = false;            // ForIn with a typed variable
    std::vector<SwitchCase> cases;    // Switch

    Stmt(StmtKind k, int l) : kind(k), line(l) {}
};

struct Param {
    Type type;
    std::string name;
};

struct ProcDef {
    std::string name;
    bool global = false;
    bool returns = false;
    Type returnType = Type::Int;
    std::vector<Param> params;
    StmtPtr body;
    std::string file;  // where it was defined; empty when entered interactively
    int line = 0;
};

struct Program {
    std::vector<StmtPtr> statements;
    std::vector<std::shared_ptr<ProcDef>> procs;
};

}  // namespace host::mel
