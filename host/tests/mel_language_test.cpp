// The MEL language: expressions, variables, control flow and procedures.
#include "mel_fixture.h"

namespace host::mel::testing {
namespace {

using MelExpressions = MelTest;
using MelVariables = MelTest;
using MelControlFlow = MelTest;
using MelProcedures = MelTest;

TEST_F(MelExpressions, ArithmeticFollowsMelPrecedenceAndTypes) {
    EXPECT_EQ(run("1 + 2 * 3").asInt(), 7);
    EXPECT_EQ(run("(1 + 2) * 3").asInt(), 9);
    EXPECT_EQ(run("7 / 2").type(), Type::Int);
    EXPECT_EQ(run("7 / 2").asInt(), 3);
    EXPECT_EQ(run("-7 / 2").asInt(), -3);
    EXPECT_EQ(run("-7 % 3").asInt(), -1);
    EXPECT_DOUBLE_EQ(run("7 / 2.0").asFloat(), 3.5);
    EXPECT_DOUBLE_EQ(run("7.5 % 2").asFloat(), 1.5);
    EXPECT_EQ(run("2 - 3 - 4").asInt(), -5);  // left associative
    EXPECT_EQ(run("-2 * -3").asInt(), 6);
    EXPECT_EQ(run("1 < 2 == 1").asInt(), 1);   // comparison binds tighter than equality
    EXPECT_EQ(run("1 || 0 && 0").asInt(), 1);  // && binds tighter than ||
    EXPECT_EQ(run("!0 + 1").asInt(), 2);
    EXPECT_EQ(run("2147483647 + 1").asInt(), -2147483647 - 1);  // 32-bit wrap
    EXPECT_EQ(run("-2147483648 / -1").asInt(), -2147483647 - 1);
    EXPECT_EQ(run("0x1F").asInt(), 31);
    EXPECT_DOUBLE_EQ(run("1e3").asFloat(), 1000.0);
    EXPECT_EQ(run("int $t = true + on + yes + false + off + no; $t").asInt(), 3);
}

TEST_F(MelExpressions, StringsConcatenateAndCompareAsText) {
    EXPECT_EQ(text("\"a\" + 1 + 2"), "a12");
    EXPECT_EQ(text("1 + 2 + \"a\""), "3a");
    EXPECT_EQ(text("\"x\" + 1.5"), "x1.5");
    EXPECT_EQ(text("\"v: \" + <<1, 2, 3>>"), "v: 1 2 3");
    EXPECT_EQ(run("\"abc\" == \"abc\"").asInt(), 1);
    EXPECT_EQ(run("\"1.0\" == 1").asInt(), 0);  // a string side compares text
    EXPECT_EQ(run("\"b\" > \"a\"").asInt(), 1);
    EXPECT_EQ(text("\"tab\\there\\n\\\"q\\\"\\\\\""), "tab\there\n\"q\"\\");
    EXPECT_EQ(text("\"it's\""), "it's");
}

TEST_F(MelExpressions, VectorsAddScaleDotAndCross) {
    EXPECT_EQ(text("<<1, 2, 3>> + <<1, 1, 1>>"), "2 3 4");
    EXPECT_EQ(text("<<1, 2, 3>> * 2"), "2 4 6");
    EXPECT_EQ(text("2 * <<1, 2, 3>>"), "2 4 6");
    EXPECT_EQ(run("<<1, 2, 3>> * <<4, 5, 6>>").asFloat(), 32.0);
    EXPECT_EQ(text("<<1, 0, 0>> ^ <<0, 1, 0>>"), "0 0 1");
    EXPECT_EQ(text("-<<1, -2, 3>>"), "-1 2 -3");
    EXPECT_EQ(text("<<2, 4, 6>> / 2"), "1 2 3");
    EXPECT_EQ(run("<<1, 2, 3>> == <<1, 2, 3>>").asInt(), 1);
    EXPECT_EQ(text("vector $v = <<1, 2, 3>>; $v.x + $v.y * $v.z"), "7");
    EXPECT_EQ(text("vector $vs[] = {<<1, 2, 3>>}; $vs[0].z"), "3");
}

TEST_F(MelExpressions, TernaryIncrementsAndCompoundAssignment) {
    EXPECT_EQ(text("int $a = 5; $a > 3 ? \"big\" : \"small\""), "big");
    EXPECT_EQ(text("int $a = 1; $a ? 0 ? \"x\" : \"y\" : \"z\""), "y");
    EXPECT_EQ(run("int $i = 5; $i++").asInt(), 5);
    EXPECT_EQ(run("int $i = 5; ++$i").asInt(), 6);
    EXPECT_EQ(run("int $i = 5; $i--; $i").asInt(), 4);
    EXPECT_EQ(run("float $f = 1; $f += 0.5; $f *= 4; $f -= 1; $f /= 2").asFloat(), 2.5);
    EXPECT_EQ(text("string $s = \"a\"; $s += \"b\"; $s"), "ab");
    EXPECT_EQ(run("int $a[] = {1, 2}; $a[1] += 5; $a[1]++; $a[1]").asInt(), 8);
    EXPECT_EQ(run("int $a, $b; $a = $b = 4; $a + $b").asInt(), 8);
}

TEST_F(MelExpressions, CastsConvertLikeAssignments) {
    EXPECT_EQ(run("int(3.99)").asInt(), 3);
    EXPECT_EQ(run("int(\"42abc\")").asInt(), 42);
    EXPECT_DOUBLE_EQ(run("float(\"2.5\")").asFloat(), 2.5);
    EXPECT_EQ(text("string(7) + string(0.25)"), "70.25");
    EXPECT_EQ(text("vector(\"1 2 3\")"), "1 2 3");
}

// A matrix trades with the other types only as one row of at most three
// cells: a number is one cell, a vector a row of three.
TEST_F(MelExpressions, MatrixCastsTradeOneRowOfUpToThreeCells) {
    EXPECT_EQ(text("matrix $m[1][3] = (matrix)<<1, 2, 3>>; $m"), "1 2 3");
    EXPECT_EQ(text("matrix(<<4, 5, 6>>)"), "4 5 6");
    EXPECT_EQ(run("matrix $m = (matrix)2.5; $m[0][0]").asFloat(), 2.5);
    EXPECT_EQ(run("(matrix)7 ").type(), Type::Matrix);
    EXPECT_EQ(text("matrix $m[1][2] = <<1, 2>>; (vector)$m"), "1 2 0");
    EXPECT_EQ(text("matrix $m[1][3] = <<3, 4, 0>>; (vector)$m"), "3 4 0");
    EXPECT_EQ(run("matrix $m[1][3] = <<3, 4, 0>>; (float)$m").asFloat(), 5.0);
    EXPECT_EQ(run("matrix $m[1][1] = <<-2.5>>; (float)$m").asFloat(), -2.5);
    EXPECT_EQ(text("matrix $m[1][1] = <<-2.5>>; (string)$m"), "-2.5");
    EXPECT_EQ(text("matrix $m[1][3]; $m = <<7, 8, 9>>; $m"), "7 8 9");

    EXPECT_NE(failure("matrix $m[2][2]; (vector)$m;")
                  .find("Cannot convert data of type matrix to type vector."),
              std::string::npos);
    EXPECT_NE(
        failure("(matrix)\"1 2 3\";").find("Cannot convert data of type string to type matrix."),
        std::string::npos);
    EXPECT_NE(failure("int $a[] = {1}; (matrix)$a;")
                  .find("Cannot convert data of type int[] to type matrix."),
              std::string::npos);
}

TEST_F(MelVariables, DeclarationsConvertToTheDeclaredType) {
    EXPECT_EQ(run("int $i = 3.7; $i").type(), Type::Int);
    EXPECT_EQ(run("int $i = 3.7; $i").asInt(), 3);
    EXPECT_EQ(text("string $s = 3.5; $s"), "3.5");
    EXPECT_EQ(run("float $f = \"2.25\"; $f").asFloat(), 2.25);
    EXPECT_EQ(text("int $i = 1; $i = \"12\"; $i"), "12");
    EXPECT_EQ(run("int $i = 1; $i = \"12\"; $i").type(), Type::Int);
    EXPECT_EQ(text("vector $v; $v"), "0 0 0");
    EXPECT_EQ(text("string $a[] = {1, 2.5, \"x\"}; $a"), "1 2.5 x");
    EXPECT_EQ(run("float $a[] = {1, 2}; $a").type(), Type::FloatArray);
    EXPECT_EQ(run("int $a[3]; size($a)").asInt(), 3);
    EXPECT_EQ(run("$fresh = 1.5; $fresh").type(), Type::Float);  // declared by assignment
    EXPECT_EQ(run("$list = {\"a\"}; $list").type(), Type::StringArray);
}

TEST_F(MelVariables, ArraysGrowAndReadZeroPastTheEnd) {
    EXPECT_EQ(text("string $a[]; $a[2] = \"c\"; size($a) + \":\" + $a[0] + $a[2]"), "3:c");
    EXPECT_EQ(run("int $a[] = {1}; $a[7]").asInt(), 0);
    EXPECT_EQ(run("int $a[] = {1}; int $x = $a[7]; size($a)").asInt(), 1);  // reading does not grow
    EXPECT_EQ(run("int $a[]; $a[size($a)] = 4; $a[size($a)] = 5; $a[1]").asInt(), 5);
    EXPECT_EQ(text("matrix $m[2][3]; $m[1][2] = 7; $m"), "0 0 0 0 0 7");
    EXPECT_EQ(run("matrix $m[2][2] = <<1, 2; 3, 4>>; $m[1][0]").asFloat(), 3.0);
}

TEST_F(MelVariables, TopLevelVariablesLastForTheSessionBlocksDoNot) {
    run("int $kept = 41;");
    EXPECT_EQ(run("$kept + 1").asInt(), 42);
    run("{ int $inner = 1; }");
    EXPECT_NE(failure("print $inner;").find("\"$inner\" is an undeclared variable."),
              std::string::npos);
    // A later script may declare the name again, even with another type.
    EXPECT_EQ(text("string $kept = \"now a string\"; $kept"), "now a string");
    mel().reset();
    failure("print $kept;");
}

TEST_F(MelVariables, GlobalsAreSharedThroughDeclarationsAndInitializedOnce) {
    run("global int $gCount = 10;"
        "global proc bump() { global int $gCount; $gCount++; }"
        "bump(); bump();");
    EXPECT_EQ(run("global int $gCount = 0; $gCount").asInt(), 12);
    // A procedure does not see globals it has not declared.
    EXPECT_NE(failure("proc peek() { print $gCount; }").find("undeclared"), std::string::npos);
    EXPECT_NE(
        failure("global string $gCount;").find("Invalid redeclaration of variable \"$gCount\""),
        std::string::npos);
}

TEST_F(MelControlFlow, IfElseChains) {
    const char* grade =
        "proc string grade(int $n) {"
        "  if ($n > 90) return \"a\";"
        "  else if ($n > 50) return \"b\";"
        "  else return \"c\";"
        "}";
    run(grade);
    EXPECT_EQ(text("grade(95) + grade(60) + grade(1)"), "abc");
    EXPECT_EQ(printed("if (\"\") print \"empty is true\"; else print \"empty is false\";"),
              "empty is false");
}

TEST_F(MelControlFlow, LoopsWithBreakAndContinue) {
    EXPECT_EQ(printed("int $i; for ($i = 0; $i < 6; $i++) { if ($i == 1) continue;"
                      " if ($i == 4) break; print $i; }"),
              "023");
    EXPECT_EQ(printed("int $i = 3; while ($i > 0) { print $i; $i--; }"), "321");
    EXPECT_EQ(printed("int $i = 0; do { print $i; } while ($i++ < 2);"), "012");
    EXPECT_EQ(
        printed("int $i, $j; for ($i = 0, $j = 10; $i < 3; $i++, $j--) print ($i + $j + \" \");"),
        "10 10 10 ");
    EXPECT_EQ(printed("int $n = 0; for (;;) { if (++$n == 3) break; } print $n;"), "3");
}

TEST_F(MelControlFlow, ForInVisitsASnapshotOfTheArray) {
    EXPECT_EQ(printed("string $s; for ($s in {\"a\", \"b\"}) print $s;"), "ab");
    EXPECT_EQ(printed("for (int $n in {1, 2, 3}) print ($n * 2);"), "246");
    EXPECT_EQ(printed("for ($f in {1.5, 2.5}) print ($f + \";\");"), "1.5;2.5;");
    // Growing the array inside the loop does not make it endless.
    EXPECT_EQ(printed("int $a[] = {1, 2}; for ($x in $a) { $a[size($a)] = $x; } print (size($a));"),
              "4");
}

TEST_F(MelControlFlow, SwitchFallsThroughUntilBreak) {
    const char* sw =
        "proc string pick(string $k) { string $r;"
        "  switch ($k) {"
        "    case \"a\": $r += \"A\";"
        "    case \"b\": $r += \"B\"; break;"
        "    case \"c\": $r += \"C\"; break;"
        "    default: $r += \"?\";"
        "  }"
        "  return $r; }";
    run(sw);
    EXPECT_EQ(text("pick(\"a\") + \",\" + pick(\"b\") + \",\" + pick(\"c\") + \",\" + pick(\"z\")"),
              "AB,B,C,?");
    EXPECT_EQ(printed("switch (2) { case 1: print 1; case 2: print 2; case 3: print 3; }"), "23");
    EXPECT_EQ(printed("switch (9) { case 1: print 1; }"), "");
    // continue inside a switch continues the enclosing loop.
    EXPECT_EQ(printed("for ($i = 0; $i < 3; $i++) { switch ($i) { case 1: continue; }"
                      " print $i; }"),
              "02");
}

TEST_F(MelProcedures, TypedParametersAndReturns) {
    run("global proc float half(int $n) { return $n / 2.0; }"
        "global proc int[] pair(int $a, int $b) { return {$a, $b}; }"
        "global proc string[] noReturn() { }");
    EXPECT_DOUBLE_EQ(run("half(3)").asFloat(), 1.5);
    EXPECT_EQ(run("half(\"5\")").asFloat(), 2.5);  // arguments convert to the parameter type
    EXPECT_EQ(text("pair(1, 2)"), "1 2");
    EXPECT_EQ(run("size(noReturn())").asInt(), 0);  // falls off the end: the default value
    EXPECT_TRUE(mel().procedureExists("half"));
    EXPECT_FALSE(mel().procedureExists("nothing"));
}

TEST_F(MelProcedures, CommandSyntaxCallsPassWords) {
    run("global proc string join2(string $a, int $b) { return ($a + \"/\" + ($b + 1)); }");
    EXPECT_EQ(text("join2 abc 41"), "abc/42");
    EXPECT_EQ(text("string $r = `join2 x 1`; $r"), "x/2");
}

TEST_F(MelProcedures, ArraysPassByReferenceScalarsByValue) {
    run("proc fill(string $a[], int $n) { $a[size($a)] = \"new\"; $n = 99; }");
    EXPECT_EQ(text("string $list[] = {\"old\"}; int $k = 1; fill($list, $k);"
                   "stringArrayToString($list, \",\") + \" \" + $k"),
              "old,new 1");
}

TEST_F(MelProcedures, RecursionWorks) {
    run("global proc int fib(int $n) { if ($n < 2) return $n; return fib($n - 1) + fib($n - 2); }");
    EXPECT_EQ(run("fib(15)").asInt(), 610);
}

TEST_F(MelProcedures, VoidProceduresHaveNoValue) {
    run("global proc nothing() {}");
    Value v;
    EXPECT_TRUE(mel().execute("nothing()", &v));
    EXPECT_FALSE(mel().lastHadResult());
    EXPECT_NE(failure("int $x = nothing();").find("Procedure \"nothing\" does not return a value."),
              std::string::npos);
}

TEST_F(MelProcedures, LocalProceduresAreDefinedBeforeTheTextRuns) {
    EXPECT_EQ(text("string $r = later(); proc string later() { return \"ok\"; } $r"), "ok");
}

TEST_F(MelTest, ExecuteReportsTheLastStatementResult) {
    Value v;
    EXPECT_TRUE(mel().execute("1 + 1; string $s = \"unused\";", &v));
    EXPECT_TRUE(mel().lastHadResult());
    EXPECT_EQ(v.asInt(), 2);
    EXPECT_TRUE(mel().execute("int $quiet = 3;", &v));
    EXPECT_FALSE(mel().lastHadResult());
    EXPECT_TRUE(mel().execute("$quiet = 4", &v));  // an assignment shows its value
    EXPECT_TRUE(mel().lastHadResult());
    EXPECT_EQ(v.asInt(), 4);
    EXPECT_TRUE(mel().execute("", &v));
    EXPECT_FALSE(mel().lastHadResult());
}

}  // namespace
}  // namespace host::mel::testing
