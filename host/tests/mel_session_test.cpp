// What user scripts call around their work: the clock, the file list, deferred
// scripts, unit conversion, and the random, vector and string helpers.
#include "commands_fixture.h"

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>

namespace host::commands::testing {
namespace {

using MelSession = CommandsTest;
using mel::Vec3;

TEST_F(MelSession, TimerAndDate) {
    run("$start = `timerX`;");
    EXPECT_GE(run("timerX -st $start").asFloat(), 0.0);
    EXPECT_GE(run("timerX").asFloat(), run("$start").asFloat());
    EXPECT_TRUE(std::regex_match(text("date"), std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d)")));
    EXPECT_TRUE(std::regex_match(text("date -date"), std::regex(R"(\d{4}/\d\d/\d\d)")));
    EXPECT_TRUE(std::regex_match(text("date -time"), std::regex(R"(\d\d:\d\d:\d\d)")));
    EXPECT_TRUE(std::regex_match(text("date -sd"), std::regex(R"(\d\d/\d\d)")));
    // Fields of the format are replaced, the rest kept; YYYY is not two YYs.
    EXPECT_TRUE(std::regex_match(text("date -format \"YYYY_YY-MM.DD hh:mm:ss x\""),
                                 std::regex(R"(\d{4}_\d\d-\d\d\.\d\d \d\d:\d\d:\d\d x)")));
    failure("date -bogus;");
    EXPECT_EQ(lastError(), "line 1: Invalid flag: -bogus");
}

TEST_F(MelSession, FileListMatchesTheSpecInTheFolder) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("mel_list_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "sub.mel");
    for (const char* name : {"b.mel", "a.mel", "c.ma"})
        std::ofstream(dir / name) << "x";
    const std::string folder = dir.generic_string() + "/";
    EXPECT_EQ(text("stringArrayToString(`getFileList -folder \"" + folder +
                   "\" -filespec \"*.mel\"`, \" \")"),
              "a.mel b.mel sub.mel");
    EXPECT_EQ(run("size(`getFileList -fld \"" + folder + "\"`)").asInt(), 4);
    EXPECT_EQ(run("size(`getFileList -fld \"" + folder + "nowhere/\"`)").asInt(), 0);
    fs::remove_all(dir);
}

TEST_F(MelSession, ATextRunAgainReadsAsTheSessionNowStands) {
    const std::string useLater = "$later + 1";
    failure(useLater);
    EXPECT_EQ(lastError(), "Line 1.1: \"$later\" is an undeclared variable.");
    run("$later = 4");
    EXPECT_EQ(text(useLater), "5");
    mel().reset();
    failure(useLater);
    EXPECT_EQ(lastError(), "Line 1.1: \"$later\" is an undeclared variable.");

    // A text that defines a procedure defines it at every run.
    const std::string define = "proc int twice(int $n) { return 2 * $n; } twice(3)";
    EXPECT_EQ(text(define), "6");
    mel().reset();
    EXPECT_EQ(text(define), "6");

    // A text read once runs as new each time.
    const std::string counted = "int $n = 1;\n$n = $n / 0;";
    for (int round = 0; round < 2; ++round) {
        failure(counted);
        EXPECT_EQ(lastError(), "line 2: Division by zero.");
    }
}

TEST_F(MelSession, DeferredScriptsRunWhenTheTopLevelTextEnds) {
    run("global string $log = \"\";"
        "evalDeferred \"$log += \\\"b\\\"\";"
        "evalDeferred -lowestPriority \"$log += \\\"c\\\"\";"
        "evalDeferred -evaluateNext \"$log += \\\"a\\\"\";"
        "$log += \"0\";");
    EXPECT_EQ(text("$log"), "0abc");
    // Queued from a procedure or eval: still after the whole text, and what a deferred
    // script queues runs in the same turn.
    run("global proc later() { global string $log; $log += \"2\"; evalDeferred \"$log += "
        "\\\"3\\\"\"; }"
        "$log = \"\"; eval(\"evalDeferred later\"); $log += \"1\";");
    EXPECT_EQ(text("$log"), "123");
    // A failing deferred script does not fail the text that queued it.
    out().clearErrors();
    run("evalDeferred \"error \\\"late\\\"\";");
    EXPECT_EQ(lastError(), "late");
    failure("evalDeferred -x \"print 1\";");
    EXPECT_EQ(lastError(), "line 1: evalDeferred: Invalid flag \"-x\".");
}

TEST_F(MelSession, ConvertUnitBetweenUnitsOfOneKind) {
    EXPECT_EQ(text("convertUnit -fromUnit inch -toUnit cm 1"), "2.54cm");
    EXPECT_EQ(text("convertUnit -toUnit mm \"1in\""), "25.4mm");
    EXPECT_EQ(text("convertUnit -f rad -t deg 3.14159265358979"), "180deg");
    EXPECT_EQ(text("convertUnit -f sec -t ntsc 2"), "60ntsc");  // sec is time here
    EXPECT_EQ(text("convertUnit -f sec -t deg 3600"), "1deg");  // and an angle here
    // One side given: the other is the current unit of that kind.
    EXPECT_EQ(text("convertUnit -f m 2"), "200cm");
    EXPECT_EQ(text("convertUnit -t film 1sec"), "24film");
    EXPECT_EQ(text("convertUnit 7"), "7");
    failure("convertUnit -f cm -t deg 2;");
    EXPECT_EQ(lastError(), "line 1: convertUnit: Cannot convert between cm and deg.");
    failure("convertUnit -f parsec 2;");
    EXPECT_EQ(lastError(), "line 1: convertUnit: Invalid unit: parsec");
    failure("convertUnit -f cm many;");
    EXPECT_EQ(lastError(), "line 1: convertUnit: 'many' is not a number.");
}

TEST_F(MelSession, RandomAndVectorHelpers) {
    run("seed 7");
    double sum = 0, squares = 0;
    const int n = 4000;
    for (int i = 0; i < n; ++i) {
        const double g = run("gauss(2.0)").asFloat();
        sum += g;
        squares += g * g;
    }
    EXPECT_NEAR(sum / n, 0.0, 0.15);
    EXPECT_NEAR(std::sqrt(squares / n), 2.0, 0.15);
    EXPECT_EQ(run("gauss(<<0, 0, 0>>)").asVector(), (Vec3{0, 0, 0}));
    EXPECT_EQ(run("gauss(1, 1)").asVector().z, 0.0);
    for (int i = 0; i < 200; ++i) {
        const Vec3 p = run("sphrand(<<1, 2, 3>>)").asVector();
        EXPECT_LE(p.x * p.x + p.y * p.y / 4 + p.z * p.z / 9, 1.0);
    }
    const Vec3 r = run("rot(<<1, 0, 0>>, <<0, 0, 2>>, 1.5707963267949)").asVector();
    EXPECT_NEAR(r.x, 0, 1e-9);
    EXPECT_NEAR(r.y, 1, 1e-9);
    EXPECT_EQ(run("rot(<<1, 2, 3>>, <<0, 0, 0>>, 1)").asVector(), (Vec3{1, 2, 3}));
    EXPECT_DOUBLE_EQ(run("hermite(0.0, 1.0, 0.0, 0.0, 0.5)").asFloat(), 0.5);
    EXPECT_DOUBLE_EQ(run("hermite(0.0, 0.0, 1.0, 0.0, 0.5)").asFloat(), 0.125);
    EXPECT_EQ(run("hermite(<<0, 0, 0>>, <<2, 4, 6>>, <<0, 0, 0>>, <<0, 0, 0>>, 1)").asVector(),
              (Vec3{2, 4, 6}));
}

TEST_F(MelSession, StringHelpers) {
    run("string $a[] = {\"a\", \"c\"};");
    EXPECT_EQ(run("stringArrayInsertAtIndex(1, $a, \"b\")").asInt(), 1);
    EXPECT_EQ(run("stringArrayInsertAtIndex(9, $a, \"d\")").asInt(), 1);
    EXPECT_EQ(run("stringArrayInsertAtIndex(-1, $a, \"z\")").asInt(), 0);
    EXPECT_EQ(text("stringArrayToString($a, \"\")"), "abcd");
    failure("stringArrayInsertAtIndex(0, {\"x\"}, \"y\");");
    EXPECT_EQ(lastError(),
              "line 1: stringArrayInsertAtIndex: the second argument must be a string array "
              "variable.");
    // Encoded text put back in quotes evaluates to the text.
    run("string $raw = \"say \\\"hi\\\"\\\\n\\tdone\\n\";");
    EXPECT_EQ(text("encodeString($raw)"), "say \\\"hi\\\"\\\\n\\tdone\\n");
    EXPECT_EQ(run("eval(\"string $s = \\\"\" + encodeString($raw) + \"\\\"; $s\") == $raw").asInt(),
              1);
}

}  // namespace
}  // namespace host::commands::testing
