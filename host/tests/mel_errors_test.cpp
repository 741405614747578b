// How MEL fails: syntax errors reject the whole text, runtime errors stop it, catch traps them,
// and no input can crash or hang the interpreter.
#include <random>

#include "mel_fixture.h"

namespace host::mel::testing {
namespace {

using MelSyntaxErrors = MelTest;
using MelRuntimeErrors = MelTest;
using MelCatch = MelTest;
using MelRobustness = MelTest;

TEST_F(MelSyntaxErrors, RejectTheWholeTextBeforeAnythingRuns) {
    std::string shown = failure("print \"ran\";\nint $x = ;\n");
    EXPECT_EQ(shown, "// Error: int $x = ; //\n// Error: Line 2.10: Syntax error //\n");
    EXPECT_EQ(out().errors().size(), 2u);
    EXPECT_EQ(lastError(), "Line 2.10: Syntax error");
}

TEST_F(MelSyntaxErrors, NameTheLineAndColumn) {
    failure("int $a;\n\n  $a = (1 + ;");
    EXPECT_EQ(lastError(), "Line 3.13: Syntax error");
    failure("if (1) {\n print 1;\n");  // unclosed brace: reported at the end
    EXPECT_EQ(lastError().substr(0, 7), "Line 3.");
    failure("string $s = \"open;");
    EXPECT_EQ(lastError(), "Line 1.13: Syntax error");
    failure("string $s = \"open\\");  // an escape with nothing to escape
    EXPECT_EQ(lastError(), "Line 1.13: Syntax error");
}

TEST_F(MelSyntaxErrors, StaticChecks) {
    failure("print $nope;");
    EXPECT_EQ(lastError(), "Line 1.7: \"$nope\" is an undeclared variable.");
    failure("$n += 1;");
    EXPECT_NE(lastError().find("\"$n\" is an undeclared variable."), std::string::npos);
    failure("break;");
    failure("if (1) continue;");
    failure("{ proc p() {} }");  // procedures only at the top level
    failure("proc int f() { return; }");
    EXPECT_NE(lastError().find("must return a value"), std::string::npos);
    failure("proc f() { return 1; }");
    EXPECT_NE(lastError().find("cannot return a value"), std::string::npos);
    failure("proc f(int $a, int $a) {}");
    failure("$v.x = 1;");  // vector components are read-only
    failure("1 = 2;");
}

TEST_F(MelSyntaxErrors, IncompleteTextIsRecognised) {
    EXPECT_TRUE(Interpreter::isIncomplete("proc p() {"));
    EXPECT_TRUE(Interpreter::isIncomplete("print \"abc"));
    EXPECT_TRUE(Interpreter::isIncomplete("/* comment"));
    EXPECT_TRUE(Interpreter::isIncomplete("print(1,"));
    EXPECT_FALSE(Interpreter::isIncomplete("print 1;"));
    EXPECT_FALSE(Interpreter::isIncomplete("print 1 +;"));
    EXPECT_FALSE(Interpreter::isIncomplete("print $undeclaredIsFineHere;"));
}

TEST_F(MelRuntimeErrors, StopTheScriptWithALocatedLine) {
    std::string shown = failure("print \"a\";\nnoSuchProc;\nprint \"b\";");
    EXPECT_EQ(shown, "a// Error: line 2: Cannot find procedure \"noSuchProc\". //\n");
    failure("proc p(int $a) {}\np(1, 2);");
    EXPECT_EQ(lastError(), "line 2: Wrong number of arguments on call to p.");
    failure("int $a[] = {1}; int $b = $a;");
    EXPECT_EQ(lastError(), "line 1: Cannot convert data of type int[] to type int.");
    failure("int $z = 1 / 0;");
    EXPECT_EQ(lastError(), "line 1: Division by zero.");
    failure("int $a[]; $a[-1] = 2;");
    EXPECT_NE(lastError().find("Array index out of bounds"), std::string::npos);
    failure("string $s = \"a\" - 1;");
    EXPECT_NE(lastError().find("Illegal operation \"-\" on data of type string."),
              std::string::npos);
    EXPECT_DOUBLE_EQ(run("1.0 / 0").asFloat(), 1.0 / 0.0);  // floats follow IEEE
}

TEST_F(MelRuntimeErrors, ErrorInsideAProcedureAbortsEveryCaller) {
    run("global proc inner() { error \"deep trouble\"; print \"unreached\"; }"
        "global proc outer() { inner(); print \"unreached\"; }");
    std::string shown = failure("outer(); print \"unreached\";");
    EXPECT_EQ(shown, "// Error: deep trouble //\n");
    EXPECT_EQ(lastError(), "deep trouble");
}

TEST_F(MelRuntimeErrors, WarningsDoNotStop) {
    EXPECT_EQ(printed("warning \"careful\"; print \"on\";"), "// Warning: careful //\non");
    EXPECT_TRUE(out().errors().empty());
}

TEST_F(MelCatch, ReturnsOneOnFailureAndStillPrintsTheError) {
    EXPECT_EQ(run("catch(`error \"boom\"`)").asInt(), 1);
    EXPECT_EQ(out().captured(), "// Error: boom //\n");
    EXPECT_EQ(run("catch(`print \"\"`)").asInt(), 0);
    EXPECT_EQ(text("int $r = catch(eval(\"noSuch\")); \"after \" + $r"), "after 1");
    EXPECT_EQ(run("catch(1 / 0)").asInt(), 1);
}

TEST_F(MelCatch, QuietPrintsNothingAndNests) {
    out().clearCaptured();
    EXPECT_EQ(run("catchQuiet(`error \"hidden\"`)").asInt(), 1);
    EXPECT_EQ(out().captured(), "");
    EXPECT_TRUE(out().errors().empty());
    EXPECT_EQ(run("catchQuiet(catch(`error \"x\"`))").asInt(), 0);
    EXPECT_FALSE(out().errorsSuppressed());
    run("catch(`error \"loud again\"`);");
    EXPECT_EQ(lastError(), "loud again");
}

TEST_F(MelCatch, CppSideSeesTheCatchState) {
    std::vector<std::pair<bool, bool>> seen;
    mel().defineCommand("probeCatch", [&](CommandCall&) {
        seen.emplace_back(mel().insideCatch(), mel().insideCatchQuiet());
        return true;
    });
    run("probeCatch; catch(`probeCatch`); catchQuiet(`probeCatch`);");
    mel().undefineCommand("probeCatch");
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(false, false));
    EXPECT_EQ(seen[1], std::make_pair(true, false));
    EXPECT_EQ(seen[2], std::make_pair(true, true));
    EXPECT_FALSE(mel().insideCatch());
}

TEST_F(MelRobustness, RunawayRecursionFailsCleanly) {
    run("global proc down(int $n) { down($n + 1); }");
    failure("down(0);");
    EXPECT_EQ(lastError(), "line 1: Procedure calls are nested too deeply.");
    // The session is usable afterwards.
    EXPECT_EQ(run("1 + 1").asInt(), 2);
    run("global proc evalDown() { eval(\"evalDown\"); }");
    failure("evalDown;");
}

TEST_F(MelRobustness, DeepNestingIsRejectedNotOverflowed) {
    std::string parens(100000, '(');
    failure("int $x = " + parens + "1;");
    EXPECT_NE(lastError().find("Too many nested"), std::string::npos);
    std::string chain = "int $x = 1";
    for (int i = 0; i < 5000; ++i)
        chain += " + 1";
    failure(chain + ";");
    EXPECT_NE(lastError().find("too complex"), std::string::npos);
    std::string blocks(50000, '{');
    failure(blocks);
    std::string elses = "if (0) ;";
    for (int i = 0; i < 5000; ++i)
        elses += " else if (0) ;";
    failure(elses);
    // Long but flat texts are fine.
    std::string many;
    for (int i = 0; i < 20000; ++i)
        many += "$k = " + std::to_string(i) + ";\n";
    EXPECT_EQ(run(many + "$k").asInt(), 19999);
}

TEST_F(MelRobustness, AStatementLimitStopsRunawayLoopsEvenUnderCatch) {
    mel().setStatementLimit(1000);
    const std::string stopped = "line 1: The script was stopped after 1000 statements.";
    failure("for (;;) {}");
    EXPECT_EQ(lastError(), stopped);
    failure("while (1) catch(eval(\"while (1);\"));");
    EXPECT_EQ(lastError(), stopped);
    // The count starts again with each text.
    EXPECT_EQ(run("int $i = 0; while ($i < 900) $i++; $i").asInt(), 900);
    mel().setStatementLimit(0);
    EXPECT_EQ(run("int $j = 0; while ($j < 5000) $j++; $j").asInt(), 5000);
}

TEST_F(MelRobustness, RedeclaringAnArrayWhileAssigningIntoItIsSafe) {
    // The index expression replaces $a; the write lands in the array it started with.
    run("int $a[] = {1}; $a[eval(\"int $a[] = {7, 8}; 0\")] = 5;");
    EXPECT_EQ(text("$a"), "7 8");
}

TEST_F(MelRobustness, GarbageNeverCrashes) {
    const std::string alphabet = "$abc01.;{}()[]<>\"`'\\/*+-=!&|?:,^% \n\tifforprocintdo";
    std::mt19937 gen(7);
    for (int round = 0; round < 3000; ++round) {
        std::string src;
        int len = static_cast<int>(gen() % 40);
        for (int i = 0; i < len; ++i)
            src += alphabet[gen() % alphabet.size()];
        mel().execute(src);  // any outcome but a crash or a hang
    }
    EXPECT_FALSE(out().errorsSuppressed());
    EXPECT_EQ(run("2 * 21").asInt(), 42);
}

}  // namespace
}  // namespace host::mel::testing
