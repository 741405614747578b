#include "operations/DKmayaRemoveChildOp.h"

#include "plugin/DKexception.h"

#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MStatus.h>

namespace {

// The child's name must still find it once it is gone from this parent: when
// it is instanced under another parent, the path through that parent does.
DKmayaObject recordChild(const MObject& child, const MObject& parent) {
    MDagPathArray paths;
    MDagPath::getAllPathsTo(child, paths);
    for (unsigned i = 0; i < paths.length(); ++i) {
        MDagPath path = paths[i];
        path.pop(1);
        if (path.node() != parent) {
            path.push(child);
            return DKmayaObject(child, path.partialPathName());
        }
    }
    return DKmayaObject(child);
}

}  // namespace

DKmayaRemoveChildOp::DKmayaRemoveChildOp(const MObject& parent, unsigned childIndex) {
    MStatus status;
    MFnDagNode parentFn(parent, &status);
    checkStatus(status, "Error getting parent function set");
    MObject childObject = parentFn.child(childIndex, &status);
    parent_ = DKmayaObject(parent);
    child_ = recordChild(childObject, parent);
    checkStatus(status, "Error getting child node");
}

void DKmayaRemoveChildOp::doIt() {
    MStatus status;
    MFnDagNode parentFn(parent_.object(), &status);
    checkStatus(status, "Error getting parent function set");
    MObject childObject = child_.object();
    checkStatus(parentFn.removeChild(childObject), "Error removing child");
}

void DKmayaRemoveChildOp::undoIt() {
    MStatus status;
    MFnDagNode parentFn(parent_.object(), &status);
    checkStatus(status, "Error getting parent function set");
    MObject childObject = child_.object();
    checkStatus(parentFn.addChild(childObject, MFnDagNode::kNextPos, true),
                "Error undoing child removal");
}
