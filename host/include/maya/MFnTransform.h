#ifndef MINIMAYA_MFNTRANSFORM_H
#define MINIMAYA_MFNTRANSFORM_H

#include <maya/MEulerRotation.h>
#include <maya/MFnDagNode.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

// Function set over a transform node. Reads the node's current attribute
// values and writes through them, so connections, scene files and undo of
// the commands that call it see every change.
class OPENMAYA_EXPORT MFnTransform : public MFnDagNode {
public:
    MFnTransform();
    MFnTransform(MObject& object, MStatus* ReturnStatus = NULL);
    MFnTransform(const MObject& object, MStatus* ReturnStatus = NULL);
    MFnTransform(const MDagPath& object, MStatus* ReturnStatus = NULL);
    ~MFnTransform() override;

    MFn::Type type() const override;

    MObject create(MObject parent = MObject::kNullObj, MStatus* ReturnStatus = NULL);

    MTransformationMatrix transformation(MStatus* ReturnStatus = NULL) const;
    MStatus set(const MTransformationMatrix& transform);

    MVector translation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setTranslation(const MVector& vec, MSpace::Space space);
    MStatus translateBy(const MVector& vec, MSpace::Space space);

    MStatus getScale(double scale[3]) const;
    MStatus setScale(const double scale[3]);
    MStatus scaleBy(const double scale[3]);
    MPoint scalePivot(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setScalePivot(const MPoint& point, MSpace::Space space, bool balance = true);
    MVector scalePivotTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setScalePivotTranslation(const MVector& vec, MSpace::Space space);

    MStatus getShear(double shear[3]) const;
    MStatus setShear(const double shear[3]);

    MStatus getRotation(MQuaternion& quaternion, MSpace::Space space = MSpace::kTransform) const;
    MStatus setRotation(const MQuaternion& quaternion, MSpace::Space space = MSpace::kTransform);
    MStatus getRotation(MEulerRotation& rotation) const;
    MStatus setRotation(const MEulerRotation& rotation);
    MStatus getRotation(double rotation[3], MTransformationMatrix::RotationOrder& order) const;
    MStatus setRotation(const double rotation[3], MTransformationMatrix::RotationOrder order);
    MTransformationMatrix::RotationOrder rotationOrder(MStatus* ReturnStatus = NULL) const;
    MStatus setRotationOrder(MTransformationMatrix::RotationOrder order, bool reorder);
    MPoint rotatePivot(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setRotatePivot(const MPoint& point, MSpace::Space space, bool balance = true);
    MVector rotatePivotTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setRotatePivotTranslation(const MVector& vec, MSpace::Space space);
    MQuaternion rotateOrientation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setRotateOrientation(const MQuaternion& quat, MSpace::Space space, bool balance = true);

    const char* className() const override;

protected:
    bool acceptsObject(const MObject& object) const override;
};

#endif
