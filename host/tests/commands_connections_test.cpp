// connectAttr, disconnectAttr, isConnected, listConnections and sets.
#include "commands_fixture.h"

#include <maya/MDGModifier.h>

#include <algorithm>

namespace host::commands::testing {
namespace {

using Strings = std::vector<std::string>;

Strings sorted(Strings list) {
    std::sort(list.begin(), list.end());
    return list;
}

class ConnectionsTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        run("createNode transform -n a; createNode transform -n b; createNode transform -n c;"
            "createNode locator -n cShape -p c");
    }
};

TEST_F(ConnectionsTest, ConnectAttrConnectsAndReports) {
    EXPECT_EQ(text("connectAttr a.tx b.ty"), "Connected a.translateX to b.translateY.");
    EXPECT_EQ(run("isConnected a.tx b.ty").asInt(), 1);
    EXPECT_EQ(run("isConnected b.ty a.tx").asInt(), 0);
    run("setAttr a.tx 7");
    EXPECT_EQ(number("getAttr b.ty"), 7);
    // Making the same connection again only warns.
    run("connectAttr a.tx b.ty");
    EXPECT_EQ(out().errors().size(), 0u);
    EXPECT_EQ(failure("connectAttr a.tz b.ty"),
              "line 1: connectAttr: 'b.translateY' already has an incoming connection from "
              "'a.translateX'.");
    roundTrip("connectAttr -f a.tz b.ty");
    EXPECT_EQ(run("isConnected a.tz b.ty").asInt(), 1);
    roundTrip("connectAttr a.t c.t");
    EXPECT_EQ(failure("connectAttr a.message b.tx"),
              "line 1: connectAttr: Connection not made: 'a.message' -> 'b.translateX'. Data types "
              "of source and destination are not compatible.");
    EXPECT_EQ(failure("connectAttr a.nothing b.tx"),
              "line 1: connectAttr: No object matches name: a.nothing");
    EXPECT_EQ(failure("connectAttr a.tx b.wm"),
              "line 1: connectAttr: The destination attribute 'b.worldMatrix' is not writable.");
    run("setAttr -l on b.rx");
    EXPECT_EQ(failure("connectAttr a.rx b.rx"),
              "line 1: connectAttr: The destination attribute 'b.rotateX' is locked.");
}

TEST_F(ConnectionsTest, ConnectAttrNextAvailableAndWorldSpace) {
    run("addAttr -ln inputs -at double -m b");
    run("connectAttr -na a.tx b.inputs; connectAttr -na a.ty b.inputs");
    EXPECT_EQ(strings("listConnections -p 1 a"), (Strings{"b.inputs[0]", "b.inputs[1]"}));
    run("addAttr -ln offset -at matrix b");
    roundTrip("connectAttr a.wm b.offset");
    EXPECT_EQ(strings("listConnections -p 1 b.offset"), Strings{"a.worldMatrix"});
}

// A cycle of connections is allowed; reading into it ends where the walk
// comes back to the plug it started from, at the value held there.
TEST_F(ConnectionsTest, ACycleOfConnectionsReadsWithoutEndlessRecursion) {
    run("setAttr a.tx 3; setAttr b.tx 5; connectAttr a.tx b.tx; connectAttr b.tx c.tx;"
        "connectAttr -f c.tx a.tx");
    EXPECT_EQ(number("getAttr a.tx"), 3);
    EXPECT_EQ(number("getAttr b.tx"), 5);
    EXPECT_EQ(number("getAttr c.tx"), 0);
}

TEST_F(ConnectionsTest, DisconnectAttr) {
    run("connectAttr a.tx b.tx; connectAttr a.tx c.tx; connectAttr a.ty b.ty");
    roundTrip("disconnectAttr a.tx b.tx");
    EXPECT_EQ(run("isConnected a.tx b.tx").asInt(), 0);
    EXPECT_EQ(failure("disconnectAttr a.tx b.tx"),
              "line 1: disconnectAttr: There is no connection from 'a.translateX' to "
              "'b.translateX' to disconnect.");
    // One plug: every connection of it and below it goes.
    roundTrip("disconnectAttr a.t");
    EXPECT_TRUE(strings("listConnections a").empty());
}

// A broken connection leaves the destination at the value it received, even
// when nothing read it in between; undo gives back what lay beneath.
TEST_F(ConnectionsTest, ADestinationKeepsTheValueItReceived) {
    run("setAttr a.tx 4; setAttr b.tx 1");
    roundTrip("connectAttr a.tx b.tx; disconnectAttr a.tx b.tx");
    EXPECT_EQ(number("getAttr b.tx"), 4);
    run("setAttr a.tx 8");
    EXPECT_EQ(number("getAttr b.tx"), 4);
    ASSERT_TRUE(undo::Queue::instance().undo());
    ASSERT_TRUE(undo::Queue::instance().undo());
    EXPECT_EQ(number("getAttr b.tx"), 1);

    // Connected and broken in one modifier, compound to compound.
    run("setAttr a.t 10 20 30");
    MDGModifier modifier;
    const MPlug move = PlugAccess::make(node("a"), PlugPath{node("a")->findAttribute("t"), {}});
    const MPlug scale = PlugAccess::make(node("c"), PlugPath{node("c")->findAttribute("s"), {}});
    ASSERT_EQ(modifier.connect(move, scale), MS::kSuccess);
    ASSERT_EQ(modifier.disconnect(move, scale), MS::kSuccess);
    ASSERT_EQ(modifier.doIt(), MS::kSuccess);
    EXPECT_EQ(run("isConnected a.t c.s").asInt(), 0);
    EXPECT_EQ(numbers("getAttr c.s"), (std::vector<double>{10, 20, 30}));
    ASSERT_EQ(modifier.undoIt(), MS::kSuccess);
    EXPECT_EQ(numbers("getAttr c.s"), (std::vector<double>{1, 1, 1}));
}

TEST_F(ConnectionsTest, ListConnectionsDirectionsPlugsAndShapes) {
    run("connectAttr a.tx b.tx; connectAttr b.ty a.ty; connectAttr cShape.lpx a.tz");
    EXPECT_EQ(sorted(strings("listConnections a")), (Strings{"b", "b", "c"}));
    EXPECT_EQ(sorted(strings("listConnections -s 1 -d 0 a")), (Strings{"b", "c"}));
    EXPECT_EQ(sorted(strings("listConnections -sh 1 -s 1 -d 0 a")), (Strings{"b", "cShape"}));
    EXPECT_EQ(strings("listConnections -s 0 -d 1 -p 1 a"), Strings{"b.translateX"});
    EXPECT_EQ(strings("listConnections -c 1 -p 1 a.ty"), (Strings{"a.translateY", "b.translateY"}));
    EXPECT_EQ(strings("listConnections -t locator a"), Strings{"c"});
    EXPECT_TRUE(strings("listConnections -t locator -sh 0 -s 0 a").empty());
}

TEST_F(ConnectionsTest, SetsHoldMembersByConnection) {
    EXPECT_EQ(text("sets -n group a b"), "group");
    EXPECT_EQ(strings("sets -q group"), (Strings{"a", "b"}));
    roundTrip("sets -add group c time1");
    EXPECT_EQ(sorted(strings("sets -q group")), (Strings{"a", "b", "c", "time1"}));
    EXPECT_EQ(run("sets -im group a c").asInt(), 1);
    roundTrip("sets -rm group a");
    EXPECT_EQ(run("sets -im group a").asInt(), 0);
    roundTrip("sets -cl group");
    EXPECT_TRUE(strings("sets -q group").empty());
    run("select -r b");
    EXPECT_EQ(text("sets"), "set1");
    EXPECT_EQ(strings("sets -q set1"), Strings{"b"});
    EXPECT_EQ(text("sets -em -n empty"), "empty");
    EXPECT_TRUE(strings("sets -q empty").empty());
    roundTrip("sets -n made c");
    EXPECT_EQ(failure("sets -add a b"), "line 1: sets: 'a' is not a set.");
    // Deleting a member takes it out of the set; undo puts it back.
    roundTrip("delete b");
}

}  // namespace
// Shading groups: one partition, so an object sits in one of them at most.
TEST_F(ConnectionsTest, ShadingGroupsShareAPartition) {
    EXPECT_EQ(text("sets -r true -nss true -em -n redSG"), "redSG");
    EXPECT_EQ(text("nodeType redSG"), "shadingEngine");
    EXPECT_EQ(run("sets -q -r redSG").asInt(), 1);
    run("sets -r 1 -em -n blueSG; sets -e -add redSG a");
    EXPECT_EQ(failure("sets -add blueSG a"),
              "line 1: sets: 'a' is already in 'redSG', which shares its partition.");
    roundTrip("sets -e -fe blueSG a b");
    EXPECT_TRUE(strings("sets -q redSG").empty());
    EXPECT_EQ(strings("sets -q blueSG"), (Strings{"a", "b"}));
    EXPECT_EQ(run("sets -em -n plain; sets -q -r plain").asInt(), 0);
}

}  // namespace host::commands::testing
