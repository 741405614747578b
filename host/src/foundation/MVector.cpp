#include <maya/MEulerRotation.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

namespace {
using Vector = MVector;
using Matrix = MMatrix;
using Scalar = double;
}  // namespace

const MVector MVector::zero(0.0, 0.0, 0.0);
const MVector MVector::one(1.0, 1.0, 1.0);
const MVector MVector::xAxis(1.0, 0.0, 0.0);
const MVector MVector::yAxis(0.0, 1.0, 0.0);
const MVector MVector::zAxis(0.0, 0.0, 1.0);
const MVector MVector::xNegAxis(-1.0, 0.0, 0.0);
const MVector MVector::yNegAxis(0.0, -1.0, 0.0);
const MVector MVector::zNegAxis(0.0, 0.0, -1.0);

MVector::MVector(const MVector& src) = default;
MVector::MVector(const MFloatPoint& src) : x(src.x), y(src.y), z(src.z) {}
MVector::MVector(const MFloatVector& src) : x(src.x), y(src.y), z(src.z) {}
MVector::MVector(const MPoint& src) : x(src.x), y(src.y), z(src.z) {}
MVector::MVector(const double d[3]) : x(d[0]), y(d[1]), z(d[2]) {}
MVector::MVector(const float f[3]) : x(f[0]), y(f[1]), z(f[2]) {}
MVector::~MVector() = default;

MVector& MVector::operator=(const MVector& src) = default;

MVector MVector::rotateBy(double qx, double qy, double qz, double qw) const {
    return rotateBy(MQuaternion(qx, qy, qz, qw));
}

MVector MVector::rotateBy(const double rotXYZ[3],
                          MTransformationMatrix::RotationOrder order) const {
    if (order <= MTransformationMatrix::kInvalid || order >= MTransformationMatrix::kLast) {
        return *this;
    }
    // The transformation matrix's orders are the euler orders shifted by its leading kInvalid.
    auto eulerOrder =
        static_cast<MEulerRotation::RotationOrder>(order - MTransformationMatrix::kXYZ);
    return rotateBy(MEulerRotation(rotXYZ, eulerOrder));
}

MVector MVector::rotateBy(MVector::Axis axis, double angle) const {
    switch (axis) {
        case kXaxis:
            return rotateBy(MEulerRotation(angle, 0.0, 0.0));
        case kYaxis:
            return rotateBy(MEulerRotation(0.0, angle, 0.0));
        case kZaxis:
            return rotateBy(MEulerRotation(0.0, 0.0, angle));
        default:
            return *this;
    }
}

MVector MVector::rotateBy(const MQuaternion& rotation) const {
    return *this * rotation.asMatrix();
}

MVector MVector::rotateBy(const MEulerRotation& rotation) const {
    return *this * rotation.asMatrix();
}

MQuaternion MVector::rotateTo(const MVector& target) const {
    return MQuaternion(*this, target);
}

#include "foundation/VectorMembers.inc"
