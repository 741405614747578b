// The builtin functions scripts rely on.
#include <cstdlib>

#include "mel_fixture.h"

namespace host::mel::testing {
namespace {

using MelStringBuiltins = MelTest;
using MelMathBuiltins = MelTest;
using MelSystemBuiltins = MelTest;

TEST_F(MelStringBuiltins, SizeSubstringAndCase) {
    EXPECT_EQ(run("size(\"hello\")").asInt(), 5);
    EXPECT_EQ(run("size({1, 2, 3})").asInt(), 3);
    EXPECT_EQ(text("substring(\"hello\", 2, 4)"), "ell");
    EXPECT_EQ(text("substring(\"hello\", 0, 99)"), "hello");
    EXPECT_EQ(text("substring(\"hello\", 4, 2)"), "");
    EXPECT_EQ(text("toupper(\"aB1\") + tolower(\"CdE\")"), "AB1cde");
    EXPECT_EQ(text("strip(\"  \\t two words \\n\")"), "two words");
    EXPECT_EQ(run("strcmp(\"a\", \"b\") + 10 * strcmp(\"b\", \"b\") + 100 * strcmp(\"c\", \"b\")")
                  .asInt(),
              99);
    EXPECT_EQ(run("startsWith(\"pCube1\", \"pC\") + endsWith(\"pCube1\", \"be1\")").asInt(), 2);
    EXPECT_EQ(run("endsWith(\"a\", \"abc\")").asInt(), 0);
}

TEST_F(MelStringBuiltins, TokenizeFillsTheArrayVariable) {
    EXPECT_EQ(text("string $p[] = {\"stale\", \"stale\", \"stale\", \"stale\"};"
                   "int $n = tokenize(\"a|b||c\", \"|\", $p); $n + \":\" + stringArrayToString($p, "
                   "\",\")"),
              "3:a,b,c");
    EXPECT_EQ(run("string $w[]; tokenize(\"  one two\\tthree \", $w)").asInt(), 3);
    EXPECT_EQ(run("string $w[]; tokenize \"x y\" $w; size($w)").asInt(), 2);  // command syntax
    failure("tokenize(\"a b\", \" \");");
    EXPECT_NE(lastError().find("array variable"), std::string::npos);
}

TEST_F(MelStringBuiltins, ClearEmptiesTheArrayItself) {
    EXPECT_EQ(run("int $a[] = {1, 2}; clear($a); size($a)").asInt(), 0);
    EXPECT_EQ(run("int $a[] = {1, 2}; clear $a; $a[0] = 5; $a[0]").asInt(), 5);
}

TEST_F(MelStringBuiltins, RegularExpressions) {
    EXPECT_EQ(text("match(\"[0-9]+\", \"ab123cd45\")"), "123");
    EXPECT_EQ(text("match(\"^a.*d\", \"abcdxd\")"), "abcdxd");  // leftmost, longest
    EXPECT_EQ(text("match(\"c$\", \"abc\")"), "c");
    EXPECT_EQ(text("match(\"x\", \"abc\")"), "");
    EXPECT_EQ(text("match(\"(ab)+\", \"xxababab\")"), "ababab");
    EXPECT_EQ(text("match(\"cat|dog\", \"hotdog\")"), "dog");
    EXPECT_EQ(text("match(\"[^a-c]+\", \"abcxyzabc\")"), "xyz");
    EXPECT_EQ(text("match(\"\\\\.\", \"a.b\")"), ".");
    EXPECT_EQ(text("match(\"\\\\d\\\\w*\", \"--7abc_1 \")"), "7abc_1");
    EXPECT_EQ(text("substitute(\"[aeiou]\", \"mississippi\", \"_\")"), "m_ssissippi");
    EXPECT_EQ(text("substitute(\"z\", \"abc\", \"_\")"), "abc");
    failure("match(\"(ab\", \"ab\");");
    EXPECT_NE(lastError().find("Invalid regular expression"), std::string::npos);
    failure("match(\"*a\", \"a\");");
    // Linear matching: a pathological pattern on a long text returns quickly.
    std::string longText(20000, 'a');
    EXPECT_EQ(run("size(match(\"(a*)*b\", \"" + longText + "\"))").asInt(), 0);
}

TEST_F(MelStringBuiltins, GlobAndPlainSubstitution) {
    EXPECT_EQ(run("gmatch(\"pCube12\", \"pCube*\")").asInt(), 1);
    EXPECT_EQ(run("gmatch(\"pCube12\", \"p?ube[0-9][0-9]\")").asInt(), 1);
    EXPECT_EQ(run("gmatch(\"pCube\", \"pSphere*\")").asInt(), 0);
    EXPECT_EQ(run("gmatch(\"a*b\", \"a\\\\*b\")").asInt(), 1);
    EXPECT_EQ(run("gmatch(\"ab\", \"[!a]b\")").asInt(), 0);
    EXPECT_EQ(text("substituteAllString(\"a.b.c\", \".\", \"::\")"), "a::b::c");
    EXPECT_EQ(text("substituteAllString(\"aaa\", \"a\", \"aa\")"), "aaaaaa");  // resumes behind
    EXPECT_EQ(text("substituteAllString(\"abc\", \"\", \"x\")"), "abc");
}

TEST_F(MelStringBuiltins, ArrayHelpers) {
    EXPECT_EQ(text("sort({\"pear\", \"apple\", \"fig\"})"), "apple fig pear");
    EXPECT_EQ(text("sort({3, 1, 2})"), "1 2 3");
    EXPECT_EQ(run("sort({2.5, 1.5})").type(), Type::FloatArray);
    EXPECT_EQ(run("stringArrayContains(\"b\", {\"a\", \"b\"})").asInt(), 1);
    EXPECT_EQ(run("stringArrayContains(\"z\", {\"a\", \"b\"})").asInt(), 0);
    EXPECT_EQ(text("stringArrayToString({\"a\", \"b\", \"c\"}, \", \")"), "a, b, c");
    EXPECT_EQ(text("format -s \"x\" -stringArg \"y\" \"^2s then ^1s, ^^1s\""), "y then x, ^1s");
}

TEST_F(MelMathBuiltins, KeepIntsWhereMelDoes) {
    EXPECT_EQ(run("abs(-3)").type(), Type::Int);
    EXPECT_EQ(run("abs(-3)").asInt(), 3);
    EXPECT_DOUBLE_EQ(run("abs(-2.5)").asFloat(), 2.5);
    EXPECT_EQ(text("abs(<<-1, 2, -3>>)"), "1 2 3");
    EXPECT_EQ(run("max(2, 7)").type(), Type::Int);
    EXPECT_DOUBLE_EQ(run("min(2, 1.5)").asFloat(), 1.5);
    EXPECT_DOUBLE_EQ(run("clamp(0, 10, 11)").asFloat(), 10);
    EXPECT_DOUBLE_EQ(run("clamp(0, 10, -1)").asFloat(), 0);
    EXPECT_DOUBLE_EQ(run("floor(-1.5) + ceil(1.2) + trunc(-1.7)").asFloat(), -2.0 + 2.0 - 1.0);
    EXPECT_DOUBLE_EQ(run("fmod(7, 3) + pow(2, 10) + sqrt(16)").asFloat(), 1 + 1024 + 4);
    EXPECT_NEAR(run("sin(deg_to_rad(90)) + cos(0) + tan(0)").asFloat(), 2.0, 1e-12);
    EXPECT_NEAR(run("rad_to_deg(3.14159265358979)").asFloat(), 180.0, 1e-9);
    EXPECT_DOUBLE_EQ(run("mag(<<3, 4, 0>>)").asFloat(), 5.0);
    EXPECT_EQ(text("cross(<<1, 0, 0>>, <<0, 1, 0>>)"), "0 0 1");
    failure("sqrt();");
    EXPECT_EQ(lastError(), "line 1: Wrong number of arguments on call to sqrt.");
}

TEST_F(MelMathBuiltins, DegreesStepsAndAngles) {
    EXPECT_NEAR(run("sind(30) + cosd(60) + tand(45)").asFloat(), 2.0, 1e-12);
    EXPECT_NEAR(run("asind(0.5) + acosd(0.5) + atand(1) + atan2d(1, -1)").asFloat(),
                30 + 60 + 45 + 135, 1e-9);
    EXPECT_DOUBLE_EQ(run("linstep(10, 20, 12.5)").asFloat(), 0.25);
    EXPECT_DOUBLE_EQ(run("linstep(10, 20, 30)").asFloat(), 1.0);
    EXPECT_DOUBLE_EQ(run("smoothstep(0, 1, 0.5)").asFloat(), 0.5);
    EXPECT_DOUBLE_EQ(run("smoothstep(0, 2, 0.5)").asFloat(), 0.15625);
    EXPECT_DOUBLE_EQ(run("smoothstep(0, 1, -3)").asFloat(), 0.0);
    EXPECT_NEAR(run("angle(<<1, 0, 0>>, <<0, 2, 0>>)").asFloat(), 1.5707963267948966, 1e-12);
    EXPECT_DOUBLE_EQ(run("angle(<<0, 0, 0>>, <<0, 2, 0>>)").asFloat(), 0.0);
}

TEST_F(MelMathBuiltins, RandIsRepeatableAfterSeed) {
    std::string first =
        text("seed(42); string $s = rand(1) + \" \" + rand(5, 6) + \" \" + rand(<<1, 1, 1>>); $s");
    std::string second =
        text("seed(42); string $s = rand(1) + \" \" + rand(5, 6) + \" \" + rand(<<1, 1, 1>>); $s");
    EXPECT_EQ(first, second);
    for (int i = 0; i < 50; ++i) {
        double r = run("rand(5, 6)").asFloat();
        EXPECT_GE(r, 5.0);
        EXPECT_LT(r, 6.0);
    }
}

TEST_F(MelSystemBuiltins, PrintShowsArraysOnePerLine) {
    EXPECT_EQ(printed("print {\"a\", \"b\"};"), "a\nb\n");
    EXPECT_EQ(printed("print <<1, 2.5, 3>>;"), "1 2.5 3");
    EXPECT_EQ(printed("matrix $m[2][2] = <<1, 2; 3, 4>>; print $m;"), "1 2\n3 4\n");
    EXPECT_EQ(printed("print (0.1 + 0.2);"), "0.3");
    EXPECT_EQ(printed("print (1.0);"), "1");
    EXPECT_EQ(printed("print 1.50;"), "1.50");  // a bare word stays the text it was
    failure("print;");
}

TEST_F(MelSystemBuiltins, TraceWritesALineAndWhereItIs) {
    EXPECT_EQ(printed("trace \"started\";"), "started\n");
    EXPECT_EQ(printed("global proc traced() {\n trace -where (\"at \" + 2);\n}\ntraced;"),
              "line 2: at 2\n");
    EXPECT_NE(failure("trace -loud \"x\";").find("trace: Invalid flag \"-loud\"."),
              std::string::npos);
}

TEST_F(MelSystemBuiltins, EnvironmentAndAbout) {
    run("putenv \"MEL_TEST_VAR\" \"v1\";");
    EXPECT_EQ(text("getenv \"MEL_TEST_VAR\""), "v1");
    EXPECT_EQ(text("getenv \"MEL_TEST_UNSET_VAR\""), "");
    EXPECT_EQ(run("about -batch").asInt(), 1);
    EXPECT_EQ(run("about -apiVersion").asInt(), 200800);
    failure("about -bogus;");
}

TEST_F(MelSystemBuiltins, InternalVarNamesTheUsersDirectories) {
    const char* tmp = std::getenv("TMPDIR");
    const bool hadTmp = tmp != nullptr;
    const std::string savedTmp = hadTmp ? tmp : "";
    run("putenv \"TMPDIR\" \"/scratch/t\"; putenv \"MAYA_APP_DIR\" \"/home/u/maya/\"");
    EXPECT_EQ(text("internalVar -utd"), "/scratch/t/");
    EXPECT_EQ(text("internalVar -userScriptDir"), "/home/u/maya/2008/scripts/");
    EXPECT_EQ(text("internalVar -upd"), "/home/u/maya/2008/prefs/");
    unsetenv("TMPDIR");
    unsetenv("MAYA_APP_DIR");
    EXPECT_EQ(text("internalVar -utd"), "/tmp/");
    if (hadTmp)
        setenv("TMPDIR", savedTmp.c_str(), 1);
    EXPECT_EQ(failure("internalVar -nowhere"),
              "// Error: line 1: internalVar: Invalid flag \"-nowhere\". //\n");
}

}  // namespace
}  // namespace host::mel::testing
