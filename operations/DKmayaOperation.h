#ifndef DK_OPERATIONS_DKMAYAOPERATION_H
#define DK_OPERATIONS_DKMAYAOPERATION_H

// One undoable step of a command. Failures are thrown, never returned.
class DKmayaOperation {
public:
    virtual ~DKmayaOperation() = default;
    virtual void doIt() = 0;
    virtual void undoIt() = 0;
};

#endif
