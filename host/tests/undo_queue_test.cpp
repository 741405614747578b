// The undo queue's C++ interface: order, the redo tail, chunks, scopes,
// state and length, and failures.

#include "plugin_support.h"

#include <memory>

namespace {

using host::undo::CaptureScope;
using host::undo::EntryGroup;
using host::undo::EntryList;
using host::undo::Queue;
using host::undo::SuspendScope;
using hosttest::HostFixture;

// Entries that write what is done to them into a shared log, count their
// instances and fail on demand.
struct Journal {
    std::vector<std::string> log;
    int alive = 0;
    std::string failUndoOf;
};

class LoggedEntry : public host::undo::Entry {
public:
    LoggedEntry(Journal& journal, std::string name) : m_journal(journal), m_name(std::move(name)) {
        ++m_journal.alive;
    }
    ~LoggedEntry() override { --m_journal.alive; }
    std::string name() const override { return m_name; }

protected:
    bool undoIt() override {
        // Whatever an entry does while it is undone is not recorded.
        EXPECT_FALSE(host::undo::isRecording());
        if (m_journal.failUndoOf == m_name) {
            m_journal.failUndoOf.clear();
            return false;
        }
        m_journal.log.push_back("undo " + m_name);
        return true;
    }
    bool redoIt() override {
        m_journal.log.push_back("redo " + m_name);
        return true;
    }

private:
    Journal& m_journal;
    std::string m_name;
};

class UndoQueueTest : public HostFixture {
protected:
    void TearDown() override {
        queue().flush();
        EXPECT_EQ(journal.alive, 0);
    }
    void record(const std::string& name) {
        host::undo::record(std::make_unique<LoggedEntry>(journal, name));
    }
    static Queue& queue() { return Queue::instance(); }
    Journal journal;
};

TEST_F(UndoQueueTest, UndoesBackwardAndRedoesForward) {
    record("a");
    record("b");
    EXPECT_EQ(queue().undoName(), "b");
    EXPECT_TRUE(queue().undo());
    EXPECT_TRUE(queue().undo());
    EXPECT_FALSE(queue().undo());
    EXPECT_EQ(queue().redoName(), "a");
    EXPECT_TRUE(queue().redo());
    EXPECT_EQ(journal.log, (std::vector<std::string>{"undo b", "undo a", "redo a"}));
}

TEST_F(UndoQueueTest, ANewEntryAfterUndoDeletesTheRedoTail) {
    record("a");
    record("b");
    record("c");
    queue().undo();
    queue().undo();
    EXPECT_EQ(journal.alive, 3);
    record("d");
    EXPECT_EQ(journal.alive, 2);
    EXPECT_FALSE(queue().canRedo());
    EXPECT_EQ(queue().names(), (std::vector<std::string>{"a", "d"}));
}

TEST_F(UndoQueueTest, AFailedUndoStaysToBeRetried) {
    record("a");
    journal.failUndoOf = "a";
    EXPECT_FALSE(queue().undo());
    EXPECT_TRUE(queue().canUndo());
    EXPECT_TRUE(queue().undo());
    EXPECT_EQ(journal.log, (std::vector<std::string>{"undo a"}));
}

TEST_F(UndoQueueTest, ChunksNestAndUndoAsOne) {
    record("before");
    queue().openChunk();
    record("x");
    queue().openChunk();
    record("y");
    queue().closeChunk();
    EXPECT_EQ(queue().names().size(), 1u) << "nothing enters before the outer close";
    record("z");
    queue().closeChunk();
    // An empty chunk leaves no entry.
    queue().openChunk();
    queue().closeChunk();
    ASSERT_EQ(queue().names(), (std::vector<std::string>{"before", "x"}));
    EXPECT_TRUE(queue().undo());
    EXPECT_EQ(journal.log, (std::vector<std::string>{"undo z", "undo y", "undo x"}));
    journal.log.clear();
    EXPECT_TRUE(queue().redo());
    EXPECT_EQ(journal.log, (std::vector<std::string>{"redo x", "redo y", "redo z"}));
}

TEST_F(UndoQueueTest, UndoClosesAChunkLeftOpen) {
    queue().openChunk();
    record("x");
    EXPECT_TRUE(queue().undo());
    EXPECT_FALSE(queue().chunkOpen());
    EXPECT_EQ(journal.log, (std::vector<std::string>{"undo x"}));
}

TEST_F(UndoQueueTest, SuspendDeletesAndCaptureCollectsInnermostFirst) {
    {
        CaptureScope capture;
        record("captured");
        {
            SuspendScope suspended;
            EXPECT_FALSE(host::undo::isRecording());
            record("dropped");
            EXPECT_EQ(journal.alive, 1);
        }
        EntryList taken = capture.take();
        ASSERT_EQ(taken.size(), 1u);
        EXPECT_EQ(taken[0]->name(), "captured");
        record("left");
    }
    // What the capture did not hand out went with it.
    EXPECT_EQ(journal.alive, 0);
    EXPECT_FALSE(queue().canUndo());
}

TEST_F(UndoQueueTest, AGroupResumesWhereAFailedPassStopped) {
    EntryList entries;
    for (const char* name : {"a", "b", "c"}) {
        entries.push_back(std::make_unique<LoggedEntry>(journal, name));
    }
    EntryGroup group(std::move(entries));
    journal.failUndoOf = "b";
    EXPECT_FALSE(group.undo());
    EXPECT_TRUE(group.undo());
    EXPECT_TRUE(group.redo());
    EXPECT_EQ(journal.log, (std::vector<std::string>{"undo c", "undo b", "undo a", "redo a",
                                                     "redo b", "redo c"}));
}

TEST_F(UndoQueueTest, TurningUndoOffFlushesUnlessAskedNotTo) {
    record("a");
    queue().setState(false, false);
    record("ignored");
    EXPECT_EQ(journal.alive, 1);
    queue().setState(true);
    EXPECT_EQ(queue().undoName(), "a");
    queue().setState(false);
    EXPECT_EQ(journal.alive, 0);
    queue().setState(true);
}

TEST_F(UndoQueueTest, AFiniteQueueKeepsTheNewestEntries) {
    for (const char* name : {"a", "b", "c"}) {
        record(name);
    }
    queue().setInfinity(false);
    queue().setLength(2);
    EXPECT_EQ(queue().names(), (std::vector<std::string>{"b", "c"}));
    record("d");
    EXPECT_EQ(queue().names(), (std::vector<std::string>{"c", "d"}));
    queue().setLength(50);
}

}  // namespace
