// listRelatives, parent, group, duplicate, instance, xform, and the mesh
// primitives.
#include "commands_fixture.h"

#include "geometry/Mesh.h"

#include <chrono>

namespace host::commands::testing {
namespace {

using Strings = std::vector<std::string>;
using Numbers = std::vector<double>;

void expectNear(const Numbers& got, const Numbers& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-9) << i;
}

class DagCommandsTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        run("createNode transform -n a; createNode transform -n b -p a; createNode locator -n "
            "bShape -p b; createNode transform -n c -p a; createNode transform -n d");
    }
};

TEST_F(DagCommandsTest, ListRelativesWalksTheHierarchy) {
    EXPECT_EQ(strings("listRelatives a"), (Strings{"b", "c"}));
    EXPECT_EQ(strings("listRelatives -c -f a"), (Strings{"|a|b", "|a|c"}));
    EXPECT_EQ(strings("listRelatives -p b"), Strings{"a"});
    EXPECT_TRUE(strings("listRelatives -p a").empty());
    EXPECT_EQ(strings("listRelatives -s b"), Strings{"bShape"});
    EXPECT_TRUE(strings("listRelatives -s bShape").empty());
    EXPECT_EQ(strings("listRelatives -ad a"), (Strings{"c", "bShape", "b"}));
    EXPECT_EQ(strings("listRelatives -ad -type locator a"), Strings{"bShape"});
    EXPECT_EQ(strings("listRelatives -ad -pa -type transform a"), (Strings{"c", "b"}));
    run("select -r a");
    EXPECT_EQ(strings("listRelatives"), (Strings{"b", "c"}));
}

TEST_F(DagCommandsTest, ParentKeepsTheWorldPlaceUnlessRelative) {
    run("setAttr a.t 1 2 3; setAttr b.tx 5; setAttr d.s 2 2 2");
    roundTrip("parent b d");
    EXPECT_EQ(parentOf("b"), "d");
    expectNear(numbers("xform -q -ws -t b"), {6, 2, 3});
    expectNear(numbers("getAttr b.t"), {3, 1, 1.5});
    run("parent -w b");
    EXPECT_EQ(parentOf("b"), "world");
    expectNear(numbers("getAttr b.t"), {6, 2, 3});
    roundTrip("parent -r b a");
    expectNear(numbers("getAttr b.t"), {6, 2, 3});
    EXPECT_EQ(strings("parent c d"), Strings{"c"});
    EXPECT_EQ(failure("parent a b"), "line 1: parent: Cannot parent 'a' below itself.");
    EXPECT_EQ(failure("parent d bShape"),
              "line 1: parent: Cannot parent to the shape node 'bShape'.");
    EXPECT_EQ(failure("parent a"), "line 1: Not enough objects or values.");
}

TEST_F(DagCommandsTest, ParentUndoPutsTheChildBackInItsPlace) {
    run("createNode transform -n e -p a");
    EXPECT_EQ(strings("listRelatives a"), (Strings{"b", "c", "e"}));
    run("parent b d");
    ASSERT_TRUE(undo::Queue::instance().undo());
    EXPECT_EQ(strings("listRelatives a"), (Strings{"b", "c", "e"}));
    // A name taken among the new siblings changes, and comes back on undo.
    run("createNode transform -n c -p d");
    roundTrip("parent a|c d");
}

TEST_F(DagCommandsTest, ParentAddMakesInstances) {
    roundTrip("parent -add -s bShape d");
    EXPECT_EQ(node("bShape")->parents.size(), 2u);
    EXPECT_EQ(strings("ls -l -ap -type locator -dag"), (Strings{"|a|b|bShape", "|d|bShape"}));
    roundTrip("parent -rm d|bShape");
}

TEST_F(DagCommandsTest, GroupMovesObjectsUnderANewTransform) {
    run("setAttr b.tx 2");
    EXPECT_EQ(text("group -n g b c"), "g");
    EXPECT_EQ(parentOf("g"), "a");
    EXPECT_EQ(strings("listRelatives g"), (Strings{"b", "c"}));
    EXPECT_EQ(strings("ls -sl"), Strings{"g"});
    roundTrip("group -w d");
    EXPECT_EQ(text("group -em"), "group2");
    roundTrip("group -em -p d -n inside");
}

TEST_F(DagCommandsTest, DuplicateCopiesTheWholeHierarchy) {
    run("setAttr a.tx 4; addAttr -ln note -dt \"string\" b; setAttr b.note -type \"string\" hi;"
        "connectAttr b.tx c.ty; connectAttr d.tz b.ty; setAttr -l on c.rz");
    std::string before = scene();
    Strings made = strings("duplicate a");
    EXPECT_EQ(made, (Strings{"a1", "a1|b", "a1|b|bShape", "a1|c"}));
    EXPECT_EQ(number("getAttr a1.tx"), 4);
    EXPECT_EQ(text("getAttr a1|b.note"), "hi");
    EXPECT_EQ(run("getAttr -l a1|c.rz").asInt(), 1);
    // Connections among the copies are copied; those from outside are not.
    EXPECT_EQ(strings("listConnections -s 0 -p 1 a1|b.tx"), Strings{"a1|c.translateY"});
    EXPECT_TRUE(strings("listConnections -d 0 a1|b").empty());
    EXPECT_EQ(strings("ls -sl"), Strings{"a1"});
    ASSERT_TRUE(undo::Queue::instance().undo());
    EXPECT_EQ(scene(), before);
    ASSERT_TRUE(undo::Queue::instance().redo());
    EXPECT_EQ(strings("listRelatives a1"), (Strings{"b", "c"}));
    EXPECT_EQ(strings("duplicate -rr -n copy -ic a|b"), Strings{"copy"});
    EXPECT_EQ(parentOf("copy"), "a");
    EXPECT_EQ(strings("listConnections -s 1 -d 0 copy"), Strings{"d"});
    EXPECT_EQ(strings("duplicate -rr d"), Strings{"d1"});
    roundTrip("duplicate -rr -rc a");
}

TEST_F(DagCommandsTest, DuplicateRenamesTheRootsShapes) {
    run("polyCube");
    EXPECT_EQ(strings("duplicate pCube1"), (Strings{"pCube2", "pCubeShape2"}));
    EXPECT_EQ(geometry::meshPoints(*node("pCubeShape2")).length(), 8u);
}

TEST_F(DagCommandsTest, DuplicateStaysFastForManyCopies) {
    run("polyCube -n item1");
    auto start = std::chrono::steady_clock::now();
    std::string last;
    for (int i = 0; i < 2000; ++i)
        last = text("duplicate -rr item1");
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(last, "item2001");
    EXPECT_LT(seconds, 10.0);
}

TEST_F(DagCommandsTest, InstanceSharesTheChildren) {
    run("setAttr b.ty 3");
    EXPECT_EQ(strings("instance b"), Strings{"b1"});
    EXPECT_EQ(parentOf("b1"), "a");
    EXPECT_EQ(number("getAttr b1.ty"), 3);
    EXPECT_EQ(node("bShape")->parents.size(), 2u);
    EXPECT_EQ(strings("listRelatives -f b1"), Strings{"|a|b1|bShape"});
    // The shape's name resolves to its first instance: one parent, and each
    // parent listed once.
    EXPECT_EQ(strings("listRelatives -p bShape"), Strings{"b"});
    EXPECT_EQ(strings("listRelatives -p b1|bShape"), Strings{"b1"});
    EXPECT_EQ(strings("listRelatives -ap bShape"), (Strings{"b", "b1"}));
    roundTrip("instance -n twin b");
    EXPECT_EQ(strings("instance -lf a|b|bShape"), Strings{"b2"});
}

TEST_F(DagCommandsTest, UndoingTheDeleteOfAnInstanceKeepsItsInstanceNumber) {
    run("instance -n twin b");
    // The shape's first parent stays b: undo must not renumber the instances.
    roundTrip("delete a|b");
}

TEST_F(DagCommandsTest, XformQueriesAndSets) {
    run("setAttr a.t 1 0 0; setAttr a.ry 90; setAttr b.t 0 0 2");
    expectNear(numbers("xform -q -t b"), {0, 0, 2});
    expectNear(numbers("xform -q -ws -t b"), {3, 0, 0});
    expectNear(numbers("xform -q -ro a"), {0, 90, 0});
    roundTrip("xform -ws -t 0 5 0 b");
    expectNear(numbers("xform -q -ws -t b"), {0, 5, 0});
    roundTrip("xform -r -t 1 1 1 d");
    expectNear(numbers("getAttr d.t"), {1, 1, 1});
    run("xform -s 2 3 4 d");
    expectNear(numbers("getAttr d.s"), {2, 3, 4});
    run("xform -m 1 0 0 0 0 1 0 0 0 0 1 0 7 8 9 1 d");
    expectNear(numbers("getAttr d.t"), {7, 8, 9});
    expectNear(numbers("xform -q -m d"), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1});
    EXPECT_EQ(failure("xform -q -t bShape"), "line 1: xform: 'bShape' is not a transform.");
}

TEST_F(CommandsTest, PolyCubeBuildsAMeshInTheHostsOrder) {
    Strings made = strings("polyCube -w 2 -h 4 -d 6");
    EXPECT_EQ(made, (Strings{"pCube1", "polyCube1"}));
    EXPECT_EQ(parentOf("pCubeShape1"), "pCube1");
    EXPECT_EQ(text("nodeType pCubeShape1"), "mesh");
    auto mesh = geometry::meshOf(*node("pCubeShape1"));
    ASSERT_EQ(mesh->vertexCount(), 8u);
    ASSERT_EQ(mesh->faceCount(), 6u);
    EXPECT_TRUE(mesh->valid());
    EXPECT_EQ(mesh->points[0], MPoint(-1, -2, 3));
    EXPECT_EQ(mesh->points[5], MPoint(1, 2, -3));
    EXPECT_EQ(std::vector<int>(mesh->faceConnects.begin(), mesh->faceConnects.begin() + 8),
              (std::vector<int>{0, 1, 3, 2, 2, 3, 5, 4}));
    EXPECT_EQ(std::vector<int>(mesh->faceConnects.end() - 8, mesh->faceConnects.end()),
              (std::vector<int>{1, 7, 5, 3, 6, 0, 2, 4}));
    // The points are readable through a plug, and tweaks move them.
    EXPECT_EQ(numbers("getAttr pCubeShape1.vt").size(), 32u);
    run("setAttr pCubeShape1.pnts[0] 0 1 0");
    EXPECT_EQ(geometry::meshPoints(*node("pCubeShape1"))[0], MPoint(-1, -1, 3));
    run("select -r pCubeShape1.vtx[*]");
    EXPECT_EQ(strings("ls -sl"), Strings{"pCube1.vtx[0:7]"});
    roundTrip("polyCube -n box -sx 2 -sy 3 -sz 4");
    auto fine = geometry::meshOf(*node("boxShape"));
    EXPECT_EQ(fine->vertexCount(), 2u * (2 * 3 + 3 * 4 + 2 * 4) + 2u);
    EXPECT_EQ(fine->faceCount(), 2u * (2 * 3 + 3 * 4 + 2 * 4));
    EXPECT_TRUE(fine->valid());
}

TEST_F(CommandsTest, PolySphereAndMeshInputs) {
    EXPECT_EQ(strings("polySphere -r 2 -sx 8 -sy 4"), (Strings{"pSphere1", "polySphere1"}));
    auto sphere = geometry::meshOf(*node("pSphereShape1"));
    EXPECT_EQ(sphere->vertexCount(), 8u * 3 + 2);
    EXPECT_EQ(sphere->faceCount(), 8u * 4);
    EXPECT_TRUE(sphere->valid());
    for (unsigned i = 0; i < sphere->vertexCount(); ++i)
        EXPECT_NEAR(MVector(sphere->points[i]).length(), 2.0, 1e-9);
    // A mesh fed through inMesh shows its input's geometry.
    run("polyCube; createNode mesh -n fed -p pCube1; connectAttr pSphereShape1.outMesh fed.inMesh");
    EXPECT_EQ(geometry::meshPoints(*node("fed")).length(), 26u);
    EXPECT_EQ(failure("polySphere -sx 2"),
              "line 1: polySphere: A sphere needs at least 3 subdivisions each way.");
}

TEST_F(CommandsTest, PrimitivesMakeTheirHistoryNode) {
    EXPECT_EQ(strings("polyPlane -w 4 -h 2 -sx 2 -sy 1"), (Strings{"pPlane1", "polyPlane1"}));
    EXPECT_EQ(strings("listConnections -s 1 -d 0 -p 1 pPlaneShape1.inMesh"),
              Strings{"polyPlane1.output"});
    EXPECT_EQ(number("getAttr polyPlane1.w") + number("getAttr polyPlane1.sw"), 6);
    EXPECT_EQ(number("polyEvaluate -f pPlane1"), 2);
    // Editing the history node reshapes the mesh; a copy of the shape takes
    // the geometry it shows, not the history.
    run("setAttr polyPlane1.sw 3; setAttr polyPlane1.width 6");
    EXPECT_EQ(number("polyEvaluate -f pPlane1"), 3);
    EXPECT_EQ(geometry::meshPoints(*node("pPlaneShape1"))[0], MPoint(-3, 0, -1));
    run("duplicate -n copy pPlane1; setAttr polyPlane1.sw 1");
    EXPECT_EQ(number("polyEvaluate -f copy"), 3);
    EXPECT_TRUE(strings("listConnections pPlaneShape2").empty());
    EXPECT_EQ(number("polyEvaluate -f pPlane1"), 1);
    // A copy made straight after an edit, before anything read the mesh,
    // takes the edited geometry too.
    run("setAttr polyPlane1.width 10; duplicate -n wide pPlane1");
    const Strings wide = strings("listRelatives -s wide");
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(geometry::meshPoints(*node(wide[0]))[0], MPoint(-5, 0, -1));
    // Without history there is just the transform; undo takes the node away.
    EXPECT_EQ(strings("polyCube -ch off -n bare"), Strings{"bare"});
    EXPECT_TRUE(strings("listConnections bareShape").empty());
    EXPECT_EQ(number("polyEvaluate -v bare"), 8);
    run("undo; polySphere -n ball; undo");
    EXPECT_FALSE(number("objExists polySphere1"));
    EXPECT_EQ(strings("polySphere -n ball -sx 5 -sy 3"), (Strings{"ball", "polySphere1"}));
    EXPECT_EQ(number("polyEvaluate -v ball"), 5 * 2 + 2);
    EXPECT_EQ(failure("polyPlane -sx 0"), "line 1: polyPlane: Subdivisions must be at least 1.");
}

TEST_F(CommandsTest, PolyUniteMakesOneMeshOfSeveral) {
    run("polyCube -n a; polyCube -n b; setAttr b.tx 3");
    EXPECT_EQ(strings("polyUnite a bShape"), (Strings{"polySurface1", "polyUnite1"}));
    EXPECT_EQ(strings("ls -sl"), Strings{"polySurface1"});
    EXPECT_EQ(number("polyEvaluate -v polySurface1"), 16);
    expectNear(numbers("xform -q -ws -bb polySurface1"), {-0.5, -0.5, -0.5, 3.5, 0.5, 0.5});
    // The parts stay as intermediate objects and still shape the whole.
    EXPECT_EQ(number("getAttr aShape.intermediateObject"), 1);
    run("setAttr b.tx 5; setAttr polyCube1.width 3");
    expectNear(numbers("xform -q -ws -bb polySurface1"), {-1.5, -0.5, -0.5, 5.5, 0.5, 0.5});
    run("undo; undo; undo");
    EXPECT_FALSE(number("objExists polyUnite1"));
    EXPECT_EQ(number("getAttr aShape.intermediateObject"), 0);
    // Without history the parts are gone; one object is not enough.
    run("select -r a b");
    EXPECT_EQ(strings("polyUnite -ch off -n both"), Strings{"both"});
    EXPECT_FALSE(number("objExists a"));
    EXPECT_EQ(number("polyEvaluate -f both"), 12);
    EXPECT_EQ(failure("polyUnite both"),
              "line 1: polyUnite: Name or select at least two polygon objects.");
}

TEST_F(DagCommandsTest, XformPivotsBoundsAndRotateOrder) {
    run("polyCube -n box; setAttr box.t 2 0 0; setAttr box.s 2 2 2");
    expectNear(numbers("xform -q -ws -bb box"), {1, -1, -1, 3, 1, 1});
    run("xform -piv 1 0 0 box; xform -cp box");
    expectNear(numbers("xform -q -ws -rp box"), {2, 0, 0});
    // -pivots sets both; its query gives the rotate pivot, then the scale pivot.
    run("xform -piv 0.5 0 0 box");
    expectNear(numbers("xform -q -piv box"), {0.5, 0, 0, 0.5, 0, 0});
    run("xform -sp 0 1 0 box");
    expectNear(numbers("xform -q -sp box"), {0, 1, 0});
    // Changing the order keeps the orientation by default.
    run("setAttr box.r 30 40 0");
    const Numbers before = numbers("xform -q -ws -m box");
    roundTrip("xform -roo zxy box");
    EXPECT_EQ(text("xform -q -roo box"), "zxy");
    expectNear(numbers("xform -q -ws -m box"), before);
    EXPECT_EQ(failure("xform -roo abc box"), "line 1: xform: Invalid rotate order: abc");
}

TEST_F(DagCommandsTest, DuplicateUpstreamCopiesTheAnimation) {
    run("setKeyframe -t 1 -v 0 -at tx d; setKeyframe -t 10 -v 5 -at tx d");
    EXPECT_EQ(strings("duplicate -un d"), (Strings{"d1", "d_translateX1"}));
    EXPECT_TRUE(strings("listConnections -s 1 -d 0 d_translateX1").empty());
    run("keyframe -e -t 10 -vc 8 d_translateX1; currentTime 10");
    EXPECT_EQ(number("getAttr d.tx"), 5);
    EXPECT_EQ(number("getAttr d1.tx"), 8);
    EXPECT_EQ(strings("duplicate -rr -un d"), Strings{"d2"});
}

TEST_F(DagCommandsTest, SmartDuplicateRepeatsTheLastStep) {
    run("string $c[] = `duplicate -st d`; setAttr ($c[0] + \".t\") 2 0 0; "
        "setAttr ($c[0] + \".ry\") 10; setAttr ($c[0] + \".s\") 2 2 2");
    EXPECT_EQ(strings("duplicate -st d1"), Strings{"d2"});
    expectNear(numbers("getAttr d2.t"), {4, 0, 0});
    expectNear(numbers("getAttr d2.r"), {0, 20, 0});
    expectNear(numbers("getAttr d2.s"), {4, 4, 4});
    run("undo");
    EXPECT_EQ(number("objExists d2"), 0);
    // Another object starts over: a plain copy.
    run("duplicate -st c");
    expectNear(numbers("getAttr c1.t"), {0, 0, 0});
}

}  // namespace
}  // namespace host::commands::testing
