// What particle instancers draw, checked against matrices worked out by
// hand, and the instancer iterator over several instancers.
#include "particles_fixture.h"

#include <maya/MFnTransform.h>
#include <maya/MItInstancer.h>

#include <climits>
#include <cmath>
#include <cstring>

namespace host::particles::testing {
namespace {

struct Instance {
    unsigned id;
    std::string path;
    MMatrix matrix;
};

class InstancerTest : public ParticleTest {
protected:
    // Three particles at (1,0,0), (0,2,0) and (0,0,3); objects a and b.
    void SetUp() override {
        ParticleTest::SetUp();
        run("particle -n p -p 1 0 0 -p 0 2 0 -p 0 0 3;");
        Scene::current().createNode("transform", "a");
        Scene::current().createNode("transform", "b");
    }
    static void move(const std::string& name, const MVector& t) {
        ASSERT_TRUE(MFnTransform(object(name)).setTranslation(t, MSpace::kTransform));
    }
    // The application's iterator names an instancer by the first
    // pointer-sized word of its MObject.
    static MUintPtrSz firstWord(const MObject& object) {
        MUintPtrSz word = 0;
        std::memcpy(&word, &object, sizeof(word));
        return word;
    }
    // What the iterator reports for one instancer, first path per particle.
    static std::vector<Instance> drawn(const std::string& instancer) {
        const MUintPtrSz id = firstWord(object(instancer));
        std::vector<Instance> found;
        MItInstancer it;
        while (!it.isDone() && it.instancerId() != id)
            it.nextInstancer();
        for (; !it.isDone() && it.instancerId() == id; it.nextParticle())
            found.push_back({it.particleId(), it.path().partialPathName().asChar(), it.matrix()});
        return found;
    }
    static void expectMatrix(const MMatrix& actual, const double (&expected)[4][4]) {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                EXPECT_NEAR(actual.matrix[r][c], expected[r][c], 1e-9)
                    << "[" << r << "][" << c << "]";
    }
};

using InstancerMatrix = InstancerTest;

TEST_F(InstancerMatrix, PositionByDefaultIsTheWorldPosition) {
    EXPECT_EQ(text("particleInstancer -object a pShape"), "instancer1");
    EXPECT_EQ(text("particleInstancer -q -position pShape"), "worldPosition");
    move("p", MVector(0, 0, 10));
    std::vector<Instance> all = drawn("instancer1");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].id, 1u);
    EXPECT_EQ(all[1].path, "a");
    expectMatrix(all[1].matrix, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 2, 10, 1}});
}

TEST_F(InstancerMatrix, ScaleThenShearThenTranslation) {
    addVectorArray("pShape", "sc");
    addVectorArray("pShape", "sh");
    setVectors("pShape", "sc", {MVector(2, 3, 4), MVector(1, 1, 1), MVector(1, 1, 1)});
    setVectors("pShape", "sh", {MVector(0.5, 0, 0), MVector(0, 0, 0), MVector(0, 0, 0)});
    run("particleInstancer -object a -position position -scale sc -shear sh pShape");
    // Row 1 is y scaled by 3, then sheared: x gains 0.5 of y.
    expectMatrix(drawn("instancer1")[0].matrix,
                 {{2, 0, 0, 0}, {1.5, 3, 0, 0}, {0, 0, 4, 0}, {1, 0, 0, 1}});
}

TEST_F(InstancerMatrix, RotationInDegreesFollowsTheRotationOrder) {
    addVectorArray("pShape", "rot");
    setVectors("pShape", "rot", {MVector(0, 0, 90), MVector(90, 0, 90), MVector(0, 0, 0)});
    run("particleInstancer -object a -position position -rotation rot pShape");
    std::vector<Instance> all = drawn("instancer1");
    expectMatrix(all[0].matrix, {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 1}});
    // xyz: x first, then z.
    expectMatrix(all[1].matrix, {{0, 1, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 0}, {0, 2, 0, 1}});
    run("particleInstancer -e -rotationOrder zyx pShape");
    expectMatrix(drawn("instancer1")[1].matrix,
                 {{0, 0, 1, 0}, {-1, 0, 0, 0}, {0, -1, 0, 0}, {0, 2, 0, 1}});
    EXPECT_EQ(text("particleInstancer -q -rotationOrder pShape"), "zyx");
}

TEST_F(InstancerMatrix, RotationInRadians) {
    addVectorArray("pShape", "rot");
    setVectors("pShape", "rot", {MVector(0, 0, M_PI / 2), MVector(), MVector()});
    run("particleInstancer -object a -position position -rotation rot -rotationUnits radians "
        "pShape");
    expectMatrix(drawn("instancer1")[0].matrix,
                 {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 1}});
}

TEST_F(InstancerMatrix, AimDirectionAndPosition) {
    addVectorArray("pShape", "aim");
    setVectors("pShape", "aim", {MVector(-1, 0, 0), MVector(0, 0, 2), MVector(1, 0, 3)});
    run("particleInstancer -object a -position position -aimDirection aim pShape");
    std::vector<Instance> all = drawn("instancer1");
    // X turns onto the aim with Y kept up: a half turn, a quarter turn about y.
    expectMatrix(all[0].matrix, {{-1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 0}, {1, 0, 0, 1}});
    expectMatrix(all[1].matrix, {{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 2, 0, 1}});
    // As aim positions the values aim from each particle: particle 2 at
    // (0,0,3) aims at (1,0,3), along +x; particle 0 at (1,0,0) still along -x.
    run("particleInstancer -e -aimDirection \"\" -aimPosition aim pShape");
    EXPECT_EQ(text("particleInstancer -q -aimDirection pShape"), "");
    all = drawn("instancer1");
    expectMatrix(all[2].matrix, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 3, 1}});
    expectMatrix(all[0].matrix, {{-1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 0}, {1, 0, 0, 1}});
}

TEST_F(InstancerMatrix, AimAxisAndUpAxis) {
    addVectorArray("pShape", "aim");
    addVectorArray("pShape", "axis");
    addVectorArray("pShape", "up");
    setVectors("pShape", "aim", {MVector(0, 0, 1), MVector(0, 0, 1), MVector(0, 0, 1)});
    setVectors("pShape", "axis", {MVector(0, 1, 0), MVector(0, 1, 0), MVector(0, 1, 0)});
    setVectors("pShape", "up", {MVector(1, 0, 0), MVector(1, 0, 0), MVector(1, 0, 0)});
    run("particleInstancer -object a -position position -aimDirection aim -aimAxis axis "
        "-aimUpAxis up pShape");
    // Y goes to +z, X up to +y, and Z to +x.
    expectMatrix(drawn("instancer1")[0].matrix,
                 {{0, 1, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 0}, {1, 0, 0, 1}});
}

TEST_F(InstancerMatrix, RotationTypeChoosesPerParticle) {
    addVectorArray("pShape", "rot");
    addVectorArray("pShape", "aim");
    addDoubleArray("pShape", "rtype");
    setVectors("pShape", "rot", {MVector(0, 0, 90), MVector(0, 0, 90), MVector(0, 0, 90)});
    setVectors("pShape", "aim", {MVector(0, 0, 1), MVector(0, 0, 1), MVector(0, 0, 1)});
    setDoubles("pShape", "rtype", {0, 1, 7});
    run("particleInstancer -object a -position position -rotation rot -aimDirection aim "
        "-rotationType rtype pShape");
    std::vector<Instance> all = drawn("instancer1");
    expectMatrix(all[0].matrix, {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 1}});
    expectMatrix(all[1].matrix, {{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 2, 0, 1}});
    // An unknown type falls back to the aim, which wins over the rotation.
    expectMatrix(all[2].matrix, {{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 3, 1}});

    // A type counts by its whole part; one beyond any whole number, or
    // none at all, is unknown.
    setDoubles("pShape", "rtype", {-0.5, 1e300, std::nan("")});
    all = drawn("instancer1");
    expectMatrix(all[0].matrix, {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 1}});
    expectMatrix(all[1].matrix, {{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 2, 0, 1}});
    expectMatrix(all[2].matrix, {{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 3, 1}});
}

TEST_F(InstancerMatrix, InvisibleParticlesAreNotDrawn) {
    addDoubleArray("pShape", "vis");
    setDoubles("pShape", "vis", {1, 0, 0.5});
    run("particleInstancer -object a -position position -visibility vis pShape");
    std::vector<Instance> all = drawn("instancer1");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].id, 0u);
    EXPECT_EQ(all[1].id, 2u);
}

// Ids are stored as doubles that a script or a file may fill with anything;
// one no int can hold still draws, with its id saturated (NaN reads as 0).
TEST_F(InstancerMatrix, IdsNoIntCanHoldAreSaturated) {
    addDoubleArray("pShape", "myId");
    setDoubles("pShape", "myId", {-2.9, 1e300, std::nan("")});
    run("particleInstancer -object a -position position pShape");
    run("setAttr pShape.instanceData[0].instanceAttributeMapping -type stringArray 4 "
        "position position id myId");
    std::vector<Instance> all = drawn("instancer1");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(static_cast<int>(all[0].id), -2);
    EXPECT_EQ(static_cast<int>(all[1].id), INT_MAX);
    EXPECT_EQ(static_cast<int>(all[2].id), 0);

    setDoubles("pShape", "particleId", {-1e300, 7.5, std::nan("")});
    EXPECT_EQ(ids("pShape"), (std::vector<int>{INT_MIN, 7, 0}));
    run("setAttr pShape.instanceData[0].instanceAttributeMapping -type stringArray 2 "
        "position position");
    all = drawn("instancer1");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(static_cast<int>(all[0].id), INT_MIN);
}

TEST_F(InstancerMatrix, ObjectsAreDrawnFromTheirOwnPlacement) {
    addVectorArray("pShape", "rot");
    setVectors("pShape", "rot", {MVector(0, 0, 90), MVector(), MVector()});
    move("a", MVector(5, 0, 0));
    run("particleInstancer -object a -position position -rotation rot pShape");
    // The particle matrix leaves the object's own translation out...
    expectMatrix(drawn("instancer1")[0].matrix,
                 {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 1}});
    // ...which the drawing applies first: (5,0,0) turned onto y, then moved.
    mel::Value lines = run("listInstances instancer1");
    EXPECT_EQ(lines.element(0).text(), "0 0 a 0 1 0 0 -1 0 0 0 0 0 1 0 1 5 0 1");
}

using InstancerObjects = InstancerTest;

TEST_F(InstancerObjects, ObjectIndexIsClampedToTheObjects) {
    MFnParticleSystem fn = shape("pShape");
    fn.emit(MPoint(0, 0, 0));
    addDoubleArray("pShape", "objIndex");
    setDoubles("pShape", "objIndex", {0, 1, 5, -2});
    EXPECT_EQ(text("particleInstancer -object a -object b -objectIndex objIndex pShape"),
              "instancer1");
    std::vector<Instance> all = drawn("instancer1");
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].path, "a");
    EXPECT_EQ(all[1].path, "b");
    EXPECT_EQ(all[2].path, "b");
    EXPECT_EQ(all[3].path, "a");
    EXPECT_EQ(text("particleInstancer -q -objectIndex pShape"), "objIndex");
    EXPECT_EQ(MFnDependencyNode(object("instancer1")).findPlug("hierarchyCount").asInt(), 2);
}

TEST_F(InstancerObjects, SequentialCyclingByAge) {
    Scene::current().createNode("transform", "c");
    run("particleInstancer -object a -object b -object c -cycle sequential -cycleStep 2 pShape");
    frame(6);  // age 5/24 s: two whole steps of 2 frames
    EXPECT_EQ(drawn("instancer1")[0].path, "c");
    frame(7);  // three steps: round to the first again
    EXPECT_EQ(drawn("instancer1")[0].path, "a");
    addDoubleArray("pShape", "start");
    setDoubles("pShape", "start", {1, 1, 2});
    run("particleInstancer -e -sto start pShape");
    EXPECT_EQ(drawn("instancer1")[0].path, "b");
    EXPECT_EQ(drawn("instancer1")[2].path, "c");
    run("particleInstancer -e -cycleStepUnits seconds -cycleStep 0.1 pShape");
    EXPECT_EQ(text("particleInstancer -q -cycleStepUnits pShape"), "seconds");
    EXPECT_EQ(drawn("instancer1")[0].path, "a");  // 6/24 s: start 1 + 2 steps of 0.1 s
    // Going back starts again from the initial state, which has no start
    // objects: 0 + 2 steps at 5/24 s.
    frame(6);
    EXPECT_EQ(drawn("instancer1")[0].path, "c");
    frame(4);  // 3/24 s: 1 step
    EXPECT_EQ(drawn("instancer1")[0].path, "b");
}

// Age and step are counted in thousandths of a second: a step of one frame
// at 24 fps is 0.042 s, so the 3rd frame's age (0.083 s) is still one step.
TEST_F(InstancerObjects, CyclingCountsInThousandthsOfASecond) {
    std::string objects;
    for (int i = 0; i < 8; ++i) {
        Scene::current().createNode("transform", "o" + std::to_string(i));
        objects += " -object o" + std::to_string(i);
    }
    run("particleInstancer" + objects + " -cycle sequential -cycleStep 1 pShape");
    std::string shown;
    for (int f = 1; f <= 8; ++f) {
        frame(f);
        shown += drawn("instancer1")[0].path + " ";
    }
    EXPECT_EQ(shown, "o0 o1 o1 o2 o3 o4 o5 o6 ");
    // A negative start object counts back round the list.
    frame(1);
    addDoubleArray("pShape", "start");
    setDoubles("pShape", "start", {-1, -10, 3});
    run("particleInstancer -e -cycleStartObject start pShape");
    EXPECT_EQ(drawn("instancer1")[0].path, "o7");
    EXPECT_EQ(drawn("instancer1")[1].path, "o6");
}

TEST_F(InstancerObjects, AddingAndRemovingObjects) {
    run("particleInstancer -object a pShape");
    run("particleInstancer -e -addObject -object b pShape");
    EXPECT_EQ(run("particleInstancer -q -object pShape").text(), "a b");
    run("particleInstancer -e -removeObject -object a pShape");
    EXPECT_EQ(run("particleInstancer -q -object pShape").text(), "b");
    EXPECT_EQ(drawn("instancer1")[0].path, "b");
    run("undo");
    EXPECT_EQ(run("particleInstancer -q -object pShape").text(), "a b");
}

TEST_F(InstancerObjects, CreationIsUndoable) {
    run("particleInstancer -object a -n inst pShape");
    EXPECT_EQ(drawn("inst").size(), 3u);
    run("undo");
    EXPECT_TRUE(Scene::current().nodesNamed("inst").empty());
    EXPECT_NE(failure("particleInstancer -q -position pShape").find("feeds no instancer"),
              std::string::npos);
    run("redo");
    EXPECT_EQ(text("particleInstancer -q -position pShape"), "worldPosition");
}

using InstancerIterator = InstancerTest;

TEST_F(InstancerIterator, WalksEveryInstancerParticleAndPath) {
    Scene::current().createNode("transform", "child", Scene::current().nodesNamed("a")[0]);
    run("particle -n q -p 0 0 0 -p 1 1 1;"
        "particleInstancer -object b -n first pShape;"
        "particleInstancer -object a -n second qShape;");
    Scene::current().createNode("instancer", "empty");
    MObject first = object("first"), second = object("second");
    MItInstancer it;
    ASSERT_FALSE(it.isDone());
    EXPECT_EQ(it.instancerId(), firstWord(first));
    // As an address would on a 64-bit host, the id does not fit 32 bits.
    if (sizeof(MUintPtrSz) > 4) {
        EXPECT_GT(it.instancerId() >> 16 >> 16, 0u);
    }
    EXPECT_EQ(it.instancerPath().partialPathName(), MString("first"));
    it.nextInstancer();
    EXPECT_EQ(it.instancerId(), firstWord(second));
    // Each particle shows a and the child below it.
    std::vector<std::string> visited;
    for (; !it.isDone(); it.next())
        visited.push_back(std::to_string(it.particleId()) + ":" + std::to_string(it.pathId()) +
                          ":" + it.path().partialPathName().asChar());
    EXPECT_EQ(visited, (std::vector<std::string>{"0:0:a", "0:1:child", "1:0:a", "1:1:child"}));
    EXPECT_FALSE(it.nextParticle());  // past the end
    it.reset();
    EXPECT_EQ(it.instancerId(), firstWord(first));
}

// The iterator keeps what it found from one reset to the next; nodes made,
// deleted or brought back by undo in between must still show, in the order
// the scene has them (one brought back comes last).
TEST_F(InstancerIterator, ResetSeesInstancersMadeDeletedAndBroughtBack) {
    run("particle -n q -p 0 0 0; particleInstancer -object a -n first pShape;");
    MItInstancer it;
    auto instancers = [&it] {
        std::vector<std::string> names;
        for (it.reset(); !it.isDone(); it.nextInstancer())
            names.push_back(it.instancerPath().partialPathName().asChar());
        return names;
    };
    EXPECT_EQ(instancers(), std::vector<std::string>{"first"});
    run("particleInstancer -object b -n second qShape;");
    EXPECT_EQ(instancers(), (std::vector<std::string>{"first", "second"}));
    run("delete first;");
    EXPECT_EQ(instancers(), std::vector<std::string>{"second"});
    run("undo;");
    EXPECT_EQ(instancers(), (std::vector<std::string>{"second", "first"}));
    run("file -f -new;");
    EXPECT_TRUE(instancers().empty());
}

using InstancerErrors = InstancerTest;

TEST_F(InstancerErrors, RefusesWhatIsNoParticleObjectOrInstancer) {
    EXPECT_NE(failure("particleInstancer -object a b").find("b is not a particle object."),
              std::string::npos);
    EXPECT_NE(failure("particleInstancer -object nothing pShape").find("not a DAG object"),
              std::string::npos);
    run("particleInstancer -object a pShape; particleInstancer -object b pShape;");
    EXPECT_NE(failure("particleInstancer -q -position pShape").find("more than one instancer"),
              std::string::npos);
    EXPECT_NE(
        failure("particleInstancer -q -n a -position pShape").find("not a particle instancer"),
        std::string::npos);
    EXPECT_EQ(text("particleInstancer -q -n instancer2 -position pShape"), "worldPosition");
    EXPECT_NE(
        failure("particleInstancer -e -n instancer1 -cycle often pShape").find("invalid value"),
        std::string::npos);
}

// The application's own menu echo, capitalised values and all.
TEST_F(InstancerObjects, MenuEchoAndTheDocumentedFlagNames) {
    run("particleInstancer -addObject -object a -object b -cycle None -cycleStep 1 "
        "-cycleStepUnits Frames -levelOfDetail Geometry -rotationUnits Degrees "
        "-rotationOrder XYZ -position worldPosition -age age pShape");
    EXPECT_EQ(text("particleInstancer -q -cycle pShape"), "none");
    EXPECT_EQ(text("particleInstancer -q -particleAge pShape"), "age");
    EXPECT_EQ(text("particleInstancer -q -i 1 pShape"), "b");
    EXPECT_EQ(text("stringArrayToString(`particleInstancer -q -am pShape`, \",\")"),
              "position,worldPosition,age,age");
    run("particleInstancer -e -cycleStartObject age pShape");
    EXPECT_EQ(text("particleInstancer -q -sto pShape"), "age");
    EXPECT_NE(failure("particleInstancer -e -instanceId age pShape").find("can only be queried"),
              std::string::npos);
    EXPECT_NE(failure("particleInstancer -q -i 5 pShape").find("out of range"), std::string::npos);
    EXPECT_NE(failure("particleInstancer -e -cycle sometimes pShape").find("invalid value"),
              std::string::npos);
}

}  // namespace
}  // namespace host::particles::testing
