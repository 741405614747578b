// A plug-in object set as a module defines one: `sets` treats it as any
// set, its internal attribute reaches the node on every write (undo too),
// and what its about-to-delete callback queues on the deleting modifier
// runs inside the deletion and leaves with its undo.

#include "commands_fixture.h"

#include "graph/NodeType.h"

#include <maya/MDGModifier.h>
#include <maya/MDataHandle.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MNodeMessage.h>
#include <maya/MPxObjectSet.h>

#include <string>
#include <vector>

namespace host::commands::testing {
namespace {

using Names = std::vector<std::string>;

std::vector<int> levelsSeen;

class LevelSet : public MPxObjectSet {
public:
    static MObject aLevel;

    static void* creator() { return new LevelSet; }
    static MStatus initialize() {
        MFnNumericAttribute numeric;
        aLevel = numeric.create("level", "lv", MFnNumericData::kInt, 0.0);
        numeric.setInternal(true);
        return addAttribute(aLevel);
    }
    ~LevelSet() override { MMessage::removeCallback(callbackId); }

    void postConstructor() override {
        MObject self = thisMObject();
        callbackId = MNodeMessage::addNodeAboutToDeleteCallback(self, queueLeaving);
    }
    bool setInternalValueInContext(const MPlug& plug, const MDataHandle& handle,
                                   MDGContext&) override {
        if (plug == aLevel)
            levelsSeen.push_back(handle.asInt());
        return false;
    }

private:
    // Names the node by whether it still existed when the text ran.
    static void queueLeaving(MObject& node, MDGModifier& modifier, void*) {
        const std::string name = MFnDependencyNode(node).name().asChar();
        modifier.commandToExecute(("createNode transform -n (`objExists " + name + "` ? \"left_" +
                                   name + "\" : \"late_" + name + "\")")
                                      .c_str());
    }

    MCallbackId callbackId = 0;
};

MObject LevelSet::aLevel;

class PluginObjectSetTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        NodeTypeRegistry& registry = NodeTypeRegistry::instance();
        if (!registry.find("levelSet")) {
            ASSERT_TRUE(registry.registerPluginType("levelSet", MTypeId(0x7F0B1), LevelSet::creator,
                                                    LevelSet::initialize, MPxNode::kObjectSet,
                                                    nullptr, "objectSetTests"));
        }
        levelsSeen.clear();
        run("createNode transform -n a; createNode transform -n b; createNode levelSet -n ls");
    }
};

TEST_F(PluginObjectSetTest, SetsCommandTreatsItAsAnySet) {
    EXPECT_EQ(text("objectType -isa objectSet ls"), "1");
    run("sets -add ls a b; sets -rm ls a");
    EXPECT_EQ(strings("sets -q ls"), Names{"b"});
    EXPECT_EQ(text("sets -isMember ls b"), "1");
    run("undo");
    EXPECT_EQ(strings("sets -q ls"), (Names{"a", "b"}));
    run("sets -n holder -empty; sets -add holder ls");
    EXPECT_EQ(strings("sets -q holder"), Names{"ls"});
}

TEST_F(PluginObjectSetTest, InternalAttributeReachesTheNodeOnEveryWrite) {
    run("setAttr ls.level 3; setAttr ls.level 3");
    EXPECT_EQ(text("getAttr ls.level"), "3");
    run("undo");
    run("redo");
    EXPECT_EQ(levelsSeen, (std::vector<int>{3, 3, 3, 3}));
    run("undo; undo");
    EXPECT_EQ(levelsSeen.back(), 0);
    EXPECT_EQ(text("getAttr ls.level"), "0");
}

TEST_F(PluginObjectSetTest, QueuedCommandsRunInsideTheDeletionAndItsUndo) {
    run("delete ls");
    EXPECT_EQ(strings("ls \"left_*\" \"late_*\""), Names{"left_ls"});
    run("undo");
    EXPECT_EQ(strings("ls \"left_*\" \"late_*\""), Names{});
    EXPECT_EQ(text("objExists ls"), "1");
    run("redo");
    EXPECT_EQ(strings("ls \"left_*\" \"late_*\""), Names{"left_ls"});
    EXPECT_EQ(text("objExists ls"), "0");
}

}  // namespace
}  // namespace host::commands::testing
