#include <gtest/gtest.h>
#include <maya/MDoubleArray.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MIntArray.h>
#include <maya/MMatrixArray.h>
#include <maya/MPointArray.h>
#include <maya/MStringArray.h>
#include <maya/MTimeArray.h>
#include <maya/MUintArray.h>
#include <maya/MVectorArray.h>

#include <sstream>

namespace {

TEST(FoundationArrays, EditsInPlace) {
    MIntArray a(3, 7);
    ASSERT_EQ(3u, a.length());
    EXPECT_EQ(7, a[2]);

    EXPECT_TRUE(a.append(9));
    EXPECT_TRUE(a.insert(1, 0));
    EXPECT_TRUE(a.insert(5, a.length()));  // inserting at the end appends
    EXPECT_TRUE(a.remove(2));
    EXPECT_TRUE(a.set(-1, 0));
    const int expected[] = {-1, 7, 7, 9, 5};
    ASSERT_EQ(5u, a.length());
    for (unsigned int i = 0; i < a.length(); ++i) {
        EXPECT_EQ(expected[i], a[i]) << i;
    }
}

TEST(FoundationArrays, RejectsIndicesOutsideAndStaysUnchanged) {
    MIntArray a(2, 1);
    EXPECT_EQ(MS::kFailure, a.set(5, 2).statusCode());
    EXPECT_EQ(MS::kFailure, a.remove(2).statusCode());
    EXPECT_EQ(MS::kFailure, a.insert(5, 3).statusCode());
    EXPECT_EQ(2u, a.length());
    EXPECT_EQ(1, a[0]);
    EXPECT_EQ(1, a[1]);
}

TEST(FoundationArrays, GrowsWithDefaultElementsAndCopies) {
    MDoubleArray d;
    d.append(1.5);
    d.setLength(3);
    EXPECT_EQ(1.5, d[0]);
    EXPECT_EQ(0.0, d[2]);

    MDoubleArray copy(d);
    copy[0] = 2.0;
    EXPECT_EQ(1.5, d[0]);
    MDoubleArray other;
    other.copy(copy);
    EXPECT_EQ(2.0, other[0]);
    other.clear();
    EXPECT_EQ(0u, other.length());
    EXPECT_EQ(3u, copy.length());

    MUintArray u(2, 4u);
    u.setLength(1);
    EXPECT_EQ(1u, u.length());
}

TEST(FoundationArrays, ConvertsFromAndToCArrays) {
    const float src[] = {0.5f, 1.5f};
    MDoubleArray d(src, 2);
    ASSERT_EQ(2u, d.length());
    EXPECT_EQ(1.5, d[1]);
    float back[2] = {};
    d.get(back);
    EXPECT_EQ(0.5f, back[0]);

    const double dsrc[] = {3.0};
    MFloatArray f(dsrc, 1);
    EXPECT_EQ(3.0f, f[0]);

    const char* names[] = {"a", "b"};
    MStringArray s(names, 2);
    EXPECT_STREQ("b", s[1].asChar());
}

TEST(FoundationArrays, PointArraysDefaultToTheOrigin) {
    MPointArray points(2);
    EXPECT_EQ(MPoint::origin, points[1]);
    points.setLength(3);
    EXPECT_EQ(1.0, points[2].w);
    points.append(1.0, 2.0);
    EXPECT_EQ(MPoint(1.0, 2.0, 0.0, 1.0), points[3]);
    points.set(MVector(4.0, 5.0, 6.0), 0);
    double out[4][4];
    points.get(out);
    EXPECT_EQ(6.0, out[0][2]);
    EXPECT_EQ(1.0, out[0][3]);

    const float fsrc[][4] = {{1, 2, 3, 2}};
    MFloatPointArray fp(fsrc, 1);
    EXPECT_EQ(2.0f, fp[0].w);

    MVectorArray vectors(1);
    EXPECT_EQ(MVector::zero, vectors[0]);
    const double vsrc[][3] = {{1, 2, 3}};
    vectors = MVectorArray(vsrc, 1);
    EXPECT_EQ(MVector(1, 2, 3), vectors[0]);

    MFloatVectorArray fv(1, MFloatVector(1, 1, 1));
    float fout[1][3];
    fv.get(fout);
    EXPECT_EQ(1.0f, fout[0][2]);
}

TEST(FoundationArrays, MatrixAndTimeArrays) {
    MMatrixArray matrices(2);
    EXPECT_EQ(MMatrix::identity, matrices[1]);
    const double m[4][4] = {{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 2, 0}, {1, 2, 3, 1}};
    matrices.set(m, 0);
    EXPECT_EQ(3.0, matrices[0](3, 2));

    MTimeArray times(2, MTime(5.0, MTime::kFilm));
    times.append(MTime(1.0, MTime::kSeconds));
    ASSERT_EQ(3u, times.length());
    EXPECT_EQ(MTime(24.0, MTime::kFilm), times[2]);
}

TEST(FoundationArrays, StreamAsBracketedLists) {
    MIntArray a;
    a.append(1);
    a.append(2);
    std::ostringstream out;
    out << a << MIntArray();
    EXPECT_EQ("[1, 2][]", out.str());
}

}  // namespace
