#pragma once
// Vector and 4x4 matrix arithmetic written once for the double and the float classes.
// Matrices are row-major and points are row vectors, so p * m applies m to p and
// a * b applies a first.

#include <maya/MStatus.h>

#include <cmath>
#include <cstring>
#include <ostream>
#include <type_traits>
#include <utility>

namespace host {
namespace foundation {

template <class V>
using ScalarOf = std::remove_cv_t<std::remove_reference_t<decltype(std::declval<V&>().x)>>;

template <class V>
V cross(const V& a, const V& b) {
    return V(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

template <class V>
ScalarOf<V> dot(const V& a, const V& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

template <class V>
ScalarOf<V> length(const V& v) {
    return std::sqrt(dot(v, v));
}

// A zero vector has no direction: it is returned unchanged.
template <class V>
V normal(const V& v) {
    ScalarOf<V> len = length(v);
    return len > 0 ? V(v.x / len, v.y / len, v.z / len) : v;
}

template <class V>
MStatus normalizeInPlace(V& v) {
    if (!(length(v) > 0)) {
        return MS::kFailure;
    }
    v = normal(v);
    return MS::kSuccess;
}

// atan2 of |a x b| and a . b stays accurate for nearly parallel vectors, where acos does not.
template <class V>
ScalarOf<V> angleBetween(const V& a, const V& b) {
    return std::atan2(length(cross(a, b)), dot(a, b));
}

template <class V>
bool parallel(const V& a, const V& b, ScalarOf<V> tolerance) {
    return 1 - std::fabs(dot(normal(a), normal(b))) <= tolerance;
}

template <class T>
bool near(T a, T b, T tolerance) {
    return std::fabs(a - b) <= tolerance;
}

// x, y, z through the matrix's upper 3x3 (w = 0: directions ignore translation).
template <class V, class T>
V directionTimesMatrix(const V& v, const T m[4][4]) {
    return V(v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0],
             v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1],
             v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2]);
}

// The same as a column vector on the right of the matrix.
template <class V, class T>
V matrixTimesDirection(const T m[4][4], const V& v) {
    return V(m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
             m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
             m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z);
}

template <class P, class T>
P pointTimesMatrix(const P& p, const T m[4][4]) {
    return P(p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + p.w * m[3][0],
             p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + p.w * m[3][1],
             p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + p.w * m[3][2],
             p.x * m[0][3] + p.y * m[1][3] + p.z * m[2][3] + p.w * m[3][3]);
}

template <class P, class T>
P matrixTimesPoint(const T m[4][4], const P& p) {
    return P(m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3] * p.w,
             m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3] * p.w,
             m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3] * p.w,
             m[3][0] * p.x + m[3][1] * p.y + m[3][2] * p.z + m[3][3] * p.w);
}

template <class T>
void setIdentity(T m[4][4]) {
    // Copied whole: element by element, the compiler keeps the loop.
    static constexpr T kIdentity[4][4] = {{T(1), T(0), T(0), T(0)},
                                          {T(0), T(1), T(0), T(0)},
                                          {T(0), T(0), T(1), T(0)},
                                          {T(0), T(0), T(0), T(1)}};
    std::memcpy(m, kIdentity, sizeof kIdentity);
}

template <class From, class To>
void copyMatrix(const From from[4][4], To to[4][4]) {
    if constexpr (std::is_same_v<From, To>) {
        // In one block: left to itself the compiler copies element by
        // element, and a matrix is copied at nearly every product.
        std::memmove(to, from, sizeof(From[4][4]));
    } else {
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) {
                to[r][c] = static_cast<To>(from[r][c]);
            }
        }
    }
}

// out may alias either operand.
template <class T>
void product(const T a[4][4], const T b[4][4], T out[4][4]) {
    T result[4][4];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            result[r][c] =
                a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c] + a[r][3] * b[3][c];
        }
    }
    copyMatrix(result, out);
}

// Doubles two columns at a time (left: columns 0 and 1, right: 2 and 3).
// Each element is still the same four products summed left to right, so
// the result is the same to the bit; it takes about two thirds of the
// instructions, and a particle instancer takes ten products per particle
// and frame. b is read whole before out is written, and each row of a
// before its row of out, so out may alias either.
inline void product(const double a[4][4], const double b[4][4], double out[4][4]) {
    using Pair = double __attribute__((vector_size(2 * sizeof(double))));
    const auto pairAt = [](const double* from) {
        Pair pair;
        std::memcpy(&pair, from, sizeof pair);
        return pair;
    };
    const Pair left0 = pairAt(b[0]), left1 = pairAt(b[1]), left2 = pairAt(b[2]),
               left3 = pairAt(b[3]);
    const Pair right0 = pairAt(b[0] + 2), right1 = pairAt(b[1] + 2), right2 = pairAt(b[2] + 2),
               right3 = pairAt(b[3] + 2);
    for (int r = 0; r < 4; ++r) {
        const double x0 = a[r][0], x1 = a[r][1], x2 = a[r][2], x3 = a[r][3];
        const Pair left = x0 * left0 + x1 * left1 + x2 * left2 + x3 * left3;
        const Pair right = x0 * right0 + x1 * right1 + x2 * right2 + x3 * right3;
        std::memcpy(out[r], &left, sizeof left);
        std::memcpy(out[r] + 2, &right, sizeof right);
    }
}

template <class T>
void transposeOf(const T m[4][4], T out[4][4]) {
    T result[4][4];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            result[r][c] = m[c][r];
        }
    }
    copyMatrix(result, out);
}

template <class T>
T det3(T a, T b, T c, T d, T e, T f, T g, T h, T i) {
    return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
}

// Determinant of the 3x3 that remains when row `row` and column `col` are struck out.
template <class T>
T minorOf(const T m[4][4], int row, int col) {
    T v[9];
    int n = 0;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (r != row && c != col) {
                v[n++] = m[r][c];
            }
        }
    }
    return det3(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
}

template <class T>
T determinant4(const T m[4][4]) {
    T sum = 0;
    for (int c = 0; c < 4; ++c) {
        sum += ((c & 1) ? -m[0][c] : m[0][c]) * minorOf(m, 0, c);
    }
    return sum;
}

template <class T>
T determinant3(const T m[4][4]) {
    return det3(m[0][0], m[0][1], m[0][2], m[1][0], m[1][1], m[1][2], m[2][0], m[2][1], m[2][2]);
}

// Transposed matrix of cofactors (inverse times determinant).
template <class T>
void adjointOf(const T m[4][4], T out[4][4]) {
    T result[4][4];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            result[c][r] = (((r + c) & 1) ? -1 : 1) * minorOf(m, r, c);
        }
    }
    copyMatrix(result, out);
}

// Gauss-Jordan elimination with partial pivoting in double precision, which keeps the inverse of
// well-conditioned transforms accurate to rounding. Returns false (out untouched) when a pivot
// vanishes relative to the matrix's largest element.
template <class T>
bool inverseOf(const T m[4][4], T out[4][4]) {
    double a[4][8];
    double largest = 0.0;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            a[r][c] = static_cast<double>(m[r][c]);
            a[r][c + 4] = r == c ? 1.0 : 0.0;
            largest = std::fmax(largest, std::fabs(a[r][c]));
        }
    }
    const double tiny = largest * 1.0e-14;
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r) {
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) {
                pivot = r;
            }
        }
        if (!(std::fabs(a[pivot][col]) > tiny)) {
            return false;
        }
        if (pivot != col) {
            for (int c = 0; c < 8; ++c) {
                std::swap(a[pivot][c], a[col][c]);
            }
        }
        const double scale = 1.0 / a[col][col];
        for (int c = 0; c < 8; ++c) {
            a[col][c] *= scale;
        }
        for (int r = 0; r < 4; ++r) {
            if (r != col && a[r][col] != 0.0) {
                const double factor = a[r][col];
                for (int c = 0; c < 8; ++c) {
                    a[r][c] -= factor * a[col][c];
                }
            }
        }
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            out[r][c] = static_cast<T>(a[r][c + 4]);
        }
    }
    return true;
}

template <class T>
bool equivalent(const T a[4][4], const T b[4][4], T tolerance) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (!near(a[r][c], b[r][c], tolerance)) {
                return false;
            }
        }
    }
    return true;
}

template <class T>
bool exactlyEqual(const T a[4][4], const T b[4][4]) {
    return equivalent(a, b, T(0));
}

// "[[a, b, c, d], [...], [...], [...]]"
template <class T>
std::ostream& writeMatrix(std::ostream& os, const T m[4][4]) {
    os << "[";
    for (int r = 0; r < 4; ++r) {
        os << (r ? ", [" : "[") << m[r][0] << ", " << m[r][1] << ", " << m[r][2] << ", " << m[r][3]
           << "]";
    }
    return os << "]";
}

}  // namespace foundation
}  // namespace host
