#pragma once
// Homogeneous double-precision point (x, y, z, w). Matrices apply on the right: p * m.

#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#include <iostream>

#define MPoint_kTol 1.0e-10

class OPENMAYA_EXPORT MPoint {
public:
    // constexpr so the class constants are ready before other files' static initialisers run.
    constexpr MPoint() : x(0.0), y(0.0), z(0.0), w(1.0) {}
    MPoint(const MPoint& src);
    MPoint(const MFloatPoint& src);
    MPoint(const MVector& src);
    MPoint(const MFloatVector& src);
    constexpr MPoint(double xx, double yy, double zz = 0.0, double ww = 1.0)
        : x(xx), y(yy), z(zz), w(ww) {}
    MPoint(const double d[4]);
    MPoint(const float f[4]);
    ~MPoint();

    MPoint& operator=(const MPoint& src);
    double operator()(unsigned int i) const;
    double& operator()(unsigned int i);
    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);

    MVector operator-(const MPoint& other) const;
    MPoint operator+(const MVector& other) const;
    MPoint operator-(const MVector& other) const;
    MPoint& operator+=(const MVector& vector);
    MPoint& operator-=(const MVector& vector);
    MPoint operator*(double scale) const;
    MPoint operator/(double scale) const;
    MPoint operator*(const MMatrix& right) const;
    MPoint& operator*=(const MMatrix& right);
    bool operator==(const MPoint& other) const;
    bool operator!=(const MPoint& other) const;

    MPoint& cartesianize();
    MPoint& rationalize();
    MPoint& homogenize();
    double distanceTo(const MPoint& other) const;
    bool isEquivalent(const MPoint& other, double tolerance = MPoint_kTol) const;
    MStatus get(double dest[4]) const;
    MStatus get(float dest[4]) const;

    friend OPENMAYA_EXPORT MPoint operator*(const MMatrix& left, const MPoint& right);
    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MPoint& p);

    static const MPoint origin;

    double x;
    double y;
    double z;
    double w;
};
