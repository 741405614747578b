#ifndef DK_OPERATIONS_DKMAYAREMOVECHILDOP_H
#define DK_OPERATIONS_DKMAYAREMOVECHILDOP_H

#include "operations/DKmayaOperation.h"
#include "scene/DKmayaObject.h"

#include <maya/MObject.h>

// Removes one child from a DAG parent; undo appends it to the parent again,
// keeping any other parents it has.
class DKmayaRemoveChildOp : public DKmayaOperation {
public:
    // Throws when the parent is no DAG node or has no child at the index.
    DKmayaRemoveChildOp(const MObject& parent, unsigned childIndex);

    void doIt() override;
    void undoIt() override;

    const DKmayaObject& parent() const { return parent_; }
    const DKmayaObject& child() const { return child_; }

private:
    DKmayaObject parent_;
    DKmayaObject child_;
};

#endif
