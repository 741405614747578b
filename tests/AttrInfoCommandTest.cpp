// dkAttrInfo through the script line: each query on static, dynamic,
// compound-child, element, per-particle and instanced plugs, the folding over
// ancestors, and each failure line.

#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using dktest::errors;
using dktest::evalString;
using dktest::run;

class AttrInfoCommandTest : public dktest::PluginTest {
protected:
    void SetUp() override {
        dktest::PluginTest::SetUp();
        ASSERT_TRUE(
            run("createNode transform -n node; createNode transform -n child -p node;"
                "addAttr -ln fixed -at double -w false node;"
                "addAttr -ln link -at message node;"
                "addAttr -ln list -at double -m node; setAttr node.list[3] 1;"
                "addAttr -ln pair -at compound -nc 2 node;"
                "addAttr -ln first -at double -w false -p pair node;"
                "addAttr -ln second -at double -p pair node;"
                "addAttr -ln any -at generic node;"
                "createNode objectSet -n plain"));
        dktest::clearOutput();
    }

    std::string ask(const std::string& flags, const std::string& plug) {
        return evalString("dkAttrInfo " + flags + " " + plug);
    }
};

TEST_F(AttrInfoCommandTest, WritableMessageConnectableAndGenericAnswerForTheAttribute) {
    EXPECT_EQ(ask("-w", "node.tx"), "1");
    EXPECT_EQ(ask("-writable", "node.fixed"), "0");
    EXPECT_EQ(ask("-w", "node.wm[0]"), "0");
    EXPECT_EQ(ask("-msg", "node.link"), "1");
    EXPECT_EQ(ask("-message", "node.tx"), "0");
    EXPECT_EQ(ask("-con", "node.link"), "1");
    EXPECT_EQ(ask("-connectable", "node.first"), "1");
    EXPECT_EQ(ask("-gen", "node.any"), "1");
    EXPECT_EQ(ask("-generic", "node.pair"), "0");
    EXPECT_EQ(ask("-gen", "node.t"), "0");
    EXPECT_EQ(ask("-gen", "node.tx"), "0");
    EXPECT_TRUE(errors().empty());
}

TEST_F(AttrInfoCommandTest, MultiAnswersForArraysAndMultiElementForElementsOnly) {
    EXPECT_EQ(ask("-mul", "node.list"), "1");
    EXPECT_EQ(ask("-multi", "node.list[3]"), "1");
    EXPECT_EQ(ask("-mul", "node.tx"), "0");
    EXPECT_EQ(ask("-mel", "node.list[3]"), "1");
    EXPECT_EQ(ask("-multiElement", "node.list"), "0");
    EXPECT_EQ(ask("-mel", "node.wm[0]"), "1");
}

TEST_F(AttrInfoCommandTest, ParentNamesTheCompoundsLongNameOrNothing) {
    EXPECT_EQ(ask("-par", "node.tx"), "translate");
    EXPECT_EQ(ask("-parent", "node.second"), "pair");
    EXPECT_EQ(ask("-par", "node.t"), "");
    EXPECT_EQ(ask("-par", "node.list[3]"), "");
}

TEST_F(AttrInfoCommandTest, AncestorsAreFoldedWithAnyOrAll) {
    // pair is writable, its child first is not.
    EXPECT_EQ(ask("-w", "node.first"), "0");
    EXPECT_EQ(ask("-w -any", "node.first"), "1");
    EXPECT_EQ(ask("-w -all", "node.first"), "0");
    EXPECT_EQ(ask("-w -allAncestors", "node.second"), "1");
    EXPECT_EQ(ask("-msg -anyAncestors", "node.second"), "0");
    // The fold climbs through elements: og[0] and iog[0] are elements, gid is not.
    EXPECT_EQ(ask("-mel", "node.iog[0].og[0].gid"), "0");
    EXPECT_EQ(ask("-mel -any", "node.iog[0].og[0].gid"), "1");
    EXPECT_EQ(ask("-mel -all", "node.iog[0].og[0].gid"), "0");
    EXPECT_EQ(ask("-mel -any", "node.tx"), "0");
}

TEST_F(AttrInfoCommandTest, InstancedAnswersForPerInstanceAttributesOfDagNodes) {
    EXPECT_EQ(ask("-ins", "node.wm"), "1");
    EXPECT_EQ(ask("-instanced", "node.wm[0]"), "1");
    EXPECT_EQ(ask("-ins", "node.iog[0].og[0].gid"), "1");
    EXPECT_EQ(ask("-ins", "node.m"), "0");
    EXPECT_EQ(ask("-ins", "node.tx"), "0");
    EXPECT_EQ(ask("-ins", "plain.message"), "0");
}

TEST_F(AttrInfoCommandTest, PerParticleAnswersForTheShapesArrays) {
    ASSERT_TRUE(run("particle -n cloud -p 0 0 0 -p 1 0 0"));
    EXPECT_EQ(ask("-pp", "cloudShape.position"), "1");
    EXPECT_EQ(ask("-perParticle", "cloudShape.mass"), "1");
    EXPECT_EQ(ask("-pp", "cloudShape.particleId"), "1");
    EXPECT_EQ(ask("-pp", "cloudShape.count"), "0");
    ASSERT_TRUE(
        run("addAttr -ln rgbPP -dt vectorArray cloudShape;"
            "addAttr -ln glow -at double cloudShape"));
    EXPECT_EQ(ask("-pp", "cloudShape.rgbPP"), "1");
    EXPECT_EQ(ask("-pp", "cloudShape.glow"), "0");
    EXPECT_EQ(ask("-pp", "node.tx"), "0");
}

TEST_F(AttrInfoCommandTest, ThePlugIsTakenFromTheSelection) {
    ASSERT_TRUE(run("select -r node.fixed"));
    EXPECT_EQ(evalString("dkAttrInfo -w"), "0");
}

TEST_F(AttrInfoCommandTest, FlagCombinationsAreCheckedBeforeTheTarget) {
    EXPECT_FALSE(run("dkAttrInfo -w -any -all node.tx"));
    // A node that is no plug: the flags are looked at first.
    EXPECT_FALSE(run("dkAttrInfo -par -any node"));
    EXPECT_FALSE(run("dkAttrInfo -par -w -all node.tx"));
    EXPECT_FALSE(run("dkAttrInfo -any node.tx"));
    EXPECT_FALSE(run("dkAttrInfo node.tx"));
    EXPECT_FALSE(run("dkAttrInfo -w -con node.tx"));
    const std::string none =
        "dkAttrInfo: No command flags specified. The dkAttrInfo command requires that a a single "
        "main command flag be specified.";
    const std::string parent =
        "dkAttrInfo: The -parent and -anyAncestors/-allAncestors flags may not be used together.";
    EXPECT_EQ(errors(),
              (Lines{"dkAttrInfo: -anyAncestors and -allAncestors may not be used together.",
                     parent, parent, none, none,
                     "dkAttrInfo: Too many flags specified. The dkAttrInfo can accept only a "
                     "single main command flag at a time."}));
}

TEST_F(AttrInfoCommandTest, TheTargetMustBeOnePlug) {
    EXPECT_FALSE(run("dkAttrInfo -w node"));
    EXPECT_EQ(errors(),
              Lines{"dkAttrInfo: The dkAttrInfo command requires one plug to be specified as "
                    "command target."});
    dktest::clearOutput();
    EXPECT_FALSE(run("dkAttrInfo -w node.tx node.ty"));
    for (const std::string& error : errors()) {
        EXPECT_NE(error.rfind("dkAttrInfo: ", 0), 0u) << error;
    }
}

}  // namespace
