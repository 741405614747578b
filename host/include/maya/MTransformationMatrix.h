#pragma once
// A transformation held as its components. For row vectors the matrix is
//   M = [Sp]^-1 [S] [Sh] [Sp] [St] [Rp]^-1 [Ro] [R] [Rp] [Rt] [T]
// (scale pivot, scale, shear, scale pivot translation, rotate pivot, rotation orientation,
// rotation, rotate pivot translation, translation).

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#define MTransformationMatrix_kTol 1.0e-10

class OPENMAYA_EXPORT MTransformationMatrix {
public:
    enum RotationOrder { kInvalid, kXYZ, kYZX, kZXY, kXZY, kYXZ, kZYX, kLast };

    // constexpr so the class constants are ready before other files' static initialisers run.
    constexpr MTransformationMatrix()
        : fTranslate{0.0, 0.0, 0.0},
          fRotate{0.0, 0.0, 0.0},
          fRotationOrder(kXYZ),
          fRotateOrientation{0.0, 0.0, 0.0, 1.0},
          fScale{1.0, 1.0, 1.0},
          fShear{0.0, 0.0, 0.0},
          fScalePivot{0.0, 0.0, 0.0},
          fScalePivotTranslate{0.0, 0.0, 0.0},
          fRotatePivot{0.0, 0.0, 0.0},
          fRotatePivotTranslate{0.0, 0.0, 0.0} {}
    MTransformationMatrix(const MTransformationMatrix& src);
    MTransformationMatrix(const MMatrix& src);
    ~MTransformationMatrix();

    MTransformationMatrix& operator=(const MTransformationMatrix& src);
    MTransformationMatrix& operator=(const MMatrix& src);

    MMatrix asMatrix() const;
    MMatrix asMatrix(double percent) const;
    MMatrix asMatrixInverse() const;
    MMatrix asScaleMatrix() const;
    MMatrix asRotateMatrix() const;

    MStatus getScale(double scale[3], MSpace::Space space) const;
    MStatus setScale(const double scale[3], MSpace::Space space);
    MStatus addScale(const double scale[3], MSpace::Space space);

    MQuaternion rotation() const;
    MTransformationMatrix& rotateTo(const MQuaternion& q);
    MTransformationMatrix& rotateBy(const MQuaternion& q, MSpace::Space space,
                                    MStatus* ReturnStatus = NULL);
    MEulerRotation eulerRotation() const;
    MTransformationMatrix& rotateTo(const MEulerRotation& e);
    MTransformationMatrix& rotateBy(const MEulerRotation& e, MSpace::Space space,
                                    MStatus* ReturnStatus = NULL);
    MStatus getRotationQuaternion(double& x, double& y, double& z, double& w) const;
    MStatus setRotationQuaternion(double x, double y, double z, double w);
    MStatus addRotationQuaternion(double x, double y, double z, double w, MSpace::Space space);
    MStatus getRotation(double rotation[3], RotationOrder& order) const;
    MStatus setRotation(const double rotation[3], RotationOrder order);
    MStatus addRotation(const double rotation[3], RotationOrder order, MSpace::Space space);
    RotationOrder rotationOrder(MStatus* ReturnStatus = NULL) const;
    MStatus reorderRotation(const RotationOrder& order);
    MStatus setToRotationAxis(const MVector& axis, double rotation);
    MQuaternion rotationOrientation() const;
    MTransformationMatrix& setRotationOrientation(const MQuaternion& q);

    MVector getTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setTranslation(const MVector& vector, MSpace::Space space);
    MStatus addTranslation(const MVector& vector, MSpace::Space space);

    MStatus setShear(const double shear[3], MSpace::Space space);
    MStatus getShear(double shear[3], MSpace::Space space) const;
    MStatus addShear(const double shear[3], MSpace::Space space);

    MPoint scalePivot(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setScalePivot(const MPoint& point, MSpace::Space space, bool balance);
    MVector scalePivotTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setScalePivotTranslation(const MVector& vector, MSpace::Space space);
    MPoint rotatePivot(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setRotatePivot(const MPoint& point, MSpace::Space space, bool balance);
    MVector rotatePivotTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setRotatePivotTranslation(const MVector& vector, MSpace::Space space);

    bool isEquivalent(const MTransformationMatrix& other,
                      double tolerance = MTransformationMatrix_kTol) const;
    bool operator==(const MTransformationMatrix& other) const;
    bool operator!=(const MTransformationMatrix& other) const;

    static const MTransformationMatrix identity;

private:
    double fTranslate[3];
    double fRotate[3];  // euler angles in radians, applied in fRotationOrder
    RotationOrder fRotationOrder;
    double fRotateOrientation[4];  // quaternion x, y, z, w
    double fScale[3];
    double fShear[3];  // xy, xz, yz
    double fScalePivot[3];
    double fScalePivotTranslate[3];
    double fRotatePivot[3];
    double fRotatePivotTranslate[3];
};
