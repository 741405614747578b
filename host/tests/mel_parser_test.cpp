// The lexer and parser on their own: tokens, command words, and how statements are read.
#include <gtest/gtest.h>

#include "script/Lexer.h"
#include "script/Parser.h"

namespace host::mel {
namespace {

Program parse(const std::string& src) {
    Parser parser(src, [](const std::string&) { return false; });
    return parser.parse();
}

SyntaxError syntaxError(const std::string& src) {
    try {
        parse(src);
    } catch (const SyntaxError& e) {
        return e;
    }
    ADD_FAILURE() << "parsed: " << src;
    return {};
}

const Expr& onlyExpr(const Program& p) {
    EXPECT_EQ(p.statements.size(), 1u);
    EXPECT_EQ(p.statements[0]->kind, StmtKind::Expr);
    return *p.statements[0]->expr;
}

TEST(MelLexer, TokensNumbersAndStrings) {
    std::string src = "$a1 += 0x10 2.5e1 .5 \"a\\\"b\" // comment\n /* block */ <<>> `";
    Lexer lex(src);
    Token t = lex.next();
    EXPECT_EQ(t.kind, Tok::Var);
    EXPECT_EQ(t.text, "$a1");
    EXPECT_TRUE(lex.next().is("+="));
    t = lex.next();
    EXPECT_EQ(t.kind, Tok::Int);
    EXPECT_EQ(t.intValue, 16);
    t = lex.next();
    EXPECT_EQ(t.kind, Tok::Float);
    EXPECT_DOUBLE_EQ(t.floatValue, 25.0);
    EXPECT_DOUBLE_EQ(lex.next().floatValue, 0.5);
    t = lex.next();
    EXPECT_EQ(t.kind, Tok::String);
    EXPECT_EQ(t.text, "a\"b");
    EXPECT_TRUE(lex.next().is("<<"));
    EXPECT_TRUE(lex.next().is(">>"));
    t = lex.next();
    EXPECT_TRUE(t.is("`"));
    EXPECT_EQ(lex.lineOf(t.pos), 2);
    EXPECT_EQ(lex.next().kind, Tok::End);
}

TEST(MelLexer, CommandWordsRunToBlanksAndBreaks) {
    std::string src = "  |a|b.vtx[0:3];rest";
    Lexer lex(src);
    EXPECT_EQ(lex.peekChar(), '|');
    EXPECT_EQ(lex.nextWord().text, "|a|b.vtx[0:3]");
    EXPECT_EQ(lex.peekChar(), ';');
    Lexer numbers("-2.5e3x $v");
    EXPECT_EQ(numbers.nextWord().text, "-2.5e3x");
    EXPECT_EQ(numbers.peekChar(), '$');
}

TEST(MelLexer, LinesAndColumns) {
    std::string src = "a\r\nbc\n\n  d";
    Lexer lex(src);
    EXPECT_EQ(lex.lineText(1), "a");
    EXPECT_EQ(lex.lineText(4), "  d");
    EXPECT_EQ(lex.lineText(9), "");
    EXPECT_EQ(lex.lineOf(src.find('d')), 4);
    EXPECT_EQ(lex.columnOf(src.find('d')), 3);
}

TEST(MelParser, CommandOrFunctionSyntax) {
    {
        Program p = parse("ls -sl \"x\" 5;");
        const Expr& e = onlyExpr(p);
        EXPECT_EQ(e.kind, ExprKind::Call);
        EXPECT_TRUE(e.commandSyntax);
        ASSERT_EQ(e.kids.size(), 3u);
        EXPECT_EQ(e.kids[2]->value, Value("5"));
    }
    {
        Program p = parse("size({1}) + 1;");
        EXPECT_EQ(onlyExpr(p).kind, ExprKind::Binary);
    }
    {
        Program p = parse("f(1, 2)");
        const Expr& e = onlyExpr(p);
        EXPECT_FALSE(e.commandSyntax);
        EXPECT_EQ(e.kids.size(), 2u);
    }
    {
        // A parenthesis followed by more words is the first command argument.
        Program p = parse("setAttr (1) 2;");
        const Expr& e = onlyExpr(p);
        EXPECT_TRUE(e.commandSyntax);
        EXPECT_EQ(e.kids.size(), 2u);
    }
    {
        // Inside back quotes too: call syntax only when the parenthesis
        // closes right before the closing quote.
        Program p = parse("`f(1, 2)`; `setAttr(1) 2`;");
        ASSERT_EQ(p.statements.size(), 2u);
        EXPECT_FALSE(p.statements[0]->expr->commandSyntax);
        EXPECT_EQ(p.statements[0]->expr->kids.size(), 2u);
        EXPECT_TRUE(p.statements[1]->expr->commandSyntax);
        EXPECT_EQ(p.statements[1]->expr->kids.size(), 2u);
    }
}

// Each level of nested substitutions is read once: `f(...) x` reads as a
// call up to the parenthesis before it turns out to be a command, and
// parsing both ways at every level made this take 2^22 parses.
TEST(MelParser, NestedSubstitutionsAreReadOnce) {
    std::string text = "1";
    for (int i = 0; i < 22; ++i)
        text = "`f(" + text + ") x`";
    Program p = parse(text + ";");
    const Expr& e = onlyExpr(p);
    EXPECT_TRUE(e.commandSyntax);
    EXPECT_EQ(e.kids.size(), 2u);
    EXPECT_TRUE(syntaxError(text.substr(0, text.size() - 1)).atEnd);
}

TEST(MelParser, PrecedenceShapesTheTree) {
    Program p = parse("1 + 2 * 3 == 7 && 1;");
    const Expr& e = onlyExpr(p);
    ASSERT_EQ(e.kind, ExprKind::Logical);
    const Expr& eq = *e.kids[0];
    EXPECT_EQ(eq.name, "==");
    EXPECT_EQ(eq.kids[0]->name, "+");
    EXPECT_EQ(eq.kids[0]->kids[1]->name, "*");
    Program neg = parse("-5;");
    EXPECT_EQ(onlyExpr(neg).kind, ExprKind::Literal);  // folded
    EXPECT_EQ(onlyExpr(neg).value, Value(-5));
}

TEST(MelParser, ProceduresAreCollectedApart) {
    Program p =
        parse("global proc string[] f(int $a, float $b[]) { return {}; }\nproc g() {}\nf(1, {});");
    ASSERT_EQ(p.procs.size(), 2u);
    EXPECT_TRUE(p.procs[0]->global);
    EXPECT_EQ(p.procs[0]->returnType, Type::StringArray);
    ASSERT_EQ(p.procs[0]->params.size(), 2u);
    EXPECT_EQ(p.procs[0]->params[1].type, Type::FloatArray);
    EXPECT_FALSE(p.procs[1]->global);
    EXPECT_FALSE(p.procs[1]->returns);
    EXPECT_EQ(p.statements.size(), 1u);
}

TEST(MelParser, ScopesOfDeclarations) {
    EXPECT_NO_THROW(parse("int $a; { int $b = $a; } $a = 2;"));
    EXPECT_EQ(syntaxError("{ int $b; } print $b;").message, "\"$b\" is an undeclared variable.");
    // Procedures do not see the top level, not even what is declared before them.
    EXPECT_EQ(syntaxError("int $top; proc p() { print $top; }").message,
              "\"$top\" is an undeclared variable.");
    EXPECT_NO_THROW(parse("for ($i = 0; $i < 2; $i++) print $i;"));
    EXPECT_NO_THROW(parse("for ($s in {\"a\"}) print $s;"));
    EXPECT_NO_THROW(parse("$v = 1; $v++;"));
}

TEST(MelParser, ErrorsCarryPositionAndIncompleteness) {
    SyntaxError e = syntaxError("int $x = 1;\nprint (1 +);");
    EXPECT_EQ(e.line, 2);
    EXPECT_EQ(e.column, 11);
    EXPECT_FALSE(e.atEnd);
    EXPECT_TRUE(syntaxError("while (1) {").atEnd);
    EXPECT_TRUE(syntaxError("print \"open").atEnd);
    EXPECT_FALSE(syntaxError("print );").atEnd);
    EXPECT_FALSE(syntaxError("case 1: print 1;").atEnd);
    EXPECT_FALSE(syntaxError("int $a[][];").atEnd);
    EXPECT_FALSE(syntaxError("3abc;").atEnd);
    EXPECT_FALSE(syntaxError("matrix $m[2];").atEnd);
    EXPECT_FALSE(syntaxError("<<1, 2; 3>>;").atEnd);  // ragged matrix
}

}  // namespace
}  // namespace host::mel
