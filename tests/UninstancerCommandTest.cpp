// dkUninstancer's refusals, each with its exact line and nothing made, and
// its undo and redo.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"

#include "files/SceneDump.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using dktest::errors;
using dktest::evalString;
using dktest::evalStrings;
using dktest::run;
using Lines = std::vector<std::string>;
using Names = std::vector<std::string>;

const char* const kSelectionLine =
    "dkUninstancer: Please select a single particle instancer, single particle system, or some "
    "number of individual particles.";

class UninstancerRefusalTest : public dktest::PluginTest {
protected:
    void SetUp() override {
        dktest::PluginTest::SetUp();
        ASSERT_TRUE(dktest::buildIndexedScene());
        ASSERT_TRUE(run("currentTime 6"));
        dktest::clearOutput();
    }
    // The command fails with exactly this line and leaves the scene as it
    // was.
    void expectRefused(const std::string& command, const std::string& line) {
        const std::string before = host::files::dumpScene();
        EXPECT_FALSE(run(command)) << command;
        EXPECT_EQ(errors(), Lines{line}) << command;
        EXPECT_EQ(host::files::dumpScene(), before) << command;
        dktest::clearOutput();
    }
};

TEST_F(UninstancerRefusalTest, TargetsThatAreNotOneInstancerShapeOrParticleSet) {
    expectRefused("dkUninstancer cube", kSelectionLine);
    expectRefused("dkUninstancer instancer1 cube", kSelectionLine);
    expectRefused("dkUninstancer particleShape1 cube", kSelectionLine);
    expectRefused("dkUninstancer particleShape1.pt[1] cube", kSelectionLine);
    expectRefused("dkUninstancer instancer1.hierarchyCount", kSelectionLine);
    expectRefused("dkUninstancer particle1", kSelectionLine);
}

TEST_F(UninstancerRefusalTest, ParticlesOfTwoShapes) {
    ASSERT_TRUE(run("particle -p 0 0 0 -p 1 0 0; particleInstancer -obj cube particleShape2"));
    expectRefused("dkUninstancer particleShape1.pt[0] particleShape2.pt[1]",
                  "dkUninstancer: All selected particles must be from the same particle system.");
}

TEST_F(UninstancerRefusalTest, TheInstancerFlag) {
    expectRefused("dkUninstancer -ins instancer1 instancer1",
                  "dkUninstancer: The instancer flag can only be used with a particle system or "
                  "particel command target.");
    expectRefused("dkUninstancer -ins cube particleShape1",
                  "dkUninstancer: cube is not a particle instancer node.");
    ASSERT_TRUE(run("particle -p 0 0 0; particleInstancer -obj cube -n other particleShape2"));
    expectRefused("dkUninstancer -ins other particleShape1",
                  "dkUninstancer: other is not associated with particleShape1.");
}

TEST_F(UninstancerRefusalTest, ShapesFeedingNoneOrSeveralInstancers) {
    ASSERT_TRUE(run("particle -p 0 0 0"));
    expectRefused("dkUninstancer particleShape2",
                  "dkUninstancer: particleShape2 is not associated with an instancer.");
    ASSERT_TRUE(run("particleInstancer -obj cone -n second particleShape1"));
    expectRefused("dkUninstancer particleShape1",
                  "dkUninstancer: particleShape1 has more than one instancer associated with it. "
                  "Please use the -instancer flag to indicate which instancer should be "
                  "uninstanced.");
    // Named, either one is fine.
    EXPECT_TRUE(run("dkUninstancer -ins second particleShape1"));
    EXPECT_TRUE(errors().empty());
}

TEST_F(UninstancerRefusalTest, InstancersWithoutParticlesOrObjects) {
    ASSERT_TRUE(run("createNode instancer -n lonely"));
    expectRefused("dkUninstancer lonely",
                  "dkUninstancer: No particle system associated with the instancer.");
    ASSERT_TRUE(run("particle -p 0 0 0; particleInstancer -n bare particleShape2"));
    expectRefused("dkUninstancer bare", "dkUninstancer: No shape associated with the instancer.");
}

TEST_F(UninstancerRefusalTest, BakeTypesFrameStepsAndCycleSteps) {
    expectRefused("dkUninstancer -bt Geometry instancer1",
                  "dkUninstancer: Geometry is not a valid bake type. Please use one of "
                  "\"geometry\" or \"animation\".");
    expectRefused("dkUninstancer -sf 1 -ef 10 -fs 0 instancer1",
                  "dkUninstancer: A frameStep of 0 is not valid. Please use a frameStep of 1 or "
                  "more.");
    ASSERT_TRUE(
        run("particleInstancer -e -oi \"\" -c sequential -cs 0 -n instancer1 "
            "particleShape1"));
    expectRefused("dkUninstancer -sf 1 -ef 10 instancer1",
                  "dkUninstancer: The cycleStep of instancer1 must be greater than 0 for "
                  "Sequential cycling.");
    ASSERT_TRUE(run("setAttr instancer1.cycleStep -2"));
    expectRefused("dkUninstancer instancer1",
                  "dkUninstancer: The cycleStep of instancer1 must be greater than 0 for "
                  "Sequential cycling.");
    ASSERT_TRUE(run("setAttr instancer1.cycleStepUnit 1; setAttr instancer1.cycleStep 0.0004"));
    expectRefused("dkUninstancer instancer1",
                  "dkUninstancer: The cycleStep of instancer1 rounds to 0 seconds. Please use a "
                  "cycleStep of at least 0.001 seconds for Sequential cycling.");
    // A mapped object index overrides cycling, and so its step.
    ASSERT_TRUE(run("particleInstancer -e -oi lifespanPP -n instancer1 particleShape1"));
    EXPECT_TRUE(run("dkUninstancer instancer1"));
    EXPECT_TRUE(errors().empty());
}

TEST_F(UninstancerRefusalTest, TheAnimationBake) {
    ASSERT_TRUE(
        run("particleInstancer -e -oi \"\" -c sequential -cs 1 -n instancer1 "
            "particleShape1"));
    expectRefused("dkUninstancer -bt animation -cai true instancer1",
                  "dkUninstancer: Can't copy as instance when baking animation to blendshapes. "
                  "Please set copyAsInstance to false, or turn off instance cycling.");
    // As geometry, instances are fine with cycling.
    EXPECT_TRUE(run("dkUninstancer -bt geometry -cai true instancer1"));
    EXPECT_TRUE(errors().empty());
}

// Blend shapes on an instance would deform the source it shares its shapes
// with, so an object that can change refuses instances before anything is
// made; a mapped index decides over cycling, also in the advice given.
TEST_F(UninstancerRefusalTest, InstancesOfObjectsAMappedIndexCanChange) {
    ASSERT_TRUE(
        run("polyCube -n a; polyCube -n b -w 2; particle -p 0 0 0 -n dots;"
            "particleInstancer -obj a -obj b -oi age -n inst dotsShape;"));
    const std::string line =
        "dkUninstancer: Can't copy as instance when baking animation to blendshapes. Please set "
        "copyAsInstance to false, or remove the objectIndex mapping.";
    expectRefused("dkUninstancer -bt animation -cai true -sf 1 -ef 30 inst", line);
    ASSERT_TRUE(run("particleInstancer -e -c sequential -n inst dotsShape"));
    expectRefused("dkUninstancer -bt animation -cai true -sf 1 -ef 30 inst", line);
    EXPECT_EQ(evalStrings("listRelatives -s a"), Names{"aShape"});
    // One object can not change.
    ASSERT_TRUE(run("particleInstancer -e -rm -obj b -n inst dotsShape"));
    EXPECT_EQ(evalStrings("dkUninstancer -bt animation -cai true -sf 1 -ef 3 inst"), Names{"a_1"});
    EXPECT_EQ(evalStrings("ls -type blendShape"), Names{});
}

TEST_F(UninstancerRefusalTest, ABadFlagValueIsTheHostsToReport) {
    const std::string before = host::files::dumpScene();
    EXPECT_FALSE(run("dkUninstancer -fs many instancer1"));
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0].find("dkUninstancer: "), std::string::npos) << errors()[0];
    EXPECT_EQ(host::files::dumpScene(), before);
}

// ---------------------------------------------------------------- undo

class UninstancerUndoTest : public dktest::PluginTest {
protected:
    std::map<std::string, MMatrix> worldMatrices(const Names& copies) {
        std::map<std::string, MMatrix> matrices;
        for (const std::string& copy : copies) {
            matrices[copy] = dktest::worldMatrixOf(copy);
        }
        return matrices;
    }
    // Undo and redo, three times over: undo gives back the scene from
    // before the bake, redo the very scene the bake made.
    void expectUndoAndRedo(const std::string& bake) {
        ASSERT_TRUE(run("currentTime 4"));
        const std::string before = host::files::dumpScene();
        const Names copies = evalStrings(bake);
        ASSERT_FALSE(copies.empty());
        const std::string baked = host::files::dumpScene();
        const std::map<std::string, MMatrix> placed = worldMatrices(copies);
        const std::string endTime = evalString("currentTime -q");

        for (int round = 0; round < 3; ++round) {
            ASSERT_TRUE(run("undo")) << round;
            for (const std::string& copy : copies) {
                EXPECT_FALSE(dktest::nodeExists(copy)) << copy << " in round " << round;
            }
            ASSERT_TRUE(run("currentTime 4"));  // undo leaves the clock alone
            EXPECT_EQ(host::files::dumpScene(), before) << "round " << round;

            ASSERT_TRUE(run("redo")) << round;
            ASSERT_TRUE(run("currentTime " + endTime));
            EXPECT_EQ(host::files::dumpScene(), baked) << "round " << round;
            for (const auto& copy : placed) {
                ASSERT_TRUE(dktest::nodeExists(copy.first)) << copy.first;
                EXPECT_TRUE(dktest::nearlyEqual(dktest::worldMatrixOf(copy.first), copy.second));
            }
        }
        EXPECT_TRUE(errors().empty()) << errors().front();
    }
};

TEST_F(UninstancerUndoTest, DuplicatesGoAndComeBack) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    expectUndoAndRedo("dkUninstancer -sf 4 -ef 16 -fs 4 instancer1");
}

TEST_F(UninstancerUndoTest, InstancesGoWithoutTheShapesTheyShare) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    expectUndoAndRedo("dkUninstancer -cai true -sf 4 -ef 16 -fs 4 instancer1");
    EXPECT_EQ(evalString("listRelatives -c ball"), "ballTop");
    EXPECT_EQ(evalString("listRelatives -c cube"), "cubeShape");
}

TEST_F(UninstancerUndoTest, AnEmptyRunUndoesToNothing) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    const std::string before = host::files::dumpScene();
    EXPECT_EQ(evalStrings("dkUninstancer -sf 3 -ef 2 instancer1"), Names{});
    ASSERT_TRUE(run("undo"));
    ASSERT_TRUE(run("redo"));
    EXPECT_EQ(host::files::dumpScene(), before);
    EXPECT_TRUE(errors().empty());
}

// A copy gone behind the undo queue's back does not keep undo from taking
// the others.
TEST_F(UninstancerUndoTest, ACopyDeletedOutsideTheQueueIsPassedOver) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    const Names copies = evalStrings("dkUninstancer -sf 10 -ef 10 instancer1");
    ASSERT_GE(copies.size(), 2u);
    ASSERT_TRUE(run("undoInfo -swf false; delete " + copies[0] + "; undoInfo -swf true"));
    ASSERT_TRUE(run("undo"));
    for (const std::string& copy : copies) {
        EXPECT_FALSE(dktest::nodeExists(copy)) << copy;
    }
    ASSERT_TRUE(run("redo"));
    EXPECT_FALSE(dktest::nodeExists(copies[0]));
    EXPECT_TRUE(dktest::nodeExists(copies[1]));
}

}  // namespace
