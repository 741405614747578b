// attributeQuery, connectionInfo, listHistory, filterExpand, attributeExists, longNameOf,
// spaceLocator, shadingNode, hide, showHidden and the session commands.
#include "commands_fixture.h"

namespace host::commands::testing {
namespace {

using QueryCommands = CommandsTest;
using CreateCommands = CommandsTest;
using SessionCommands = CommandsTest;
using Strings = std::vector<std::string>;

TEST_F(QueryCommands, AttributeQueryFlags) {
    run("createNode transform -n pCube1; addAttr -ln egRange -at double -min 0 -max 5 pCube1");
    EXPECT_EQ(text("attributeQuery -n pCube1 -range egRange"), "0 5");
    EXPECT_EQ(run("attributeQuery -n pCube1 -minExists egRange").asInt(), 1);
    EXPECT_EQ(run("attributeQuery -n pCube1 -softMinExists egRange").asInt(), 0);
    EXPECT_EQ(text("attributeQuery -n pCube1 -softRange egRange"), "");
    EXPECT_EQ(run("attributeQuery -n pCube1 -ex nope").asInt(), 0);
    // Boolean flags answer together.
    EXPECT_EQ(run("attributeQuery -n pCube1 -k -ex tx").asInt(), 1);
    EXPECT_EQ(run("attributeQuery -n pCube1 -k -msg tx").asInt(), 0);
    EXPECT_EQ(strings("attributeQuery -n pCube1 -lc translate"),
              (std::vector<std::string>{"translateX", "translateY", "translateZ"}));
    EXPECT_EQ(strings("attributeQuery -n pCube1 -ls ty"),
              (std::vector<std::string>{"translateX", "translateZ"}));
    EXPECT_EQ(text("attributeQuery -n pCube1 -lp tx"), "translate");
    EXPECT_EQ(text("attributeQuery -n pCube1 -sn translateX"), "tx");
    EXPECT_EQ(text("attributeQuery -n pCube1 -nn translateX"), "Translate X");
    EXPECT_EQ(run("attributeQuery -n pCube1 -nc translate").asInt(), 3);
    EXPECT_EQ(text("attributeQuery -n pCube1 -ld scale"), "1 1 1");
    // Static attributes by type; -typeExact leaves out inherited ones.
    EXPECT_EQ(run("attributeQuery -typ transform -ex visibility").asInt(), 1);
    EXPECT_EQ(run("attributeQuery -tex transform -ex visibility").asInt(), 0);
    EXPECT_EQ(run("attributeQuery -tex transform -ex translate").asInt(), 1);
    EXPECT_EQ(run("attributeQuery -typ transform -ex egRange").asInt(), 0);
}

TEST_F(QueryCommands, AttributeQueryErrors) {
    run("createNode transform -n a");
    EXPECT_EQ(failure("attributeQuery -n a -range -hidden tx"),
              "line 1: attributeQuery: Only one non-boolean flag may be used, and not with other "
              "flags.");
    EXPECT_EQ(failure("attributeQuery -n a -hidden nope"),
              "line 1: attributeQuery: No attribute named 'nope'.");
    EXPECT_EQ(failure("attributeQuery -hidden tx"),
              "line 1: attributeQuery: Exactly one of -node, -type or -typeExact must be used.");
    EXPECT_EQ(failure("attributeQuery -n nobody -ex tx"), "line 1: No object matches name: nobody");
    EXPECT_EQ(failure("attributeQuery -typ noSuchType -ex tx"),
              "line 1: Unknown object type: noSuchType");
}

TEST_F(QueryCommands, AttributeExistsTakesTheAttributeFirst) {
    run("createNode transform -n a; addAttr -ln mine a");
    EXPECT_EQ(run("attributeExists(\"tx\", \"a\")").asInt(), 1);
    EXPECT_EQ(run("attributeExists \"mine\" \"a\"").asInt(), 1);
    EXPECT_EQ(run("attributeExists(\"a\", \"tx\")").asInt(), 0);
    EXPECT_EQ(run("attributeExists(\"tx\", \"nobody\")").asInt(), 0);
}

TEST_F(QueryCommands, LongNameOfGivesTheFullPath) {
    run("createNode transform -n top; createNode transform -n arm -p top; createNode time -n t");
    EXPECT_EQ(text("longNameOf arm"), "|top|arm");
    EXPECT_EQ(text("longNameOf(\"t\")"), "t");
    EXPECT_EQ(text("longNameOf nobody"), "");
}

TEST_F(QueryCommands, FilterExpandKeepsTheKindsAsked) {
    run("polyCube -n box; spaceLocator -n loc; createNode time -n tm;"
        "particle -p 0 0 0 -p 1 1 1 -n pp;"
        "select -r box loc tm box.vtx[1:2] pp.pt[0] ppShape");
    EXPECT_EQ(strings("filterExpand -sm 12"), Strings{"box"});
    EXPECT_EQ(strings("filterExpand -sm 31 -sm 22"), (Strings{"loc", "box.vtx[1]", "box.vtx[2]"}));
    EXPECT_EQ(strings("filterExpand -sm 31 -ex false"), Strings{"box.vtx[1:2]"});
    EXPECT_EQ(strings("filterExpand -sm 47 pp.pt[*]"), (Strings{"pp.pt[0]", "pp.pt[1]"}));
    EXPECT_EQ(strings("filterExpand -sm 12 -fp true boxShape"), Strings{"|box"});
    EXPECT_TRUE(strings("filterExpand -sm 9").empty());
    EXPECT_EQ(failure("filterExpand box"),
              "line 1: filterExpand: Give at least one -selectionMask.");
}

TEST_F(QueryCommands, ConnectionInfoLooksAtPlugsAndAncestors) {
    run("createNode transform -n a; createNode transform -n b; connectAttr a.tx b.ty;"
        "connectAttr a.r b.r");
    EXPECT_EQ(text("connectionInfo -sfd b.ty"), "a.translateX");
    EXPECT_EQ(text("connectionInfo -ges b.ty"), "a.translateX");
    EXPECT_EQ(strings("connectionInfo -dfs a.tx"), (std::vector<std::string>{"b.translateY"}));
    EXPECT_EQ(text("connectionInfo -ged a.tx"), "b.translateY");
    EXPECT_EQ(run("connectionInfo -is a.tx").asInt(), 1);
    EXPECT_EQ(run("connectionInfo -id a.tx").asInt(), 0);
    // b.rx is fed through its parent: a destination, though not an exact one.
    EXPECT_EQ(run("connectionInfo -id b.rx").asInt(), 1);
    EXPECT_EQ(run("connectionInfo -ied b.rx").asInt(), 0);
    EXPECT_EQ(text("connectionInfo -sfd b.rx"), "a.rotate");
    EXPECT_EQ(text("connectionInfo -sfd b.tz"), "");
    EXPECT_TRUE(strings("connectionInfo -dfs b.tz").empty());
    run("setAttr -l true b.t");
    EXPECT_EQ(run("connectionInfo -il b.t").asInt(), 1);
    EXPECT_EQ(text("connectionInfo -gla b.tz"), "b.translate");
    EXPECT_EQ(text("connectionInfo -gla a.tz"), "");
    EXPECT_EQ(failure("connectionInfo -sfd a.nothing"),
              "line 1: No object matches name: a.nothing");
}

TEST_F(QueryCommands, ListHistoryWalksUpOrDownstream) {
    run("createNode transform -n t; createNode transform -n src; createNode transform -n mid;"
        "createNode transform -n sink; connectAttr src.tx mid.tx; connectAttr mid.ty t.tx;"
        "connectAttr t.ty sink.tx");
    EXPECT_EQ(strings("listHistory t"), (std::vector<std::string>{"t", "mid", "src"}));
    EXPECT_EQ(strings("listHistory -lv 1 t"), (std::vector<std::string>{"t", "mid"}));
    EXPECT_EQ(strings("listHistory -f 1 t"), (std::vector<std::string>{"t", "sink"}));
    EXPECT_EQ(strings("listHistory -pdo 1 t"), (std::vector<std::string>{"t"}));
    run("select t");
    EXPECT_EQ(strings("listHistory -bf"), (std::vector<std::string>{"t", "mid", "src"}));
    // A transform stands for its shape.
    run("spaceLocator -n loc");
    EXPECT_EQ(strings("listHistory loc"), (std::vector<std::string>{"locShape"}));
    EXPECT_EQ(strings("listHistory -lf 0 loc"), (std::vector<std::string>{"loc"}));
}

TEST_F(CreateCommands, SpaceLocatorMakesATransformWithALocatorShape) {
    EXPECT_EQ(strings("spaceLocator"), (std::vector<std::string>{"locator1"}));
    EXPECT_EQ(strings("spaceLocator -n myLoc -p 1 2 3"), (std::vector<std::string>{"myLoc"}));
    EXPECT_EQ(strings("listRelatives -s myLoc"), (std::vector<std::string>{"myLocShape"}));
    EXPECT_EQ(text("nodeType myLocShape"), "locator");
    EXPECT_EQ(strings("ls -sl"), (std::vector<std::string>{"myLoc"}));
    EXPECT_EQ(text("spaceLocator -q -p myLoc"), "1 2 3");
    roundTrip("spaceLocator -e -p 4 5 6 myLoc");
    EXPECT_EQ(text("getAttr myLoc.t"), "4 5 6");
    roundTrip("spaceLocator -p 1 1 1");
    EXPECT_EQ(failure("spaceLocator -e -p 1 2 3 nobody"), "line 1: No object matches name: nobody");
}

TEST_F(CreateCommands, ShadingNodeIsCreateNodeWithAClassification) {
    // lambert1 is one of the default scene's nodes.
    EXPECT_EQ(text("shadingNode -asShader lambert"), "lambert2");
    EXPECT_EQ(text("shadingNode -asUtility -n md multiplyDivide"), "md");
    EXPECT_EQ(text("shadingNode -at -ss file"), "file1");
    EXPECT_EQ(strings("ls -sl"), (std::vector<std::string>{"md"}));
    roundTrip("shadingNode -asTexture checker");
    EXPECT_EQ(failure("shadingNode lambert"),
              "line 1: shadingNode: Exactly one of -asShader, -asTexture, -asUtility, -asLight "
              "or -asPostProcess must be used.");
    EXPECT_EQ(failure("shadingNode -as -au lambert"),
              "line 1: shadingNode: Exactly one of -asShader, -asTexture, -asUtility, -asLight "
              "or -asPostProcess must be used.");
    EXPECT_EQ(failure("shadingNode -as noSuchType"), "line 1: Unknown object type: noSuchType");
}

TEST_F(SessionCommands, WorkspaceNamesTheProjectDirectory) {
    const std::string root = text("workspace -q -fn");
    EXPECT_EQ(text("workspace -q -rd"), root + "/");
    EXPECT_EQ(text("workspace -en \"scenes/x.ma\""), root + "/scenes/x.ma");
    EXPECT_EQ(text("workspace -en \"\""), root);
    EXPECT_EQ(text("workspace -pp \"" + root + "/scenes/x.ma\""), "scenes/x.ma");
    EXPECT_EQ(text("workspace -pp \"/elsewhere/x.ma\""), "/elsewhere/x.ma");
    EXPECT_EQ(text("workspace -fre \"images\""), "images");
    run("workspace -fr \"images\" \"renders\"");
    EXPECT_EQ(text("workspace -fre \"images\""), "renders");
    run("workspace -fr \"images\" \"images\"");
    EXPECT_EQ(failure("workspace -o \"/no/such/project\""),
              "line 1: workspace: Cannot open the workspace \"/no/such/project\".");
}

TEST_F(SessionCommands, ScriptJobsAreKeptButNeverRun) {
    run("global int $ran = 0");
    const int job = run("scriptJob -e \"SelectionChanged\" \"$ran = 1\"").asInt();
    run("createNode transform -n a; select a; currentTime 5");
    EXPECT_EQ(run("global int $ran; $ran").asInt(), 0);
    EXPECT_EQ(run("scriptJob -ex " + std::to_string(job)).asInt(), 1);
    EXPECT_EQ(strings("scriptJob -lj").size(), 1u);
    run("scriptJob -kill " + std::to_string(job));
    EXPECT_EQ(run("scriptJob -ex " + std::to_string(job)).asInt(), 0);
    EXPECT_EQ(failure("scriptJob -kill " + std::to_string(job)),
              "line 1: scriptJob: Job " + std::to_string(job) + " does not exist.");
    EXPECT_EQ(failure("scriptJob -e \"SelectionChanged\""),
              "line 1: Flag '-e' must be passed an argument.");
    EXPECT_EQ(failure("scriptJob -ro true"), "line 1: scriptJob: No job was given.");
    run("scriptJob -ct \"SomethingSelected\" \"print 1\"; scriptJob -killAll");
    EXPECT_TRUE(strings("scriptJob -lj").empty());
}

TEST_F(SessionCommands, FeedbackCommandsKeepTheirStateQuietly) {
    run("waitCursor -state on");
    EXPECT_EQ(run("waitCursor -q -state").asInt(), 1);
    run("waitCursor -state off");
    EXPECT_EQ(run("progressWindow -title \"Baking\" -progress 0 -status \"start\" "
                  "-isInterruptable true")
                  .asInt(),
              1);
    run("progressWindow -e -progress 40; progressWindow -e -step 2");
    EXPECT_EQ(run("progressWindow -q -progress").asInt(), 42);
    EXPECT_EQ(text("progressWindow -q -status"), "start");
    EXPECT_EQ(run("progressWindow -q -isCancelled").asInt(), 0);
    run("progressWindow -endProgress");
    EXPECT_EQ(run("progressWindow -q -progress").asInt(), 0);
    run("refresh; refresh -f -cv; refresh -su on");
    EXPECT_EQ(run("refresh -q -su").asInt(), 1);
    run("refresh -suspend false");
    EXPECT_EQ(run("refresh -q -su").asInt(), 0);
}

TEST_F(CreateCommands, HideAndShowHiddenSetVisibilityUndoably) {
    run("createNode transform -n a; createNode transform -n b; createNode time -n clock");
    run("hide a clock");  // a node without visibility is passed over
    EXPECT_EQ(text("getAttr a.v") + text("getAttr b.v"), "01");
    run("select -r b; hide");
    EXPECT_EQ(run("getAttr b.v").asInt(), 0);
    run("undo");
    EXPECT_EQ(run("getAttr b.v").asInt(), 1);
    run("showHidden a");
    EXPECT_EQ(run("getAttr a.v").asInt(), 1);
    run("setAttr -l on a.v");
    EXPECT_EQ(failure("hide b a"), "line 1: hide: The visibility of 'a' cannot be set.");
    EXPECT_EQ(run("getAttr b.v").asInt(), 1);  // nothing changed
}

}  // namespace
}  // namespace host::commands::testing
