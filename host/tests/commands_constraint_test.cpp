// Point, parent, orient, aim and scale constraints, and scripts that combine the newer commands the
// way users' scripts do.
#include "commands_fixture.h"

#include <cmath>

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

TEST_F(Constraints, OrientConstraintBlendsWorldRotations) {
    run("spaceLocator -n a; spaceLocator -n b; spaceLocator -n c; rotate 0 90 0 a;"
        "move 5 5 5 c");
    EXPECT_EQ(strings("orientConstraint a c"), (std::vector<std::string>{"c_orientConstraint1"}));
    expectNear(numbers("getAttr c.r"), {0, 90, 0});
    // Only the rotation is driven.
    expectNear(numbers("getAttr c.t"), {5, 5, 5});
    run("orientConstraint b c");
    expectNear(numbers("getAttr c.r"), {0, 45, 0});
    run("orientConstraint -e -w 0 b c");
    expectNear(numbers("getAttr c.r"), {0, 90, 0});
    // A target turned by its parent, and a driven object under a turned parent.
    run("orientConstraint -rm b c; group -n g a; rotate 0 0 90 g");
    expectNear(numbers("getAttr c.r"), numbers("xform -q -ws -ro a"));
    run("group -n h c; rotate 0 0 90 h");
    expectNear(numbers("getAttr c.r"), {0, 90, 0});
    // -mo keeps the object's turn as an offset, queried in degrees.
    run("spaceLocator -n d; rotate 30 0 0 d; orientConstraint -mo b d");
    expectNear(numbers("getAttr d.r"), {30, 0, 0});
    expectNear(numbers("orientConstraint -q -o d"), {30, 0, 0});
    run("rotate 0 0 90 b");
    expectNear(numbers("getAttr d.r"), {30, 0, 90});
    run("orientConstraint -e -o 0 0 0 d");
    expectNear(numbers("getAttr d.r"), {0, 0, 90});
}

TEST_F(Constraints, AimConstraintUpTypes) {
    run("spaceLocator -n t; spaceLocator -n c; move 10 0 0 t");
    EXPECT_EQ(strings("aimConstraint t c"), (std::vector<std::string>{"c_aimConstraint1"}));
    expectNear(numbers("getAttr c.r"), {0, 0, 0});
    // Straight along the up vector: the shortest turn.
    run("move 0 10 0 t");
    expectNear(numbers("getAttr c.r"), {0, 0, 90});
    // It aims from wherever the object is moved to.
    run("move 0 10 10 c");
    expectNear(numbers("getAttr c.r"), {0, 90, 0});
    run("move 0 0 0 c; move 0 0 -10 t");
    expectNear(numbers("getAttr c.r"), {0, 90, 0});
    // Another aim axis, the object's up leaning on world up.
    run("aimConstraint -e -aim 0 1 0 -u 0 0 1 c");
    expectNear(numbers("getAttr c.r"), {-90, 0, 0});
    expectNear(numbers("aimConstraint -q -aim c"), {0, 1, 0});
    expectNear(numbers("aimConstraint -q -u c"), {0, 0, 1});
    expectNear(numbers("aimConstraint -q -wu c"), {0, 1, 0});
    EXPECT_EQ(run("aimConstraint -q -wut c").asString(), "vector");

    // object: up toward the up object; objectrotation: the world up vector turned as the
    // up object is; scene: the scene's up.
    run("spaceLocator -n e; spaceLocator -n k; spaceLocator -n u; move 10 0 0 k;"
        "move 0 0 10 u; aimConstraint -wut object -wuo u k e");
    EXPECT_EQ(run("aimConstraint -q -wuo e").asString(), "u");
    EXPECT_EQ(run("aimConstraint -q -wut e").asString(), "object");
    expectNear(numbers("getAttr e.r"), {90, 0, 0});
    run("move 0 0 -10 u");
    expectNear(numbers("getAttr e.r"), {-90, 0, 0});
    run("aimConstraint -e -wut objectrotation e; rotate 90 0 0 u");
    expectNear(numbers("getAttr e.r"), {90, 0, 0});
    run("aimConstraint -e -wut scene e");
    expectNear(numbers("getAttr e.r"), {0, 0, 0});
    // -mo keeps the object's turn, applied before the aim.
    run("spaceLocator -n m; rotate 0 0 45 m; spaceLocator -n j; move 10 0 0 j;"
        "aimConstraint -mo j m");
    expectNear(numbers("getAttr m.r"), {0, 0, 45});
    run("move 0 0 -10 j");
    const double h = std::sqrt(0.5);
    expectNear(numbers("xform -q -ws -m m"), {0, h, -h, 0, 0, h, h, 0, 1, 0, 0, 0, 0, 0, 0, 1});
}

TEST_F(Constraints, ScaleConstraintAndTimeChanges) {
    run("spaceLocator -n a; spaceLocator -n b; spaceLocator -n c; scale 2 4 6 a");
    run("scaleConstraint a b c");
    expectNear(numbers("getAttr c.s"), {1.5, 2.5, 3.5});
    run("scaleConstraint -e -w 0 b c");
    expectNear(numbers("getAttr c.s"), {2, 4, 6});
    run("scaleConstraint -e -o 2 1 0.5 c");
    expectNear(numbers("getAttr c.s"), {4, 4, 3});
    // -mo: the object keeps its scale as a factor on the targets'.
    run("spaceLocator -n d; scale 3 3 3 d; scaleConstraint -mo b d");
    expectNear(numbers("getAttr d.s"), {3, 3, 3});
    expectNear(numbers("scaleConstraint -q -o d"), {3, 3, 3});
    run("scale 2 2 2 b");
    expectNear(numbers("getAttr d.s"), {6, 6, 6});
    // Keyed targets: the constrained channels follow the time.
    run("setKeyframe -t 1 -v 1 -itt linear -ott linear a.sx;"
        "setKeyframe -t 11 -v 3 -itt linear -ott linear a.sx; currentTime 6");
    expectNear(numbers("getAttr c.sx"), {4});
    run("setKeyframe -t 1 -v 0 -itt linear -ott linear b.ry;"
        "setKeyframe -t 11 -v 90 -itt linear -ott linear b.ry; orientConstraint b c;"
        "currentTime 11");
    expectNear(numbers("getAttr c.r"), {0, 90, 0});
    expectNear(numbers("getAttr c.sx"), {6});
}

TEST_F(Constraints, NewTypesUndoAndRefuse) {
    run("spaceLocator -n a; spaceLocator -n b; spaceLocator -n c; spaceLocator -n d;"
        "move 10 0 0 a; rotate 0 30 0 a; scale 2 2 2 a");
    roundTrip("orientConstraint -mo a c");
    roundTrip("aimConstraint -wut object -wuo b a d");
    roundTrip("aimConstraint -e -wuo c -aim 0 0 1 d");
    roundTrip("scaleConstraint -w 0.5 a c");
    roundTrip("orientConstraint -rm a c");
    run("setKeyframe b.sy");
    const std::string before = scene();
    EXPECT_EQ(failure("aimConstraint -e -wut sideways d"),
              "line 1: aimConstraint: Invalid world up type: sideways (scene, object, "
              "objectrotation, vector or none).");
    EXPECT_EQ(failure("aimConstraint -e -wuo nobody d"),
              "line 1: aimConstraint: No object matches name: nobody");
    EXPECT_EQ(failure("scaleConstraint a b"),
              "line 1: scaleConstraint: 'b.scale' is already connected; it cannot be "
              "constrained.");
    EXPECT_EQ(failure("orientConstraint -q -o b"),
              "line 1: orientConstraint: No constraint found.");
    EXPECT_EQ(failure("poleVectorConstraint a b"),
              "line 1: poleVectorConstraint: 'b' is not an IK handle; a pole vector constraint "
              "drives the pole vector of an IK handle.");
    EXPECT_EQ(failure("poleVectorConstraint -q -tl b"),
              "line 1: poleVectorConstraint: No constraint found.");
    EXPECT_EQ(scene(), before);
}

TEST_F(Constraints, SkippedAxesStayFree) {
    run("spaceLocator -n a; spaceLocator -n c; move 1 2 3 a; rotate 10 20 30 a;"
        "setKeyframe c.ty; setAttr -l true c.rx");
    run("pointConstraint -sk y a c; orientConstraint -sk x a c");
    expectNear(numbers("getAttr c.t"), {1, 0, 3});
    expectNear(numbers("getAttr c.r"), {0, 20, 30});
    run("setAttr c.ty 7");
    expectNear(numbers("getAttr c.t"), {1, 7, 3});
    run("spaceLocator -n d; spaceLocator -n e; parentConstraint -st x -st z -sr x d e;"
        "move 4 5 6 d; rotate 0 0 45 d");
    expectNear(numbers("getAttr e.t"), {0, 5, 0});
    expectNear(numbers("getAttr e.r"), {0, 0, 45});
    run("spaceLocator -n f; setAttr -l true f.rz");
    EXPECT_EQ(failure("orientConstraint -sk w a f"),
              "line 1: orientConstraint: Invalid axis to skip: w (x, y, z or none).");
    EXPECT_EQ(failure("orientConstraint -sk y -sk none a f"),
              "line 1: orientConstraint: 'f.rotate' is locked; it cannot be constrained.");
}

// A constraint as the application's scene files write it, statement by statement.
TEST_F(Constraints, ReadAsFilesWriteIt) {
    run(R"(
createNode transform -n "a";
createNode transform -n "c";
createNode orientConstraint -n "c_orientConstraint1" -p "c";
addAttr -ci true -k true -sn "w0" -ln "aW0" -dv 1 -min 0 -at "double" c_orientConstraint1;
connectAttr "a.r" "c_orientConstraint1.tg[0].tr";
connectAttr "a.ro" "c_orientConstraint1.tg[0].tro";
connectAttr "a.pm" "c_orientConstraint1.tg[0].tpm";
connectAttr "c_orientConstraint1.w0" "c_orientConstraint1.tg[0].tw";
connectAttr "c.ro" "c_orientConstraint1.cro";
connectAttr "c.pim" "c_orientConstraint1.cpim";
connectAttr "c_orientConstraint1.crx" "c.rx";
connectAttr "c_orientConstraint1.cry" "c.ry";
connectAttr "c_orientConstraint1.crz" "c.rz";
setAttr a.ry 30;
)");
    expectNear(numbers("getAttr c.r"), {0, 30, 0});
    EXPECT_EQ(strings("orientConstraint -q -wal c"), (std::vector<std::string>{"aW0"}));
    run("setAttr c_orientConstraint1.w0 0.5; orientConstraint -e -w 2 a c");
    EXPECT_DOUBLE_EQ(number("getAttr c_orientConstraint1.aW0"), 2);
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

// A head rig: a control drives the head's place, turn and size; the eyes, children of the
// head, aim at an animated look-at point with their up toward an up object that rides on
// the control. Played through, the eyes keep looking at the point.
TEST_F(UserScripts, HeadRigFollowsThroughTime) {
    run(R"(
proc string[] rigEyes(string $eyes[], string $lookAt, string $up) {
    string $made[];
    for ($eye in $eyes) {
        string $c[] = `aimConstraint -aim 0 0 1 -u 0 1 0 -wut "object" -wuo $up $lookAt $eye`;
        $made[size($made)] = $c[0];
    }
    return $made;
}
createNode transform -n head;
createNode transform -n eyeL -p head; setAttr eyeL.t 2 0 1;
createNode transform -n eyeR -p head; setAttr eyeR.t -2 0 1;
spaceLocator -n headCtrl;
spaceLocator -n eyeUp; parent eyeUp headCtrl; setAttr eyeUp.t 0 20 0;
spaceLocator -n lookAt;
pointConstraint headCtrl head; orientConstraint headCtrl head; scaleConstraint headCtrl head;
setKeyframe -t 1 -v 20 -at tz lookAt; setKeyframe -t 10 -v 30 -at tz lookAt;
setKeyframe -t 1 -v 0 -at tx lookAt; setKeyframe -t 10 -v 15 -at tx lookAt;
setKeyframe -t 1 -v 0 -at ry headCtrl; setKeyframe -t 10 -v 40 -at ry headCtrl;
setKeyframe -t 1 -v 1 -at sx headCtrl; setKeyframe -t 10 -v 2 -at sx headCtrl;
setKeyframe -t 1 -v 0 -at ty headCtrl; setKeyframe -t 10 -v 3 -at ty headCtrl;
)");
    EXPECT_EQ(strings("rigEyes({\"eyeL\", \"eyeR\"}, \"lookAt\", \"eyeUp\")"),
              (std::vector<std::string>{"eyeL_aimConstraint1", "eyeR_aimConstraint1"}));
    EXPECT_EQ(strings("aimConstraint -q -tl eyeR"), (std::vector<std::string>{"lookAt"}));
    for (int frame : {1, 4, 7, 10}) {
        run("currentTime " + std::to_string(frame));
        expectNear(numbers("getAttr head.r"), numbers("getAttr headCtrl.r"));
        expectNear(numbers("getAttr head.s"), numbers("getAttr headCtrl.s"));
        expectNear(numbers("xform -q -ws -t head"), numbers("xform -q -ws -t headCtrl"));
        const std::vector<double> target = numbers("xform -q -ws -t lookAt");
        for (const char* eye : {"eyeL", "eyeR"}) {
            // The eye's z axis points at the target; its y axis leans up, not down.
            const std::vector<double> m = numbers(std::string("xform -q -ws -m ") + eye);
            MVector z(m[8], m[9], m[10]), y(m[4], m[5], m[6]);
            MVector toTarget =
                MVector(target[0], target[1], target[2]) - MVector(m[12], m[13], m[14]);
            EXPECT_NEAR((z.normal() ^ toTarget.normal()).length(), 0, 1e-9) << eye << frame;
            EXPECT_GT(z * toTarget, 0) << eye << frame;
            EXPECT_GT(y.y, 0) << eye << frame;
        }
    }
}

}  // namespace
}  // namespace host::commands::testing
