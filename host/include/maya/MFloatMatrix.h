#pragma once
// 4x4 single-precision matrix, row-major. Points are row vectors (p * m) and a * b applies a first.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>

#define MFloatMatrix_kTol 1.0e-5F

class OPENMAYA_EXPORT MFloatMatrix {
public:
    // constexpr so the class constants are ready before other files' static initialisers run.
    constexpr MFloatMatrix()
        : matrix{{1.0f, 0.0f, 0.0f, 0.0f},
                 {0.0f, 1.0f, 0.0f, 0.0f},
                 {0.0f, 0.0f, 1.0f, 0.0f},
                 {0.0f, 0.0f, 0.0f, 1.0f}} {}
    MFloatMatrix(const MFloatMatrix& src);
    MFloatMatrix(const float m[4][4]);
    MFloatMatrix(const double m[4][4]);
    ~MFloatMatrix();

    MFloatMatrix& operator=(const MFloatMatrix& src);
    float operator()(unsigned int row, unsigned int col) const;
    float& operator()(unsigned int row, unsigned int col);
    const float* operator[](unsigned int row) const;
    float* operator[](unsigned int row);
    MStatus get(float dest[4][4]) const;
    MStatus get(double dest[4][4]) const;

    MFloatMatrix transpose() const;
    MFloatMatrix& setToIdentity();
    MFloatMatrix& setToProduct(const MFloatMatrix& left, const MFloatMatrix& right);
    MFloatMatrix& operator+=(const MFloatMatrix& right);
    MFloatMatrix operator+(const MFloatMatrix& right) const;
    MFloatMatrix& operator-=(const MFloatMatrix& right);
    MFloatMatrix operator-(const MFloatMatrix& right) const;
    MFloatMatrix& operator*=(const MFloatMatrix& right);
    MFloatMatrix operator*(const MFloatMatrix& right) const;
    MFloatMatrix& operator*=(float scale);
    MFloatMatrix operator*(float scale) const;
    bool operator==(const MFloatMatrix& other) const;
    bool operator!=(const MFloatMatrix& other) const;

    MFloatMatrix inverse() const;
    MFloatMatrix adjoint() const;
    float det4x4() const;
    float det3x3() const;
    bool isEquivalent(const MFloatMatrix& other, float tolerance = MFloatMatrix_kTol) const;
    bool isSingular() const;

    friend OPENMAYA_EXPORT MFloatMatrix operator*(float scale, const MFloatMatrix& right);
    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MFloatMatrix& m);

    static const MFloatMatrix identity;

    float matrix[4][4];
};
