#ifndef HOST_GRAPH_PLUGMAP_H
#define HOST_GRAPH_PLUGMAP_H

#include "graph/Plug.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace host {

// What a node keeps per plug (its connections, its locked plugs), sorted by
// plug as an ordered tree would be, so every walk over it sees the same
// order, but in one vector: most nodes of a big scene (a bake's curves and
// copies) keep one or two entries, and a tree spends more on each entry's
// own allocation than the entry holds. Inserting or erasing moves the
// entries after it, so no iterator or reference is held across either.
template <class Entry, class Key>
class SortedPlugs {
public:
    using value_type = Entry;
    using iterator = typename std::vector<Entry>::iterator;
    using const_iterator = typename std::vector<Entry>::const_iterator;

    iterator begin() { return m_entries.begin(); }
    iterator end() { return m_entries.end(); }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }

    iterator lower_bound(const PlugPath& path) {
        return std::lower_bound(begin(), end(), path, before);
    }
    const_iterator lower_bound(const PlugPath& path) const {
        return std::lower_bound(begin(), end(), path, before);
    }
    iterator find(const PlugPath& path) {
        auto it = lower_bound(path);
        return it != end() && Key::of(*it) == path ? it : end();
    }
    const_iterator find(const PlugPath& path) const {
        auto it = lower_bound(path);
        return it != end() && Key::of(*it) == path ? it : end();
    }
    std::size_t count(const PlugPath& path) const { return find(path) != end() ? 1 : 0; }

    iterator erase(const_iterator it) { return m_entries.erase(it); }
    std::size_t erase(const PlugPath& path) {
        auto it = find(path);
        if (it == end())
            return 0;
        m_entries.erase(it);
        return 1;
    }

protected:
    // Where an entry for `path` is or goes, and whether it is there.
    std::pair<iterator, bool> place(const PlugPath& path) {
        auto it = lower_bound(path);
        return {it, it != end() && Key::of(*it) == path};
    }
    iterator insert(iterator at, Entry entry) {
        // Grown by half rather than doubled: a transform fed by ten curves
        // keeps room for eleven, not sixteen.
        if (m_entries.size() == m_entries.capacity()) {
            const auto offset = at - begin();
            m_entries.reserve(m_entries.size() + m_entries.size() / 2 + 1);
            at = begin() + offset;
        }
        return m_entries.insert(at, std::move(entry));
    }
    std::vector<Entry> m_entries;

private:
    static bool before(const Entry& entry, const PlugPath& path) { return Key::of(entry) < path; }
};

namespace detail {
struct PathIsEntry {
    static const PlugPath& of(const PlugPath& entry) { return entry; }
};
struct PathIsFirst {
    template <class T>
    static const PlugPath& of(const std::pair<PlugPath, T>& entry) {
        return entry.first;
    }
};
}  // namespace detail

// Plugs mapped to what is kept for each.
template <class T>
class PlugMap : public SortedPlugs<std::pair<PlugPath, T>, detail::PathIsFirst> {
public:
    T& operator[](const PlugPath& path) {
        auto [it, found] = this->place(path);
        if (!found)
            it = this->insert(it, {path, T{}});
        return it->second;
    }
};

// A set of plugs, made with its first plug: most nodes lock none and
// override the keyability of none.
class PlugSet {
public:
    using const_iterator = std::vector<PlugPath>::const_iterator;
    using iterator = const_iterator;

    const_iterator begin() const { return m_plugs ? m_plugs->begin() : const_iterator(); }
    const_iterator end() const { return m_plugs ? m_plugs->end() : const_iterator(); }
    bool empty() const { return !m_plugs || m_plugs->empty(); }
    std::size_t count(const PlugPath& path) const { return m_plugs ? m_plugs->count(path) : 0; }

    void insert(const PlugPath& path) {
        if (!m_plugs)
            m_plugs = std::make_unique<Plugs>();
        m_plugs->add(path);
    }
    template <class Iterator>
    void insert(Iterator first, Iterator last) {
        for (; first != last; ++first)
            insert(*first);
    }
    std::size_t erase(const PlugPath& path) { return m_plugs ? m_plugs->erase(path) : 0; }
    const_iterator erase(const_iterator it) { return m_plugs->erase(it); }

private:
    struct Plugs : SortedPlugs<PlugPath, detail::PathIsEntry> {
        void add(const PlugPath& path) {
            auto [it, found] = place(path);
            if (!found)
                SortedPlugs::insert(it, path);
        }
    };
    std::unique_ptr<Plugs> m_plugs;
};

}  // namespace host

#endif
