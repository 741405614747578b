#include "undo/UndoQueue.h"

#include <utility>

namespace host {
namespace undo {

namespace {

// The active scopes, innermost last. A null capture marks a suspension.
std::vector<CaptureScope*>& scopes() {
    static std::vector<CaptureScope*> stack;
    return stack;
}

class FunctionEntry : public Entry {
public:
    FunctionEntry(std::string name, std::function<bool()> undo, std::function<bool()> redo)
        : m_name(std::move(name)), m_undo(std::move(undo)), m_redo(std::move(redo)) {}
    std::string name() const override { return m_name; }

protected:
    bool undoIt() override { return m_undo(); }
    bool redoIt() override { return m_redo(); }

private:
    std::string m_name;
    std::function<bool()> m_undo;
    std::function<bool()> m_redo;
};

// What a closed chunk becomes; shown under the name of its first entry.
class ChunkEntry : public Entry {
public:
    explicit ChunkEntry(EntryList entries) : m_group(std::move(entries)) {}
    std::string name() const override { return m_group[0].name(); }

protected:
    bool undoIt() override { return m_group.undo(); }
    bool redoIt() override { return m_group.redo(); }

private:
    EntryGroup m_group;
};

}  // namespace

Entry::~Entry() = default;

bool Entry::undo() {
    SuspendScope suspended;
    return undoIt();
}

bool Entry::redo() {
    SuspendScope suspended;
    return redoIt();
}

EntryPtr makeEntry(std::string name, std::function<bool()> undo, std::function<bool()> redo) {
    return std::make_unique<FunctionEntry>(std::move(name), std::move(undo), std::move(redo));
}

EntryGroup::EntryGroup(EntryList entries)
    : m_entries(std::move(entries)), m_done(m_entries.size()) {}

void EntryGroup::append(EntryPtr entry) {
    m_entries.push_back(std::move(entry));
    m_done = m_entries.size();
}

bool EntryGroup::undo() {
    while (m_done > 0) {
        if (!m_entries[m_done - 1]->undo()) {
            return false;
        }
        --m_done;
    }
    return true;
}

bool EntryGroup::redo() {
    while (m_done < m_entries.size()) {
        if (!m_entries[m_done]->redo()) {
            return false;
        }
        ++m_done;
    }
    return true;
}

void record(EntryPtr entry) {
    if (!entry) {
        return;
    }
    if (!scopes().empty()) {
        if (CaptureScope* capture = scopes().back()) {
            capture->m_entries.push_back(std::move(entry));
        }
        return;
    }
    Queue& queue = Queue::instance();
    if (queue.m_on) {
        queue.add(std::move(entry));
    }
}

bool isRecording() {
    return !scopes().empty() ? scopes().back() != nullptr : Queue::instance().m_on;
}

Queue& Queue::instance() {
    static Queue queue;
    return queue;
}

void Queue::add(EntryPtr entry) {
    if (!m_chunks.empty()) {
        m_chunks.back().push_back(std::move(entry));
        return;
    }
    m_entries.erase(m_entries.begin() + static_cast<long>(m_position), m_entries.end());
    m_entries.push_back(std::move(entry));
    m_position = m_entries.size();
    trim();
}

void Queue::trim() {
    if (m_infinite || m_entries.size() <= m_length) {
        return;
    }
    const std::size_t excess = m_entries.size() - m_length;
    m_entries.erase(m_entries.begin(), m_entries.begin() + static_cast<long>(excess));
    m_position = m_position > excess ? m_position - excess : 0;
}

bool Queue::undo() {
    closeChunks();
    if (!canUndo() || m_undoing || m_redoing) {
        return false;
    }
    m_undoing = true;
    const bool ok = m_entries[m_position - 1]->undo();
    m_undoing = false;
    if (ok) {
        --m_position;
    }
    return ok;
}

bool Queue::redo() {
    closeChunks();
    if (!canRedo() || m_undoing || m_redoing) {
        return false;
    }
    m_redoing = true;
    const bool ok = m_entries[m_position]->redo();
    m_redoing = false;
    if (ok) {
        ++m_position;
    }
    return ok;
}

std::string Queue::undoName() const {
    return canUndo() ? m_entries[m_position - 1]->name() : std::string();
}

std::string Queue::redoName() const {
    return canRedo() ? m_entries[m_position]->name() : std::string();
}

void Queue::setState(bool on, bool flushQueue) {
    if (!on && flushQueue) {
        flush();
    }
    m_on = on;
}

void Queue::setInfinity(bool infinite) {
    m_infinite = infinite;
    trim();
}

void Queue::setLength(unsigned int length) {
    m_length = length;
    trim();
}

void Queue::openChunk() {
    m_chunks.emplace_back();
}

void Queue::closeChunk() {
    if (m_chunks.empty()) {
        return;
    }
    EntryList gathered = std::move(m_chunks.back());
    m_chunks.pop_back();
    if (gathered.empty()) {
        return;
    }
    if (!m_chunks.empty()) {
        for (EntryPtr& entry : gathered) {
            m_chunks.back().push_back(std::move(entry));
        }
        return;
    }
    add(std::make_unique<ChunkEntry>(std::move(gathered)));
}

void Queue::closeChunks() {
    while (chunkOpen()) {
        closeChunk();
    }
}

void Queue::flush() {
    // Entries may record or flush while they are destroyed; detach them first.
    // Open chunks stay open (their closes are still to come), only emptied.
    EntryList entries;
    entries.swap(m_entries);
    std::vector<EntryList> chunks(m_chunks.size());
    chunks.swap(m_chunks);
    m_position = 0;
}

std::vector<std::string> Queue::names() const {
    std::vector<std::string> result;
    for (const EntryPtr& entry : m_entries) {
        result.push_back(entry->name());
    }
    return result;
}

SuspendScope::SuspendScope() {
    scopes().push_back(nullptr);
}
SuspendScope::~SuspendScope() {
    scopes().pop_back();
}

CaptureScope::CaptureScope() {
    scopes().push_back(this);
}
CaptureScope::~CaptureScope() {
    scopes().pop_back();
}

EntryList CaptureScope::take() {
    EntryList taken;
    taken.swap(m_entries);
    return taken;
}

}  // namespace undo
}  // namespace host
