#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

const MPoint MPoint::origin(0.0, 0.0, 0.0, 1.0);

MPoint::MPoint(const MPoint& src) = default;
MPoint::MPoint(const MFloatPoint& src) : x(src.x), y(src.y), z(src.z), w(src.w) {}
MPoint::MPoint(const MVector& src) : x(src.x), y(src.y), z(src.z), w(1.0) {}
MPoint::MPoint(const MFloatVector& src) : x(src.x), y(src.y), z(src.z), w(1.0) {}
MPoint::MPoint(const double d[4]) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}
MPoint::MPoint(const float f[4]) : x(f[0]), y(f[1]), z(f[2]), w(f[3]) {}
MPoint::~MPoint() = default;

MPoint& MPoint::operator=(const MPoint& src) = default;

double MPoint::operator()(unsigned int i) const {
    return (*this)[i];
}

double& MPoint::operator()(unsigned int i) {
    return (*this)[i];
}

double MPoint::operator[](unsigned int i) const {
    return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}

double& MPoint::operator[](unsigned int i) {
    return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}

// The difference of rational points is taken between their cartesian positions.
MVector MPoint::operator-(const MPoint& other) const {
    MPoint a(*this), b(other);
    a.cartesianize();
    b.cartesianize();
    return MVector(a.x - b.x, a.y - b.y, a.z - b.z);
}

MPoint MPoint::operator+(const MVector& other) const {
    MPoint result(*this);
    return result += other;
}

MPoint MPoint::operator-(const MVector& other) const {
    MPoint result(*this);
    return result -= other;
}

MPoint& MPoint::operator+=(const MVector& vector) {
    x += vector.x;
    y += vector.y;
    z += vector.z;
    return *this;
}

MPoint& MPoint::operator-=(const MVector& vector) {
    return *this += -vector;
}

MPoint MPoint::operator*(double scale) const {
    return MPoint(x * scale, y * scale, z * scale, w);
}

MPoint MPoint::operator/(double scale) const {
    return MPoint(x / scale, y / scale, z / scale, w);
}

MPoint MPoint::operator*(const MMatrix& right) const {
    return la::pointTimesMatrix(*this, right.matrix);
}

MPoint& MPoint::operator*=(const MMatrix& right) {
    return *this = *this * right;
}

bool MPoint::operator==(const MPoint& other) const {
    return x == other.x && y == other.y && z == other.z && w == other.w;
}

bool MPoint::operator!=(const MPoint& other) const {
    return !(*this == other);
}

MPoint& MPoint::cartesianize() {
    if (w != 0.0 && w != 1.0) {
        x /= w;
        y /= w;
        z /= w;
        w = 1.0;
    }
    return *this;
}

MPoint& MPoint::rationalize() {
    if (w != 0.0 && w != 1.0) {
        x /= w;
        y /= w;
        z /= w;
    }
    return *this;
}

MPoint& MPoint::homogenize() {
    x *= w;
    y *= w;
    z *= w;
    return *this;
}

double MPoint::distanceTo(const MPoint& other) const {
    return (*this - other).length();
}

bool MPoint::isEquivalent(const MPoint& other, double tolerance) const {
    return la::near(x, other.x, tolerance) && la::near(y, other.y, tolerance) &&
           la::near(z, other.z, tolerance) && la::near(w, other.w, tolerance);
}

MStatus MPoint::get(double dest[4]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    dest[3] = w;
    return MS::kSuccess;
}

MStatus MPoint::get(float dest[4]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    dest[0] = static_cast<float>(x);
    dest[1] = static_cast<float>(y);
    dest[2] = static_cast<float>(z);
    dest[3] = static_cast<float>(w);
    return MS::kSuccess;
}

MPoint operator*(const MMatrix& left, const MPoint& right) {
    return la::matrixTimesPoint(left.matrix, right);
}

std::ostream& operator<<(std::ostream& os, const MPoint& p) {
    return os << "[" << p.x << ", " << p.y << ", " << p.z << ", " << p.w << "]";
}
