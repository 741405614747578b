#ifndef HOST_GRAPH_NODELIST_H
#define HOST_GRAPH_NODELIST_H

#include <algorithm>
#include <cstddef>
#include <vector>

namespace host {

class Node;

// An ordered list of nodes (a DAG node's children) that reads like a
// vector. Taking one out or putting one back moves the nodes on the nearer
// side of it, not always those after it: the world's children of a big
// scene are hundreds of thousands, and a delete of many objects takes each
// from near the front of the list in turn (the order they were made in),
// as its undo puts each back there.
class NodeList {
public:
    using value_type = Node*;
    using iterator = Node**;
    using const_iterator = Node* const*;

    NodeList() = default;
    NodeList(const NodeList& other) : m_slots(other.begin(), other.end()) {}
    NodeList& operator=(const NodeList& other) {
        if (this != &other) {
            m_slots.assign(other.begin(), other.end());
            m_start = 0;
        }
        return *this;
    }
    NodeList& operator=(const std::vector<Node*>& nodes) {
        m_slots = nodes;
        m_start = 0;
        return *this;
    }
    operator std::vector<Node*>() const { return std::vector<Node*>(begin(), end()); }

    iterator begin() { return m_slots.data() + m_start; }
    iterator end() { return m_slots.data() + m_slots.size(); }
    const_iterator begin() const { return m_slots.data() + m_start; }
    const_iterator end() const { return m_slots.data() + m_slots.size(); }
    size_t size() const { return m_slots.size() - m_start; }
    bool empty() const { return size() == 0; }
    Node* operator[](size_t i) const { return m_slots[m_start + i]; }
    Node*& operator[](size_t i) { return m_slots[m_start + i]; }
    Node* front() const { return (*this)[0]; }
    Node* back() const { return m_slots.back(); }

    void push_back(Node* node) { m_slots.push_back(node); }
    void reserve(size_t count) { m_slots.reserve(m_start + count); }
    void clear() {
        m_slots.clear();
        m_start = 0;
    }
    iterator insert(const_iterator at, Node* node) {
        const size_t position = static_cast<size_t>(at - begin());
        if (position >= size() / 2) {
            m_slots.insert(m_slots.begin() + static_cast<std::ptrdiff_t>(m_start + position), node);
            return begin() + position;
        }
        if (m_start == 0)
            makeRoomInFront();
        --m_start;
        std::move(begin() + 1, begin() + 1 + position, begin());
        (*this)[position] = node;
        return begin() + position;
    }
    iterator erase(const_iterator at) {
        const size_t position = static_cast<size_t>(at - begin());
        if (position >= size() / 2) {
            m_slots.erase(m_slots.begin() + static_cast<std::ptrdiff_t>(m_start + position));
            return begin() + position;
        }
        std::move_backward(begin(), begin() + position, begin() + position + 1);
        m_slots[m_start++] = nullptr;
        // The room in front is kept for nodes put back, up to twice what the
        // list holds.
        if (m_start > 2 * size() + kRoom)
            compact();
        return begin() + position;
    }
    iterator erase(const_iterator first, const_iterator last) {
        const size_t from = static_cast<size_t>(first - begin());
        const size_t to = static_cast<size_t>(last - begin());
        m_slots.erase(m_slots.begin() + static_cast<std::ptrdiff_t>(m_start + from),
                      m_slots.begin() + static_cast<std::ptrdiff_t>(m_start + to));
        return begin() + from;
    }

private:
    static constexpr size_t kRoom = 16;
    void compact() {
        m_slots.erase(m_slots.begin(), m_slots.begin() + static_cast<std::ptrdiff_t>(m_start));
        m_start = 0;
    }
    // As much room in front as the list holds, so that putting back many
    // nodes near the front moves each node a bounded number of times.
    void makeRoomInFront() {
        const size_t room = std::max(size(), kRoom);
        m_slots.insert(m_slots.begin(), room, nullptr);
        m_start = room;
    }

    std::vector<Node*> m_slots;  // the nodes from m_start on
    size_t m_start = 0;
};

}  // namespace host

#endif
