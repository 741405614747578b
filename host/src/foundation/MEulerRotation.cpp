#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MQuaternion.h>

#include <cmath>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// The axes (0 = x, 1 = y, 2 = z) in the order they are applied, and whether that order is an
// even permutation of x, y, z; indexed by RotationOrder.
struct AxisOrder {
    int first;
    int second;
    int third;
    bool even;
};

constexpr AxisOrder kAxisOrders[] = {
    {0, 1, 2, true},   // kXYZ
    {1, 2, 0, true},   // kYZX
    {2, 0, 1, true},   // kZXY
    {0, 2, 1, false},  // kXZY
    {1, 0, 2, false},  // kYXZ
    {2, 1, 0, false},  // kZYX
};

const AxisOrder& axesOf(MEulerRotation::RotationOrder order) {
    unsigned int index = static_cast<unsigned int>(order);
    return kAxisOrders[index < 6 ? index : 0];
}

// Rotation by `angle` about one axis, for row vectors.
void axisRotation(int axis, double angle, double m[4][4]) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const int a = (axis + 1) % 3;
    const int b = (axis + 2) % 3;
    la::setIdentity(m);
    m[a][a] = c;
    m[a][b] = s;
    m[b][a] = -s;
    m[b][b] = c;
}

MQuaternion axisQuaternion(int axis, double angle) {
    double v[4] = {0.0, 0.0, 0.0, std::cos(angle / 2.0)};
    v[axis] = std::sin(angle / 2.0);
    return MQuaternion(v);
}

// Element (row, col) of the column-vector form of a row-vector rotation matrix.
double columnForm(const MMatrix& m, int row, int col) {
    return m.matrix[col][row];
}

// Rows scaled to unit length, so a matrix that also scales still yields its rotation.
MMatrix withUnitRows(const MMatrix& m) {
    MMatrix result(m);
    for (int r = 0; r < 3; ++r) {
        MVector row(m.matrix[r][0], m.matrix[r][1], m.matrix[r][2]);
        double len = row.length();
        if (len > 0.0) {
            for (int c = 0; c < 3; ++c) {
                result.matrix[r][c] = m.matrix[r][c] / len;
            }
        }
    }
    return result;
}

double wrapToPi(double angle) {
    return std::remainder(angle, kTwoPi);
}

// `angle` moved by whole turns as close as possible to `target`.
double closestTurn(double angle, double target) {
    return target + std::remainder(angle - target, kTwoPi);
}

double distance(const MEulerRotation& a, const MEulerRotation& b) {
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z);
}

MEulerRotation::RotationOrder reversed(MEulerRotation::RotationOrder order) {
    switch (order) {
        case MEulerRotation::kXYZ:
            return MEulerRotation::kZYX;
        case MEulerRotation::kYZX:
            return MEulerRotation::kXZY;
        case MEulerRotation::kZXY:
            return MEulerRotation::kYXZ;
        case MEulerRotation::kXZY:
            return MEulerRotation::kYZX;
        case MEulerRotation::kYXZ:
            return MEulerRotation::kZXY;
        case MEulerRotation::kZYX:
            return MEulerRotation::kXYZ;
    }
    return order;
}

}  // namespace

const MEulerRotation MEulerRotation::identity;

MEulerRotation::MEulerRotation(const MEulerRotation& src) = default;
MEulerRotation::MEulerRotation(double xx, double yy, double zz, RotationOrder ord)
    : x(xx), y(yy), z(zz), order(ord) {}
MEulerRotation::MEulerRotation(const MVector& v, RotationOrder ord)
    : x(v.x), y(v.y), z(v.z), order(ord) {}
MEulerRotation::MEulerRotation(const double rotVals[3], RotationOrder ord)
    : x(rotVals[0]), y(rotVals[1]), z(rotVals[2]), order(ord) {}
MEulerRotation::~MEulerRotation() = default;

MEulerRotation& MEulerRotation::operator=(const MEulerRotation& src) = default;

MEulerRotation& MEulerRotation::operator=(const MQuaternion& q) {
    return *this = decompose(q.asMatrix(), order);
}

MEulerRotation& MEulerRotation::operator=(const MMatrix& m) {
    return *this = decompose(m, order);
}

MEulerRotation& MEulerRotation::operator=(const MVector& v) {
    return setValue(v, order);
}

MEulerRotation& MEulerRotation::setValue(const MVector& v, RotationOrder ord) {
    return setValue(v.x, v.y, v.z, ord);
}

MEulerRotation& MEulerRotation::setValue(double xx, double yy, double zz, RotationOrder ord) {
    x = xx;
    y = yy;
    z = zz;
    order = ord;
    return *this;
}

MEulerRotation& MEulerRotation::setValue(const double rotVals[3], RotationOrder ord) {
    return setValue(rotVals[0], rotVals[1], rotVals[2], ord);
}

MQuaternion MEulerRotation::asQuaternion() const {
    const AxisOrder& axes = axesOf(order);
    return axisQuaternion(axes.first, (*this)[axes.first]) *
           axisQuaternion(axes.second, (*this)[axes.second]) *
           axisQuaternion(axes.third, (*this)[axes.third]);
}

MMatrix MEulerRotation::asMatrix() const {
    // Multiplied as plain arrays: an instancer turns every particle at every
    // frame, and matrix temporaries cost nearly what the products do.
    const AxisOrder& axes = axesOf(order);
    const double angles[3] = {x, y, z};
    double m[4][4], next[4][4];
    axisRotation(axes.first, angles[axes.first], m);
    axisRotation(axes.second, angles[axes.second], next);
    la::product(m, next, m);
    axisRotation(axes.third, angles[axes.third], next);
    la::product(m, next, m);
    return MMatrix(m);
}

MVector MEulerRotation::asVector() const {
    return MVector(x, y, z);
}

double MEulerRotation::operator[](unsigned int i) const {
    return i == 0 ? x : i == 1 ? y : z;
}

double& MEulerRotation::operator[](unsigned int i) {
    return i == 0 ? x : i == 1 ? y : z;
}

MEulerRotation MEulerRotation::operator+(const MEulerRotation& other) const {
    return MEulerRotation(x + other.x, y + other.y, z + other.z, order);
}

MEulerRotation& MEulerRotation::operator+=(const MEulerRotation& other) {
    return *this = *this + other;
}

MEulerRotation MEulerRotation::operator-() const {
    return MEulerRotation(-x, -y, -z, order);
}

MEulerRotation MEulerRotation::operator-(const MEulerRotation& other) const {
    return *this + -other;
}

MEulerRotation& MEulerRotation::operator-=(const MEulerRotation& other) {
    return *this = *this - other;
}

MEulerRotation MEulerRotation::operator*(const MEulerRotation& other) const {
    return decompose(asMatrix() * other.asMatrix(), order);
}

MEulerRotation& MEulerRotation::operator*=(const MEulerRotation& other) {
    return *this = *this * other;
}

MEulerRotation MEulerRotation::operator*(const MQuaternion& other) const {
    return decompose(asMatrix() * other.asMatrix(), order);
}

MEulerRotation& MEulerRotation::operator*=(const MQuaternion& other) {
    return *this = *this * other;
}

MEulerRotation MEulerRotation::operator*(double other) const {
    return MEulerRotation(x * other, y * other, z * other, order);
}

MEulerRotation& MEulerRotation::operator*=(double other) {
    return *this = *this * other;
}

bool MEulerRotation::operator==(const MEulerRotation& other) const {
    return x == other.x && y == other.y && z == other.z && order == other.order;
}

bool MEulerRotation::operator!=(const MEulerRotation& other) const {
    return !(*this == other);
}

bool MEulerRotation::isEquivalent(const MEulerRotation& other, double tolerance) const {
    return order == other.order && la::near(x, other.x, tolerance) &&
           la::near(y, other.y, tolerance) && la::near(z, other.z, tolerance);
}

bool MEulerRotation::isZero(double tolerance) const {
    return std::fabs(x) <= tolerance && std::fabs(y) <= tolerance && std::fabs(z) <= tolerance;
}

MEulerRotation& MEulerRotation::incrementalRotateBy(const MVector& axis, double angle) {
    MEulerRotation before(*this);
    *this = decompose(asMatrix() * MQuaternion(angle, axis).asMatrix(), order);
    return setToClosestSolution(before);
}

MEulerRotation MEulerRotation::inverse() const {
    // (Ra Rb Rc)^-1 = Rc^-1 Rb^-1 Ra^-1: negated angles applied in the reverse order.
    return MEulerRotation(-x, -y, -z, reversed(order));
}

MEulerRotation& MEulerRotation::invertIt() {
    return *this = inverse();
}

MEulerRotation MEulerRotation::reorder(RotationOrder ord) const {
    return ord == order ? *this : decompose(asMatrix(), ord);
}

MEulerRotation& MEulerRotation::reorderIt(RotationOrder ord) {
    return *this = reorder(ord);
}

MEulerRotation MEulerRotation::bound() const {
    return MEulerRotation(wrapToPi(x), wrapToPi(y), wrapToPi(z), order);
}

MEulerRotation& MEulerRotation::boundIt(const MEulerRotation& src) {
    return *this = src.bound();
}

MEulerRotation& MEulerRotation::boundIt() {
    return boundIt(*this);
}

MEulerRotation MEulerRotation::alternateSolution() const {
    // Ri(a) Rj(b) Rk(c) == Ri(a + pi) Rj(pi - b) Rk(c + pi).
    const AxisOrder& axes = axesOf(order);
    MEulerRotation result(*this);
    result[axes.first] += kPi;
    result[axes.second] = kPi - result[axes.second];
    result[axes.third] += kPi;
    return result.bound();
}

MEulerRotation& MEulerRotation::setToAlternateSolution(const MEulerRotation& src) {
    return *this = src.alternateSolution();
}

MEulerRotation& MEulerRotation::setToAlternateSolution() {
    return setToAlternateSolution(*this);
}

MEulerRotation MEulerRotation::closestSolution(const MEulerRotation& dst) const {
    MEulerRotation direct = closestCut(dst);
    MEulerRotation alternate = alternateSolution().closestCut(dst);
    return distance(alternate, dst) < distance(direct, dst) ? alternate : direct;
}

MEulerRotation& MEulerRotation::setToClosestSolution(const MEulerRotation& src,
                                                     const MEulerRotation& dst) {
    return *this = src.closestSolution(dst);
}

MEulerRotation& MEulerRotation::setToClosestSolution(const MEulerRotation& dst) {
    return setToClosestSolution(*this, dst);
}

MEulerRotation MEulerRotation::closestCut(const MEulerRotation& dst) const {
    return MEulerRotation(closestTurn(x, dst.x), closestTurn(y, dst.y), closestTurn(z, dst.z),
                          order);
}

MEulerRotation& MEulerRotation::setToClosestCut(const MEulerRotation& src,
                                                const MEulerRotation& dst) {
    return *this = src.closestCut(dst);
}

MEulerRotation& MEulerRotation::setToClosestCut(const MEulerRotation& dst) {
    return setToClosestCut(*this, dst);
}

MEulerRotation MEulerRotation::decompose(const MMatrix& matrix, RotationOrder ord) {
    // With the rotation written for column vectors as R = Rk(c) Rj(b) Ri(a) (i applied first),
    // c comes from R's first column (0 at exact gimbal lock, where that column has no say in it).
    // Then b and a are read from R with Rk(c) taken off again:
    // every angle is an atan2 of two well-scaled values, which keeps the result accurate next
    // to gimbal lock, where a and c individually are ill-defined but their combination is not.
    const AxisOrder& axes = axesOf(ord);
    const int i = axes.first;
    const int j = axes.second;
    const int k = axes.third;
    const double sign = axes.even ? 1.0 : -1.0;

    MMatrix m = withUnitRows(matrix);
    const double cosB = std::hypot(columnForm(m, j, i), columnForm(m, i, i));
    const double c =
        cosB < 1.0e-14 ? 0.0 : std::atan2(sign * columnForm(m, j, i), columnForm(m, i, i));
    double undo[4][4];
    axisRotation(k, -c, undo);
    MMatrix rest;
    la::product(m.matrix, undo, rest.matrix);
    const double b = std::atan2(-sign * columnForm(rest, k, i), columnForm(rest, i, i));
    const double a = std::atan2(-sign * columnForm(rest, j, k), columnForm(rest, j, j));

    MEulerRotation result(0.0, 0.0, 0.0, ord);
    result[i] = a;
    result[j] = b;
    result[k] = c;
    return result;
}

MEulerRotation operator*(double scale, const MEulerRotation& other) {
    return other * scale;
}

std::ostream& operator<<(std::ostream& os, const MEulerRotation& r) {
    return os << "[" << r.x << ", " << r.y << ", " << r.z << "]";
}
