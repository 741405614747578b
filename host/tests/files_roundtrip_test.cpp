// Scenes saved and opened again, and attribute texts run back through the
// host's setAttr and addAttr: what comes back is what went out.

#include "files_fixture.h"

#include "files/AttributeTexts.h"
#include "geometry/Mesh.h"
#include "plugin/PluginManager.h"

#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDoubleArrayData.h>
#include <maya/MFnEnumAttribute.h>
#include <maya/MFnIntArrayData.h>
#include <maya/MFnMatrixAttribute.h>
#include <maya/MFnMatrixData.h>
#include <maya/MFnMessageAttribute.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnPointArrayData.h>
#include <maya/MFnStringArrayData.h>
#include <maya/MFnStringData.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MFnVectorArrayData.h>

#include <cstdlib>

namespace host::files::testing {
namespace {

class RoundTripTest : public FilesTest {
protected:
    // Every kind of dynamic attribute, each holding a value that is not
    // its default.
    void fill(Node& node) {
        MFnNumericAttribute numeric;
        add(node, numeric.create("speed", "spd", MFnNumericData::kDouble, 1.0));
        numeric.setMin(0.0);
        numeric.setMax(10.0);
        add(node, numeric.create("count", "cnt", MFnNumericData::kLong, 0));
        numeric.setKeyable(true);
        add(node, numeric.create("enabled", "ena", MFnNumericData::kBoolean, 1));
        add(node, numeric.create("ratio", "rat", MFnNumericData::kFloat, 0.0));
        add(node, numeric.createColor("tint", "tn"));
        MObject weights = numeric.create("weights", "wt", MFnNumericData::kDouble, 0.0);
        numeric.setArray(true);
        add(node, weights);
        MFnEnumAttribute enumeration;
        add(node, enumeration.create("mode", "md"));
        enumeration.addField("off", 0);
        enumeration.addField("on", 1);
        enumeration.addField("auto", 4);
        MFnUnitAttribute unit;
        add(node, unit.create("offset", "ofs", MFnUnitAttribute::kDistance, 0.0));
        add(node, unit.create("turn", "trn", MFnUnitAttribute::kAngle, 0.0));
        add(node, unit.create("delay", "dl", MFnUnitAttribute::kTime, 0.0));
        MFnTypedAttribute typed;
        add(node, typed.create("label", "lb", MFnData::kString));
        add(node, typed.create("names", "nms", MFnData::kStringArray));
        add(node, typed.create("values", "vls", MFnData::kDoubleArray));
        add(node, typed.create("ids", "ids", MFnData::kIntArray));
        add(node, typed.create("directions", "dirs", MFnData::kVectorArray));
        add(node, typed.create("positions", "poss", MFnData::kPointArray));
        MFnMatrixAttribute matrix;
        add(node, matrix.create("placement", "plc"));
        MFnMessageAttribute message;
        add(node, message.create("link", "lnk"));
        MFnCompoundAttribute compound;
        MObject depth = numeric.create("depth", "dp", MFnNumericData::kDouble, 0.0);
        MObject layers = numeric.create("layers", "ly", MFnNumericData::kShort, 0);
        MObject settings = compound.create("settings", "sts");
        compound.addChild(depth);
        compound.addChild(layers);
        compound.setArray(true);
        add(node, settings);

        auto set = [&](const char* name, auto value) {
            ASSERT_TRUE(plug(node, name).setValue(value)) << name;
        };
        set("spd", 2.5);
        set("cnt", 7);
        set("ena", false);
        set("rat", 0.1f);
        set("md", 4);
        set("ofs", 1.0 / 3.0);
        set("trn", 0.25);
        set("dl", 1.5);
        set("lb", MString("a \"quoted\" text\\ with\nlines\tand tabs"));
        MPlug tint = plug(node, "tn");
        ASSERT_TRUE(tint.child(0).setValue(0.5f));
        ASSERT_TRUE(tint.child(2).setValue(0.75f));
        MPlug w = plug(node, "wt");
        for (unsigned i : {0u, 1u, 2u, 7u})
            ASSERT_TRUE(w.elementByLogicalIndex(i).setValue(i * 0.5));
        MPlug element = plug(node, "sts").elementByLogicalIndex(3);
        ASSERT_TRUE(element.child(0).setValue(-4.0));
        ASSERT_TRUE(element.child(1).setValue(9));
        MStringArray names;
        names.append("first");
        names.append("with \"quotes\"");
        MObject data = MFnStringArrayData().create(names);
        set("nms", data);
        MDoubleArray values;
        values.append(1e-7);
        values.append(-2.0);
        data = MFnDoubleArrayData().create(values);
        set("vls", data);
        MIntArray ids;
        ids.append(3);
        ids.append(-1);
        data = MFnIntArrayData().create(ids);
        set("ids", data);
        MVectorArray directions;
        directions.append(MVector(0.1, 0.2, 0.3));
        data = MFnVectorArrayData().create(directions);
        set("dirs", data);
        MPointArray positions;
        positions.append(MPoint(1, 2, 3, 1));
        positions.append(MPoint(-1, 0, 0.5, 2));
        data = MFnPointArrayData().create(positions);
        set("poss", data);
        MMatrix m;
        m(3, 0) = 4.0;
        m(1, 2) = 3.141592653589793;
        data = MFnMatrixData().create(m);
        set("plc", data);
    }

    // Saves, opens the file again and expects the very same scene.
    void roundTrip() {
        const std::string p = path("round.ma");
        setSceneName(p);
        ASSERT_TRUE(saveScene("")) << lastError();
        const std::string before = dumpScene();
        ASSERT_TRUE(openScene(p, false)) << lastError() << "\n" << readFile(p);
        EXPECT_EQ(dumpScene(), before) << readFile(p);
        EXPECT_FALSE(isModified());
    }
};

TEST_F(RoundTripTest, EveryValueKindComesBack) {
    Node& box = make("transform", "box");
    fill(box);
    MPlug t = plug(box, "t");
    ASSERT_TRUE(t.child(0).setValue(1.0));
    ASSERT_TRUE(t.child(2).setValue(-0.1));
    MAngle angle(30.0, MAngle::kDegrees);
    ASSERT_TRUE(plug(box, "ry").setValue(angle));
    ASSERT_TRUE(plug(box, "s").child(1).setValue(2.0));
    ASSERT_TRUE(plug(box, "v").setValue(false));
    ASSERT_TRUE(plug(box, "tx").setLocked(true));
    ASSERT_TRUE(plug(box, "sy").setLocked(true));
    ASSERT_TRUE(plug(box, "v").setKeyable(false));
    ASSERT_TRUE(plug(box, "cnt").setKeyable(false));
    const std::string label = plug(box, "lb").asString().asChar();
    roundTrip();
    Node& reopened = *Scene::current().nodesNamed("box").at(0);
    EXPECT_EQ(plug(reopened, "lb").asString().asChar(), label);
    EXPECT_EQ(plug(reopened, "ofs").asDouble(), 1.0 / 3.0);
    EXPECT_TRUE(plug(reopened, "tx").isLocked());
    EXPECT_FALSE(plug(reopened, "v").isKeyable());
}

TEST_F(RoundTripTest, HierarchiesInstancesAndConnections) {
    Node& g1 = make("transform", "g1");
    Node& g2 = make("transform", "g2");
    Node& leaf1 = make("transform", "leaf", &g1);
    make("transform", "leaf", &g2);
    Node& shape = make("locator", "leafShape", &leaf1);
    make("transform", "last");
    MObject child = object(shape);
    ASSERT_TRUE(MFnDagNode(object(g2)).addChild(child, MFnDagNode::kNextPos, true));
    MFnUnitAttribute unit;
    add(g2, unit.create("delay", "dl", MFnUnitAttribute::kTime, 0.0));
    MFnMessageAttribute message;
    add(g1, message.create("link", "lnk"));
    Node& time = *Scene::current().nodesNamed("time1").at(0);
    MTime frame(12.0, MTime::kFilm);
    ASSERT_TRUE(plug(time, "o").setValue(frame));
    Scene& scene = Scene::current();
    ASSERT_TRUE(scene.connect(PlugAccess::ref(plug(time, "o")), PlugAccess::ref(plug(g2, "dl"))));
    ASSERT_TRUE(scene.connect(PlugAccess::ref(plug(leaf1, "tx")), PlugAccess::ref(plug(g1, "ry"))));
    ASSERT_TRUE(scene.connect(PlugAccess::ref(plug(g2, "msg")), PlugAccess::ref(plug(g1, "lnk"))));
    ASSERT_TRUE(plug(leaf1, "tx").setValue(3.0));
    roundTrip();
    Node& shapeAgain = *scene.nodesNamed("leafShape").at(0);
    ASSERT_EQ(shapeAgain.parents.size(), 2u);
    EXPECT_EQ(shapeAgain.parents[1]->name(), "g2");
    Node& g1Again = *scene.nodesNamed("g1").at(0);
    MAngle driven;
    ASSERT_TRUE(plug(g1Again, "ry").getValue(driven));
    EXPECT_DOUBLE_EQ(driven.asRadians(), 3.0);
}

// Copies share their original's geometry until one is given its own; the
// file gives each mesh the points it has, whatever it shares.
TEST_F(RoundTripTest, CopiesSavedWithTheGeometryEachHolds) {
    ASSERT_TRUE(mel("polyCube -n box; duplicate -rr box; duplicate -rr box")) << lastError();
    Scene& scene = Scene::current();
    auto shapeOf = [&](const std::string& name) -> Node& {
        return *scene.nodesNamed(name).at(0)->children.front();
    };
    geometry::MeshData moved = *geometry::meshOf(shapeOf("box1"));
    moved.points[0] = MPoint(5, 6, 7);
    geometry::setGeometry(shapeOf("box1"), moved);
    roundTrip();
    const MPointArray original = geometry::meshPoints(shapeOf("box"));
    EXPECT_EQ(geometry::meshPoints(shapeOf("box1"))[0], MPoint(5, 6, 7));
    EXPECT_EQ(geometry::meshPoints(shapeOf("box2"))[0], original[0]);
    EXPECT_NE(original[0], MPoint(5, 6, 7));
    EXPECT_EQ(geometry::meshOf(shapeOf("box2"))->faceConnects,
              geometry::meshOf(shapeOf("box1"))->faceConnects);
}

// An instance added to a parent before its later children sits ahead of
// them; the file adds instances once every node exists, so a second save
// must not depend on where they sat.
TEST_F(RoundTripTest, InstancesAddedBeforeLaterChildrenSaveTheSameAgain) {
    ASSERT_TRUE(
        mel("createNode transform -n a; createNode locator -n aShape -p a;"
            "createNode transform -n b; createNode locator -n bShape -p b;"
            "createNode transform -n p; parent -s -add \"|b|bShape\" p;"
            "createNode transform -n q -p p; parent -s -add \"|a|aShape\" q"));
    roundTrip();
    roundTrip();
    EXPECT_EQ(melText("listRelatives -ap \"|b|bShape\""), "b p");
}

// A set holds a DAG node by a link from the node's instance groups, which
// the file has as a connection of its own.
TEST_F(RoundTripTest, SetsKeepTheirDagAndDependencyMembers) {
    ASSERT_TRUE(
        mel("createNode transform -n box; createNode transform -n leaf -p box;"
            "createNode locator -n leafShape -p leaf; createNode lambert -n skin;"
            "sets -n group box leaf skin"));
    roundTrip();
    EXPECT_EQ(melText("sets -q group"), "box leaf skin");
}

TEST_F(RoundTripTest, ValuesWrittenInOtherUnitsReadBackExactly) {
    Node& box = make("transform", "box");
    fill(box);
    ASSERT_TRUE(plug(box, "tz").setValue(0.7));
    MDistance::setUIUnit(MDistance::kInches);
    MAngle::setUIUnit(MAngle::kRadians);
    MTime::setUIUnit(MTime::kNTSCFrame);
    roundTrip();
    EXPECT_EQ(MDistance::uiUnit(), MDistance::kInches);
    EXPECT_EQ(MAngle::uiUnit(), MAngle::kRadians);
    EXPECT_EQ(MTime::uiUnit(), MTime::kNTSCFrame);
    EXPECT_EQ(plug(*Scene::current().nodesNamed("box").at(0), "tz").asDouble(), 0.7);
}

TEST_F(RoundTripTest, PluginNodesBringTheirPluginBack) {
    setenv("MAYA_PLUG_IN_PATH", HOST_TEST_PLUGIN_DIR, 1);
    ASSERT_TRUE(mel("loadPlugin -quiet TestPlugin"));
    make("tpNode", "custom");
    const std::string p = path("plugin.ma");
    setSceneName(p);
    ASSERT_TRUE(saveScene(""));
    EXPECT_NE(readFile(p).find("\nrequires \"TestPlugin\" \"2.5\";\n"), std::string::npos);
    const std::string before = dumpScene();
    ASSERT_TRUE(newScene(true));
    ASSERT_TRUE(mel("unloadPlugin TestPlugin"));
    ASSERT_TRUE(openScene(p, false)) << lastError();
    EXPECT_TRUE(plugin::PluginManager::instance().find("TestPlugin"));
    EXPECT_EQ(dumpScene(), before);
    ASSERT_TRUE(newScene(true));
    EXPECT_TRUE(mel("unloadPlugin TestPlugin"));
}

// Texts of one node run on another (the way a copy retargets them) give
// the other the same attributes and values.
// A weighted curve keeps each weight as the length of its tangent vector
// (an unweighted one keeps unit vectors), so the weights come back.
TEST_F(RoundTripTest, WeightedCurvesKeepTheirWeightsInTheTangentVectors) {
    ASSERT_TRUE(
        mel("createNode transform -n box; setKeyframe -t 1 -v 0 -at tx box;"
            "setKeyframe -t 25 -v 0 -at tx box; setKeyframe -t 1 -v 0 -at ty box;"
            "keyTangent -e -wt on box.tx; keyTangent -e -t 1 -ow 2.5 -iw 0.5 box.tx;"
            "keyTangent -e -t 25 -iw 0 box.tx"));
    const std::string at12 = melText("getAttr -t 12 box.tx");
    roundTrip();
    EXPECT_EQ(melText("keyTangent -q -ow -iw box.tx"), "0.5 2.5 0 1");
    EXPECT_EQ(melText("getAttr -t 12 box.tx"), at12);
    EXPECT_EQ(melText("keyTangent -q -wt box.tx box.ty"), "1 0");
    const std::string file = readFile(path("round.ma"));
    EXPECT_NE(file.find("\tsetAttr \".wgt\" yes;\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\tsetAttr -s 2 \".kox[0:1]\" 2.5 1;\n"), std::string::npos) << file;

    // A file's weighted curve: the weight is the vector's length, whatever
    // way it points.
    const std::string written = path("weighted.ma");
    writeFile(written,
              "//Maya ASCII 2008 scene\nrequires maya \"2008\";\n"
              "createNode animCurveTU -n \"curve\";\n"
              "\tsetAttr \".wgt\" yes;\n"
              "\tsetAttr -s 2 \".ktv[0:1]\" 1 0 25 1;\n"
              "\tsetAttr -s 2 \".kox[0:1]\" 1.2 3;\n"
              "\tsetAttr -s 2 \".koy[0:1]\" 1.6 0;\n");
    ASSERT_TRUE(openScene(written, true)) << lastError();
    EXPECT_EQ(melText("keyTangent -q -ow curve"), "2 3");
    EXPECT_EQ(melText("keyTangent -q -wt curve"), "1");
}

TEST_F(RoundTripTest, TextsRunBackThroughAddAttrAndSetAttr) {
    Node& source = make("transform", "source");
    fill(source);
    Node& target = make("transform", "target");
    for (const AttributePtr& a : source.dynamicAttributes())
        for (std::string text : addAttrTexts(*a, false)) {
            text.insert(text.size() - 1, " \"target\"");
            ASSERT_TRUE(mel(text)) << text << "\n" << lastError();
        }
    for (const AttributePtr& a : source.dynamicAttributes()) {
        Attribute* copy = target.findAttribute(a->longName);
        ASSERT_TRUE(copy) << a->longName;
        EXPECT_EQ(addAttrTexts(*copy, true), addAttrTexts(*a, true));
        MPlug from = plug(source, a->longName);
        const std::string pattern = "\"." + std::string(from.partialName().asChar());
        const std::string replacement = "\"target." + std::string(from.partialName().asChar());
        for (std::string text : texts(from)) {
            for (size_t at = text.find(pattern); at != std::string::npos;
                 at = text.find(pattern, at + replacement.size()))
                text.replace(at, pattern.size(), replacement);
            ASSERT_TRUE(mel(text)) << text << "\n" << lastError();
        }
        EXPECT_EQ(texts(plug(target, a->longName)), texts(from)) << a->longName;
    }
}

}  // namespace
}  // namespace host::files::testing
