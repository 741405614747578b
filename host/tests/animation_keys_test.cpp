// The key commands: setKeyframe, keyframe, keyTangent and cutKey, their
// defaults, and their undo.
#include "commands_fixture.h"

#include <maya/MAnimControl.h>

namespace {

using host::commands::testing::CommandsTest;

class KeyCommandsTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        run("currentTime 1; createNode transform -n ball");
    }
    void TearDown() override {
        mel().execute("keyTangent -g -itt clamped -ott clamped");
        CommandsTest::TearDown();
    }
};

TEST_F(KeyCommandsTest, SetKeyframeDefaultsToTheCurrentTimeAndValue) {
    run("setAttr ball.tx 4; currentTime 3");
    EXPECT_EQ(number("setKeyframe -at tx ball"), 1);
    EXPECT_EQ(numbers("keyframe -q -tc ball.tx"), std::vector<double>({3}));
    EXPECT_EQ(numbers("keyframe -q -vc ball.tx"), std::vector<double>({4}));
    EXPECT_EQ(text("nodeType ball_translateX"), "animCurveTL");
}

TEST_F(KeyCommandsTest, KeyedValuesFollowTheClockInUiUnits) {
    run("setKeyframe -t 1 -v 0 -at ry -itt linear -ott linear ball");
    run("setKeyframe -t 11 -v 90 -at ry -itt linear -ott linear ball");
    run("currentTime 6");
    EXPECT_NEAR(number("getAttr ball.ry"), 45.0, 1e-9);
    // A key at an existing time replaces its value.
    run("setKeyframe -t 11 -v 180 -at ry ball");
    EXPECT_EQ(number("keyframe -q -kc ball.ry"), 2);
    EXPECT_NEAR(number("getAttr ball.ry"), 90.0, 1e-9);
}

TEST_F(KeyCommandsTest, WithoutAttributesEveryKeyableLeafIsKeyed) {
    run("setKeyframe ball");
    for (const char* plug : {"tx", "ty", "tz", "rx", "ry", "rz", "sx", "sy", "sz", "v"})
        EXPECT_EQ(number(std::string("keyframe -q -kc ball.") + plug), 1) << plug;
    // Later keys without -value take what the curve shows at their time.
    // (the clock stays at 1, where tx shows 0).
    run("setKeyframe -t 10 -v 5 -at tx ball; setKeyframe -t 5 -at tx ball");
    std::vector<double> at5 = numbers("keyframe -q -t 5 -vc ball.tx");
    ASSERT_EQ(at5.size(), 1u);
    EXPECT_GT(at5[0], 0.0);
    EXPECT_LT(at5[0], 5.0);
}

TEST_F(KeyCommandsTest, StepTangentsAndTangentQueries) {
    run("setKeyframe -t 1 -v 0 -at v -itt step -ott step ball");
    run("setKeyframe -t 10 -v 1 -at v -itt step -ott step ball");
    run("currentTime 9");
    EXPECT_EQ(number("getAttr ball.v"), 0);
    run("currentTime 10");
    EXPECT_EQ(number("getAttr ball.v"), 1);
    EXPECT_EQ(strings("keyTangent -q -ott ball.v"), std::vector<std::string>({"step", "step"}));
    run("keyTangent -e -t 1 -ott linear ball.v");
    EXPECT_EQ(strings("keyTangent -q -ott ball.v"), std::vector<std::string>({"linear", "step"}));
    EXPECT_NE(failure("keyTangent -ott sideways ball.v").find("invalid tangent type"),
              std::string::npos);
}

TEST_F(KeyCommandsTest, GlobalTangentsApplyToNewKeys) {
    run("keyTangent -g -itt linear -ott step");
    EXPECT_EQ(strings("keyTangent -q -g -itt -ott"), std::vector<std::string>({"linear", "step"}));
    run("setKeyframe -at tx ball");
    EXPECT_EQ(strings("keyTangent -q -itt -ott ball.tx"),
              std::vector<std::string>({"linear", "step"}));
}

TEST_F(KeyCommandsTest, KeyframeEditsValuesAndTimes) {
    run("setKeyframe -t 1 -v 1 -at tx ball; setKeyframe -t 5 -v 2 -at tx ball");
    run("keyframe -e -t 5 -vc 7 ball.tx");
    EXPECT_EQ(numbers("keyframe -q -vc ball.tx"), std::vector<double>({1, 7}));
    run("keyframe -e -r -tc 2 ball.tx");
    EXPECT_EQ(numbers("keyframe -q -tc ball.tx"), std::vector<double>({3, 7}));
    EXPECT_EQ(numbers("keyframe -q -t \"4:\" -tc ball.tx"), std::vector<double>({7}));
}

TEST_F(KeyCommandsTest, CutKeyRemovesKeysAndEmptyCurves) {
    run("setKeyframe -t 1 -v 1 -at tx ball; setKeyframe -t 5 -v 2 -at tx ball");
    EXPECT_EQ(number("cutKey -t 5 -at tx ball"), 1);
    EXPECT_EQ(number("keyframe -q -kc ball.tx"), 1);
    run("cutKey -cl ball");
    EXPECT_EQ(number("objExists ball_translateX"), 0);
    EXPECT_EQ(number("size `listConnections -s 1 -d 0 ball.tx`"), 0);
}

TEST_F(KeyCommandsTest, KeyCommandsUndoAndRedo) {
    roundTrip("setKeyframe -t 1 -v 1 -at tx ball");
    roundTrip("setKeyframe -t 4 -v 3 -at tx ball");
    roundTrip("keyTangent -itt flat ball.tx");
    roundTrip("keyframe -e -vc 2 ball.tx");
    roundTrip("cutKey -t 4 ball.tx");
    roundTrip("cutKey ball.tx");
    EXPECT_EQ(number("objExists ball_translateX"), 0);
}

TEST_F(KeyCommandsTest, RefusedPlugsKeepTheSceneAsItWas) {
    run("createNode transform -n driver; connectAttr driver.tx ball.ty");
    EXPECT_NE(failure("setKeyframe -at ty ball").find("cannot be keyed"), std::string::npos);
    EXPECT_NE(failure("setKeyframe -at noSuch ball").find("No attribute"), std::string::npos);
    EXPECT_EQ(number("size `ls -type animCurveTL`"), 0);
}

}  // namespace
