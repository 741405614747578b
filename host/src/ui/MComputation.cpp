#include <maya/MComputation.h>

#include "ui/Interaction.h"

MComputation::MComputation() : m_running(false) {}

MComputation::~MComputation() = default;

// A request made before the computation began was meant for something else.
void MComputation::beginComputation() {
    host::ui::clearInterrupt();
    m_running = true;
}

bool MComputation::isInterruptRequested() {
    return m_running && host::ui::interruptRequested();
}

void MComputation::endComputation() {
    m_running = false;
    host::ui::clearInterrupt();
}
