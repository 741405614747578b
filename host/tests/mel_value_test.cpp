#include <gtest/gtest.h>

#include <climits>

#include "foundation/Numbers.h"
#include "script/Value.h"

namespace host::mel {
namespace {

TEST(MelValue, TextFormsAsTheScriptEditorShowsThem) {
    EXPECT_EQ(Value(1.5).text(), "1.5");
    EXPECT_EQ(Value(2.0).text(), "2");
    EXPECT_EQ(Value(-0.0).text(), "0");
    EXPECT_EQ(Value(1.0 / 3).text(), "0.333333");
    EXPECT_EQ(Value(1e20).text(), "1e+20");
    EXPECT_EQ(Value(-7).text(), "-7");
    EXPECT_EQ(Value(Vec3{1, 2.5, -3}).text(), "1 2.5 -3");
    EXPECT_EQ(Value(std::vector<std::string>{"a", "b c", ""}).text(), "a b c ");
    EXPECT_EQ(Value(std::vector<double>{0.5, 2}).text(), "0.5 2");
    Matrix m(2, 2);
    m.cells = {1, 2, 3, 4};
    EXPECT_EQ(Value(m).text(), "1 2 3 4");
}

TEST(MelValue, StringsReadTheirLeadingNumber) {
    EXPECT_EQ(Value("12abc").asInt(), 12);
    EXPECT_EQ(Value("  -3.9").asInt(), -3);
    EXPECT_EQ(Value("abc").asInt(), 0);
    EXPECT_DOUBLE_EQ(Value("1.5e2xyz").asFloat(), 150.0);
    EXPECT_DOUBLE_EQ(Value("2e").asFloat(), 2.0);
    EXPECT_DOUBLE_EQ(Value(".5").asFloat(), 0.5);
    EXPECT_DOUBLE_EQ(Value("").asFloat(), 0.0);
    // Out-of-range texts saturate instead of overflowing.
    EXPECT_EQ(Value("99999999999").asInt(), INT_MAX);
    EXPECT_EQ(Value("-99999999999").asInt(), INT_MIN);
}

TEST(MelValue, NumericConversionsTruncateAndSaturate) {
    EXPECT_EQ(Value(2.9).asInt(), 2);
    EXPECT_EQ(Value(-2.9).asInt(), -2);
    EXPECT_EQ(Value(1e300).asInt(), INT_MAX);
    EXPECT_EQ(foundation::truncToInt(0.0 / 0.0), 0);
    EXPECT_EQ(wrapInt(static_cast<long long>(INT_MAX) + 1), INT_MIN);
    EXPECT_EQ(Value(std::size_t{7}).type(), Type::Int);
}

TEST(MelValue, ConvertToFollowsMelRules) {
    Value out;
    ASSERT_TRUE(Value("3 4 5").convertTo(Type::Vector, out));
    EXPECT_EQ(out.asVector(), (Vec3{3, 4, 5}));
    ASSERT_TRUE(Value(2).convertTo(Type::Vector, out));
    EXPECT_EQ(out.asVector(), (Vec3{2, 2, 2}));
    ASSERT_TRUE(Value(Vec3{1, 2, 3}).convertTo(Type::String, out));
    EXPECT_EQ(out.str(), "1 2 3");
    ASSERT_TRUE(Value(std::vector<std::string>{"1", "2.5", "x"}).convertTo(Type::FloatArray, out));
    EXPECT_EQ(out.floatArray(), (std::vector<double>{1, 2.5, 0}));
    ASSERT_TRUE(Value(std::vector<int>{1, 2}).convertTo(Type::StringArray, out));
    EXPECT_EQ(out.stringArray(), (std::vector<std::string>{"1", "2"}));

    // A vector as a number is its length.
    ASSERT_TRUE(Value(Vec3{3, 4, 0}).convertTo(Type::Float, out));
    EXPECT_DOUBLE_EQ(out.asFloat(), 5);

    // What MEL refuses: arrays and scalars do not mix.
    EXPECT_FALSE(Value(std::vector<int>{1}).convertTo(Type::Int, out));
    EXPECT_FALSE(Value(1).convertTo(Type::IntArray, out));
    EXPECT_FALSE(Value(std::vector<int>{1}).convertTo(Type::VectorArray, out));
    EXPECT_FALSE(Value(Matrix(2, 1)).convertTo(Type::String, out));
    EXPECT_FALSE(Value(Matrix(1, 4)).convertTo(Type::Vector, out));
}

TEST(MelValue, ArraysGrowOnAssignmentAndReadDefaultsPastTheEnd) {
    Value a = Value::defaultOf(Type::StringArray);
    ASSERT_TRUE(a.setElement(2, Value(7)));
    EXPECT_EQ(a.stringArray(), (std::vector<std::string>{"", "", "7"}));
    EXPECT_EQ(a.element(10).str(), "");
    EXPECT_EQ(a.size(), 3u);
    EXPECT_FALSE(a.setElement(0, Value(std::vector<int>{1})));
    a.clearArray();
    EXPECT_EQ(a.size(), 0u);
    EXPECT_EQ(a.type(), Type::StringArray);
}

TEST(MelValue, CopiesOfArraysAreIndependent) {
    Value a(std::vector<int>{1, 2, 3});
    Value b = a;
    b.setElement(0, Value(9));
    EXPECT_EQ(a.intArray()[0], 1);
    EXPECT_EQ(b.intArray()[0], 9);
    Value m(Matrix(1, 1));
    Value n = m;
    n.mutableMatrix().at(0, 0) = 5;
    EXPECT_EQ(m.matrix().at(0, 0), 0);
}

TEST(MelValue, EqualityNeedsTheSameType) {
    EXPECT_EQ(Value(1), Value(1));
    EXPECT_NE(Value(1), Value(1.0));
    EXPECT_EQ(Value(std::vector<std::string>{"a"}), Value(std::vector<std::string>{"a"}));
    EXPECT_EQ(Value::typeName(Type::VectorArray), "vector[]");
}

}  // namespace
}  // namespace host::mel
