#pragma once
// The host's undo queue.
//
// Everything undoable is an Entry. Code that changes something records one
// entry per change with record(); where the entry goes depends on the
// innermost active scope:
//
//   - no scope: the queue, when undo is on (otherwise it is deleted);
//   - SuspendScope: deleted at once (MGlobal::executeCommand with undo off,
//     and everything an entry does while it is undone or redone);
//   - CaptureScope: kept by the scope, for code that undoes and redoes a
//     group of entries itself (MDGModifier::commandToExecute).
//
// A recorded entry that follows undos drops the redo tail. Chunks (undoInfo
// -openChunk / -closeChunk) gather the entries recorded meanwhile into one.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace host {
namespace undo {

class Entry {
public:
    virtual ~Entry();

    // Undo and redo run with recording suspended. They return false when
    // they failed (the reason already shown); the entry then stays where it
    // was, so a retry continues from where the failure stopped.
    bool undo();
    bool redo();
    // The text undoInfo and the undo and redo messages show.
    virtual std::string name() const = 0;

protected:
    virtual bool undoIt() = 0;
    virtual bool redoIt() = 0;
};

using EntryPtr = std::unique_ptr<Entry>;
using EntryList = std::vector<EntryPtr>;

// An entry made of two functions, for built-in commands.
EntryPtr makeEntry(std::string name, std::function<bool()> undo, std::function<bool()> redo);

// Hands an entry to the innermost scope, or to the queue.
void record(EntryPtr entry);
// Whether record() would keep an entry now. Code whose undo information is
// costly to gather can skip it when this is false.
bool isRecording();

class Queue {
public:
    static Queue& instance();

    // Undo or redo one entry (a chunk counts as one); false when there is
    // nothing to do or the entry failed. Open chunks are closed first.
    bool undo();
    bool redo();
    bool isUndoing() const { return m_undoing; }
    bool isRedoing() const { return m_redoing; }

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < m_entries.size(); }
    // Names of the next entry to undo and to redo, or empty.
    std::string undoName() const;
    std::string redoName() const;

    // Turning undo off empties the queue unless flush is false; while it is
    // off nothing is recorded.
    void setState(bool on, bool flush = true);
    bool state() const { return m_on; }

    // With infinity off, the oldest entries beyond length are deleted.
    void setInfinity(bool infinite);
    bool infinity() const { return m_infinite; }
    void setLength(unsigned int length);
    unsigned int length() const { return m_length; }

    // Chunks nest; the outermost close records what was gathered as one entry.
    void openChunk();
    void closeChunk();
    void closeChunks();  // all that are open
    bool chunkOpen() const { return !m_chunks.empty(); }

    // Deletes every entry (also of open chunks).
    void flush();
    // Entries now in the queue, for undoInfo -printQueue.
    std::vector<std::string> names() const;

private:
    friend void record(EntryPtr entry);
    friend bool isRecording();
    Queue() = default;
    void add(EntryPtr entry);
    void trim();

    EntryList m_entries;
    std::size_t m_position = 0;  // entries before it are done, the rest undone
    std::vector<EntryList> m_chunks;
    bool m_on = true;
    bool m_infinite = true;
    unsigned int m_length = 50;
    bool m_undoing = false;
    bool m_redoing = false;
};

// Nothing recorded while it lives enters the queue; entries are deleted.
class SuspendScope {
public:
    SuspendScope();
    ~SuspendScope();
    SuspendScope(const SuspendScope&) = delete;
    SuspendScope& operator=(const SuspendScope&) = delete;
};

// Collects the entries recorded while it lives (and no inner scope took
// them), in recording order.
class CaptureScope {
public:
    CaptureScope();
    ~CaptureScope();  // deletes what was not taken
    CaptureScope(const CaptureScope&) = delete;
    CaptureScope& operator=(const CaptureScope&) = delete;

    EntryList take();

private:
    friend void record(EntryPtr entry);
    EntryList m_entries;
};

// Entries undone and redone together: undo goes last to first, redo first
// to last. A pass stops at the first failure and remembers how far it got,
// so the next undo or redo continues from there. Starts as done.
class EntryGroup {
public:
    EntryGroup() = default;
    explicit EntryGroup(EntryList entries);

    void append(EntryPtr entry);
    bool undo();
    bool redo();
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    const Entry& operator[](std::size_t i) const { return *m_entries[i]; }

private:
    EntryList m_entries;
    std::size_t m_done = 0;  // leading entries in effect
};

}  // namespace undo
}  // namespace host
