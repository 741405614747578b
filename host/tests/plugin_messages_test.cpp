// The callback registry: ids, removal, and dispatch while callbacks change
// the registry.

#include "graph/Node.h"
#include "graph/Scene.h"
#include "plugin/FaultInjection.h"
#include "plugin/Messages.h"
#include "plugin_support.h"

#include <maya/MDGModifier.h>
#include <maya/MNodeMessage.h>
#include <maya/MSceneMessage.h>

namespace {

using hosttest::HostFixture;

struct Log {
    std::vector<std::string> calls;
    MCallbackId other = 0;           // removed by the "remover" callback
    std::vector<MCallbackId> added;  // by the "adder" callback
};

void logNamed(const char* name, void* clientData) {
    static_cast<Log*>(clientData)->calls.push_back(name);
}
void first(void* data) {
    logNamed("first", data);
}
void second(void* data) {
    logNamed("second", data);
}
void remover(void* data) {
    logNamed("remover", data);
    MMessage::removeCallback(static_cast<Log*>(data)->other);
}
void adder(void* data) {
    logNamed("adder", data);
    static_cast<Log*>(data)->added.push_back(
        MSceneMessage::addCallback(MSceneMessage::kAfterNew, second, data));
}
void reportsItsId(void* data) {
    MStatus status;
    const MCallbackId id = MMessage::currentCallbackId(&status);
    static_cast<Log*>(data)->calls.push_back(status ? std::to_string(id) : "none");
}

class MessagesTest : public HostFixture {
protected:
    void TearDown() override {
        for (MCallbackId id : log.added) {
            ids.append(id);
        }
        MMessage::removeCallbacks(ids);
        host::faults::clear();
    }
    MCallbackId add(MSceneMessage::Message msg, MMessage::MBasicFunction fn) {
        MStatus status;
        const MCallbackId id = MSceneMessage::addCallback(msg, fn, &log, &status);
        EXPECT_TRUE(status);
        ids.append(id);
        return id;
    }
    Log log;
    MCallbackIdArray ids;
};

TEST_F(MessagesTest, CallsTheCallbacksOfTheMessageInRegistrationOrder) {
    add(MSceneMessage::kBeforeOpen, second);
    add(MSceneMessage::kBeforeOpen, first);
    add(MSceneMessage::kAfterOpen, first);
    host::messages::sceneMessage(MSceneMessage::kBeforeOpen);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"second", "first"}));
}

TEST_F(MessagesTest, RemovingIsOnceOnly) {
    const MCallbackId id = add(MSceneMessage::kSceneUpdate, first);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(MMessage::removeCallback(id), MS::kSuccess);
    EXPECT_EQ(MMessage::removeCallback(id), MS::kFailure);
    EXPECT_EQ(MMessage::removeCallback(0), MS::kFailure);
    host::messages::sceneMessage(MSceneMessage::kSceneUpdate);
    EXPECT_TRUE(log.calls.empty());
    // An array with one unknown id still removes the others, and fails.
    const MCallbackId kept = add(MSceneMessage::kSceneUpdate, first);
    MCallbackIdArray both;
    both.append(kept);
    both.append(id);
    EXPECT_EQ(MMessage::removeCallbacks(both), MS::kFailure);
    host::messages::sceneMessage(MSceneMessage::kSceneUpdate);
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(MessagesTest, ACallbackRemovedDuringTheDispatchIsNotCalled) {
    add(MSceneMessage::kAfterNew, remover);
    log.other = add(MSceneMessage::kAfterNew, second);
    add(MSceneMessage::kAfterNew, adder);
    host::messages::sceneMessage(MSceneMessage::kAfterNew);
    // "second" was removed before its turn; the one "adder" added waits for
    // the next message.
    EXPECT_EQ(log.calls, (std::vector<std::string>{"remover", "adder"}));
    log.calls.clear();
    host::messages::sceneMessage(MSceneMessage::kAfterNew);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"remover", "adder", "second"}));
}

TEST_F(MessagesTest, TheRunningCallbackKnowsItsId) {
    const MCallbackId id = add(MSceneMessage::kBeforeSave, reportsItsId);
    host::messages::sceneMessage(MSceneMessage::kBeforeSave);
    EXPECT_EQ(log.calls, (std::vector<std::string>{std::to_string(id)}));
    MStatus status;
    MMessage::currentCallbackId(&status);
    EXPECT_FALSE(status);
}

TEST_F(MessagesTest, RefusesBadRegistrationsAndInjectedFaults) {
    MStatus status;
    EXPECT_EQ(MSceneMessage::addCallback(MSceneMessage::kLast, first, &log, &status), 0u);
    EXPECT_EQ(status, MS::kInvalidParameter);
    EXPECT_EQ(MSceneMessage::addCallback(MSceneMessage::kSceneUpdate, nullptr, &log, &status), 0u);
    EXPECT_EQ(status, MS::kInvalidParameter);
    MObject none;
    EXPECT_EQ(MNodeMessage::addNodeAboutToDeleteCallback(none, nullptr, nullptr, &status), 0u);
    EXPECT_EQ(status, MS::kInvalidParameter);
    host::faults::failNext("MSceneMessage::addCallback", "", MS::kInsufficientMemory);
    EXPECT_EQ(MSceneMessage::addCallback(MSceneMessage::kSceneUpdate, first, &log, &status), 0u);
    EXPECT_EQ(status, MS::kInsufficientMemory);
    host::messages::sceneMessage(MSceneMessage::kSceneUpdate);
    EXPECT_TRUE(log.calls.empty());
}

struct Deletion {
    int calls = 0;
    MDGModifier* modifier = nullptr;
};

void aboutToDelete(MObject&, MDGModifier& modifier, void* data) {
    auto* deletion = static_cast<Deletion*>(data);
    ++deletion->calls;
    deletion->modifier = &modifier;
}

TEST_F(MessagesTest, NodeCallbacksFollowTheirNodeWithoutKeepingItAlive) {
    host::Scene& scene = host::Scene::current();
    host::NodePtr node = scene.createNode("transform", "ptDoomed");
    host::NodePtr other = scene.createNode("transform", "ptSpared");
    MObject object = scene.object(node.get());
    MObject otherObject = scene.object(other.get());
    Deletion deletion;
    MStatus status;
    const MCallbackId id =
        MNodeMessage::addNodeAboutToDeleteCallback(object, aboutToDelete, &deletion, &status);
    ASSERT_TRUE(status);
    ids.append(id);
    MCallbackIdArray forNode;
    ASSERT_TRUE(MMessage::nodeCallbacks(object, forNode));
    ASSERT_EQ(forNode.length(), 1u);
    EXPECT_EQ(forNode[0], id);

    MDGModifier modifier;
    host::messages::nodeAboutToDelete(otherObject, modifier);
    EXPECT_EQ(deletion.calls, 0);
    host::messages::nodeAboutToDelete(object, modifier);
    EXPECT_EQ(deletion.calls, 1);
    EXPECT_EQ(deletion.modifier, &modifier);

    // Once the node is gone, its callback no longer matches anything.
    const std::weak_ptr<host::Node> watch = node;
    scene.removeNode(*node);
    node.reset();
    object = MObject();
    EXPECT_TRUE(watch.expired()) << "the callback keeps its node alive";
    host::messages::nodeAboutToDelete(otherObject, modifier);
    EXPECT_EQ(deletion.calls, 1);
    scene.removeNode(*other);
}

}  // namespace
