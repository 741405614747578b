// Expression nodes: what they read and write becomes connections, and they
// run again when the time or what they read changes.

#include "commands_fixture.h"

#include "files/SceneFile.h"

#include <maya/MAnimControl.h>

#include <unistd.h>
#include <cmath>
#include <fstream>

namespace host::commands::testing {
namespace {

class ExpressionTest : public CommandsTest {
protected:
    void goTo(double frame) {
        ASSERT_TRUE(MAnimControl::setCurrentTime(MTime(frame, MTime::uiUnit())));
    }
};

TEST_F(ExpressionTest, AssignedAttributesFollowTheirInputsAndTheTime) {
    run("createNode transform -n a; createNode transform -n b; setAttr a.tx 3");
    goTo(1);
    EXPECT_EQ(strings("expression -n drive -s \"b.ty = a.tx * 2 + frame;\\nrx = 90;\" -o b"),
              std::vector<std::string>{"drive"});
    EXPECT_EQ(number("getAttr b.ty"), 7.0);
    // Degrees in the text, through a unit conversion into the rotation.
    EXPECT_NEAR(number("getAttr b.rx"), 90.0, 1e-9);
    EXPECT_EQ(strings("ls -type unitConversion").size(), 1u);
    goTo(5);
    EXPECT_EQ(number("getAttr b.ty"), 11.0);
    run("setAttr a.tx 10");
    EXPECT_EQ(number("getAttr b.ty"), 25.0);
    EXPECT_EQ(
        strings("expression -q -s drive"),
        std::vector<std::string>{"b.translateY = a.translateX * 2 + frame;\nb.rotateX = 90;"});
    EXPECT_EQ(strings("getAttr drive.ixp"),
              std::vector<std::string>{".O[0] = .I[0] * 2 + frame;\n.O[1] = 90;"});

    run("expression -e -s \"b.tz = time\" drive");
    EXPECT_NEAR(number("getAttr b.tz"), 5.0 / 24.0, 1e-9);
    EXPECT_EQ(strings("expression -q -s drive"), std::vector<std::string>{"b.translateZ = time"});
    EXPECT_EQ(failure("expression -s \"nobody.tx = 1\""),
              "line 1: expression: No object matches name: nobody.tx");
}

TEST_F(ExpressionTest, MakingOneUndoesWhole) {
    run("createNode transform -n a; createNode transform -n b");
    roundTrip("expression -s \"b.tx = a.ty + 1\"");
}

TEST_F(ExpressionTest, WithoutOutputsItRunsOnEveryChangeOfTime) {
    goTo(2);
    run("global float $ticks[]; "
        "expression -s \"global float $ticks[]; $ticks[size($ticks)] = frame;\"");
    goTo(3);
    goTo(4);
    EXPECT_EQ(numbers("global float $ticks[]; $ticks"), (std::vector<double>{2, 3, 4}));
    run("expression -e -ae 0 expression1");
    goTo(5);
    EXPECT_EQ(numbers("global float $ticks[]; $ticks").size(), 4u);  // the edit ran it once
}

TEST_F(ExpressionTest, ExpressionsReadFromAFileRun) {
    const std::string path =
        ::testing::TempDir() + "expression_" + std::to_string(getpid()) + ".ma";
    std::ofstream(path) << "//Maya ASCII 2008 scene\nrequires maya \"2008\";\n"
                           "createNode transform -n \"src\";\n\tsetAttr \".tx\" 2;\n"
                           "createNode transform -n \"dst\";\n"
                           "createNode expression -n \"expression1\";\n"
                           "\tsetAttr -k on \".nds\";\n"
                           "\tsetAttr -s 2 \".in\";\n"
                           "\tsetAttr \".ixp\" -type \"string\" \".O[0] = .I[0] * frame;\";\n"
                           "connectAttr \":time1.o\" \"expression1.tim\";\n"
                           "connectAttr \"src.tx\" \"expression1.in[0]\";\n"
                           "connectAttr \"expression1.out[0]\" \"dst.ty\";\n";
    ASSERT_TRUE(files::openScene(path, true));
    std::remove(path.c_str());
    goTo(3);
    EXPECT_EQ(number("getAttr dst.ty"), 6.0);
    EXPECT_EQ(strings("expression -q -s expression1"),
              std::vector<std::string>{"dst.translateY = src.translateX * frame;"});
}

}  // namespace
}  // namespace host::commands::testing
