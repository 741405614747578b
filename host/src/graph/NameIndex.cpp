#include "graph/NameIndex.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace host {

std::pair<std::string, unsigned long> splitTrailingNumber(const std::string& name) {
    size_t end = name.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(name[end - 1])))
        --end;
    if (end == name.size() || name.size() - end > 18)
        return {name, 0};
    return {name.substr(0, end), std::stoul(name.substr(end))};
}

std::uint64_t NameIndex::hashOf(const std::string& name) {
    // Mixed again so that names differing only in their last characters
    // (box_1, box_2...) spread over the whole table.
    std::uint64_t h = std::hash<std::string>{}(name);
    h = (h ^ (h >> 30)) * 0xbf58476d1ce4e5b9ULL;
    h = (h ^ (h >> 27)) * 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

size_t NameIndex::slotOf(const std::string& name, std::uint64_t hash) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (!slot.entry || (slot.hash == hash && slot.entry->name == name))
            return at;
    }
}

void NameIndex::grow() {
    std::vector<Slot> old(std::max<size_t>(64, 2 * m_slots.size()));
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (Slot& slot : old) {
        if (!slot.entry)
            continue;
        size_t at = slot.hash & mask;
        while (m_slots[at].entry)
            at = (at + 1) & mask;
        m_slots[at] = std::move(slot);
    }
}

void NameIndex::add(const std::string& name, Node* node) {
    if (2 * (m_count + 1) > m_slots.size())
        grow();
    const std::uint64_t hash = hashOf(name);
    Slot& slot = m_slots[slotOf(name, hash)];
    if (slot.entry) {
        slot.entry->nodes.push_back(node);
        return;
    }
    slot.hash = hash;
    slot.entry.reset(new Entry{name, {node}});
    ++m_count;
    auto [stem, number] = splitTrailingNumber(name);
    if (number > 0)
        m_stems[stem].used.insert(number);
}

void NameIndex::remove(const std::string& name, Node* node) {
    if (m_slots.empty())
        return;
    size_t at = slotOf(name, hashOf(name));
    if (!m_slots[at].entry)
        return;
    auto& list = m_slots[at].entry->nodes;
    list.erase(std::remove(list.begin(), list.end(), node), list.end());
    if (!list.empty())
        return;
    // Frees the slot, moving back the entries after it that could sit
    // there, so that no search stops short of them.
    const size_t mask = m_slots.size() - 1;
    m_slots[at] = Slot{};
    --m_count;
    for (size_t next = (at + 1) & mask; m_slots[next].entry; next = (next + 1) & mask) {
        const size_t home = m_slots[next].hash & mask;
        // Movable when its home is not within (at, next], cyclically.
        if (((next - home) & mask) >= ((next - at) & mask)) {
            m_slots[at] = std::move(m_slots[next]);
            m_slots[next] = Slot{};
            at = next;
        }
    }
    auto [stem, number] = splitTrailingNumber(name);
    if (number == 0)
        return;
    auto s = m_stems.find(stem);
    if (s == m_stems.end())
        return;
    s->second.used.erase(number);
    if (number < s->second.hint)
        s->second.hint = number;
    if (s->second.used.empty())
        m_stems.erase(s);
}

const std::vector<Node*>* NameIndex::find(const std::string& name) const {
    if (m_slots.empty())
        return nullptr;
    const Slot& slot = m_slots[slotOf(name, hashOf(name))];
    return slot.entry ? &slot.entry->nodes : nullptr;
}

std::string NameIndex::freeNumbered(const std::string& stem) const {
    auto s = m_stems.find(stem);
    unsigned long n = 1;
    if (s != m_stems.end()) {
        n = s->second.hint;
        while (s->second.used.count(n))
            ++n;
        s->second.hint = n;
    }
    // A name like "a1" may also be taken by a node whose own stem differs
    // ("a01" is stem "a" number 1 too), so confirm against the name table.
    std::string candidate = stem + std::to_string(n);
    while (taken(candidate))
        candidate = stem + std::to_string(++n);
    return candidate;
}

void NameIndex::clear() {
    m_slots.clear();
    m_count = 0;
    m_stems.clear();
}

}  // namespace host
