// Births, deaths, motion and the per-particle data of particle shapes.
#include "particles_fixture.h"

#include <maya/MFnDoubleArrayData.h>
#include <maya/MFnIntArrayData.h>
#include <maya/MFnVectorArrayData.h>
#include <maya/MPlug.h>
#include <maya/MVectorArray.h>

#include <cmath>

namespace host::particles::testing {
namespace {

struct Snapshot {
    std::vector<int> ids;
    MVectorArray positions, velocities;
};

class DynamicsTest : public ParticleTest {
protected:
    // Two particles a frame at 24 fps, from an omni emitter.
    void emitterScene() {
        run("particle -n p; emitter -n em -r 48 -pos 1 2 3; connectDynamic -em em p;");
    }
    // Everything that moves particles: a spread emitter with random speeds,
    // gravity, velocity damping and random lifespans.
    void busyScene() {
        run("particle -n p -c 0.9; emitter -n em -type direction -r 30 -sp 0.5 -spd 4 -srn 2 "
            "-sd 7 -dx 0 -dy 1 -dz 0; gravity -n g -m 9.8; connectDynamic -em em -f g p;");
        addLifespans("pShape");
        setNumber("pShape", "lifespanMode", 2);
        setNumber("pShape", "lifespan", 0.5);
        setNumber("pShape", "lifespanRandom", 0.4);
    }
    // The lifespan attributes, as scripts and scene files add them.
    void addLifespans(const std::string& shape) {
        run("addAttr -ln lifespanPP -dt doubleArray " + shape +
            "; addAttr -ln lifespan -at double " + shape);
    }
    Snapshot snapshot(const std::string& name) {
        Snapshot s;
        s.ids = ids(name);
        MFnParticleSystem fn = shape(name);
        fn.position(s.positions);
        fn.velocity(s.velocities);
        return s;
    }
};

void expectSame(const Snapshot& a, const Snapshot& b) {
    ASSERT_EQ(a.ids, b.ids);
    for (unsigned k = 0; k < a.positions.length(); ++k) {
        EXPECT_NEAR((a.positions[k] - b.positions[k]).length(), 0.0, 1e-9) << k;
        EXPECT_NEAR((a.velocities[k] - b.velocities[k]).length(), 0.0, 1e-9) << k;
    }
}

using Emission = DynamicsTest;

TEST_F(Emission, CountsAndIdsGrowFrameByFrame) {
    emitterScene();
    EXPECT_EQ(shape("pShape").count(), 0u);  // nothing is born at the start frame
    frame(2);
    EXPECT_EQ(shape("pShape").count(), 2u);
    frame(5);
    EXPECT_EQ(ids("pShape"), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(run("particle -q -ct pShape").asInt(), 8);
    // New particles start at the emitter.
    MVectorArray positions;
    shape("pShape").position(positions);
    EXPECT_NEAR((positions[7] - MVector(1, 2, 3)).length(), 0.0, 1e-12);
}

TEST_F(Emission, IdMappingMatchesTheArrays) {
    emitterScene();
    addLifespans("pShape");
    setNumber("pShape", "lifespanMode", 1);
    setNumber("pShape", "lifespan", 0.1);
    frame(9);
    MFnParticleSystem fn = shape("pShape");
    MPlug mapping = fn.findPlug("idMapping");
    MObject sortedData, indexData;
    mapping.child(0).getValue(sortedData);
    mapping.child(1).getValue(indexData);
    MIntArray sorted = MFnIntArrayData(sortedData).array();
    MIntArray index = MFnIntArrayData(indexData).array();
    std::vector<int> all = ids("pShape");
    ASSERT_EQ(sorted.length(), all.size());
    ASSERT_EQ(index.length(), all.size());
    for (unsigned k = 0; k < sorted.length(); ++k) {
        EXPECT_EQ(all[index[k]], sorted[k]);
        if (k) {
            EXPECT_LT(sorted[k - 1], sorted[k]);
        }
    }
}

TEST_F(Emission, MaxCountStopsBirths) {
    emitterScene();
    setNumber("pShape", "maxCount", 5);
    frame(10);
    EXPECT_EQ(shape("pShape").count(), 5u);
}

using Lifespan = DynamicsTest;

TEST_F(Lifespan, ConstantLifespanKillsTheOldest) {
    emitterScene();
    addLifespans("pShape");
    setNumber("pShape", "lifespanMode", 1);
    setNumber("pShape", "lifespan", 0.1);
    // Ages 0, 1/24 and 2/24 s are within 0.1 s; 3/24 s is not.
    frame(10);
    EXPECT_EQ(ids("pShape"), (std::vector<int>{12, 13, 14, 15, 16, 17}));
    MDoubleArray ages;
    shape("pShape").age(ages);
    EXPECT_NEAR(ages[0], 2.0 / 24.0, 1e-9);
    EXPECT_NEAR(ages[5], 0.0, 1e-12);
}

TEST_F(Lifespan, LiveForeverKeepsEveryParticle) {
    emitterScene();
    frame(20);
    EXPECT_EQ(shape("pShape").count(), 38u);
    EXPECT_FALSE(shape("pShape").hasLifespan());
}

TEST_F(Lifespan, PerParticleLifespanEditsCarryForward) {
    run("particle -n q -p 0 0 0 -p 1 0 0 -p 2 0 0;");
    addLifespans("qShape");
    setNumber("qShape", "lifespanMode", 3);
    setDoubles("qShape", "lifespanPP", {0.03, 0.1, 10.0});
    frame(2);  // age 1/24 s
    EXPECT_EQ(ids("qShape"), (std::vector<int>{1, 2}));
    frame(4);  // age 3/24 s
    EXPECT_EQ(ids("qShape"), (std::vector<int>{2}));
    // Going back restores the initial state, where particles that have no
    // lifespan of their own get the constant one (the added attribute's 0).
    frame(1);
    EXPECT_EQ(doublesOf("qShape", "lifespanPP"), (std::vector<double>{0.0, 0.0, 0.0}));
}

using Determinism = DynamicsTest;

TEST_F(Determinism, SteppingAndRunUpAgree) {
    busyScene();
    for (int f = 2; f <= 30; ++f)
        frame(f);
    Snapshot stepped = snapshot("pShape");
    ASSERT_GT(stepped.ids.size(), 5u);
    frame(1);
    frame(30);  // a jump from the start frame
    expectSame(stepped, snapshot("pShape"));
    frame(40);
    frame(30);  // back in time: a run-up from the start
    expectSame(stepped, snapshot("pShape"));
    MFnParticleSystem fn = shape("pShape");
    MTime twelve(12.0, MTime::kFilm), thirty(30.0, MTime::kFilm);
    fn.evaluateDynamics(twelve, false);
    fn.evaluateDynamics(thirty, true);
    expectSame(stepped, snapshot("pShape"));
}

TEST_F(Determinism, GravityAcceleratesFrameByFrame) {
    run("particle -n p -p 0 0 0; gravity -n g -m 10; connectDynamic -f g p;");
    frame(3);
    // v1 = -10/24, x1 = v1/24; v2 = -20/24, x2 = x1 + v2/24.
    MVectorArray positions, velocities;
    shape("pShape").position(positions);
    shape("pShape").velocity(velocities);
    EXPECT_NEAR(velocities[0].y, -20.0 / 24.0, 1e-12);
    EXPECT_NEAR(positions[0].y, -30.0 / (24.0 * 24.0), 1e-12);
}

TEST_F(Determinism, EvaluateDynamicsHoldsUntilTimeMoves) {
    emitterScene();
    MFnParticleSystem fn = shape("pShape");
    MTime four(4.0, MTime::kFilm);
    fn.evaluateDynamics(four, true);
    EXPECT_EQ(fn.count(), 6u);
    frame(2);
    EXPECT_EQ(fn.count(), 2u);
}

// The solver works on the shape's arrays in place when nothing else holds
// them: data a caller was handed must keep the values it was handed.
TEST_F(Determinism, DataHandedOutKeepsItsFrameAsTimeMoves) {
    busyScene();
    frame(12);
    MFnDependencyNode node(object("pShape"));
    MObject position, age;
    ASSERT_TRUE(node.findPlug("position").getValue(position));
    ASSERT_TRUE(node.findPlug("age").getValue(age));
    const MVectorArray heldPositions = MFnVectorArrayData(position).array();
    const MDoubleArray heldAges = MFnDoubleArrayData(age).array();
    const Snapshot before = snapshot("pShape");

    frame(13);
    const Snapshot after = snapshot("pShape");
    ASSERT_GT(after.positions.length(), 0u);
    EXPECT_NE(after.positions[0].y, before.positions[0].y);
    const MVectorArray positionsNow = MFnVectorArrayData(position).array();
    const MDoubleArray agesNow = MFnDoubleArrayData(age).array();
    ASSERT_EQ(positionsNow.length(), heldPositions.length());
    ASSERT_EQ(agesNow.length(), heldAges.length());
    for (unsigned k = 0; k < heldPositions.length(); ++k) {
        EXPECT_EQ(positionsNow[k], heldPositions[k]) << k;
        EXPECT_EQ(agesNow[k], heldAges[k]) << k;
    }
    // And the frame stepped from where the shape stood, not from the copy.
    frame(1);
    frame(13);
    expectSame(after, snapshot("pShape"));
}

using PerParticle = DynamicsTest;

TEST_F(PerParticle, UserArraysFollowTheirParticles) {
    run("particle -n q -p 0 0 0 -p 1 0 0 -p 2 0 0;");
    addLifespans("qShape");
    setNumber("qShape", "lifespanMode", 3);
    addDoubleArray("qShape", "objIndex");
    addDoubleArray("qShape", "objIndex0");
    MFnParticleSystem fn = shape("qShape");
    EXPECT_TRUE(fn.isPerParticleDoubleAttribute("objIndex"));
    MDoubleArray initial;
    initial.append(5);
    initial.append(6);
    initial.append(7);
    MPlug plug = fn.findPlug("objIndex0");
    MFnDoubleArrayData data;
    MObject value = data.create(initial);
    ASSERT_TRUE(plug.setValue(value));
    EXPECT_EQ(doublesOf("qShape", "objIndex"), (std::vector<double>{5, 6, 7}));
    setDoubles("qShape", "lifespanPP", {10.0, 0.01, 10.0});
    frame(3);
    EXPECT_EQ(ids("qShape"), (std::vector<int>{0, 2}));
    EXPECT_EQ(doublesOf("qShape", "objIndex"), (std::vector<double>{5, 7}));
    // Edits of the current values carry into the next frames. The plug is
    // read straight, as getAttr reads it, with no particle query first: it
    // must still follow the death of particle 2.
    setDoubles("qShape", "lifespanPP", {10.0, 0.1});
    setDoubles("qShape", "objIndex", {1, 2});
    frame(6);
    MObject plain;
    fn.findPlug("objIndex").getValue(plain);
    MFnDoubleArrayData read(plain);
    ASSERT_EQ(read.length(), 1u);
    EXPECT_EQ(read[0], 1.0);
    fn.emit(MPoint(0, 0, 0));
    EXPECT_EQ(doublesOf("qShape", "objIndex"), (std::vector<double>{1, 0}));
    EXPECT_EQ(ids("qShape"), (std::vector<int>{0, 3}));
}

TEST_F(PerParticle, VelocityEditsMoveTheParticleNextFrame) {
    run("particle -n q -p 0 0 0 -p 1 0 0;");
    select("qShape.pt[1]");
    run("setParticleAttr -at velocity -vv 0 24 0;");
    frame(2);
    MVectorArray positions;
    shape("qShape").position(positions);
    EXPECT_NEAR((positions[0] - MVector(0, 0, 0)).length(), 0.0, 1e-12);
    EXPECT_NEAR((positions[1] - MVector(1, 1, 0)).length(), 0.0, 1e-12);
}

TEST_F(PerParticle, ParticleEditAndQueryById) {
    run("particle -n q -p 0 0 0 -p 1 0 0 -p 2 0 0;");
    run("particle -e -at position -id 2 -vv 7 8 9 qShape;");
    EXPECT_EQ(run("particle -q -at position -id 2 qShape").text(), "7 8 9");
    EXPECT_EQ(run("particle -q -at position -order 1 qShape").text(), "1 0 0");
    run("particle -e -at mass -order 0 -fv 3 qShape;");
    EXPECT_EQ(doublesOf("qShape", "mass"), (std::vector<double>{3, 1, 1}));
    run("undo");
    EXPECT_EQ(doublesOf("qShape", "mass"), (std::vector<double>{1, 1, 1}));
}

TEST_F(PerParticle, GetParticleAttrMeanAndOffset) {
    run("particle -n q -p 0 0 0 -p 2 0 0 -p 4 6 0;");
    setDoubles("qShape", "mass", {1.0, 2.0, 6.0});
    EXPECT_EQ(run("getParticleAttr -at mass qShape").text(), "3 3");
    EXPECT_EQ(run("getParticleAttr -at mass -array true qShape.pt[0:1]").text(), "1 2");
    EXPECT_EQ(run("getParticleAttr -at position qShape.pt[1:2]").text(), "3 3 0 1 3 0");
}

TEST_F(PerParticle, SetParticleAttrIsUndoable) {
    run("particle -n q -p 0 0 0 -p 2 0 0;");
    run("setParticleAttr -at mass -fv 4 -r true qShape.pt[1]");
    EXPECT_EQ(doublesOf("qShape", "mass"), (std::vector<double>{1, 5}));
    run("undo");
    EXPECT_EQ(doublesOf("qShape", "mass"), (std::vector<double>{1, 1}));
    run("redo");
    EXPECT_EQ(doublesOf("qShape", "mass"), (std::vector<double>{1, 5}));
}

// An int attribute takes a float value, or a sum, that no int can hold
// as the nearest end of the int range.
TEST_F(PerParticle, IntValuesBeyondTheRangeSaturate) {
    run("particle -n q -p 0 0 0 -p 1 0 0;");
    run("addAttr -ln counts -dt Int32Array qShape;");
    run("setParticleAttr -at counts -fv 2000000000 qShape.pt[0]");
    run("setParticleAttr -at counts -fv 2000000000 -r true qShape.pt[0]");
    run("setParticleAttr -at counts -fv 1e300 qShape.pt[1]");
    EXPECT_EQ(run("getParticleAttr -at counts -array true qShape").text(), "2147483647 2147483647");
    run("particle -e -order 1 -at counts -fv -1e300 qShape");
    EXPECT_EQ(run("getParticleAttr -at counts -array true qShape").text(),
              "2147483647 -2147483648");
}

TEST_F(PerParticle, SavedInitialStateIsWhereTheStartFrameBegins) {
    emitterScene();
    frame(4);
    run("saveInitialState pShape");
    frame(1);
    EXPECT_EQ(ids("pShape"), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    frame(2);
    EXPECT_EQ(ids("pShape"), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

using ParticleErrors = DynamicsTest;

TEST_F(ParticleErrors, QueriesOnOtherNodesAndMissingIds) {
    run("particle -n q -p 0 0 0;");
    Scene::current().createNode("transform", "plain");
    EXPECT_NE(failure("particle -q -ct plain").find("plain is not a particle object."),
              std::string::npos);
    EXPECT_NE(failure("particle -q -at position -id 9 qShape").find("no particle with id 9"),
              std::string::npos);
    EXPECT_NE(failure("particle -q -at nothing -id 0 qShape").find("not a per-particle"),
              std::string::npos);
    EXPECT_NE(failure("getParticleAttr -at mass qShape.pt[4]").find("is not a particle"),
              std::string::npos);
    failure("setParticleAttr -at position -fv 1 plain");
    MStatus status;
    MFnParticleSystem fn(object("plain"), &status);
    EXPECT_FALSE(status);
    EXPECT_FALSE(fn.isValid());
    EXPECT_EQ(fn.count(), 0u);
    MDoubleArray values;
    MString position("position"), velocity("velocity");
    EXPECT_EQ(shape("qShape").getPerParticleAttribute(position, values, &status), 0u);
    EXPECT_FALSE(status);  // a vector attribute read as doubles
    MVectorArray wrongLength(5);
    shape("qShape").setPerParticleAttribute(velocity, wrongLength, &status);
    EXPECT_FALSE(status);
}

// The form the application's menu writes, and an emitter made on an object.
TEST_F(Emission, MenuFlagsAndEmittingFromAnObject) {
    run("particle -n p; createNode transform -n rock; setAttr rock.t 5 0 0");
    EXPECT_EQ(text("stringArrayToString(`emitter -type omni -r 24 -sro 0 -nuv 0 -cye none "
                   "-cyi 1 -spd 0 -srn 0 -nsp 1 -tsp 0 -mxd 2 -mnd 2 -dx 1 -dy 0 -dz 0 -sp 0 "
                   "-n em rock`, \",\")"),
              "rock,em");
    EXPECT_EQ(run("getAttr em.cycleInterval").asInt(), 1);
    run("connectDynamic -em em p");
    frame(2);
    // Born at the object, two units out.
    MVectorArray positions;
    shape("pShape").position(positions);
    ASSERT_EQ(positions.length(), 1u);
    EXPECT_NEAR((positions[0] - MVector(5, 0, 0)).length(), 2.0, 1e-9);
    EXPECT_NE(failure("emitter -type sideways rock").find("unsupported emitter type: sideways"),
              std::string::npos);
    EXPECT_NE(failure("emitter -cye sometimes").find("invalid cycle emission"), std::string::npos);
    EXPECT_NE(failure("gravity nowhere").find("No object matches name: nowhere"),
              std::string::npos);
    run("undo; undo");  // connectDynamic, then the emitter
    EXPECT_EQ(run("objExists em").asInt(), 0);
}

TEST_F(Emission, PerParticleListsLeaveOutInitialStateAndReports) {
    emitterScene();
    run("addAttr -ln rgbPP -dt vectorArray pShape; addAttr -ln rgbPP0 -dt vectorArray pShape");
    const std::string doubles = text("stringArrayToString(`particle -q -ppd pShape`, \",\")");
    const std::string vectors = text("stringArrayToString(`particle -q -ppv pShape`, \",\")");
    EXPECT_NE(doubles.find("mass"), std::string::npos);
    EXPECT_NE(vectors.find("rgbPP"), std::string::npos);
    for (const char* hidden : {"mass0", "position0", "rgbPP0", "age", "worldPosition"})
        EXPECT_EQ((doubles + "," + vectors + ",").find(std::string(hidden) + ","),
                  std::string::npos)
            << hidden;
}

// The lifespan attributes are the user's: a new shape has none, scripts
// and scene files add them, and the modes make do without them.
TEST_F(Lifespan, TheAttributesAreAddedAndTheModesMakeDoWithout) {
    run("particle -n p");
    for (const char* name : {"lifespan", "lifespanPP", "lifespanPP0"})
        EXPECT_EQ(run(std::string("attributeExists ") + name + " pShape").asInt(), 0) << name;
    run("addAttr -ci true -sn \"lifespanPP\" -ln \"lifespanPP\" -bt \"life\" "
        "-dt \"doubleArray\" pShape;"
        "addAttr -ci true -h true -sn \"lifespanPP0\" -ln \"lifespanPP0\" -dt \"doubleArray\" "
        "pShape;"
        "addAttr -ci true -sn \"lifespan\" -ln \"lifespan\" -at \"double\" pShape;"
        "setAttr -k on pShape.lifespan 2");
    EXPECT_EQ(run("getAttr pShape.lifespan").asFloat(), 2.0);
    EXPECT_EQ(run("listAttr -ud pShape").toStringList(),
              (std::vector<std::string>{"lifespanPP", "lifespanPP0", "lifespan"}));
    failure("addAttr -ln lifespan -at long pShape");
    EXPECT_EQ(lastError(),
              "line 1: addAttr: Attribute 'lifespan' already exists on node 'pShape'.");

    // Without "lifespan" the constant is the default second; without
    // "lifespanPP" random range is that constant and lifespanPP only lives
    // forever, as there is nothing per particle to read.
    run("particle -n q -p 0 0 0 -p 1 0 0");
    setNumber("qShape", "lifespanMode", 1);
    MDoubleArray lives;
    shape("qShape").lifespan(lives);
    ASSERT_EQ(lives.length(), 2u);
    EXPECT_EQ(lives[1], 1.0);
    setNumber("qShape", "lifespanRandom", 5);
    setNumber("qShape", "lifespanMode", 2);
    frame(24);  // 23/24 s old
    EXPECT_EQ(shape("qShape").count(), 2u);
    frame(26);  // past a second
    EXPECT_EQ(shape("qShape").count(), 0u);

    run("particle -n r -p 0 0 0");
    setNumber("rShape", "lifespanMode", 3);
    frame(100);
    EXPECT_EQ(shape("rShape").count(), 1u);
    shape("rShape").lifespan(lives);
    EXPECT_EQ(lives.length(), 0u);
    EXPECT_TRUE(shape("rShape").hasLifespan());
}

}  // namespace
}  // namespace host::particles::testing
