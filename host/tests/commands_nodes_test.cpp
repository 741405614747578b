// createNode, delete, rename, select, ls and the type queries.
#include "commands_fixture.h"

#include <chrono>

namespace host::commands::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(CommandsTest, CreateNodeNamesParentsAndSelects) {
    EXPECT_EQ(text("createNode transform -n foo"), "foo");
    EXPECT_EQ(text("createNode transform -n bar -p foo"), "bar");
    EXPECT_EQ(parentOf("bar"), "foo");
    EXPECT_EQ(strings("ls -sl"), Strings{"bar"});
    EXPECT_EQ(text("createNode transform -n foo -ss"), "foo1");
    EXPECT_EQ(strings("ls -sl"), Strings{"bar"});
    // A shape made without a parent gets a transform of its own.
    EXPECT_EQ(text("createNode locator -n spot"), "spot");
    EXPECT_EQ(node("spot")->parents.front()->type().name, "transform");
    // -shared hands back the node that is there.
    EXPECT_EQ(text("createNode transform -shared -n foo"), "foo");
    EXPECT_EQ(Scene::current().nodesNamed("foo1").size(), 1u);
    EXPECT_EQ(text("createNode objectSet"), "objectSet1");
}

TEST_F(CommandsTest, CreateNodeErrors) {
    EXPECT_EQ(failure("createNode noSuchType"), "line 1: Unknown object type: noSuchType");
    EXPECT_EQ(failure("createNode dagNode"),
              "line 1: createNode: Cannot create a node of the abstract type 'dagNode'.");
    EXPECT_EQ(failure("createNode transform -p nowhere"),
              "line 1: No object matches name: nowhere");
    run("createNode transform -n t");
    EXPECT_EQ(failure("createNode objectSet -p t"),
              "line 1: createNode: Only DAG nodes can have a DAG parent.");
}

// Huge subdivisions once built the whole mesh first and took every byte of
// memory before failing.
TEST_F(CommandsTest, PrimitivesRefuseMoreFacesThanTheLimit) {
    EXPECT_EQ(failure("polyCube -sx 100000000 -sy 100000000"),
              "line 1: polyCube: The mesh would have 20000000400000000 faces; at most 4000000 "
              "are allowed.");
    EXPECT_EQ(failure("polySphere -sx 2000000000 -sy 2000000000"),
              "line 1: polySphere: The mesh would have 4000000000000000000 faces; at most "
              "4000000 are allowed.");
    EXPECT_TRUE(Scene::current().nodesNamed("pCube1").empty());
    EXPECT_EQ(text("polyCube -sx 10 -sy 10 -sz 10"), "pCube1 polyCube1");
}

TEST_F(CommandsTest, PolyEvaluateCountsTheMeshOfTheObject) {
    run("polyCube -n box; polySphere -n ball -sx 8 -sy 4; spaceLocator -n spot");
    EXPECT_EQ(number("polyEvaluate -v box"), 8);
    EXPECT_EQ(number("polyEvaluate -e boxShape"), 12);
    EXPECT_EQ(number("polyEvaluate -t box"), 12);
    run("select -r ball");
    EXPECT_EQ(number("polyEvaluate -face"), 32);
    EXPECT_EQ(number("polyEvaluate -edge"), 56);  // shared edges count once
    EXPECT_EQ(number("polyEvaluate -t"), 48);
    EXPECT_EQ(failure("polyEvaluate -v -f box"),
              "line 1: polyEvaluate: Give one of -vertex, -edge, -face or -triangle.");
    EXPECT_EQ(failure("polyEvaluate -v spot"),
              "line 1: polyEvaluate: No polygon object is named or selected.");
}

TEST_F(CommandsTest, CreateNodeUndoesAndRedoes) {
    run("createNode transform -n top");
    roundTrip("createNode transform -n child -p top");
    roundTrip("createNode locator");
}

TEST_F(CommandsTest, DeleteRestoresHierarchyValuesConnectionsAndNames) {
    run("createNode transform -n a; createNode transform -n b -p a; createNode transform -n c -p a;"
        "createNode transform -n d; setAttr b.tx 4; connectAttr b.tx d.ty; connectAttr d.tz c.tx;"
        "addAttr -ln extra -at double b; setAttr b.extra 2.5; setAttr -l on c.ry");
    roundTrip("delete a");
    EXPECT_FALSE(node("b"));
    ASSERT_TRUE(undo::Queue::instance().undo());
    EXPECT_TRUE(node("b"));
    EXPECT_EQ(Scene::current().world().children.size(), 2u);
    roundTrip("select -r b d; delete");
    EXPECT_EQ(failure("delete nothing"), "line 1: No object matches name: nothing");
    run("select -cl");
    EXPECT_EQ(failure("delete"), "line 1: Not enough objects or values.");
    EXPECT_EQ(failure("delete time1"), "line 1: delete: Cannot delete the default node 'time1'.");
}

// A node listed with one of its ancestors goes with the ancestor; an
// instance that also lives under a parent that stays is deleted only when
// it is named itself.
TEST_F(CommandsTest, DeleteTakesWhatLiesBelowOnceAndSparesInstancesLivingElsewhere) {
    run("createNode transform -n p; createNode transform -n q -p p; createNode transform -n keep;"
        "createNode locator -n s -p q; parent -s -add \"|p|q|s\" keep");
    roundTrip("delete p q");
    EXPECT_FALSE(node("p") || node("q"));
    ASSERT_TRUE(node("s"));
    EXPECT_EQ(node("s")->parents.size(), 1u);
    ASSERT_TRUE(undo::Queue::instance().undo());
    roundTrip("delete q p s");
    EXPECT_FALSE(node("s"));
    EXPECT_TRUE(node("keep"));
}

TEST_F(CommandsTest, DeleteConstructionHistoryKeepsTheObject) {
    run("polyCube -n box; createNode objectSet -n feeder; createNode objectSet -n upstream;"
        "addAttr -ln m -at message feeder; connectAttr upstream.message feeder.m;"
        "addAttr -ln h -at message boxShape; connectAttr feeder.message boxShape.h");
    run("delete -ch box");
    EXPECT_TRUE(node("box") && node("boxShape"));
    EXPECT_FALSE(node("feeder") || node("upstream"));
}

TEST_F(CommandsTest, RenameNumbersHashesAndRenamesShapes) {
    run("polyCube");
    EXPECT_EQ(text("rename pCube1 box_#"), "box_1");
    EXPECT_TRUE(node("box_Shape1"));
    EXPECT_EQ(text("rename -ignoreShape box_1 crate"), "crate");
    EXPECT_TRUE(node("box_Shape1"));
    // The lowest free number fills a gap.
    run("createNode transform -n n_1; createNode transform -n n_2; createNode transform -n n_3;"
        "delete n_2; createNode transform -n x");
    EXPECT_EQ(text("rename x n_#"), "n_2");
    // A quoted path with blanks around it names the node after trimming.
    run("createNode transform -n g; createNode transform -n leaf -p g");
    EXPECT_EQ(text("rename \" |g|leaf\" \"leaf_#\""), "leaf_1");
    // Without an object the first selected node is renamed.
    run("select -r g");
    EXPECT_EQ(text("rename grp"), "grp");
    EXPECT_EQ(failure("rename nothing other"), "line 1: No object matches name: nothing");
    EXPECT_EQ(failure("rename grp \"\""), "line 1: rename: New name cannot be empty.");
    roundTrip("rename grp \"group_#\"");
    roundTrip("rename crate shelf");
    EXPECT_EQ(text("ls shelfShape*"), "");
}

TEST_F(CommandsTest, RenameStaysFastWithManyNodesOfOneStem) {
    Scene& scene = Scene::current();
    for (int i = 0; i < 100000; ++i)
        scene.createNode("transform", "item_#");
    run("delete item_777; createNode transform -n loose");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(text("rename loose \"item_#\""), "item_777");
    for (int i = 0; i < 300; ++i)
        run("createNode transform -n loose; rename loose \"item_#\"");
    EXPECT_EQ(text("createNode transform -n loose; rename loose \"item_#\""), "item_100301");
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);
}

TEST_F(CommandsTest, SelectAdjustsTheActiveList) {
    run("createNode transform -n a; createNode transform -n b; createNode transform -n c");
    run("select -r a b");
    EXPECT_EQ(strings("ls -sl"), (Strings{"a", "b"}));
    run("select -add c");
    run("select -d a");
    EXPECT_EQ(strings("ls -sl"), (Strings{"b", "c"}));
    run("select -tgl b a");
    EXPECT_EQ(strings("ls -sl"), (Strings{"c", "a"}));
    run("select -cl");
    EXPECT_TRUE(strings("ls -sl").empty());
    run("select \"?\"");
    EXPECT_EQ(strings("ls -sl").size(), 3u);
    EXPECT_EQ(failure("select -r a nothere"), "line 1: No object matches name: nothere");
    // Names repeat, name the root namespace or a plug of what is selected.
    run("select -r c :a c b a");
    EXPECT_EQ(strings("ls -sl"), (Strings{"c", "a", "b"}));
    run("select -r b .tx a :b");
    EXPECT_EQ(strings("ls -sl"),
              (Strings{"b", "c.translateX", "a.translateX", "b.translateX", "a"}));
    EXPECT_EQ(failure("select -r b nothere .tx"), "line 1: No object matches name: nothere");
    // Selecting is undoable.
    run("select -r a");
    run("select -r b");
    ASSERT_TRUE(undo::Queue::instance().undo());
    EXPECT_EQ(strings("ls -sl"), Strings{"a"});
}

TEST_F(CommandsTest, SelectExpandsSetsUnlessNoExpand) {
    run("createNode transform -n a; createNode transform -n b; sets -n s a b");
    run("select -r s");
    EXPECT_EQ(strings("ls -sl"), (Strings{"a", "b"}));
    run("select -ne s");
    EXPECT_EQ(strings("ls -sl"), Strings{"s"});
}

TEST_F(CommandsTest, SelectNamesComponents) {
    run("polyCube -n box");
    run("select -r box.vtx[3:5] boxShape.vtx[7]");
    // Named through the transform, the shape being the only one under it.
    EXPECT_EQ(strings("ls -sl"), (Strings{"box.vtx[3:5]", "box.vtx[7]"}));
    EXPECT_EQ(strings("ls -sl -o"), Strings{"boxShape"});
    // A second shape under the transform: each names its own.
    run("createNode mesh -n other -p box; select -r boxShape.vtx[1] other.vtx[*]");
    EXPECT_EQ(strings("ls -sl"), (Strings{"boxShape.vtx[1]"}));
    run("setAttr other.intermediateObject 1; select -r boxShape.vtx[1]");
    EXPECT_EQ(strings("ls -sl"), (Strings{"box.vtx[1]"}));
}

TEST_F(CommandsTest, LsListsFiltersAndNames) {
    run("createNode transform -n top; createNode transform -n mid -p top; createNode locator -n "
        "pin -p mid; createNode transform -n other; createNode transform -n mid -p other");
    Strings all = strings("ls");
    EXPECT_NE(std::find(all.begin(), all.end(), "time1"), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), "top|mid"), all.end());
    EXPECT_EQ(strings("ls -type locator"), Strings{"pin"});
    EXPECT_EQ(strings("ls -l -type locator"), Strings{"|top|mid|pin"});
    EXPECT_EQ(strings("ls -shapes"), Strings{"pin"});
    EXPECT_EQ(strings("ls -dag"), (Strings{"top", "top|mid", "pin", "other", "other|mid"}));
    EXPECT_EQ(strings("ls -dag -l top"), (Strings{"|top", "|top|mid", "|top|mid|pin"}));
    EXPECT_EQ(strings("ls \"t*\" -st"), (Strings{"time1", "time", "top", "transform"}));
    EXPECT_EQ(strings("ls -tr \"*|mid\""), (Strings{"top|mid", "other|mid"}));
    EXPECT_TRUE(strings("ls nothingLikeThis").empty());
}

TEST_F(CommandsTest, TypeQueries) {
    run("polyCube -n box");
    EXPECT_EQ(run("objExists box").asInt(), 1);
    EXPECT_EQ(run("objExists box.tx").asInt(), 1);
    EXPECT_EQ(run("objExists box.nothing").asInt(), 0);
    EXPECT_EQ(run("objExists nothing").asInt(), 0);
    EXPECT_EQ(text("nodeType boxShape"), "mesh");
    EXPECT_EQ(text("nodeType -api boxShape"), "kMesh");
    EXPECT_EQ(strings("nodeType -i boxShape"), (Strings{"dependNode", "dagNode", "shape", "mesh"}));
    EXPECT_EQ(text("objectType box"), "transform");
    EXPECT_EQ(run("objectType -isType transform box").asInt(), 1);
    EXPECT_EQ(run("objectType -isType dagNode box").asInt(), 0);
    EXPECT_EQ(run("objectType -isAType dagNode box").asInt(), 1);
    EXPECT_EQ(failure("nodeType nothing"), "line 1: No object matches name: nothing");
}

}  // namespace
TEST_F(CommandsTest, LsKindsUniteAndSelectHierarchy) {
    run("createNode transform -n g; polyCube -n box; parent box g; createNode camera -n camShape "
        "-p g; createNode pointLight -n lampShape; createNode lambert -n paint");
    EXPECT_EQ(strings("ls -g"), std::vector<std::string>({"boxShape"}));
    EXPECT_EQ(strings("ls -lt -ca"), std::vector<std::string>({"camShape", "lampShape"}));
    const std::vector<std::string> materials = strings("ls -mat");
    EXPECT_NE(std::find(materials.begin(), materials.end(), "paint"), materials.end());
    EXPECT_EQ(strings("ls -r true box"), std::vector<std::string>({"box"}));
    EXPECT_EQ(failure("ls -os"), "line 1: Invalid flag: -os");
    run("select -hi g");
    EXPECT_EQ(strings("ls -sl"), std::vector<std::string>({"g", "box", "boxShape", "camShape"}));
}

TEST_F(CommandsTest, LsFlattenGivesOneNamePerComponent) {
    run("polyCube -n box; select -r box.vtx[1:2] box.vtx[6] box");
    EXPECT_EQ(strings("ls -sl"), std::vector<std::string>({"box.vtx[1:2]", "box.vtx[6]", "box"}));
    EXPECT_EQ(strings("ls -sl -fl"),
              std::vector<std::string>({"box.vtx[1]", "box.vtx[2]", "box.vtx[6]", "box"}));
    run("particle -p 0 0 0 -p 1 0 0 -n drops");
    EXPECT_EQ(strings("ls -fl dropsShape.pt[*]"),
              std::vector<std::string>({"drops.pt[0]", "drops.pt[1]"}));
}

}  // namespace host::commands::testing
