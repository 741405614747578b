#include <gtest/gtest.h>
#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <random>
#include <sstream>

namespace {

constexpr double kPi = 3.14159265358979323846;

MMatrix fromRows(std::initializer_list<std::initializer_list<double>> rows) {
    MMatrix m;
    int r = 0;
    for (const auto& row : rows) {
        int c = 0;
        for (double v : row) {
            m.matrix[r][c++] = v;
        }
        ++r;
    }
    return m;
}

MMatrix randomAffine(std::mt19937& rng) {
    std::uniform_real_distribution<double> value(-3.0, 3.0);
    MMatrix m;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            m.matrix[r][c] = value(rng);
        }
    }
    return m;
}

TEST(FoundationLinear, VectorProducts) {
    EXPECT_EQ(MVector::zAxis, MVector::xAxis ^ MVector::yAxis);
    EXPECT_EQ(32.0, MVector(1, 2, 3) * MVector(4, 5, 6));
    EXPECT_EQ(MVector(2, 4, 6), 2 * MVector(1, 2, 3));
    EXPECT_DOUBLE_EQ(5.0, MVector(3, 4, 0).length());
    EXPECT_TRUE(MVector(0, 3, 4).normal().isEquivalent(MVector(0, 0.6, 0.8)));
    MVector zero;
    EXPECT_EQ(MS::kFailure, zero.normalize().statusCode());
    EXPECT_EQ(MVector::zero, zero);
}

TEST(FoundationLinear, AngleStaysAccurateForTinyAngles) {
    const double tiny = 1.0e-9;
    EXPECT_NEAR(tiny, MVector::xAxis.angle(MVector(std::cos(tiny), std::sin(tiny), 0)), 1e-20);
    EXPECT_NEAR(kPi / 2, MVector::xAxis.angle(MVector::yAxis), 1e-15);
}

TEST(FoundationLinear, ParallelIncludesOpposite) {
    EXPECT_TRUE(MVector(1, 2, 3).isParallel(MVector(-2, -4, -6)));
    EXPECT_FALSE(MVector(1, 2, 3).isParallel(MVector(1, 2, 3.001)));
}

TEST(FoundationLinear, PointsTakeTranslationDirectionsDoNot) {
    MMatrix m = fromRows({{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {10, 20, 30, 1}});
    EXPECT_EQ(MPoint(10, 21, 30), MPoint(1, 0, 0) * m);
    EXPECT_EQ(MVector(0, 1, 0), MVector(1, 0, 0) * m);
    // A matrix on the left takes a column vector.
    EXPECT_EQ(MVector(0, -1, 0), m * MVector(1, 0, 0));
    EXPECT_EQ(MPoint(0, -1, 0, 11), m * MPoint(1, 0, 0));
}

TEST(FoundationLinear, ProductAppliesLeftFirst) {
    std::mt19937 rng(7);
    MMatrix a = randomAffine(rng);
    MMatrix b = randomAffine(rng);
    MPoint p(0.3, -1.2, 2.5);
    MPoint viaProduct = p * (a * b);
    MPoint stepwise = (p * a) * b;
    EXPECT_TRUE(viaProduct.isEquivalent(stepwise, 1e-12));

    MMatrix aliased = a;
    aliased.setToProduct(aliased, b);
    EXPECT_TRUE(aliased.isEquivalent(a * b, 0.0));
    MMatrix acc = a;
    acc *= b;
    EXPECT_EQ(a * b, acc);
}

// Every element is the row-by-column sum taken left to right, to the bit:
// signed zeros, infinities and rounding as the plain sum has them, so a
// scene's saved numbers do not depend on how the product is worked out.
TEST(FoundationLinear, ProductIsTheLeftToRightSumToTheBit) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> value(-3.0, 3.0);
    const double special[] = {0.0, -0.0, 1.0, -1.0, 1e-310, 1e300, -1e300, HUGE_VAL, -HUGE_VAL};
    auto pick = [&] { return rng() % 3 == 0 ? special[rng() % std::size(special)] : value(rng); };
    auto sameBits = [](const MMatrix& x, const MMatrix& y) {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                const double u = x.matrix[r][c], v = y.matrix[r][c];
                if (std::isnan(u) && std::isnan(v))
                    continue;
                if (std::memcmp(&u, &v, sizeof u) != 0)
                    return false;
            }
        return true;
    };
    for (int trial = 0; trial < 2000; ++trial) {
        MMatrix a, b, expected;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                a.matrix[r][c] = pick();
                b.matrix[r][c] = pick();
            }
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                double sum = a.matrix[r][0] * b.matrix[0][c];
                for (int k = 1; k < 4; ++k)
                    sum += a.matrix[r][k] * b.matrix[k][c];
                expected.matrix[r][c] = sum;
            }
        ASSERT_TRUE(sameBits(a * b, expected)) << "trial " << trial;
        MMatrix intoLeft = a;
        intoLeft.setToProduct(intoLeft, b);
        MMatrix intoRight = b;
        intoRight.setToProduct(a, intoRight);
        ASSERT_TRUE(sameBits(intoLeft, expected) && sameBits(intoRight, expected))
            << "trial " << trial;
    }
}

TEST(FoundationLinear, InverseOfAffineMatricesIsExactToRounding) {
    std::mt19937 rng(11);
    for (int i = 0; i < 200; ++i) {
        MMatrix m = randomAffine(rng);
        if (std::fabs(m.det3x3()) < 0.1) {
            continue;
        }
        EXPECT_TRUE((m * m.inverse()).isEquivalent(MMatrix::identity, 1e-12)) << m;
        EXPECT_TRUE((m.inverse() * m).isEquivalent(MMatrix::identity, 1e-12)) << m;
    }
}

TEST(FoundationLinear, SingularMatrixHasNoInverse) {
    MMatrix flat = fromRows({{1, 2, 3, 0}, {2, 4, 6, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}});
    EXPECT_TRUE(flat.isSingular());
    EXPECT_EQ(MMatrix::identity, flat.inverse());
    EXPECT_EQ(0.0, flat.det4x4());
    EXPECT_FALSE(MMatrix::identity.isSingular());
}

TEST(FoundationLinear, DeterminantsAdjointTranspose) {
    MMatrix m = fromRows({{2, 0, 0, 0}, {1, 3, 0, 0}, {4, 5, 6, 0}, {7, 8, 9, 1}});
    EXPECT_DOUBLE_EQ(36.0, m.det4x4());
    EXPECT_DOUBLE_EQ(36.0, m.det3x3());
    EXPECT_TRUE(m.adjoint().isEquivalent(m.inverse() * m.det4x4(), 1e-12));
    EXPECT_EQ(8.0, m.transpose()(1, 3));
    EXPECT_EQ(m, m.transpose().transpose());
    EXPECT_EQ(5.0, m[2][1]);
}

TEST(FoundationLinear, NormalsStayPerpendicularUnderNonUniformScale) {
    MMatrix squash = fromRows({{4, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}});
    MVector tangent = MVector(1, -1, 0) * squash;
    MVector n = MVector(1, 1, 0).transformAsNormal(squash);
    EXPECT_NEAR(0.0, n * tangent, 1e-12);
    EXPECT_NEAR(1.0, n.length(), 1e-12);
}

TEST(FoundationLinear, FloatTypesFollowTheSameRules) {
    MFloatMatrix m;
    m.matrix[3][0] = 5.0f;
    m.matrix[0][0] = 2.0f;
    EXPECT_EQ(MFloatPoint(7, 0, 0), MFloatPoint(1, 0, 0) * m);
    EXPECT_EQ(MFloatVector(2, 0, 0), MFloatVector(1, 0, 0) * m);
    EXPECT_TRUE((m * m.inverse()).isEquivalent(MFloatMatrix::identity));
    EXPECT_EQ(MFloatVector::zAxis, MFloatVector::xAxis ^ MFloatVector::yAxis);
    MFloatPoint cast;
    cast.setCast(MPoint(1.0, 2.0, 3.0));
    EXPECT_EQ(MFloatPoint(1, 2, 3), cast);
}

TEST(FoundationLinear, PointArithmetic) {
    MPoint a(1, 2, 3);
    MPoint b(4, 6, 3);
    EXPECT_EQ(MVector(3, 4, 0), b - a);
    EXPECT_DOUBLE_EQ(5.0, a.distanceTo(b));
    EXPECT_EQ(b, a + MVector(3, 4, 0));
    MPoint rational(2, 4, 6, 2);
    rational.cartesianize();
    EXPECT_EQ(MPoint(1, 2, 3, 1), rational);
}

TEST(FoundationLinear, StreamFormats) {
    std::ostringstream out;
    out << MVector(1, 2, 3) << " " << MPoint(1, 2, 3) << " " << MMatrix::identity;
    EXPECT_EQ("[1, 2, 3] [1, 2, 3, 1] [[1, 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0], [0, 0, 0, 1]]",
              out.str());
}

}  // namespace
