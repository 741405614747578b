// The command registry as the rest of the host uses it: what a command receives in command
// and function syntax, results, failures and replacement.
#include <stdexcept>

#include "mel_fixture.h"

namespace host::mel::testing {
namespace {

class MelCommands : public MelTest {
protected:
    void SetUp() override {
        MelTest::SetUp();
        mel().defineCommand("record", [this](CommandCall& call) {
            calls.push_back(call.args);
            return true;
        });
        mel().defineCommand("answer", [](CommandCall& call) {
            call.result = Value(std::vector<std::string>{"pCube1", "pSphere1"});
            call.hasResult = true;
            return true;
        });
        mel().defineCommand("refuse", [](CommandCall&) {
            Output::instance().error("refuse: not today");
            return false;
        });
    }
    void TearDown() override {
        for (const char* name : {"record", "answer", "refuse"})
            mel().undefineCommand(name);
        MelTest::TearDown();
    }
    std::vector<std::vector<Value>> calls;
};

TEST_F(MelCommands, CommandSyntaxPassesWordsAsStrings) {
    run("record -type \"string\" pCube1.translateX 5 -2.5 |group|pCube1 a.vtx[0:3] *;");
    ASSERT_EQ(calls.size(), 1u);
    const std::vector<Value>& a = calls[0];
    ASSERT_EQ(a.size(), 8u);
    std::vector<std::string> words;
    for (const Value& v : a) {
        EXPECT_EQ(v.type(), Type::String) << v.text();
        words.push_back(v.text());
    }
    EXPECT_EQ(words, (std::vector<std::string>{"-type", "string", "pCube1.translateX", "5", "-2.5",
                                               "|group|pCube1", "a.vtx[0:3]", "*"}));
}

// A full path right behind the command word is a word, not an operator.
TEST_F(MelCommands, APathMayBeTheFirstArgument) {
    run("record |group|pCube1 -f; string $r = `record |pCube1`;");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], (std::vector<Value>{Value("|group|pCube1"), Value("-f")}));
    EXPECT_EQ(calls[1], (std::vector<Value>{Value("|pCube1")}));
}

TEST_F(MelCommands, VariablesAndExpressionsKeepTheirTypes) {
    run("int $n = 3; float $f[] = {1.5}; string $node = \"pCube1\";"
        "record $n $f ($node + \".tx\") (1 + 1) `answer` {\"x\", \"y\"} $f[0];");
    ASSERT_EQ(calls.size(), 1u);
    const std::vector<Value>& a = calls[0];
    ASSERT_EQ(a.size(), 7u);
    EXPECT_EQ(a[0], Value(3));
    EXPECT_EQ(a[1].type(), Type::FloatArray);
    EXPECT_EQ(a[2], Value("pCube1.tx"));
    EXPECT_EQ(a[3], Value(2));
    EXPECT_EQ(a[4].type(), Type::StringArray);
    EXPECT_EQ(a[5], Value(std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(a[6], Value(1.5));
}

TEST_F(MelCommands, FunctionSyntaxPassesEvaluatedArguments) {
    run("record(\"-flag\", 1, 2.5, \"a\" + \"b\");");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (std::vector<Value>{Value("-flag"), Value(1), Value(2.5), Value("ab")}));
    run("record();");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[1].empty());
}

TEST_F(MelCommands, ParenthesisedFirstArgumentStaysCommandSyntax) {
    run("string $n = \"node\"; record ($n + \".t\") -type double3 1 2 3;");
    ASSERT_EQ(calls.size(), 1u);
    ASSERT_EQ(calls[0].size(), 6u);
    EXPECT_EQ(calls[0][0], Value("node.t"));
    EXPECT_EQ(calls[0][1], Value("-type"));
    EXPECT_EQ(calls[0][5], Value("3"));
    run("record ($n) -5;");
    EXPECT_EQ(calls[1], (std::vector<Value>{Value("node"), Value("-5")}));
}

TEST_F(MelCommands, ResultsFlowIntoVariablesAndBackquotes) {
    EXPECT_EQ(text("string $objs[] = `answer`; $objs[1]"), "pSphere1");
    EXPECT_EQ(text("answer()"), "pCube1 pSphere1");
    EXPECT_EQ(run("size(`answer`)").asInt(), 2);
    Value v;
    EXPECT_TRUE(mel().execute("answer", &v));
    EXPECT_TRUE(mel().lastHadResult());
    EXPECT_EQ(v.type(), Type::StringArray);
    // A command without a result prints nothing and reads as an empty string.
    EXPECT_TRUE(mel().execute("record", &v));
    EXPECT_FALSE(mel().lastHadResult());
    EXPECT_EQ(text("string $r = `record`; size($r)"), "0");
}

TEST_F(MelCommands, FailureStopsTheScriptUnlessCaught) {
    std::string shown = failure("record 1; refuse; record 2;");
    EXPECT_EQ(shown, "// Error: refuse: not today //\n");
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(run("catch(`refuse`)").asInt(), 1);
    EXPECT_EQ(run("catchQuiet(refuse())").asInt(), 1);
}

TEST_F(MelCommands, ExceptionsFromCommandsBecomeErrors) {
    mel().defineCommand("throws", [](CommandCall&) -> bool { throw std::runtime_error("broke"); });
    failure("throws;");
    EXPECT_EQ(lastError(), "line 1: throws: broke");
    mel().undefineCommand("throws");
}

TEST_F(MelCommands, DefineReplacesAndUndefineRemoves) {
    EXPECT_TRUE(mel().commandExists("answer"));
    mel().defineCommand("answer", [](CommandCall& call) {
        call.result = Value(7);
        call.hasResult = true;
        return true;
    });
    EXPECT_EQ(run("answer").asInt(), 7);
    mel().undefineCommand("answer");
    EXPECT_FALSE(mel().commandExists("answer"));
    failure("answer;");
    EXPECT_EQ(lastError(), "line 1: Cannot find procedure \"answer\".");
    EXPECT_EQ(text("whatIs record"), "Command");
}

TEST_F(MelCommands, ACommandMayUndefineItselfWhileRunning) {
    mel().defineCommand("once", [](CommandCall& call) {
        Interpreter::instance().undefineCommand("once");
        call.result = Value("still here");
        call.hasResult = true;
        return true;
    });
    EXPECT_EQ(text("once"), "still here");
    EXPECT_FALSE(mel().commandExists("once"));
}

TEST_F(MelCommands, ProceduresOverrideCommandsOfTheSameName) {
    run("global proc string answer() { return \"from proc\"; }");
    EXPECT_EQ(text("answer"), "from proc");
}

TEST_F(MelCommands, CommandsCanRunNestedMel) {
    mel().defineCommand("nested", [](CommandCall& call) {
        Value v;
        bool ok = Interpreter::instance().execute("6 * 7", &v);
        call.result = v;
        call.hasResult = ok;
        return ok;
    });
    EXPECT_EQ(run("nested() + 0").asInt(), 42);
    mel().undefineCommand("nested");
}

TEST_F(MelCommands, BuiltinsCanWriteBackIntoVariables) {
    mel().defineBuiltin("setFirst", [](CommandCall& call, const std::vector<Value*>& vars) {
        if (vars.empty() || !vars[0])
            return false;
        *vars[0] = Value(call.args.size() > 1 ? call.args[1].text() : std::string("set"));
        return true;
    });
    EXPECT_EQ(text("string $s = \"old\"; setFirst($s, \"new\"); $s"), "new");
    EXPECT_FALSE(mel().execute("setFirst(\"literal\");"));
    mel().undefineCommand("setFirst");
}

}  // namespace
}  // namespace host::mel::testing
