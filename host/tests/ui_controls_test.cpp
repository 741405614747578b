// The user interface commands in a session without one: what scripts make
// is kept, found, queried, edited and deleted; dialogs answer at once.
#include "plugin_support.h"

#include "ui/Controls.h"

namespace {

class UiCommandsTest : public hosttest::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        host::ui::Interface::instance().clear();
    }
    void TearDown() override { host::ui::Interface::instance().clear(); }
    std::vector<std::string> strings(const std::string& mel) { return run(mel).toStringList(); }
};

// The usual tool window: made again on each run, filled, shown and read.
TEST_F(UiCommandsTest, AToolWindowIsMadeFilledQueriedAndDeleted) {
    const std::string script =
        "if (`window -exists bakeWin`) deleteUI bakeWin;"
        "window -t \"Bake\" -wh 300 200 bakeWin;"
        "columnLayout -adj true;"
        "textFieldGrp -l \"Prefix\" -tx \"copy_\" prefix;"
        "intSliderGrp -l \"Step\" -f true -min 1 -max 10 -v 2 step;"
        "rowLayout -nc 2;"
        "checkBox -l \"Keys\" -v on keys;"
        "button -l \"Bake\" -c \"bake()\";"
        "setParent ..;"
        "showWindow bakeWin;";
    run(script);
    // Run again, as users do: the old window goes, the names come back.
    run(script);
    EXPECT_EQ(strings("layout -q -ca bakeWin|columnLayout1"),
              (std::vector<std::string>{"prefix", "step", "rowLayout1"}));
    EXPECT_EQ(text("button -q -l bakeWin|columnLayout1|rowLayout1|button1"), "Bake");
    EXPECT_EQ(text("textFieldGrp -q -tx prefix"), "copy_");
    EXPECT_EQ(run("intSliderGrp -q -v step").asInt(), 2);
    EXPECT_EQ(run("checkBox -q -v keys").asInt(), 1);
    EXPECT_EQ(run("window -q -vis bakeWin").asInt(), 1);
    EXPECT_EQ(text("window -q -t bakeWin"), "Bake");
    EXPECT_EQ(strings("window -q -wh bakeWin"), (std::vector<std::string>{"300", "200"}));
    // Flags never given answer their initial values.
    EXPECT_EQ(run("checkBox -q -en keys").asInt(), 1);
    EXPECT_EQ(text("textFieldGrp -q -ann prefix"), "");
    EXPECT_EQ(text("control -q -fpn keys"), "bakeWin|columnLayout1|rowLayout1|keys");
    // Edits change what queries answer.
    run("textFieldGrp -e -tx \"baked_\" prefix; checkBox -e -v off keys");
    EXPECT_EQ(text("textFieldGrp -q -tx prefix"), "baked_");
    EXPECT_EQ(run("checkBox -q -v keys").asInt(), 0);
    EXPECT_EQ(text("setParent -q"), "bakeWin|columnLayout1");

    run("deleteUI bakeWin");
    EXPECT_EQ(run("window -exists bakeWin").asInt(), 0);
    EXPECT_EQ(run("control -exists keys").asInt(), 0);
    EXPECT_EQ(text("setParent -q"), "");
}

TEST_F(UiCommandsTest, NamesParentsAndWhatIsRefused) {
    run("window; columnLayout; button; button; setParent ..; frameLayout -l \"More\"; text");
    EXPECT_EQ(strings("layout -q -ca window1|frameLayout1"), (std::vector<std::string>{"text1"}));
    EXPECT_EQ(text("window -q -t window1"), "window1");   // untitled: its name
    EXPECT_EQ(run("window -q -vis window1").asInt(), 0);  // until shown
    EXPECT_EQ(text("button"), "window1|frameLayout1|button3");
    EXPECT_EQ(text("setParent window1|columnLayout1"), "window1|columnLayout1");
    EXPECT_EQ(text("button -p window1|frameLayout1 late"), "window1|frameLayout1|late");
    EXPECT_EQ(run("layout -q -nch window1|frameLayout1").asInt(), 3);

    EXPECT_EQ(failure("button -p window1|frameLayout1 late"),
              "line 1: button: Object's name 'late' is not unique.");
    run("button late");  // another layout may hold the same name
    EXPECT_EQ(failure("window window1"), "line 1: window: Object's name 'window1' is not unique.");
    EXPECT_EQ(failure("button -q -l nothing"), "line 1: button: Object 'nothing' not found.");
    EXPECT_EQ(failure("button -p nowhere"), "line 1: button: Object 'nowhere' not found.");
    EXPECT_EQ(failure("setParent nowhere"), "line 1: setParent: Object 'nowhere' not found.");
    EXPECT_EQ(failure("button -label"), "line 1: Flag '-label' must be passed a string argument.");
    EXPECT_EQ(failure("button -sideways 1"), "line 1: Invalid flag: -sideways");
    EXPECT_EQ(failure("control button1"),
              "line 1: control: Use -exists, -query or -edit with a name.");
    // A wrong name deletes nothing, not even the names before it.
    EXPECT_EQ(failure("deleteUI window1|columnLayout1 nothing"),
              "line 1: deleteUI: Object 'nothing' not found.");
    EXPECT_EQ(run("layout -exists window1|columnLayout1").asInt(), 1);
    EXPECT_EQ(failure("deleteUI -window window1|columnLayout1"),
              "line 1: deleteUI: Object 'window1|columnLayout1' not found.");
    run("deleteUI -layout window1|columnLayout1");
    EXPECT_EQ(run("control -exists window1|columnLayout1|button1").asInt(), 0);
    EXPECT_EQ(failure("showWindow nothing"), "line 1: showWindow: Object 'nothing' not found.");

    run("setParent -top");
    EXPECT_EQ(failure("button"), "line 1: button: There is no window or layout to put it in.");
    EXPECT_EQ(failure("menuItem"), "line 1: menuItem: There is no menu to put it in.");
}

TEST_F(UiCommandsTest, ListsMenusAndCollectionsHoldTheirItems) {
    run("window; columnLayout;"
        "textScrollList -ams true -a \"cube\" -a \"ball\" -a \"cone\" -si \"ball\" shapes;"
        "optionMenu -l \"Kind\" kind; menuItem -l \"geometry\"; menuItem -l \"animation\";"
        "radioCollection; radioButton -l \"A\" a; radioButton -l \"B\" -sl b;");
    EXPECT_EQ(strings("textScrollList -q -si shapes"), (std::vector<std::string>{"ball"}));
    run("textScrollList -e -sii 3 shapes");
    EXPECT_EQ(strings("textScrollList -q -si shapes"), (std::vector<std::string>{"ball", "cone"}));
    run("textScrollList -e -ri \"ball\" -a \"disc\" shapes");
    EXPECT_EQ(strings("textScrollList -q -ai shapes"),
              (std::vector<std::string>{"cube", "cone", "disc"}));
    EXPECT_EQ(text("int $s[] = `textScrollList -q -sii shapes`; $s[0]"), "2");
    EXPECT_EQ(run("textScrollList -q -nsi shapes").asInt(), 1);
    run("textScrollList -e -da shapes");
    EXPECT_EQ(run("textScrollList -q -nsi shapes").asInt(), 0);
    EXPECT_EQ(failure("textScrollList -e -si \"none\" shapes"),
              "line 1: textScrollList: Item \"none\" not found.");
    run("textScrollList -e -ra shapes");
    EXPECT_EQ(run("textScrollList -q -ni shapes").asInt(), 0);

    // The first item is chosen until another is.
    EXPECT_EQ(text("optionMenu -q -v kind"), "geometry");
    run("optionMenu -e -v \"animation\" kind");
    EXPECT_EQ(run("optionMenu -q -sl kind").asInt(), 2);
    run("optionMenu -e -sl 1 kind");
    EXPECT_EQ(text("optionMenu -q -v kind"), "geometry");
    EXPECT_EQ(run("optionMenu -q -ni kind").asInt(), 2);
    EXPECT_EQ(failure("optionMenu -e -v \"other\" kind"),
              "line 1: optionMenu: Item \"other\" not found.");

    EXPECT_EQ(text("radioCollection -q -sl radioCollection1"), "b");
    run("radioButton -e -sl a");
    EXPECT_EQ(text("radioCollection -q -sl radioCollection1"), "a");
}

// Nobody can answer a dialog: it answers its default button at once.
TEST_F(UiCommandsTest, DialogsAnswerTheirDefaultButton) {
    EXPECT_EQ(text("confirmDialog -t \"Bake\" -m \"Replace?\" -b \"Yes\" -b \"No\" -db \"No\" "
                   "-cb \"No\" -ds \"No\""),
              "No");
    EXPECT_EQ(text("confirmDialog -m \"Go on?\" -b \"Go\" -b \"Stop\""), "Go");
    EXPECT_EQ(text("confirmDialog -m \"Done.\""), "Confirm");
    EXPECT_EQ(text("promptDialog -t \"Name\" -tx \"copy\" -b \"OK\" -b \"Cancel\" -db \"OK\""),
              "OK");
    EXPECT_EQ(text("promptDialog -q -tx"), "copy");
    out().clearCaptured();
    run("headsUpMessage \"Baked 12 copies\"");
    EXPECT_TRUE(out().captured().empty()) << out().captured();
    EXPECT_EQ(failure("headsUpMessage"), "line 1: headsUpMessage: The message is missing.");
    out().clearCaptured();
    EXPECT_EQ(run("windowPref -exists bakeWin").asInt(), 0);
    run("windowPref -remove bakeWin");
    EXPECT_TRUE(out().captured().empty()) << out().captured();
}

}  // namespace
