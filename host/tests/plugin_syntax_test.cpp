// Checking of command calls against their syntax (MSyntax, MArgDatabase)
// and reading them back.

#include "graph/Scene.h"
#include "plugin_support.h"

#include <maya/MArgDatabase.h>
#include <maya/MDistance.h>
#include <maya/MGlobal.h>
#include <maya/MMatrix.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>
#include <maya/MTime.h>
#include <maya/MVector.h>

namespace {

using hosttest::args;
using hosttest::HostFixture;
using Args = std::vector<host::mel::Value>;

class SyntaxTest : public HostFixture {
protected:
    // The syntax of the plug-in's dkUninstancer and dkMap, registered both
    // with and without dashes.
    static MSyntax bakeSyntax() {
        MSyntax syntax;
        syntax.addFlag("ins", "instancer", MSyntax::kString);
        syntax.addFlag("-cai", "-copyAsInstance", MSyntax::kBoolean);
        syntax.addFlag("sf", "startFrame", MSyntax::kLong);
        syntax.addFlag("-i", "-insert", MSyntax::kString, MSyntax::kString);
        syntax.addFlag("d", "distance", MSyntax::kDistance);
        syntax.addFlag("x", "exists");
        syntax.setObjectType(MSyntax::kStringObjects, 1, 2);
        return syntax;
    }

    // Parses args with syntax; expects failure with exactly one error line.
    std::string rejected(const MSyntax& syntax, Args values) {
        out().clearErrors();
        MStatus status;
        MArgDatabase db(syntax, args(std::move(values)), &status);
        EXPECT_FALSE(status);
        EXPECT_EQ(out().errors().size(), 1u);
        EXPECT_FALSE(db.isFlagSet("x"));
        return lastError();
    }
};

TEST_F(SyntaxTest, ReadsFlagsByEitherNameWithOrWithoutDash) {
    MStatus status;
    MArgDatabase db(bakeSyntax(),
                    args({"-instancer", "inst1", "-cai", "on", "-sf", "12", "-i", "key", "-5", "-x",
                          "particle1"}),
                    &status);
    ASSERT_TRUE(status);
    EXPECT_TRUE(out().errors().empty());
    MString name;
    EXPECT_TRUE(db.getFlagArgument("ins", 0, name));
    EXPECT_EQ(std::string(name.asChar()), "inst1");
    bool copy = false;
    EXPECT_TRUE(db.getFlagArgument("-copyAsInstance", 0, copy));
    EXPECT_TRUE(copy);
    int start = 0;
    EXPECT_TRUE(db.getFlagArgument("startFrame", 0, start));
    EXPECT_EQ(start, 12);
    // A text that looks like a negative number is an argument, not a flag.
    MString value;
    EXPECT_TRUE(db.getFlagArgument("i", 1, value));
    EXPECT_EQ(std::string(value.asChar()), "-5");
    EXPECT_TRUE(db.isFlagSet("-exists"));
    EXPECT_FALSE(db.isFlagSet("d"));
    EXPECT_EQ(db.numberOfFlagsUsed(), 5u);
    MStringArray objects;
    EXPECT_TRUE(db.getObjects(objects));
    ASSERT_EQ(objects.length(), 1u);
    EXPECT_EQ(std::string(objects[0].asChar()), "particle1");
}

TEST_F(SyntaxTest, ReadersFailForFlagsNotGivenAndIndicesPastTheArguments) {
    MArgDatabase db(bakeSyntax(), args({"-sf", "3", "obj"}));
    int frame = -1;
    EXPECT_FALSE(db.getFlagArgument("ef", 0, frame));
    EXPECT_FALSE(db.getFlagArgument("ins", 0, frame));
    EXPECT_FALSE(db.getFlagArgument("sf", 1, frame));
    MStatus status;
    EXPECT_FALSE(db.isFlagSet("noSuchFlag", &status));
    EXPECT_EQ(status, MS::kInvalidParameter);
    // An integer argument reads as a text and as a float too.
    MString text;
    EXPECT_TRUE(db.getFlagArgument("sf", 0, text));
    EXPECT_EQ(std::string(text.asChar()), "3");
    EXPECT_DOUBLE_EQ(db.flagArgumentDouble("sf", 0), 3.0);
}

TEST_F(SyntaxTest, UnitArgumentsAreInUiUnits) {
    MArgDatabase db(bakeSyntax(), args({"-d", "2.5", "obj"}));
    MDistance distance;
    ASSERT_TRUE(db.getFlagArgument("d", 0, distance));
    EXPECT_DOUBLE_EQ(distance.as(MDistance::uiUnit()), 2.5);
}

TEST_F(SyntaxTest, ReportsEachKindOfBadCall) {
    const MSyntax syntax = bakeSyntax();
    EXPECT_EQ(rejected(syntax, {"-bogus", "obj"}), "Invalid flag: -bogus");
    EXPECT_EQ(rejected(syntax, {"obj", "-sf"}), "Flag '-sf' must be passed an integer argument.");
    EXPECT_EQ(rejected(syntax, {"-sf", "twelve", "obj"}),
              "Flag '-sf' must be passed an integer argument.");
    EXPECT_EQ(rejected(syntax, {"-cai", "maybe", "obj"}),
              "Flag '-cai' must be passed a boolean argument.");
    // The second argument of a two-argument flag may not be another flag.
    EXPECT_EQ(rejected(syntax, {"-i", "key", "-x", "obj"}),
              "Flag '-i' must be passed a string argument.");
    EXPECT_EQ(rejected(syntax, {"-sf", "1", "-startFrame", "2", "obj"}),
              "Flag '-startFrame' can only be used once.");
    EXPECT_EQ(rejected(syntax, {"-x"}), "Not enough objects or values.");
    EXPECT_EQ(rejected(syntax, {"a", "b", "c"}), "Too many objects or values.");
    // Query is not enabled, so -q is an unknown flag.
    EXPECT_EQ(rejected(syntax, {"-q", "-x", "obj"}), "Invalid flag: -q");
}

TEST_F(SyntaxTest, SelectionListObjectsAreResolvedOrTakenFromTheSelection) {
    host::Scene::current().createNode("transform", "ptAlpha");
    host::Scene::current().createNode("transform", "ptBeta");
    MSyntax syntax;
    syntax.setObjectType(MSyntax::kSelectionList, 1, 1);
    syntax.useSelectionAsDefault(true);

    MArgDatabase named(syntax, args({"ptAlpha"}));
    MSelectionList list;
    ASSERT_TRUE(named.getObjects(list));
    EXPECT_EQ(list.length(), 1u);
    EXPECT_EQ(rejected(syntax, {"ptNoSuchNode"}), "No object matches name: ptNoSuchNode");

    MGlobal::clearSelectionList();
    EXPECT_EQ(rejected(syntax, {}), "Not enough objects or values.");
    MGlobal::selectByName("ptBeta", MGlobal::kReplaceList);
    MArgDatabase selected(syntax, args({}));
    MStringArray names;
    ASSERT_TRUE(selected.getObjects(names));
    ASSERT_EQ(names.length(), 1u);
    EXPECT_EQ(std::string(names[0].asChar()), "ptBeta");
    MGlobal::selectByName("ptAlpha", MGlobal::kAddToList);
    EXPECT_EQ(rejected(syntax, {}), "Too many objects or values.");
    MGlobal::clearSelectionList();
}

TEST_F(SyntaxTest, ArraysGiveOneObjectPerElement) {
    MArgDatabase db(bakeSyntax(), args({std::vector<std::string>{"a", "b"}}));
    MStringArray objects;
    db.getObjects(objects);
    ASSERT_EQ(objects.length(), 2u);
    EXPECT_EQ(std::string(objects[1].asChar()), "b");
    EXPECT_EQ(rejected(bakeSyntax(), {std::vector<std::string>{"a", "b", "c"}}),
              "Too many objects or values.");
}

TEST_F(SyntaxTest, QueryModeFlagsTakeNoArgumentsUnlessMadeTo) {
    MSyntax syntax;
    syntax.addFlag("st", "state", MSyntax::kBoolean);
    syntax.addFlag("l", "length", MSyntax::kLong);
    syntax.makeFlagQueryWithFullArgs("l", true);
    syntax.enableQuery();
    syntax.enableEdit();

    MArgDatabase query(syntax, args({"-st", "-q"}));
    EXPECT_TRUE(query.isQuery());
    EXPECT_TRUE(query.isFlagSet("state"));
    bool ignored = false;
    EXPECT_FALSE(query.getFlagArgument("st", 0, ignored));

    MArgDatabase full(syntax, args({"-query", "-l", "4"}));
    EXPECT_EQ(full.flagArgumentInt("l", 0), 4);

    MArgDatabase edit(syntax, args({"-e", "-st", "off"}));
    EXPECT_TRUE(edit.isEdit());
    EXPECT_FALSE(edit.flagArgumentBool("st", 0));

    EXPECT_EQ(rejected(syntax, {"-q", "-e", "-st"}),
              "Edit and query flags cannot be used together.");
}

TEST_F(SyntaxTest, MultiUseFlagsKeepEveryUse) {
    MSyntax syntax;
    syntax.addFlag("a", "add", MSyntax::kString, MSyntax::kLong);
    syntax.makeFlagMultiUse("a");
    MArgDatabase db(syntax, args({"-a", "x", "1", "-add", "y", "2"}));
    ASSERT_EQ(db.numberOfFlagUses("a"), 2u);
    MArgList second;
    ASSERT_TRUE(db.getFlagArgumentList("a", 1, second));
    EXPECT_EQ(std::string(second.asString(0).asChar()), "y");
    EXPECT_EQ(second.asInt(1), 2);
    EXPECT_FALSE(db.getFlagArgumentList("a", 2, second));
}

TEST_F(SyntaxTest, CommandArgumentsComeBeforeObjectsAndAreTyped) {
    MSyntax syntax;
    syntax.addArg(MSyntax::kDouble);
    syntax.addArg(MSyntax::kUnsigned);
    MArgDatabase db(syntax, args({"1.5", "3"}));
    EXPECT_DOUBLE_EQ(db.commandArgumentDouble(0), 1.5);
    EXPECT_EQ(db.commandArgumentInt(1), 3);
    EXPECT_EQ(rejected(syntax, {"1.5", "-3"}),
              "Invalid argument 2, '-3'. Expected an unsigned integer.");
    EXPECT_EQ(rejected(syntax, {"1.5"}), "Not enough objects or values.");
    EXPECT_EQ(rejected(syntax, {"1.5", "2", "extra"}), "Too many objects or values.");
}

TEST_F(SyntaxTest, RegistrationRefusesClashesAndBadKinds) {
    MSyntax syntax;
    EXPECT_TRUE(syntax.addFlag("n", "name", MSyntax::kString));
    EXPECT_EQ(syntax.addFlag("-n", "other"), MS::kInvalidParameter);
    EXPECT_EQ(syntax.addFlag("o", "name"), MS::kInvalidParameter);
    EXPECT_EQ(syntax.addFlag("", "empty"), MS::kInvalidParameter);
    EXPECT_EQ(syntax.addFlag("b", "bad", MSyntax::kLastArgType), MS::kInvalidParameter);
    EXPECT_EQ(syntax.makeFlagMultiUse("missing"), MS::kInvalidParameter);
    EXPECT_EQ(syntax.setObjectType(MSyntax::kStringObjects, 2, 1), MS::kInvalidParameter);
}

TEST(ArgListTest, ReadsKindsAsTheScriptLanguageConvertsThem) {
    MArgList list = args({"7", "2.5", "yes", 4, host::mel::Vec3{1, 2, 3}, "1", "0", "-2", "x"});
    MStatus status;
    EXPECT_EQ(list.asInt(0, &status), 7);
    EXPECT_TRUE(status);
    EXPECT_DOUBLE_EQ(list.asDouble(1), 2.5);
    EXPECT_TRUE(list.asBool(2));
    EXPECT_EQ(std::string(list.asString(3).asChar()), "4");
    unsigned int index = 4;
    const MVector v = list.asVector(index);
    EXPECT_EQ(index, 5u);
    EXPECT_DOUBLE_EQ(v.z, 3.0);
    // Three numbers in a row make a vector too.
    index = 5;
    const MVector w = list.asVector(index);
    EXPECT_EQ(index, 8u);
    EXPECT_DOUBLE_EQ(w.x, 1.0);
    EXPECT_DOUBLE_EQ(w.z, -2.0);
    // A word is no number, and past the end nothing reads.
    list.asInt(8, &status);
    EXPECT_FALSE(status);
    list.asString(9, &status);
    EXPECT_FALSE(status);
    EXPECT_EQ(list.flagIndex("q"), MArgList::kInvalidArgIndex);
}

TEST(ArgListTest, BuildsFromApiValuesAndFindsFlags) {
    MArgList list;
    list.addArg(MString("-name"));
    list.addArg(MString("pCube1"));
    MMatrix m;
    m(3, 0) = 5.0;
    list.addArg(m);
    EXPECT_EQ(list.length(), 3u);
    EXPECT_EQ(list.flagIndex("n", "name"), 0u);
    EXPECT_EQ(list.flagIndex("-name"), 0u);
    unsigned int index = 2;
    const MMatrix back = list.asMatrix(index);
    EXPECT_DOUBLE_EQ(back(3, 0), 5.0);
    EXPECT_EQ(index, 3u);
}

}  // namespace
