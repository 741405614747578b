#ifndef DK_COMMANDS_UNINSTANCER_DKHELDKEYS_H
#define DK_COMMANDS_UNINSTANCER_DKHELDKEYS_H

#include "commands/uninstancer/DKanimatedGeometry.h"

#include <maya/MTime.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// The transform keys of the animation bake's last sampled frames, held
// back from their curves. A frame keys every copy alive, so keying each
// curve as its frame comes visits every curve of the bake once a frame;
// once those outgrow the processor's caches, each key waits on memory for
// its curve. Held here in the order they come and written a curve at a
// time, a run of keys finds its curve at hand. Each curve still gets its
// keys in the order of their frames, so the curves come out the same.
class DKheldKeys {
public:
    // The records the keys are held for, by their numbers.
    explicit DKheldKeys(std::vector<DKanimatedGeometry>& records) : records_(records) {}

    // Holds the nine transform values of the numbered record, in the order
    // of its curves, for the time; times come in ascending order. A time
    // past the last of a full buffer first writes what it holds.
    void hold(std::uint32_t record, const MTime& time,
              const double (&values)[DKanimatedGeometry::kVisibility]);
    // Writes every held key onto its curve.
    void write();
    // Gives back the memory the buffer grew to.
    void release();

private:
    // Sampled frames held before they are written.
    static constexpr std::size_t kFrames = 16;

    struct Entry {
        std::uint32_t record;
        // The record's next entry, or -1 for its last.
        int next;
        std::uint32_t frame;
        double values[DKanimatedGeometry::kVisibility];
    };

    std::vector<DKanimatedGeometry>& records_;
    std::vector<MTime> times_;
    std::vector<Entry> entries_;
};

#endif
