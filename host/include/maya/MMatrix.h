#pragma once
// 4x4 double-precision matrix, row-major. Points are row vectors (p * m) and a * b applies a first.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iostream>

#define MMatrix_kTol 1.0e-10

class OPENMAYA_EXPORT MMatrix {
public:
    // constexpr so the class constants are ready before other files' static initialisers run.
    constexpr MMatrix()
        : matrix{{1.0, 0.0, 0.0, 0.0},
                 {0.0, 1.0, 0.0, 0.0},
                 {0.0, 0.0, 1.0, 0.0},
                 {0.0, 0.0, 0.0, 1.0}} {}
    MMatrix(const MMatrix& src);
    MMatrix(const double m[4][4]);
    MMatrix(const float m[4][4]);
    ~MMatrix();

    MMatrix& operator=(const MMatrix& src);
    double operator()(unsigned int row, unsigned int col) const;
    double& operator()(unsigned int row, unsigned int col);
    const double* operator[](unsigned int row) const;
    double* operator[](unsigned int row);
    MStatus get(double dest[4][4]) const;
    MStatus get(float dest[4][4]) const;

    MMatrix transpose() const;
    MMatrix& setToIdentity();
    MMatrix& setToProduct(const MMatrix& left, const MMatrix& right);
    MMatrix& operator+=(const MMatrix& right);
    MMatrix operator+(const MMatrix& right) const;
    MMatrix& operator-=(const MMatrix& right);
    MMatrix operator-(const MMatrix& right) const;
    MMatrix& operator*=(const MMatrix& right);
    MMatrix operator*(const MMatrix& right) const;
    MMatrix& operator*=(double scale);
    MMatrix operator*(double scale) const;
    bool operator==(const MMatrix& other) const;
    bool operator!=(const MMatrix& other) const;

    MMatrix inverse() const;
    MMatrix adjoint() const;
    double det4x4() const;
    double det3x3() const;
    bool isEquivalent(const MMatrix& other, double tolerance = MMatrix_kTol) const;
    bool isSingular() const;

    friend OPENMAYA_EXPORT MMatrix operator*(double scale, const MMatrix& right);
    friend OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MMatrix& m);

    static const MMatrix identity;

    double matrix[4][4];
};
