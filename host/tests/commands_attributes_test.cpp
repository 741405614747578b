// setAttr, getAttr, addAttr, deleteAttr and listAttr.
#include "commands_fixture.h"

#include <limits>

namespace host::commands::testing {
namespace {

using Strings = std::vector<std::string>;
using Numbers = std::vector<double>;

TEST_F(CommandsTest, SetAttrNumbersCompoundsAndBooleans) {
    run("createNode transform -n t");
    run("setAttr t.tx 3; setAttr t.s 1 2 3; setAttr t.r -type double3 10 20 30; setAttr t.v off");
    EXPECT_EQ(number("getAttr t.tx"), 3);
    EXPECT_EQ(numbers("getAttr t.s"), (Numbers{1, 2, 3}));
    std::vector<double> r = numbers("getAttr t.r");
    ASSERT_EQ(r.size(), 3u);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(r[k], 10.0 * (k + 1), 1e-9);
    EXPECT_EQ(run("getAttr t.v").asInt(), 0);
    for (const char* word : {"on", "yes", "true", "1"}) {
        run(std::string("setAttr t.v ") + word);
        EXPECT_EQ(run("getAttr t.v").asInt(), 1) << word;
    }
    roundTrip("setAttr t.ty -7.5");
    roundTrip("setAttr t.t 1 2 3");
    // Numbers past what a whole-number attribute holds saturate, as everywhere in MEL.
    run("addAttr -ln whole -at long; addAttr -ln choice -at enum -en \"a:b\"; addAttr -ln ints -dt "
        "Int32Array");
    run("setAttr t.whole 1e99; setAttr t.choice -1e99; setAttr t.ints -type Int32Array 2 8e98 "
        "-8e98");
    const int most = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
    EXPECT_EQ(run("getAttr t.whole").asInt(), most);
    EXPECT_EQ(run("getAttr t.choice").asInt(), least);
    EXPECT_EQ(run("getAttr t.ints").intArray(), (std::vector<int>{most, least}));
}

TEST_F(CommandsTest, SetAttrDataForms) {
    run("createNode transform -n t;"
        "addAttr -ln str -dt \"string\"; addAttr -ln sa -dt stringArray; addAttr -ln da -dt "
        "doubleArray; addAttr -ln ia -dt Int32Array; addAttr -ln va -dt vectorArray; addAttr -ln "
        "pa -dt pointArray; addAttr -ln mx -dt matrix");
    run("setAttr t.str -type \"string\" \"hello there\"");
    EXPECT_EQ(text("getAttr t.str"), "hello there");
    run("setAttr t.sa -type \"stringArray\" 2 \"a\" \"b c\"");
    EXPECT_EQ(strings("getAttr t.sa"), (Strings{"a", "b c"}));
    run("setAttr t.da -type \"doubleArray\" 3 1 2.5 3");
    EXPECT_EQ(numbers("getAttr t.da"), (Numbers{1, 2.5, 3}));
    EXPECT_EQ(run("getAttr -size t.da").asInt(), 3);
    run("setAttr t.ia -type \"Int32Array\" 2 4 5");
    EXPECT_EQ(run("getAttr t.ia").intArray(), (std::vector<int>{4, 5}));
    run("setAttr t.va -type \"vectorArray\" 2 1 2 3 4 5 6");
    EXPECT_EQ(numbers("getAttr t.va"), (Numbers{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(run("getAttr -size t.va").asInt(), 2);
    run("setAttr t.pa -type \"pointArray\" 1 1 2 3 1");
    EXPECT_EQ(numbers("getAttr t.pa"), (Numbers{1, 2, 3, 1}));
    run("setAttr t.mx -type \"matrix\" 1 0 0 0 0 1 0 0 0 0 1 0 5 6 7 1");
    EXPECT_EQ(numbers("getAttr t.mx")[12], 5);
    EXPECT_EQ(text("getAttr -type t.ia"), "Int32Array");
    roundTrip("setAttr t.sa -type stringArray 1 \"z\"");
    roundTrip("setAttr t.str -type \"string\" \"\"");
    // A count no array could hold is bad data, not a huge allocation.
    EXPECT_EQ(failure("setAttr t.da -type doubleArray 1e54 1"),
              "line 1: setAttr: Error reading data element number 0: 1e54");
    EXPECT_EQ(failure("setAttr t.da -type doubleArray -2 1"),
              "line 1: setAttr: Error reading data element number 0: -2");
    EXPECT_EQ(numbers("getAttr t.da"), (Numbers{1, 2.5, 3}));
}

TEST_F(CommandsTest, SetAttrRangesAndRelativeNames) {
    run("createNode transform -n t; addAttr -ln w -at double -m");
    roundTrip("setAttr -s 3 \".w[0:2]\" 1 2 3");
    EXPECT_EQ(numbers("getAttr t.w"), (Numbers{1, 2, 3}));
    EXPECT_EQ(run("getAttr -size t.w").asInt(), 3);
    // Scene files name plugs relative to the node selected last.
    run("createNode transform -n other; setAttr \".tx\" 5; select -ne t; setAttr \".ty\" 6");
    EXPECT_EQ(number("getAttr other.tx"), 5);
    EXPECT_EQ(number("getAttr t.ty"), 6);
    run("polyCube -n box");
    roundTrip("setAttr -s 2 boxShape.pt[1:2] 0 1 0 0 2 0");
    EXPECT_EQ(numbers("getAttr boxShape.pnts[2]"), (Numbers{0, 2, 0}));
}

TEST_F(CommandsTest, SetAttrLockKeyableAndErrors) {
    run("createNode transform -n t; createNode transform -n src");
    roundTrip("setAttr -l on t.tx");
    EXPECT_EQ(run("getAttr -l t.tx").asInt(), 1);
    EXPECT_EQ(failure("setAttr t.tx 1"),
              "line 1: setAttr: The attribute 't.translateX' is locked or connected and cannot be "
              "modified.");
    // A call that unlocks may set the value too.
    run("setAttr -l off t.tx 2");
    EXPECT_EQ(number("getAttr t.tx"), 2);
    run("connectAttr src.ty t.ty");
    EXPECT_EQ(failure("setAttr t.ty 1"),
              "line 1: setAttr: The attribute 't.translateY' is locked or connected and cannot be "
              "modified.");
    EXPECT_EQ(failure("setAttr t.t 1 2 3"),
              "line 1: setAttr: The attribute 't.translate' is locked or connected and cannot be "
              "modified.");
    EXPECT_EQ(failure("setAttr x.tx 1"), "line 1: setAttr: No object matches name: x.tx");
    EXPECT_EQ(failure("setAttr t.wm 1"),
              "line 1: setAttr: The attribute 't.worldMatrix' is not writable.");
    EXPECT_EQ(failure("setAttr t.tz abc"),
              "line 1: setAttr: Error reading data element number 1: abc");
    EXPECT_EQ(failure("setAttr t.s 1 2"), "line 1: setAttr: Not enough data was provided.");
    EXPECT_EQ(failure("setAttr t.tz 1 2"), "line 1: setAttr: Too many data elements were given.");
    EXPECT_EQ(failure("setAttr t.tz"), "line 1: setAttr: Not enough data was provided.");
    EXPECT_EQ(number("getAttr t.tz"), 0);
    roundTrip("setAttr -k off t.tz");
    EXPECT_EQ(run("getAttr -k t.tz").asInt(), 0);
    EXPECT_EQ(run("getAttr -se t.ty").asInt(), 0);
}

TEST_F(CommandsTest, GetAttrHonoursCurrentUnits) {
    run("createNode transform -n t; setAttr t.tx 1; setAttr t.rx 90; addAttr -ln when -at time t;"
        "setAttr t.when 12");
    run("currentUnit -l m");
    EXPECT_DOUBLE_EQ(number("getAttr t.tx"), 0.01);
    run("setAttr t.ty 2");
    run("currentUnit -l cm -a rad -t ntsc");
    EXPECT_DOUBLE_EQ(number("getAttr t.ty"), 200);
    EXPECT_NEAR(number("getAttr t.rx"), 1.5707963, 1e-6);
    EXPECT_DOUBLE_EQ(number("getAttr t.when"), 15);
    EXPECT_EQ(text("currentUnit -q -l"), "cm");
    EXPECT_EQ(text("currentUnit -q -a -f"), "radian");
    EXPECT_EQ(text("currentUnit -q -t"), "ntsc");
    EXPECT_EQ(failure("currentUnit -l parsec"), "line 1: currentUnit: Invalid linear unit: parsec");
    EXPECT_EQ(text("getAttr -type t.tx"), "doubleLinear");
    EXPECT_EQ(text("getAttr -type t.t"), "double3");
    EXPECT_EQ(failure("getAttr t.message"),
              "line 1: getAttr: Message attributes have no data values.");
    EXPECT_EQ(failure("getAttr t.nothing"), "line 1: getAttr: No object matches name: t.nothing");
    EXPECT_EQ(numbers("getAttr t.wm").size(), 16u);
}

TEST_F(CommandsTest, AddAttrRunsTheHostsOwnTexts) {
    run("createNode transform -n t");
    roundTrip("addAttr -ci true -k true -sn \"spd\" -ln \"speed\" -min 0 -max 10 -at \"double\" t");
    Attribute* speed = node("t")->findAttribute("spd");
    ASSERT_TRUE(speed);
    EXPECT_TRUE(speed->keyable);
    EXPECT_EQ(speed->maxValue.value_or(-1), 10);
    // A compound joins the node once all its children are there.
    run("select -r t");
    run("addAttr -ci true -uac -sn \"col\" -ln \"color\" -at \"float3\" -nc 3");
    run("addAttr -ci true -sn \"colR\" -ln \"colorR\" -at \"float\" -p \"color\"");
    run("addAttr -ci true -sn \"colG\" -ln \"colorG\" -at \"float\" -p \"color\"");
    EXPECT_FALSE(node("t")->findAttribute("color"));
    EXPECT_EQ(run("addAttr -q -ex t.color").asInt(), 0);
    EXPECT_EQ(run("addAttr -q -ex t.speed").asInt(), 1);
    std::string before = scene();
    run("addAttr -ci true -sn \"colB\" -ln \"colorB\" -at \"float\" -p \"color\"");
    ASSERT_TRUE(node("t")->findAttribute("color"));
    EXPECT_TRUE(node("t")->findAttribute("color")->usedAsColor);
    run("setAttr t.color 0.5 0.25 1");
    EXPECT_EQ(numbers("getAttr t.color"), (Numbers{0.5, 0.25, 1}));
    // Undoing the last child takes the compound off again.
    ASSERT_TRUE(undo::Queue::instance().undo());
    ASSERT_TRUE(undo::Queue::instance().undo());
    EXPECT_EQ(scene(), before);
    ASSERT_TRUE(undo::Queue::instance().redo());
    EXPECT_TRUE(node("t")->findAttribute("colorB"));
}

TEST_F(CommandsTest, AddAttrKindsAndSettings) {
    run("createNode transform -n t");
    run("addAttr -ln mode -at \"enum\" -en \"off:low=5:high\" t");
    EXPECT_EQ(text("addAttr -q -en t.mode"), "off:low=5:high");
    run("setAttr t.mode high");
    EXPECT_EQ(run("getAttr t.mode").asInt(), 6);
    EXPECT_EQ(text("getAttr -asString t.mode"), "high");
    run("addAttr -ln len -at doubleLinear -dv 2 t; addAttr -ln flags -at long -m -im false t");
    EXPECT_EQ(number("getAttr t.len"), 2);
    EXPECT_TRUE(node("t")->findAttribute("flags")->array);
    run("addAttr -ln nest -at compound -nc 2 t; addAttr -ln inner -at compound -nc 1 -p nest t;"
        "addAttr -ln deep -at bool -p inner t");
    EXPECT_FALSE(node("t")->findAttribute("nest"));
    run("addAttr -ln second -at message -p nest t");
    EXPECT_TRUE(node("t")->findAttribute("deep"));
    for (const char* kind : {"bool", "long", "short", "byte", "char", "float", "double",
                             "doubleAngle", "time", "message", "matrix", "fltMatrix"})
        run(std::string("addAttr -ln a_") + kind + " -at " + kind + " t");
    EXPECT_EQ(text("getAttr -type t.a_doubleAngle"), "doubleAngle");
    EXPECT_EQ(text("addAttr -q -at t.a_fltMatrix"), "fltMatrix");
    roundTrip("addAttr -e -k true -max 3 t.len");
    EXPECT_TRUE(node("t")->findAttribute("len")->keyable);
    EXPECT_EQ(failure("addAttr -ln len -at double t"),
              "line 1: addAttr: Attribute 'len' already exists on node 't'.");
    EXPECT_EQ(failure("addAttr -ln tx -at double t"),
              "line 1: addAttr: Attribute 'tx' already exists on node 't'.");
    EXPECT_EQ(failure("addAttr -ln q -at wobbly t"),
              "line 1: addAttr: Unknown attribute type: wobbly");
    EXPECT_EQ(failure("addAttr -ln q -at float -p nothing t"),
              "line 1: addAttr: Parent attribute 'nothing' is not a compound waiting for children "
              "on node 't'.");
}

// The host writes generic attributes with -at "generic"; they must read back.
TEST_F(CommandsTest, AddAttrMakesAGenericAttributeFromItsText) {
    run("createNode transform -n t");
    roundTrip("addAttr -ci true -sn \"an\" -ln \"any\" -at \"generic\" t");
    EXPECT_EQ(text("addAttr -q -at t.any"), "generic");
    EXPECT_EQ(node("t")->findAttribute("an")->kind, Attribute::Kind::Generic);
}

// Compounds made and thrown away again leave nothing that holds back the
// compounds made after them, whatever memory the new attributes reuse.
TEST_F(CommandsTest, AddAttrCompoundsKeepJoiningAfterEarlierOnesAreGone) {
    for (int round = 0; round < 60; ++round) {
        const int children = 1 + round % 4;
        run("createNode transform -n t; addAttr -ln c -at compound -nc " +
            std::to_string(children) + " t");
        for (int k = 0; k < children; ++k)
            run("addAttr -ln c" + std::to_string(k) + " -at double -p c t");
        ASSERT_TRUE(node("t")->findAttribute("c")) << "round " << round;
        run("delete t; flushUndo");
    }
}

TEST_F(CommandsTest, DeleteAttrRestoresValuesConnectionsAndLocks) {
    run("createNode transform -n t; createNode transform -n o; addAttr -ln k -at double t;"
        "setAttr t.k 4; connectAttr t.k o.tx; setAttr -l on t.k");
    roundTrip("deleteAttr t.k");
    EXPECT_FALSE(node("t")->findAttribute("k"));
    ASSERT_TRUE(undo::Queue::instance().undo());
    EXPECT_EQ(run("getAttr -l t.k").asInt(), 1);
    EXPECT_EQ(failure("deleteAttr t.tx"),
              "line 1: deleteAttr: Cannot delete static attribute 'translateX' of node 't'.");
    roundTrip("deleteAttr -at k t");
}

TEST_F(CommandsTest, ListAttrFilters) {
    run("createNode transform -n t; addAttr -ln extra -at double -k true t; addAttr -ln many -at "
        "double -m t; setAttr t.many[2] 1");
    Strings all = strings("listAttr t");
    EXPECT_NE(std::find(all.begin(), all.end(), "translateX"), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), "instObjGroups.objectGroups"), all.end());
    EXPECT_EQ(strings("listAttr -ud t"), (Strings{"extra", "many"}));
    Strings keyable = strings("listAttr -k t");
    EXPECT_NE(std::find(keyable.begin(), keyable.end(), "extra"), keyable.end());
    EXPECT_EQ(std::find(keyable.begin(), keyable.end(), "many"), keyable.end());
    EXPECT_EQ(strings("listAttr -m -ud t"), (Strings{"extra", "many", "many[2]"}));
    EXPECT_EQ(strings("listAttr -st \"translate?\" t"),
              (Strings{"translateX", "translateY", "translateZ"}));
    EXPECT_EQ(strings("listAttr -st \"t?\" -sn t"), (Strings{"tx", "ty", "tz"}));
    run("setAttr -l on t.ty");
    EXPECT_EQ(strings("listAttr -l t"), Strings{"translateY"});
    EXPECT_EQ(strings("listAttr t.t"),
              (Strings{"translate", "translateX", "translateY", "translateZ"}));
}

}  // namespace
TEST_F(CommandsTest, GetAttrAtATimeIndicesCachingAndExpandedText) {
    run("createNode transform -n t; setKeyframe -t 1 -v 0 -at tx t; setKeyframe -t 11 -v 10 "
        "-at tx t; currentTime 1");
    EXPECT_DOUBLE_EQ(number("getAttr -t 11 t.tx"), 10);
    EXPECT_DOUBLE_EQ(number("currentTime -q"), 1);
    run("createNode objectSet -n s; createNode transform -n u; sets -add s t u");
    EXPECT_EQ(text("int $i[] = `getAttr -mi s.dsm`; size($i) + \" \" + $i[1]"), "2 1");
    EXPECT_EQ(failure("getAttr -mi t.tx"),
              "line 1: getAttr: 't.translateX' is not a multi attribute.");
    EXPECT_EQ(number("getAttr -ca t.tx"), number("getAttr -ca t.ty"));
    setenv("DK_ROOT", "/tmp/root", 1);
    run("addAttr -ln path -dt \"string\" t; setAttr -type \"string\" t.path "
        "\"${DK_ROOT}/$DK_ROOT\"");
    EXPECT_EQ(text("getAttr -x t.path"), "/tmp/root//tmp/root");
    EXPECT_EQ(text("getAttr t.path"), "${DK_ROOT}/$DK_ROOT");
    // -e is accepted and changes nothing about the call.
    run("setAttr -e -keyable false t.ty");
    EXPECT_EQ(number("getAttr -k t.ty"), 0);
}

}  // namespace host::commands::testing
