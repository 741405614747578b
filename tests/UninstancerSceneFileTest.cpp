// dkUninstancer on a particle instancer read from a file in the layout the
// application writes: no connection from the clock to anything but the
// emitter and the particle, emitter inputs fed by the particle, light links
// as relationships.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const kScene = R"(//Maya ASCII 2011 scene
//Name: instanced.ma
//Codeset: UTF-8
requires maya "2011";
requires "someRenderer" "1.0";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
createNode transform -n "box";
	setAttr ".t" -type "double3" 0 2 0 ;
createNode locator -n "boxShape" -p "box";
	setAttr -k off ".v";
createNode pointEmitter -n "emitter1";
	setAttr ".emt" 0;
	setAttr ".rat" 48;
	setAttr ".sro" no;
	setAttr -l on ".urpp";
	setAttr ".d" -type "double3" 1 0 0 ;
	setAttr ".spd" 2;
createNode transform -n "particle1";
createNode particle -n "particleShape1" -p "particle1";
	addAttr -ci true -sn "lifespanPP" -ln "lifespanPP" -dt "doubleArray";
	addAttr -ci true -h true -sn "lifespanPP0" -ln "lifespanPP0" -dt "doubleArray";
	addAttr -ci true -sn "lifespan" -ln "lifespan" -at "double";
	setAttr -k off ".v";
	setAttr ".gf" -type "Int32Array" 0 ;
	setAttr ".pos0" -type "vectorArray" 0 ;
	setAttr -s 1 ".idt";
	setAttr ".idt[0].iam" -type "stringArray" 4 "id" "particleId" "position" "worldPosition"  ;
	setAttr ".usc" yes;
	setAttr ".scp" -type "string" "instanced_startup";
	setAttr -k on ".lifespan" 1;
createNode instancer -n "instancer1";
createNode someRendererSettings -s -n "rendererSettings";
	setAttr ".quality" 3;
createNode lightLinker -s -n "lightLinker1";
	setAttr -s 2 ".lnk";
	setAttr -s 2 ".slnk";
select -ne :time1;
	setAttr ".o" 1;
	setAttr ".unw" 1;
connectAttr ":time1.o" "emitter1.ct";
connectAttr "particleShape1.ifl" "emitter1.full[0]";
connectAttr "particleShape1.tss" "emitter1.dt[0]";
connectAttr "particleShape1.inh" "emitter1.inh[0]";
connectAttr "particleShape1.stt" "emitter1.stt[0]";
connectAttr ":time1.o" "particleShape1.cti";
connectAttr "emitter1.ot[0]" "particleShape1.npt[0]";
connectAttr "particleShape1.idt[0].ipd" "instancer1.inp";
connectAttr "box.m" "instancer1.inh[0]";
relationship "link" ":lightLinker1" ":initialShadingGroup.message" ":defaultLightSet.message";
relationship "shadowLink" ":lightLinker1" ":initialParticleSE.message" ":defaultLightSet.message";
connectAttr "particleShape1.iog" ":initialParticleSE.dsm" -na;
connectAttr ":time1.o" "rendererSettings.seed";
)";

class UninstancerSceneFileTest : public dktest::PluginTest {
protected:
    void SetUp() override {
        dktest::PluginTest::SetUp();
        path = ::testing::TempDir() + "uninstancer_scene_" + std::to_string(getpid()) + ".ma";
        std::ofstream(path) << kScene;
    }
    void TearDown() override {
        std::remove(path.c_str());
        dktest::PluginTest::TearDown();
    }
    std::string path;
};

TEST_F(UninstancerSceneFileTest, AnInstancerReadFromAFileBakesWhereItDraws) {
    ASSERT_TRUE(dktest::run("file -open -f \"" + path + "\"")) << dktest::captured();
    // The absent renderer's lines were shown and kept; the bake is clean.
    dktest::clearOutput();
    const std::vector<std::string> copies =
        dktest::evalStrings("dkUninstancer -sf 1 -ef 12 -fs 4 instancer1");
    ASSERT_TRUE(dktest::errors().empty()) << dktest::errors().front();
    size_t next = 0;
    for (int frame : {1, 5, 9}) {
        for (const dktest::Drawn& drawn : dktest::drawnAt("instancer1", frame)) {
            ASSERT_LT(next, copies.size()) << "frame " << frame;
            EXPECT_LE(
                dktest::relativeDifference(dktest::worldMatrixOf(copies[next++]), drawn.world),
                1e-9);
        }
    }
    EXPECT_EQ(next, copies.size());
    // Particles were born and moved: the copies are not all at one place.
    ASSERT_GT(copies.size(), 4u);
    EXPECT_GT(dktest::relativeDifference(dktest::worldMatrixOf(copies.front()),
                                         dktest::worldMatrixOf(copies.back())),
              1e-3);
}

}  // namespace
