#ifndef HOST_GRAPH_NAMEINDEX_H
#define HOST_GRAPH_NAMEINDEX_H

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace host {

class Node;

// Finds nodes by name and free names quickly: for each stem (a name without
// its trailing number) the numbers in use, so "name#" never scans all nodes.
// A bake makes hundreds of thousands of names and looks each new one up
// several times, mostly to find it free; the names are held in one
// open-addressing table of hashes, so that a lookup reads one run of slots
// and, when the hash matches, one entry, not a chain of scattered nodes.
class NameIndex {
public:
    void add(const std::string& name, Node* node);
    void remove(const std::string& name, Node* node);
    // The nodes holding the name, or null when none does.
    const std::vector<Node*>* find(const std::string& name) const;
    bool taken(const std::string& name) const { return find(name) != nullptr; }
    // The lowest-numbered free name "<stem><n>", n >= 1.
    std::string freeNumbered(const std::string& stem) const;
    void clear();

private:
    struct Entry {
        std::string name;
        std::vector<Node*> nodes;
    };
    struct Slot {
        std::uint64_t hash = 0;
        std::unique_ptr<Entry> entry;  // null when the slot is free
    };
    static std::uint64_t hashOf(const std::string& name);
    // The slot holding the name, or the free slot where it would go.
    size_t slotOf(const std::string& name, std::uint64_t hash) const;
    void grow();

    // The numbers in use after one stem. Names are numbered from 1 up, so
    // the numbers are mostly dense and kept as bits; one far above the rest
    // ("pCube1000" in a scene of ten) goes into `far` instead, so that the
    // bits stay as many as about twice the numbers in use.
    class Stem {
    public:
        bool used(unsigned long number) const;
        // A name after the stem with the number came or went. "a1" and
        // "a01" are two names with one number: it stays used until both
        // have gone.
        void add(unsigned long number);
        void remove(unsigned long number);
        // The lowest number not in use.
        unsigned long lowestFree() const;

    private:
        size_t denseLimit() const { return 64 * m_bits.size(); }
        std::vector<std::uint64_t> m_bits;
        std::set<unsigned long> m_far;
        std::map<unsigned long, unsigned> m_again;  // names beyond the first per number
        size_t m_count = 0;                         // numbers in use
        mutable unsigned long m_hint = 1;           // no free number lies below it
    };
    std::vector<Slot> m_slots;  // a power of two long, at most half full
    size_t m_count = 0;
    std::unordered_map<std::string, Stem> m_stems;
};

// Splits "pCube12" into "pCube" and 12; a name without trailing digits has
// number 0.
std::pair<std::string, unsigned long> splitTrailingNumber(const std::string& name);

}  // namespace host

#endif
