// Animation curves through the API: evaluation per tangent type against
// values worked out by hand, key edits, the curve made for a plug, keyed
// plugs following the clock, and what MAnimUtil calls animated.
#include "commands_fixture.h"

#include "animation/Curve.h"

#include <maya/MAnimControl.h>
#include <maya/MAnimCurveChange.h>
#include <maya/MAnimUtil.h>
#include <maya/MFnAnimCurve.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MSelectionList.h>

#include <cmath>
#include <vector>

namespace {

using host::commands::testing::CommandsTest;

MTime sec(double s) {
    return MTime(s, MTime::kSeconds);
}

class AnimCurveTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        MAnimControl::setCurrentTime(MTime(1.0, MTime::kFilm));
    }

    // A unitless curve with keys at whole seconds, all of one tangent type.
    MFnAnimCurve curve(const std::vector<double>& values, MFnAnimCurve::TangentType type) {
        MFnAnimCurve fn;
        MStatus status;
        fn.create(MFnAnimCurve::kAnimCurveTU, nullptr, &status);
        EXPECT_TRUE(status);
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_TRUE(fn.addKeyframe(sec(double(i)), values[i], type, type));
        return fn;
    }
    static double at(const MFnAnimCurve& fn, double seconds) {
        double v = 0;
        EXPECT_TRUE(fn.evaluate(sec(seconds), v));
        return v;
    }
    MPlug plug(const std::string& name) {
        MSelectionList list;
        EXPECT_TRUE(list.add(name.c_str())) << name;
        MPlug p;
        list.getPlug(0, p);
        return p;
    }
};

TEST_F(AnimCurveTest, LinearAndConstantOutsideTheKeys) {
    MFnAnimCurve fn = curve({0, 10, 0}, MFnAnimCurve::kTangentLinear);
    EXPECT_DOUBLE_EQ(at(fn, 0.5), 5.0);
    EXPECT_DOUBLE_EQ(at(fn, 1.25), 7.5);
    EXPECT_DOUBLE_EQ(at(fn, -3.0), 0.0);
    EXPECT_DOUBLE_EQ(at(fn, 7.0), 0.0);
    EXPECT_DOUBLE_EQ(at(fn, 1.0), 10.0);
}

TEST_F(AnimCurveTest, StepHoldsTheEarlierKeyAndStepNextTheLater) {
    MFnAnimCurve step = curve({0, 1}, MFnAnimCurve::kTangentStep);
    EXPECT_DOUBLE_EQ(at(step, 0.5), 0.0);
    EXPECT_DOUBLE_EQ(at(step, 0.999), 0.0);
    EXPECT_DOUBLE_EQ(at(step, 1.0), 1.0);
    MFnAnimCurve next = curve({0, 1}, MFnAnimCurve::kTangentStepNext);
    EXPECT_DOUBLE_EQ(at(next, 0.25), 1.0);
    EXPECT_DOUBLE_EQ(at(next, 0.0), 0.0);
}

TEST_F(AnimCurveTest, FlatSplineAndClampedSlopes) {
    // Flat: Hermite with zero slopes, s = 0.25 gives 3s^2 - 2s^3 = 0.15625.
    MFnAnimCurve flat = curve({0, 10}, MFnAnimCurve::kTangentFlat);
    EXPECT_NEAR(at(flat, 0.25), 1.5625, 1e-12);
    // Spline over 0, 2, 3: slopes 2 (end), 1.5 (centred), 1 (end); at 0.5
    // 0.125 * 2 + 0.5 * 2 - 0.125 * 1.5 = 1.0625.
    MFnAnimCurve spline = curve({0, 2, 3}, MFnAnimCurve::kTangentSmooth);
    EXPECT_NEAR(at(spline, 0.5), 1.0625, 1e-12);
    // A hold between equal keys: a spline overshoots to 2.25, clamped stays.
    MFnAnimCurve overshoot = curve({0, 2, 2, 0}, MFnAnimCurve::kTangentSmooth);
    EXPECT_NEAR(at(overshoot, 1.5), 2.25, 1e-12);
    MFnAnimCurve clamped = curve({0, 2, 2, 0}, MFnAnimCurve::kTangentClamped);
    EXPECT_NEAR(at(clamped, 1.5), 2.0, 1e-12);
    // Clamped keys whose neighbours differ behave as splines.
    MFnAnimCurve rising = curve({0, 2, 3}, MFnAnimCurve::kTangentClamped);
    EXPECT_NEAR(at(rising, 0.5), 1.0625, 1e-12);
}

TEST_F(AnimCurveTest, FixedTangentKeepsItsSlopeWhenNeighboursMove) {
    MFnAnimCurve fn = curve({0, 1}, MFnAnimCurve::kTangentLinear);
    ASSERT_TRUE(fn.setOutTangentType(0, MFnAnimCurve::kTangentFixed));
    float x = 0, y = 0;
    ASSERT_TRUE(fn.getTangent(0, x, y, false));
    EXPECT_NEAR(y / x, 1.0, 1e-6);
    ASSERT_TRUE(fn.setValue(1, 3.0));
    // Slopes 1 (fixed) and 3 (linear in of the moved key):
    // 0.125 * 1 + 0.5 * 3 - 0.125 * 3 = 1.25.
    EXPECT_NEAR(at(fn, 0.5), 1.25, 1e-12);
    EXPECT_EQ(fn.outTangentType(0), MFnAnimCurve::kTangentFixed);
}

TEST_F(AnimCurveTest, KeysAtAnExistingTimeReplaceItsValue) {
    MFnAnimCurve fn = curve({0, 5}, MFnAnimCurve::kTangentStep);
    ASSERT_TRUE(fn.addKeyframe(sec(1.0), 7.0));
    EXPECT_EQ(fn.numKeys(), 2u);
    EXPECT_DOUBLE_EQ(fn.value(1), 7.0);
    // No tangents given: the key keeps its own.
    EXPECT_EQ(fn.outTangentType(1), MFnAnimCurve::kTangentStep);
    ASSERT_TRUE(fn.addKeyframe(sec(0.5), 3.0));
    EXPECT_EQ(fn.numKeyframes(), 3u);
    EXPECT_DOUBLE_EQ(fn.time(1).as(MTime::kSeconds), 0.5);
    unsigned index = 99;
    EXPECT_TRUE(fn.find(sec(0.5), index));
    EXPECT_EQ(index, 1u);
    EXPECT_FALSE(fn.find(sec(0.7), index));
    ASSERT_TRUE(fn.remove(1));
    EXPECT_EQ(fn.numKeys(), 2u);
    EXPECT_FALSE(fn.remove(5));
    MStatus status;
    fn.value(9, &status);
    EXPECT_FALSE(status);
    EXPECT_FALSE(fn.isStatic());
    ASSERT_TRUE(fn.setValue(1, 0.0));
    EXPECT_TRUE(fn.isStatic());
}

// Keys added one by one reach the key plugs only when something reads
// them; the plugs must then hold every key, in order, and still read back
// as the curve once anything else about the node changes.
TEST_F(AnimCurveTest, KeysAddedOneByOneReadBackFromThePlugs) {
    MFnAnimCurve fn = curve({}, MFnAnimCurve::kTangentLinear);
    for (double t : {0.0, 2.0, 1.0, 3.0, 2.0})
        EXPECT_TRUE(fn.addKeyframe(sec(t), 10 * t + 1));
    MPlug keyPlugs = fn.findPlug("ktv", true);
    EXPECT_EQ(keyPlugs.numElements(), 4u);
    EXPECT_EQ(fn.addKey(sec(0.5), 7.0), 1u);
    ASSERT_EQ(keyPlugs.numElements(), 5u);
    EXPECT_DOUBLE_EQ(keyPlugs.elementByPhysicalIndex(1).child(1).asDouble(), 7.0);
    EXPECT_DOUBLE_EQ(keyPlugs.elementByPhysicalIndex(4).child(1).asDouble(), 31.0);
    MPlug tan = fn.findPlug("tangentType", true);
    ASSERT_TRUE(tan.setValue(static_cast<int>(MFnAnimCurve::kTangentStep)));
    ASSERT_EQ(fn.numKeys(), 5u);
    const double times[] = {0, 0.5, 1, 2, 3}, values[] = {1, 7, 11, 21, 31};
    for (unsigned i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(fn.time(i).as(MTime::kSeconds), times[i]) << i;
        EXPECT_DOUBLE_EQ(fn.value(i), values[i]) << i;
    }
    EXPECT_DOUBLE_EQ(at(fn, 2.5), 26);
}

// A weighted segment is the Bezier curve whose handles reach a third of
// each tangent vector along the tangent, kept within the segment.
TEST_F(AnimCurveTest, WeightsSizeTheHandlesOfAWeightedCurveOnly) {
    using host::animation::Curve;
    using host::animation::Key;
    Key first, second;
    second.time = 1.0;
    second.value = 1.0;
    first.in = first.out = second.in = second.out = MFnAnimCurve::kTangentFlat;
    // The out handle of 3 reaches the next key's time; the in handle of 0
    // sits on its key. Then x(s) = 1 - (1 - s)^3 and y(s) = s^2 (3 - 2s).
    first.outWeight = 3.0;
    second.inWeight = 0.0;
    Curve curve({first, second});
    EXPECT_DOUBLE_EQ(curve.evaluate(0.5), 0.5);  // unweighted: the weights do nothing
    curve.setWeighted(true);
    const double s = 1.0 - std::cbrt(0.5);
    EXPECT_NEAR(curve.evaluate(0.5), s * s * (3.0 - 2.0 * s), 1e-12);
    // A longer handle is held at the segment's end, so the curve stays a
    // function of its input.
    Key longer = curve.key(0);
    longer.outWeight = 300.0;
    curve.setKey(0, longer);
    EXPECT_NEAR(curve.evaluate(0.5), s * s * (3.0 - 2.0 * s), 1e-12);
    // Weights matched to the shape draw the curve as the unweighted one.
    curve.setTangentType(0, false, MFnAnimCurve::kTangentLinear);
    curve.setTangentType(1, true, MFnAnimCurve::kTangentLinear);
    curve.matchWeightsToShape();
    EXPECT_NEAR(curve.key(0).outWeight, std::sqrt(2.0), 1e-12);
    for (double t : {0.1, 0.5, 0.77})
        EXPECT_NEAR(curve.evaluate(t), t, 1e-12) << t;
    // An unweighted curve keeps no weights.
    curve.setWeighted(false);
    EXPECT_EQ(curve.key(0).outWeight, 1.0);
}

TEST_F(AnimCurveTest, TheFunctionSetSeesTheWeights) {
    MFnAnimCurve fn = curve({0, 1, 0}, MFnAnimCurve::kTangentFlat);
    EXPECT_FALSE(fn.isWeighted());
    float x = 0, y = 0;
    ASSERT_TRUE(fn.getTangent(1, x, y, false));
    EXPECT_FLOAT_EQ(x, 1.0f);
    run("keyTangent -e -wt on -in 1 -ow 2.5 " + std::string(fn.name().asChar()));
    EXPECT_TRUE(fn.isWeighted());
    // A weighted tangent vector is as long as its weight.
    ASSERT_TRUE(fn.getTangent(1, x, y, false));
    EXPECT_FLOAT_EQ(x, 2.5f);
    EXPECT_FLOAT_EQ(y, 0.0f);
    ASSERT_TRUE(fn.setTangent(1, 0.6f, 0.8f, true));
    EXPECT_NEAR(numbers("keyTangent -q -in 1 -iw " + std::string(fn.name().asChar()))[0], 1.0,
                1e-6);
    ASSERT_TRUE(fn.getTangent(1, x, y, true));
    EXPECT_FLOAT_EQ(x, 0.6f);
    EXPECT_FLOAT_EQ(y, 0.8f);
}

TEST_F(AnimCurveTest, NewKeysTakeTheGlobalDefaultUnlessTheCurveHasOne) {
    MFnAnimCurve fn = curve({}, MFnAnimCurve::kTangentGlobal);
    ASSERT_TRUE(fn.addKeyframe(sec(0), 1.0));
    EXPECT_EQ(fn.inTangentType(0), MFnAnimCurve::kTangentClamped);
    MPlug tan = fn.findPlug("tangentType", true);
    ASSERT_TRUE(tan.setValue(static_cast<int>(MFnAnimCurve::kTangentLinear)));
    ASSERT_TRUE(fn.addKeyframe(sec(1), 1.0));
    EXPECT_EQ(fn.outTangentType(1), MFnAnimCurve::kTangentLinear);
}

TEST_F(AnimCurveTest, CreateForAPlugPicksTheTypeAndConnects) {
    run("createNode transform -n ball");
    MFnAnimCurve tx;
    MStatus status;
    MPlug txPlug = plug("ball.translateX");
    MObject made = tx.create(txPlug, nullptr, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(tx.animCurveType(), MFnAnimCurve::kAnimCurveTL);
    EXPECT_TRUE(made.hasFn(MFn::kAnimCurveTimeToDistance));
    EXPECT_EQ(std::string(tx.name().asChar()), "ball_translateX");
    EXPECT_TRUE(plug("ball.translateX").isConnected());
    // Like the curves in the application's files, it follows the clock
    // without a connection from it.
    EXPECT_TRUE(strings("listConnections -s 1 -d 0 -p 1 ball_translateX.input").empty());

    MFnAnimCurve rx, vis;
    MPlug rxPlug = plug("ball.rotateX");
    rx.create(rxPlug);
    MPlug visPlug = plug("ball.visibility");
    vis.create(visPlug);
    EXPECT_EQ(rx.animCurveType(), MFnAnimCurve::kAnimCurveTA);
    EXPECT_EQ(vis.animCurveType(), MFnAnimCurve::kAnimCurveTU);

    // A plug that is driven already, or a compound, gets no curve.
    MFnAnimCurve again;
    MPlug drivenPlug = plug("ball.translateX");
    again.create(drivenPlug, nullptr, &status);
    EXPECT_FALSE(status);
    MPlug compoundPlug = plug("ball.translate");
    again.create(compoundPlug, nullptr, &status);
    EXPECT_FALSE(status);

    // The function set finds the curve from the plug it drives.
    MFnAnimCurve found(plug("ball.translateX"), &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(found.object(), made);
}

TEST_F(AnimCurveTest, KeyedPlugsFollowTheCurrentTime) {
    run("createNode transform -n ball");
    MFnAnimCurve fn;
    MPlug tyPlug = plug("ball.translateY");
    fn.create(tyPlug);
    fn.addKeyframe(MTime(1.0, MTime::kFilm), 0.0, MFnAnimCurve::kTangentLinear,
                   MFnAnimCurve::kTangentLinear);
    fn.addKeyframe(MTime(11.0, MTime::kFilm), 10.0, MFnAnimCurve::kTangentLinear,
                   MFnAnimCurve::kTangentLinear);
    MPlug ty = plug("ball.translateY");
    EXPECT_DOUBLE_EQ(ty.asDouble(), 0.0);
    ASSERT_TRUE(MAnimControl::setCurrentTime(MTime(6.0, MTime::kFilm)));
    EXPECT_DOUBLE_EQ(ty.asDouble(), 5.0);
    run("currentTime 11");
    EXPECT_DOUBLE_EQ(ty.asDouble(), 10.0);
    // A key edit shows at once, without moving the clock.
    fn.setValue(1, 20.0);
    EXPECT_DOUBLE_EQ(ty.asDouble(), 20.0);
}

TEST_F(AnimCurveTest, ChangeCacheUndoesAndRedoesKeyEdits) {
    MFnAnimCurve fn = curve({1, 2}, MFnAnimCurve::kTangentLinear);
    MAnimCurveChange change;
    fn.addKeyframe(sec(2), 3.0, &change);
    fn.setValue(0, 9.0, &change);
    ASSERT_TRUE(change.undoIt());
    EXPECT_EQ(fn.numKeys(), 2u);
    EXPECT_DOUBLE_EQ(fn.value(0), 1.0);
    ASSERT_TRUE(change.redoIt());
    EXPECT_EQ(fn.numKeys(), 3u);
    EXPECT_DOUBLE_EQ(fn.value(0), 9.0);
}

TEST_F(AnimCurveTest, AnimatedMeansAKeyablePlugDrivenByACurve) {
    run("createNode transform -n ball; createNode transform -n still");
    run("createNode transform -n child -p ball");
    MObject ball = plug("ball.translateX").node();
    EXPECT_FALSE(MAnimUtil::isAnimated(ball));
    MFnAnimCurve fn;
    MPlug txPlug = plug("ball.translateX");
    fn.create(txPlug);
    EXPECT_TRUE(MAnimUtil::isAnimated(ball));
    EXPECT_TRUE(MAnimUtil::isAnimated(plug("ball.translateX")));
    EXPECT_TRUE(MAnimUtil::isAnimated(plug("ball.translate")));
    EXPECT_FALSE(MAnimUtil::isAnimated(plug("ball.translateY")));
    EXPECT_FALSE(MAnimUtil::isAnimated(plug("still.translateX").node()));

    MSelectionList list;
    list.add("child");
    MDagPath child;
    list.getDagPath(0, child);
    EXPECT_FALSE(MAnimUtil::isAnimated(child, false));
    EXPECT_TRUE(MAnimUtil::isAnimated(child, true));

    MPlugArray plugs;
    EXPECT_TRUE(MAnimUtil::findAnimatedPlugs(ball, plugs));
    ASSERT_EQ(plugs.length(), 1u);
    EXPECT_EQ(std::string(plugs[0].partialName(false, false, false, false, false, true).asChar()),
              "translateX");
    MObjectArray curves;
    EXPECT_TRUE(MAnimUtil::findAnimation(plug("ball.translate"), curves));
    EXPECT_EQ(curves.length(), 1u);

    // A curve on a plug that is not keyable does not make the node animated.
    MFnAnimCurve hidden;
    MPlug orderPlug = plug("still.rotateOrder");
    hidden.create(orderPlug);
    EXPECT_FALSE(MAnimUtil::isAnimated(plug("still.translateX").node()));
}

// A change passes by nodes that keep nothing stale; what is read, held or
// connected after changes nobody read must still follow the next ones.
TEST_F(AnimCurveTest, ValuesReadAfterUnreadChangesFollowTheClock) {
    run("createNode transform -n a; createNode unitConversion -n twice; setAttr twice.cf 2;"
        "setKeyframe -t 1 -v 0 -itt linear -ott linear a.tx;"
        "setKeyframe -t 10 -v 9 -itt linear -ott linear a.tx;"
        "currentTime 2; currentTime 3; connectAttr a.tx twice.i");
    EXPECT_DOUBLE_EQ(number("getAttr twice.o"), 4.0);
    run("currentTime 5");
    EXPECT_DOUBLE_EQ(number("getAttr twice.o"), 8.0);
    run("setAttr a.tx 100");
    EXPECT_DOUBLE_EQ(number("getAttr twice.o"), 200.0);
    run("currentTime 6; currentTime 7; currentTime 8");
    EXPECT_DOUBLE_EQ(number("getAttr a.tx"), 7.0);
    EXPECT_DOUBLE_EQ(number("getAttr twice.o"), 14.0);
    run("setKeyframe -t 8 -v 1 a.tx");
    EXPECT_DOUBLE_EQ(number("getAttr twice.o"), 2.0);
}

// The clock reaches only curves that may have something stale to make;
// curves put back, and those left when others go, must still be among them.
TEST_F(AnimCurveTest, CurvesPutBackOrLeftByADeletionFollowTheClock) {
    run("createNode transform -n a; createNode transform -n b;"
        "setKeyframe -t 1 -v 0 -itt linear -ott linear a.tx;"
        "setKeyframe -t 10 -v 9 -itt linear -ott linear a.tx;"
        "setKeyframe -t 1 -v 0 -itt linear -ott linear b.tx;"
        "setKeyframe -t 10 -v 18 -itt linear -ott linear b.tx; currentTime 2");
    EXPECT_DOUBLE_EQ(number("getAttr b.tx"), 2.0);
    run("delete b_translateX; currentTime 3");
    EXPECT_DOUBLE_EQ(number("getAttr a.tx"), 2.0);
    run("undo; currentTime 4");
    EXPECT_DOUBLE_EQ(number("getAttr b.tx"), 6.0);
    run("delete b; currentTime 5");
    EXPECT_DOUBLE_EQ(number("getAttr a.tx"), 4.0);
    run("undo; currentTime 6");
    EXPECT_DOUBLE_EQ(number("getAttr b.tx"), 10.0);
}

// A curve keeps most keys as a time, a value and two tangent types, and the
// rest whole beside them: the whole ones must follow their key as keys are
// put before it and taken away, and come back bit for bit.
TEST(CurveKeysTest, KeysKeptWholeFollowTheirKeyAndComeBackExactly) {
    using host::animation::Curve;
    using host::animation::Key;
    auto plain = [](double time, double value) {
        Key k;
        k.time = time;
        k.value = value;
        return k;
    };
    Key odd = plain(2.0, 5.0);
    odd.out = MFnAnimCurve::kTangentFixed;
    odd.outX = 0.6;
    odd.outY = -0.8;
    odd.inY = -0.0;  // the sign is kept, as a saved file shows it
    odd.locked = false;
    Key heavy = plain(3.0, 1.0);
    heavy.inWeight = 2.5;  // a weight of its own, as a weighted curve keeps it

    Curve keys({plain(1.0, 0.0), odd, heavy});
    EXPECT_EQ(keys.insert(plain(0.5, 2.0)), 0u);
    EXPECT_EQ(keys.insert(plain(2.5, 3.0)), 3u);
    const Key moved = keys.key(2);
    EXPECT_EQ(moved.time, 2.0);
    EXPECT_EQ(moved.out, MFnAnimCurve::kTangentFixed);
    EXPECT_EQ(moved.outX, 0.6);
    EXPECT_EQ(moved.outY, -0.8);
    EXPECT_TRUE(std::signbit(moved.inY));
    EXPECT_FALSE(moved.locked);
    EXPECT_DOUBLE_EQ(keys.slope(2, false), -0.8 / 0.6);
    EXPECT_EQ(keys.key(4).inWeight, 2.5);

    keys.erase(0);
    EXPECT_EQ(keys.key(1).outY, -0.8);
    EXPECT_EQ(keys.key(3).inWeight, 2.5);
    // A key set back to what its types say is kept as they say it.
    Key back = plain(2.0, 5.0);
    keys.setKey(1, back);
    EXPECT_TRUE(keys.key(1).locked);
    EXPECT_EQ(keys.key(1).out, MFnAnimCurve::kTangentClamped);
    EXPECT_EQ(keys.key(1).outX, 1.0);
    EXPECT_EQ(keys.key(3).inWeight, 2.5);
    keys.erase(3);
    ASSERT_EQ(keys.size(), 3u);
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(keys.key(i).inWeight, 1.0) << i;
}

// A key within the tolerance of an input is found, the first of several.
TEST(CurveKeysTest, FindTakesTheFirstKeyWithinTheTolerance) {
    using host::animation::Curve;
    using host::animation::Key;
    std::vector<Key> list(3);
    list[0].time = 1.0;
    list[1].time = 1.0 + 0.8 * host::animation::kKeyTolerance;
    list[2].time = 2.0;
    const Curve keys(list);
    EXPECT_EQ(keys.find(1.0 + 0.5 * host::animation::kKeyTolerance), 0);
    EXPECT_EQ(keys.find(1.0 + 1.5 * host::animation::kKeyTolerance), 1);
    EXPECT_EQ(keys.find(1.0 - 1.5 * host::animation::kKeyTolerance), -1);
    EXPECT_EQ(keys.find(2.0), 2);
    EXPECT_EQ(keys.find(3.0), -1);
    EXPECT_EQ(Curve().find(0.0), -1);
}

}  // namespace
