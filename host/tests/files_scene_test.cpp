// Scene files: what the writer says, the file command's states, and files
// that must be refused without touching the scene.

#include "files_fixture.h"

#include "files/SceneWriter.h"

#include <maya/MFileIO.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MSceneMessage.h>

#include <cstdint>

namespace host::files::testing {
namespace {

class SceneFileTest : public FilesTest {
protected:
    static void connect(Node& from, const char* source, Node& to, const char* destination) {
        ASSERT_TRUE(Scene::current().connect(PlugAccess::ref(plug(from, source)),
                                             PlugAccess::ref(plug(to, destination))));
    }
    static void addDelay(Node& node) {
        MFnUnitAttribute fn;
        add(node, fn.create("delay", "dl", MFnUnitAttribute::kTime, 0.0));
    }
};

TEST_F(SceneFileTest, FileHasHeaderUnitsInformationBodyAndClosingLine) {
    Node& a = make("transform", "a");
    ASSERT_TRUE(plug(a, "tx").setValue(1.0));
    const std::string p = path("header.ma");
    setSceneName(p);
    ASSERT_TRUE(saveScene(""));
    EXPECT_FALSE(isModified());
    const std::string text = readFile(p);
    const std::string base = p.substr(p.find_last_of('/') + 1);
    EXPECT_EQ(text.rfind("//Maya ASCII 2008 scene\n//Name: " + base + "\n//Last modified: ", 0), 0u)
        << text;
    for (const char* line :
         {"\nrequires maya \"2008\";\n", "\ncurrentUnit -l centimeter -a degree -t film;\n",
          "\nfileInfo \"application\" \"maya\";\n",
          "\ncreateNode transform -n \"a\";\n\tsetAttr \".t\" -type \"double3\" 1 0 0 ;\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.substr(text.size() - base.size() - 11), "// End of " + base + "\n");
    // The body is the dump.
    EXPECT_NE(text.find(dumpScene()), std::string::npos);
    EXPECT_EQ(sceneFile(p).substr(text.find("createNode")), text.substr(text.find("createNode")));
}

TEST_F(SceneFileTest, NodesComeInAnOrderThatDependsOnTheSceneAlone) {
    // Made in an order that differs from the file's.
    make("objectSet", "zset");
    Node& g2 = make("transform", "g2");
    Node& g1 = make("transform", "g1");
    make("objectSet", "aset");
    Node& leaf2 = make("transform", "leaf", &g2);
    make("transform", "leaf", &g1);
    make("locator", "tip", &leaf2);
    EXPECT_EQ(dumpScene(),
              "createNode transform -n \"g2\";\n"
              "createNode transform -n \"leaf\" -p \"g2\";\n"
              "createNode locator -n \"tip\" -p \"g2|leaf\";\n"
              "createNode transform -n \"g1\";\n"
              "createNode transform -n \"leaf\" -p \"g1\";\n"
              "createNode objectSet -n \"aset\";\n"
              "createNode objectSet -n \"zset\";\n");
}

TEST_F(SceneFileTest, DynamicAttributesInstancesDefaultNodesAndConnections) {
    Node& a = make("transform", "a");
    Node& b = make("transform", "b");
    Node& shape = make("locator", "aShape", &a);
    MFnNumericAttribute numeric;
    add(a, numeric.create("zeta", "zt", MFnNumericData::kDouble, 0.0));
    add(a, numeric.create("alpha", "al", MFnNumericData::kLong, 3));
    ASSERT_TRUE(plug(a, "zt").setValue(0.5));
    addDelay(b);
    MObject child = object(shape);
    ASSERT_TRUE(MFnDagNode(object(b)).addChild(child, MFnDagNode::kNextPos, true));
    Node& time = *Scene::current().nodesNamed("time1").at(0);
    MTime frame(10.0, MTime::kFilm);
    ASSERT_TRUE(plug(time, "o").setValue(frame));
    connect(time, "o", b, "dl");
    connect(a, "tx", b, "ty");
    a.locked = true;
    EXPECT_EQ(dumpScene(),
              "createNode transform -n \"a\";\n"
              "\taddAttr -ci true -sn \"al\" -ln \"alpha\" -dv 3 -at \"long\";\n"
              "\taddAttr -ci true -sn \"zt\" -ln \"zeta\" -at \"double\";\n"
              "\tsetAttr \".zt\" 0.5;\n"
              "createNode locator -n \"aShape\" -p \"a\";\n"
              "createNode transform -n \"b\";\n"
              "\taddAttr -ci true -sn \"dl\" -ln \"delay\" -at \"time\";\n"
              "parent -s -nc -r -add \"|a|aShape\" \"b\";\n"
              "select -ne :time1;\n"
              "\tsetAttr \".o\" 10;\n"
              "connectAttr \":time1.o\" \"b.dl\";\n"
              "connectAttr \"a.tx\" \"b.ty\";\n"
              "lockNode -l 1 \"a\";\n");
}

// ---------------------------------------------------------------- states

TEST_F(SceneFileTest, ReplacingAModifiedSceneNeedsForce) {
    EXPECT_FALSE(isModified());
    EXPECT_EQ(melText("file -q -modified"), "0");
    make("transform", "a");
    EXPECT_TRUE(isModified());
    EXPECT_FALSE(mel("file -new"));
    EXPECT_NE(lastError().find("file: Unsaved changes."), std::string::npos) << lastError();
    EXPECT_FALSE(mel("file -o \"" + path("never.ma") + "\""));
    EXPECT_EQ(Scene::current().nodesNamed("a").size(), 1u);
    EXPECT_TRUE(mel("file -f -new"));
    EXPECT_TRUE(Scene::current().nodesNamed("a").empty());
    EXPECT_FALSE(isModified());
}

TEST_F(SceneFileTest, RenameSaveAndQueries) {
    const std::string p = path("named.ma");
    EXPECT_EQ(melText("file -q -sn"), "");
    EXPECT_FALSE(mel("file -save"));
    EXPECT_NE(lastError().find("no name"), std::string::npos) << lastError();
    make("transform", "a");
    EXPECT_TRUE(mel("file -rename \"" + p + "\""));
    EXPECT_EQ(melText("file -q -sceneName"), p);
    EXPECT_EQ(MFileIO::currentFile(), MString(p.c_str()));
    EXPECT_FALSE(mel("file -save -type \"mayaBinary\""));
    EXPECT_TRUE(isModified());
    EXPECT_TRUE(mel("file -save -type \"mayaAscii\""));
    EXPECT_FALSE(isModified());
    EXPECT_NE(readFile(p).find("createNode transform -n \"a\";"), std::string::npos);
    EXPECT_FALSE(mel("file -new -save"));
    EXPECT_FALSE(mel("file -o"));
}

TEST_F(SceneFileTest, NewResetsDefaultNodesUnitsAndTheUndoQueue) {
    Node& time = *Scene::current().nodesNamed("time1").at(0);
    MTime frame(10.0, MTime::kFilm);
    ASSERT_TRUE(plug(time, "o").setValue(frame));
    MDistance::setUIUnit(MDistance::kMeters);
    setFileInfo("shot", "s01");
    undo::Queue::instance().setState(true);
    undo::record(undo::makeEntry(
        "probe", [] { return true; }, [] { return true; }));
    ASSERT_TRUE(undo::Queue::instance().canUndo());
    ASSERT_TRUE(newScene(true));
    EXPECT_FALSE(undo::Queue::instance().canUndo());
    EXPECT_EQ(MDistance::uiUnit(), MDistance::kCentimeters);
    EXPECT_EQ(dumpScene(), "");
    EXPECT_EQ(melText("fileInfo -q \"shot\""), "");
    EXPECT_EQ(melText("fileInfo -q \"application\""), "maya");
}

TEST_F(SceneFileTest, FileInfoEntries) {
    EXPECT_TRUE(
        mel("fileInfo \"shot\" \"s01\"; fileInfo \"take\" \"3\"; fileInfo \"shot\" \"s02\""));
    EXPECT_EQ(melText("fileInfo -q \"shot\""), "s02");
    EXPECT_TRUE(mel("fileInfo -rm \"take\""));
    EXPECT_EQ(melText("fileInfo -q"), "application maya version 2008 shot s02");
    EXPECT_NE(sceneFile("x.ma").find("fileInfo \"shot\" \"s02\";\n"), std::string::npos);
    EXPECT_FALSE(mel("fileInfo \"only\""));
}

// ---------------------------------------------------------------- refusals

class RefusedFileTest : public SceneFileTest {
protected:
    void SetUp() override {
        SceneFileTest::SetUp();
        Node& a = make("transform", "kept");
        ASSERT_TRUE(plug(a, "tx").setValue(2.0));
        kept = Scene::current().share(&a);
        setSceneName("current.ma");
        before = dumpScene();
        for (auto message : {MSceneMessage::kBeforeOpen, MSceneMessage::kAfterOpen})
            callbacks.push_back(MSceneMessage::addCallback(message, count, this));
    }
    void TearDown() override {
        for (MCallbackId id : callbacks)
            MMessage::removeCallback(id);
        SceneFileTest::TearDown();
    }
    static void count(void* self) { ++static_cast<RefusedFileTest*>(self)->messages; }

    // The open fails with an error naming the file; nothing changed.
    void refused(const std::string& file, const std::string& expected) {
        Output::instance().clearErrors();
        EXPECT_FALSE(openScene(file, true));
        EXPECT_NE(lastError().find(expected), std::string::npos) << lastError();
        EXPECT_EQ(dumpScene(), before);
        EXPECT_EQ(sceneName(), "current.ma");
        EXPECT_TRUE(kept->inScene);
        EXPECT_EQ(Scene::current().nodesNamed("kept").at(0), kept.get());
        EXPECT_TRUE(isModified());
    }

    NodePtr kept;
    std::string before;
    std::vector<MCallbackId> callbacks;
    int messages = 0;
};

TEST_F(RefusedFileTest, WhatIsNoSceneFileChangesNothing) {
    const std::string p = path("refused.ma");
    writeFile(p, "createNode transform -n \"fresh\";\n");
    refused(p, "\"" + p + "\" is not a scene file: it has neither a scene header");
    writeFile(p, std::string("//Maya ASCII 2008 scene\n\0\x7f\x01garbage", 33));
    refused(p, "it holds binary data");
    writeFile(p, "//Maya ASCII 2008 scene\nnoSuchCommand;\nsetAttr \".tx\" 1;\n}\n");
    refused(p, "Every statement of \"" + p + "\" failed; the scene is as it was.");
    refused(path("missing.ma"), "Cannot read");
    EXPECT_EQ(messages, 1);  // only the open that ran statements announced itself
    EXPECT_FALSE(MFileIO::isReadingFile());
}

// ---------------------------------------------------------------- messages

std::vector<std::string>& events() {
    static std::vector<std::string> log;
    return log;
}

void logMessage(void* name) {
    events().push_back(static_cast<const char*>(name) +
                       std::string(MFileIO::isReadingFile() ? "+reading" : ""));
}

TEST_F(SceneFileTest, NewAndOpenSendTheirMessagesAndReadingIsFlagged) {
    const std::pair<MSceneMessage::Message, const char*> watched[] = {
        {MSceneMessage::kBeforeNew, "beforeNew"},   {MSceneMessage::kAfterNew, "afterNew"},
        {MSceneMessage::kBeforeOpen, "beforeOpen"}, {MSceneMessage::kAfterOpen, "afterOpen"},
        {MSceneMessage::kSceneUpdate, "update"},    {MSceneMessage::kBeforeSave, "beforeSave"},
        {MSceneMessage::kAfterSave, "afterSave"}};
    std::vector<MCallbackId> ids;
    for (const auto& [message, name] : watched)
        ids.push_back(MSceneMessage::addCallback(message, logMessage, const_cast<char*>(name)));
    mel::Interpreter::instance().defineCommand("filesProbe", [](mel::CommandCall&) {
        events().push_back(MFileIO::isReadingFile() ? "probe+reading" : "probe");
        return true;
    });
    events().clear();
    ASSERT_TRUE(newScene(true));
    const std::string p = path("probe.ma");
    writeFile(p, "requires maya \"2008\";\nfilesProbe;\n");
    ASSERT_TRUE(openScene(p, false));
    EXPECT_EQ(sceneName(), p);
    setSceneName(path("saved.ma"));
    ASSERT_TRUE(saveScene(""));
    EXPECT_EQ(events(),
              (std::vector<std::string>{"beforeNew", "afterNew", "update", "beforeOpen+reading",
                                        "probe+reading", "afterOpen+reading", "update",
                                        "beforeSave", "afterSave"}));
    for (MCallbackId id : ids)
        MMessage::removeCallback(id);
    mel::Interpreter::instance().undefineCommand("filesProbe");
}

}  // namespace
}  // namespace host::files::testing
