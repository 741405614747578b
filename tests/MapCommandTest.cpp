// dkMap through the script line: every mode, its undo and redo, and each of
// its failure lines.

#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using dktest::errors;
using dktest::evalString;
using dktest::run;

class MapCommandTest : public dktest::PluginTest {
protected:
    bool exists(const std::string& map) { return evalString("dkMap -ex " + map) == "1"; }
    std::string find(const std::string& map, const std::string& key) {
        return evalString("dkMap -f " + key + " " + map);
    }
    void expectOnlyError(const std::string& line) {
        EXPECT_EQ(errors(), Lines{line});
        dktest::clearOutput();
    }
};

TEST_F(MapCommandTest, CreateWithoutANameTakesTheFirstFreeNumber) {
    EXPECT_EQ(evalString("dkMap"), "map0");
    EXPECT_EQ(evalString("dkMap \"\""), "map1");
    ASSERT_TRUE(run("dkMap -dm map0"));
    EXPECT_EQ(evalString("dkMap"), "map0");
    EXPECT_EQ(evalString("dkMap"), "map2");
    EXPECT_TRUE(errors().empty());
}

TEST_F(MapCommandTest, CreateIsUndoneAndRedone) {
    EXPECT_EQ(evalString("dkMap"), "map0");
    ASSERT_TRUE(run("undo"));
    EXPECT_FALSE(exists("map0"));
    ASSERT_TRUE(run("redo"));
    EXPECT_TRUE(exists("map0"));
}

TEST_F(MapCommandTest, CreatingAnExistingNameFailsAndKeepsItsContents) {
    ASSERT_EQ(evalString("dkMap colours"), "colours");
    ASSERT_TRUE(run("dkMap -i sky blue colours"));
    EXPECT_FALSE(run("dkMap colours"));
    expectOnlyError("dkMap: A dkMap named colours already exists.");
    EXPECT_EQ(find("colours", "sky"), "blue");
}

TEST_F(MapCommandTest, InsertReplacesAndUndoRestoresTheOldValueOrRemovesTheKey) {
    ASSERT_TRUE(run("dkMap m; dkMap -i k first m"));
    ASSERT_TRUE(run("dkMap -insert k second m"));
    EXPECT_EQ(find("m", "k"), "second");
    ASSERT_TRUE(run("undo"));
    EXPECT_EQ(find("m", "k"), "first");
    ASSERT_TRUE(run("redo"));
    EXPECT_EQ(find("m", "k"), "second");

    ASSERT_TRUE(run("dkMap -i fresh value m"));
    ASSERT_TRUE(run("undo"));
    EXPECT_EQ(find("m", "fresh"), "");
    EXPECT_FALSE(run("dkMap -er fresh m"));
    expectOnlyError("dkMap: Key fresh does not exist in map m");
}

TEST_F(MapCommandTest, KeysAndValuesKeepBlanksAndCase) {
    ASSERT_TRUE(
        run("dkMap m; dkMap -i \"a key\" \"  spaced value \" m; dkMap -i \"A KEY\" other m"));
    EXPECT_EQ(evalString("dkMap -f \"a key\" m"), "  spaced value ");
    EXPECT_EQ(evalString("dkMap -f \"A KEY\" m"), "other");
}

TEST_F(MapCommandTest, FindOfAnAbsentKeyAnswersEmpty) {
    ASSERT_TRUE(run("dkMap m"));
    EXPECT_EQ(find("m", "nothing"), "");
    EXPECT_TRUE(errors().empty());
}

TEST_F(MapCommandTest, QueriesAreNotUndoable) {
    ASSERT_TRUE(run("dkMap m; dkMap -i k v m"));
    ASSERT_TRUE(run("dkMap -f k m; dkMap -ex m; dkMap -ex missing"));
    // The last undoable change is still the insert.
    ASSERT_TRUE(run("undo"));
    EXPECT_EQ(find("m", "k"), "");
    EXPECT_TRUE(exists("m"));
}

TEST_F(MapCommandTest, ExistsNeverFails) {
    EXPECT_FALSE(exists("missing"));
    EXPECT_EQ(evalString("dkMap -exists"), "0");
    EXPECT_TRUE(errors().empty());
}

TEST_F(MapCommandTest, EraseIsUndoneWithItsValue) {
    ASSERT_TRUE(run("dkMap m; dkMap -i k kept m"));
    ASSERT_TRUE(run("dkMap -erase k m"));
    EXPECT_EQ(find("m", "k"), "");
    ASSERT_TRUE(run("undo"));
    EXPECT_EQ(find("m", "k"), "kept");
    ASSERT_TRUE(run("redo"));
    EXPECT_EQ(find("m", "k"), "");
}

TEST_F(MapCommandTest, DeleteMapIsUndoneWithAllItsKeys) {
    ASSERT_TRUE(run("dkMap m; dkMap -i a 1 m; dkMap -i b 2 m"));
    ASSERT_TRUE(run("dkMap -deleteMap m"));
    EXPECT_FALSE(exists("m"));
    ASSERT_TRUE(run("undo"));
    EXPECT_EQ(find("m", "a"), "1");
    EXPECT_EQ(find("m", "b"), "2");
    EXPECT_FALSE(run("dkMap -dm missing"));
    expectOnlyError("dkMap: dkMap missing does not exist.");
}

TEST_F(MapCommandTest, DeleteAllMapsIsUndoneAndRedone) {
    ASSERT_TRUE(run("dkMap one; dkMap -i k 1 one; dkMap two; dkMap -i k 2 two"));
    ASSERT_TRUE(run("dkMap -dam"));
    EXPECT_FALSE(exists("one"));
    EXPECT_FALSE(exists("two"));
    ASSERT_TRUE(run("undo"));
    EXPECT_EQ(find("one", "k"), "1");
    EXPECT_EQ(find("two", "k"), "2");
    ASSERT_TRUE(run("redo"));
    EXPECT_FALSE(exists("one"));
    EXPECT_FALSE(exists("two"));
}

// The undo puts back the store as it was, not merged into what is there:
// a map made since, outside the queue, goes, and a key changed so comes
// back to its old value.
TEST_F(MapCommandTest, UndoOfDeleteAllMapsReplacesTheWholeStore) {
    ASSERT_TRUE(run("dkMap one; dkMap -i k 1 one; dkMap -dam"));
    ASSERT_TRUE(
        run("undoInfo -stateWithoutFlush off; dkMap later; dkMap one; dkMap -i k 9 one;"
            "dkMap -i extra 3 one; undoInfo -stateWithoutFlush on"));
    ASSERT_TRUE(run("undo"));
    EXPECT_FALSE(exists("later"));
    EXPECT_EQ(find("one", "k"), "1");
    EXPECT_EQ(find("one", "extra"), "");
}

TEST_F(MapCommandTest, OperationsOnAMissingMapNameIt) {
    EXPECT_FALSE(run("dkMap -f k ghost"));
    expectOnlyError("dkMap: ghost is not a valid dkMap name.");
    EXPECT_FALSE(run("dkMap -i k v ghost"));
    expectOnlyError("dkMap: ghost is not a valid dkMap name.");
    EXPECT_FALSE(run("dkMap -er k ghost"));
    expectOnlyError("dkMap: ghost is not a valid dkMap name.");
    EXPECT_FALSE(run("dkMap -i k v"));
    expectOnlyError("dkMap:  is not a valid dkMap name.");
}

TEST_F(MapCommandTest, TwoModeFlagsAreRefusedEvenWithValidArguments) {
    ASSERT_TRUE(run("dkMap m; dkMap -i k v m"));
    EXPECT_FALSE(run("dkMap -f k -ex m"));
    expectOnlyError("dkMap: All flags are mutually exclusive, please only use one at a time.");
    EXPECT_FALSE(run("dkMap -i k other -er k m"));
    expectOnlyError("dkMap: All flags are mutually exclusive, please only use one at a time.");
    EXPECT_EQ(find("m", "k"), "v");
}

TEST_F(MapCommandTest, SyntaxErrorsLeaveTheReportToTheHost) {
    EXPECT_FALSE(run("dkMap -i onlyKey"));
    EXPECT_FALSE(run("dkMap -noSuchFlag"));
    EXPECT_FALSE(errors().empty());
    for (const std::string& line : errors()) {
        EXPECT_NE(line.rfind("dkMap: ", 0), 0u) << line;
    }
}

// An insert waiting in the undo queue whose map was deleted outside it.
TEST_F(MapCommandTest, UndoOfAnInsertIntoAVanishedMapNamesTheMap) {
    ASSERT_TRUE(run("dkMap m; dkMap -i k v m"));
    ASSERT_TRUE(
        run("undoInfo -stateWithoutFlush off; dkMap -dm m; undoInfo -stateWithoutFlush on"));
    EXPECT_FALSE(run("undo"));
    ASSERT_FALSE(errors().empty());
    EXPECT_EQ(errors().front(), "dkMap: m is not a valid dkMap name.");
    EXPECT_FALSE(exists("m"));
}

TEST_F(MapCommandTest, UnloadDropsEveryMap) {
    ASSERT_TRUE(run("dkMap kept; dkMap -i k v kept"));
    ASSERT_TRUE(dktest::unloadPlugin());
    ASSERT_TRUE(dktest::loadPlugin());
    EXPECT_FALSE(exists("kept"));
    EXPECT_EQ(evalString("dkMap"), "map0");
}

}  // namespace
