// Meshes through MFnMesh and the blendShape deformer: where a deformed mesh
// gets its points from, how weights between in-betweens blend the targets,
// the blendShape command and its undo, and scene files.
#include "commands_fixture.h"

#include "files/SceneFile.h"

#include <maya/MAnimControl.h>
#include <maya/MFnAnimCurve.h>
#include <maya/MFnBlendShapeDeformer.h>
#include <maya/MFnMesh.h>
#include <maya/MSelectionList.h>

#include <unistd.h>
#include <cstdio>

namespace {

using host::commands::testing::CommandsTest;

class BlendShapeTest : public CommandsTest {
protected:
    static MObject object(const std::string& name) {
        MSelectionList list;
        EXPECT_TRUE(list.add(name.c_str())) << name;
        MObject o;
        list.getDependNode(0, o);
        return o;
    }
    static MPointArray points(const std::string& shape, MSpace::Space space = MSpace::kObject) {
        MSelectionList list;
        list.add(shape.c_str());
        MDagPath path;
        list.getDagPath(0, path);
        MFnMesh fn(path);
        MPointArray p;
        EXPECT_TRUE(fn.getPoints(p, space)) << shape;
        return p;
    }
    // A unit cube without history whose points are moved by offset.
    void cube(const std::string& name, const MVector& offset = MVector(0, 0, 0)) {
        run("polyCube -ch 0 -n " + name);
        MFnMesh fn(object(name + "Shape"));
        MPointArray p = points(name + "Shape");
        for (unsigned i = 0; i < p.length(); ++i)
            p[i] += offset;
        ASSERT_TRUE(fn.setPoints(p));
    }
    static void expectOffset(const MPointArray& actual, const MPointArray& base,
                             const MVector& offset, double tolerance = 1e-9) {
        ASSERT_EQ(actual.length(), base.length());
        for (unsigned i = 0; i < base.length(); ++i)
            for (unsigned k = 0; k < 3; ++k)
                EXPECT_NEAR(actual[i][k], base[i][k] + offset[k], tolerance) << i << " " << k;
    }
    static void setWeight(MFnBlendShapeDeformer& fn, float w) { ASSERT_TRUE(fn.setWeight(0, w)); }
};

TEST_F(BlendShapeTest, MeshPointsInObjectAndWorldSpace) {
    cube("box", MVector(0, 1, 0));
    run("setAttr box.tx 5");
    MFnMesh fn(object("boxShape"));
    EXPECT_EQ(fn.numVertices(), 8);
    EXPECT_EQ(fn.numPolygons(), 6);
    MPoint p;
    ASSERT_TRUE(fn.getPoint(0, p));
    EXPECT_DOUBLE_EQ(p.y, 0.5);  // -0.5 moved up by 1
    ASSERT_TRUE(fn.getPoint(0, p, MSpace::kWorld));
    EXPECT_DOUBLE_EQ(p.x, 4.5);
    EXPECT_FALSE(fn.getPoint(8, p));
    ASSERT_TRUE(fn.setPoint(0, MPoint(10, 0, 0), MSpace::kWorld));
    ASSERT_TRUE(fn.getPoint(0, p));
    EXPECT_DOUBLE_EQ(p.x, 5.0);
    MPointArray tooFew(3);
    EXPECT_FALSE(fn.setPoints(tooFew));
}

TEST_F(BlendShapeTest, WeightsBetweenInBetweensBlendNeighbouringTargets) {
    cube("base");
    cube("a", MVector(1, 0, 0));
    cube("b", MVector(0, 2, 0));
    cube("c", MVector(0, 0, 3));
    const MPointArray base = points("baseShape");
    MFnBlendShapeDeformer fn;
    MStatus status;
    fn.create(object("baseShape"), MFnBlendShapeDeformer::kLocalOrigin, &status);
    ASSERT_TRUE(status);
    ASSERT_TRUE(fn.addTarget(object("baseShape"), 0, object("aShape"), 0.333));
    ASSERT_TRUE(fn.addTarget(object("baseShape"), 0, object("bShape"), 0.667));
    ASSERT_TRUE(fn.addTarget(object("baseShape"), 0, object("cShape"), 1.0));
    // The new weight starts at 0: the mesh shows its own points.
    EXPECT_EQ(fn.numWeights(), 1u);
    EXPECT_FLOAT_EQ(fn.weight(0), 0.0f);
    expectOffset(points("baseShape"), base, MVector(0, 0, 0));

    // At each item's full weight the mesh is exactly that target.
    setWeight(fn, 0.333f);
    expectOffset(points("baseShape"), base, MVector(1, 0, 0), 1e-12);
    setWeight(fn, 0.667f);
    expectOffset(points("baseShape"), base, MVector(0, 2, 0), 1e-12);
    setWeight(fn, 1.0f);
    expectOffset(points("baseShape"), base, MVector(0, 0, 3), 1e-12);
    // Halfway between the first two in-betweens, half of each.
    setWeight(fn, 0.5f);
    expectOffset(points("baseShape"), base, MVector(0.5, 1, 0));
    // Below the first item the base counts as the item at weight 0.
    setWeight(fn, 0.25f);
    expectOffset(points("baseShape"), base, MVector(0.25 / 0.333, 0, 0), 1e-7);

    MIntArray items;
    ASSERT_TRUE(fn.targetItemIndexList(0, object("baseShape"), items));
    ASSERT_EQ(items.length(), 3u);
    EXPECT_EQ(items[0], 5333);
    EXPECT_EQ(items[1], 5667);
    EXPECT_EQ(items[2], 6000);
    MObjectArray targets, bases;
    ASSERT_TRUE(fn.getTargets(object("baseShape"), 0, targets));
    EXPECT_EQ(targets.length(), 3u);
    ASSERT_TRUE(fn.getBaseObjects(bases));
    ASSERT_EQ(bases.length(), 1u);
    EXPECT_EQ(bases[0], object("baseShape"));
}

TEST_F(BlendShapeTest, TheBaseKeepsItsPointsInAnIntermediateCopy) {
    cube("base", MVector(0, 1, 0));
    cube("up", MVector(0, 3, 0));
    const MPointArray own = points("baseShape");
    MFnBlendShapeDeformer fn;
    fn.create(object("base"));  // a transform stands for its mesh
    EXPECT_EQ(text("getAttr baseShapeOrig.intermediateObject"), "1");
    EXPECT_EQ(strings("listConnections -s 1 -d 0 -p 1 baseShape.inMesh"),
              std::vector<std::string>({std::string(fn.name().asChar()) + ".outputGeometry[0]"}));
    expectOffset(points("baseShapeOrig"), own, MVector(0, 0, 0));
    ASSERT_TRUE(fn.addTarget(object("baseShape"), 0, object("upShape"), 1.0));
    // A target of another point count is refused, and weight 0 is the base.
    run("polyCube -sx 2 -n fine");
    EXPECT_FALSE(fn.addTarget(object("baseShape"), 1, object("fineShape"), 1.0));
    EXPECT_FALSE(fn.addTarget(object("baseShape"), 1, object("upShape"), 0.0));
    EXPECT_FALSE(fn.addTarget(object("baseShape"), 0, object("upShape"), 1.0));

    // The weight keyed the way the animation bake keys it.
    MPlug weight = fn.findPlug("weight", false).elementByLogicalIndex(0);
    MFnAnimCurve curve;
    curve.create(weight, nullptr);
    curve.addKeyframe(MTime(1.0, MTime::kFilm), 0.0);
    curve.addKeyframe(MTime(2.0, MTime::kFilm), 1.0);
    MAnimControl::setCurrentTime(MTime(2.0, MTime::kFilm));
    expectOffset(points("baseShape"), own, MVector(0, 2, 0));
    MAnimControl::setCurrentTime(MTime(1.0, MTime::kFilm));
    expectOffset(points("baseShape"), own, MVector(0, 0, 0));

    // Deleting the target keeps its shape in the deformer.
    MAnimControl::setCurrentTime(MTime(2.0, MTime::kFilm));
    run("delete up");
    expectOffset(points("baseShape"), own, MVector(0, 2, 0));
}

TEST_F(BlendShapeTest, ASecondDeformerFollowsTheFirst) {
    cube("base");
    cube("x", MVector(1, 0, 0));
    cube("y", MVector(0, 1, 0));
    const MPointArray base = points("baseShape");
    MFnBlendShapeDeformer first, second;
    first.create(object("baseShape"));
    first.addTarget(object("baseShape"), 0, object("xShape"), 1.0);
    first.setWeight(0, 1.0f);
    second.create(object("baseShape"));
    second.addTarget(object("baseShape"), 0, object("yShape"), 1.0);
    second.setWeight(0, 0.5f);
    // Only one intermediate copy: the second deformer takes the first's output
    // and measures its target against that, so half of y's pull undoes half
    // of x's offset.
    EXPECT_EQ(number("size `ls -type mesh`"), 4);
    expectOffset(points("baseShape"), base, MVector(0.5, 0.5, 0));
}

TEST_F(BlendShapeTest, WorldOriginComparesTargetsWhereTheyStand) {
    cube("base");
    cube("moved");
    run("setAttr moved.tx 10");
    const MPointArray base = points("baseShape");
    MFnBlendShapeDeformer local, world;
    MStatus status;
    world.create(object("baseShape"), MFnBlendShapeDeformer::kWorldOrigin, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(world.origin(), MFnBlendShapeDeformer::kWorldOrigin);
    world.addTarget(object("baseShape"), 0, object("movedShape"), 1.0);
    world.setWeight(0, 1.0f);
    expectOffset(points("baseShape"), base, MVector(10, 0, 0));
}

TEST_F(BlendShapeTest, CommandMakesInBetweensAndUndoes) {
    cube("base");
    cube("a", MVector(1, 0, 0));
    cube("b", MVector(0, 2, 0));
    cube("c", MVector(0, 0, 3));
    const MPointArray base = points("baseShape");
    const std::string before = scene();
    EXPECT_EQ(strings("blendShape -ib -n morph a b c base"), std::vector<std::string>({"morph"}));
    run("blendShape -e -w 0 0.667 morph");
    expectOffset(points("baseShape"), base, MVector(0, 2, 0), 1e-12);
    EXPECT_EQ(numbers("blendShape -q -w morph").size(), 1u);
    run("undo; undo");
    EXPECT_EQ(scene(), before);
    expectOffset(points("baseShape"), base, MVector(0, 0, 0));
    run("redo");
    EXPECT_EQ(text("nodeType morph"), "blendShape");

    roundTrip("blendShape -e -t baseShape 1 a 1.0 -w 1 1 morph");
    roundTrip("setKeyframe -t 5 -v 1 morph.w[0]");
    EXPECT_NE(failure("blendShape -e -t baseShape 2 fine 1.0 morph").find("No object matches"),
              std::string::npos);
}

TEST_F(BlendShapeTest, SeparateTargetsGetTheirOwnWeights) {
    cube("base");
    cube("a", MVector(1, 0, 0));
    cube("b", MVector(0, 1, 0));
    const MPointArray base = points("baseShape");
    run("blendShape a b base");
    run("setAttr blendShape1.w[0] 1; setAttr blendShape1.w[1] 0.5");
    expectOffset(points("baseShape"), base, MVector(1, 0.5, 0));
    run("setAttr blendShape1.envelope 0.5");
    expectOffset(points("baseShape"), base, MVector(0.5, 0.25, 0), 1e-7);
}

TEST_F(BlendShapeTest, DeformersAndKeysSurviveASceneFile) {
    cube("base");
    cube("a", MVector(1, 0, 0));
    cube("b", MVector(0, 2, 0));
    const MPointArray base = points("baseShape");
    run("blendShape -ib -n morph a b base");
    run("setKeyframe -t 1 -v 0 morph.w[0]; setKeyframe -t 3 -v 1 morph.w[0]");
    run("delete a");  // its deltas stay with the deformer
    const std::string path =
        ::testing::TempDir() + "deformers_" + std::to_string(getpid()) + "_morph.ma";
    run("file -rename \"" + path + "\"; file -save -type \"mayaAscii\"");
    const std::string saved = scene();
    run("file -f -new");
    run("file -f -o \"" + path + "\"");
    std::remove(path.c_str());
    EXPECT_EQ(scene(), saved);
    run("currentTime 2");
    expectOffset(points("baseShape"), base, MVector(1, 0, 0), 1e-6);  // weight 0.5: target a
    run("currentTime 3");
    expectOffset(points("baseShape"), base, MVector(0, 2, 0), 1e-6);
}

}  // namespace
