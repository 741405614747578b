#ifndef MINIMAYA_MCOMPUTATION_H
#define MINIMAYA_MCOMPUTATION_H

#include <maya/MTypes.h>

// A long computation the user may interrupt. Between beginComputation and
// endComputation, isInterruptRequested tells whether the user asked to stop
// (in the stand-in host: Ctrl-C in minimaya, or a test's request).
class OPENMAYA_EXPORT MComputation {
public:
    MComputation();
    virtual ~MComputation();

    void beginComputation();
    bool isInterruptRequested();
    void endComputation();

private:
    bool m_running;
};

#endif
