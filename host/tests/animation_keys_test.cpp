// The key commands: setKeyframe, keyframe, keyTangent, cutKey, copyKey,
// pasteKey and bakeResults, their defaults, and their undo.
#include "commands_fixture.h"

#include <maya/MAnimControl.h>

#include <cmath>

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

TEST_F(KeyCommandsTest, KeyframeOptionsDecideWhatHappensToNeighbours) {
    run("setKeyframe -t 1 -v 1 -at tx ball; setKeyframe -t 5 -v 2 -at tx ball");
    run("setKeyframe -t 9 -v 3 -at tx ball");
    // move (the default) will not pass or land on a neighbour, and changes nothing then.
    EXPECT_NE(failure("keyframe -e -t 5 -tc 9 ball.tx").find("cannot move past"),
              std::string::npos);
    EXPECT_NE(failure("keyframe -e -r -t 1 -tc 6 -o move ball.tx").find("cannot move past"),
              std::string::npos);
    EXPECT_EQ(numbers("keyframe -q -tc ball.tx"), std::vector<double>({1, 5, 9}));
    // A refusal on one curve leaves the others as they were too.
    run("setKeyframe -t 1 -v 0 -at ry ball");
    EXPECT_NE(failure("keyframe -e -r -t 1 -tc 4 ball").find("cannot move past"),
              std::string::npos);
    EXPECT_EQ(numbers("keyframe -q -tc ball.ry"), std::vector<double>({1}));
    run("cutKey -cl ball.ry");
    // insert: the keys beyond shift by as much.
    run("keyframe -e -r -t 5 -tc 2 -o insert ball.tx");
    EXPECT_EQ(numbers("keyframe -q -tc ball.tx"), std::vector<double>({1, 7, 11}));
    // over: the moved key replaces the one it lands on.
    run("keyframe -e -t 1 -tc 7 -o over ball.tx");
    EXPECT_EQ(numbers("keyframe -q -tc -vc ball.tx"), std::vector<double>({7, 1, 11, 3}));
    // segmentOver: the moved span clears what lies inside it.
    run("setKeyframe -t 8 -v 5 -at tx ball; setKeyframe -t 20 -v 6 -at tx ball");
    run("keyframe -e -r -t \"7:8\" -tc 4 -o segmentOver ball.tx");
    EXPECT_EQ(numbers("keyframe -q -tc ball.tx"), std::vector<double>({11, 12, 20}));
    EXPECT_NE(failure("keyframe -e -r -tc 1 -o sideways ball.tx").find("Invalid option"),
              std::string::npos);
}

TEST_F(KeyCommandsTest, CutKeyRemovesKeysAndEmptyCurves) {
    run("setKeyframe -t 1 -v 1 -at tx ball; setKeyframe -t 5 -v 2 -at tx ball");
    EXPECT_EQ(number("cutKey -t 5 -at tx ball"), 1);
    EXPECT_EQ(number("keyframe -q -kc ball.tx"), 1);
    run("cutKey -cl ball");
    EXPECT_EQ(number("objExists ball_translateX"), 0);
    EXPECT_EQ(number("size `listConnections -s 1 -d 0 ball.tx`"), 0);
}

TEST_F(KeyCommandsTest, CopiedKeysPasteByAttributeName) {
    run("setKeyframe -t 1 -v 1 -at tx ball; setKeyframe -t 3 -v 2 -at tx ball;"
        "setKeyframe -t 5 -v 3 -at tx ball; setKeyframe -t 1 -v 4 -at ry ball;"
        "createNode transform -n other");
    EXPECT_EQ(number("copyKey -t \"1:3\" ball"), 2);
    run("currentTime 10");
    EXPECT_EQ(number("pasteKey other"), 2);  // at the current time by default
    EXPECT_EQ(numbers("keyframe -q -tc -vc other.tx"), std::vector<double>({10, 1, 12, 2}));
    EXPECT_EQ(numbers("keyframe -q -tc -vc other.ry"), std::vector<double>({10, 4}));
    // The tx curve alone onto a plug of another name, offset in value.
    run("copyKey -at tx ball");
    run("pasteKey -t 20 -vo 10 -o merge other.ty");
    EXPECT_EQ(numbers("keyframe -q -vc other.ty"), std::vector<double>({11, 12, 13}));
    // insert opens a gap as long as the clipboard after the paste time;
    // replace clears that length; replaceCompletely the whole curve.
    run("copyKey -t \"1:3\" -at tx ball");
    run("pasteKey -t 20 other.ty");
    EXPECT_EQ(numbers("keyframe -q -tc other.ty"), std::vector<double>({20, 22, 24, 26}));
    run("pasteKey -t 21 -o replace other.ty");
    EXPECT_EQ(numbers("keyframe -q -tc other.ty"), std::vector<double>({20, 21, 23, 24, 26}));
    run("pasteKey -t 30 -to 2 -o replaceCompletely other.ty");
    EXPECT_EQ(numbers("keyframe -q -tc other.ty"), std::vector<double>({32, 34}));
    run("undo");
    EXPECT_EQ(number("keyframe -q -kc other.ty"), 5);
    EXPECT_NE(failure("pasteKey -o sideways other").find("Invalid option: sideways"),
              std::string::npos);
    // cutKey fills the clipboard unless it only clears.
    run("cutKey -t 5 ball.tx; pasteKey -t 40 other.tz");
    EXPECT_EQ(numbers("keyframe -q -tc -vc other.tz"), std::vector<double>({40, 3}));
    run("cutKey -cl -t 3 ball.tx; pasteKey -t 50 -o merge other.tz");
    EXPECT_EQ(numbers("keyframe -q -tc other.tz"), std::vector<double>({40, 50}));
}

TEST_F(KeyCommandsTest, BakeResultsKeysWhatDriversGave) {
    run("setKeyframe -t 1 -v 0 -at tx ball; setKeyframe -t 9 -v 8 -at tx ball;"
        "setKeyframe -t 1 -v 0 -at tz ball; setKeyframe -t 9 -v 8 -at tz ball;"
        "createNode transform -n copy; pointConstraint ball copy;"
        "setKeyframe -t 20 -v 5 -at ry copy; currentTime 4");
    // A child of a constrained compound is cut free; its siblings stay driven.
    EXPECT_EQ(number("bakeResults -t \"1:9\" -sb 2 -at tx -at ry copy"), 2);
    EXPECT_EQ(numbers("keyframe -q -tc copy.tx"), std::vector<double>({1, 3, 5, 7, 9}));
    EXPECT_EQ(number("keyframe -q -kc copy.ry"), 5);  // keys outside the range go
    EXPECT_EQ(text("connectionInfo -sfd copy.tz"), "copy_pointConstraint1.constraintTranslateZ");
    EXPECT_EQ(number("currentTime -q"), 4);
    run("currentTime 5");
    EXPECT_EQ(number("getAttr copy.tx"), number("getAttr ball.tx"));
    run("undo");
    EXPECT_EQ(text("connectionInfo -sfd copy.tx"), "copy_pointConstraint1.constraintTranslate");
    EXPECT_EQ(number("keyframe -q -kc copy.ry"), 1);
    // Kept outside keys, and a driven channel left alone.
    run("bakeResults -t \"1:3\" -pok true -dic false -at tz -at ry copy");
    EXPECT_EQ(numbers("keyframe -q -tc copy.ry"), std::vector<double>({1, 2, 3, 20}));
    EXPECT_EQ(number("keyframe -q -kc copy.tz"), 0);
    EXPECT_NE(failure("bakeResults -sb 0 copy").find("-sampleBy must be more than 0"),
              std::string::npos);
    EXPECT_NE(failure("bakeResults -t \"3:\" copy").find("invalid time range: 3:"),
              std::string::npos);
    EXPECT_NE(failure("bakeResults -t \"1:1000\" -sb 0.0001 copy").find("more than 1000000"),
              std::string::npos);
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

TEST_F(KeyCommandsTest, KeyframeQueriesAnswerTimesFirst) {
    run("setKeyframe -t 1 -v 10 -at tx ball; setKeyframe -t 5 -v 20 -at tx ball");
    run("setKeyframe -t 9 -v 30 -at tx ball");
    // No data flag: the key times; -tc -vc in either order: time, value pairs.
    EXPECT_EQ(numbers("keyframe -q ball.tx"), std::vector<double>({1, 5, 9}));
    EXPECT_EQ(numbers("keyframe -q -vc -tc ball.tx"), std::vector<double>({1, 10, 5, 20, 9, 30}));
    EXPECT_EQ(numbers("keyframe -in 0 -q ball.tx"), std::vector<double>({1}));
    EXPECT_EQ(numbers("keyframe -in 1 -in 2 -q -vc ball.tx"), std::vector<double>({20, 30}));
    EXPECT_EQ(numbers("keyframe -in \"1:2\" -q -tc ball.tx"), std::vector<double>({5, 9}));
    EXPECT_EQ(numbers("keyframe -t \"1:9\" -iub false -q ball.tx"), std::vector<double>({1, 5}));
    // A unit after a time: 0.2 seconds is frame 4.8 at film rate, 6.25ntsc frame 5.
    EXPECT_EQ(numbers("keyframe -t \"0.2sec:\" -q ball.tx"), std::vector<double>({5, 9}));
    EXPECT_EQ(numbers("keyframe -t 6.25ntsc -q ball.tx"), std::vector<double>({5}));
    EXPECT_NE(failure("keyframe -q -t 5parsecs ball.tx").find("invalid time range: 5parsecs"),
              std::string::npos);
    EXPECT_EQ(text("int $iv[] = `keyframe -q -iv ball.tx`; $iv[0] + \" \" + $iv[2]"), "0 2");
    EXPECT_EQ(strings("keyframe -q -n ball"), std::vector<std::string>({"ball_translateX"}));
    EXPECT_EQ(numbers("keyframe -q -ev -t 5 ball.tx"), std::vector<double>({20}));
    EXPECT_NE(failure("keyframe -q -ev -t \"1:5\" ball.tx").find("not a range"), std::string::npos);
    EXPECT_NE(failure("keyframe -q -in x ball.tx").find("invalid index range: x"),
              std::string::npos);
    // There is no key selection, so -selected finds nothing.
    EXPECT_TRUE(numbers("keyframe -q -sl -tc ball").empty());
    // Editing by index answers the number of curves changed, and undoes.
    EXPECT_EQ(number("keyframe -e -in 1 -tc 6 -vc 25 ball.tx"), 1);
    EXPECT_EQ(numbers("keyframe -q -tc -vc ball.tx"), std::vector<double>({1, 10, 6, 25, 9, 30}));
    run("undo");
    EXPECT_EQ(numbers("keyframe -q -tc -vc ball.tx"), std::vector<double>({1, 10, 5, 20, 9, 30}));
}

TEST_F(KeyCommandsTest, HierarchyBelowFindsTheChildrensCurves) {
    run("createNode transform -n arm -p ball; setKeyframe -at ty arm; setKeyframe -at tx ball");
    EXPECT_EQ(number("keyframe -q -kc ball"), 1);
    EXPECT_EQ(number("keyframe -q -kc -hi below ball"), 2);
    EXPECT_NE(failure("keyframe -q -hi sideways ball").find("Invalid hierarchy value"),
              std::string::npos);
}

TEST_F(KeyCommandsTest, TangentAnglesInDegreesOfValuePerSecond) {
    // 24 units over one second at film rate: a linear slope of 45 degrees
    // once the value rises 1 per second.
    run("setKeyframe -t 1 -v 0 -at tx -itt linear -ott linear ball");
    run("setKeyframe -t 25 -v 1 -at tx -itt linear -ott linear ball");
    std::vector<double> out = numbers("keyTangent -q -oa ball.tx");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NEAR(out[0], 45.0, 1e-9);
    // Keys start locked: the in tangent turns with the out tangent.
    EXPECT_EQ(text("int $l[] = `keyTangent -q -l ball.tx`; $l[0] + \" \" + $l[1]"), "1 1");
    run("keyTangent -e -in 0 -oa 0 ball.tx");
    EXPECT_NEAR(numbers("keyTangent -q -in 0 -oa ball.tx")[0], 0.0, 1e-9);
    EXPECT_NEAR(numbers("keyTangent -q -in 0 -ia ball.tx")[0], 0.0, 1e-9);
    EXPECT_EQ(strings("keyTangent -q -in 0 -ott ball.tx"), std::vector<std::string>({"fixed"}));
    run("keyTangent -e -in 0 -l off -r -oa 30 ball.tx");
    EXPECT_NEAR(numbers("keyTangent -q -in 0 -oa ball.tx")[0], 30.0, 1e-9);
    EXPECT_NEAR(numbers("keyTangent -q -in 0 -ia ball.tx")[0], 0.0, 1e-9);
    EXPECT_EQ(text("int $l[] = `keyTangent -q -in 0 -l ball.tx`; $l[0]"), "0");
    run("undo; undo");
    EXPECT_NEAR(numbers("keyTangent -q -in 0 -oa ball.tx")[0], 45.0, 1e-9);
    EXPECT_EQ(text("int $l[] = `keyTangent -q -in 0 -l ball.tx`; $l[0]"), "1");
}

// Weighted tangents: a curve-level switch that keeps the shape, weights
// per key that change it only while it is on, the weight lock kept for the
// graph editor, and the global default for new curves.
TEST_F(KeyCommandsTest, TangentWeightsShapeWeightedCurves) {
    run("setKeyframe -t 1 -v 0 -at tx ball; setKeyframe -t 25 -v 10 -at tx ball;"
        "setKeyframe -t 49 -v 0 -at tx ball; setKeyframe -t 1 -v 0 -at ty ball");
    EXPECT_EQ(text("int $w[] = `keyTangent -q -wt ball`; size($w) + \" \" + $w[0]"), "2 0");
    EXPECT_EQ(numbers("keyTangent -q -iw -t 25 ball.tx"), std::vector<double>({1}));
    auto values = [this] {
        return std::vector<double>{numbers("keyframe -q -ev -t 7 ball.tx")[0],
                                   numbers("keyframe -q -ev -t 31 ball.tx")[0]};
    };
    const std::vector<double> shape = values();
    // Weighting answers the curves changed and keeps the values.
    EXPECT_EQ(number("keyTangent -e -wt on ball.tx"), 1);
    EXPECT_EQ(text("keyTangent -q -wt ball.tx"), "1");
    const std::vector<double> weighted = values();
    ASSERT_EQ(weighted.size(), shape.size());
    for (size_t i = 0; i < shape.size(); ++i)
        EXPECT_NEAR(weighted[i], shape[i], 1e-9) << i;
    // The weights that keep it: the run of the segment (1 s) along the
    // tangent; the first key's in weight has no segment and stays 1. The
    // middle key is a peak, so flat.
    const std::vector<double> ins = numbers("keyTangent -q -iw ball.tx");
    ASSERT_EQ(ins.size(), 3u);
    EXPECT_EQ(ins[0], 1.0);
    EXPECT_NEAR(ins[1], 1.0, 1e-12);
    EXPECT_NEAR(numbers("keyTangent -q -t 1 -ow ball.tx")[0], std::sqrt(1.0 + 100.0), 1e-9);

    // A longer out handle on the peak holds the value up after it.
    const double before = numbers("keyframe -q -ev -t 31 ball.tx")[0];
    roundTrip("keyTangent -e -t 25 -ow 2 ball.tx");
    EXPECT_GT(numbers("keyframe -q -ev -t 31 ball.tx")[0], before);
    run("keyTangent -e -t 25 -r -ow 0.5 -iw 0.25 ball.tx");
    EXPECT_EQ(numbers("keyTangent -q -t 25 -iw -ow ball.tx"), std::vector<double>({1.25, 2.5}));
    // Relative edits stop at 0; an absolute negative weight is refused.
    run("keyTangent -e -t 25 -r -iw -5 ball.tx");
    EXPECT_EQ(numbers("keyTangent -q -t 25 -iw ball.tx"), std::vector<double>({0}));
    failure("keyTangent -e -iw -1 ball.tx");
    EXPECT_EQ(lastError(), "line 1: keyTangent: A tangent weight cannot be negative.");

    // Unweighting drops the weights and gives the first shape back.
    roundTrip("keyTangent -e -wt off ball.tx");
    EXPECT_EQ(numbers("keyTangent -q -ow ball.tx"), std::vector<double>({1, 1, 1}));
    EXPECT_NEAR(numbers("keyframe -q -ev -t 31 ball.tx")[0], before, 1e-9);
    // Weights given to an unweighted curve are not kept, and it says so.
    out().clearCaptured();
    EXPECT_EQ(number("keyTangent -e -ow 4 ball.ty"), 1);
    EXPECT_NE(out().captured().find("// Warning: line 1: keyTangent: ball_translateY has no "
                                    "weighted tangents; its weights are left as they are (see "
                                    "-weightedTangents). //"),
              std::string::npos)
        << out().captured();
    EXPECT_EQ(numbers("keyTangent -q -ow ball.ty"), std::vector<double>({1}));

    // The weight lock is kept per key (locked for new keys) and binds nothing here.
    EXPECT_EQ(text("int $l[] = `keyTangent -q -wl ball.tx`; $l[0] + \" \" + $l[2]"), "1 1");
    roundTrip("keyTangent -e -t 49 -wl off ball.tx");
    EXPECT_EQ(text("int $l[] = `keyTangent -q -wl ball.tx`; $l[0] + \" \" + $l[2]"), "1 0");

    // The global switch weights the curves made after it.
    run("keyTangent -g -wt on");
    EXPECT_EQ(number("keyTangent -q -g -wt"), 1);
    run("setKeyframe -at tz ball");
    run("keyTangent -g -wt off");
    EXPECT_EQ(text("keyTangent -q -wt ball.tz"), "1");
    EXPECT_EQ(text("keyTangent -q -wt ball.tx"), "0");
}

TEST_F(KeyCommandsTest, AKeyedAttributeHoldsASetValueUntilTheClockMoves) {
    run("setKeyframe -t 1 -v 0 -at tx ball; setKeyframe -t 10 -v 0 -at tx ball");
    EXPECT_EQ(number("getAttr -se ball.tx"), 1);
    run("setAttr ball.tx 7");
    EXPECT_EQ(number("getAttr ball.tx"), 7);
    run("currentTime 2");
    EXPECT_EQ(number("getAttr ball.tx"), 0);
    run("xform -t 3 4 5 ball");
    EXPECT_EQ(numbers("getAttr ball.t"), std::vector<double>({3, 4, 5}));
    // A key edit shows the curve again; undo of a set does too.
    run("keyframe -e -t 1 -vc 0 ball.tx");
    EXPECT_EQ(number("getAttr ball.tx"), 0);
    run("setAttr ball.tx 9; undo");
    EXPECT_EQ(number("getAttr ball.tx"), 0);
    // Locked or fed by anything but keys: still refused.
    run("setAttr -l on ball.tx");
    EXPECT_EQ(number("getAttr -se ball.tx"), 0);
    EXPECT_NE(failure("setAttr ball.tx 1").find("is locked or connected"), std::string::npos);
}

// The usual bake: place the object at each frame, then key what it shows.
TEST_F(KeyCommandsTest, PlaceThenKeyBakeScript) {
    run(R"(
        createNode transform -n target;
        for ($f = 1; $f <= 5; $f++) {
            currentTime $f;
            setAttr target.tx ($f * 2);
            xform -t ($f * 2) ($f * 3) 0 ball;
            setKeyframe -at tx target;
            setKeyframe -at translate ball;
        })");
    EXPECT_EQ(numbers("keyframe -q -vc target.tx"), std::vector<double>({2, 4, 6, 8, 10}));
    EXPECT_EQ(numbers("keyframe -q -vc ball.ty"), std::vector<double>({3, 6, 9, 12, 15}));
    run("currentTime 3");
    EXPECT_EQ(numbers("getAttr ball.t"), std::vector<double>({6, 9, 0}));
}
