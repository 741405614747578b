// undo, redo, undoInfo and flushUndo as scripts use them.

#include "plugin_support.h"

namespace {

using hosttest::HostFixture;

class UndoCommandsTest : public HostFixture {
protected:
    // A built-in style entry that changes the global MEL int $undoCount.
    void step(const std::string& name, int delta) {
        run("global int $undoCount; $undoCount += " + std::to_string(delta));
        const std::string change = std::to_string(delta);
        host::undo::record(host::undo::makeEntry(
            name,
            [change] { return mel().execute("global int $undoCount; $undoCount -= " + change); },
            [change] { return mel().execute("global int $undoCount; $undoCount += " + change); }));
    }
    std::string count() { return text("global int $undoCount; $undoCount"); }
    void SetUp() override {
        HostFixture::SetUp();
        run("global int $undoCount; $undoCount = 0");
    }
};

TEST_F(UndoCommandsTest, UndoAndRedoReportWhatTheyDid) {
    step("addOne", 1);
    step("addTen", 10);
    out().clearCaptured();
    run("undo");
    EXPECT_EQ(count(), "1");
    EXPECT_NE(out().captured().find("// Undo: addTen //"), std::string::npos);
    run("redo");
    EXPECT_EQ(count(), "11");
    EXPECT_NE(out().captured().find("// Redo: addTen //"), std::string::npos);
}

TEST_F(UndoCommandsTest, WarnsWhenNothingIsLeft) {
    out().clearCaptured();
    run("undo");
    EXPECT_NE(out().captured().find("// Warning: line 1: There are no more commands to undo. //"),
              std::string::npos)
        << out().captured();
    run("redo");
    EXPECT_NE(out().captured().find("There are no more commands to redo."), std::string::npos);
    EXPECT_TRUE(out().errors().empty());
}

TEST_F(UndoCommandsTest, UndoInfoQueriesAndSetsTheQueue) {
    EXPECT_EQ(text("undoInfo -q -state"), "1");
    EXPECT_EQ(text("undoInfo -q -undoQueueEmpty"), "1");
    step("addOne", 1);
    EXPECT_EQ(text("undoInfo -q -undoName"), "addOne");
    EXPECT_EQ(text("undoInfo -q -uqe"), "0");
    run("undo");
    EXPECT_EQ(text("undoInfo -q -redoName"), "addOne");
    EXPECT_EQ(text("undoInfo -q -undoName"), "");

    run("undoInfo -stateWithoutFlush off");
    EXPECT_EQ(text("undoInfo -q -st"), "0");
    EXPECT_EQ(text("undoInfo -q -rn"), "addOne");
    run("undoInfo -state on; undoInfo -state off; undoInfo -state on");
    EXPECT_EQ(text("undoInfo -q -rn"), "");

    EXPECT_EQ(failure("undoInfo -undoName"), "line 1: undoInfo: -un can only be queried.");
    EXPECT_EQ(failure("undoInfo -state"),
              "line 1: Flag '-state' must be passed a boolean argument.");
}

TEST_F(UndoCommandsTest, ChunksFromScriptsUndoAsOne) {
    run("undoInfo -openChunk");
    step("addOne", 1);
    step("addTwo", 2);
    run("undoInfo -closeChunk");
    EXPECT_EQ(count(), "3");
    run("undo");
    EXPECT_EQ(count(), "0");
    run("redo");
    EXPECT_EQ(count(), "3");
}

TEST_F(UndoCommandsTest, FlushUndoEmptiesBothSides) {
    step("addOne", 1);
    step("addTwo", 2);
    run("undo; flushUndo");
    EXPECT_EQ(text("undoInfo -q -uqe"), "1");
    EXPECT_EQ(text("undoInfo -q -rn"), "");
}

}  // namespace
