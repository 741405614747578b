// pickWalk, dgeval, dgdirty, autoKeyframe, ls -shortNames and the file
// queries scripts make about the scene file.
#include "commands_fixture.h"

#include <unistd.h>

#include <filesystem>

namespace host::commands::testing {
namespace {

using WalkCommands = CommandsTest;
using Strings = std::vector<std::string>;

TEST_F(WalkCommands, PickWalkStepsOverTheDag) {
    run("polyCube -n a; polyCube -n b; group -n g a b; spaceLocator -n loc; select -r a");
    EXPECT_EQ(strings("pickWalk -d up"), Strings{"g"});
    EXPECT_EQ(strings("ls -sl"), Strings{"g"});
    EXPECT_EQ(strings("pickWalk -d down"), Strings{"a"});
    // Siblings round the end, both ways.
    EXPECT_EQ(strings("pickWalk -d right"), Strings{"b"});
    EXPECT_EQ(strings("pickWalk -d right"), Strings{"a"});
    EXPECT_EQ(strings("pickWalk -d left"), Strings{"b"});
    // At the top and the bottom an object stays; two reaching one node give it once.
    EXPECT_EQ(strings("pickWalk -d up g"), Strings{"g"});
    EXPECT_EQ(strings("pickWalk -d down aShape"), Strings{"aShape"});
    EXPECT_EQ(strings("pickWalk -d up a b"), Strings{"g"});
    EXPECT_EQ(strings("pickWalk -d right loc"), Strings{"g"});
    run("undo");
    EXPECT_EQ(strings("ls -sl"), Strings{"g"});
    EXPECT_EQ(failure("pickWalk -d sideways a"), "line 1: pickWalk: Invalid direction: sideways");
}

TEST_F(WalkCommands, DgEvalAndDgDirty) {
    run("polyPlane -n p -sx 1 -sy 1; setAttr polyPlane1.sw 3");
    // Evaluating the shape brings the geometry a copy takes up to date.
    run("dgeval pShape; duplicate -n copy p; setAttr polyPlane1.sw 2");
    EXPECT_EQ(number("polyEvaluate -f copy"), 3);
    run("dgeval polyPlane1.output; dgdirty pShape; dgdirty -a; dgdirty p.tx");
    EXPECT_EQ(number("polyEvaluate -f p"), 2);
    EXPECT_EQ(failure("dgeval nothing"), "line 1: No object matches name: nothing");
}

TEST_F(WalkCommands, AutoKeyframeKeysTheKeyedPlugsSetAttrSets) {
    EXPECT_EQ(number("autoKeyframe -q -state"), 0);
    run("createNode transform -n a; setKeyframe -t 1 -v 0 a.tx; currentTime 10");
    run("autoKeyframe -state on");
    EXPECT_EQ(number("autoKeyframe -q -st"), 1);
    run("setAttr a.tx 5; setAttr a.ty 3");
    EXPECT_EQ(numbers("keyframe -q -tc a.tx"), (std::vector<double>{1, 10}));
    EXPECT_EQ(numbers("keyframe -q -vc a.tx"), (std::vector<double>{0, 5}));
    EXPECT_EQ(number("keyframe -q -kc a.ty"), 0);  // not keyed: just set
    // A compound set keys its keyed children; the key is an undo step of its own.
    run("setAttr a.t 7 1 1");
    EXPECT_EQ(numbers("keyframe -q -vc a.tx"), (std::vector<double>{0, 7}));
    run("undo; undo");
    EXPECT_EQ(numbers("keyframe -q -vc a.tx"), (std::vector<double>{0, 5}));
    run("autoKeyframe -e -state off; setAttr a.tx 2");
    EXPECT_EQ(numbers("keyframe -q -vc a.tx"), (std::vector<double>{0, 5}));
}

TEST_F(WalkCommands, ShortAttributeNamesAndFileQueries) {
    run("createNode transform -n a");
    EXPECT_EQ(strings("ls -sn a.translateX a.rotate"), (Strings{"a.tx", "a.r"}));
    EXPECT_EQ(strings("ls a.translateX"), Strings{"a.translateX"});
    namespace fs = std::filesystem;
    const fs::path file = fs::temp_directory_path() / ("walk_" + std::to_string(getpid()) + ".ma");
    EXPECT_EQ(number("file -q -ex \"" + file.generic_string() + "\""), 0);
    run("file -rn \"" + file.generic_string() + "\"; file -s");
    EXPECT_EQ(number("file -q -ex \"" + file.generic_string() + "\""), 1);
    EXPECT_EQ(text("file -q -loc"), file.generic_string());
    EXPECT_EQ(text("file -q -loc \"" + file.filename().string() + "\""), file.generic_string());
    EXPECT_EQ(failure("file -q -loc other.ma"), "line 1: file: other.ma is not a loaded file.");
    fs::remove(file);
}

}  // namespace
}  // namespace host::commands::testing
