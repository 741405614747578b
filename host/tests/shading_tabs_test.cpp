// The shading editor's tab model: which tab lists which node, and hiding
// nodes from all tabs with undo and redo.

#include "commands_fixture.h"

#include <string>
#include <vector>

namespace host::commands::testing {
namespace {

using Names = std::vector<std::string>;

class ShadingTabsTest : public CommandsTest {
protected:
    Names tab(const std::string& name) { return strings("shadingTab -list \"" + name + "\""); }

    void makeNetwork() {
        run("createNode lambert -n mat; createNode blinn -n shiny; createNode phong -n plastic;"
            "createNode file -n img; createNode checker -n chk; createNode ramp -n grad;"
            "createNode place2dTexture -n uv; createNode multiplyDivide -n mult;"
            "createNode shadingEngine -n matSG; createNode pointLight -n bulb;"
            "createNode directionalLight -n sun; createNode camera -n eye;"
            "createNode textureBakeSet -n bake; createNode transform -n plain;");
    }
};

TEST_F(ShadingTabsTest, EachTabListsItsCategoryInCreationOrder) {
    EXPECT_EQ(strings("shadingTab -tabs"),
              (Names{"Materials", "Textures", "Utilities", "Lights", "Cameras", "Shading Groups",
                     "Bake Sets", "Projects", "Work Area"}));
    makeNetwork();
    EXPECT_EQ(tab("Materials"), (Names{"mat", "shiny", "plastic"}));
    EXPECT_EQ(tab("Textures"), (Names{"img", "chk", "grad"}));
    EXPECT_EQ(tab("Utilities"), (Names{"uv", "mult"}));
    EXPECT_EQ(tab("Lights"), (Names{"bulb", "sun"}));
    EXPECT_EQ(tab("Cameras"), (Names{"eye"}));
    EXPECT_EQ(tab("Shading Groups"), (Names{"matSG"}));
    EXPECT_EQ(tab("Bake Sets"), (Names{"bake"}));
    EXPECT_EQ(tab("Projects"), Names{});
    EXPECT_EQ(tab("Work Area"), (Names{"mat", "shiny", "plastic", "img", "chk", "grad", "uv",
                                       "mult", "matSG", "bulb", "sun", "eye", "bake"}));
    EXPECT_EQ(failure("shadingTab -list \"Shaders\""),
              "line 1: shadingTab: Unknown tab \"Shaders\".");
}

TEST_F(ShadingTabsTest, HiddenNodesLeaveEveryTabUndoably) {
    makeNetwork();
    run("shadingTab -hide mat img");
    EXPECT_EQ(tab("Materials"), (Names{"shiny", "plastic"}));
    EXPECT_EQ(tab("Textures"), (Names{"chk", "grad"}));
    EXPECT_EQ(tab("Work Area").front(), "shiny");
    EXPECT_EQ(strings("shadingTab -hidden"), (Names{"mat", "img"}));

    // Hiding again changes nothing, so its undo must not show the node.
    run("shadingTab -hide mat shiny; undo");
    EXPECT_EQ(strings("shadingTab -hidden"), (Names{"mat", "img"}));

    run("shadingTab -show mat");
    EXPECT_EQ(strings("shadingTab -hidden"), Names{"img"});
    run("undo");
    EXPECT_EQ(strings("shadingTab -hidden"), (Names{"img", "mat"}));
    run("redo; shadingTab -showAll");
    EXPECT_EQ(strings("shadingTab -hidden"), Names{});
    run("undo");
    EXPECT_EQ(strings("shadingTab -hidden"), (Names{"img"}));
    EXPECT_EQ(failure("shadingTab -hide -show mat"),
              "line 1: shadingTab: Give exactly one of -hide, -show, -showAll.");
}

TEST_F(ShadingTabsTest, DeletedNodeComesBackHiddenWithUndo) {
    makeNetwork();
    run("shadingTab -hide img; delete img");
    EXPECT_EQ(strings("shadingTab -hidden"), Names{});
    run("undo");
    EXPECT_EQ(strings("shadingTab -hidden"), Names{"img"});
    EXPECT_EQ(tab("Textures"), (Names{"chk", "grad"}));
}

}  // namespace
}  // namespace host::commands::testing
