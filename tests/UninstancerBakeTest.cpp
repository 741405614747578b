// dkUninstancer's geometry bake through the script line, held against what
// the host's instancer iterator says the instancer draws.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"

#include "files/SceneDump.h"

#include <maya/MFnDagNode.h>
#include <maya/MFnParticleSystem.h>
#include <maya/MIntArray.h>

#include <gtest/gtest.h>

#include <algorithm>
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

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

class UninstancerBakeTest : public dktest::PluginTest {
protected:
    // Walks the copies in the order they were made, frame by frame, and
    // holds each one against the particle drawn in its place: same source,
    // same world matrix. keep decides which drawn particles have a copy.
    template <typename Keep>
    void expectCopiesOfFrames(const Names& copies, const std::vector<int>& frames, Keep keep,
                              const std::string& instancer = "instancer1") {
        std::size_t next = 0;
        for (int frame : frames) {
            for (const Drawn& drawn : drawnAt(instancer, frame)) {
                if (!keep(drawn)) {
                    continue;
                }
                ASSERT_LT(next, copies.size())
                    << "no copy for particle " << drawn.id << " at frame " << frame;
                const std::string& copy = copies[next++];
                EXPECT_TRUE(startsWith(copy, drawn.object + "_"))
                    << copy << " shows " << drawn.object << " at frame " << frame;
                EXPECT_LE(dktest::relativeDifference(dktest::worldMatrixOf(copy), drawn.world),
                          1e-9)
                    << copy << " at frame " << frame;
                EXPECT_EQ(evalStrings("listRelatives -p " + copy), Names{}) << copy;
            }
        }
        EXPECT_EQ(next, copies.size()) << "copies beyond what was drawn";
    }
    void expectCopiesOfFrames(const Names& copies, const std::vector<int>& frames) {
        expectCopiesOfFrames(copies, frames, [](const Drawn&) { return true; });
    }
};

TEST_F(UninstancerBakeTest, EveryCopyStandsWhereTheInstancerDrawsItsParticle) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    const Names copies = evalStrings("dkUninstancer -sf 1 -ef 24 -fs 3 instancer1");
    ASSERT_TRUE(errors().empty()) << errors().front();
    const std::vector<int> frames{1, 4, 7, 10, 13, 16, 19, 22};
    expectCopiesOfFrames(copies, frames);

    // The scene is worth the test: particles are born and die inside the
    // range, and every object is shown.
    std::set<int> early, late;
    std::set<std::string> shown;
    for (const Drawn& d : drawnAt("instancer1", 4)) {
        early.insert(d.id);
    }
    for (const Drawn& d : drawnAt("instancer1", 22)) {
        late.insert(d.id);
        shown.insert(d.object);
    }
    EXPECT_TRUE(std::any_of(early.begin(), early.end(), [&](int id) { return !late.count(id); }));
    EXPECT_TRUE(std::any_of(late.begin(), late.end(), [&](int id) { return !early.count(id); }));
    EXPECT_EQ(shown, (std::set<std::string>{"ball", "cone", "cube"}));
}

TEST_F(UninstancerBakeTest, EachNodeOfACopiedHierarchyIsNamedAfterItsSource) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    const Names copies = evalStrings("dkUninstancer -sf 12 -ef 12 instancer1");
    auto ball = std::find_if(copies.begin(), copies.end(),
                             [](const std::string& c) { return startsWith(c, "ball_"); });
    ASSERT_NE(ball, copies.end());
    const Names top = evalStrings("listRelatives -c " + *ball);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_TRUE(startsWith(top[0], "ballTop_")) << top[0];
    const Names shape = evalStrings("listRelatives -c " + top[0]);
    ASSERT_EQ(shape.size(), 1u);
    EXPECT_TRUE(startsWith(shape[0], "ballTopShape_")) << shape[0];
    // Duplicates have shapes of their own.
    EXPECT_EQ(evalString("listRelatives -c ballTop"), "ballTopShape");
}

TEST_F(UninstancerBakeTest, AShapeTargetBakesItsOwnInstancer) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    const Names byShape = evalStrings("dkUninstancer -sf 8 -ef 9 particleShape1");
    expectCopiesOfFrames(byShape, {8, 9});
    const Names named = evalStrings("dkUninstancer -ins instancer1 -sf 8 -ef 9 particleShape1");
    EXPECT_EQ(named.size(), byShape.size());
    EXPECT_TRUE(errors().empty());
}

TEST_F(UninstancerBakeTest, TheDefaultRangeIsTheCurrentFrame) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    ASSERT_TRUE(run("currentTime 7"));
    const Names copies = evalStrings("dkUninstancer instancer1");
    EXPECT_EQ(evalString("currentTime -q"), "7");
    expectCopiesOfFrames(copies, {7});
    EXPECT_FALSE(copies.empty());
}

TEST_F(UninstancerBakeTest, StepsBeyondTheRangeOrBelowZeroSampleFromTheStart) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    const Names wide = evalStrings("dkUninstancer -sf 5 -ef 9 -fs 10 instancer1");
    EXPECT_EQ(evalString("currentTime -q"), "9");  // every frame was visited
    const Names negative = evalStrings("dkUninstancer -sf 5 -ef 9 -fs -2 instancer1");
    expectCopiesOfFrames(wide, {5});
    expectCopiesOfFrames(negative, {5, 7, 9});
}

TEST_F(UninstancerBakeTest, AnEmptyRangeOrNoParticlesMakesNothing) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    const std::string before = host::files::dumpScene();
    EXPECT_EQ(evalStrings("dkUninstancer -sf 9 -ef 8 instancer1"), Names{});
    EXPECT_EQ(host::files::dumpScene(), before);

    // Frame 1 is the start: the emitter's first particles appear after it.
    EXPECT_EQ(evalStrings("dkUninstancer -sf 1 -ef 1 instancer1"), Names{});
    EXPECT_TRUE(errors().empty());
}

TEST_F(UninstancerBakeTest, SelectedParticlesAreFollowedByTheirIds) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    ASSERT_TRUE(run("currentTime 10"));
    MIntArray ids;
    MFnParticleSystem(dktest::nodeObject("particleShape1")).particleIds(ids);
    ASSERT_GE(ids.length(), 6u);
    const std::set<int> chosen{ids[2], ids[3], ids[4], ids[5]};
    ASSERT_TRUE(run("select particleShape1.pt[2:5]"));
    const Names copies = evalStrings("dkUninstancer -sf 10 -ef 30 -fs 5");
    ASSERT_TRUE(errors().empty()) << errors().front();
    expectCopiesOfFrames(copies, {10, 15, 20, 25, 30},
                         [&](const Drawn& d) { return chosen.count(d.id) != 0; });
    EXPECT_GE(copies.size(), 4u);
}

TEST_F(UninstancerBakeTest, AParticleIndexPastTheLastNamesNobody) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    ASSERT_TRUE(run("currentTime 10; select particleShape1.pt[900]"));
    EXPECT_EQ(evalStrings("dkUninstancer -sf 10 -ef 12"), Names{});
    EXPECT_TRUE(errors().empty());
}

// Sequential cycling by age: the copies show what the instancer shows,
// also for particles whose age is not a whole number of steps.
TEST_F(UninstancerBakeTest, SequentialCyclingInFramesAndInSeconds) {
    ASSERT_TRUE(run(std::string(dktest::objectsScene()) + dktest::emitterScene() +
                    "particleInstancer -obj cube -obj cone -obj ball -c sequential -cs 1 "
                    "-csu frames -age age -n instancer1 particleShape1;"));
    const Names byFrames = evalStrings("dkUninstancer -sf 1 -ef 40 -fs 4 instancer1");
    expectCopiesOfFrames(byFrames, {1, 5, 9, 13, 17, 21, 25, 29, 33, 37});
    std::set<std::string> shown;
    for (const std::string& copy : byFrames) {
        shown.insert(copy.substr(0, copy.find('_')));
    }
    EXPECT_EQ(shown.size(), 3u);

    ASSERT_TRUE(run("setAttr instancer1.cycleStepUnit 1; setAttr instancer1.cycleStep 0.1"));
    const Names bySeconds = evalStrings("dkUninstancer -sf 2 -ef 30 -fs 7 instancer1");
    expectCopiesOfFrames(bySeconds, {2, 9, 16, 23, 30});
    EXPECT_TRUE(errors().empty());
}

// Age and step count in thousandths of a second: one frame at 24 fps is
// 0.042 s, so the age of frame 3, 0.083 s, is still one step. A negative
// start object counts back round the list.
TEST_F(UninstancerBakeTest, CyclingCountsAsTheInstancerDoes) {
    std::string objects;
    for (int i = 0; i < 8; ++i) {
        objects += "createNode transform -n o" + std::to_string(i) + ";";
    }
    ASSERT_TRUE(run(objects +
                    "particle -p 0 0 0 -p 1 0 0 -n dots; addAttr -ln start -dt doubleArray "
                    "dotsShape; addAttr -ln start0 -dt doubleArray dotsShape;"
                    "setAttr dotsShape.start0 -type doubleArray 2 0 -10;"
                    "particleInstancer -obj o0 -obj o1 -obj o2 -obj o3 -obj o4 -obj o5 -obj o6 "
                    "-obj o7 -c sequential -cs 1 -sto start -n instancer1 dotsShape;"));
    const Names copies = evalStrings("dkUninstancer -sf 1 -ef 8 instancer1");
    expectCopiesOfFrames(copies, {1, 2, 3, 4, 5, 6, 7, 8});
    std::string shown;
    for (const std::string& copy : copies) {
        shown += copy.substr(0, copy.find('_')) + " ";
    }
    EXPECT_EQ(shown, "o0 o6 o1 o7 o1 o7 o2 o0 o3 o1 o4 o2 o5 o3 o6 o4 ");
}

TEST_F(UninstancerBakeTest, CopiesAsInstancesShareTheSourcesShapes) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    const Names copies = evalStrings("dkUninstancer -cai true -sf 12 -ef 12 instancer1");
    expectCopiesOfFrames(copies, {12});
    for (const std::string& copy : copies) {
        const Names children = evalStrings("listRelatives -c " + copy);
        ASSERT_EQ(children.size(), 1u) << copy;
        const std::string source = copy.substr(0, copy.find('_'));
        EXPECT_EQ(children[0], evalString("listRelatives -c " + source)) << copy;
    }
    MFnDagNode cubeShape(dktest::nodeObject("cubeShape"));
    EXPECT_GT(cubeShape.instanceCount(true), 1u);

    const Names duplicates = evalStrings("dkUninstancer -cai false -sf 12 -ef 12 instancer1");
    ASSERT_EQ(duplicates.size(), copies.size());
    for (const std::string& copy : duplicates) {
        const Names children = evalStrings("listRelatives -c " + copy);
        ASSERT_EQ(children.size(), 1u);
        EXPECT_NE(children[0].find('_'), std::string::npos) << children[0];
    }
}

// Values outside the object list show its first or last object, as the
// instancer draws them.
TEST_F(UninstancerBakeTest, ObjectIndicesOutsideTheListAreClampedAtBothEnds) {
    ASSERT_TRUE(run(std::string(dktest::objectsScene()) +
                    "particle -p 0 0 0 -p 1 0 0 -p 2 0 0 -p 3 0 0 -p 4 0 0;"
                    "addAttr -ln pick -dt doubleArray particleShape1;"
                    "addAttr -ln pick0 -dt doubleArray particleShape1;"
                    "setAttr particleShape1.pick0 -type doubleArray 5 -3 0 1.9 2 7;"
                    "particleInstancer -obj cube -obj cone -obj ball -oi pick -n instancer1 "
                    "particleShape1;"));
    const Names copies = evalStrings("dkUninstancer -sf 3 -ef 3 instancer1");
    ASSERT_EQ(copies.size(), 5u);
    const Names sources{"cube", "cube", "cone", "ball", "ball"};
    for (std::size_t i = 0; i < copies.size(); ++i) {
        EXPECT_TRUE(startsWith(copies[i], sources[i] + "_")) << copies[i];
    }
    expectCopiesOfFrames(copies, {3});
}

// A member nothing is connected for draws nothing, and is not copied.
TEST_F(UninstancerBakeTest, ParticlesShowingAnUnconnectedMemberAreSkipped) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    ASSERT_TRUE(run("disconnectAttr cone.matrix instancer1.inputHierarchy[1]"));
    ASSERT_EQ(evalString("getAttr instancer1.hierarchyCount"), "3");
    const Names copies = evalStrings("dkUninstancer -sf 6 -ef 18 -fs 4 instancer1");
    ASSERT_TRUE(errors().empty()) << errors().front();
    expectCopiesOfFrames(copies, {6, 10, 14, 18});
    for (const std::string& copy : copies) {
        EXPECT_FALSE(startsWith(copy, "cone_")) << copy;
    }
}

TEST_F(UninstancerBakeTest, AnInstancerTargetDrawsOnlyItsOwnParticles) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    ASSERT_TRUE(
        run("particle -p 0 0 0 -p 1 1 1; particleInstancer -obj cone -n other "
            "particleShape2"));
    const Names copies = evalStrings("dkUninstancer -sf 5 -ef 5 other");
    ASSERT_EQ(copies.size(), 2u);
    expectCopiesOfFrames(
        copies, {5}, [](const Drawn&) { return true; }, "other");
}

}  // namespace
