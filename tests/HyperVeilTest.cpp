// The dkHyperVeil node end to end: its attributes, the procedures it runs by
// name, and what its members' absence from the shading editor's tabs looks
// like through switching, deletion with undo, saving and unloading.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"

#include "plugin/ScriptLog.h"

#include <maya/MFnAttribute.h>
#include <maya/MFnDependencyNode.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

const char* const kVeilProcedures[] = {"dkHyperVeilInitEditors", "dkHyperVeilHideVeilInTabs",
                                       "dkHyperVeilShowVeilInTabs",
                                       "dkHyperVeilAboutToDeleteCallback"};

class HyperVeilTest : public dktest::PluginTest {
protected:
    // Veils keep the module from unloading, and spies must not outlive the
    // test that defined them.
    void TearDown() override {
        dktest::run("file -f -new");
        for (const char* procedure : kVeilProcedures)
            dktest::run(std::string("source \"") + procedure + ".mel\"");
        dktest::PluginTest::TearDown();
    }

    // Replaces the veil procedures by ones that log their argument, so a
    // test sees exactly which procedure the node ran for which veil.
    void spyOnProcedures() {
        ASSERT_TRUE(dktest::run(
            "global string $veilCalls[];"
            "global proc dkHyperVeilHideVeilInTabs(string $v)"
            " { global string $veilCalls[]; $veilCalls[size($veilCalls)] = \"hide \" + $v; }"
            "global proc dkHyperVeilShowVeilInTabs(string $v)"
            " { global string $veilCalls[]; $veilCalls[size($veilCalls)] = \"show \" + $v; }"));
        clearCalls();
    }
    void clearCalls() { dktest::run("global string $veilCalls[]; clear $veilCalls"); }
    Names calls() { return dktest::evalStrings("global string $veilCalls[]; $veilCalls"); }

    static Names tab(const std::string& name) {
        return dktest::evalStrings("shadingTab -list \"" + name + "\"");
    }
    // Tabs list in creation order, which a reopened scene takes from its file.
    static Names sortedTab(const std::string& name) {
        Names nodes = tab(name);
        std::sort(nodes.begin(), nodes.end());
        return nodes;
    }

    // Two materials, two textures, two utilities wired into one shading group.
    static void makeNetwork() {
        ASSERT_TRUE(dktest::run(
            "createNode lambert -n skin; createNode blinn -n metal;"
            "createNode file -n rust; createNode checker -n tiles;"
            "createNode place2dTexture -n rustUV; createNode multiplyDivide -n tint;"
            "createNode shadingEngine -n metalSG;"
            "connectAttr rustUV.outUV rust.uvCoord; connectAttr rust.outColor tint.input1;"
            "connectAttr tint.output metal.color; connectAttr metal.outColor metalSG.surfaceShader;"
            "connectAttr tiles.outColor skin.color"));
    }
    // The metal's network, veiled.
    static void veilMetal(const std::string& veil = "veil") {
        ASSERT_TRUE(dktest::run("createNode dkHyperVeil -n " + veil + "; sets -add " + veil +
                                " metal rust rustUV tint"));
    }
    static void expectMetalHidden(bool hidden) {
        if (hidden) {
            EXPECT_EQ(sortedTab("Materials"), Names{"skin"});
            EXPECT_EQ(sortedTab("Textures"), Names{"tiles"});
            EXPECT_EQ(sortedTab("Utilities"), Names{});
            EXPECT_EQ(sortedTab("Work Area"), (Names{"metalSG", "skin", "tiles"}));
        } else {
            EXPECT_EQ(sortedTab("Materials"), (Names{"metal", "skin"}));
            EXPECT_EQ(sortedTab("Textures"), (Names{"rust", "tiles"}));
            EXPECT_EQ(sortedTab("Utilities"), (Names{"rustUV", "tint"}));
            EXPECT_EQ(sortedTab("Work Area"),
                      (Names{"metal", "metalSG", "rust", "rustUV", "skin", "tiles", "tint"}));
        }
    }
};

TEST_F(HyperVeilTest, NewVeilIsAnObjectSetWithItsFiveAttributes) {
    ASSERT_TRUE(
        dktest::run("createNode transform -n a; createNode transform -n b;"
                    "createNode dkHyperVeil -n veil"));
    EXPECT_EQ(dktest::evalString("nodeType veil"), "dkHyperVeil");
    EXPECT_EQ(dktest::evalString("getAttr veil.show"), "0");
    EXPECT_EQ(dktest::evalString("getAttr veil.removeFromHyperShadeTabs"), "1");
    EXPECT_EQ(dktest::evalString("getAttr veil.inputInterface"), "");
    EXPECT_EQ(dktest::evalString("getAttr -size veil.in"), "0");

    const Names keyable = dktest::evalStrings("listAttr -k veil");
    auto listed = [&](const char* name) {
        return std::find(keyable.begin(), keyable.end(), name) != keyable.end();
    };
    EXPECT_TRUE(listed("removeFromHyperShadeTabs"));
    EXPECT_FALSE(listed("show"));

    MFnDependencyNode veil(dktest::nodeObject("veil"));
    MFnAttribute show(veil.attribute("show"));
    EXPECT_TRUE(show.isStorable() && show.isReadable() && show.isWritable());
    MFnAttribute in(veil.attribute("in"));
    EXPECT_TRUE(in.isArray() && in.isWritable() && !in.isReadable() && !in.indexMatters());
    MFnAttribute out(veil.attribute("out"));
    EXPECT_TRUE(out.isReadable() && !out.isWritable() && !out.isStorable());

    // "in" takes a connection at any index; members come and go as with any set.
    EXPECT_TRUE(
        dktest::run("connectAttr a.message veil.in[7]; sets -add veil a b; sets -rm veil a"));
    EXPECT_EQ(dktest::evalStrings("listConnections veil.in"), Names{"a"});
    EXPECT_EQ(dktest::evalStrings("sets -q veil"), Names{"b"});
    EXPECT_TRUE(dktest::errors().empty());
}

TEST_F(HyperVeilTest, SwitchRunsTheProcedureForItsNewValueUnlessShowIsOn) {
    ASSERT_TRUE(dktest::run("createNode dkHyperVeil -n veil"));
    spyOnProcedures();
    ASSERT_TRUE(
        dktest::run("setAttr veil.removeFromHyperShadeTabs 0;"
                    "setAttr veil.removeFromHyperShadeTabs 1;"
                    "setAttr veil.removeFromHyperShadeTabs 1"));
    EXPECT_EQ(calls(), (Names{"show veil", "hide veil", "hide veil"}));

    clearCalls();
    ASSERT_TRUE(dktest::run("setAttr veil.show 1; setAttr veil.removeFromHyperShadeTabs 0"));
    EXPECT_EQ(calls(), Names{});
    EXPECT_EQ(dktest::evalString("getAttr veil.removeFromHyperShadeTabs"), "0");

    // Undo sets the old value again, through the node as any set does.
    ASSERT_TRUE(dktest::run("setAttr veil.show 0; setAttr veil.removeFromHyperShadeTabs 1; undo"));
    EXPECT_EQ(calls(), (Names{"hide veil", "show veil"}));
    EXPECT_EQ(dktest::evalString("getAttr veil.removeFromHyperShadeTabs"), "0");
}

// The clean-up is queued into the deleting modifier: it runs while the veil
// still exists, its changes leave with the deletion's undo and come back
// with its redo.
TEST_F(HyperVeilTest, DeletionRunsTheCleanUpAsPartOfItself) {
    ASSERT_TRUE(
        dktest::run("createNode dkHyperVeil -n veil;"
                    "global proc dkHyperVeilAboutToDeleteCallback(string $v) {"
                    " if (`objExists $v`) createNode transform -n (\"cleaned_\" + $v); }"));
    ASSERT_TRUE(dktest::run("delete veil"));
    EXPECT_FALSE(dktest::nodeExists("veil"));
    EXPECT_TRUE(dktest::nodeExists("cleaned_veil"));

    ASSERT_TRUE(dktest::run("undo"));
    EXPECT_TRUE(dktest::nodeExists("veil"));
    EXPECT_FALSE(dktest::nodeExists("cleaned_veil"));

    ASSERT_TRUE(dktest::run("redo"));
    EXPECT_FALSE(dktest::nodeExists("veil"));
    EXPECT_EQ(dktest::evalStrings("ls \"cleaned_*\""), Names{"cleaned_veil"});
    EXPECT_TRUE(dktest::errors().empty());
}

// The texts the node hands to the host, character for character: one
// blank, the name in double quotes, a semicolon; the scene update's
// procedure alone.
TEST_F(HyperVeilTest, TheScriptTextsAreExactlyTheProcedureAndTheQuotedName) {
    using host::scriptLog::Entry;
    ASSERT_TRUE(dktest::run("createNode dkHyperVeil -n veil_1"));
    host::scriptLog::start();
    dktest::run(
        "setAttr veil_1.removeFromHyperShadeTabs 1; setAttr veil_1.removeFromHyperShadeTabs 0;"
        "delete veil_1; file -f -new");
    const std::vector<Entry> taken = host::scriptLog::entries();
    host::scriptLog::stop();
    const std::vector<Entry> expected{
        {"executeCommand", "dkHyperVeilHideVeilInTabs \"veil_1\";"},
        {"executeCommand", "dkHyperVeilShowVeilInTabs \"veil_1\";"},
        {"commandToExecute", "dkHyperVeilAboutToDeleteCallback \"veil_1\";"},
        {"executeCommand", "dkHyperVeilInitEditors"}};
    ASSERT_EQ(taken.size(), expected.size());
    for (std::size_t i = 0; i < taken.size(); ++i) {
        EXPECT_EQ(taken[i].via, expected[i].via) << i;
        EXPECT_EQ(taken[i].text, expected[i].text) << i;
    }
}

TEST_F(HyperVeilTest, SwitchedOnVeilHidesItsMembersFromEveryTab) {
    makeNetwork();
    veilMetal();
    // Members join a veil without a script running: the switch applies them.
    expectMetalHidden(false);
    ASSERT_TRUE(dktest::run("setAttr veil.removeFromHyperShadeTabs 1"));
    expectMetalHidden(true);
    EXPECT_EQ(tab("Shading Groups"), Names{"metalSG"});

    ASSERT_TRUE(dktest::run("setAttr veil.removeFromHyperShadeTabs 0"));
    expectMetalHidden(false);
    ASSERT_TRUE(dktest::run("undo"));
    expectMetalHidden(true);
    ASSERT_TRUE(dktest::run("redo"));
    expectMetalHidden(false);
    EXPECT_TRUE(dktest::errors().empty());
}

// While "show" is on the switch does nothing; the tabs follow "show" from
// the next scene update on.
TEST_F(HyperVeilTest, ShowSuspendsTheSwitchUntilTheNextSceneUpdate) {
    makeNetwork();
    veilMetal();
    ASSERT_TRUE(
        dktest::run("setAttr veil.removeFromHyperShadeTabs 1; setAttr veil.show 1;"
                    "setAttr veil.removeFromHyperShadeTabs 0;"
                    "setAttr veil.removeFromHyperShadeTabs 1"));
    expectMetalHidden(true);
    ASSERT_TRUE(dktest::run("dkHyperVeilInitEditors"));
    expectMetalHidden(false);
    ASSERT_TRUE(dktest::run("setAttr veil.show 0; dkHyperVeilInitEditors"));
    expectMetalHidden(true);
}

TEST_F(HyperVeilTest, DeletedVeilGivesItsMembersBackUntilTheDeletionIsUndone) {
    makeNetwork();
    veilMetal();
    ASSERT_TRUE(dktest::run("setAttr veil.removeFromHyperShadeTabs 1; delete veil"));
    expectMetalHidden(false);
    ASSERT_TRUE(dktest::run("undo"));
    expectMetalHidden(true);
    EXPECT_EQ(dktest::evalStrings("sets -q veil").size(), 4u);
    ASSERT_TRUE(dktest::run("redo"));
    expectMetalHidden(false);
    EXPECT_TRUE(dktest::errors().empty());
}

TEST_F(HyperVeilTest, MemberOfTwoVeilsStaysHiddenWhileEitherHidesIt) {
    makeNetwork();
    veilMetal("first");
    ASSERT_TRUE(
        dktest::run("createNode dkHyperVeil -n second; sets -add second metal;"
                    "setAttr first.removeFromHyperShadeTabs 1;"
                    "setAttr second.removeFromHyperShadeTabs 1;"
                    "setAttr first.removeFromHyperShadeTabs 0"));
    EXPECT_EQ(tab("Materials"), Names{"skin"});
    EXPECT_EQ(tab("Textures"), (Names{"rust", "tiles"}));
    ASSERT_TRUE(dktest::run("delete second"));
    EXPECT_EQ(tab("Materials"), (Names{"skin", "metal"}));
}

TEST_F(HyperVeilTest, ReopenedSceneRestoresTheVeilAndItsHiding) {
    const std::string path = ::testing::TempDir() + "veiled_scene.ma";
    makeNetwork();
    veilMetal();
    ASSERT_TRUE(
        dktest::run("createNode dkHyperVeil -n idle; sets -add idle skin;"
                    "setAttr idle.removeFromHyperShadeTabs 0;"
                    "setAttr -type \"string\" veil.inputInterface \"metal look\";"
                    "connectAttr metalSG.message veil.in[3];"
                    "setAttr veil.removeFromHyperShadeTabs 1;"
                    "file -rename \"" +
                    path + "\"; file -save"));
    ASSERT_TRUE(dktest::run("file -f -new"));
    EXPECT_EQ(tab("Work Area"), Names{});

    ASSERT_TRUE(dktest::run("file -f -o \"" + path + "\""));
    EXPECT_EQ(dktest::evalString("nodeType veil"), "dkHyperVeil");
    EXPECT_EQ(dktest::evalString("getAttr veil.inputInterface"), "metal look");
    EXPECT_EQ(dktest::evalString("getAttr idle.removeFromHyperShadeTabs"), "0");
    EXPECT_EQ(dktest::evalStrings("listConnections veil.in"), Names{"metalSG"});
    EXPECT_EQ(dktest::evalStrings("sets -q veil").size(), 4u);
    expectMetalHidden(true);
    EXPECT_TRUE(dktest::errors().empty());
    std::remove(path.c_str());
}

// Veils hold the module in the scene: unloading is refused; a forced unload
// keeps the veils, their data and the hiding, and the scene saved then
// brings the module and working veils back when it is opened.
TEST_F(HyperVeilTest, UnloadingWithVeilsKeepsThemAndTheirData) {
    const std::string path = ::testing::TempDir() + "unloaded_veil.ma";
    makeNetwork();
    veilMetal();
    ASSERT_TRUE(dktest::run("setAttr veil.removeFromHyperShadeTabs 1"));
    EXPECT_FALSE(dktest::unloadPlugin());
    EXPECT_EQ(dktest::errors(), Names{"line 1: Plug-in, \"DravikTools\", cannot be unloaded: "
                                      "nodes of its types exist in the scene."});
    EXPECT_TRUE(dktest::pluginLoaded());

    dktest::clearOutput();
    ASSERT_TRUE(dktest::run("flushUndo; unloadPlugin -f DravikTools"));
    EXPECT_FALSE(dktest::pluginLoaded());
    EXPECT_EQ(dktest::evalString("nodeType veil"), "dkHyperVeil");
    EXPECT_EQ(dktest::evalStrings("sets -q veil").size(), 4u);
    expectMetalHidden(true);
    EXPECT_FALSE(dktest::run("createNode dkHyperVeil -n another"));
    EXPECT_EQ(dktest::errors(), Names{"line 1: Unknown object type: dkHyperVeil"});

    ASSERT_TRUE(dktest::run("file -rename \"" + path + "\"; file -save; file -f -new"));
    ASSERT_FALSE(dktest::pluginLoaded());
    dktest::clearOutput();
    ASSERT_TRUE(dktest::run("file -f -o \"" + path + "\""));
    EXPECT_TRUE(dktest::pluginLoaded());
    expectMetalHidden(true);
    ASSERT_TRUE(dktest::run("setAttr veil.removeFromHyperShadeTabs 0"));
    expectMetalHidden(false);
    EXPECT_TRUE(dktest::errors().empty());
    std::remove(path.c_str());
}

}  // namespace
