#ifndef DK_COMMANDS_UNINSTANCER_DKRECORDINDEX_H
#define DK_COMMANDS_UNINSTANCER_DKRECORDINDEX_H

#include <cstdint>
#include <vector>

// Particle ids to the numbers of the animation bake's records. Every frame
// looks up each particle drawn, so the table is one open-addressed array
// that stays in the processor's caches, where a node per id would scatter
// the lookups over the heap the bake fills with copies. Ids may be sparse:
// the table grows with the ids filed, never with their span.
class DKrecordIndex {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // The number filed under the id, or kNone.
    std::uint32_t find(int id) const;
    // Files a number under an id that has none yet.
    void insert(int id, std::uint32_t number);
    // Forgets every id and gives back the table's memory.
    void release();

private:
    struct Slot {
        int id;
        std::uint32_t number;  // kNone while the slot is free
    };

    std::size_t slotOf(int id) const;
    void grow();

    std::vector<Slot> slots_;
    // 64 less the bits of a slot's number.
    unsigned int shift_ = 64;
    std::size_t filed_ = 0;
};

#endif
