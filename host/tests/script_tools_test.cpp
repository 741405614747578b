// Tool scripts written the way users write them (selection, attributes, keys,
// particles, strings, reports), each run whole in a fresh scene, checked by
// what it prints.
#include <unistd.h>

#include <cstdlib>

#include "particles_fixture.h"

namespace host::particles::testing {
namespace {

const std::string kScripts = std::string(HOST_TEST_DATA_DIR) + "/scripts/";

class ScriptTools : public ParticleTest {
protected:
    // Everything the script printed, errors included: a clean run prints
    // only its own lines.
    std::string runScript(const std::string& name) {
        out().clearCaptured();
        EXPECT_TRUE(mel().sourceFile(kScripts + name)) << out().captured();
        return out().captured();
    }
};

TEST_F(ScriptTools, RenameSelected) {
    EXPECT_EQ(runScript("renameSelected.mel"),
              "renamed: L_crate L_crate1 L_loc\n"
              "renumbered: part_001\n"
              "mesh parents: L_crate part_001\n"
              "under rig: |rig|L_crate |rig|part_001\n");
}

TEST_F(ScriptTools, AttributeCopier) {
    EXPECT_EQ(runScript("attributeCopier.mel"),
              "before: translateX,rotateY,scaleY,scaleZ,weight\n"
              "copied 12\n"
              "after: \n"
              "dst scale: 1 2 3\n"
              "dst label: hello\n"
              "weight exists 1\n");
}

TEST_F(ScriptTools, ConnectionLister) {
    EXPECT_EQ(runScript("connectionLister.mel"),
              "into body:\n"
              "  double.outputX -> body.translateX\n"
              "  ctrl.rotateY -> body.rotateY\n"
              "  ctrl.rotateY -> body.rotateZ\n"
              "out of ctrl:\n"
              "  ctrl.translateX -> double.input1X\n"
              "  ctrl.rotateY -> body.rotateY\n"
              "  ctrl.rotateY -> body.rotateZ\n"
              "moved 3\n"
              "body tx 3 rz 30\n"
              "connected: 10\n"
              "body.tx from double.outputX\n"
              "history of double: double ctrl2\n");
}

TEST_F(ScriptTools, HierarchyTools) {
    EXPECT_EQ(runScript("hierarchyTools.mel"),
              "shapes: |upper|a|aShape |upper|b|bShape |upper|inner|c|cShape\n"
              "snapper at 1 2 3\n"
              "b now |upper|inner|b\n"
              "b world pivot 1 2 3\n"
              "upper tx 0\n"
              "meshes 3\n");
}

TEST_F(ScriptTools, KeyOffset) {
    EXPECT_EQ(runScript("keyOffset.mel"),
              "curves moved: 4\n"
              "ball3 tx keys: 9 18\n"
              "ball2 ty 5 = 0\n"
              "ball2 ty 14 = 5\n"
              "ball2 tx at 14: 10\n"
              "ball1 keys: 4\n");
}

TEST_F(ScriptTools, BakeConstrained) {
    EXPECT_EQ(runScript("bakeConstrained.mel"),
              "constraint was parentConstraint, baked onto follower_baked\n"
              "frames 1-10, keys 10\n"
              "frame 5: tx 4 ry 40\n"
              "follower left constrained: 0\n"
              "bakeResults: now 3, keys 10, ty 1, tz keyed 0\n"
              "follower2 at 10: 9\n");
}

TEST_F(ScriptTools, CopyKeys) {
    EXPECT_EQ(runScript("copyKeys.mel"),
              "copied curves: 2\n"
              "extra1 tx keys: 11 15 19\n"
              "hand keys: 5\n"
              "extra2 tx at 5: 4\n"
              "extra2 sy keys after cut: 0\n");
}

TEST_F(ScriptTools, ParticleFountain) {
    EXPECT_EQ(runScript("particleFountain.mel"),
              "made: fountEmitter fountParticles fountParticlesShape fountGravity instancer1\n"
              "emitter type: pointEmitter, shape: particle\n"
              "count at 24: 47 (1)\n"
              "mean height positive: 1\n"
              "instanced: fountDrop\n"
              "rate now 100\n"
              "emitters of the shape: 1\n");
}

TEST_F(ScriptTools, BakeParticles) {
    EXPECT_EQ(runScript("bakeParticles.mel"),
              "locators: pLoc_0 pLoc_1 pLoc_2\n"
              "keys on pLoc_1.ty: 6\n"
              "match at 6: 1\n"
              "pLoc_2 x: 2\n");
}

TEST_F(ScriptTools, StringLibrary) {
    // The library's own checks print nothing when they pass; the caught
    // error still shows its line.
    EXPECT_EQ(runScript("stringLib.mel"), "// Error: file: " + kScripts +
                                              "stringLib.mel line 101: deliberate //\n"
                                              "stringLib failures: 0\n");
}

TEST_F(ScriptTools, ToolSettings) {
    EXPECT_EQ(runScript("toolSettings.mel"),
              "made: node1 node2\n"
              "history: start,node1,node2\n"
              "weights: 3\n"
              "indices 0 1 2 values 0.5 0.25 1\n"
              "sparse: 0 1 2 5\n"
              "w5 2\n"
              "// Error: line 1: Cannot find procedure \"noSuchCommand\". //\n"
              "caught the missing command\n"
              "kind: Mel procedure found in: " +
                  kScripts +
                  "toolSettings.mel\n"
                  "optionVar kept: node\n"
                  "removed: 0\n");
}

TEST_F(ScriptTools, VertexTools) {
    EXPECT_EQ(runScript("vertexTools.mel"),
              "selected 4 of 8 vertices\n"
              "centre1 at 5 0 1\n"
              "// Error: file: " +
                  kScripts +
                  "vertexTools.mel line 16: dkSelectionCentre: select some vertices. //\n"
                  "nothing selected: refused\n"
                  "drops.pt[1] y 2\n"
                  "drops.pt[2] y 3\n");
}

TEST_F(ScriptTools, SceneReport) {
    char pattern[] = "/tmp/script_tools_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    setenv("TMPDIR", pattern, 1);
    EXPECT_EQ(runScript("sceneReport.mel"),
              "wrote 10 lines, read 10\n"
              "scene: untitled\n"
              "os known: 1\n"
              "version known: 1\n"
              "linear unit: cm\n"
              "transform: 4\n"
              "mesh: 2\n"
              "locator: 1\n"
              "particle: 0\n"
              "|boxes|plain width 1 verts 8\n"
              "|boxes|wide width 2 verts 8\n"
              "removed: 1\n");
    unsetenv("TMPDIR");
    rmdir(pattern);
}

}  // namespace
}  // namespace host::particles::testing
