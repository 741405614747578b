#ifndef MINIMAYA_MDGMODIFIER_H
#define MINIMAYA_MDGMODIFIER_H

#include <maya/MFnDependencyNode.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>

#include <memory>
#include <vector>

namespace host {
struct ModifierOp;
}

// Scene edits queued, then done together by doIt and reverted by undoIt.
// doIt performs what was queued since the last doIt; after undoIt, doIt
// performs everything again. Either may be called any number of times.
class MDGModifier {
public:
    MDGModifier();
    virtual ~MDGModifier();
    MDGModifier(const MDGModifier&) = delete;
    MDGModifier& operator=(const MDGModifier&) = delete;

    MObject createNode(const MTypeId& typeId, MStatus* ReturnStatus = nullptr);
    MObject createNode(const MString& type, MStatus* ReturnStatus = nullptr);
    MStatus deleteNode(const MObject& node);
    MStatus renameNode(const MObject& node, const MString& newName);
    MStatus setNodeLockState(const MObject& node, bool newState);
    MStatus connect(const MObject& sourceNode, const MObject& sourceAttr, const MObject& destNode,
                    const MObject& destAttr);
    MStatus connect(const MPlug& source, const MPlug& dest);
    MStatus disconnect(const MObject& sourceNode, const MObject& sourceAttr,
                       const MObject& destNode, const MObject& destAttr);
    MStatus disconnect(const MPlug& source, const MPlug& dest);
    MStatus addAttribute(const MObject& node, const MObject& attribute,
                         MFnDependencyNode::MAttrClass type = MFnDependencyNode::kLocalDynamicAttr);
    MStatus removeAttribute(
        const MObject& node, const MObject& attribute,
        MFnDependencyNode::MAttrClass type = MFnDependencyNode::kLocalDynamicAttr);
    MStatus commandToExecute(const MString& command);
    MStatus doIt();
    MStatus undoIt();

protected:
    friend struct host::ModifierOp;
    MStatus queue(std::unique_ptr<host::ModifierOp> op);
    MObject makeNode(const MString& type, const MObject& parent, MStatus* ReturnStatus);

private:
    std::vector<std::unique_ptr<host::ModifierOp>> m_ops;
    std::size_t m_done = 0;  // leading operations in effect
    // While a node's about-to-delete callbacks run, the commands they queue
    // go to the deletion itself, so that they run before the node goes.
    std::vector<std::unique_ptr<host::ModifierOp>>* m_redirect = nullptr;
};

#endif
