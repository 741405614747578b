#pragma once
// Three-component single-precision vector. Matrices apply on the right: v * m.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>

#define kFloatVectorEpsilon 1.0e-5F

class OPENMAYA_EXPORT MFloatVector {
public:
    enum Axis { kXaxis, kYaxis, kZaxis, kWaxis };

    // constexpr so the class constants are ready before other files' static initialisers run.
    constexpr MFloatVector() : x(0.0f), y(0.0f), z(0.0f) {}
    MFloatVector(const MFloatVector& src);
    MFloatVector(const MVector& src);
    MFloatVector(const MFloatPoint& src);
    constexpr MFloatVector(float xx, float yy, float zz = 0.0f) : x(xx), y(yy), z(zz) {}
    MFloatVector(const float f[3]);
    MFloatVector(const double d[3]);
    ~MFloatVector();

    MFloatVector& operator=(const MFloatVector& src);
    float operator()(unsigned int i) const;
    float& operator()(unsigned int i);
    float operator[](unsigned int i) const;
    float& operator[](unsigned int i);

    MFloatVector operator^(const MFloatVector& right) const;
    float operator*(const MFloatVector& right) const;
    MFloatVector& operator/=(float scalar);
    MFloatVector operator/(float scalar) const;
    MFloatVector& operator*=(float scalar);
    MFloatVector operator*(float scalar) const;
    MFloatVector operator+(const MFloatVector& other) const;
    MFloatVector& operator+=(const MFloatVector& other);
    MFloatVector operator-() const;
    MFloatVector operator-(const MFloatVector& other) const;
    MFloatVector& operator-=(const MFloatVector& other);
    MFloatVector operator*(const MFloatMatrix& right) const;
    MFloatVector& operator*=(const MFloatMatrix& right);
    bool operator!=(const MFloatVector& other) const;
    bool operator==(const MFloatVector& other) const;

    MStatus get(float dest[3]) const;
    float length() const;
    MFloatVector normal() const;
    MStatus normalize();
    float angle(const MFloatVector& other) const;
    bool isEquivalent(const MFloatVector& other, float tolerance = kFloatVectorEpsilon) const;
    bool isParallel(const MFloatVector& other, float tolerance = kFloatVectorEpsilon) const;
    MFloatVector transformAsNormal(const MFloatMatrix& matrix) const;

    friend OPENMAYA_EXPORT MFloatVector operator*(int scalar, const MFloatVector& other);
    friend OPENMAYA_EXPORT MFloatVector operator*(short scalar, const MFloatVector& other);
    friend OPENMAYA_EXPORT MFloatVector operator*(unsigned int scalar, const MFloatVector& other);
    friend OPENMAYA_EXPORT MFloatVector operator*(unsigned short scalar, const MFloatVector& other);
    friend OPENMAYA_EXPORT MFloatVector operator*(float scalar, const MFloatVector& other);
    friend OPENMAYA_EXPORT MFloatVector operator*(double scalar, const MFloatVector& other);
    friend OPENMAYA_EXPORT MFloatVector operator*(const MFloatMatrix& left,
                                                  const MFloatVector& right);
    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MFloatVector& v);

    static const MFloatVector zero;
    static const MFloatVector one;
    static const MFloatVector xAxis;
    static const MFloatVector yAxis;
    static const MFloatVector zAxis;
    static const MFloatVector xNegAxis;
    static const MFloatVector yNegAxis;
    static const MFloatVector zNegAxis;

    float x;
    float y;
    float z;
};
