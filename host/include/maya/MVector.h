#pragma once
// Three-component double-precision vector. Matrices apply on the right: v * m.

#include <maya/MStatus.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MTypes.h>

#include <iostream>

#define kVectorEpsilon 1.0e-10

class OPENMAYA_EXPORT MVector {
public:
    enum Axis { kXaxis, kYaxis, kZaxis, kWaxis };

    // constexpr so the class constants are ready before other files' static initialisers run.
    constexpr MVector() : x(0.0), y(0.0), z(0.0) {}
    MVector(const MVector& src);
    MVector(const MFloatPoint& src);
    MVector(const MFloatVector& src);
    MVector(const MPoint& src);
    constexpr MVector(double xx, double yy, double zz = 0.0) : x(xx), y(yy), z(zz) {}
    MVector(const double d[3]);
    MVector(const float f[3]);
    ~MVector();

    MVector& operator=(const MVector& src);
    double operator()(unsigned int i) const;
    double& operator()(unsigned int i);
    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);

    MVector operator^(const MVector& right) const;
    double operator*(const MVector& right) const;
    MVector& operator/=(double scalar);
    MVector operator/(double scalar) const;
    MVector& operator*=(double scalar);
    MVector operator*(double scalar) const;
    MVector operator+(const MVector& other) const;
    MVector& operator+=(const MVector& other);
    MVector operator-() const;
    MVector operator-(const MVector& other) const;
    MVector& operator-=(const MVector& other);
    MVector operator*(const MMatrix& right) const;
    MVector& operator*=(const MMatrix& right);
    bool operator!=(const MVector& other) const;
    bool operator==(const MVector& other) const;

    MVector rotateBy(double x, double y, double z, double w) const;
    MVector rotateBy(const double rotXYZ[3], MTransformationMatrix::RotationOrder order) const;
    MVector rotateBy(MVector::Axis axis, double angle) const;
    MVector rotateBy(const MQuaternion& rotation) const;
    MVector rotateBy(const MEulerRotation& rotation) const;
    MQuaternion rotateTo(const MVector& target) const;

    MStatus get(double dest[3]) const;
    double length() const;
    MVector normal() const;
    MStatus normalize();
    double angle(const MVector& other) const;
    bool isEquivalent(const MVector& other, double tolerance = kVectorEpsilon) const;
    bool isParallel(const MVector& other, double tolerance = kVectorEpsilon) const;
    MVector transformAsNormal(const MMatrix& matrix) const;

    friend OPENMAYA_EXPORT MVector operator*(int scalar, const MVector& other);
    friend OPENMAYA_EXPORT MVector operator*(short scalar, const MVector& other);
    friend OPENMAYA_EXPORT MVector operator*(unsigned int scalar, const MVector& other);
    friend OPENMAYA_EXPORT MVector operator*(unsigned short scalar, const MVector& other);
    friend OPENMAYA_EXPORT MVector operator*(float scalar, const MVector& other);
    friend OPENMAYA_EXPORT MVector operator*(double scalar, const MVector& other);
    friend OPENMAYA_EXPORT MVector operator*(const MMatrix& left, const MVector& right);
    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MVector& v);

    static const MVector zero;
    static const MVector one;
    static const MVector xAxis;
    static const MVector yAxis;
    static const MVector zAxis;
    static const MVector xNegAxis;
    static const MVector yNegAxis;
    static const MVector zNegAxis;

    double x;
    double y;
    double z;
};
