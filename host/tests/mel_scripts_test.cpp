// Script files: source, procedures found on the script path, per-file procedures, eval,
// exists and whatIs.
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "mel_fixture.h"

namespace host::mel::testing {
namespace {

class MelScripts : public MelTest {
protected:
    void SetUp() override {
        MelTest::SetUp();
        char pattern[] = "/tmp/mel_scripts_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        savedPaths = mel().scriptPaths();
        mel().setScriptPaths({"/nonexistent/dir", dir});
    }
    void TearDown() override {
        mel().setScriptPaths(savedPaths);
        std::system(("rm -rf '" + dir + "'").c_str());
        MelTest::TearDown();
    }
    std::string write(const std::string& name, const std::string& text) {
        std::string path = dir + "/" + name;
        std::ofstream(path) << text;
        return path;
    }
    std::string dir;
    std::vector<std::string> savedPaths;
};

TEST_F(MelScripts, UnknownProceduresLoadFromTheirScript) {
    write("greetUser.mel",
          "global proc string greetUser(string $who) { return (\"hello \" + $who); }\n");
    EXPECT_FALSE(mel().procedureExists("greetUser"));
    EXPECT_EQ(text("greetUser(\"ann\")"), "hello ann");
    EXPECT_TRUE(mel().procedureExists("greetUser"));
    EXPECT_EQ(text("whatIs greetUser"), "Mel procedure found in: " + dir + "/greetUser.mel");
}

TEST_F(MelScripts, AScriptWithoutTheProcedureStillFails) {
    write("lonely.mel", "global proc somethingElse() {}\n");
    failure("lonely;");
    EXPECT_EQ(lastError(), "line 1: Cannot find procedure \"lonely\".");
    EXPECT_TRUE(mel().procedureExists("somethingElse"));
}

TEST_F(MelScripts, SourceRunsTopLevelCodeAndFindsFilesOnThePath) {
    write("setup.mel", "global int $gSetup = 5;\nprint \"sourced\\n\";\n");
    EXPECT_EQ(printed("source setup.mel;"), "sourced\n");
    EXPECT_EQ(printed("source \"setup\";"), "sourced\n");  // .mel added
    EXPECT_EQ(run("global int $gSetup; $gSetup").asInt(), 5);
    EXPECT_TRUE(mel().sourceFile(dir + "/setup.mel"));
    failure("source \"missing.mel\";");
    EXPECT_EQ(lastError(), "line 1: Cannot find file \"missing.mel\" for source statement.");
    EXPECT_FALSE(mel().sourceFile("missing.mel"));
}

TEST_F(MelScripts, ErrorsInFilesNameTheFileAndLine) {
    std::string path =
        write("broken.mel", "global proc broken() {\n    print \"x\";\n    nope;\n}\n");
    failure("broken();");
    EXPECT_EQ(lastError(), "file: " + path + " line 3: Cannot find procedure \"nope\".");
    std::string bad = write("syntax.mel", "print 1;\nprint (;\n");
    EXPECT_FALSE(mel().sourceFile(bad));
    EXPECT_EQ(lastError(), "file: " + bad + " line 2: Syntax error");
    std::string user = write("userError.mel", "\nerror \"custom\";\n");
    EXPECT_FALSE(mel().sourceFile(user));
    EXPECT_EQ(lastError(), "file: " + user + " line 2: custom");
}

TEST_F(MelScripts, LocalProceduresStayInTheirFile) {
    std::string path = write("withLocal.mel",
                             "proc string helper() { return \"local\"; }\n"
                             "global proc string useHelper() { return helper(); }\n");
    EXPECT_TRUE(mel().sourceFile(path));
    EXPECT_EQ(text("useHelper()"), "local");
    failure("helper();");
    // An interactive procedure of the same name does not disturb the file's own.
    run("proc string helper() { return \"interactive\"; }");
    EXPECT_EQ(text("helper() + \" \" + useHelper()"), "interactive local");
}

TEST_F(MelScripts, SourcingItselfForeverFailsCleanly) {
    std::string path = write("loop.mel", "source loop.mel;\n");
    EXPECT_FALSE(mel().sourceFile(path));
    EXPECT_NE(lastError().find("nested too deeply"), std::string::npos);
}

TEST_F(MelScripts, ExistsAndWhatIs) {
    write("onPath.mel", "global proc onPath() {}\n");
    run("global proc here() {} int $iv; string $sa[];");
    EXPECT_EQ(run("exists here").asInt(), 1);
    EXPECT_EQ(run("exists print").asInt(), 1);
    EXPECT_EQ(run("exists onPath").asInt(), 1);  // a script on the path counts
    EXPECT_EQ(run("exists nowhere").asInt(), 0);
    EXPECT_EQ(text("whatIs here"), "Mel procedure entered interactively.");
    EXPECT_EQ(text("whatIs onPath"), "Script found in: " + dir + "/onPath.mel");
    EXPECT_EQ(text("whatIs \"$iv\""), "int variable");
    EXPECT_EQ(text("whatIs \"$sa\""), "string[] variable");
    EXPECT_EQ(text("whatIs nowhere"), "Unknown");
}

TEST_F(MelScripts, EvalRunsAtTheTopLevel) {
    EXPECT_EQ(run("eval(\"1 + 2\")").asInt(), 3);
    run("eval \"string $made = \\\"top\\\"\";");
    EXPECT_EQ(text("$made"), "top");
    EXPECT_EQ(run("eval(\"int $evalA = 1;\", \"$evalA + 1\")").asInt(), 2);  // arguments joined
    // A procedure's locals are not visible to the text it evaluates.
    run("global proc evalLocal() { int $hidden = 1; eval(\"print $hidden\"); }");
    failure("evalLocal;");
    EXPECT_NE(lastError().find("\"$hidden\" is an undeclared variable."), std::string::npos);
}

TEST_F(MelScripts, ResetForgetsProceduresAndGlobalsButKeepsCommands) {
    run("global proc gone() {} global int $gGone = 1;");
    mel().reset();
    EXPECT_FALSE(mel().procedureExists("gone"));
    EXPECT_EQ(run("global int $gGone; $gGone").asInt(), 0);
    EXPECT_TRUE(mel().commandExists("print"));
}

}  // namespace
}  // namespace host::mel::testing
