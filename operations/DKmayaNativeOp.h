#ifndef DK_OPERATIONS_DKMAYANATIVEOP_H
#define DK_OPERATIONS_DKMAYANATIVEOP_H

#include "operations/DKmayaOperation.h"

#include <maya/MDagModifier.h>

// Brings whatever the host's own modifier can queue into the ordered do/undo
// list. Each doIt performs what was queued since the previous one.
class DKmayaNativeOp : public DKmayaOperation {
public:
    void doIt() override;
    void undoIt() override;

    MDagModifier& modifier() { return modifier_; }

private:
    MDagModifier modifier_;
};

#endif
