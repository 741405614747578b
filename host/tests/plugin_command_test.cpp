// Script commands carried out by MPxCommand objects: results, object
// lifetime, undo recording and failures.

#include "plugin/CommandBridge.h"
#include "plugin_support.h"

#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>

#include <stdexcept>

namespace {

using hosttest::HostFixture;

int liveCommands = 0;
int counter = 0;

class Counted : public MPxCommand {
public:
    Counted() { ++liveCommands; }
    ~Counted() override { --liveCommands; }
};

// Sets the result its first argument names.
class ResultCmd : public Counted {
public:
    MStatus doIt(const MArgList& args) override {
        const std::string kind = args.asString(0).asChar();
        if (kind == "int") {
            setResult(5);
        } else if (kind == "bool") {
            setResult(true);
        } else if (kind == "strings") {
            MStringArray words;
            words.append("a");
            words.append("b c");
            setResult(words);
        } else if (kind == "append") {
            appendToResult(1);
            appendToResult(2);
            appendToResult(3);
        } else if (kind == "nested") {
            setResult("mine");
            int inner = 0;
            MGlobal::executeCommand("ptResult int", inner);
            appendToResult(MString("after"));
            EXPECT_EQ(inner, 5);
        }
        return MS::kSuccess;
    }
};

class UndoableCmd : public Counted {
public:
    MStatus doIt(const MArgList&) override { return redoIt(); }
    MStatus redoIt() override {
        ++counter;
        return MS::kSuccess;
    }
    MStatus undoIt() override {
        --counter;
        return MS::kSuccess;
    }
    bool isUndoable() const override { return true; }
};

class FailingCmd : public UndoableCmd {
public:
    MStatus doIt(const MArgList&) override {
        displayError("ptFailing refused");
        return MS::kFailure;
    }
};

class ThrowingCmd : public UndoableCmd {
public:
    MStatus doIt(const MArgList&) override { throw std::runtime_error("boom"); }
};

// Gives its call text as its result, read after running another command; with
// "own" as its argument it names itself first.
class TextCmd : public UndoableCmd {
public:
    MStatus doIt(const MArgList& args) override {
        if (args.length() == 1 && args.asString(0) == "own") {
            setCommandString("ptText (named)");
        }
        int inner = 0;
        MGlobal::executeCommand("ptResult int", inner);
        setResult(commandString());
        return redoIt();
    }
};

template <class T>
void* make() {
    return new T;
}

class CommandTest : public HostFixture {
protected:
    static void SetUpTestSuite() {
        MLibrary::initialize(false, "host_tests");
        host::plugin::defineCommand("ptResult", make<ResultCmd>, nullptr, "");
        host::plugin::defineCommand("ptUndoable", make<UndoableCmd>, nullptr, "");
        host::plugin::defineCommand("ptFailing", make<FailingCmd>, nullptr, "");
        host::plugin::defineCommand("ptThrows", make<ThrowingCmd>, nullptr, "");
        host::plugin::defineCommand("ptText", make<TextCmd>, nullptr, "");
    }
    void SetUp() override {
        HostFixture::SetUp();
        counter = 0;
    }
    void TearDown() override { EXPECT_EQ(liveCommands, 0) << "a command object leaked"; }
};

TEST_F(CommandTest, ResultsReachTheScriptInTheirKind) {
    EXPECT_EQ(run("ptResult int").type(), host::mel::Type::Int);
    EXPECT_EQ(text("ptResult int"), "5");
    EXPECT_EQ(text("ptResult bool"), "1");
    const host::mel::Value words = run("ptResult strings");
    ASSERT_EQ(words.type(), host::mel::Type::StringArray);
    EXPECT_EQ(words.stringArray()[1], "b c");
    const host::mel::Value appended = run("ptResult append");
    ASSERT_EQ(appended.type(), host::mel::Type::IntArray);
    EXPECT_EQ(appended.intArray(), (std::vector<int>{1, 2, 3}));
    run("ptResult none");
    EXPECT_FALSE(mel().lastHadResult());
}

TEST_F(CommandTest, ACommandRunByAnotherKeepsItsOwnResult) {
    const host::mel::Value v = run("ptResult nested");
    ASSERT_EQ(v.type(), host::mel::Type::StringArray);
    EXPECT_EQ(v.stringArray(), (std::vector<std::string>{"mine", "after"}));
}

TEST_F(CommandTest, OnlySuccessfulUndoableCommandsEnterTheQueue) {
    run("ptResult int");
    EXPECT_FALSE(host::undo::Queue::instance().canUndo());
    run("ptUndoable -flag \"a b\" 3");
    EXPECT_EQ(liveCommands, 1);
    EXPECT_EQ(host::undo::Queue::instance().undoName(), "ptUndoable -flag \"a b\" 3");

    EXPECT_EQ(failure("ptFailing"), "ptFailing refused");
    EXPECT_EQ(failure("ptThrows"), "ptThrows: boom");
    EXPECT_EQ(liveCommands, 1);
    EXPECT_EQ(host::undo::Queue::instance().names().size(), 1u);

    host::undo::Queue::instance().flush();
    EXPECT_EQ(liveCommands, 0);
}

TEST_F(CommandTest, UndoRedoCallTheCommandObject) {
    run("ptUndoable; ptUndoable");
    EXPECT_EQ(counter, 2);
    run("undo");
    EXPECT_EQ(counter, 1);
    run("redo");
    EXPECT_EQ(counter, 2);
    run("undo; undo");
    EXPECT_EQ(counter, 0);
    // A new command drops the two undone ones.
    run("ptUndoable");
    EXPECT_EQ(liveCommands, 1);
    EXPECT_FALSE(host::undo::Queue::instance().canRedo());
    host::undo::Queue::instance().flush();
}

TEST_F(CommandTest, TheCallTextIsTheSameAskedForDuringDoItOrByTheQueue) {
    EXPECT_EQ(text("ptText -flag \"a b\" 3 <<1, 2, 3>>"), "ptText -flag \"a b\" 3 <<1, 2, 3>>");
    EXPECT_EQ(host::undo::Queue::instance().undoName(), "ptText -flag \"a b\" 3 <<1, 2, 3>>");
    EXPECT_EQ(text("ptText own"), "ptText (named)");
    EXPECT_EQ(host::undo::Queue::instance().undoName(), "ptText (named)");
    EXPECT_EQ(text("ptText {\"x\", \"y z\"}"), "ptText {x, \"y z\"}");
    host::undo::Queue::instance().flush();
}

TEST_F(CommandTest, ExecuteCommandWithUndoOffRecordsNothing) {
    EXPECT_TRUE(MGlobal::executeCommand("ptUndoable; ptUndoable", false, false));
    EXPECT_EQ(counter, 2);
    EXPECT_EQ(liveCommands, 0);
    EXPECT_FALSE(host::undo::Queue::instance().canUndo());

    EXPECT_TRUE(MGlobal::executeCommand("ptUndoable", false, true));
    EXPECT_EQ(host::undo::Queue::instance().names().size(), 1u);
    host::undo::Queue::instance().flush();
}

TEST_F(CommandTest, ExecuteCommandGivesResultsInTheAskedKind) {
    MStringArray words;
    ASSERT_TRUE(MGlobal::executeCommand("ptResult strings", words));
    ASSERT_EQ(words.length(), 2u);
    // A scalar asked for as an array is an array of one.
    MIntArray numbers;
    ASSERT_TRUE(MGlobal::executeCommand("ptResult int", numbers));
    ASSERT_EQ(numbers.length(), 1u);
    EXPECT_EQ(numbers[0], 5);
    MString one;
    ASSERT_TRUE(MGlobal::executeCommand("ptResult int", one));
    EXPECT_EQ(std::string(one.asChar()), "5");
    int value = 0;
    EXPECT_FALSE(MGlobal::executeCommand("ptFailing", value));
}

TEST_F(CommandTest, DefinitionRefusesTakenAndMalformedNames) {
    EXPECT_EQ(host::plugin::defineCommand("ptResult", make<ResultCmd>, nullptr, "other"),
              MS::kFailure);
    EXPECT_EQ(host::plugin::defineCommand("pt Result", make<ResultCmd>, nullptr, ""),
              MS::kInvalidParameter);
    EXPECT_EQ(host::plugin::defineCommand("ptNull", nullptr, nullptr, ""), MS::kInvalidParameter);
    // Only the definer may remove a command.
    EXPECT_EQ(host::plugin::undefineCommand("ptResult", "other"), MS::kFailure);
    EXPECT_TRUE(mel().commandExists("ptResult"));
}

}  // namespace
