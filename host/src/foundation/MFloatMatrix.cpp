#include <maya/MFloatMatrix.h>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

// Default construction is the identity.
const MFloatMatrix MFloatMatrix::identity;

MFloatMatrix::MFloatMatrix(const MFloatMatrix& src) {
    la::copyMatrix(src.matrix, matrix);
}

MFloatMatrix::MFloatMatrix(const float m[4][4]) {
    la::copyMatrix(m, matrix);
}

MFloatMatrix::MFloatMatrix(const double m[4][4]) {
    la::copyMatrix(m, matrix);
}

MFloatMatrix::~MFloatMatrix() = default;

MFloatMatrix& MFloatMatrix::operator=(const MFloatMatrix& src) {
    la::copyMatrix(src.matrix, matrix);
    return *this;
}

float MFloatMatrix::operator()(unsigned int row, unsigned int col) const {
    return matrix[row][col];
}

float& MFloatMatrix::operator()(unsigned int row, unsigned int col) {
    return matrix[row][col];
}

const float* MFloatMatrix::operator[](unsigned int row) const {
    return matrix[row];
}

float* MFloatMatrix::operator[](unsigned int row) {
    return matrix[row];
}

MStatus MFloatMatrix::get(float dest[4][4]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    la::copyMatrix(matrix, dest);
    return MS::kSuccess;
}

MStatus MFloatMatrix::get(double dest[4][4]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    la::copyMatrix(matrix, dest);
    return MS::kSuccess;
}

MFloatMatrix MFloatMatrix::transpose() const {
    float result[4][4];
    la::transposeOf(matrix, result);
    return MFloatMatrix(result);
}

MFloatMatrix& MFloatMatrix::setToIdentity() {
    la::setIdentity(matrix);
    return *this;
}

MFloatMatrix& MFloatMatrix::setToProduct(const MFloatMatrix& left, const MFloatMatrix& right) {
    la::product(left.matrix, right.matrix, matrix);
    return *this;
}

MFloatMatrix& MFloatMatrix::operator+=(const MFloatMatrix& right) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            matrix[r][c] += right.matrix[r][c];
        }
    }
    return *this;
}

MFloatMatrix MFloatMatrix::operator+(const MFloatMatrix& right) const {
    MFloatMatrix result(*this);
    result += right;
    return result;
}

MFloatMatrix& MFloatMatrix::operator-=(const MFloatMatrix& right) {
    return *this += right * -1.0f;
}

MFloatMatrix MFloatMatrix::operator-(const MFloatMatrix& right) const {
    MFloatMatrix result(*this);
    result -= right;
    return result;
}

MFloatMatrix& MFloatMatrix::operator*=(const MFloatMatrix& right) {
    return setToProduct(*this, right);
}

MFloatMatrix MFloatMatrix::operator*(const MFloatMatrix& right) const {
    MFloatMatrix result;
    result.setToProduct(*this, right);
    return result;
}

MFloatMatrix& MFloatMatrix::operator*=(float scale) {
    for (auto& row : matrix) {
        for (auto& value : row) {
            value *= scale;
        }
    }
    return *this;
}

MFloatMatrix MFloatMatrix::operator*(float scale) const {
    MFloatMatrix result(*this);
    result *= scale;
    return result;
}

bool MFloatMatrix::operator==(const MFloatMatrix& other) const {
    return la::exactlyEqual(matrix, other.matrix);
}

bool MFloatMatrix::operator!=(const MFloatMatrix& other) const {
    return !(*this == other);
}

MFloatMatrix MFloatMatrix::inverse() const {
    // A singular matrix has no inverse; the identity keeps callers free of infinities.
    MFloatMatrix result;
    la::inverseOf(matrix, result.matrix);
    return result;
}

MFloatMatrix MFloatMatrix::adjoint() const {
    float result[4][4];
    la::adjointOf(matrix, result);
    return MFloatMatrix(result);
}

float MFloatMatrix::det4x4() const {
    return la::determinant4(matrix);
}

float MFloatMatrix::det3x3() const {
    return la::determinant3(matrix);
}

bool MFloatMatrix::isEquivalent(const MFloatMatrix& other, float tolerance) const {
    return la::equivalent(matrix, other.matrix, tolerance);
}

bool MFloatMatrix::isSingular() const {
    float unused[4][4];
    return !la::inverseOf(matrix, unused);
}

MFloatMatrix operator*(float scale, const MFloatMatrix& right) {
    return right * scale;
}

std::ostream& operator<<(std::ostream& os, const MFloatMatrix& m) {
    return la::writeMatrix(os, m.matrix);
}
