#include <gtest/gtest.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <sstream>
#include <string>

namespace {

TEST(FoundationString, BuildsAndConcatenates) {
    MString s("abc");
    s += "def";
    s += MString("!");
    EXPECT_EQ(MString("abcdef!"), s);
    EXPECT_TRUE("x" + s == "xabcdef!");
    EXPECT_TRUE(s + "y" == "abcdef!y");
    EXPECT_EQ(7u, s.length());

    MString n("n=");
    n += 3;
    n += " f=";
    n += 1.5;
    EXPECT_STREQ("n=3 f=1.5", n.asChar());
    EXPECT_STREQ("v2", (MString("v") + 2).asChar());

    MString fromNull(static_cast<const char*>(nullptr));
    EXPECT_EQ(0u, fromNull.length());
    EXPECT_STREQ("", fromNull.asChar());
}

TEST(FoundationString, KeepsGivenLengthIncludingNulBytes) {
    MString s("ab\0cd", 5);
    int length = 0;
    s.asChar(length);
    EXPECT_EQ(5, length);
    EXPECT_EQ(5u, s.length());
    EXPECT_NE(MString("ab"), s);
}

TEST(FoundationString, Compares) {
    EXPECT_TRUE(MString("a") == "a");
    EXPECT_TRUE(MString("a") != "b");
}

TEST(FoundationString, SubstringIsInclusiveAndClipped) {
    MString s("pSphere1");
    EXPECT_STREQ("Sph", s.substring(1, 3).asChar());
    EXPECT_STREQ("ere1", s.substring(4, 100).asChar());
    EXPECT_STREQ("pS", s.substring(-5, 1).asChar());
    EXPECT_STREQ("", s.substring(5, 2).asChar());
    EXPECT_STREQ("", MString().substring(0, 0).asChar());
}

TEST(FoundationString, FindsCharacters) {
    MString s("a.b.c");
    EXPECT_EQ(1, s.index('.'));
    EXPECT_EQ(3, s.rindex('.'));
    EXPECT_EQ(-1, s.index('x'));
}

TEST(FoundationString, SplitDropsEmptyPieces) {
    MStringArray parts;
    parts.append("stale");
    EXPECT_EQ(MS::kSuccess, MString("|a||b|c|").split('|', parts).statusCode());
    ASSERT_EQ(3u, parts.length());
    EXPECT_STREQ("a", parts[0].asChar());
    EXPECT_STREQ("b", parts[1].asChar());
    EXPECT_STREQ("c", parts[2].asChar());

    MString("").split(',', parts);
    EXPECT_EQ(0u, parts.length());
}

TEST(FoundationString, ChangesCase) {
    MString s("MixedCase1");
    EXPECT_STREQ("mixedcase1", s.toLowerCase().asChar());
    EXPECT_STREQ("MIXEDCASE1", s.toUpperCase().asChar());
}

TEST(FoundationString, RecognisesNumbers) {
    EXPECT_TRUE(MString("42").isInt());
    EXPECT_TRUE(MString(" -7 ").isInt());
    EXPECT_FALSE(MString("4x").isInt());
    EXPECT_FALSE(MString("").isInt());
    EXPECT_FALSE(MString("1.5").isInt());
    EXPECT_FALSE(MString("99999999999").isInt());
    EXPECT_EQ(-7, MString(" -7 ").asInt());

    EXPECT_TRUE(MString("1e3").isDouble());
    EXPECT_TRUE(MString("-0.25").isFloat());
    EXPECT_FALSE(MString("1.2.3").isDouble());
    EXPECT_DOUBLE_EQ(1000.0, MString("1e3").asDouble());
    EXPECT_FLOAT_EQ(-0.25f, MString("-0.25").asFloat());

    EXPECT_TRUE(MString("40000").isUnsigned());
    EXPECT_FALSE(MString("-1").isUnsigned());
    EXPECT_EQ(40000u, MString("40000").asUnsigned());

    EXPECT_TRUE(MString("-32768").isShort());
    EXPECT_FALSE(MString("40000").isShort());
    EXPECT_EQ(123, MString("123").asShort());
}

TEST(FoundationString, SetsFromNumbers) {
    MString s;
    s.set(2.5);
    EXPECT_STREQ("2.5", s.asChar());
    s.set(1.0 / 3.0, 3);
    EXPECT_STREQ("0.333", s.asChar());
}

TEST(FoundationString, CountsUtf8Characters) {
    MString s("gr\xC3\xBC\xC3\x9F");  // "grüß"
    EXPECT_EQ(6u, s.length());
    EXPECT_EQ(4u, s.numChars());
}

TEST(FoundationString, StreamsItsCharacters) {
    std::ostringstream out;
    out << MString("node.attr");
    EXPECT_EQ("node.attr", out.str());
}

}  // namespace
