#include "ui/Interaction.h"

#include <atomic>

namespace host {
namespace ui {

namespace {

// Lock-free, so that a signal handler may set it.
std::atomic<bool> interrupt{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

ProgressListener* listener = nullptr;

}  // namespace

void requestInterrupt() {
    interrupt.store(true);
}

bool interruptRequested() {
    return interrupt.load();
}

void clearInterrupt() {
    interrupt.store(false);
}

ProgressListener* setProgressListener(ProgressListener* next) {
    ProgressListener* previous = listener;
    listener = next;
    return previous;
}

ProgressListener* progressListener() {
    return listener;
}

}  // namespace ui
}  // namespace host
