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
    unsigned long number = 0;  // at most 18 digits: it fits
    for (size_t i = end; i < name.size(); ++i)
        number = 10 * number + static_cast<unsigned long>(name[i] - '0');
    return {name.substr(0, end), number};
}

bool NameIndex::Stem::used(unsigned long number) const {
    if (number < denseLimit())
        return (m_bits[number / 64] >> (number % 64)) & 1;
    return !m_far.empty() && m_far.count(number) != 0;
}

void NameIndex::Stem::add(unsigned long number) {
    if (used(number)) {
        ++m_again[number];
        return;
    }
    ++m_count;
    // The bits grow to take the number while they stay within about twice
    // the numbers in use.
    const size_t words = number / 64 + 1;
    if (words > m_bits.size() && words <= 2 * (m_count / 64 + 1))
        m_bits.resize(words);
    if (number < denseLimit())
        m_bits[number / 64] |= std::uint64_t(1) << (number % 64);
    else
        m_far.insert(number);
}

void NameIndex::Stem::remove(unsigned long number) {
    auto again = m_again.find(number);
    if (again != m_again.end()) {
        if (--again->second == 0)
            m_again.erase(again);
        return;
    }
    if (!used(number))
        return;
    --m_count;
    if (number < denseLimit())
        m_bits[number / 64] &= ~(std::uint64_t(1) << (number % 64));
    else
        m_far.erase(number);
    if (number < m_hint)
        m_hint = number;
}

unsigned long NameIndex::Stem::lowestFree() const {
    unsigned long n = m_hint;
    while (n < denseLimit()) {
        const std::uint64_t word = m_bits[n / 64];
        if (n % 64 == 0 && ~word == 0)
            n += 64;  // a whole word in use
        else if ((word >> (n % 64)) & 1)
            ++n;
        else
            break;
    }
    if (n >= denseLimit())
        while (m_far.count(n))
            ++n;
    m_hint = n;
    return n;
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
        m_stems[stem].add(number);
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
    // A stem left without names is kept: a bake names each copy after the
    // same stem ("box1") and renames it away at once, thousands of times.
    auto s = m_stems.find(stem);
    if (s != m_stems.end())
        s->second.remove(number);
}

const std::vector<Node*>* NameIndex::find(const std::string& name) const {
    if (m_slots.empty())
        return nullptr;
    const Slot& slot = m_slots[slotOf(name, hashOf(name))];
    return slot.entry ? &slot.entry->nodes : nullptr;
}

std::string NameIndex::freeNumbered(const std::string& stem) const {
    auto s = m_stems.find(stem);
    unsigned long n = s != m_stems.end() ? s->second.lowestFree() : 1;
    std::string candidate = stem + std::to_string(n);
    // Every name that is the stem and a number of up to 18 digits counts
    // in the stem's numbers, so a number free there is a free name, unless
    // the stem itself ends in a digit ("a1" + "1" is stem "a" number 11).
    if (!stem.empty() && !std::isdigit(static_cast<unsigned char>(stem.back())) &&
        n < 1000000000000000000UL)
        return candidate;
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
