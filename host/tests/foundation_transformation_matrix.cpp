#include <gtest/gtest.h>
#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

constexpr double kPi = 3.14159265358979323846;

const MTransformationMatrix::RotationOrder kOrders[] = {
    MTransformationMatrix::kXYZ, MTransformationMatrix::kYZX, MTransformationMatrix::kZXY,
    MTransformationMatrix::kXZY, MTransformationMatrix::kYXZ, MTransformationMatrix::kZYX};

MMatrix translate(const MVector& t) {
    MMatrix m;
    m.matrix[3][0] = t.x;
    m.matrix[3][1] = t.y;
    m.matrix[3][2] = t.z;
    return m;
}

MMatrix scale(const double s[3]) {
    MMatrix m;
    m.matrix[0][0] = s[0];
    m.matrix[1][1] = s[1];
    m.matrix[2][2] = s[2];
    return m;
}

MMatrix shear(const double sh[3]) {
    MMatrix m;
    m.matrix[1][0] = sh[0];
    m.matrix[2][0] = sh[1];
    m.matrix[2][1] = sh[2];
    return m;
}

struct Parts {
    double s[3];
    double sh[3];
    MEulerRotation r;
    MVector t;
    MMatrix matrix() const { return scale(s) * shear(sh) * r.asMatrix() * translate(t); }
};

Parts randomParts(std::mt19937& rng, bool negativeScale) {
    std::uniform_real_distribution<double> size(0.05, 20.0);
    std::uniform_real_distribution<double> skew(-2.0, 2.0);
    std::uniform_real_distribution<double> angle(-kPi, kPi);
    std::uniform_real_distribution<double> offset(-500.0, 500.0);
    std::uniform_int_distribution<int> order(0, 5);
    Parts p;
    for (int i = 0; i < 3; ++i) {
        p.s[i] = size(rng);
        p.sh[i] = skew(rng);
    }
    if (negativeScale) {
        p.s[std::uniform_int_distribution<int>(0, 2)(rng)] *= -1.0;
    }
    p.r = MEulerRotation(angle(rng), angle(rng), angle(rng),
                         static_cast<MEulerRotation::RotationOrder>(order(rng)));
    p.t = MVector(offset(rng), offset(rng), offset(rng));
    return p;
}

// Each row is compared relative to its own size: the translation row can be large without
// loosening the check on the 3x3 part.
void expectSameMatrix(const MMatrix& expected, const MMatrix& actual) {
    for (int r = 0; r < 4; ++r) {
        double size = 1.0;
        for (int c = 0; c < 4; ++c) {
            size = std::fmax(size, std::fabs(expected(r, c)));
        }
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(expected(r, c), actual(r, c), 1e-12 * size)
                << "row " << r << " col " << c << "\n"
                << expected << "\n"
                << actual;
        }
    }
}

TEST(FoundationTransformationMatrix, OrderValuesAreTheEulerOrdersShifted) {
    EXPECT_EQ(0, MTransformationMatrix::kInvalid);
    EXPECT_EQ(1, MTransformationMatrix::kXYZ);
    EXPECT_EQ(6, MTransformationMatrix::kZYX);
    EXPECT_EQ(7, MTransformationMatrix::kLast);
    EXPECT_EQ(4, MSpace::kWorld);
    EXPECT_EQ(MSpace::kPreTransform, MSpace::kObject);
}

TEST(FoundationTransformationMatrix, DecompositionReproducesAffineMatrices) {
    std::mt19937 rng(2008);
    for (int i = 0; i < 500; ++i) {
        const MMatrix m = randomParts(rng, i % 2 == 1).matrix();
        const MTransformationMatrix tm(m);
        expectSameMatrix(m, tm.asMatrix());
        expectSameMatrix(m.inverse(), tm.asMatrixInverse());
    }
}

TEST(FoundationTransformationMatrix, DecompositionRecoversPositiveComponents) {
    std::mt19937 rng(1);
    for (int i = 0; i < 200; ++i) {
        const Parts p = randomParts(rng, false);
        const MTransformationMatrix tm(p.matrix());
        double s[3], sh[3];
        ASSERT_TRUE(tm.getScale(s, MSpace::kTransform));
        ASSERT_TRUE(tm.getShear(sh, MSpace::kTransform));
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(p.s[k], s[k], 1e-12 * std::fabs(p.s[k]) + 1e-13);
            EXPECT_NEAR(p.sh[k], sh[k], 1e-11);
        }
        EXPECT_TRUE(tm.getTranslation(MSpace::kTransform).isEquivalent(p.t, 0.0));
        EXPECT_TRUE(tm.rotation().asMatrix().isEquivalent(p.r.asMatrix(), 1e-12));
    }
}

TEST(FoundationTransformationMatrix, MirroringTurnsIntoNegativeScaleOnEveryAxis) {
    const double mirrorX[3] = {-2.0, 3.0, 4.0};
    const MMatrix m = scale(mirrorX) * MEulerRotation(0.2, 0.4, 0.6).asMatrix();
    const MTransformationMatrix tm(m);
    double s[3];
    tm.getScale(s, MSpace::kWorld);
    EXPECT_NEAR(-2.0, s[0], 1e-14);
    EXPECT_NEAR(-3.0, s[1], 1e-14);
    EXPECT_NEAR(-4.0, s[2], 1e-14);
    expectSameMatrix(m, tm.asMatrix());
}

TEST(FoundationTransformationMatrix, RotationReadsBackInTheMatrixOrder) {
    const MMatrix m = MEulerRotation(0.1, 0.2, 0.3).asMatrix() * translate(MVector(1, 2, 3));
    const MTransformationMatrix tm(m);
    double r[3];
    MTransformationMatrix::RotationOrder order = MTransformationMatrix::kInvalid;
    ASSERT_TRUE(tm.getRotation(r, order));
    EXPECT_EQ(MTransformationMatrix::kXYZ, order);
    EXPECT_NEAR(0.1, r[0], 1e-15);
    EXPECT_NEAR(0.2, r[1], 1e-15);
    EXPECT_NEAR(0.3, r[2], 1e-15);
}

TEST(FoundationTransformationMatrix, ReorderKeepsTheMatrixForEveryOrder) {
    std::mt19937 rng(5);
    const MMatrix m = randomParts(rng, true).matrix();
    for (MTransformationMatrix::RotationOrder order : kOrders) {
        MTransformationMatrix tm(m);
        ASSERT_TRUE(tm.reorderRotation(order));
        EXPECT_EQ(order, tm.rotationOrder());
        EXPECT_EQ(order - 1, tm.eulerRotation().order);
        expectSameMatrix(m, tm.asMatrix());
    }
    MTransformationMatrix tm(m);
    EXPECT_EQ(MS::kInvalidParameter, tm.reorderRotation(MTransformationMatrix::kLast).statusCode());
}

TEST(FoundationTransformationMatrix, SetRotationUsesTheGivenOrder) {
    const double r[3] = {0.7, -0.4, 2.5};
    for (MTransformationMatrix::RotationOrder order : kOrders) {
        MTransformationMatrix tm;
        ASSERT_TRUE(tm.setRotation(r, order));
        EXPECT_EQ(order, tm.rotationOrder());
        const MEulerRotation e(r, static_cast<MEulerRotation::RotationOrder>(order - 1));
        EXPECT_TRUE(tm.asMatrix().isEquivalent(e.asMatrix(), 1e-15));
    }
    MTransformationMatrix tm;
    EXPECT_EQ(MS::kInvalidParameter,
              tm.setRotation(r, MTransformationMatrix::kInvalid).statusCode());
}

TEST(FoundationTransformationMatrix, QuaternionRotationAccessors) {
    MTransformationMatrix tm;
    const MQuaternion q(1.1, MVector(1, -2, 0.5));
    tm.setRotationQuaternion(q.x, q.y, q.z, q.w);
    double x, y, z, w;
    tm.getRotationQuaternion(x, y, z, w);
    EXPECT_TRUE(MQuaternion(x, y, z, w).asMatrix().isEquivalent(q.asMatrix(), 1e-14));

    tm.rotateBy(MQuaternion(0.5, MVector::zAxis), MSpace::kTransform);
    EXPECT_TRUE(tm.asMatrix().isEquivalent(
        q.asMatrix() * MQuaternion(0.5, MVector::zAxis).asMatrix(), 1e-14));
    MTransformationMatrix before;
    before.rotateTo(q);
    before.rotateBy(MQuaternion(0.5, MVector::zAxis), MSpace::kObject);
    EXPECT_TRUE(before.asMatrix().isEquivalent(
        MQuaternion(0.5, MVector::zAxis).asMatrix() * q.asMatrix(), 1e-14));
}

TEST(FoundationTransformationMatrix, ComposesAllComponentsInTheHostOrder) {
    MTransformationMatrix tm;
    const double s[3] = {2, 3, 4};
    const double sh[3] = {0.1, 0.2, 0.3};
    const double r[3] = {0.3, 0.2, 0.1};
    const MVector sp(1, 2, 3), st(0.5, 0, 0), rp(-1, 0, 2), rt(0, 0.25, 0), t(10, 20, 30);
    const MQuaternion ro(0.4, MVector(1, 1, 0));
    tm.setScale(s, MSpace::kTransform);
    tm.setShear(sh, MSpace::kTransform);
    tm.setRotation(r, MTransformationMatrix::kYZX);
    tm.setRotationOrientation(ro);
    tm.setScalePivot(MPoint(sp), MSpace::kTransform, false);
    tm.setScalePivotTranslation(st, MSpace::kTransform);
    tm.setRotatePivot(MPoint(rp), MSpace::kTransform, false);
    tm.setRotatePivotTranslation(rt, MSpace::kTransform);
    tm.setTranslation(t, MSpace::kTransform);

    const MMatrix expected = translate(-sp) * scale(s) * shear(sh) * translate(sp) * translate(st) *
                             translate(-rp) * ro.asMatrix() *
                             MEulerRotation(r, MEulerRotation::kYZX).asMatrix() * translate(rp) *
                             translate(rt) * translate(t);
    expectSameMatrix(expected, tm.asMatrix());
    expectSameMatrix(tm.asScaleMatrix() * tm.asRotateMatrix() * translate(t), tm.asMatrix());

    // The rotate pivot is a fixed point of the rotation stage.
    EXPECT_TRUE((MPoint(rp) * tm.asRotateMatrix()).isEquivalent(MPoint(rp + rt), 1e-13));
    EXPECT_TRUE(tm.rotatePivot(MSpace::kWorld).isEquivalent(MPoint(rp + rt + t), 1e-13));
    EXPECT_TRUE(tm.rotatePivot(MSpace::kTransform).isEquivalent(MPoint(rp), 0.0));
}

// The instancer composes a particle's matrix from these parts, with the
// rotation and translation at rest computed once for all particles: the
// product must be asMatrix() to the bit, signed zeros and NaNs included.
TEST(FoundationTransformationMatrix, ScaleAndShearAloneComposeToTheBit) {
    const double nan = std::nan(""), inf = HUGE_VAL;
    const double scales[][3] = {{1, 1, 1}, {-0.0, 2, -3}, {nan, 1, 0}, {inf, -inf, 1e-310}};
    const double shears[][3] = {{0, 0, 0}, {-0.0, -0.0, -0.0}, {0.5, nan, -2}, {inf, 0, -0.0}};
    const MMatrix restRotation = MTransformationMatrix().asRotateMatrix();
    for (const auto& s : scales) {
        for (const auto& h : shears) {
            MTransformationMatrix tm;
            tm.setScale(s, MSpace::kTransform);
            tm.setShear(h, MSpace::kTransform);
            const MMatrix parts = tm.asScaleMatrix() * restRotation * MMatrix();
            const MMatrix whole = tm.asMatrix();
            EXPECT_EQ(std::memcmp(parts.matrix, whole.matrix, sizeof whole.matrix), 0)
                << s[0] << " " << s[1] << " " << s[2] << " / " << h[0] << " " << h[1] << " "
                << h[2];
        }
    }
}

// Without pivots the scale matrix is written out rather than multiplied;
// it must still be the product of its five factors to the bit, and the
// instancer leaves out the rest factors whenever they would give it back
// unchanged (finite, no -0), which needs them to be the identity.
TEST(FoundationTransformationMatrix, UnpivotedScaleMatrixIsTheProductToTheBit) {
    const double nan = std::nan(""), inf = HUGE_VAL, tiny = 1e-310, huge = 1e300;
    const double values[] = {0.0, -0.0, 1.0, -2.5, tiny, -tiny, huge, -huge, inf, -inf, nan};
    const MMatrix restRotation = MTransformationMatrix().asRotateMatrix();
    EXPECT_EQ(std::memcmp(restRotation.matrix, MMatrix().matrix, sizeof restRotation.matrix), 0);
    const auto sameBits = [](const MMatrix& a, const MMatrix& b) {
        return std::memcmp(a.matrix, b.matrix, sizeof a.matrix) == 0;
    };
    int shortened = 0;
    for (double a : values) {
        for (double b : values) {
            // Every value meets every other as a scale and as the shear it multiplies.
            const double s[3] = {a, b, a};
            const double h[3] = {b, a, 1e-20};
            MTransformationMatrix tm;
            tm.setScale(s, MSpace::kTransform);
            tm.setShear(h, MSpace::kTransform);
            const MMatrix written = tm.asScaleMatrix();
            const MMatrix multiplied = translate(MVector(-0.0, -0.0, -0.0)) * scale(s) * shear(h) *
                                       translate(MVector::zero) * translate(MVector::zero);
            EXPECT_TRUE(sameBits(written, multiplied)) << a << " " << b << "\n" << written;

            bool kept = true;
            for (const auto& row : written.matrix) {
                for (double v : row) {
                    kept = kept && std::isfinite(v) && !(v == 0.0 && std::signbit(v));
                }
            }
            if (kept) {
                ++shortened;
                EXPECT_TRUE(sameBits(written * restRotation * MMatrix(), written)) << a << " " << b;
            }
        }
    }
    EXPECT_GT(shortened, 0);
}

TEST(FoundationTransformationMatrix, BalancedPivotMovesKeepTheMatrix) {
    std::mt19937 rng(9);
    MTransformationMatrix tm(randomParts(rng, false).matrix());
    const MMatrix before = tm.asMatrix();
    ASSERT_TRUE(tm.setRotatePivot(MPoint(3, -2, 1), MSpace::kTransform, true));
    ASSERT_TRUE(tm.setScalePivot(MPoint(-1, 4, 2), MSpace::kTransform, true));
    expectSameMatrix(before, tm.asMatrix());
    EXPECT_TRUE(tm.rotatePivot(MSpace::kObject).isEquivalent(MPoint(3, -2, 1), 0.0));

    ASSERT_TRUE(tm.setRotatePivot(MPoint(0, 0, 0), MSpace::kTransform, false));
    EXPECT_FALSE(tm.asMatrix().isEquivalent(before, 1e-6));
}

TEST(FoundationTransformationMatrix, WorldPivotSetterInvertsTheGetter) {
    std::mt19937 rng(12);
    MTransformationMatrix tm(randomParts(rng, false).matrix());
    tm.setRotatePivot(MPoint(4, 5, 6), MSpace::kWorld, false);
    EXPECT_TRUE(tm.rotatePivot(MSpace::kWorld).isEquivalent(MPoint(4, 5, 6), 1e-12));
    tm.setScalePivot(MPoint(-4, 1, 2), MSpace::kWorld, false);
    EXPECT_TRUE(tm.scalePivot(MSpace::kWorld).isEquivalent(MPoint(-4, 1, 2), 1e-10));
}

TEST(FoundationTransformationMatrix, TranslationInObjectSpace) {
    const double s[3] = {2, 2, 2};
    MTransformationMatrix tm;
    tm.setScale(s, MSpace::kTransform);
    tm.setTranslation(MVector(1, 0, 0), MSpace::kObject);
    EXPECT_TRUE(tm.getTranslation(MSpace::kTransform).isEquivalent(MVector(2, 0, 0), 1e-15));
    EXPECT_TRUE(tm.getTranslation(MSpace::kObject).isEquivalent(MVector(1, 0, 0), 1e-15));
    tm.addTranslation(MVector(0, 1, 0), MSpace::kTransform);
    EXPECT_TRUE(tm.getTranslation(MSpace::kWorld).isEquivalent(MVector(2, 1, 0), 1e-15));
}

TEST(FoundationTransformationMatrix, RejectsInvalidSpacesAndNullArrays) {
    MTransformationMatrix tm;
    double v[3];
    MStatus status;
    tm.getTranslation(MSpace::kInvalid, &status);
    EXPECT_EQ(MS::kInvalidParameter, status.statusCode());
    EXPECT_EQ(MS::kInvalidParameter, tm.getScale(v, MSpace::kLast).statusCode());
    EXPECT_EQ(MS::kInvalidParameter, tm.getScale(nullptr, MSpace::kTransform).statusCode());
    EXPECT_EQ(MS::kInvalidParameter, tm.setShear(nullptr, MSpace::kTransform).statusCode());
    EXPECT_EQ(MS::kInvalidParameter, tm.setToRotationAxis(MVector::zero, 1.0).statusCode());
    tm.rotatePivot(MSpace::kTransform, &status);
    EXPECT_TRUE(status);
}

TEST(FoundationTransformationMatrix, DegenerateMatricesDecomposeToFiniteValues) {
    const double flat[3] = {1.0, 0.0, 2.0};
    const MMatrix m = scale(flat) * MEulerRotation(0.3, 0.1, 0.2).asMatrix();
    const MTransformationMatrix tm(m);
    double s[3], r[3];
    MTransformationMatrix::RotationOrder order;
    tm.getScale(s, MSpace::kTransform);
    tm.getRotation(r, order);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(std::isfinite(s[i]));
        EXPECT_TRUE(std::isfinite(r[i]));
    }
    EXPECT_EQ(0.0, s[1]);
    expectSameMatrix(m, tm.asMatrix());

    const MMatrix nothing = MMatrix() * 0.0;
    const MMatrix collapsed = MTransformationMatrix(nothing).asMatrix();
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(0.0, collapsed(r, c));
        }
    }
}

TEST(FoundationTransformationMatrix, PartialMatrixRunsFromRestToFull) {
    std::mt19937 rng(4);
    MTransformationMatrix tm(randomParts(rng, false).matrix());
    expectSameMatrix(MMatrix::identity, tm.asMatrix(0.0));
    expectSameMatrix(tm.asMatrix(), tm.asMatrix(1.0));
}

TEST(FoundationTransformationMatrix, ScaleEditing) {
    MTransformationMatrix tm;
    const double s[3] = {2, 3, 4};
    tm.setScale(s, MSpace::kTransform);
    tm.addScale(s, MSpace::kTransform);
    double out[3];
    tm.getScale(out, MSpace::kTransform);
    EXPECT_EQ(4.0, out[0]);
    EXPECT_EQ(16.0, out[2]);
    EXPECT_TRUE(tm.isEquivalent(tm));
    EXPECT_FALSE(tm == MTransformationMatrix::identity);
    EXPECT_TRUE(MTransformationMatrix() == MTransformationMatrix::identity);
}

}  // namespace
