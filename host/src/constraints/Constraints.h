#ifndef HOST_CONSTRAINTS_CONSTRAINTS_H
#define HOST_CONSTRAINTS_CONSTRAINTS_H
// Point, parent, orient, aim and scale constraints: DAG nodes under the object
// they drive, fed by their targets' transform attributes (and the object's own
// pivots and parent), whose outputs feed the object's translate, rotate or
// scale. Their outputs are worked out again at every read, so the object
// follows its targets wherever they are moved from, their parents included.
//
// The types differ only in which attributes they have and how the outputs are
// made from them; one description (ConstraintAttributes) serves all, with the
// attributes a type lacks left null.

#include "graph/Node.h"

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MVector.h>

namespace host {
namespace constraints {

// What the one offset of a constraint (not the per-target offsets of a parent
// constraint) measures.
enum class OffsetKind {
    None,      // parent constraints keep an offset per target instead
    Distance,  // added to the position (point)
    Angle,     // a turn applied before the constrained rotation (orient, aim)
    Factor     // multiplies the scale (scale)
};

// The values of worldUpType, as the application numbers them.
enum WorldUpType { kSceneUp = 0, kObjectUp = 1, kObjectRotationUp = 2, kVectorUp = 3, kNoUp = 4 };

struct ConstraintAttributes {
    const char* type = nullptr;
    // target[i] and its children
    Attribute* target = nullptr;
    Attribute* targetParentMatrix = nullptr;
    Attribute* targetTranslate = nullptr;
    Attribute* targetRotate = nullptr;
    Attribute* targetRotateOrder = nullptr;
    Attribute* targetRotatePivot = nullptr;
    Attribute* targetRotateTranslate = nullptr;
    Attribute* targetScale = nullptr;
    Attribute* targetOffsetTranslate = nullptr;
    Attribute* targetOffsetRotate = nullptr;
    Attribute* targetWeight = nullptr;
    // the driven object's
    Attribute* constraintParentInverseMatrix = nullptr;
    Attribute* objectTranslate = nullptr;  // the aim constraint's input "constraintTranslate"
    Attribute* constraintRotatePivot = nullptr;
    Attribute* constraintRotateTranslate = nullptr;
    Attribute* constraintRotateOrder = nullptr;
    // the aim constraint's
    Attribute* aimVector = nullptr;
    Attribute* upVector = nullptr;
    Attribute* worldUpVector = nullptr;
    Attribute* worldUpType = nullptr;
    Attribute* worldUpMatrix = nullptr;
    Attribute* offset = nullptr;
    OffsetKind offsetKind = OffsetKind::None;
    // outputs
    Attribute* constraintTranslate = nullptr;
    Attribute* constraintRotate = nullptr;
    Attribute* constraintScale = nullptr;
};

const ConstraintAttributes& pointAttributes();
const ConstraintAttributes& parentAttributes();
const ConstraintAttributes& orientAttributes();
const ConstraintAttributes& aimAttributes();
const ConstraintAttributes& scaleAttributes();

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
