// The host's setAttr and addAttr texts, as MPlug::getSetAttrCmds,
// MFnAttribute::getAddAttrCmd and MFnCompoundAttribute::getAddAttrCmds give
// them.

#include "files_fixture.h"

#include "files/AttributeTexts.h"
#include "graph/TypeNames.h"

#include <maya/MFnCompoundAttribute.h>
#include <maya/MFnDoubleArrayData.h>
#include <maya/MFnEnumAttribute.h>
#include <maya/MFnGenericAttribute.h>
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
#include <maya/MMatrix.h>

#include <cmath>

namespace host::files::testing {
namespace {

using Texts = std::vector<std::string>;

class SetAttrTextTest : public FilesTest {
protected:
    void SetUp() override {
        FilesTest::SetUp();
        node = &make("transform", "box");
    }
    MObject typed(const char* longName, const char* shortName, MFnData::Type type) {
        MFnTypedAttribute fn;
        MObject a = fn.create(longName, shortName, type);
        add(*node, a);
        return a;
    }
    Node* node = nullptr;
};

TEST_F(SetAttrTextTest, NumbersAreWrittenInTheirShortestExactForm) {
    MPlug tx = plug(*node, "tx");
    ASSERT_TRUE(tx.setValue(5.0));
    EXPECT_EQ(texts(tx), Texts{"setAttr \".tx\" 5;"});
    ASSERT_TRUE(tx.setValue(0.1));
    EXPECT_EQ(texts(tx), Texts{"setAttr \".tx\" 0.1;"});
    ASSERT_TRUE(tx.setValue(1.0 / 3.0));
    EXPECT_EQ(texts(tx), Texts{"setAttr \".tx\" 0.3333333333333333;"});
    ASSERT_TRUE(tx.setValue(-2.5e-20));
    EXPECT_EQ(texts(tx), Texts{"setAttr \".tx\" -2.5e-20;"});
    // Whatever the digits, the text reads back as the very same double.
    for (double v : {M_PI, 1e300, -123456.789012345678, 5e-324}) {
        const std::string text = numberText(v, NumberKind::kDouble);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), v) << text;
    }
    EXPECT_EQ(numberText(0.1f, NumberKind::kFloat), "0.1");
    EXPECT_EQ(numberText(-0.0, NumberKind::kDouble), "0");
    EXPECT_EQ(numberText(-7, NumberKind::kInteger), "-7");
}

TEST_F(SetAttrTextTest, UnitValuesAreInTheCurrentUiUnits) {
    MPlug rx = plug(*node, "rx");
    MAngle angle(45.0, MAngle::kDegrees);
    ASSERT_TRUE(rx.setValue(angle));
    EXPECT_EQ(texts(rx), Texts{"setAttr \".rx\" 45;"});
    MPlug tx = plug(*node, "tx");
    ASSERT_TRUE(tx.setValue(250.0));
    MDistance::setUIUnit(MDistance::kMeters);
    EXPECT_EQ(texts(tx), Texts{"setAttr \".tx\" 2.5;"});
    MAngle::setUIUnit(MAngle::kRadians);
    EXPECT_EQ(numberText(angle.asRadians(), NumberKind::kAngle),
              numberText(angle.asRadians(), NumberKind::kDouble));

    MFnUnitAttribute fn;
    MObject time = fn.create("delay", "dl", MFnUnitAttribute::kTime, 0.0);
    add(*node, time);
    MTime second(1.0, MTime::kSeconds);
    ASSERT_TRUE(plug(*node, "dl").setValue(second));
    EXPECT_EQ(texts(plug(*node, "dl")), Texts{"setAttr \".dl\" 24;"});
    MTime::setUIUnit(MTime::kNTSCFrame);
    EXPECT_EQ(texts(plug(*node, "dl")), Texts{"setAttr \".dl\" 30;"});
}

TEST_F(SetAttrTextTest, BooleansEnumsAndNumericCompounds) {
    ASSERT_TRUE(plug(*node, "v").setValue(false));
    EXPECT_EQ(texts(plug(*node, "v")), Texts{"setAttr \".v\" no;"});
    ASSERT_TRUE(plug(*node, "ro").setValue(3));
    EXPECT_EQ(texts(plug(*node, "ro")), Texts{"setAttr \".ro\" 3;"});

    MPlug t = plug(*node, "t");
    ASSERT_TRUE(t.child(0).setValue(1.0));
    ASSERT_TRUE(t.child(1).setValue(2.0));
    ASSERT_TRUE(t.child(2).setValue(-3.5));
    EXPECT_EQ(texts(t), Texts{"setAttr \".t\" -type \"double3\" 1 2 -3.5 ;"});
    EXPECT_EQ(texts(t, MPlug::kAll, true),
              Texts{"setAttr \".translate\" -type \"double3\" 1 2 -3.5 ;"});

    MFnNumericAttribute fn;
    MObject color = fn.createColor("color", "col");
    add(*node, color);
    MPlug col = plug(*node, "col");
    ASSERT_TRUE(col.child(0).setValue(1.0f));
    ASSERT_TRUE(col.child(1).setValue(0.1f));
    EXPECT_EQ(texts(col), Texts{"setAttr \".col\" -type \"float3\" 1 0.1 0 ;"});
    EXPECT_EQ(texts(col.child(1)), Texts{"setAttr \".colG\" 0.1;"});
}

TEST_F(SetAttrTextTest, StringsAreQuotedWithTheirEscapes) {
    typed("myName", "nm", MFnData::kString);
    MString text("say \"hi\"\\\n\tend");
    ASSERT_TRUE(plug(*node, "nm").setValue(text));
    EXPECT_EQ(texts(plug(*node, "nm")),
              Texts{"setAttr \".nm\" -type \"string\" \"say \\\"hi\\\"\\\\\\n\\tend\";"});
    // An unset string is the empty string.
    typed("other", "ot", MFnData::kString);
    EXPECT_EQ(texts(plug(*node, "ot")), Texts{"setAttr \".ot\" -type \"string\" \"\";"});
    EXPECT_TRUE(texts(plug(*node, "ot"), MPlug::kNonDefault).empty());
}

TEST_F(SetAttrTextTest, EveryDataKindHasItsTypedForm) {
    typed("names", "sa", MFnData::kStringArray);
    typed("values", "da", MFnData::kDoubleArray);
    typed("counts", "ia", MFnData::kIntArray);
    typed("directions", "va", MFnData::kVectorArray);
    typed("positions", "pa", MFnData::kPointArray);
    typed("placement", "pl", MFnData::kMatrix);
    auto set = [&](const char* name, MObject data) {
        ASSERT_TRUE(plug(*node, name).setValue(data));
    };

    MStringArray names;
    names.append("a");
    names.append("b c");
    set("sa", MFnStringArrayData().create(names));
    MDoubleArray values;
    for (double v : {1.0, 2.5, -3.0})
        values.append(v);
    set("da", MFnDoubleArrayData().create(values));
    MIntArray counts;
    for (int v : {4, -5})
        counts.append(v);
    set("ia", MFnIntArrayData().create(counts));
    MVectorArray directions;
    directions.append(MVector(1, 2, 3));
    directions.append(MVector(4, 5, 6));
    set("va", MFnVectorArrayData().create(directions));
    MPointArray positions;
    positions.append(MPoint(1, 2, 3));
    set("pa", MFnPointArrayData().create(positions));
    MMatrix m;
    m(3, 0) = 7.0;
    m(0, 1) = 0.5;
    set("pl", MFnMatrixData().create(m));

    EXPECT_EQ(texts(plug(*node, "sa")),
              Texts{"setAttr \".sa\" -type \"stringArray\" 2 \"a\" \"b c\" ;"});
    EXPECT_EQ(texts(plug(*node, "da")),
              Texts{"setAttr \".da\" -type \"doubleArray\" 3 1 2.5 -3 ;"});
    EXPECT_EQ(texts(plug(*node, "ia")), Texts{"setAttr \".ia\" -type \"Int32Array\" 2 4 -5 ;"});
    EXPECT_EQ(texts(plug(*node, "va")),
              Texts{"setAttr \".va\" -type \"vectorArray\" 2 1 2 3 4 5 6 ;"});
    EXPECT_EQ(texts(plug(*node, "pa")), Texts{"setAttr \".pa\" -type \"pointArray\" 1 1 2 3 1 ;"});
    EXPECT_EQ(texts(plug(*node, "pl")),
              Texts{"setAttr \".pl\" -type \"matrix\" 1 0.5 0 0 0 1 0 0 0 0 1 0 7 0 0 1;"});
    // Empty arrays keep their count.
    set("da", MFnDoubleArrayData().create());
    EXPECT_EQ(texts(plug(*node, "da")), Texts{"setAttr \".da\" -type \"doubleArray\" 0 ;"});
    EXPECT_TRUE(texts(plug(*node, "da"), MPlug::kNonDefault).empty());
}

TEST_F(SetAttrTextTest, MultisWriteContiguousRuns) {
    MFnNumericAttribute fn;
    MObject weights = fn.create("weights", "w", MFnNumericData::kDouble, 0.0);
    fn.setArray(true);
    add(*node, weights);
    MPlug w = plug(*node, "w");
    const std::pair<unsigned, double> elements[] = {{0, 1.0}, {1, 0.5}, {2, 0.0},
                                                    {5, 2.0}, {6, 3.0}, {9, 4.0}};
    for (const auto& [index, value] : elements)
        ASSERT_TRUE(w.elementByLogicalIndex(index).setValue(value));
    const Texts expected{"setAttr -s 6 \".w[0:2]\" 1 0.5 0;", "setAttr \".w[5:6]\" 2 3;",
                         "setAttr \".w[9]\" 4;"};
    EXPECT_EQ(texts(w), expected);
    // An element that exists is kept even at its default value.
    EXPECT_EQ(texts(w, MPlug::kNonDefault), expected);
    EXPECT_EQ(texts(w.elementByLogicalIndex(5)), Texts{"setAttr \".w[5]\" 2;"});
}

TEST_F(SetAttrTextTest, CompoundChildrenAreNamedBelowTheirParent) {
    MFnNumericAttribute numeric;
    MObject a = numeric.create("alpha", "al", MFnNumericData::kLong, 0);
    MObject b = numeric.create("beta", "be", MFnNumericData::kDouble, 0);
    MFnCompoundAttribute compound;
    MObject c = compound.create("settings", "st");
    compound.addChild(a);
    compound.addChild(b);
    compound.setArray(true);
    add(*node, c);
    MPlug element = plug(*node, "st").elementByLogicalIndex(2);
    ASSERT_TRUE(element.child(0).setValue(7));
    ASSERT_TRUE(element.child(1).setValue(0.25));
    EXPECT_EQ(texts(plug(*node, "st")),
              (Texts{"setAttr \".st[2].al\" 7;", "setAttr \".st[2].be\" 0.25;"}));
    EXPECT_EQ(texts(element, MPlug::kAll, true),
              (Texts{"setAttr \".settings[2].alpha\" 7;", "setAttr \".settings[2].beta\" 0.25;"}));
}

TEST_F(SetAttrTextTest, LocksAndKeyableOverridesGoWithTheValue) {
    MPlug tx = plug(*node, "tx");
    ASSERT_TRUE(tx.setValue(5.0));
    ASSERT_TRUE(tx.setLocked(true));
    EXPECT_EQ(texts(tx), Texts{"setAttr -l on \".tx\" 5;"});
    ASSERT_TRUE(tx.setKeyable(false));
    EXPECT_EQ(texts(tx, MPlug::kNonDefault), Texts{"setAttr -l on -k off \".tx\" 5;"});
    // A default value that is locked is written for its lock alone.
    MPlug ty = plug(*node, "ty");
    ASSERT_TRUE(ty.setLocked(true));
    EXPECT_EQ(texts(ty, MPlug::kNonDefault), Texts{"setAttr -l on \".ty\";"});
    // The compound's value comes first, so that a locked child does not
    // refuse it when the texts run.
    EXPECT_EQ(texts(plug(*node, "t"), MPlug::kChanged),
              (Texts{"setAttr \".t\" -type \"double3\" 5 0 0 ;", "setAttr -l on -k off \".t.tx\";",
                     "setAttr -l on \".t.ty\";"}));
    ASSERT_TRUE(plug(*node, "v").setKeyable(false));
    EXPECT_EQ(texts(plug(*node, "v"), MPlug::kNonDefault), Texts{"setAttr -k off \".v\";"});
}

TEST_F(SetAttrTextTest, NonDefaultSkipsWhatAFileDoesNotKeep) {
    EXPECT_TRUE(texts(plug(*node, "t"), MPlug::kNonDefault).empty());
    EXPECT_EQ(texts(plug(*node, "t")), Texts{"setAttr \".t\" -type \"double3\" 0 0 0 ;"});
    // Outputs: computed, not storable.
    EXPECT_TRUE(texts(plug(*node, "m"), MPlug::kNonDefault).empty());
    // Messages have no value.
    MFnMessageAttribute fn;
    add(*node, fn.create("link", "lk"));
    EXPECT_TRUE(texts(plug(*node, "lk")).empty());
    MPlug null;
    MStringArray cmds;
    EXPECT_FALSE(null.getSetAttrCmds(cmds));
}

TEST_F(SetAttrTextTest, TextsCarryTheNameThatRetargetingLooksFor) {
    MPlug t = plug(*node, "t");
    ASSERT_TRUE(t.child(0).setValue(1.0));
    for (const MPlug& p : {t, t.child(0), plug(*node, "ro")}) {
        const std::string from = "\"." + std::string(p.partialName().asChar());
        for (const std::string& text : texts(p))
            EXPECT_NE(text.find(from), std::string::npos) << text;
    }
}

// ---------------------------------------------------------------- addAttr

std::string addText(const MObject& attribute, bool longFlags = false) {
    MStatus status;
    MString text = MFnAttribute(attribute).getAddAttrCmd(longFlags, &status);
    EXPECT_TRUE(status);
    return text.asChar();
}

TEST(AddAttrText, NumericKindsWithTheirLimitsAndDefaults) {
    MFnNumericAttribute fn;
    MObject speed = fn.create("speed", "spd", MFnNumericData::kDouble, 0.0);
    fn.setMin(0.0);
    fn.setMax(10.0);
    EXPECT_EQ(addText(speed),
              "addAttr -ci true -sn \"spd\" -ln \"speed\" -min 0 -max 10 -at \"double\";");
    EXPECT_EQ(addText(speed, true),
              "addAttr -cachedInternally true -shortName \"spd\" -longName \"speed\" -minValue 0 "
              "-maxValue 10 -attributeType \"double\";");

    MObject count = fn.create("count", "cnt", MFnNumericData::kLong, 5);
    fn.setSoftMin(1);
    fn.setSoftMax(8);
    fn.setKeyable(true);
    EXPECT_EQ(
        addText(count),
        "addAttr -ci true -k true -sn \"cnt\" -ln \"count\" -smn 1 -smx 8 -dv 5 -at \"long\";");
    MObject flag = fn.create("enabled", "en", MFnNumericData::kBoolean, 1);
    fn.setHidden(true);
    fn.setStorable(false);
    EXPECT_EQ(addText(flag),
              "addAttr -ci true -h true -s false -sn \"en\" -ln \"enabled\" -dv 1 -at \"bool\";");
    MObject ratio = fn.create("ratio", "rt", MFnNumericData::kFloat, 0.1);
    fn.setReadable(false);
    fn.setWritable(false);
    fn.setInternal(true);
    EXPECT_EQ(addText(ratio),
              "addAttr -ci true -r false -w false -is true -sn \"rt\" -ln \"ratio\" -dv 0.1 -at "
              "\"float\";");
    for (auto [type, name] : {std::pair{MFnNumericData::kByte, "byte"},
                              {MFnNumericData::kChar, "char"},
                              {MFnNumericData::kShort, "short"},
                              {MFnNumericData::k2Long, "long2"},
                              {MFnNumericData::k3Double, "double3"}}) {
        MObject a = fn.create("n", "n", type, 0);
        EXPECT_EQ(addText(a),
                  std::string("addAttr -ci true -sn \"n\" -ln \"n\" -at \"") + name + "\";");
    }
}

TEST(AddAttrText, MultisEnumsUnitsAndOtherKinds) {
    MFnNumericAttribute numeric;
    MObject weights = numeric.create("weights", "w", MFnNumericData::kDouble, 0.0);
    numeric.setArray(true);
    EXPECT_EQ(addText(weights), "addAttr -ci true -m -sn \"w\" -ln \"weights\" -at \"double\";");
    numeric.setIndexMatters(false);
    EXPECT_EQ(addText(weights),
              "addAttr -ci true -m -im false -sn \"w\" -ln \"weights\" -at \"double\";");

    MFnEnumAttribute enumeration;
    MObject mode = enumeration.create("mode", "md");
    enumeration.addField("a", 0);
    enumeration.addField("b", 1);
    enumeration.addField("c", 2);
    EXPECT_EQ(addText(mode),
              "addAttr -ci true -sn \"md\" -ln \"mode\" -min 0 -max 2 -en \"a:b:c\" -at \"enum\";");
    MObject gaps = enumeration.create("level", "lv", 5);
    enumeration.addField("low", 1);
    enumeration.addField("high", 5);
    enumeration.addField("top", 6);
    EXPECT_EQ(addText(gaps),
              "addAttr -ci true -sn \"lv\" -ln \"level\" -min 1 -max 6 -dv 5 -en "
              "\"low=1:high=5:top\" -at \"enum\";");

    MFnUnitAttribute unit;
    MObject offset = unit.create("offset", "off", MDistance(2.0, MDistance::kCentimeters));
    EXPECT_EQ(addText(offset),
              "addAttr -ci true -sn \"off\" -ln \"offset\" -dv 2 -at \"doubleLinear\";");
    MObject turn = unit.create("turn", "tu", MAngle(90.0, MAngle::kDegrees));
    EXPECT_EQ(addText(turn),
              "addAttr -ci true -sn \"tu\" -ln \"turn\" -dv 90 -at \"doubleAngle\";");
    MObject delay = unit.create("delay", "dl", MTime(2.0, MTime::kFilm));
    EXPECT_EQ(addText(delay), "addAttr -ci true -sn \"dl\" -ln \"delay\" -dv 2 -at \"time\";");

    MFnTypedAttribute typed;
    MObject name = typed.create("myName", "nm", MFnData::kString);
    typed.setKeyable(true);
    EXPECT_EQ(addText(name), "addAttr -ci true -k true -sn \"nm\" -ln \"myName\" -dt \"string\";");
    EXPECT_EQ(addText(name, true),
              "addAttr -cachedInternally true -keyable true -shortName \"nm\" -longName \"myName\" "
              "-dataType \"string\";");
    MObject values = typed.create("values", "vals", MFnData::kDoubleArray);
    EXPECT_EQ(addText(values), "addAttr -ci true -sn \"vals\" -ln \"values\" -dt \"doubleArray\";");
    MObject ids = typed.create("ids", "ids", MFnData::kIntArray);
    EXPECT_EQ(addText(ids), "addAttr -ci true -sn \"ids\" -ln \"ids\" -dt \"Int32Array\";");

    MFnMessageAttribute message;
    EXPECT_EQ(addText(message.create("link", "lk")),
              "addAttr -ci true -sn \"lk\" -ln \"link\" -at \"message\";");
    MFnMatrixAttribute matrix;
    EXPECT_EQ(addText(matrix.create("xform", "xf")),
              "addAttr -ci true -sn \"xf\" -ln \"xform\" -at \"matrix\";");
    MFnGenericAttribute generic;
    EXPECT_EQ(addText(generic.create("any", "an")),
              "addAttr -ci true -sn \"an\" -ln \"any\" -at \"generic\";");
    MObject none;
    MStatus status;
    EXPECT_EQ(MFnAttribute(none).getAddAttrCmd(false, &status), MString());
    EXPECT_FALSE(status);
}

TEST(AddAttrText, CompoundsListTheirChildrenDepthFirst) {
    MFnNumericAttribute numeric;
    MObject color = numeric.createColor("color", "col");
    MStringArray cmds;
    ASSERT_TRUE(MFnCompoundAttribute(color).getAddAttrCmds(cmds));
    ASSERT_EQ(cmds.length(), 4u);
    EXPECT_STREQ(cmds[0].asChar(),
                 "addAttr -ci true -sn \"col\" -ln \"color\" -uac -at \"float3\" -nc 3;");
    EXPECT_STREQ(cmds[1].asChar(),
                 "addAttr -ci true -sn \"colR\" -ln \"colorR\" -at \"float\" -p \"color\";");
    EXPECT_STREQ(cmds[3].asChar(),
                 "addAttr -ci true -sn \"colB\" -ln \"colorB\" -at \"float\" -p \"color\";");

    MFnCompoundAttribute compound;
    MObject inner = compound.create("inner", "in");
    compound.addChild(numeric.create("depth", "dp", MFnNumericData::kDouble, 0));
    MObject outer = compound.create("outer", "out");
    compound.setArray(true);
    compound.addChild(inner);
    compound.addChild(numeric.create("width", "wd", MFnNumericData::kDouble, 0));
    ASSERT_TRUE(MFnCompoundAttribute(outer).getAddAttrCmds(cmds, true));
    ASSERT_EQ(cmds.length(), 4u);
    EXPECT_STREQ(cmds[0].asChar(),
                 "addAttr -cachedInternally true -multi -shortName \"out\" -longName \"outer\" "
                 "-attributeType \"compound\" -numberOfChildren 2;");
    EXPECT_STREQ(cmds[1].asChar(),
                 "addAttr -cachedInternally true -shortName \"in\" -longName \"inner\" "
                 "-attributeType \"compound\" -numberOfChildren 1 -parent \"outer\";");
    EXPECT_STREQ(cmds[2].asChar(),
                 "addAttr -cachedInternally true -shortName \"dp\" -longName \"depth\" "
                 "-attributeType \"double\" -parent \"inner\";");
    // The single text of a compound is its own.
    EXPECT_EQ(addText(outer),
              "addAttr -ci true -m -sn \"out\" -ln \"outer\" -at \"compound\" -nc 2;");
    EXPECT_FALSE(MFnCompoundAttribute(numeric.create("x", "x", MFnNumericData::kDouble, 0))
                     .getAddAttrCmds(cmds));
}

// A file's addAttr line must read back as the type it was written for; the
// one name addAttr refuses is dynArrayAttrs.
template <class Type>
void expectWrittenNamesReadBack(Type last) {
    for (int t = 1; t < static_cast<int>(last); ++t) {
        const Type type = static_cast<Type>(t);
        const char* written = typeNameFor(type, kWrittenName);
        if (!written || std::string(written) == "dynArrayAttrs")
            continue;
        Type read{};
        EXPECT_TRUE(typeFromName(written, read)) << written;
        EXPECT_EQ(read, type) << written;
        EXPECT_STREQ(typeNameFor(type, kQueriedName), written);
    }
}

TEST(TypeNamesTest, WhatAFileWritesAddAttrReadsBackAsTheSameType) {
    expectWrittenNamesReadBack(MFnNumericData::kLast);
    expectWrittenNamesReadBack(MFnData::kLast);
    expectWrittenNamesReadBack(MFnUnitAttribute::kLast);
    MFnNumericData::Type numeric{};
    EXPECT_TRUE(typeFromName("spectrum", numeric));
    EXPECT_EQ(numeric, MFnNumericData::k3Float);
    EXPECT_STREQ(typeNameFor(MFnNumericData::k3Float, kWrittenName), "float3");
    EXPECT_FALSE(typeFromName("addr", numeric));
}

}  // namespace
}  // namespace host::files::testing
