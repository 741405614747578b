#pragma once
// Rotation quaternion (x, y, z imaginary, w real). Products compose like the rotation matrices:
// (a * b).asMatrix() == a.asMatrix() * b.asMatrix(), a applied first.

#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#include <iostream>

#define kQuaternionEpsilon 1.0e-10

class OPENMAYA_EXPORT MQuaternion {
public:
    // constexpr so the class constants are ready before other files' static initialisers run.
    constexpr MQuaternion() : x(0.0), y(0.0), z(0.0), w(1.0) {}
    MQuaternion(const MQuaternion& src);
    MQuaternion(double xx, double yy, double zz, double ww);
    MQuaternion(const double q[4]);
    MQuaternion(const MVector& a, const MVector& b);
    MQuaternion(const MVector& a, const MVector& b, double angleFactor);
    MQuaternion(double angle, const MVector& axisb);
    ~MQuaternion();

    MQuaternion& operator=(const MQuaternion& src);
    MQuaternion& operator=(const MMatrix& matrix);
    MQuaternion& operator=(const MEulerRotation& euler);
    MMatrix asMatrix() const;
    MEulerRotation asEulerRotation() const;
    MQuaternion& setAxisAngle(const MVector& axis, double theta);
    bool getAxisAngle(MVector& axis, double& theta) const;
    MQuaternion& setToXAxis(double theta);
    MQuaternion& setToYAxis(double theta);
    MQuaternion& setToZAxis(double theta);
    MStatus get(double dest[4]) const;

    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    MQuaternion operator+(const MQuaternion& other) const;
    MQuaternion operator*(const MQuaternion& other) const;
    MQuaternion& operator*=(const MQuaternion& other);
    MQuaternion operator-(const MQuaternion& other) const;
    MQuaternion operator-() const;
    MQuaternion& negateIt();
    bool operator==(const MQuaternion& other) const;
    bool operator!=(const MQuaternion& other) const;
    bool isEquivalent(const MQuaternion& other, double tolerance = kQuaternionEpsilon) const;
    MQuaternion& scaleIt(double scale);
    MQuaternion normal() const;
    MQuaternion& normalizeIt();
    MQuaternion conjugate() const;
    MQuaternion& conjugateIt();
    MQuaternion inverse() const;
    MQuaternion& invertIt();
    MQuaternion log() const;
    MQuaternion exp() const;

    friend OPENMAYA_EXPORT MQuaternion operator*(double scale, const MQuaternion& other);
    friend OPENMAYA_EXPORT MQuaternion slerp(const MQuaternion& p, const MQuaternion& q, double t,
                                             short spin);
    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MQuaternion& q);

    static const MQuaternion identity;

    double x;
    double y;
    double z;
    double w;
};

OPENMAYA_EXPORT MQuaternion slerp(const MQuaternion& p, const MQuaternion& q, double t,
                                  short spin = 0);
