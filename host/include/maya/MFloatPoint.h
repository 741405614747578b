#pragma once
// Homogeneous single-precision point (x, y, z, w). Matrices apply on the right: p * m.

#include <maya/MFloatVector.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>

#define MFloatPoint_kTol 1.0e-5F

class OPENMAYA_EXPORT MFloatPoint {
public:
    // constexpr so the class constants are ready before other files' static initialisers run.
    constexpr MFloatPoint() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}
    MFloatPoint(const MFloatPoint& src);
    MFloatPoint(const MFloatVector& src);
    constexpr MFloatPoint(float xx, float yy, float zz = 0.0f, float ww = 1.0f)
        : x(xx), y(yy), z(zz), w(ww) {}
    MFloatPoint(const float f[4]);
    MFloatPoint(const double d[4]);
    ~MFloatPoint();

    MFloatPoint& operator=(const MFloatPoint& src);
    MStatus setCast(const MPoint& src);
    MStatus setCast(const MVector& src);
    float operator()(unsigned int i) const;
    float& operator()(unsigned int i);
    float operator[](unsigned int i) const;
    float& operator[](unsigned int i);

    MFloatVector operator-(const MFloatPoint& other) const;
    MFloatPoint operator+(const MFloatVector& other) const;
    MFloatPoint operator-(const MFloatVector& other) const;
    MFloatPoint& operator+=(const MFloatVector& vector);
    MFloatPoint& operator-=(const MFloatVector& vector);
    MFloatPoint operator*(float scale) const;
    MFloatPoint operator/(float scale) const;
    MFloatPoint operator*(const MFloatMatrix& right) const;
    MFloatPoint& operator*=(const MFloatMatrix& right);
    bool operator==(const MFloatPoint& other) const;
    bool operator!=(const MFloatPoint& other) const;

    MFloatPoint& cartesianize();
    MFloatPoint& rationalize();
    MFloatPoint& homogenize();
    float distanceTo(const MFloatPoint& other) const;
    bool isEquivalent(const MFloatPoint& other, float tolerance = MFloatPoint_kTol) const;
    MStatus get(float dest[4]) const;
    MStatus get(double dest[4]) const;

    friend OPENMAYA_EXPORT MFloatPoint operator*(const MFloatMatrix& left,
                                                 const MFloatPoint& right);
    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MFloatPoint& p);

    static const MFloatPoint origin;

    float x;
    float y;
    float z;
    float w;
};
