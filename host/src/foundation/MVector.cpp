#include <maya/MEulerRotation.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

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

double MVector::operator()(unsigned int i) const {
    return (*this)[i];
}

double& MVector::operator()(unsigned int i) {
    return (*this)[i];
}

double MVector::operator[](unsigned int i) const {
    return i == 0 ? x : i == 1 ? y : z;
}

double& MVector::operator[](unsigned int i) {
    return i == 0 ? x : i == 1 ? y : z;
}

MVector MVector::operator^(const MVector& right) const {
    return la::cross(*this, right);
}

double MVector::operator*(const MVector& right) const {
    return la::dot(*this, right);
}

MVector& MVector::operator/=(double scalar) {
    return *this = *this / scalar;
}

MVector MVector::operator/(double scalar) const {
    return MVector(x / scalar, y / scalar, z / scalar);
}

MVector& MVector::operator*=(double scalar) {
    return *this = *this * scalar;
}

MVector MVector::operator*(double scalar) const {
    return MVector(x * scalar, y * scalar, z * scalar);
}

MVector MVector::operator+(const MVector& other) const {
    return MVector(x + other.x, y + other.y, z + other.z);
}

MVector& MVector::operator+=(const MVector& other) {
    return *this = *this + other;
}

MVector MVector::operator-() const {
    return MVector(-x, -y, -z);
}

MVector MVector::operator-(const MVector& other) const {
    return MVector(x - other.x, y - other.y, z - other.z);
}

MVector& MVector::operator-=(const MVector& other) {
    return *this = *this - other;
}

MVector MVector::operator*(const MMatrix& right) const {
    return la::directionTimesMatrix(*this, right.matrix);
}

MVector& MVector::operator*=(const MMatrix& right) {
    return *this = *this * right;
}

bool MVector::operator!=(const MVector& other) const {
    return !(*this == other);
}

bool MVector::operator==(const MVector& other) const {
    return x == other.x && y == other.y && z == other.z;
}

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

MStatus MVector::get(double dest[3]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    return MS::kSuccess;
}

double MVector::length() const {
    return la::length(*this);
}

MVector MVector::normal() const {
    return la::normal(*this);
}

MStatus MVector::normalize() {
    return la::normalizeInPlace(*this);
}

double MVector::angle(const MVector& other) const {
    return la::angleBetween(*this, other);
}

bool MVector::isEquivalent(const MVector& other, double tolerance) const {
    return la::near(x, other.x, tolerance) && la::near(y, other.y, tolerance) &&
           la::near(z, other.z, tolerance);
}

bool MVector::isParallel(const MVector& other, double tolerance) const {
    return la::parallel(*this, other, tolerance);
}

MVector MVector::transformAsNormal(const MMatrix& matrix) const {
    // Normals follow the inverse transpose so they stay perpendicular to transformed surfaces.
    return la::matrixTimesDirection(matrix.inverse().matrix, *this).normal();
}

MVector operator*(int scalar, const MVector& other) {
    return other * static_cast<double>(scalar);
}

MVector operator*(short scalar, const MVector& other) {
    return other * static_cast<double>(scalar);
}

MVector operator*(unsigned int scalar, const MVector& other) {
    return other * static_cast<double>(scalar);
}

MVector operator*(unsigned short scalar, const MVector& other) {
    return other * static_cast<double>(scalar);
}

MVector operator*(float scalar, const MVector& other) {
    return other * static_cast<double>(scalar);
}

MVector operator*(double scalar, const MVector& other) {
    return other * scalar;
}

MVector operator*(const MMatrix& left, const MVector& right) {
    return la::matrixTimesDirection(left.matrix, right);
}

std::ostream& operator<<(std::ostream& os, const MVector& v) {
    return os << "[" << v.x << ", " << v.y << ", " << v.z << "]";
}
