#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MPoint.h>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

const MFloatPoint MFloatPoint::origin(0.0f, 0.0f, 0.0f, 1.0f);

MFloatPoint::MFloatPoint(const MFloatPoint& src) = default;
MFloatPoint::MFloatPoint(const MFloatVector& src) : x(src.x), y(src.y), z(src.z), w(1.0f) {}
MFloatPoint::MFloatPoint(const float f[4]) : x(f[0]), y(f[1]), z(f[2]), w(f[3]) {}
MFloatPoint::MFloatPoint(const double d[4])
    : x(static_cast<float>(d[0])),
      y(static_cast<float>(d[1])),
      z(static_cast<float>(d[2])),
      w(static_cast<float>(d[3])) {}
MFloatPoint::~MFloatPoint() = default;

MFloatPoint& MFloatPoint::operator=(const MFloatPoint& src) = default;

MStatus MFloatPoint::setCast(const MPoint& src) {
    double d[4];
    src.get(d);
    *this = MFloatPoint(d);
    return MS::kSuccess;
}

MStatus MFloatPoint::setCast(const MVector& src) {
    *this = MFloatPoint(MFloatVector(src));
    return MS::kSuccess;
}

float MFloatPoint::operator()(unsigned int i) const {
    return (*this)[i];
}

float& MFloatPoint::operator()(unsigned int i) {
    return (*this)[i];
}

float MFloatPoint::operator[](unsigned int i) const {
    return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}

float& MFloatPoint::operator[](unsigned int i) {
    return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}

MFloatVector MFloatPoint::operator-(const MFloatPoint& other) const {
    MFloatPoint a(*this), b(other);
    a.cartesianize();
    b.cartesianize();
    return MFloatVector(a.x - b.x, a.y - b.y, a.z - b.z);
}

MFloatPoint MFloatPoint::operator+(const MFloatVector& other) const {
    MFloatPoint result(*this);
    return result += other;
}

MFloatPoint MFloatPoint::operator-(const MFloatVector& other) const {
    MFloatPoint result(*this);
    return result -= other;
}

MFloatPoint& MFloatPoint::operator+=(const MFloatVector& vector) {
    x += vector.x;
    y += vector.y;
    z += vector.z;
    return *this;
}

MFloatPoint& MFloatPoint::operator-=(const MFloatVector& vector) {
    return *this += -vector;
}

MFloatPoint MFloatPoint::operator*(float scale) const {
    return MFloatPoint(x * scale, y * scale, z * scale, w);
}

MFloatPoint MFloatPoint::operator/(float scale) const {
    return MFloatPoint(x / scale, y / scale, z / scale, w);
}

MFloatPoint MFloatPoint::operator*(const MFloatMatrix& right) const {
    return la::pointTimesMatrix(*this, right.matrix);
}

MFloatPoint& MFloatPoint::operator*=(const MFloatMatrix& right) {
    return *this = *this * right;
}

bool MFloatPoint::operator==(const MFloatPoint& other) const {
    return x == other.x && y == other.y && z == other.z && w == other.w;
}

bool MFloatPoint::operator!=(const MFloatPoint& other) const {
    return !(*this == other);
}

MFloatPoint& MFloatPoint::cartesianize() {
    if (w != 0.0f && w != 1.0f) {
        x /= w;
        y /= w;
        z /= w;
        w = 1.0f;
    }
    return *this;
}

MFloatPoint& MFloatPoint::rationalize() {
    if (w != 0.0f && w != 1.0f) {
        x /= w;
        y /= w;
        z /= w;
    }
    return *this;
}

MFloatPoint& MFloatPoint::homogenize() {
    x *= w;
    y *= w;
    z *= w;
    return *this;
}

float MFloatPoint::distanceTo(const MFloatPoint& other) const {
    return (*this - other).length();
}

bool MFloatPoint::isEquivalent(const MFloatPoint& other, float tolerance) const {
    return la::near(x, other.x, tolerance) && la::near(y, other.y, tolerance) &&
           la::near(z, other.z, tolerance) && la::near(w, other.w, tolerance);
}

MStatus MFloatPoint::get(float dest[4]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    dest[3] = w;
    return MS::kSuccess;
}

MStatus MFloatPoint::get(double dest[4]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    dest[3] = w;
    return MS::kSuccess;
}

MFloatPoint operator*(const MFloatMatrix& left, const MFloatPoint& right) {
    return la::matrixTimesPoint(left.matrix, right);
}

std::ostream& operator<<(std::ostream& os, const MFloatPoint& p) {
    return os << "[" << p.x << ", " << p.y << ", " << p.z << ", " << p.w << "]";
}
