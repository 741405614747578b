// Undo and redo of dkUninstancer. The copies were made with the host's undo
// off, so undo deletes exactly the transforms the run registered, and redo
// is the undo of that undo: nothing of doIt runs again, and redo brings back
// the very copies, names and all.

#include "commands/uninstancer/DKuninstancerCmd.h"
#include "plugin/DKerrorFrame.h"

#include <maya/MFnDagNode.h>

MStatus DKuninstancerCmd::undoIt() {
    return errorFrame(commandName, [&] {
        if (undoPrepared_) {
            childModifier_.doIt();
            return deleteModifier_.doIt();
        }
        // A copy made by "instance" shares its children with the source;
        // they are detached first so that only the copy's own transform
        // goes.
        if (copyAsInstance_) {
            for (DKmayaObject& created : createdObjects_) {
                const MObject copy = created.object();
                for (unsigned int c = MFnDagNode(copy).childCount(); c-- > 0;) {
                    childModifier_.removeChild(copy, c);
                }
            }
            childModifier_.doIt();
        }
        // Last made first: each copy then leaves from the end of the
        // world's children and redo puts each back at the end, where going
        // in the order made would move every later copy, for each copy.
        for (auto created = createdObjects_.rbegin(); created != createdObjects_.rend();
             ++created) {
            deleteModifier_.deleteNode(created->object());
        }
        for (const MObject& node : bakedNodes_) {
            deleteModifier_.deleteNode(node);
        }
        const MStatus status = deleteModifier_.doIt();
        undoPrepared_ = true;
        return status;
    });
}

MStatus DKuninstancerCmd::redoIt() {
    return errorFrame(commandName, [&] {
        const MStatus status = deleteModifier_.undoIt();
        childModifier_.undoIt();
        return status;
    });
}
