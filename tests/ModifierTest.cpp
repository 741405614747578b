// DKmayaModifier's bookkeeping: what runs, in which order, and how far it got
// after failures. Recording operations stand in for real steps; the native
// operation cases use the host's own modifier.

#include "PluginTestSupport.h"

#include "operations/DKmayaModifier.h"
#include "operations/DKmayaNativeOp.h"
#include "plugin/DKexception.h"

#include <maya/MDagModifier.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Journal = std::vector<std::string>;

class RecordingOp : public DKmayaOperation {
public:
    RecordingOp(Journal& journal, std::string name, bool failDo = false, bool failUndo = false)
        : journal_(journal), name_(std::move(name)), failDo_(failDo), failUndo_(failUndo) {}

    void doIt() override {
        journal_.push_back(name_ + ".do");
        if (failDo_) {
            throw DKexception(name_ + " failed");
        }
    }
    void undoIt() override {
        journal_.push_back(name_ + ".undo");
        if (failUndo_) {
            throw DKexception(name_ + " undo failed");
        }
    }

private:
    Journal& journal_;
    std::string name_;
    bool failDo_;
    bool failUndo_;
};

class ModifierTest : public ::testing::Test {
protected:
    void add(const std::string& name, bool failDo = false, bool failUndo = false) {
        modifier.addOperation(std::make_unique<RecordingOp>(journal, name, failDo, failUndo));
    }

    Journal journal;
    DKmayaModifier modifier;
};

TEST_F(ModifierTest, EmptyModifierDoesNothing) {
    modifier.doIt();
    modifier.undoIt();
    modifier.removeLast(1);
    EXPECT_EQ(modifier.size(), 0u);
    EXPECT_EQ(modifier.executedCount(), 0u);
}

TEST_F(ModifierTest, RunsForwardAndUndoesBackwardEachTimeAsked) {
    add("a");
    add("b");
    add("c");
    modifier.doIt();
    modifier.undoIt();
    modifier.doIt();
    EXPECT_EQ(journal, (Journal{"a.do", "b.do", "c.do", "c.undo", "b.undo", "a.undo", "a.do",
                                "b.do", "c.do"}));
    EXPECT_EQ(modifier.executedCount(), 3u);
}

TEST_F(ModifierTest, AppendingAfterExecutionRunsOnlyTheNewOperations) {
    add("a");
    modifier.doIt();
    add("b");
    EXPECT_EQ(modifier.executedCount(), 1u);
    modifier.doIt();
    EXPECT_EQ(journal, (Journal{"a.do", "b.do"}));
}

TEST_F(ModifierTest, FailureStopsAtTheFailingOperationAndKeepsEarlierOnesDone) {
    add("a");
    add("b", true);
    add("c");
    EXPECT_THROW(modifier.doIt(), DKexception);
    EXPECT_EQ(modifier.executedCount(), 1u);
    EXPECT_EQ(journal, (Journal{"a.do", "b.do"}));

    journal.clear();
    modifier.undoIt();
    EXPECT_EQ(journal, (Journal{"a.undo"}));
    EXPECT_EQ(modifier.executedCount(), 0u);
}

TEST_F(ModifierTest, FailedUndoStillCountsTheOperationAsDone) {
    add("a");
    add("b", false, true);
    add("c");
    modifier.doIt();
    EXPECT_THROW(modifier.undoIt(), DKexception);
    EXPECT_EQ(modifier.executedCount(), 2u);
    EXPECT_EQ(journal, (Journal{"a.do", "b.do", "c.do", "c.undo", "b.undo"}));
}

TEST_F(ModifierTest, RemoveLastAfterAFailedDoItUndoesAndDropsTheFailingOperation) {
    add("a");
    modifier.doIt();
    add("b", true);
    EXPECT_THROW(modifier.doIt(), DKexception);
    modifier.removeLast(1);
    EXPECT_EQ(journal, (Journal{"a.do", "b.do", "b.undo"}));
    EXPECT_EQ(modifier.size(), 1u);
    EXPECT_EQ(modifier.executedCount(), 1u);
}

TEST_F(ModifierTest, RemoveLastAfterFullExecutionUndoesTheRemovedOnesInReverse) {
    add("a");
    add("b");
    add("c");
    modifier.doIt();
    journal.clear();
    modifier.removeLast(2);
    EXPECT_EQ(journal, (Journal{"c.undo", "b.undo"}));
    EXPECT_EQ(modifier.size(), 1u);
    EXPECT_EQ(modifier.executedCount(), 1u);
}

TEST_F(ModifierTest, RemoveLastLeavesOperationsBeyondTheExecutedOnesUntouched) {
    add("a");
    modifier.doIt();
    add("b");
    add("c");
    journal.clear();
    modifier.removeLast(1);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(modifier.size(), 2u);
    EXPECT_EQ(modifier.executedCount(), 1u);
}

TEST_F(ModifierTest, RemoveLastOfMoreThanTheListEmptiesIt) {
    add("a");
    add("b");
    modifier.doIt();
    journal.clear();
    modifier.removeLast(5);
    EXPECT_EQ(journal, (Journal{"b.undo", "a.undo"}));
    EXPECT_EQ(modifier.size(), 0u);
    EXPECT_EQ(modifier.executedCount(), 0u);
}

TEST_F(ModifierTest, ClearDropsEverythingWithoutUndoing) {
    add("a");
    modifier.doIt();
    journal.clear();
    modifier.clear();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(modifier.size(), 0u);
    EXPECT_EQ(modifier.executedCount(), 0u);
}

class NativeModifierTest : public dktest::HostTest {
protected:
    Journal journal;
    DKmayaModifier modifier;
};

TEST_F(NativeModifierTest, ReuseHandsOutTheTrailingNativeModifierUntilSomethingElseIsAppended) {
    MDagModifier& first = modifier.nativeModifier(true);
    EXPECT_EQ(&modifier.nativeModifier(true), &first);
    EXPECT_EQ(modifier.size(), 1u);

    EXPECT_NE(&modifier.nativeModifier(false), &first);
    EXPECT_EQ(modifier.size(), 2u);

    modifier.addOperation(std::make_unique<RecordingOp>(journal, "a"));
    MDagModifier& afterOther = modifier.nativeModifier(true);
    EXPECT_EQ(modifier.size(), 4u);
    EXPECT_EQ(&modifier.nativeModifier(true), &afterOther);
}

TEST_F(NativeModifierTest, RemovingTheLastOperationMakesAnEarlierNativeOneReusableAgain) {
    MDagModifier& native = modifier.nativeModifier(false);
    modifier.addOperation(std::make_unique<RecordingOp>(journal, "a"));
    modifier.removeLast(1);
    EXPECT_EQ(&modifier.nativeModifier(true), &native);
    EXPECT_EQ(modifier.size(), 1u);
}

TEST_F(NativeModifierTest, ActionsQueuedAfterExecutionRunOnTheNextDoItWithoutRerunningOthers) {
    modifier.addOperation(std::make_unique<RecordingOp>(journal, "a"));
    modifier.nativeModifier(false).commandToExecute("createNode -n queuedFirst transform");
    modifier.doIt();
    ASSERT_TRUE(dktest::nodeExists("queuedFirst"));

    modifier.nativeModifier(true).commandToExecute("createNode -n queuedSecond transform");
    modifier.doIt();
    EXPECT_TRUE(dktest::nodeExists("queuedSecond"));
    EXPECT_FALSE(dktest::nodeExists("queuedFirst1"));
    EXPECT_EQ(journal, (Journal{"a.do"}));
    EXPECT_EQ(modifier.executedCount(), 2u);

    modifier.undoIt();
    EXPECT_FALSE(dktest::nodeExists("queuedFirst"));
    EXPECT_FALSE(dktest::nodeExists("queuedSecond"));
}

}  // namespace
