#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MQuaternion.h>

#include <algorithm>
#include <cmath>

#include "foundation/LinearAlgebra.h"

namespace la = host::foundation;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The Hamilton product p q, which for column vectors rotates by q first.
MQuaternion hamilton(const MQuaternion& p, const MQuaternion& q) {
    return MQuaternion(p.w * q.x + p.x * q.w + p.y * q.z - p.z * q.y,
                       p.w * q.y - p.x * q.z + p.y * q.w + p.z * q.x,
                       p.w * q.z + p.x * q.y - p.y * q.x + p.z * q.w,
                       p.w * q.w - p.x * q.x - p.y * q.y - p.z * q.z);
}

double norm(const MQuaternion& q) {
    return std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
}

double dot4(const MQuaternion& p, const MQuaternion& q) {
    return p.x * q.x + p.y * q.y + p.z * q.z + p.w * q.w;
}

// Any unit vector perpendicular to v (v non-zero).
MVector perpendicular(const MVector& v) {
    MVector axis = std::fabs(v.x) < std::fabs(v.y)
                       ? (std::fabs(v.x) < std::fabs(v.z) ? MVector::xAxis : MVector::zAxis)
                       : (std::fabs(v.y) < std::fabs(v.z) ? MVector::yAxis : MVector::zAxis);
    return (v ^ axis).normal();
}

// Unit rotation rows of m, for extracting a rotation from a matrix that may also scale.
void unitRotationRows(const MMatrix& m, double r[3][3]) {
    for (int row = 0; row < 3; ++row) {
        MVector v(m.matrix[row][0], m.matrix[row][1], m.matrix[row][2]);
        v = v.normal();
        r[row][0] = v.x;
        r[row][1] = v.y;
        r[row][2] = v.z;
    }
}

}  // namespace

const MQuaternion MQuaternion::identity;

MQuaternion::MQuaternion(const MQuaternion& src) = default;
MQuaternion::MQuaternion(double xx, double yy, double zz, double ww) : x(xx), y(yy), z(zz), w(ww) {}
MQuaternion::MQuaternion(const double q[4]) : x(q[0]), y(q[1]), z(q[2]), w(q[3]) {}

MQuaternion::MQuaternion(const MVector& a, const MVector& b) : MQuaternion(a, b, 1.0) {}

MQuaternion::MQuaternion(const MVector& a, const MVector& b, double angleFactor) : MQuaternion() {
    if (a.length() == 0.0 || b.length() == 0.0) {
        return;
    }
    MVector axis = a ^ b;
    double angle = a.angle(b);
    if (axis.length() <= kVectorEpsilon * a.length() * b.length()) {
        // Parallel: no turn. Opposite: half a turn about any axis perpendicular to both.
        if (a * b > 0.0) {
            return;
        }
        axis = perpendicular(a);
        angle = kPi;
    }
    setAxisAngle(axis, angle * angleFactor);
}

MQuaternion::MQuaternion(double angle, const MVector& axisb) : MQuaternion() {
    setAxisAngle(axisb, angle);
}

MQuaternion::~MQuaternion() = default;

MQuaternion& MQuaternion::operator=(const MQuaternion& src) = default;

MQuaternion& MQuaternion::operator=(const MMatrix& matrix) {
    // Shepperd's method on the largest of w, x, y, z for accuracy; m[r][c] is the row-vector form.
    double m[3][3];
    unitRotationRows(matrix, m);
    const double trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0) {
        double s = 2.0 * std::sqrt(trace + 1.0);
        w = 0.25 * s;
        x = (m[1][2] - m[2][1]) / s;
        y = (m[2][0] - m[0][2]) / s;
        z = (m[0][1] - m[1][0]) / s;
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        double s = 2.0 * std::sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]);
        w = (m[1][2] - m[2][1]) / s;
        x = 0.25 * s;
        y = (m[1][0] + m[0][1]) / s;
        z = (m[2][0] + m[0][2]) / s;
    } else if (m[1][1] > m[2][2]) {
        double s = 2.0 * std::sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]);
        w = (m[2][0] - m[0][2]) / s;
        x = (m[1][0] + m[0][1]) / s;
        y = 0.25 * s;
        z = (m[2][1] + m[1][2]) / s;
    } else {
        double s = 2.0 * std::sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]);
        w = (m[0][1] - m[1][0]) / s;
        x = (m[2][0] + m[0][2]) / s;
        y = (m[2][1] + m[1][2]) / s;
        z = 0.25 * s;
    }
    return *this;
}

MQuaternion& MQuaternion::operator=(const MEulerRotation& euler) {
    return *this = euler.asQuaternion();
}

MMatrix MQuaternion::asMatrix() const {
    MQuaternion q = normal();
    const double xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
    const double xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
    const double wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
    const double rows[4][4] = {
        {1.0 - 2.0 * (yy + zz), 2.0 * (xy + wz), 2.0 * (xz - wy), 0.0},
        {2.0 * (xy - wz), 1.0 - 2.0 * (xx + zz), 2.0 * (yz + wx), 0.0},
        {2.0 * (xz + wy), 2.0 * (yz - wx), 1.0 - 2.0 * (xx + yy), 0.0},
        {0.0, 0.0, 0.0, 1.0},
    };
    return MMatrix(rows);
}

MEulerRotation MQuaternion::asEulerRotation() const {
    return MEulerRotation::decompose(asMatrix(), MEulerRotation::kXYZ);
}

MQuaternion& MQuaternion::setAxisAngle(const MVector& axis, double theta) {
    MVector unit = axis.normal();
    if (unit.length() == 0.0) {
        return *this = identity;
    }
    const double s = std::sin(theta / 2.0);
    x = unit.x * s;
    y = unit.y * s;
    z = unit.z * s;
    w = std::cos(theta / 2.0);
    return *this;
}

bool MQuaternion::getAxisAngle(MVector& axis, double& theta) const {
    MQuaternion q = normal();
    const double sinHalf = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    theta = 2.0 * std::atan2(sinHalf, q.w);
    if (sinHalf == 0.0) {
        axis = MVector::zAxis;
        return false;
    }
    axis = MVector(q.x / sinHalf, q.y / sinHalf, q.z / sinHalf);
    return true;
}

MQuaternion& MQuaternion::setToXAxis(double theta) {
    return setAxisAngle(MVector::xAxis, theta);
}

MQuaternion& MQuaternion::setToYAxis(double theta) {
    return setAxisAngle(MVector::yAxis, theta);
}

MQuaternion& MQuaternion::setToZAxis(double theta) {
    return setAxisAngle(MVector::zAxis, theta);
}

MStatus MQuaternion::get(double dest[4]) const {
    if (!dest) {
        return MS::kInvalidParameter;
    }
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    dest[3] = w;
    return MS::kSuccess;
}

double MQuaternion::operator[](unsigned int i) const {
    return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}

double& MQuaternion::operator[](unsigned int i) {
    return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}

MQuaternion MQuaternion::operator+(const MQuaternion& other) const {
    return MQuaternion(x + other.x, y + other.y, z + other.z, w + other.w);
}

MQuaternion MQuaternion::operator*(const MQuaternion& other) const {
    return hamilton(other, *this);
}

MQuaternion& MQuaternion::operator*=(const MQuaternion& other) {
    return *this = *this * other;
}

MQuaternion MQuaternion::operator-(const MQuaternion& other) const {
    return *this + -other;
}

MQuaternion MQuaternion::operator-() const {
    return MQuaternion(-x, -y, -z, -w);
}

MQuaternion& MQuaternion::negateIt() {
    return *this = -*this;
}

bool MQuaternion::operator==(const MQuaternion& other) const {
    return x == other.x && y == other.y && z == other.z && w == other.w;
}

bool MQuaternion::operator!=(const MQuaternion& other) const {
    return !(*this == other);
}

bool MQuaternion::isEquivalent(const MQuaternion& other, double tolerance) const {
    return la::near(x, other.x, tolerance) && la::near(y, other.y, tolerance) &&
           la::near(z, other.z, tolerance) && la::near(w, other.w, tolerance);
}

MQuaternion& MQuaternion::scaleIt(double scale) {
    x *= scale;
    y *= scale;
    z *= scale;
    w *= scale;
    return *this;
}

MQuaternion MQuaternion::normal() const {
    MQuaternion result(*this);
    return result.normalizeIt();
}

MQuaternion& MQuaternion::normalizeIt() {
    const double n = norm(*this);
    return n > 0.0 ? scaleIt(1.0 / n) : *this;
}

MQuaternion MQuaternion::conjugate() const {
    return MQuaternion(-x, -y, -z, w);
}

MQuaternion& MQuaternion::conjugateIt() {
    return *this = conjugate();
}

MQuaternion MQuaternion::inverse() const {
    const double n2 = dot4(*this, *this);
    return n2 > 0.0 ? conjugate().scaleIt(1.0 / n2) : *this;
}

MQuaternion& MQuaternion::invertIt() {
    return *this = inverse();
}

MQuaternion MQuaternion::log() const {
    // For a unit quaternion (sin t * axis, cos t): (t * axis, 0).
    const double v = std::sqrt(x * x + y * y + z * z);
    if (v == 0.0) {
        return MQuaternion(0.0, 0.0, 0.0, 0.0);
    }
    const double t = std::atan2(v, w) / v;
    return MQuaternion(x * t, y * t, z * t, 0.0);
}

MQuaternion MQuaternion::exp() const {
    const double t = std::sqrt(x * x + y * y + z * z);
    if (t == 0.0) {
        return identity;
    }
    const double s = std::sin(t) / t;
    return MQuaternion(x * s, y * s, z * s, std::cos(t));
}

MQuaternion operator*(double scale, const MQuaternion& other) {
    MQuaternion result(other);
    return result.scaleIt(scale);
}

MQuaternion slerp(const MQuaternion& p, const MQuaternion& q, double t, short spin) {
    // Along the shorter arc, plus `spin` extra half turns.
    MQuaternion target = q;
    double cosOmega = dot4(p, q);
    if (cosOmega < 0.0) {
        target = -q;
        cosOmega = -cosOmega;
    }
    cosOmega = std::min(cosOmega, 1.0);
    const double omega = std::acos(cosOmega);
    const double phi = omega + spin * kPi;
    const double sinOmega = std::sin(omega);
    if (sinOmega < 1.0e-12) {
        // (Nearly) the same rotation: linear blend avoids 0/0.
        return ((1.0 - t) * p + t * target).normal();
    }
    const double a = std::sin(omega - t * phi) / sinOmega;
    const double b = std::sin(t * phi) / sinOmega;
    return a * p + b * target;
}

std::ostream& operator<<(std::ostream& os, const MQuaternion& q) {
    return os << "[" << q.x << ", " << q.y << ", " << q.z << ", " << q.w << "]";
}
