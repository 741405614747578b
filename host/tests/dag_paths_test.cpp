// DAG paths, instancing and the DAG function set.
#include "dag_fixture.h"

#include <maya/MDagPathArray.h>
#include <maya/MFnAttribute.h>

namespace host::dag::testing {
namespace {

class DagPaths : public DagTest {};

TEST_F(DagPaths, InstancedShapeHasOnePathPerParent) {
    Node& t1 = make("transform", "t1");
    Node& t2 = make("transform", "t2");
    Node& shape = make("locator", "shape", &t1);
    instance(shape, t2);

    MDagPathArray paths;
    ASSERT_TRUE(MDagPath::getAllPathsTo(object(shape), paths));
    ASSERT_EQ(paths.length(), 2u);
    EXPECT_EQ(paths[0].fullPathName(), MString("|t1|shape"));
    EXPECT_EQ(paths[1].fullPathName(), MString("|t2|shape"));
    // The short name alone is ambiguous, so the parent is kept.
    EXPECT_EQ(paths[0].partialPathName(), MString("t1|shape"));
    EXPECT_EQ(paths[1].partialPathName(), MString("t2|shape"));
    EXPECT_EQ(paths[0].instanceNumber(), 0u);
    EXPECT_EQ(paths[1].instanceNumber(), 1u);
    EXPECT_TRUE(paths[1].isInstanced());
    EXPECT_EQ(pathTo(t1).partialPathName(), MString("t1"));
    EXPECT_FALSE(pathTo(t1).isInstanced());

    MFnDagNode fn(object(shape));
    EXPECT_EQ(fn.instanceCount(true), 2u);
    EXPECT_EQ(fn.instanceCount(false), 2u);
    EXPECT_EQ(fn.parentCount(), 2u);
    // Attached through the second path, the set answers for that instance.
    MFnDagNode second(paths[1]);
    EXPECT_EQ(second.partialPathName(), MString("t2|shape"));
    EXPECT_EQ(fn.partialPathName(), MString("t1|shape"));
}

TEST_F(DagPaths, InstancingAboveCountsOnlyForTotal) {
    Node& group = make("transform", "group");
    Node& other = make("transform", "other");
    Node& leaf = make("transform", "leaf", &group);
    instance(group, other);

    MFnDagNode fn(object(leaf));
    EXPECT_EQ(fn.instanceCount(true), 2u);
    EXPECT_EQ(fn.instanceCount(false), 1u);
    EXPECT_TRUE(fn.isInstanced(true));
    EXPECT_FALSE(fn.isInstanced(false));
    MDagPathArray paths;
    fn.getAllPaths(paths);
    ASSERT_EQ(paths.length(), 2u);
    EXPECT_EQ(paths[1].fullPathName(), MString("|other|group|leaf"));
    EXPECT_EQ(paths[1].partialPathName(), MString("other|group|leaf"));
}

// Counts are kept between questions, so links made and cut above a node,
// asked about in between, must still give what walking the paths gives.
TEST_F(DagPaths, PathCountsFollowLinksChangedAboveTheNode) {
    Node& g = make("transform", "g");
    Node& h = make("transform", "h");
    Node& k = make("transform", "k");
    Node& t = make("transform", "t", &g);
    Node& shape = make("locator", "shape", &t);
    auto total = [&]() {
        MDagPathArray paths;
        MDagPath::getAllPathsTo(object(shape), paths);
        EXPECT_EQ(MFnDagNode(object(shape)).instanceCount(true), paths.length());
        return paths.length();
    };
    EXPECT_EQ(total(), 1u);
    instance(t, h);
    EXPECT_EQ(total(), 2u);
    instance(g, k);  // above t's first parent: g, and so t, gain a path
    EXPECT_EQ(total(), 3u);
    MObject tObj = object(t);
    ASSERT_TRUE(MFnDagNode(object(h)).removeChild(tObj));
    EXPECT_EQ(total(), 2u);
    const NodePtr kept = Scene::current().share(&k);  // as the undo queue holds it
    Scene::Detached cut = Scene::current().removeNode(k);
    EXPECT_EQ(total(), 1u);
    Scene::current().restoreNode(kept, cut);
    EXPECT_EQ(total(), 2u);
}

TEST_F(DagPaths, PartialNameFallsBackToFullPathWhenEveryTailIsShared) {
    Node& a = make("transform", "a");
    Node& x = make("transform", "x", &a);
    Node& p = make("transform", "p");
    Node& a2 = make("transform", "a", &p);
    make("transform", "x", &a2);
    EXPECT_EQ(pathTo(x).partialPathName(), MString("|a|x"));
    EXPECT_EQ(pathTo(a2).partialPathName(), MString("p|a"));
    Node& solo = make("transform", "solo", &a);
    EXPECT_EQ(pathTo(solo).partialPathName(), MString("solo"));
}

TEST_F(DagPaths, PushPopChildrenAndShapes) {
    Node& t = make("transform", "t");
    Node& shape = make("locator", "tShape", &t);
    Node& sub = make("transform", "sub", &t);

    MDagPath path = pathTo(t);
    EXPECT_EQ(path.length(), 1u);
    EXPECT_EQ(path.childCount(), 2u);
    EXPECT_EQ(path.child(1), object(sub));
    EXPECT_FALSE(path.push(object(make("transform", "elsewhere"))));
    ASSERT_TRUE(path.push(object(sub)));
    EXPECT_EQ(path.fullPathName(), MString("|t|sub"));
    ASSERT_TRUE(path.pop());
    EXPECT_FALSE(path.pop(2));

    unsigned shapes = 0;
    path.numberOfShapesDirectlyBelow(shapes);
    EXPECT_EQ(shapes, 1u);
    ASSERT_TRUE(path.extendToShape());
    EXPECT_EQ(path.node(), object(shape));
    EXPECT_TRUE(path.hasFn(MFn::kShape));
    EXPECT_EQ(path.apiType(), MFn::kLocator);
    EXPECT_EQ(path.transform(), object(t));
    EXPECT_EQ(path.length(), 2u);

    // Two shapes under one transform leave the choice open.
    make("locator", "tShape2", &t);
    MDagPath ambiguous = pathTo(t);
    EXPECT_FALSE(ambiguous.extendToShape());
}

TEST_F(DagPaths, PathDiesWithItsNodeOrLink) {
    Node& t = make("transform", "t");
    Node& c = make("transform", "c", &t);
    make("locator", "cShape", &c);
    MDagPath path = pathTo(c);
    ASSERT_TRUE(path.isValid());
    Scene::current().removeChild(t, c);
    Scene::current().addChild(Scene::current().world(), c);
    EXPECT_FALSE(path.isValid());
    MStatus status;
    EXPECT_EQ(path.fullPathName(&status), MString());
    EXPECT_FALSE(status);
    // What reads only the path's end checks the whole path all the same.
    EXPECT_EQ(path.childCount(&status), 0u);
    EXPECT_FALSE(status);
    EXPECT_EQ(path.child(0, &status), MObject());
    EXPECT_FALSE(status);
    EXPECT_FALSE(path.isInstanced(&status));
    EXPECT_FALSE(status);
    EXPECT_FALSE(path.extendToShape());

    MDagPath top = pathTo(t);
    Scene::current().removeNode(t);
    EXPECT_FALSE(top.isValid());
    MDagPath none;
    EXPECT_FALSE(MDagPath::getAPathTo(object(t), none));
    EXPECT_FALSE(MDagPath().isValid());
    EXPECT_FALSE(MDagPath::getAPathTo(MObject(), none));
}

TEST_F(DagPaths, AddChildRefusesCyclesShapesAndRepeats) {
    Node& a = make("transform", "a");
    Node& b = make("transform", "b", &a);
    Node& shape = make("locator", "shapeA", &a);
    MObject aObj = object(a);
    MObject bObj = object(b);
    EXPECT_FALSE(MFnDagNode(bObj).addChild(aObj));  // a is above b
    EXPECT_FALSE(MFnDagNode(object(shape)).addChild(bObj));
    EXPECT_FALSE(MFnDagNode(aObj).addChild(bObj));  // already there
    MObject world = object(Scene::current().world());
    EXPECT_FALSE(MFnDagNode(aObj).addChild(world));
}

TEST_F(DagPaths, AddChildMovesOrKeepsParentsAndHonoursPosition) {
    Node& a = make("transform", "a");
    Node& b = make("transform", "b");
    make("transform", "b1", &b);
    make("transform", "b2", &b);
    Node& c = make("transform", "c", &a);
    MObject cObj = object(c);
    MFnDagNode fnB(object(b));
    ASSERT_TRUE(fnB.addChild(cObj, 1));
    EXPECT_EQ(fnB.child(1), cObj);
    EXPECT_EQ(c.parents.size(), 1u);
    EXPECT_TRUE(MFnDagNode(cObj).isChildOf(object(b)));
    EXPECT_FALSE(MFnDagNode(cObj).isChildOf(object(a)));
    EXPECT_TRUE(fnB.isParentOf(cObj));

    ASSERT_TRUE(MFnDagNode(object(a)).addChild(cObj, MFnDagNode::kNextPos, true));
    EXPECT_EQ(c.parents.size(), 2u);
}

TEST_F(DagPaths, MovingUnderASiblingOfTheSameNameRenames) {
    Node& a = make("transform", "a");
    Node& b = make("transform", "b");
    make("transform", "n", &a);
    Node& n2 = make("transform", "n", &b);
    MObject moved = object(n2);
    ASSERT_TRUE(MFnDagNode(object(a)).addChild(moved));
    EXPECT_NE(n2.name(), "n");
}

TEST_F(DagPaths, RemovingTheLastParentLeavesTheChildUnderTheWorld) {
    Node& a = make("transform", "a");
    Node& b = make("transform", "b");
    Node& c = make("transform", "c", &a);
    instance(c, b);
    MFnDagNode fnA(object(a));
    MObject cObj = object(c);
    ASSERT_TRUE(fnA.removeChild(cObj));
    EXPECT_EQ(pathTo(c).fullPathName(), MString("|b|c"));
    ASSERT_TRUE(MFnDagNode(object(b)).removeChildAt(0));
    EXPECT_EQ(pathTo(c).fullPathName(), MString("|c"));
    MFnDagNode fnC(cObj);
    EXPECT_EQ(fnC.parent(0).apiType(), MFn::kWorld);
    EXPECT_FALSE(fnA.removeChild(cObj));
    MStatus status;
    fnA.child(5, &status);
    EXPECT_FALSE(status);
}

TEST_F(DagPaths, InstancedAttributesAreTheWorldSpaceOnesAndTheirChildren) {
    Node& t = make("transform", "t");
    MFnDagNode fn(object(t));
    auto attributeObject = [&](const char* name) {
        return ObjectAccess::wrap(t.type().findAttribute(name)->shared_from_this());
    };
    MStatus status;
    EXPECT_TRUE(fn.isInstancedAttribute(attributeObject("worldMatrix"), &status));
    EXPECT_TRUE(status);
    EXPECT_TRUE(fn.isInstancedAttribute(attributeObject("parentInverseMatrix")));
    EXPECT_TRUE(fn.isInstancedAttribute(attributeObject("objectGroupId")));
    EXPECT_FALSE(fn.isInstancedAttribute(attributeObject("translateX")));
    EXPECT_FALSE(fn.isInstancedAttribute(attributeObject("matrix")));
    EXPECT_FALSE(fn.isInstancedAttribute(MObject(), &status));
    EXPECT_EQ(status, MS::kInvalidParameter);
}

TEST_F(DagPaths, CreatingAShapeAtTheTopMakesItsTransform) {
    MFnDagNode fn;
    MStatus status;
    MObject made = fn.create("locator", MObject::kNullObj, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(made.apiType(), MFn::kTransform);
    MFnDagNode top(made);
    ASSERT_EQ(top.childCount(), 1u);
    EXPECT_EQ(top.child(0).apiType(), MFn::kLocator);

    MObject parent = made;
    MObject under = fn.create("transform", "inner", parent, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(MFnDagNode(under).fullPathName(), top.fullPathName() + "|inner");
    MObject shape = top.child(0);
    fn.create("transform", shape, &status);
    EXPECT_FALSE(status);
    fn.create("dagNode", MObject::kNullObj, &status);
    EXPECT_FALSE(status);
    EXPECT_TRUE(MObject::kNullObj.isNull());
}

TEST_F(DagPaths, FunctionSetsRefuseWhatTheyCannotServe) {
    Node& time = *Scene::current().nodesNamed("time1").front();
    MStatus status;
    MFnDagNode fn(object(time), &status);
    EXPECT_FALSE(status);
    Node& shape = make("locator", "loose");
    MFnTransform transform(object(shape), &status);
    EXPECT_FALSE(status);
    EXPECT_TRUE(MFnDagNode(object(shape)).setIntermediateObject(true));
    EXPECT_TRUE(MFnDagNode(object(shape)).isIntermediateObject());
}

}  // namespace
}  // namespace host::dag::testing
