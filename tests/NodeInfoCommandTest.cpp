// dkNodeInfo through the script line: its answer, and each of its failure
// lines.

#include "PluginTestSupport.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class NodeInfoCommandTest : public dktest::PluginTest {
protected:
    void SetUp() override {
        dktest::PluginTest::SetUp();
        ASSERT_TRUE(
            dktest::run("createNode -shared -n sharedNode transform;"
                        "createNode -n plainNode transform"));
        dktest::clearOutput();
    }
};

TEST_F(NodeInfoCommandTest, AnswersWhetherTheNodeIsShared) {
    EXPECT_EQ(dktest::evalString("dkNodeInfo -shd sharedNode"), "1");
    EXPECT_EQ(dktest::evalString("dkNodeInfo -shared plainNode"), "0");
    EXPECT_TRUE(dktest::errors().empty());
}

TEST_F(NodeInfoCommandTest, QueriesTheSelectionWhenNoNodeIsNamed) {
    ASSERT_TRUE(dktest::run("select -r sharedNode"));
    EXPECT_EQ(dktest::evalString("dkNodeInfo -shd"), "1");
    ASSERT_TRUE(dktest::run("select -r plainNode"));
    EXPECT_EQ(dktest::evalString("dkNodeInfo -shd"), "0");
}

TEST_F(NodeInfoCommandTest, MissingFlagFailsBeforeTheNodeIsLookedUp) {
    EXPECT_FALSE(dktest::run("dkNodeInfo plainNode"));
    EXPECT_FALSE(dktest::run("dkNodeInfo noSuchNode"));
    const std::string line =
        "dkNodeInfo: No command flags specified. The dkNodeInfo command requires that a a single "
        "main command flag be specified.";
    EXPECT_EQ(dktest::errors(), (Lines{line, line}));
}

// The syntax allows one object at most, so the host refuses a second one
// before the command runs; the command adds no line of its own.
TEST_F(NodeInfoCommandTest, TwoNodesAreRefusedByTheHost) {
    EXPECT_FALSE(dktest::run("dkNodeInfo -shd sharedNode plainNode"));
    EXPECT_EQ(dktest::errors(), Lines{"line 1: Too many objects or values."});
}

TEST_F(NodeInfoCommandTest, PatternMatchingSeveralNodesIsNotFoundInTheShortForm) {
    EXPECT_FALSE(dktest::run("dkNodeInfo -shd \"*Node\""));
    EXPECT_EQ(dktest::errors(), Lines{"dkNodeInfo: Target node can not be found."});
}

TEST_F(NodeInfoCommandTest, UnknownNameFailsInTheApiErrorFormWithTheHostsStatus) {
    MSelectionList scratch;
    const MStatus lookup = MGlobal::getSelectionListByName("noSuchNode", scratch);
    ASSERT_NE(lookup, MS::kSuccess);
    dktest::clearOutput();

    EXPECT_FALSE(dktest::run("dkNodeInfo -shd noSuchNode"));
    EXPECT_EQ(dktest::errors(),
              Lines{"dkNodeInfo: API error encountered - Target node can not be found.: " +
                    dktest::statusText(lookup)});
}

// The host reports these itself; the command must not add a line of its own.
TEST_F(NodeInfoCommandTest, SyntaxErrorsLeaveTheReportToTheHost) {
    ASSERT_TRUE(dktest::run("select -cl"));
    EXPECT_FALSE(dktest::run("dkNodeInfo -shd"));
    EXPECT_FALSE(dktest::run("dkNodeInfo -noSuchFlag plainNode"));
    EXPECT_FALSE(dktest::errors().empty());
    for (const std::string& line : dktest::errors()) {
        EXPECT_NE(line.rfind("dkNodeInfo: ", 0), 0u) << line;
    }
}

}  // namespace
