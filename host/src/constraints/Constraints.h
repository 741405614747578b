#ifndef HOST_CONSTRAINTS_CONSTRAINTS_H
#define HOST_CONSTRAINTS_CONSTRAINTS_H
// Point and parent constraints: DAG nodes under the object they drive, fed by
// their targets' transform attributes, whose outputs feed the object's
// translate (and rotate). Their outputs are worked out again at every read,
// so the object follows its targets wherever they are moved from, their
// parents included.

#include "graph/Node.h"

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MVector.h>

namespace host {
namespace constraints {

struct ConstraintAttributes {
    // target[i] and its children
    Attribute* target = nullptr;
    Attribute* targetParentMatrix = nullptr;
    Attribute* targetTranslate = nullptr;
    Attribute* targetRotate = nullptr;       // parent constraints only
    Attribute* targetRotateOrder = nullptr;  // parent constraints only
    Attribute* targetRotatePivot = nullptr;
    Attribute* targetRotateTranslate = nullptr;
    Attribute* targetOffsetTranslate = nullptr;  // parent constraints only
    Attribute* targetOffsetRotate = nullptr;     // parent constraints only
    Attribute* targetWeight = nullptr;
    // the driven object's
    Attribute* constraintParentInverseMatrix = nullptr;
    Attribute* constraintRotatePivot = nullptr;
    Attribute* constraintRotateTranslate = nullptr;
    Attribute* constraintRotateOrder = nullptr;  // parent constraints only
    Attribute* offset = nullptr;                 // point constraints only
    Attribute* constraintTranslate = nullptr;
    Attribute* constraintRotate = nullptr;  // parent constraints only
};

const ConstraintAttributes& pointAttributes();
const ConstraintAttributes& parentAttributes();

// The attributes of the node's constraint type, or null for other nodes.
const ConstraintAttributes* attributesOf(const Node& node);

// A transform's pivot frame in world space: its rotation (parent rotation included),
// placed at its rotate pivot. Offsets kept by a parent constraint are measured between such
// frames.
MMatrix pivotFrame(const MVector& translate, const MEulerRotation& rotate,
                   const MVector& rotatePivot, const MVector& rotateTranslate,
                   const MMatrix& parentMatrix);

// Target i's pivot frame, as the constraint's inputs give it (parent constraints).
MMatrix targetFrame(Node& constraint, const ConstraintAttributes& a, unsigned i);

void registerConstraintTypes();

}  // namespace constraints
}  // namespace host

#endif
