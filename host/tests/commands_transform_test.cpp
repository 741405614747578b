// move, rotate, scale, makeIdentity, pointPosition, and numbers with unit words.
#include "commands_fixture.h"

namespace host::commands::testing {
namespace {

using TransformCommands = CommandsTest;

void expectNear(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-9) << "component " << i;
}

TEST_F(TransformCommands, MoveIsAbsoluteInWorldSpaceByDefault) {
    run("createNode transform -n g; createNode transform -n a -p g; setAttr g.t 10 0 0");
    run("move 1 2 3 a");
    expectNear(numbers("xform -q -ws -t a"), {1, 2, 3});
    expectNear(numbers("getAttr a.t"), {-9, 2, 3});
    run("move -r 1 0 0 a");
    expectNear(numbers("xform -q -ws -t a"), {2, 2, 3});
    // One axis flag takes one number; the other axes stay.
    run("move 5 -y a");
    expectNear(numbers("xform -q -ws -t a"), {2, 5, 3});
    run("move -xz 0 0 a");
    expectNear(numbers("xform -q -ws -t a"), {0, 5, 0});
    // Local space writes translate itself.
    run("move -ls 1 1 1 a");
    expectNear(numbers("getAttr a.t"), {1, 1, 1});
    // With no objects the selection moves.
    run("select a; move -r 0 0 1");
    expectNear(numbers("getAttr a.t"), {1, 1, 2});
}

TEST_F(TransformCommands, MoveInObjectSpaceFollowsTheObjectsAxes) {
    run("createNode transform -n a; setAttr a.ry 90; setAttr a.s 2 2 2");
    run("move -r -os 1 0 0 a");  // the object's x axis points along world -z, scaled
    expectNear(numbers("getAttr a.t"), {0, 0, -2});
    run("move -r -os -wd 1 0 0 a");  // world distances along that axis
    expectNear(numbers("getAttr a.t"), {0, 0, -3});
}

TEST_F(TransformCommands, UnitWordsOverrideTheWorkingUnit) {
    run("createNode transform -n a; move 5m -2mm 3cm a");
    expectNear(numbers("getAttr a.t"), {500, -0.2, 3});
    run("currentUnit -l m; move -r 1cm 0 0 a");
    expectNear(numbers("getAttr a.t"), {5.01, -0.002, 0.03});
    run("currentUnit -l cm; rotate 0 180deg 0 a");
    expectNear(numbers("getAttr a.r"), {0, 180, 0});
    run("rotate 0.5rad 0 0 a");
    EXPECT_NEAR(number("getAttr a.rx"), 28.64788975654116, 1e-9);
    run("spaceLocator -n l -p 1in 1in 1in");
    expectNear(numbers("getAttr l.t"), {2.54, 2.54, 2.54});
    EXPECT_EQ(failure("move 5parsecs 0 0 a"), "line 1: Not enough objects or values.");
}

TEST_F(TransformCommands, TimeUnitWords) {
    run("currentTime 6ntsc");
    EXPECT_DOUBLE_EQ(number("currentTime -q"), 4.8);  // 0.2 s at 24 frames a second
    run("createNode transform -n a; setKeyframe -t 1sec a.tx; setKeyframe -t 10pal a.tx");
    expectNear(numbers("keyframe -q -tc a.tx"), {9.6, 24});
    expectNear(numbers("keyframe -q -tc -t \"0:0.5sec\" a.tx"), {9.6});
    EXPECT_EQ(failure("currentTime 6parsecs"), "line 1: currentTime: invalid time: 6parsecs");
}

TEST_F(TransformCommands, RotateSetsOrAddsAndTurnsAboutAPivot) {
    run("createNode transform -n a");
    run("rotate 90 0 0 a");
    expectNear(numbers("getAttr a.r"), {90, 0, 0});
    run("rotate -r 0 0 45 a");  // a world z turn after the x turn
    expectNear(numbers("getAttr a.r"), {90, 0, 45});
    run("rotate -r -eu 0 10 0 a");
    expectNear(numbers("getAttr a.r"), {90, 10, 45});
    run("rotate -y 0 a");
    expectNear(numbers("getAttr a.r"), {90, 0, 45});
    run("createNode transform -n b; setAttr b.t 2 0 0; rotate -r -p 0 0 0 0 90 0 b");
    expectNear(numbers("getAttr b.t"), {0, 0, -2});
    expectNear(numbers("getAttr b.r"), {0, 90, 0});
}

TEST_F(TransformCommands, ScaleMultipliesUnlessAbsolute) {
    run("createNode transform -n a; scale 2 2 2 a; scale 2 3 4 a");
    expectNear(numbers("getAttr a.s"), {4, 6, 8});
    run("scale -a 1 1 1 a; scale -x 5 a");
    expectNear(numbers("getAttr a.s"), {5, 1, 1});
    run("setAttr a.s 1 1 1; setAttr a.t 2 0 0; scale -p 1 0 0 3 3 3 a");
    expectNear(numbers("getAttr a.t"), {4, 0, 0});
}

TEST_F(TransformCommands, PlacementsUndoAsOneStep) {
    run("createNode transform -n a; createNode transform -n b; select a b");
    roundTrip("move -r 1 2 3");
    roundTrip("rotate -r 0 45 0");
    roundTrip("scale 2 2 2");
    roundTrip("setAttr a.t 1 2 3; makeIdentity a");
}

TEST_F(TransformCommands, BadPlacementsFail) {
    EXPECT_EQ(failure("move 1 2 3"), "line 1: Not enough objects or values.");
    run("createNode transform -n a");
    EXPECT_EQ(failure("move 1 2 a"), "line 1: Not enough objects or values.");
    EXPECT_EQ(failure("move 1 2 3 nothing"), "line 1: No object matches name: nothing");
    EXPECT_EQ(failure("rotate -q 1 2 3 a"), "line 1: Invalid flag: -q");
}

TEST_F(TransformCommands, MakeIdentityResetsOrFreezes) {
    run("polyCube -n c; setAttr c.t 1 2 3; setAttr c.s 2 2 2");
    const std::string shape = strings("listRelatives -s c").at(0);
    const std::string vertex = shape + ".vtx[0]";
    expectNear(numbers("pointPosition " + vertex), {0, 1, 4});
    expectNear(numbers("pointPosition -l " + vertex), {-0.5, -0.5, 0.5});
    // Freezing keeps every point where it is and leaves the transform at identity.
    roundTrip("makeIdentity -a 1 c");
    expectNear(numbers("getAttr c.t"), {0, 0, 0});
    expectNear(numbers("getAttr c.s"), {1, 1, 1});
    expectNear(numbers("pointPosition " + vertex), {0, 1, 4});
    expectNear(numbers("pointPosition -l " + vertex), {0, 1, 4});
    // The documented sequence: a plain makeIdentity takes back a move.
    run("move 3 0 0 c; makeIdentity c");
    expectNear(numbers("pointPosition " + vertex), {0, 1, 4});
    // Only the named channels.
    run("setAttr c.t 1 1 1; setAttr c.r 0 30 0; makeIdentity -t 1 c");
    expectNear(numbers("getAttr c.t"), {0, 0, 0});
    expectNear(numbers("getAttr c.r"), {0, 30, 0});
}

TEST_F(TransformCommands, MakeIdentityHandsTheFrozenPartToChildren) {
    run("createNode transform -n p; polyCube -n c; parent c p; setAttr p.t 0 5 0; setAttr c.t 1 0 "
        "0");
    const std::string vertex = strings("listRelatives -s c").at(0) + ".vtx[0]";
    const std::vector<double> before = numbers("pointPosition " + vertex);
    run("makeIdentity -a 1 p");
    expectNear(numbers("getAttr p.t"), {0, 0, 0});
    expectNear(numbers("getAttr c.t"), {0, 0, 0});
    expectNear(numbers("pointPosition " + vertex), before);
}

TEST_F(TransformCommands, MoveShiftsMeshVertices) {
    run("polyCube -n c; setAttr c.t 0 5 0; setAttr c.sx 2");
    const std::string shape = strings("listRelatives -s c").at(0);
    roundTrip("move -r 0 1 0 " + shape + ".vtx[0:1]");
    expectNear(numbers("pointPosition " + shape + ".vtx[0]"), {-1, 5.5, 0.5});
    expectNear(numbers("pointPosition " + shape + ".vtx[2]"), {-1, 5.5, 0.5});  // untouched
    run("move 0 0 0 " + shape + ".vtx[0]");  // absolute, in world space
    expectNear(numbers("pointPosition " + shape + ".vtx[0]"), {0, 0, 0});
    expectNear(numbers("pointPosition -l " + shape + ".vtx[0]"), {0, -5, 0});
    run("move -r -ls 1 0 0 " + shape + ".vtx[0]");  // the mesh's own space
    expectNear(numbers("pointPosition -l " + shape + ".vtx[0]"), {1, -5, 0});
    // Other commands take objects only.
    EXPECT_EQ(failure("rotate 0 0 0 " + shape + ".vtx[0]"),
              "line 1: Not enough objects or values.");
}

TEST_F(TransformCommands, PointPositionOfTransformsAndBadPoints) {
    run("spaceLocator -n l -p 1 2 3");
    expectNear(numbers("pointPosition l"), {1, 2, 3});
    run("select l");
    expectNear(numbers("pointPosition"), {1, 2, 3});
    run("polyCube -n c");
    const std::string shape = strings("listRelatives -s c").at(0);
    EXPECT_EQ(failure("pointPosition " + shape + ".vtx[99]"),
              "line 1: pointPosition: Unable to find the point.");
    EXPECT_EQ(failure("pointPosition " + shape + ".vtx[0:1]"),
              "line 1: pointPosition: Unable to find the point.");
}

}  // namespace
}  // namespace host::commands::testing
