#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MVector.h>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

const MFloatVector MFloatVector::zero(0.0f, 0.0f, 0.0f);
const MFloatVector MFloatVector::one(1.0f, 1.0f, 1.0f);
const MFloatVector MFloatVector::xAxis(1.0f, 0.0f, 0.0f);
const MFloatVector MFloatVector::yAxis(0.0f, 1.0f, 0.0f);
const MFloatVector MFloatVector::zAxis(0.0f, 0.0f, 1.0f);
const MFloatVector MFloatVector::xNegAxis(-1.0f, 0.0f, 0.0f);
const MFloatVector MFloatVector::yNegAxis(0.0f, -1.0f, 0.0f);
const MFloatVector MFloatVector::zNegAxis(0.0f, 0.0f, -1.0f);

MFloatVector::MFloatVector(const MFloatVector& src) = default;
MFloatVector::MFloatVector(const MVector& src)
    : x(static_cast<float>(src.x)), y(static_cast<float>(src.y)), z(static_cast<float>(src.z)) {}
MFloatVector::MFloatVector(const MFloatPoint& src) : x(src.x), y(src.y), z(src.z) {}
MFloatVector::MFloatVector(const float f[3]) : x(f[0]), y(f[1]), z(f[2]) {}
MFloatVector::MFloatVector(const double d[3])
    : x(static_cast<float>(d[0])), y(static_cast<float>(d[1])), z(static_cast<float>(d[2])) {}
MFloatVector::~MFloatVector() = default;

MFloatVector& MFloatVector::operator=(const MFloatVector& src) = default;

float MFloatVector::operator()(unsigned int i) const {
    return (*this)[i];
}

float& MFloatVector::operator()(unsigned int i) {
    return (*this)[i];
}

float MFloatVector::operator[](unsigned int i) const {
    return i == 0 ? x : i == 1 ? y : z;
}

float& MFloatVector::operator[](unsigned int i) {
    return i == 0 ? x : i == 1 ? y : z;
}

MFloatVector MFloatVector::operator^(const MFloatVector& right) const {
    return la::cross(*this, right);
}

float MFloatVector::operator*(const MFloatVector& right) const {
    return la::dot(*this, right);
}

MFloatVector& MFloatVector::operator/=(float scalar) {
    return *this = *this / scalar;
}

MFloatVector MFloatVector::operator/(float scalar) const {
    return MFloatVector(x / scalar, y / scalar, z / scalar);
}

MFloatVector& MFloatVector::operator*=(float scalar) {
    return *this = *this * scalar;
}

MFloatVector MFloatVector::operator*(float scalar) const {
    return MFloatVector(x * scalar, y * scalar, z * scalar);
}

MFloatVector MFloatVector::operator+(const MFloatVector& other) const {
    return MFloatVector(x + other.x, y + other.y, z + other.z);
}

MFloatVector& MFloatVector::operator+=(const MFloatVector& other) {
    return *this = *this + other;
}

MFloatVector MFloatVector::operator-() const {
    return MFloatVector(-x, -y, -z);
}

MFloatVector MFloatVector::operator-(const MFloatVector& other) const {
    return MFloatVector(x - other.x, y - other.y, z - other.z);
}

MFloatVector& MFloatVector::operator-=(const MFloatVector& other) {
    return *this = *this - other;
}

MFloatVector MFloatVector::operator*(const MFloatMatrix& right) const {
    return la::directionTimesMatrix(*this, right.matrix);
}

MFloatVector& MFloatVector::operator*=(const MFloatMatrix& right) {
    return *this = *this * right;
}

bool MFloatVector::operator!=(const MFloatVector& other) const {
    return !(*this == other);
}

bool MFloatVector::operator==(const MFloatVector& other) const {
    return x == other.x && y == other.y && z == other.z;
}

MStatus MFloatVector::get(float dest[3]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    return MS::kSuccess;
}

float MFloatVector::length() const {
    return la::length(*this);
}

MFloatVector MFloatVector::normal() const {
    return la::normal(*this);
}

MStatus MFloatVector::normalize() {
    return la::normalizeInPlace(*this);
}

float MFloatVector::angle(const MFloatVector& other) const {
    return la::angleBetween(*this, other);
}

bool MFloatVector::isEquivalent(const MFloatVector& other, float tolerance) const {
    return la::near(x, other.x, tolerance) && la::near(y, other.y, tolerance) &&
           la::near(z, other.z, tolerance);
}

bool MFloatVector::isParallel(const MFloatVector& other, float tolerance) const {
    return la::parallel(*this, other, tolerance);
}

MFloatVector MFloatVector::transformAsNormal(const MFloatMatrix& matrix) const {
    return la::matrixTimesDirection(matrix.inverse().matrix, *this).normal();
}

MFloatVector operator*(int scalar, const MFloatVector& other) {
    return other * static_cast<float>(scalar);
}

MFloatVector operator*(short scalar, const MFloatVector& other) {
    return other * static_cast<float>(scalar);
}

MFloatVector operator*(unsigned int scalar, const MFloatVector& other) {
    return other * static_cast<float>(scalar);
}

MFloatVector operator*(unsigned short scalar, const MFloatVector& other) {
    return other * static_cast<float>(scalar);
}

MFloatVector operator*(float scalar, const MFloatVector& other) {
    return other * scalar;
}

MFloatVector operator*(double scalar, const MFloatVector& other) {
    return other * static_cast<float>(scalar);
}

MFloatVector operator*(const MFloatMatrix& left, const MFloatVector& right) {
    return la::matrixTimesDirection(left.matrix, right);
}

std::ostream& operator<<(std::ostream& os, const MFloatVector& v) {
    return os << "[" << v.x << ", " << v.y << ", " << v.z << "]";
}
