#include "commands/uninstancer/DKrecordIndex.h"

namespace {

// A power of two, as every size after it.
constexpr std::size_t kFirstSize = 1024;

}  // namespace

// Fibonacci hashing, the top bits of the id times 2^64 over the golden
// ratio, spreads ids that step by any power of two over the table; probing
// goes on to the next slot, wrapping round.
std::size_t DKrecordIndex::slotOf(int id) const {
    const std::uint64_t hashed = static_cast<std::uint32_t>(id) * 0x9E3779B97F4A7C15ull;
    std::size_t slot = static_cast<std::size_t>(hashed >> shift_);
    while (slots_[slot].number != kNone && slots_[slot].id != id) {
        slot = (slot + 1) & (slots_.size() - 1);
    }
    return slot;
}

std::uint32_t DKrecordIndex::find(int id) const {
    return slots_.empty() ? kNone : slots_[slotOf(id)].number;
}

void DKrecordIndex::insert(int id, std::uint32_t number) {
    // At most half full, so that a probe ends soon.
    if (2 * (filed_ + 1) > slots_.size()) {
        grow();
    }
    slots_[slotOf(id)] = Slot{id, number};
    ++filed_;
}

void DKrecordIndex::grow() {
    std::vector<Slot> old(slots_.empty() ? kFirstSize : 2 * slots_.size(), Slot{0, kNone});
    old.swap(slots_);
    shift_ = 64;
    for (std::size_t size = slots_.size(); size > 1; size /= 2) {
        --shift_;
    }
    for (const Slot& slot : old) {
        if (slot.number != kNone) {
            slots_[slotOf(slot.id)] = slot;
        }
    }
}

void DKrecordIndex::release() {
    slots_ = std::vector<Slot>();
    filed_ = 0;
}
