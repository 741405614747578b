// dkCopyAttr through the script line: every attribute kind copied as the
// host would recreate it, prefix and capital letter, forced settings,
// compounds, undo and redo, and each failure line.

#include "PluginTestSupport.h"

#include <maya/MFnAttribute.h>
#include <maya/MFnCompoundAttribute.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using dktest::errors;
using dktest::evalString;
using dktest::run;

// The host's add-attribute texts for the attribute of a plug, the compound's
// children included.
Lines addAttrTexts(const std::string& plugName) {
    const MPlug plug = dktest::plugByName(plugName);
    Lines texts;
    if (plug.isCompound()) {
        MFnCompoundAttribute compound(plug.attribute());
        MStringArray commands;
        EXPECT_EQ(compound.getAddAttrCmds(commands, false), MS::kSuccess);
        for (unsigned i = 0; i < commands.length(); ++i) {
            texts.push_back(commands[i].asChar());
        }
    } else {
        texts.push_back(MFnAttribute(plug.attribute()).getAddAttrCmd(false).asChar());
    }
    return texts;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

bool attributeExists(const std::string& attribute, const std::string& node) {
    return evalString("objExists " + node + "." + attribute) == "1";
}

class CopyAttrCommandTest : public dktest::PluginTest {
protected:
    void SetUp() override {
        dktest::PluginTest::SetUp();
        ASSERT_TRUE(run("createNode transform -n src; createNode transform -n dst"));
        dktest::clearOutput();
    }

    void addVector(const std::string& node, const std::string& settings = "") {
        ASSERT_TRUE(run("addAttr -ln vec -at double3" + settings + " " + node +
                        "; addAttr -ln vecX -at double -p vec " + node +
                        "; addAttr -ln vecY -at double -p vec " + node +
                        "; addAttr -ln vecZ -at double -p vec " + node));
    }

    std::string copy(const std::string& arguments) { return evalString("dkCopyAttr " + arguments); }
};

TEST_F(CopyAttrCommandTest, EveryKindIsRecreatedAsTheHostWritesIt) {
    const char* const kinds[] = {
        "-at bool -dv 1",
        "-at long -min -3 -max 9 -dv 2",
        "-at short -k true",
        "-at byte",
        "-at char",
        "-at float -smn 0 -smx 5",
        "-at double -dv 0.5 -h true",
        "-at doubleLinear -dv 2",
        "-at doubleAngle",
        "-at time",
        "-at enum -en \"low:mid=4:high\"",
        "-at message",
        "-at matrix",
        "-dt \"string\"",
        "-dt doubleArray",
        "-dt Int32Array",
        "-dt stringArray",
        "-dt vectorArray",
        "-dt \"matrix\"",
        "-at double -m -im false",
        "-at generic",
        "-at double -s false -w false",
        "-at double -r false",
    };
    for (const char* kind : kinds) {
        SCOPED_TRACE(kind);
        ASSERT_TRUE(
            run("file -f -new; createNode transform -n src; createNode transform -n dst;"
                "addAttr -ln speed " +
                std::string(kind) + " src"));
        EXPECT_EQ(copy("-a src.speed dst"), "speed");
        EXPECT_EQ(addAttrTexts("dst.speed"), addAttrTexts("src.speed"));
    }
    EXPECT_TRUE(errors().empty());
}

// Setting internally and caching belong to the node type that computes the
// attribute: the copy takes the host's defaults for both.
TEST_F(CopyAttrCommandTest, InternalSetAndCachingAreNotCopied) {
    ASSERT_TRUE(
        run("addAttr -ln speed -at double -dv 2 -is true -ci false src; createNode transform -n "
            "ref; addAttr -ln speed -at double -dv 2 ref"));
    const std::string source = addAttrTexts("src.speed")[0];
    ASSERT_NE(source.find("-is true"), std::string::npos) << source;
    ASSERT_NE(source.find("-ci false"), std::string::npos) << source;
    EXPECT_EQ(copy("-a src.speed dst"), "speed");
    EXPECT_EQ(addAttrTexts("dst.speed"), addAttrTexts("ref.speed"));
    EXPECT_TRUE(errors().empty());
}

TEST_F(CopyAttrCommandTest, ACompoundComesWithItsChildren) {
    addVector("src");
    ASSERT_TRUE(
        run("addAttr -ln pair -at compound -nc 2 -m src;"
            "addAttr -ln left -at double -p pair src;"
            "addAttr -ln right -dt \"string\" -p pair src"));
    EXPECT_EQ(copy("-a src.vec dst"), "vec");
    EXPECT_EQ(addAttrTexts("dst.vec"), addAttrTexts("src.vec"));
    EXPECT_EQ(copy("-a src.pair dst"), "pair");
    EXPECT_EQ(addAttrTexts("dst.pair"), addAttrTexts("src.pair"));
}

TEST_F(CopyAttrCommandTest, AStaticAttributeIsCopiedAsADynamicOne) {
    ASSERT_TRUE(run("createNode objectSet -n plain"));
    EXPECT_EQ(copy("-a src.translate plain"), "translate");
    EXPECT_EQ(addAttrTexts("plain.translate"), addAttrTexts("src.translate"));
    EXPECT_EQ(evalString("getAttr plain.translateY"), "0");
}

TEST_F(CopyAttrCommandTest, APrefixGoesInFrontOfEveryNameAndCapitalizeRaisesTheFirstLetter) {
    ASSERT_TRUE(run("addAttr -ln speed -sn spd -at double -min 1 src"));
    EXPECT_EQ(copy("-a src.speed -p pre -cap true dst"), "preSpeed");
    EXPECT_EQ(evalString("addAttr -q -sn dst.preSpeed"), "preSpd");
    EXPECT_EQ(copy("-a src.speed -prefix my dst"), "myspeed");
    EXPECT_EQ(evalString("addAttr -q -sn dst.myspeed"), "myspd");
    EXPECT_EQ(addAttrTexts("dst.myspeed"),
              Lines{replaced(replaced(addAttrTexts("src.speed")[0], "\"speed\"", "\"myspeed\""),
                             "\"spd\"", "\"myspd\"")});
}

// Capitalising belongs to the prefix: without one the name stays as it is,
// and the result names the attribute that was made.
TEST_F(CopyAttrCommandTest, CapitalizeWithoutAPrefixKeepsTheName) {
    ASSERT_TRUE(run("addAttr -ln speed -at double src"));
    EXPECT_EQ(copy("-a src.speed -cap true dst"), "speed");
    EXPECT_TRUE(attributeExists("speed", "dst"));
    EXPECT_FALSE(attributeExists("Speed", "dst"));
}

TEST_F(CopyAttrCommandTest, APrefixedCompoundsChildrenNameTheirPrefixedParent) {
    addVector("src");
    EXPECT_EQ(copy("-a src.vec -p my -cap true dst"), "myVec");
    EXPECT_EQ(evalString("addAttr -q -p dst.myVecY"), "myVec");
    Lines expected;
    for (const std::string& text : addAttrTexts("src.vec")) {
        expected.push_back(replaced(text, "\"vec", "\"myVec"));
    }
    EXPECT_EQ(addAttrTexts("dst.myVec"), expected);
}

TEST_F(CopyAttrCommandTest, AChildIsCopiedToTheTopLevel) {
    addVector("src");
    EXPECT_EQ(copy("-a src.vecY dst"), "vecY");
    EXPECT_EQ(evalString("addAttr -q -p dst.vecY"), "");
    EXPECT_EQ(addAttrTexts("dst.vecY"),
              Lines{replaced(addAttrTexts("src.vecY")[0], " -p \"vec\"", "")});
}

TEST_F(CopyAttrCommandTest, SettingsAreForcedEitherWay) {
    ASSERT_TRUE(run("addAttr -ln shy -at double -h true -w false src"));
    EXPECT_EQ(copy("-a src.shy -p a -h false -w true -r false dst"), "ashy");
    EXPECT_EQ(evalString("addAttr -q -h dst.ashy"), "0");
    EXPECT_EQ(evalString("addAttr -q -w dst.ashy"), "1");
    EXPECT_EQ(evalString("addAttr -q -r dst.ashy"), "0");
    EXPECT_EQ(copy("-a src.shy -p b -h true dst"), "bshy");
    EXPECT_EQ(evalString("addAttr -q -h dst.bshy"), "1");
    EXPECT_EQ(evalString("addAttr -q -w dst.bshy"), "0");
}

// A semicolon inside an enum field is not the end of the command.
TEST_F(CopyAttrCommandTest, EnumFieldsKeepTheirText) {
    ASSERT_TRUE(run("addAttr -ln mode -at enum -en \"on;off:auto\" src"));
    EXPECT_EQ(copy("-a src.mode -h true dst"), "mode");
    EXPECT_EQ(evalString("addAttr -q -en dst.mode"), "on;off:auto");
}

TEST_F(CopyAttrCommandTest, UndoRemovesTheCopyAndRedoRestoresIt) {
    addVector("src");
    ASSERT_TRUE(run("flushUndo"));
    EXPECT_EQ(copy("-a src.vec -p p dst"), "pvec");
    ASSERT_TRUE(run("undo"));
    EXPECT_FALSE(attributeExists("pvec", "dst"));
    EXPECT_FALSE(attributeExists("pvecX", "dst"));
    ASSERT_TRUE(run("redo"));
    EXPECT_TRUE(attributeExists("pvec", "dst"));
    EXPECT_EQ(evalString("addAttr -q -p dst.pvecZ"), "pvec");
    ASSERT_TRUE(run("undo"));
    EXPECT_FALSE(attributeExists("pvecZ", "dst"));
    EXPECT_TRUE(errors().empty());
}

TEST_F(CopyAttrCommandTest, ANameTheTargetHasIsRefusedByTheHost) {
    ASSERT_TRUE(run("addAttr -ln speed -at double src; addAttr -ln speed -at long dst"));
    dktest::clearOutput();
    EXPECT_FALSE(run("dkCopyAttr -a src.speed dst"));
    EXPECT_FALSE(run("dkCopyAttr -a src.translate dst"));
    ASSERT_FALSE(errors().empty());
    const std::string line =
        "dkCopyAttr: API error encountered - Error doing native modifier "
        "operations.: " +
        dktest::statusText(MStatus(MS::kFailure));
    EXPECT_EQ(errors().back(), line);
    EXPECT_EQ(evalString("addAttr -q -at dst.speed"), "long");
}

// A compound refused part-way leaves nothing of itself behind.
TEST_F(CopyAttrCommandTest, ACompoundRefusedPartWayIsTakenBackWhole) {
    addVector("src");
    ASSERT_TRUE(run("addAttr -ln vecY -at long dst; flushUndo"));
    EXPECT_FALSE(run("dkCopyAttr -a src.vec dst"));
    EXPECT_FALSE(attributeExists("vec", "dst"));
    EXPECT_FALSE(attributeExists("vecX", "dst"));
    ASSERT_TRUE(run("deleteAttr dst.vecY"));
    EXPECT_EQ(copy("-a src.vec dst"), "vec");
    EXPECT_EQ(addAttrTexts("dst.vec"), addAttrTexts("src.vec"));
}

TEST_F(CopyAttrCommandTest, ATargetThatIsNoNodeIsRefusedByTheHost) {
    ASSERT_TRUE(run("addAttr -ln speed -at double src"));
    EXPECT_FALSE(run("dkCopyAttr -a src.speed noSuchNode"));
    EXPECT_FALSE(run("dkCopyAttr -a src.speed \"dst\\\"; delete dst; \\\"\""));
    EXPECT_TRUE(dktest::nodeExists("dst"));
    ASSERT_FALSE(errors().empty());
    EXPECT_EQ(errors().back().rfind("dkCopyAttr: API error encountered - ", 0), 0u);
}

TEST_F(CopyAttrCommandTest, ArgumentsAreCheckedTargetFirst) {
    ASSERT_TRUE(run("addAttr -ln speed -at double src; createNode transform -n dst2"));
    dktest::clearOutput();
    const std::string target =
        "dkCopyAttr: The dkCopyAttr command requires a single node name be specified as a command "
        "target.";
    EXPECT_FALSE(run("dkCopyAttr -a src.speed dst dst2"));
    EXPECT_FALSE(run("dkCopyAttr dst"));
    EXPECT_FALSE(run("dkCopyAttr -a src.noSuch dst"));
    EXPECT_FALSE(run("dkCopyAttr -a \"*.tx\" dst"));
    EXPECT_FALSE(run("dkCopyAttr -a src dst"));
    EXPECT_FALSE(run("dkCopyAttr -a src.speed -p \"a b\" dst"));
    EXPECT_EQ(
        errors(),
        (Lines{target, "dkCopyAttr: Please specify an attribute to copy using the -attribute flag.",
               "dkCopyAttr: src.noSuch is not a valid attribute name.",
               "dkCopyAttr: *.tx refers to multiple attributes - only one attribute can "
               "be copied at a time.",
               "dkCopyAttr: src does not refer to an attribute.",
               "dkCopyAttr: a b is not a valid attribute name prefix."}));
    EXPECT_FALSE(attributeExists("speed", "dst"));
}

}  // namespace
