#pragma once
// Callbacks on events of one node.

#include <maya/MMessage.h>

class OPENMAYA_EXPORT MNodeMessage : public MMessage {
public:
    // Called with the modifier that deletes the node, before the deletion,
    // each time the node is about to be deleted; what the callback queues on
    // the modifier is done and undone with the deletion.
    static MCallbackId addNodeAboutToDeleteCallback(MObject& node,
                                                    MMessage::MNodeModifierFunction func,
                                                    void* clientData = NULL,
                                                    MStatus* ReturnStatus = NULL);
};
