// World matrices through hierarchies, and the transform function set.
#include "dag_fixture.h"

#include <maya/MEulerRotation.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MPlug.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>

#include <cmath>

namespace host::dag::testing {
namespace {

constexpr double kQuarter = M_PI / 2;

class DagMatrices : public DagTest {};

bool near(const MVector& a, const MVector& b) {
    return (a - b).length() < 1e-9;
}

TEST_F(DagMatrices, ChildWorldMatrixComposesParentAfterChild) {
    Node& parent = make("transform", "parent");
    Node& child = make("transform", "child", &parent);
    setTranslate(parent, 1, 2, 3);
    MFnTransform(object(parent)).setRotation(MEulerRotation(0, 0, kQuarter));
    setTranslate(child, 1, 0, 0);

    MDagPath path = pathTo(child);
    // (1,0,0) turned a quarter about z is (0,1,0), then moved by the parent.
    EXPECT_TRUE(near(translationOf(path.inclusiveMatrix()), MVector(1, 3, 3)));
    EXPECT_TRUE(path.exclusiveMatrix().isEquivalent(pathTo(parent).inclusiveMatrix()));
    EXPECT_TRUE((path.inclusiveMatrix() * path.inclusiveMatrixInverse()).isEquivalent(MMatrix()));
    EXPECT_TRUE(plugMatrix(child, "worldMatrix", 0).isEquivalent(path.inclusiveMatrix()));
    EXPECT_TRUE(plugMatrix(child, "parentMatrix", 0).isEquivalent(path.exclusiveMatrix()));
    EXPECT_TRUE(
        plugMatrix(child, "worldInverseMatrix", 0).isEquivalent(path.inclusiveMatrixInverse()));
}

TEST_F(DagMatrices, MovingAnAncestorOrReparentingReachesTheWorldMatrixPlug) {
    Node& top = make("transform", "top");
    Node& mid = make("transform", "mid", &top);
    Node& leaf = make("locator", "leafShape", &mid);
    EXPECT_TRUE(near(translationOf(plugMatrix(leaf, "worldMatrix", 0)), MVector(0, 0, 0)));
    setTranslate(top, 0, 5, 0);
    EXPECT_TRUE(near(translationOf(plugMatrix(leaf, "worldMatrix", 0)), MVector(0, 5, 0)));

    Node& other = make("transform", "other");
    setTranslate(other, 7, 0, 0);
    MObject midObj = object(mid);
    ASSERT_TRUE(MFnDagNode(object(other)).addChild(midObj));
    EXPECT_TRUE(near(translationOf(plugMatrix(leaf, "worldMatrix", 0)), MVector(7, 0, 0)));
}

TEST_F(DagMatrices, EachInstanceHasItsOwnWorldMatrixElement) {
    Node& a = make("transform", "a");
    Node& b = make("transform", "b");
    Node& shape = make("locator", "sharedShape", &a);
    instance(shape, b);
    setTranslate(a, 1, 0, 0);
    setTranslate(b, 0, 0, 2);
    EXPECT_TRUE(near(translationOf(plugMatrix(shape, "worldMatrix", 0)), MVector(1, 0, 0)));
    EXPECT_TRUE(near(translationOf(plugMatrix(shape, "worldMatrix", 1)), MVector(0, 0, 2)));
    EXPECT_TRUE(near(translationOf(plugMatrix(shape, "parentMatrix", 1)), MVector(0, 0, 2)));
}

TEST_F(DagMatrices, NotInheritingCutsOffTheParents) {
    Node& parent = make("transform", "parent");
    Node& child = make("transform", "child", &parent);
    setTranslate(parent, 4, 0, 0);
    setTranslate(child, 0, 1, 0);
    ASSERT_TRUE(assign(PlugRef{&child, PlugPath{child.findAttribute("it"), {}}}, Value{false}));
    EXPECT_TRUE(near(translationOf(pathTo(child).inclusiveMatrix()), MVector(0, 1, 0)));
}

TEST_F(DagMatrices, SetWritesEveryPartAndTransformationReadsItBack) {
    Node& t = make("transform", "t");
    MTransformationMatrix tm;
    tm.setTranslation(MVector(1, 2, 3), MSpace::kTransform);
    double rotation[3] = {0.3, -0.2, 1.1};
    tm.setRotation(rotation, MTransformationMatrix::kZXY);
    double scale[3] = {2, 1, 0.5};
    tm.setScale(scale, MSpace::kTransform);
    double shear[3] = {0.1, 0, 0};
    tm.setShear(shear, MSpace::kTransform);
    tm.setRotatePivot(MPoint(0, 1, 0), MSpace::kTransform, false);

    MFnTransform fn(object(t));
    ASSERT_TRUE(fn.set(tm));
    EXPECT_TRUE(fn.transformation().asMatrix().isEquivalent(tm.asMatrix()));
    EXPECT_TRUE(fn.transformationMatrix().isEquivalent(tm.asMatrix()));
    EXPECT_TRUE(pathTo(t).inclusiveMatrix().isEquivalent(tm.asMatrix()));
    EXPECT_EQ(fn.rotationOrder(), MTransformationMatrix::kZXY);
    EXPECT_DOUBLE_EQ(valueAsDouble(evaluate(PlugRef{&t, PlugPath{t.findAttribute("ty"), {}}})), 2);
    double s[3];
    fn.getScale(s);
    EXPECT_DOUBLE_EQ(s[2], 0.5);

    // A matrix holds no pivots, so setting it puts the whole motion in TRS.
    MMatrix m = tm.asMatrix();
    ASSERT_TRUE(fn.set(MTransformationMatrix(m)));
    EXPECT_TRUE(pathTo(t).inclusiveMatrix().isEquivalent(m, 1e-9));
}

// A transformation is written a compound at a time; each number still
// behaves as a plug set on its own would.
TEST_F(DagMatrices, SetStoresOnlyChangedNumbersAndHonoursLocksAndConnections) {
    Node& t = make("transform", "t");
    auto plugOf = [&t](const char* name) {
        return PlugRef{&t, PlugPath{t.findAttribute(name), {}}};
    };
    auto number = [&](const char* name) { return valueAsDouble(evaluate(plugOf(name))); };
    auto kept = [&](const char* name) {
        const PlugValue* pv = t.stored(plugOf(name).path);
        return pv && !std::holds_alternative<std::monostate>(pv->value);
    };
    auto moved = [](double x, double y, double z) {
        MTransformationMatrix tm;
        tm.setTranslation(MVector(x, y, z), MSpace::kTransform);
        return tm;
    };
    MFnTransform fn(object(t));

    ASSERT_TRUE(fn.set(moved(1, 0, 3)));
    EXPECT_TRUE(kept("tx"));
    EXPECT_FALSE(kept("ty"));  // still its default: nothing stored
    EXPECT_TRUE(kept("tz"));
    EXPECT_FALSE(kept("sx"));
    EXPECT_FALSE(kept("rpx"));
    // The world matrix read in between is cached; the next write must reach it.
    EXPECT_TRUE(near(translationOf(plugMatrix(t, "worldMatrix", 0)), MVector(1, 0, 3)));
    ASSERT_TRUE(fn.set(moved(1, 2, -4)));
    EXPECT_TRUE(near(translationOf(plugMatrix(t, "worldMatrix", 0)), MVector(1, 2, -4)));

    ASSERT_TRUE(MFnDependencyNode(object(t)).findPlug("ty").setLocked(true));
    EXPECT_FALSE(fn.set(moved(1, 5, -4)));
    EXPECT_EQ(number("ty"), 2.0);
    ASSERT_TRUE(MFnDependencyNode(object(t)).findPlug("ty").setLocked(false));

    Node& driver = make("transform", "driver");
    setTranslate(driver, 0, 0, 9);
    ASSERT_TRUE(Scene::current().connect(PlugRef{&driver, PlugPath{driver.findAttribute("tz"), {}}},
                                         plugOf("tz")));
    EXPECT_FALSE(fn.set(moved(7, 2, 1)));
    EXPECT_EQ(number("tz"), 9.0);
}

TEST_F(DagMatrices, WorldSpaceTranslationGoesThroughTheParents) {
    Node& parent = make("transform", "parent");
    Node& child = make("transform", "child", &parent);
    setTranslate(parent, 1, 1, 1);
    double twice[3] = {2, 2, 2};
    MFnTransform(object(parent)).setScale(twice);
    MFnTransform fn(object(child));
    ASSERT_TRUE(fn.setTranslation(MVector(5, 5, 5), MSpace::kWorld));
    EXPECT_TRUE(near(fn.translation(MSpace::kTransform), MVector(2, 2, 2)));
    EXPECT_TRUE(near(fn.translation(MSpace::kWorld), MVector(5, 5, 5)));
    EXPECT_TRUE(near(translationOf(pathTo(child).inclusiveMatrix()), MVector(5, 5, 5)));
}

TEST_F(DagMatrices, RotationOrderAndQuaternionsKeepTheOrientation) {
    Node& t = make("transform", "t");
    MFnTransform fn(object(t));
    ASSERT_TRUE(fn.setRotation(MEulerRotation(0.4, 0.5, 0.6, MEulerRotation::kZYX)));
    EXPECT_EQ(fn.rotationOrder(), MTransformationMatrix::kZYX);
    MMatrix before = pathTo(t).inclusiveMatrix();
    ASSERT_TRUE(fn.setRotationOrder(MTransformationMatrix::kYXZ, true));
    EXPECT_TRUE(pathTo(t).inclusiveMatrix().isEquivalent(before, 1e-9));
    MEulerRotation now;
    fn.getRotation(now);
    EXPECT_EQ(now.order, MEulerRotation::kYXZ);

    MQuaternion q;
    ASSERT_TRUE(fn.getRotation(q));
    EXPECT_TRUE(q.asMatrix().isEquivalent(before, 1e-9));
    ASSERT_TRUE(fn.setRotation(MQuaternion(kQuarter, MVector(0, 1, 0))));
    EXPECT_TRUE(
        pathTo(t).inclusiveMatrix().isEquivalent(MEulerRotation(0, kQuarter, 0).asMatrix(), 1e-9));
    double angles[3] = {1, 2, 3};
    EXPECT_FALSE(fn.setRotation(angles, MTransformationMatrix::kInvalid));
}

TEST_F(DagMatrices, BalancedPivotChangesLeaveTheNodeInPlace) {
    Node& t = make("transform", "t");
    MFnTransform fn(object(t));
    fn.setRotation(MEulerRotation(0, 0, kQuarter));
    double scale[3] = {2, 3, 4};
    fn.setScale(scale);
    MMatrix before = pathTo(t).inclusiveMatrix();
    ASSERT_TRUE(fn.setRotatePivot(MPoint(1, 2, 0), MSpace::kTransform, true));
    ASSERT_TRUE(fn.setScalePivot(MPoint(0, 1, 1), MSpace::kTransform, true));
    EXPECT_TRUE(pathTo(t).inclusiveMatrix().isEquivalent(before, 1e-9));
    EXPECT_TRUE(near(MVector(fn.rotatePivot(MSpace::kTransform)), MVector(1, 2, 0)));
    ASSERT_TRUE(fn.setRotatePivot(MPoint(0, 0, 0), MSpace::kTransform, false));
    EXPECT_FALSE(pathTo(t).inclusiveMatrix().isEquivalent(before, 1e-9));
}

}  // namespace
}  // namespace host::dag::testing
