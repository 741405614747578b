// Point and parent constraints, and scripts that combine the newer commands the way
// users' scripts do.
#include "commands_fixture.h"

namespace host::commands::testing {
namespace {

using Constraints = CommandsTest;
using UserScripts = CommandsTest;

void expectNear(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-9) << "component " << i;
}

TEST_F(Constraints, PointConstraintFollowsWeightedTargets) {
    run("spaceLocator -n a; spaceLocator -n b; spaceLocator -n c; move 10 0 0 a; move 0 10 0 b");
    EXPECT_EQ(strings("pointConstraint a c"), (std::vector<std::string>{"c_pointConstraint1"}));
    EXPECT_EQ(parentOf("c_pointConstraint1"), "c");
    expectNear(numbers("getAttr c.t"), {10, 0, 0});
    run("move 20 0 0 a");
    expectNear(numbers("xform -q -ws -t c"), {20, 0, 0});
    // A second target joins the same constraint.
    EXPECT_EQ(strings("pointConstraint b c"), (std::vector<std::string>{"c_pointConstraint1"}));
    expectNear(numbers("getAttr c.t"), {10, 5, 0});
    EXPECT_EQ(strings("pointConstraint -q -tl c"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(strings("pointConstraint -q -wal c"), (std::vector<std::string>{"aW0", "bW1"}));
    run("pointConstraint -e -w 0 b c");
    expectNear(numbers("getAttr c.t"), {20, 0, 0});
    EXPECT_DOUBLE_EQ(number("pointConstraint -q -w b c"), 0);
    run("setAttr c_pointConstraint1.bW1 3");
    expectNear(numbers("getAttr c.t"), {5, 7.5, 0});
    // It follows a target moved by its parent, too.
    run("group -n g a; move -r 0 0 8 g");
    expectNear(numbers("xform -q -ws -t c"), {5, 7.5, 2});
}

TEST_F(Constraints, OffsetsAndParentSpace) {
    run("spaceLocator -n a; spaceLocator -n c; createNode transform -n p; parent c p;"
        "setAttr p.t 0 0 3; move 1 2 3 a; move 4 4 4 c");
    run("pointConstraint -mo a c");
    expectNear(numbers("xform -q -ws -t c"), {4, 4, 4});
    run("move -r 1 0 0 a");
    expectNear(numbers("xform -q -ws -t c"), {5, 4, 4});
    expectNear(numbers("pointConstraint -q -o c"), {3, 2, 1});
    run("pointConstraint -e -o 0 0 0 c");
    expectNear(numbers("xform -q -ws -t c"), {2, 2, 3});
}

TEST_F(Constraints, ParentConstraintCarriesRotation) {
    run("spaceLocator -n p; spaceLocator -n k; move 1 0 0 k");
    run("parentConstraint -mo p k");
    expectNear(numbers("getAttr k.t"), {1, 0, 0});
    run("rotate 0 90 0 p");
    expectNear(numbers("xform -q -ws -t k"), {0, 0, -1});
    expectNear(numbers("getAttr k.r"), {0, 90, 0});
    run("move 0 5 0 p");
    expectNear(numbers("xform -q -ws -t k"), {0, 5, -1});
    // Without -mo the object takes the target's place and turn.
    run("spaceLocator -n j; parentConstraint p j");
    expectNear(numbers("getAttr j.t"), {0, 5, 0});
    expectNear(numbers("getAttr j.r"), {0, 90, 0});
}

TEST_F(Constraints, MakingEditingAndRemovingUndo) {
    run("spaceLocator -n a; spaceLocator -n b; spaceLocator -n c; move 10 0 0 a");
    roundTrip("pointConstraint a c");
    roundTrip("pointConstraint -mo b c");
    roundTrip("pointConstraint -e -w 0.5 a c");
    roundTrip("pointConstraint -rm b c");
    roundTrip("pointConstraint -rm a c");
    EXPECT_EQ(run("objExists c_pointConstraint1").asInt(), 0);
    roundTrip("parentConstraint -mo -w 2 a b c");
}

TEST_F(Constraints, RefusalsLeaveTheSceneAlone) {
    run("spaceLocator -n a; spaceLocator -n c; setKeyframe c.tx");
    const std::string before = scene();
    EXPECT_EQ(failure("pointConstraint a c"),
              "line 1: pointConstraint: 'c.translate' is already connected; it cannot be "
              "constrained.");
    EXPECT_EQ(failure("pointConstraint c"),
              "line 1: pointConstraint: Not enough objects given: name the targets, then the "
              "object.");
    EXPECT_EQ(failure("parentConstraint a nobody"), "line 1: No object matches name: nobody");
    EXPECT_EQ(failure("parentConstraint -q -tl a"),
              "line 1: parentConstraint: No constraint found.");
    EXPECT_EQ(scene(), before);
    run("spaceLocator -n d; setAttr -l true d.ry");
    EXPECT_EQ(failure("parentConstraint a d"),
              "line 1: parentConstraint: 'd.rotate' is locked; it cannot be constrained.");
}

// A selection utility: the unique transforms under the selection that carry a given
// attribute, with the attribute's range, written with the usual shipped helpers.
TEST_F(UserScripts, SelectionUtility) {
    run(R"(
proc string[] withAttribute(string $attr) {
    string $found[];
    string $sel[] = `ls -sl`;
    for ($s in $sel) {
        string $all[] = `listRelatives -ad -type transform $s`;
        $all[size($all)] = $s;
        for ($node in $all)
            if (attributeExists($attr, $node))
                $found[size($found)] = $node;
    }
    return sort(stringArrayRemoveDuplicates($found));
}
createNode transform -n root;
createNode transform -n armL -p root;
createNode transform -n armR -p root;
createNode transform -n leg -p root;
addAttr -ln fkIk -at double -min 0 -max 1 armL;
addAttr -ln fkIk -at double -min 0 -max 1 armR;
select root armL;
)");
    EXPECT_EQ(text("stringArrayToString(withAttribute(\"fkIk\"), \" \")"), "armL armR");
    EXPECT_EQ(text("string $r[] = withAttribute(\"fkIk\"); "
                   "floatArrayToString(`attributeQuery -n $r[0] -range fkIk`, \":\")"),
              "0:1");
    EXPECT_EQ(run("size(withAttribute(\"noSuch\"))").asInt(), 0);
}

// A constraint set-up: a locator per selected object, placed on it and driving it, with
// the usual checks before touching anything.
TEST_F(UserScripts, ConstraintSetup) {
    run(R"(
proc string[] makeDrivers(string $objects[]) {
    string $made[];
    for ($obj in $objects) {
        if (!`objExists $obj`) { warning ("skipping " + $obj); continue; }
        float $p[] = `xform -q -ws -t $obj`;
        string $loc[] = `spaceLocator -n ($obj + "_ctrl")`;
        move $p[0] $p[1] $p[2] $loc[0];
        parentConstraint -mo $loc[0] $obj;
        $made[size($made)] = $loc[0];
    }
    return $made;
}
createNode transform -n hand; setAttr hand.t 1 2 3; setAttr hand.ry 30;
createNode transform -n foot; setAttr foot.t -1 0 0;
)");
    EXPECT_EQ(strings("makeDrivers({\"hand\", \"foot\", \"ghost\"})"),
              (std::vector<std::string>{"hand_ctrl", "foot_ctrl"}));
    // Nothing moved by being constrained with -mo.
    expectNear(numbers("getAttr hand.t"), {1, 2, 3});
    expectNear(numbers("getAttr hand.r"), {0, 30, 0});
    run("move -r 0 1 0 hand_ctrl foot_ctrl; rotate -r 0 0 90 foot_ctrl");
    expectNear(numbers("getAttr hand.t"), {1, 3, 3});
    expectNear(numbers("getAttr foot.r"), {0, 0, 90});
    expectNear(numbers("xform -q -ws -t foot"), {-1, 1, 0});
}

}  // namespace
}  // namespace host::commands::testing
