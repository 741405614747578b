// Casts, the shipped utility procedures and optionVar.
#include "mel_fixture.h"

#include "undo/UndoQueue.h"

namespace host::mel::testing {
namespace {

using MelCasts = MelTest;
using MelUtilities = MelTest;
using MelOptionVars = MelTest;

TEST_F(MelCasts, ParenthesisedTypeBindsLikeAUnaryOperator) {
    EXPECT_EQ(run("(int)7.5 + 1").asInt(), 8);
    EXPECT_EQ(run("(int)-7.5").asInt(), -7);
    EXPECT_DOUBLE_EQ(run("(float)7 / 2").asFloat(), 3.5);  // int / int would give 3
    EXPECT_EQ(text("(string)56.56 + \"x\""), "56.56x");
    EXPECT_EQ(text("(string)<<6, 2.2, 1>>"), "6 2.2 1");
    EXPECT_EQ(text("vector $v = (vector)\" 8 2.2 cat\"; $v"), "8 2.2 0");
    // A vector read as a number is its length.
    EXPECT_DOUBLE_EQ(run("(float)<<0.3, 0.4, 0>>").asFloat(), 0.5);
    EXPECT_EQ(run("(int)<<1, 2, 3>>").asInt(), 3);
    EXPECT_EQ(run("int $i = <<3, 4, 0>>; $i").asInt(), 5);
    // A parenthesised name that is not a type is still a syntax error.
    failure("(foo)3;");
}

TEST_F(MelCasts, ArraysDoNotCastToScalars) {
    failure("(int){1, 2};");
    EXPECT_NE(lastError().find("Cannot convert"), std::string::npos) << lastError();
}

TEST_F(MelUtilities, StringArrays) {
    EXPECT_EQ(text("stringArrayToString(stringArrayRemoveDuplicates({\"d\", \"b\", \"c\", \"c\", "
                   "\"a\", \"a\", \"b\"}), \",\")"),
              "d,b,c,a");
    EXPECT_EQ(text("stringArrayToString(stringArrayRemove({\"a\", \"c\", \"e\", \"g\"}, {\"a\", "
                   "\"b\", \"c\", \"d\", \"b\", \"e\", \"f\", \"a\", \"g\"}), \",\")"),
              "b,d,b,f");
    EXPECT_EQ(run("stringArrayCount(\"b\", {\"a\", \"b\", \"b\"})").asInt(), 2);
    EXPECT_EQ(text("stringArrayToString(stringArrayCatenate({\"a\"}, {\"b\", \"c\"}), \",\")"),
              "a,b,c");
    EXPECT_EQ(text("stringArrayToString(stringToStringArray(\"Hey, what's your name?\", \" "
                   ",?\"), \"|\")"),
              "Hey|what's|your|name");
    EXPECT_EQ(run("size(stringToStringArray(\"/user/dir/file\", \"/\"))").asInt(), 3);
    EXPECT_EQ(text("intArrayToString({1, 2, 3}, \", \")"), "1, 2, 3");
    // The arrays passed in are left as they were.
    EXPECT_EQ(
        run("string $a[] = {\"x\", \"x\"}; stringArrayRemoveDuplicates($a); size($a)").asInt(), 2);
    failure("stringArrayRemoveDuplicates(\"a\");");
    EXPECT_EQ(lastError(), "line 1: stringArrayRemoveDuplicates: the argument must be an array.");
}

TEST_F(MelUtilities, PathNames) {
    EXPECT_EQ(text("basenameEx(\"/usr/people/gamera/gamera.mel\")"), "gamera");
    EXPECT_EQ(text("basenameEx(\"C:/aw/godzilla/hello.c\")"), "hello");
    EXPECT_EQ(text("basenameEx(\"\")"), "");  // an untitled scene
    EXPECT_EQ(text("basename(\"/usr/people/gamera/gamera.mel\", \".mel\")"), "gamera");
    EXPECT_EQ(text("basename(\"/usr/people/gamera/gamera.mel\", \"\")"), "gamera.mel");
    EXPECT_EQ(text("basename(\"/usr/people/\", \"\")"), "people");
    EXPECT_EQ(text("dirname(\"/usr/people/gamera/gamera.mel\")"), "/usr/people/gamera");
    EXPECT_EQ(text("dirname(\"C:\\\\aw\\\\hello.c\")"), "C:/aw");
    EXPECT_EQ(text("dirname(\"file.mel\")"), "");
}

TEST_F(MelUtilities, FloatArrayVectorProducts) {
    EXPECT_DOUBLE_EQ(run("dotProduct({1, 2, 3}, {4, 5, 6}, 0)").asFloat(), 32);
    EXPECT_NEAR(run("dotProduct({2, 0, 0}, {0, 0, 3}, 1)").asFloat(), 0, 1e-12);
    EXPECT_NEAR(run("dotProduct({2, 0, 0}, {5, 0, 0}, 1)").asFloat(), 1, 1e-12);
    EXPECT_EQ(text("crossProduct({1, 2, 3}, {4, 5, 6}, 0, 0)"), "-3 6 -3");
    EXPECT_EQ(text("crossProduct({2, 0, 0}, {0, 3, 0}, 0, 1)"), "0 0 1");
    failure("dotProduct({\"a\"}, {1, 2, 3}, 0);");
    EXPECT_EQ(lastError(), "line 1: dotProduct: the arguments must be float arrays.");
}

TEST_F(MelOptionVars, SetQueryAndArrays) {
    run("optionVar -rm defaultTriangles -rm defaultFileName -rm list");
    run("optionVar -iv defaultTriangles 4 -sv defaultFileName \"buffalo.scn\"");
    EXPECT_EQ(text("optionVar -q defaultFileName"), "buffalo.scn");
    EXPECT_EQ(run("optionVar -q defaultTriangles").type(), Type::Int);
    EXPECT_EQ(run("optionVar -ex defaultTriangles").asInt(), 1);
    // Setting again replaces, even with another kind.
    run("optionVar -fv defaultTriangles 2.5");
    EXPECT_DOUBLE_EQ(run("optionVar -q defaultTriangles").asFloat(), 2.5);
    // Appending makes an array; a scalar of the same kind becomes its first element.
    run("optionVar -sv list a -sva list b -sva list c");
    EXPECT_EQ(text("stringArrayToString(`optionVar -q list`, \",\")"), "a,b,c");
    EXPECT_EQ(run("optionVar -as list").asInt(), 3);
    run("optionVar -rfa list 0");
    EXPECT_EQ(text("stringArrayToString(`optionVar -q list`, \",\")"), "b,c");
    run("optionVar -ca list");
    EXPECT_EQ(run("optionVar -as list").asInt(), 0);
    // Removals come before the sets of the same call.
    run("optionVar -iv defaultTriangles 7 -rm defaultTriangles");
    EXPECT_EQ(run("optionVar -q defaultTriangles").asInt(), 7);
    EXPECT_EQ(run("optionVar -q neverSet").asInt(), 0);
    EXPECT_EQ(run("optionVar -as neverSet").asInt(), 0);
}

TEST_F(MelOptionVars, ChangesUndoAndBadArgumentsFail) {
    run("optionVar -rm undone");
    undo::Queue::instance().setState(true);
    run("optionVar -iv undone 1");
    ASSERT_TRUE(undo::Queue::instance().undo());
    EXPECT_EQ(run("optionVar -ex undone").asInt(), 0);
    ASSERT_TRUE(undo::Queue::instance().redo());
    EXPECT_EQ(run("optionVar -q undone").asInt(), 1);
    failure("optionVar -iv undone lots;");
    EXPECT_EQ(lastError(), "line 1: Flag '-iv' must be passed an integer argument.");
    failure("optionVar -iv;");
    EXPECT_EQ(lastError(), "line 1: Flag '-iv' must be passed a string argument.");
    failure("optionVar -bogus x;");
    EXPECT_EQ(lastError(), "line 1: Invalid flag: -bogus");
}

}  // namespace
}  // namespace host::mel::testing
