// dkCopyPlugValue through the script line: every kind of value, compound and
// array plugs, connected sources, undo and redo, and each failure line.

#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using dktest::errors;
using dktest::evalString;
using dktest::run;

// One attribute made the same way on both nodes, and a value for the source.
struct ValueKind {
    const char* name;
    std::string addAttr;   // MEL adding "x" to the node named by %N
    std::string setValue;  // MEL setting src.x
};

std::string onNode(std::string mel, const std::string& node) {
    for (std::string::size_type at = mel.find("%N"); at != std::string::npos;
         at = mel.find("%N", at)) {
        mel.replace(at, 2, node);
    }
    return mel;
}

// A compound of three (or two) numbers, its children named x0, x1, x2.
std::string numericCompound(const char* type, const char* childType, int children,
                            const std::string& settings) {
    std::string mel = std::string("addAttr -ln x -at ") + type + settings + " %N;";
    for (int i = 0; i < children; ++i) {
        mel += std::string("addAttr -ln x") + std::to_string(i) + " -at " + childType + " -p x %N;";
    }
    return mel;
}

class CopyPlugValueCommandTest : public dktest::PluginTest {
protected:
    void SetUp() override {
        dktest::PluginTest::SetUp();
        ASSERT_TRUE(run("createNode transform -n src; createNode transform -n dst"));
        dktest::clearOutput();
    }

    std::string value(const std::string& plug) { return evalString("getAttr " + plug); }

    // A command that failed, or changed nothing, left no step to undo.
    bool nothingToUndo() { return evalString("undoInfo -q -uqe") == "1"; }

    // Copies src.x onto dst.x and checks the value arrives, leaves with undo
    // and comes back with redo.
    void expectCopiedUndoneAndRedone(const std::string& from, const std::string& to) {
        const std::string wanted = value(from);
        const std::string before = value(to);
        ASSERT_NE(wanted, before) << "the test value must differ from the destination's";
        ASSERT_TRUE(run("dkCopyPlugValue " + from + " " + to)) << errors().front();
        EXPECT_EQ(value(to), wanted);
        ASSERT_TRUE(run("undo"));
        EXPECT_EQ(value(to), before);
        ASSERT_TRUE(run("redo"));
        EXPECT_EQ(value(to), wanted);
        EXPECT_EQ(value(from), wanted);
        EXPECT_TRUE(errors().empty());
    }
};

// A source that cannot be read through a connection is copied by reading and
// writing its value with the type the attribute declares.
TEST_F(CopyPlugValueCommandTest, EveryValueKindIsCopiedByTypeAndUndone) {
    const std::string unreadable = " -r false";
    const ValueKind kinds[] = {
        {"bool", "addAttr -ln x -at bool%R %N", "setAttr src.x 1"},
        {"byte", "addAttr -ln x -at byte%R %N", "setAttr src.x 7"},
        {"char", "addAttr -ln x -at char%R %N", "setAttr src.x 65"},
        {"short", "addAttr -ln x -at short%R %N", "setAttr src.x -1234"},
        {"long", "addAttr -ln x -at long%R %N", "setAttr src.x 123456"},
        {"float", "addAttr -ln x -at float%R %N", "setAttr src.x 1.5"},
        {"double", "addAttr -ln x -at double%R %N", "setAttr src.x 2.25"},
        {"distance", "addAttr -ln x -at doubleLinear%R %N", "setAttr src.x 3.5"},
        {"angle", "addAttr -ln x -at doubleAngle%R %N", "setAttr src.x 45"},
        {"time", "addAttr -ln x -at time%R %N", "setAttr src.x 12"},
        {"enum", "addAttr -ln x -at enum -en \"a:b:c\"%R %N", "setAttr src.x 2"},
        {"string", "addAttr -ln x -dt \"string\"%R %N", "setAttr -type \"string\" src.x \"hi\""},
        {"double3", numericCompound("double3", "double", 3, "%R"), "setAttr src.x 1 2 3"},
        {"float2", numericCompound("float2", "float", 2, "%R"), "setAttr src.x 0.5 4"},
        {"matrix", "addAttr -ln x -dt \"matrix\"%R %N",
         "setAttr -type \"matrix\" src.x 2 0 0 0 0 3 0 0 0 0 4 0 1 2 3 1"},
        {"doubleArray", "addAttr -ln x -dt doubleArray%R %N",
         "setAttr -type doubleArray src.x 3 1.5 2.5 3.5"},
        {"Int32Array", "addAttr -ln x -dt Int32Array%R %N", "setAttr -type Int32Array src.x 2 7 9"},
        {"stringArray", "addAttr -ln x -dt stringArray%R %N",
         "setAttr -type stringArray src.x 2 \"p\" \"q\""},
        {"vectorArray", "addAttr -ln x -dt vectorArray%R %N",
         "setAttr -type vectorArray src.x 1 1 2 3"},
    };
    for (const ValueKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        ASSERT_TRUE(
            run("file -f -new; flushUndo; createNode transform -n src;"
                "createNode transform -n dst"));
        std::string add = kind.addAttr;
        const auto mark = add.find("%R");
        std::string sourceAdd = add, destinationAdd = add;
        sourceAdd.replace(sourceAdd.find("%R"), 2, unreadable);
        destinationAdd.replace(mark, 2, "");
        ASSERT_TRUE(run(onNode(sourceAdd, "src")));
        ASSERT_TRUE(run(onNode(destinationAdd, "dst")));
        ASSERT_TRUE(run(kind.setValue));
        ASSERT_TRUE(run("flushUndo"));
        expectCopiedUndoneAndRedone("src.x", "dst.x");
    }
}

TEST_F(CopyPlugValueCommandTest, AChildOfACompoundIsCopiedAlone) {
    ASSERT_TRUE(run("addAttr -ln d -at doubleLinear -r false src; setAttr src.d 4"));
    expectCopiedUndoneAndRedone("src.d", "dst.ty");
    EXPECT_EQ(value("dst.tx"), "0");
    EXPECT_EQ(value("dst.tz"), "0");
}

// Array plugs cannot be connected whole, readable or not; their elements
// arrive through the set-attribute texts.
TEST_F(CopyPlugValueCommandTest, ArrayPlugsAndElementsAreCopied) {
    ASSERT_TRUE(
        run("addAttr -ln arr -at double -m src; addAttr -ln arr -at double -m dst;"
            "setAttr src.arr[0] 1.5; setAttr src.arr[2] 2.5; flushUndo"));
    ASSERT_TRUE(run("dkCopyPlugValue src.arr dst.arr")) << errors().front();
    EXPECT_EQ(value("dst.arr[0]"), "1.5");
    EXPECT_EQ(value("dst.arr[2]"), "2.5");
    ASSERT_TRUE(run("undo"));
    EXPECT_EQ(evalString("getAttr -s dst.arr"), "0");
    ASSERT_TRUE(run("redo"));
    EXPECT_EQ(value("dst.arr[2]"), "2.5");

    expectCopiedUndoneAndRedone("src.arr[2]", "dst.arr[5]");

    ASSERT_TRUE(
        run("addAttr -ln pair -at compound -nc 2 -m src; addAttr -ln left -at double -p pair src;"
            "addAttr -ln right -dt \"string\" -p pair src;"
            "addAttr -ln pair -at compound -nc 2 -m dst; addAttr -ln left -at double -p pair dst;"
            "addAttr -ln right -dt \"string\" -p pair dst;"
            "setAttr src.pair[1].left 2.5; setAttr -type \"string\" src.pair[1].right \"r\""));
    ASSERT_TRUE(run("dkCopyPlugValue src.pair dst.pair")) << errors().front();
    EXPECT_EQ(value("dst.pair[1].left"), "2.5");
    EXPECT_EQ(value("dst.pair[1].right"), "r");
}

TEST_F(CopyPlugValueCommandTest, AConnectedSourceGivesTheValueItReceives) {
    ASSERT_TRUE(
        run("createNode transform -n feed; setAttr feed.tx 6;"
            "addAttr -ln d -at double -r false src; addAttr -ln d -at double dst;"
            "connectAttr feed.tx src.d; flushUndo"));
    expectCopiedUndoneAndRedone("src.d", "dst.d");
    EXPECT_EQ(evalString("isConnected feed.tx dst.d"), "0");
}

// The destination keeps the value it received when the connection is broken
// again; undo gives back what it held before.
TEST_F(CopyPlugValueCommandTest, AConnectableSourceIsCopiedWithoutLeavingAConnection) {
    ASSERT_TRUE(run("setAttr src.tx 5; setAttr src.rx 30; setAttr src.t 5 6 7; flushUndo"));
    expectCopiedUndoneAndRedone("src.tx", "dst.tx");
    expectCopiedUndoneAndRedone("src.rx", "dst.rx");
    expectCopiedUndoneAndRedone("src.t", "dst.s");
    EXPECT_EQ(evalString("isConnected src.tx dst.tx"), "0");
    EXPECT_EQ(evalString("isConnected src.t dst.s"), "0");
    ASSERT_TRUE(run("setAttr src.tx 9"));
    EXPECT_EQ(value("dst.tx"), "5");
}

TEST_F(CopyPlugValueCommandTest, PlugsAreTakenFromTheSelection) {
    ASSERT_TRUE(
        run("addAttr -ln d -at double -r false src; addAttr -ln d -at double dst;"
            "setAttr src.d 8; select -r src.d dst.d"));
    ASSERT_TRUE(run("dkCopyPlugValue"));
    EXPECT_EQ(value("dst.d"), "8");
}

TEST_F(CopyPlugValueCommandTest, MessagePlugsCopyNothingAndSucceed) {
    ASSERT_TRUE(
        run("addAttr -ln link -at message src; addAttr -ln link -at message dst;"
            "addAttr -ln d -at double dst; setAttr dst.d 3; flushUndo"));
    EXPECT_TRUE(run("dkCopyPlugValue src.link dst.link"));
    EXPECT_TRUE(run("dkCopyPlugValue src.link dst.d"));
    EXPECT_EQ(value("dst.d"), "3");
    EXPECT_TRUE(run("undo; undo; redo; redo"));
    EXPECT_EQ(value("dst.d"), "3");
    EXPECT_EQ(evalString("isConnected src.link dst.link"), "0");
    EXPECT_TRUE(errors().empty());
}

TEST_F(CopyPlugValueCommandTest, ALockedOrConnectedDestinationIsNotSettable) {
    ASSERT_TRUE(
        run("setAttr src.tx 2; setAttr -l true dst.ty;"
            "createNode transform -n feed; connectAttr feed.tz dst.tz; flushUndo"));
    EXPECT_FALSE(run("dkCopyPlugValue src.tx dst.ty"));
    EXPECT_FALSE(run("dkCopyPlugValue src.tx dst.tz"));
    // A compound whose child is locked is not free to change either.
    EXPECT_FALSE(run("dkCopyPlugValue src.t dst.t"));
    EXPECT_EQ(errors(), (Lines{"dkCopyPlugValue: dst.ty is not settable.",
                               "dkCopyPlugValue: dst.tz is not settable.",
                               "dkCopyPlugValue: dst.t is not settable."}));
    EXPECT_EQ(value("dst.ty"), "0");
    EXPECT_TRUE(nothingToUndo());
}

TEST_F(CopyPlugValueCommandTest, AnIncompatibleDestinationNamesBothPlugsAndChangesNothing) {
    ASSERT_TRUE(
        run("addAttr -ln str -dt \"string\" -r false src;"
            "setAttr -type \"string\" src.str \"text\";"
            "addAttr -ln d -at double dst; setAttr dst.d 1.25; flushUndo"));
    dktest::clearOutput();
    EXPECT_FALSE(run("dkCopyPlugValue src.str dst.d"));
    ASSERT_FALSE(errors().empty());
    EXPECT_EQ(errors().back(), "dkCopyPlugValue: Unable to copy the value of src.str to dst.d.");
    EXPECT_EQ(value("dst.d"), "1.25");
    EXPECT_TRUE(nothingToUndo());
}

TEST_F(CopyPlugValueCommandTest, TargetsMustBeTwoPlugs) {
    const std::string line =
        "dkCopyPlugValue: The dkCopyPlugValue command requires two plugs be specified as command "
        "targets.";
    EXPECT_FALSE(run("dkCopyPlugValue src dst.tx"));
    EXPECT_FALSE(run("dkCopyPlugValue src.tx dst"));
    EXPECT_EQ(errors(), (Lines{line, line}));
    dktest::clearOutput();

    // A wrong number of objects is the host's to report.
    EXPECT_FALSE(run("dkCopyPlugValue src.tx"));
    EXPECT_FALSE(run("dkCopyPlugValue src.tx dst.tx dst.ty"));
    for (const std::string& error : errors()) {
        EXPECT_NE(error.rfind("dkCopyPlugValue: ", 0), 0u) << error;
    }
}

}  // namespace
