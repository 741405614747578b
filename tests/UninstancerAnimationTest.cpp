// dkUninstancer's animation bake: the baked scene, evaluated at each
// sampled frame, shows what the instancer draws there, one copy per
// particle for the whole range, and blend shapes where a particle's object
// changes.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"

#include "files/SceneDump.h"

#include <maya/MFnMesh.h>
#include <maya/MFnParticleSystem.h>
#include <maya/MIntArray.h>
#include <maya/MPointArray.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using dktest::Drawn;
using dktest::drawnAt;
using dktest::errors;
using dktest::evalString;
using dktest::evalStrings;
using dktest::run;
using Names = std::vector<std::string>;

// Objects with no rotation of their own and unit or uniform scale, so that
// what the instancer draws is a translate, rotate and scale without shear;
// the cube moves by keys of its own.
const char* const kMovingObjects =
    "createNode transform -n cube; createNode locator -n cubeShape -p cube;"
    "setKeyframe -t 1 -v 1 cube.tx; setKeyframe -t 30 -v 4 cube.tx;"
    "createNode transform -n rig; setAttr rig.translate 0 2 0; setAttr rig.scale 2 2 2;"
    "createNode transform -n cone -p rig; createNode locator -n coneShape -p cone;"
    "createNode transform -n ball; createNode transform -n ballTop -p ball;"
    "createNode locator -n ballTopShape -p ballTop; setAttr ballTop.translateY 1;";

// Three cubes of one topology and different sizes, to blend between.
const char* const kMeshObjects = "polyCube -n a; polyCube -n b -w 2; polyCube -n c -h 3 -d 0.5;";

class UninstancerAnimationTest : public dktest::PluginTest {
protected:
    // The copies in the order they were made belong to the particles in the
    // order the bake first met them.
    std::map<int, std::string> copiesById(const Names& copies, const std::vector<int>& frames,
                                          const std::string& instancer = "instancer1") {
        std::map<int, std::string> byId;
        std::size_t next = 0;
        for (int frame : frames) {
            for (const Drawn& drawn : drawnAt(instancer, frame)) {
                if (!byId.count(drawn.id) && next < copies.size()) {
                    byId[drawn.id] = copies[next++];
                }
            }
        }
        EXPECT_EQ(next, copies.size());
        return byId;
    }

    // At every sampled frame each copy stands where its particle is drawn
    // and is visible exactly while the particle lives.
    void expectFollowsParticles(const Names& copies, const std::vector<int>& frames,
                                const std::set<int>& chosen = {}) {
        std::map<int, std::string> byId;
        std::size_t next = 0;
        std::set<int> gone;
        for (int frame : frames) {
            std::set<int> alive;
            for (const Drawn& drawn : drawnAt("instancer1", frame)) {
                if (!chosen.empty() && !chosen.count(drawn.id)) {
                    continue;
                }
                alive.insert(drawn.id);
                if (!byId.count(drawn.id)) {
                    ASSERT_LT(next, copies.size()) << "no copy for " << drawn.id;
                    byId[drawn.id] = copies[next++];
                }
                const std::string& copy = byId[drawn.id];
                EXPECT_LE(dktest::relativeDifference(dktest::worldMatrixOf(copy), drawn.world),
                          1e-9)
                    << copy << " at frame " << frame;
            }
            for (const auto& [id, copy] : byId) {
                const bool visible = alive.count(id) && !gone.count(id);
                EXPECT_EQ(evalString("getAttr " + copy + ".visibility"), visible ? "1" : "0")
                    << copy << " at frame " << frame;
                if (!alive.count(id)) {
                    gone.insert(id);
                }
            }
        }
        EXPECT_EQ(next, copies.size()) << "copies beyond what was drawn";
    }
};

// The angle in degrees of the turn from one matrix's rotation to the
// other's.
double turnBetween(const MMatrix& a, const MMatrix& b) {
    const MQuaternion p = MTransformationMatrix(a).rotation();
    const MQuaternion q = MTransformationMatrix(b).rotation();
    const double dot = std::fabs(p.x * q.x + p.y * q.y + p.z * q.z + p.w * q.w);
    return 2.0 * std::acos(std::fmin(1.0, dot)) * 180.0 / M_PI;
}

std::vector<double> keyValues(const std::string& plug) {
    std::vector<double> values;
    for (const std::string& v : evalStrings("keyframe -q -vc " + plug)) {
        values.push_back(std::stod(v));
    }
    return values;
}

std::vector<int> framesOf(int first, int last, int step) {
    std::vector<int> frames;
    for (int f = first; f <= last; f += step) {
        frames.push_back(f);
    }
    return frames;
}

TEST_F(UninstancerAnimationTest, EachParticleHasOneCopyThatFollowsIt) {
    ASSERT_TRUE(run(std::string(kMovingObjects) + dktest::emitterScene() +
                    "particleInstancer -obj cube -obj cone -obj ball -oi lifespanPP -r velocity "
                    "-sc position -n instancer1 particleShape1;"));
    const Names copies = evalStrings("dkUninstancer -bt animation -sf 1 -ef 24 instancer1");
    ASSERT_TRUE(errors().empty()) << errors().front();
    const std::vector<int> frames = framesOf(1, 24, 1);
    expectFollowsParticles(copies, frames);

    // Born and dying inside the range; the channels carry a key per frame
    // while alive; visibility has an off key before all time, and steps.
    std::set<int> ids;
    for (int frame : frames) {
        for (const Drawn& d : drawnAt("instancer1", frame)) {
            ids.insert(d.id);
        }
    }
    EXPECT_EQ(copies.size(), ids.size());
    const std::string first = copies.front();
    EXPECT_EQ(evalStrings("keyframe -q -tc " + first + ".visibility").front(), "1");
    EXPECT_EQ(evalStrings("keyTangent -q -ott " + first + ".visibility"),
              Names(evalStrings("keyframe -q -tc " + first + ".visibility").size(), "step"));
    EXPECT_EQ(evalStrings("listConnections -s 1 -d 0 " + first).size(), 10u);
}

// Sources with rotate orders, pivots, a rotate axis and parents, two levels
// deep under a rotated and scaled group (no shear anywhere).
const char* const kPlacedObjects =
    "polyCube -n a; setAttr a.rotateOrder 5; setAttr a.rotatePivot 1 0 0;"
    "setAttr a.scalePivot 0 1 0; setAttr a.r 10 20 30; setAttr a.s 1 2 3;"
    "setAttr a.rotateAxis 0 15 0;"
    "createNode transform -n grp; setAttr grp.t 1 2 3; setAttr grp.r 15 -30 45;"
    "setAttr grp.s 2 2 2; setAttr grp.rotateOrder 2;"
    "createNode transform -n mid -p grp; setAttr mid.r 0 60 0; setAttr mid.rotateOrder 3;"
    "setAttr mid.rotatePivot 0 0 1;"
    "createNode transform -n deep -p mid; createNode locator -n deepShape -p deep;"
    "setAttr deep.rotateOrder 1; setAttr deep.rotatePivot 1 0 0; setAttr deep.r 40 0 -20;"
    "setAttr deep.s 1 1 2;"
    "createNode transform -n ball; setAttr ball.rotateOrder 4; setAttr ball.scalePivot 0 2 0;"
    "setAttr ball.s 0.5 0.5 0.5; createNode transform -n ballTop -p ball;"
    "setAttr ballTop.rotateOrder 2; setAttr ballTop.r 30 0 0; setAttr ballTop.translateY 1;"
    "createNode locator -n ballTopShape -p ballTop;";

// Whatever order and pivots the source composes its channels with, the
// copy's keys put it where the instancer draws it, by mapped rotation and
// by aim alike; between sampled frames it turns little.
TEST_F(UninstancerAnimationTest, CopiesOfPlacedSourcesStandWhereDrawn) {
    ASSERT_TRUE(run(std::string(kPlacedObjects) + dktest::emitterScene() +
                    "gravity -m 9.8 -n g; connectDynamic -f g particle1;"
                    "particleInstancer -obj a -obj deep -obj ball -oi lifespanPP -r velocity "
                    "-ro zxy -n instancer1 particleShape1;"));
    Names copies = evalStrings("dkUninstancer -bt animation -sf 1 -ef 20 instancer1");
    ASSERT_TRUE(errors().empty()) << errors().front();
    expectFollowsParticles(copies, framesOf(1, 20, 1));

    ASSERT_TRUE(
        run("undo; particleInstancer -e -r \"\" -ad velocity -n instancer1 "
            "particleShape1"));
    copies = evalStrings("dkUninstancer -bt animation -sf 1 -ef 21 -fs 2 instancer1");
    ASSERT_TRUE(errors().empty()) << errors().front();
    const std::vector<int> sampled = framesOf(1, 21, 2);
    expectFollowsParticles(copies, sampled);
    const std::map<int, std::string> byId = copiesById(copies, sampled);
    for (int frame = 2; frame < 21; frame += 2) {
        // Particles keyed on both sides of the frame.
        std::set<int> keyed;
        for (const Drawn& d : drawnAt("instancer1", frame - 1)) {
            keyed.insert(d.id);
        }
        std::set<int> between;
        for (const Drawn& d : drawnAt("instancer1", frame + 1)) {
            if (keyed.count(d.id)) {
                between.insert(d.id);
            }
        }
        for (const Drawn& d : drawnAt("instancer1", frame)) {
            if (between.count(d.id)) {
                EXPECT_LT(turnBetween(dktest::worldMatrixOf(byId.at(d.id)), d.world), 3.0)
                    << byId.at(d.id) << " at frame " << frame;
            }
        }
    }
}

// Particles thrown up and pulled down by gravity swing their heading
// through 180 degrees: each key is the rotation nearest the one before, so
// the curves never turn the copy the long way round.
TEST_F(UninstancerAnimationTest, RotationKeysTurnNoFurtherThanTheParticle) {
    ASSERT_TRUE(
        run("polyCube -n A -w 2; emitter -pos 0 0 0 -type direction -r 24 -dx -1 -dy 0.3 -dz 0 "
            "-sp 0 -spd 10 -n E; particle -n P; connectDynamic -em E P; gravity -m 9.8 -n g;"
            "connectDynamic -f g P;"
            "particleInstancer -addObject -object A -position worldPosition -aimDirection "
            "velocity -n instancer1 PShape;"));
    const Names copies = evalStrings("dkUninstancer -bt animation -sf 1 -ef 30 -fs 2 instancer1");
    ASSERT_TRUE(errors().empty()) << errors().front();
    const std::vector<int> sampled = framesOf(1, 30, 2);
    expectFollowsParticles(copies, sampled);

    // The drawn world matrix of every particle at every frame.
    std::map<int, std::map<int, MMatrix>> drawn;
    for (int frame = 1; frame <= 30; ++frame) {
        for (const Drawn& d : drawnAt("instancer1", frame)) {
            drawn[d.id][frame] = d.world;
        }
    }
    double largestTurn = 0.0;
    for (const auto& [id, copy] : copiesById(copies, sampled)) {
        const std::vector<std::string> times = evalStrings("keyframe -q -tc " + copy + ".rz");
        const std::vector<double> rx = keyValues(copy + ".rx");
        const std::vector<double> ry = keyValues(copy + ".ry");
        const std::vector<double> rz = keyValues(copy + ".rz");
        for (std::size_t k = 1; k < times.size(); ++k) {
            const int before = std::stoi(times[k - 1]);
            const int after = std::stoi(times[k]);
            const double turn = turnBetween(drawn[id][before], drawn[id][after]);
            largestTurn = std::fmax(largestTurn, turn);
            for (double change : {rx[k] - rx[k - 1], ry[k] - ry[k - 1], rz[k] - rz[k - 1]}) {
                // Key values print to six digits.
                EXPECT_LE(std::fabs(change), turn + 0.01) << copy << " from frame " << before;
            }
            MAnimControl::setCurrentTime(MTime(before + 1.0, MTime::uiUnit()));
            EXPECT_LT(turnBetween(dktest::worldMatrixOf(copy), drawn[id][before + 1]), 3.0)
                << copy << " at frame " << before + 1;
        }
    }
    EXPECT_GT(largestTurn, 1.0);
    // The heading did cross 180 degrees.
    const std::vector<double> first = keyValues(copies.front() + ".rz");
    EXPECT_LT(first.front(), 180.0);
    EXPECT_GT(first.back(), 180.0);
}

// The off key goes before the particle's first key in any time unit, also
// when the range starts before frame 1.
TEST_F(UninstancerAnimationTest, CopiesAreHiddenOnlyBeforeTheirParticlesBirth) {
    ASSERT_TRUE(
        run("polyCube -n a; particle -p 0 0 0 -n dots; particleInstancer -obj a -n inst "
            "dotsShape;"));
    ASSERT_EQ(evalStrings("dkUninstancer -bt animation -sf -10 -ef 10 inst"), Names{"a_1"});
    EXPECT_EQ(evalStrings("keyframe -q -tc a_1.v"), (Names{"-11", "-10"}));
    for (const char* frame : {"-10", "1", "10"}) {
        EXPECT_EQ(evalString(std::string("currentTime ") + frame + "; getAttr a_1.v"), "1")
            << frame;
    }
    ASSERT_TRUE(run("undo; currentUnit -t ntsc"));
    ASSERT_EQ(evalStrings("dkUninstancer -bt animation -sf 1 -ef 5 inst"), Names{"a_1"});
    EXPECT_EQ(evalStrings("keyframe -q -tc a_1.v"), (Names{"0", "1"}));
    ASSERT_TRUE(run("undo"));
    ASSERT_EQ(evalStrings("dkUninstancer -bt animation -sf 3 -ef 5 inst"), Names{"a_1"});
    // 1.0 in film units, 24 per second, read in 30 per second.
    EXPECT_EQ(evalStrings("keyframe -q -tc a_1.v"), (Names{"1.25", "3"}));
    EXPECT_EQ(evalStrings("keyframe -q -vc a_1.v"), (Names{"0", "1"}));
}

TEST_F(UninstancerAnimationTest, SelectedParticlesSampledEveryFewFrames) {
    ASSERT_TRUE(run(std::string(kMovingObjects) + dktest::emitterScene() +
                    "particleInstancer -obj cube -obj cone -obj ball -oi lifespanPP -r velocity "
                    "-sc position -n instancer1 particleShape1; currentTime 8;"));
    MIntArray ids;
    MFnParticleSystem(dktest::nodeObject("particleShape1")).particleIds(ids);
    ASSERT_GE(ids.length(), 5u);
    const std::set<int> chosen{ids[1], ids[3], ids[4]};
    ASSERT_TRUE(run("select particleShape1.pt[1] particleShape1.pt[3:4]"));
    const Names copies = evalStrings("dkUninstancer -bt animation -sf 8 -ef 40 -fs 4");
    ASSERT_TRUE(errors().empty()) << errors().front();
    EXPECT_EQ(copies.size(), 3u);
    expectFollowsParticles(copies, framesOf(8, 40, 4), chosen);
    // Keys fall on sampled frames only.
    for (const std::string& time : evalStrings("keyframe -q -tc " + copies[0] + ".tx")) {
        EXPECT_EQ((std::stoi(time) - 8) % 4, 0) << time;
    }
}

// Sequential cycling over three meshes: the copy's shape at each sampled
// frame is the shown object's, through weights 0.333, 0.667 and 1.0.
TEST_F(UninstancerAnimationTest, ObjectChangesBecomeBlendShapes) {
    ASSERT_TRUE(run(std::string(kMeshObjects) +
                    "particle -p 0 0 0 -p 5 0 0 -p 0 0 5 -n dots;"
                    "particleInstancer -obj a -obj b -obj c -c sequential -cs 2 -csu frames "
                    "-n instancer1 dotsShape;"));
    const Names copies = evalStrings("dkUninstancer -bt animation -sf 1 -ef 12 instancer1");
    ASSERT_TRUE(errors().empty()) << errors().front();
    ASSERT_EQ(copies.size(), 3u);
    const std::vector<int> frames = framesOf(1, 12, 1);
    expectFollowsParticles(copies, frames);

    const std::map<int, std::string> byId = copiesById(copies, frames);
    std::set<std::string> shown;
    for (int frame : frames) {
        for (const Drawn& d : drawnAt("instancer1", frame)) {
            shown.insert(d.object);
            MPointArray expected, baked;
            MFnMesh(dktest::nodeObject(d.object + "Shape")).getPoints(expected);
            const std::string copyShape = evalStrings("listRelatives -s -ni " + byId.at(d.id))[0];
            MFnMesh(dktest::nodeObject(copyShape)).getPoints(baked);
            ASSERT_EQ(baked.length(), expected.length());
            for (unsigned i = 0; i < baked.length(); ++i) {
                EXPECT_LT(baked[i].distanceTo(expected[i]), 1e-6)
                    << byId.at(d.id) << " at frame " << frame << " shows " << d.object;
            }
        }
    }
    EXPECT_EQ(shown, (std::set<std::string>{"a", "b", "c"}));

    // One deformer per copy; its weight keys are 0 the frame before the
    // first change, then the weight of each frame's object.
    const Names deformers = evalStrings("listConnections -type blendShape " +
                                        evalStrings("listRelatives -s -ni " + copies[0])[0]);
    ASSERT_EQ(deformers.size(), 1u);
    std::set<std::string> weights;
    for (const std::string& w : evalStrings("keyframe -q -vc " + deformers[0] + ".w[0]")) {
        weights.insert(w);
    }
    EXPECT_EQ(weights, (std::set<std::string>{"0", "0.333", "0.667", "1"}));
    // The first change comes at frame 3, two frames of age in: the weight
    // is keyed from the frame before it on.
    const Names times = evalStrings("keyframe -q -tc " + deformers[0] + ".w[0]");
    EXPECT_EQ(times, (Names{"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
}

// A mapped objectIndex decides over cycling, so objects of different
// layouts are fine while no particle changes between them.
TEST_F(UninstancerAnimationTest, AMappedIndexOverridesCyclingAndItsLayoutCheck) {
    ASSERT_TRUE(
        run("polyCube -n a; polySphere -n s; particle -p 0 0 0 -p 2 0 0 -n dots;"
            "addAttr -ln pick -dt doubleArray dotsShape; addAttr -ln pick0 -dt doubleArray "
            "dotsShape; setAttr dotsShape.pick0 -type doubleArray 2 0 1;"
            "particleInstancer -obj a -obj s -oi pick -c sequential -n inst dotsShape;"));
    EXPECT_EQ(evalStrings("dkUninstancer -bt animation -sf 1 -ef 10 inst"), (Names{"a_1", "s_1"}));
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(evalStrings("ls -type blendShape"), Names{});
}

// A particle first drawn after one with a higher id.
TEST_F(UninstancerAnimationTest, ARecordBelowTheFirstIdIsKeptByItsId) {
    ASSERT_TRUE(run(std::string(kMeshObjects) +
                    "particle -p 0 0 0 -p 5 0 0 -n dots;"
                    "addAttr -ln first -dt doubleArray dotsShape;"
                    "addAttr -ln first0 -dt doubleArray dotsShape;"
                    "setAttr dotsShape.first0 -type doubleArray 2 1 0;"
                    "particleInstancer -obj a -obj b -obj c -c sequential -cs 1 -csu frames "
                    "-sto first -n instancer1 dotsShape;"
                    "disconnectAttr b.matrix instancer1.inputHierarchy[1];"));
    // Particle 0 shows the unconnected b at frame 1, so particle 1 is met
    // first.
    const Names copies = evalStrings("dkUninstancer -bt animation -sf 1 -ef 4 instancer1");
    ASSERT_TRUE(errors().empty()) << errors().front();
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].substr(0, 2), "a_");
    EXPECT_EQ(copies[1].substr(0, 2), "c_");
    EXPECT_EQ(copiesById(copies, {1, 2}),
              (std::map<int, std::string>{{0, copies[1]}, {1, copies[0]}}));
    expectFollowsParticles(copies, framesOf(1, 4, 1));
}

// Blending needs the i-th shape of every object to match the copy's.
TEST_F(UninstancerAnimationTest, ShapeLayoutsThatCanNotBlendAreRefused) {
    ASSERT_TRUE(
        run("polyCube -n a; polyCube -n b -sx 2; polyCube -n c;"
            "particle -p 0 0 0 -n dots; addAttr -ln pick -dt doubleArray dotsShape;"
            "addAttr -ln pick0 -dt doubleArray dotsShape;"
            "setAttr dotsShape.pick0 -type doubleArray 1 2;"
            "particleInstancer -obj a -obj b -obj c -oi pick -n instancer1 dotsShape;"));
    // With a mapped index nothing is known before a particle changes object.
    EXPECT_EQ(evalStrings("dkUninstancer -bt animation -sf 1 -ef 3 instancer1").size(), 1u);
    ASSERT_TRUE(
        run("undo; particleInstancer -e -oi \"\" -c sequential -cs 1 -n instancer1 "
            "dotsShape"));
    const std::string before = host::files::dumpScene();
    EXPECT_FALSE(run("dkUninstancer -bt animation -sf 1 -ef 4 instancer1"));
    EXPECT_EQ(errors(),
              Names{"dkUninstancer: The shapes of a and b differ in number, type or point count, "
                    "so one can't be blended into the other. Please give every instanced object "
                    "the same shape layout."});
    EXPECT_EQ(host::files::dumpScene(), before);
}

// A bake that fails on the way leaves what it made in the scene, as a
// failed command does: each copy keyed up to the frame that failed.
TEST_F(UninstancerAnimationTest, AFailedBakeLeavesItsCopiesKeyedAsFarAsItGot) {
    ASSERT_TRUE(
        run("polyCube -n a; polyCube -n b -sx 2; particle -p 0 0 0 -p 1 0 0 -n dots;"
            "particleInstancer -obj a -obj b -oi age -n instancer1 dotsShape;"));
    // At a second old the particles turn to b, which can not blend.
    EXPECT_FALSE(run("dkUninstancer -bt animation -sf 1 -ef 40 instancer1"));
    EXPECT_EQ(errors(),
              Names{"dkUninstancer: The shapes of a_1 and b differ in number, type or point "
                    "count, so one can't be blended into the other. Please give every "
                    "instanced object the same shape layout."});
    // The first particle was keyed at frame 25 before its change of object
    // was refused; the second was not reached.
    for (const auto& [copy, last] : {std::pair{"a_1", 25}, std::pair{"a_2", 24}}) {
        Names frames;
        for (int frame : framesOf(1, last, 1)) {
            frames.push_back(std::to_string(frame));
        }
        for (const char* channel : {".translateX", ".rotateZ", ".scaleY"}) {
            EXPECT_EQ(evalStrings(std::string("keyframe -q -tc ") + copy + channel), frames)
                << copy << channel;
        }
    }
}

TEST_F(UninstancerAnimationTest, UndoAndRedoRestoreTheSceneExactly) {
    ASSERT_TRUE(run(std::string(kMeshObjects) +
                    "particle -p 0 0 0 -p 5 0 0 -n dots;"
                    "particleInstancer -obj a -obj b -obj c -c sequential -cs 1 -csu frames "
                    "-n instancer1 dotsShape; currentTime 6;"));
    const std::string before = host::files::dumpScene();
    ASSERT_EQ(evalStrings("dkUninstancer -bt animation -sf 1 -ef 6 instancer1").size(), 2u);
    ASSERT_EQ(evalStrings("ls -type blendShape").size(), 2u);
    const std::string after = host::files::dumpScene();
    ASSERT_TRUE(run("undo"));
    EXPECT_EQ(host::files::dumpScene(), before);
    ASSERT_TRUE(run("redo"));
    EXPECT_EQ(host::files::dumpScene(), after);
    ASSERT_TRUE(run("undo"));
    EXPECT_EQ(host::files::dumpScene(), before);
}

}  // namespace
