#include <gtest/gtest.h>
#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

const MEulerRotation::RotationOrder kOrders[] = {MEulerRotation::kXYZ, MEulerRotation::kYZX,
                                                 MEulerRotation::kZXY, MEulerRotation::kXZY,
                                                 MEulerRotation::kYXZ, MEulerRotation::kZYX};

MMatrix about(int axis, double angle) {
    double v[3] = {0, 0, 0};
    v[axis] = angle;
    return MEulerRotation(v).asMatrix();
}

// Angle triples that include every gimbal-lock neighbourhood for the middle axis.
std::vector<MVector> testAngles() {
    std::vector<MVector> angles;
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> any(-kPi, kPi);
    for (int i = 0; i < 60; ++i) {
        angles.emplace_back(any(rng), any(rng), any(rng));
    }
    for (double middle : {kPi / 2, -kPi / 2, kPi / 2 - 1e-7, kPi / 2 + 1e-9, -kPi / 2 + 1e-5}) {
        for (int axis = 0; axis < 3; ++axis) {
            MVector v(any(rng), any(rng), any(rng));
            v[axis] = middle;
            angles.push_back(v);
        }
    }
    angles.emplace_back(0, 0, 0);
    angles.emplace_back(kPi, 0, 0);
    return angles;
}

TEST(FoundationRotation, OrderValues) {
    EXPECT_EQ(0, MEulerRotation::kXYZ);
    EXPECT_EQ(1, MEulerRotation::kYZX);
    EXPECT_EQ(2, MEulerRotation::kZXY);
    EXPECT_EQ(3, MEulerRotation::kXZY);
    EXPECT_EQ(4, MEulerRotation::kYXZ);
    EXPECT_EQ(5, MEulerRotation::kZYX);
}

TEST(FoundationRotation, AxisRotationsAreRightHandedAndComposeInOrder) {
    EXPECT_TRUE((MVector::xAxis * about(2, kPi / 2)).isEquivalent(MVector::yAxis, 1e-15));
    EXPECT_TRUE((MVector::yAxis * about(0, kPi / 2)).isEquivalent(MVector::zAxis, 1e-15));
    EXPECT_TRUE((MVector::zAxis * about(1, kPi / 2)).isEquivalent(MVector::xAxis, 1e-15));

    const double a = 0.3, b = -1.1, c = 2.0;
    MMatrix rx = about(0, a), ry = about(1, b), rz = about(2, c);
    EXPECT_TRUE(
        MEulerRotation(a, b, c, MEulerRotation::kXYZ).asMatrix().isEquivalent(rx * ry * rz, 1e-15));
    EXPECT_TRUE(
        MEulerRotation(a, b, c, MEulerRotation::kZYX).asMatrix().isEquivalent(rz * ry * rx, 1e-15));
    EXPECT_TRUE(
        MEulerRotation(a, b, c, MEulerRotation::kYZX).asMatrix().isEquivalent(ry * rz * rx, 1e-15));
}

TEST(FoundationRotation, DecomposeReproducesTheMatrixInEveryOrder) {
    for (MEulerRotation::RotationOrder order : kOrders) {
        for (const MVector& v : testAngles()) {
            MMatrix m = MEulerRotation(v, order).asMatrix();
            MEulerRotation e = MEulerRotation::decompose(m, order);
            EXPECT_EQ(order, e.order);
            EXPECT_TRUE(e.asMatrix().isEquivalent(m, 1e-13))
                << "order " << order << " angles " << v << " got " << e;
        }
    }
}

TEST(FoundationRotation, DecomposeRecoversAnglesAwayFromGimbalLock) {
    // The middle angle of every order stays inside (-pi/2, pi/2), the range decompose returns.
    for (MEulerRotation::RotationOrder order : kOrders) {
        MEulerRotation e(0.4, -0.9, 1.2, order);
        EXPECT_TRUE(MEulerRotation::decompose(e.asMatrix(), order).isEquivalent(e, 1e-13));
    }
}

TEST(FoundationRotation, QuaternionAgreesWithMatrix) {
    for (MEulerRotation::RotationOrder order : kOrders) {
        for (const MVector& v : testAngles()) {
            MEulerRotation e(v, order);
            EXPECT_TRUE(e.asQuaternion().asMatrix().isEquivalent(e.asMatrix(), 1e-14));
            MQuaternion q;
            q = e.asMatrix();
            EXPECT_TRUE(q.asMatrix().isEquivalent(e.asMatrix(), 1e-14));
        }
    }
}

TEST(FoundationRotation, QuaternionProductComposesLikeMatrices) {
    MQuaternion a(0.7, MVector(1, 2, 3));
    MQuaternion b(-1.3, MVector(0, 1, -1));
    EXPECT_TRUE((a * b).asMatrix().isEquivalent(a.asMatrix() * b.asMatrix(), 1e-14));
    EXPECT_TRUE((a * a.inverse()).isEquivalent(MQuaternion::identity, 1e-15));
    EXPECT_TRUE(MVector(1, 0, 0).rotateBy(a).isEquivalent(MVector(1, 0, 0) * a.asMatrix()));
}

TEST(FoundationRotation, QuaternionBetweenVectors) {
    MVector from(1, 2, 0.5), to(-3, 0.2, 1);
    MQuaternion q(from, to);
    EXPECT_TRUE(from.rotateBy(q).normal().isEquivalent(to.normal(), 1e-14));
    MQuaternion half(from, to, 0.5);
    EXPECT_NEAR(from.angle(to) / 2, from.angle(from.rotateBy(half)), 1e-14);
    // Opposite vectors: a half turn about some perpendicular axis.
    MQuaternion flip(MVector::xAxis, MVector::xNegAxis);
    EXPECT_TRUE(MVector::xAxis.rotateBy(flip).isEquivalent(MVector::xNegAxis, 1e-15));
    EXPECT_EQ(MQuaternion::identity, MQuaternion(MVector::yAxis, MVector(0, 2, 0)));
}

TEST(FoundationRotation, AxisAngleRoundTrip) {
    MQuaternion q;
    q.setAxisAngle(MVector(0, 0, 2), 1.2);
    MVector axis;
    double angle = 0;
    EXPECT_TRUE(q.getAxisAngle(axis, angle));
    EXPECT_TRUE(axis.isEquivalent(MVector::zAxis, 1e-15));
    EXPECT_NEAR(1.2, angle, 1e-15);
    EXPECT_FALSE(MQuaternion::identity.getAxisAngle(axis, angle));
    EXPECT_EQ(0.0, angle);
}

TEST(FoundationRotation, SlerpMovesAlongTheShortArc) {
    MQuaternion a = MQuaternion::identity;
    MQuaternion b;
    b.setToZAxis(kPi / 2);
    MQuaternion mid = slerp(a, b, 0.5);
    EXPECT_TRUE(mid.isEquivalent(MQuaternion(kPi / 4, MVector::zAxis), 1e-15));
    // -b is the same rotation; the result must not go the long way round.
    EXPECT_TRUE(slerp(a, -b, 0.5).asMatrix().isEquivalent(mid.asMatrix(), 1e-15));
    EXPECT_TRUE(slerp(a, b, 1.0).isEquivalent(b, 1e-15));
}

TEST(FoundationRotation, ReorderKeepsTheOrientation) {
    MEulerRotation e(0.3, 1.2, -2.2, MEulerRotation::kXYZ);
    for (MEulerRotation::RotationOrder order : kOrders) {
        MEulerRotation r = e.reorder(order);
        EXPECT_EQ(order, r.order);
        EXPECT_TRUE(r.asMatrix().isEquivalent(e.asMatrix(), 1e-14));
    }
}

TEST(FoundationRotation, InverseUndoesTheRotation) {
    for (MEulerRotation::RotationOrder order : kOrders) {
        MEulerRotation e(0.5, -0.7, 1.9, order);
        EXPECT_TRUE((e.asMatrix() * e.inverse().asMatrix()).isEquivalent(MMatrix::identity, 1e-14));
        EXPECT_TRUE((e * e.inverse()).isZero(1e-14));
    }
}

TEST(FoundationRotation, AlternateAndClosestSolutions) {
    for (MEulerRotation::RotationOrder order : kOrders) {
        MEulerRotation e(0.5, -0.7, 1.9, order);
        MEulerRotation alt = e.alternateSolution();
        EXPECT_FALSE(alt.isEquivalent(e, 1e-3));
        EXPECT_TRUE(alt.asMatrix().isEquivalent(e.asMatrix(), 1e-14));
        EXPECT_TRUE(alt.closestSolution(e).isEquivalent(e, 1e-14));
    }
    MEulerRotation wound(0.1 + 4 * kPi, -0.2 - 2 * kPi, 0.3, MEulerRotation::kXYZ);
    EXPECT_TRUE(wound.closestCut(MEulerRotation::identity)
                    .isEquivalent(MEulerRotation(0.1, -0.2, 0.3), 1e-12));
    EXPECT_TRUE(MEulerRotation(3 * kPi / 2, 0, 0)
                    .bound()
                    .isEquivalent(MEulerRotation(-kPi / 2, 0, 0), 1e-15));
}

TEST(FoundationRotation, IncrementalRotateStaysContinuous) {
    MEulerRotation e(0, 0, 3.1);
    e.incrementalRotateBy(MVector::zAxis, 0.1);
    EXPECT_NEAR(3.2, e.z, 1e-14);
    EXPECT_NEAR(0.0, e.x, 1e-14);
}

TEST(FoundationRotation, VectorRotateByAxisAndOrder) {
    EXPECT_TRUE(MVector::xAxis.rotateBy(MVector::kZaxis, kPi / 2).isEquivalent(MVector::yAxis));
    const double rot[3] = {0, 0, kPi / 2};
    EXPECT_TRUE(
        MVector::xAxis.rotateBy(rot, MTransformationMatrix::kZYX).isEquivalent(MVector::yAxis));
    EXPECT_TRUE(
        MVector::xAxis.rotateTo(MVector::zAxis).asMatrix().isEquivalent(about(1, -kPi / 2), 1e-15));
}

}  // namespace
