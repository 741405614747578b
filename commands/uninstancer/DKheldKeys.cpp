#include "commands/uninstancer/DKheldKeys.h"

#include <maya/MFnAnimCurve.h>

#include <algorithm>
#include <iterator>

void DKheldKeys::hold(std::uint32_t record, const MTime& time,
                      const double (&values)[DKanimatedGeometry::kVisibility]) {
    if (times_.empty() || times_.back() != time) {
        if (times_.size() == kFrames) {
            write();
        }
        times_.push_back(time);
    }
    const int index = static_cast<int>(entries_.size());
    Entry entry{record, -1, static_cast<std::uint32_t>(times_.size() - 1), {}};
    std::copy(std::begin(values), std::end(values), entry.values);
    entries_.push_back(entry);

    DKanimatedGeometry& held = records_[record];
    if (held.lastHeld < 0) {
        held.firstHeld = index;
    } else {
        entries_[static_cast<std::size_t>(held.lastHeld)].next = index;
    }
    held.lastHeld = index;
}

// A record's entries are linked from its first, so each of its curves takes
// the record's keys in one run.
void DKheldKeys::write() {
    for (std::size_t first = 0; first < entries_.size(); ++first) {
        DKanimatedGeometry& record = records_[entries_[first].record];
        if (record.firstHeld != static_cast<int>(first)) {
            continue;
        }
        for (int channel = 0; channel < DKanimatedGeometry::kVisibility; ++channel) {
            MFnAnimCurve curve(record.curves[channel]);
            for (int k = record.firstHeld; k >= 0; k = entries_[static_cast<std::size_t>(k)].next) {
                const Entry& entry = entries_[static_cast<std::size_t>(k)];
                curve.addKeyframe(times_[entry.frame], entry.values[channel]);
            }
        }
        record.firstHeld = -1;
        record.lastHeld = -1;
    }
    times_.clear();
    entries_.clear();
}

void DKheldKeys::release() {
    times_ = std::vector<MTime>();
    entries_ = std::vector<Entry>();
}
