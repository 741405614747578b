#include <gtest/gtest.h>

#include "script/Regex.h"

namespace host::mel {
namespace {

// The first match of pattern in text, or "<none>".
std::string find(const std::string& pattern, const std::string& text, std::size_t from = 0) {
    Regex re;
    std::string why;
    if (!re.compile(pattern, why))
        return "<invalid: " + why + ">";
    std::size_t start = 0, length = 0;
    if (!re.search(text, from, start, length))
        return "<none>";
    return text.substr(start, length);
}

TEST(MelRegex, LeftmostThenLongest) {
    EXPECT_EQ(find("a+", "baaab"), "aaa");
    EXPECT_EQ(find("a|ab", "xabc"), "ab");
    EXPECT_EQ(find("b*", "abc"), "");  // empty match at the very start
    EXPECT_EQ(find("(a|b)*c", "xxababcz"), "ababc");
    EXPECT_EQ(find("colou?r", "my color"), "color");
    EXPECT_EQ(find("x", "abxcx", 3), "x");
}

TEST(MelRegex, AnchorsAndClasses) {
    EXPECT_EQ(find("^b", "ab"), "<none>");
    EXPECT_EQ(find("^a", "ab"), "a");
    EXPECT_EQ(find("b$", "abab"), "b");
    EXPECT_EQ(find("^$", ""), "");
    EXPECT_EQ(find("[]a]+", "x]a]y"), "]a]");  // ']' first is literal
    EXPECT_EQ(find("[a-c-]+", "z-ab-"), "-ab-");
    EXPECT_EQ(find("[^0-9]+", "12ab3"), "ab");
    EXPECT_EQ(find("\\s+\\S", "a  b"), "  b");
    EXPECT_EQ(find("[\\d.]+", "v1.25x"), "1.25");
    EXPECT_EQ(find("a.c", "a\nc"), "a\nc");
}

TEST(MelRegex, MalformedPatternsAreRefused) {
    EXPECT_EQ(find("(a", "a"), "<invalid: unbalanced '('>");
    EXPECT_EQ(find("a)", "a"), "<invalid: unbalanced ')'>");
    EXPECT_EQ(find("[ab", "a"), "<invalid: unbalanced '['>");
    EXPECT_EQ(find("+a", "a"), "<invalid: nothing to repeat>");
    EXPECT_EQ(find("a\\", "a"), "<invalid: trailing backslash>");
    EXPECT_EQ(find(std::string(500, '(') + "a" + std::string(500, ')'), "a"),
              "<invalid: too deeply nested>");
}

TEST(MelRegex, NestedRepetitionStaysLinear) {
    std::string text(50000, 'a');
    EXPECT_EQ(find("(a*)*b", text), "<none>");
    EXPECT_EQ(find("(a|aa)*$", text).size(), text.size());
}

TEST(MelGlob, WildcardsClassesAndEscapes) {
    EXPECT_TRUE(globMatch("*", ""));
    EXPECT_TRUE(globMatch("p*1", "pCube1"));
    EXPECT_FALSE(globMatch("p*1", "pCube12"));
    EXPECT_TRUE(globMatch("*a*b*", "xxaYYbzz"));
    EXPECT_TRUE(globMatch("??", "ab"));
    EXPECT_FALSE(globMatch("??", "abc"));
    EXPECT_TRUE(globMatch("[a-c]x", "bx"));
    EXPECT_FALSE(globMatch("[!a-c]x", "bx"));
    EXPECT_TRUE(globMatch("\\*", "*"));
    EXPECT_FALSE(globMatch("\\*", "a"));
    EXPECT_TRUE(globMatch("[ab", "[ab"));  // an unclosed bracket is literal
    EXPECT_FALSE(globMatch(std::string(30, '*') + "b", std::string(5000, 'a')));
}

}  // namespace
}  // namespace host::mel
