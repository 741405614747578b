#include <maya/MMatrix.h>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

// Default construction is the identity.
const MMatrix MMatrix::identity;

MMatrix::MMatrix(const MMatrix& src) {
    la::copyMatrix(src.matrix, matrix);
}

MMatrix::MMatrix(const double m[4][4]) {
    la::copyMatrix(m, matrix);
}

MMatrix::MMatrix(const float m[4][4]) {
    la::copyMatrix(m, matrix);
}

MMatrix::~MMatrix() = default;

MMatrix& MMatrix::operator=(const MMatrix& src) {
    la::copyMatrix(src.matrix, matrix);
    return *this;
}

double MMatrix::operator()(unsigned int row, unsigned int col) const {
    return matrix[row][col];
}

double& MMatrix::operator()(unsigned int row, unsigned int col) {
    return matrix[row][col];
}

const double* MMatrix::operator[](unsigned int row) const {
    return matrix[row];
}

double* MMatrix::operator[](unsigned int row) {
    return matrix[row];
}

MStatus MMatrix::get(double dest[4][4]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    la::copyMatrix(matrix, dest);
    return MS::kSuccess;
}

MStatus MMatrix::get(float dest[4][4]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    la::copyMatrix(matrix, dest);
    return MS::kSuccess;
}

MMatrix MMatrix::transpose() const {
    double result[4][4];
    la::transposeOf(matrix, result);
    return MMatrix(result);
}

MMatrix& MMatrix::setToIdentity() {
    la::setIdentity(matrix);
    return *this;
}

MMatrix& MMatrix::setToProduct(const MMatrix& left, const MMatrix& right) {
    la::product(left.matrix, right.matrix, matrix);
    return *this;
}

MMatrix& MMatrix::operator+=(const MMatrix& right) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            matrix[r][c] += right.matrix[r][c];
        }
    }
    return *this;
}

MMatrix MMatrix::operator+(const MMatrix& right) const {
    MMatrix result(*this);
    result += right;
    return result;
}

MMatrix& MMatrix::operator-=(const MMatrix& right) {
    return *this += right * -1.0;
}

MMatrix MMatrix::operator-(const MMatrix& right) const {
    MMatrix result(*this);
    result -= right;
    return result;
}

MMatrix& MMatrix::operator*=(const MMatrix& right) {
    return setToProduct(*this, right);
}

MMatrix MMatrix::operator*(const MMatrix& right) const {
    MMatrix result;
    result.setToProduct(*this, right);
    return result;
}

MMatrix& MMatrix::operator*=(double scale) {
    for (auto& row : matrix) {
        for (auto& value : row) {
            value *= scale;
        }
    }
    return *this;
}

MMatrix MMatrix::operator*(double scale) const {
    MMatrix result(*this);
    result *= scale;
    return result;
}

bool MMatrix::operator==(const MMatrix& other) const {
    return la::exactlyEqual(matrix, other.matrix);
}

bool MMatrix::operator!=(const MMatrix& other) const {
    return !(*this == other);
}

MMatrix MMatrix::inverse() const {
    // A singular matrix has no inverse; the identity keeps callers free of infinities.
    MMatrix result;
    la::inverseOf(matrix, result.matrix);
    return result;
}

MMatrix MMatrix::adjoint() const {
    double result[4][4];
    la::adjointOf(matrix, result);
    return MMatrix(result);
}

double MMatrix::det4x4() const {
    return la::determinant4(matrix);
}

double MMatrix::det3x3() const {
    return la::determinant3(matrix);
}

bool MMatrix::isEquivalent(const MMatrix& other, double tolerance) const {
    return la::equivalent(matrix, other.matrix, tolerance);
}

bool MMatrix::isSingular() const {
    double unused[4][4];
    return !la::inverseOf(matrix, unused);
}

MMatrix operator*(double scale, const MMatrix& right) {
    return right * scale;
}

std::ostream& operator<<(std::ostream& os, const MMatrix& m) {
    return la::writeMatrix(os, m.matrix);
}
