// Durable node references and the remove-child operation, on real host DAG
// nodes.

#include "PluginTestSupport.h"

#include "operations/DKmayaModifier.h"
#include "operations/DKmayaRemoveChildOp.h"
#include "plugin/DKexception.h"
#include "scene/DKmayaObject.h"

#include <maya/MFnDagNode.h>
#include <maya/MObject.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string text(const MString& s) {
    return s.asChar();
}

class MayaObjectTest : public dktest::HostTest {};

TEST_F(MayaObjectTest, DagNodesAreNamedByTheirPartialPathOthersByTheirName) {
    ASSERT_TRUE(
        dktest::run("createNode -n left transform; createNode -n leaf -p left transform;"
                    "createNode -n right transform; createNode -n leaf -p right transform;"
                    "createNode -n loneSet objectSet"));
    EXPECT_EQ(text(DKmayaObject(dktest::nodeObject("left|leaf")).name()), "left|leaf");
    EXPECT_EQ(text(DKmayaObject(dktest::nodeObject("left")).name()), "left");
    EXPECT_EQ(text(DKmayaObject(dktest::nodeObject("loneSet")).name()), "loneSet");
}

TEST_F(MayaObjectTest, NullObjectIsLostFromTheStart) {
    DKmayaObject reference{MObject()};
    EXPECT_FALSE(reference.isValid());
    EXPECT_TRUE(reference.object().isNull());
    EXPECT_FALSE(DKmayaObject().isValid());
}

TEST_F(MayaObjectTest, StaleReferenceFindsTheRecreatedNodeAndThenFollowsItsHandle) {
    ASSERT_TRUE(dktest::run("createNode -n phoenix transform"));
    DKmayaObject reference(dktest::nodeObject("phoenix"));
    ASSERT_TRUE(dktest::run("delete phoenix; createNode -n phoenix transform"));

    EXPECT_EQ(reference.object(), dktest::nodeObject("phoenix"));
    ASSERT_TRUE(dktest::run("rename phoenix risen"));
    EXPECT_EQ(reference.object(), dktest::nodeObject("risen"));
    EXPECT_TRUE(reference.isValid());
}

TEST_F(MayaObjectTest, ReferenceWhoseNameFindsNothingStaysLost) {
    ASSERT_TRUE(dktest::run("createNode -n ghost transform"));
    DKmayaObject reference(dktest::nodeObject("ghost"));
    ASSERT_TRUE(dktest::run("delete ghost"));

    EXPECT_TRUE(reference.object().isNull());
    EXPECT_FALSE(reference.isValid());
    ASSERT_TRUE(dktest::run("createNode -n ghost transform"));
    EXPECT_TRUE(reference.object().isNull());
}

TEST_F(MayaObjectTest, AmbiguousNameIsAnError) {
    ASSERT_TRUE(dktest::run("createNode -n original transform"));
    DKmayaObject reference(dktest::nodeObject("original"), "twin*");
    ASSERT_TRUE(
        dktest::run("delete original; createNode -n twinA transform;"
                    "createNode -n twinB transform"));
    try {
        reference.object();
        FAIL() << "an ambiguous name resolved";
    } catch (const DKexception& e) {
        EXPECT_EQ(e.message(), "More than one node matches name twin*");
    }
}

class RemoveChildOpTest : public dktest::HostTest {
protected:
    void SetUp() override {
        dktest::HostTest::SetUp();
        ASSERT_TRUE(
            dktest::run("createNode -n parentA transform; createNode -n parentB transform;"
                        "createNode -n kid -p parentA transform"));
        parentA = dktest::nodeObject("parentA");
        parentB = dktest::nodeObject("parentB");
        kid = dktest::nodeObject("parentA|kid");
    }

    unsigned childCount(const MObject& parent) { return MFnDagNode(parent).childCount(); }

    MObject parentA;
    MObject parentB;
    MObject kid;
};

TEST_F(RemoveChildOpTest, SingleParentChildKeepsItsDefaultName) {
    DKmayaRemoveChildOp op(parentA, 0);
    EXPECT_EQ(text(op.child().name()), text(DKmayaObject(kid).name()));
    EXPECT_EQ(text(op.parent().name()), "parentA");
}

TEST_F(RemoveChildOpTest, InstancedChildIsRecordedThroughItsOtherParentAndRestoredBeside) {
    MFnDagNode(parentB).addChild(kid, MFnDagNode::kNextPos, true);
    DKmayaModifier modifier;
    modifier.removeChild(parentA, 0);

    modifier.doIt();
    EXPECT_EQ(childCount(parentA), 0u);
    EXPECT_EQ(childCount(parentB), 1u);
    EXPECT_TRUE(dktest::nodeExists("parentB|kid"));

    modifier.undoIt();
    EXPECT_EQ(childCount(parentA), 1u);
    EXPECT_EQ(childCount(parentB), 1u);
    EXPECT_EQ(MFnDagNode(parentA).child(0), kid);
}

TEST_F(RemoveChildOpTest, RecordedNameOfAnInstancedChildIsThePathUnderTheOtherParent) {
    MFnDagNode(parentB).addChild(kid, MFnDagNode::kNextPos, true);
    DKmayaRemoveChildOp op(parentA, 0);
    EXPECT_EQ(text(op.child().name()), "parentB|kid");
}

TEST_F(RemoveChildOpTest, MissingChildIndexFailsAndAppendsNothing) {
    DKmayaModifier modifier;
    try {
        modifier.removeChild(parentA, 3);
        FAIL() << "a missing child was accepted";
    } catch (const DKmayaException& e) {
        EXPECT_EQ(e.message().rfind("Error getting child node: ", 0), 0u) << e.message();
    }
    EXPECT_EQ(modifier.size(), 0u);
}

}  // namespace
