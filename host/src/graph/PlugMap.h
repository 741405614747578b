#ifndef HOST_GRAPH_PLUGMAP_H
#define HOST_GRAPH_PLUGMAP_H

#include "graph/Plug.h"

#include <algorithm>
#include <cstddef>
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
            it = this->m_entries.insert(it, {path, T{}});
        return it->second;
    }
};

// A set of plugs.
class PlugSet : public SortedPlugs<PlugPath, detail::PathIsEntry> {
public:
    void insert(const PlugPath& path) {
        auto [it, found] = place(path);
        if (!found)
            m_entries.insert(it, path);
    }
    template <class Iterator>
    void insert(Iterator first, Iterator last) {
        for (; first != last; ++first)
            insert(*first);
    }
};

}  // namespace host

#endif
