#include <gtest/gtest.h>

#include <sstream>

#include "foundation/Output.h"

namespace host {
namespace {

class OutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        out.setEcho(&echo);
        out.clearCaptured();
        out.clearErrors();
    }
    void TearDown() override { out.setEcho(&std::cout); }
    Output& out = Output::instance();
    std::ostringstream echo;
};

TEST_F(OutputTest, LineFormsGoToEchoAndCapture) {
    out.error("bad");
    out.warning("careful");
    out.info("plain");
    out.print("raw");
    out.result("1 2");
    const char* expected =
        "// Error: bad //\n// Warning: careful //\nplain\nraw// Result: 1 2 //\n";
    EXPECT_EQ(echo.str(), expected);
    EXPECT_EQ(out.captured(), expected);
    EXPECT_EQ(out.errors(), std::vector<std::string>{"bad"});
    out.clearErrors();
    EXPECT_TRUE(out.errors().empty());
    EXPECT_EQ(out.captured(), expected);  // the capture is cleared on its own
}

TEST_F(OutputTest, NullEchoStillCaptures) {
    out.setEcho(nullptr);
    out.print("quiet");
    EXPECT_EQ(out.captured(), "quiet");
    EXPECT_EQ(echo.str(), "");
}

TEST_F(OutputTest, SuppressionHidesErrorsOnlyAndNests) {
    {
        ErrorSuppression outer;
        {
            ErrorSuppression inner;
            out.error("hidden");
        }
        out.error("still hidden");
        out.warning("shown");
    }
    out.error("visible");
    EXPECT_EQ(out.captured(), "// Warning: shown //\n// Error: visible //\n");
    EXPECT_EQ(out.errors(), std::vector<std::string>{"visible"});
}

TEST_F(OutputTest, CaptureIsBoundedKeepingTheNewest) {
    out.setEcho(nullptr);
    std::string chunk(1 << 20, 'x');
    for (int i = 0; i < 70; ++i)
        out.print(chunk);
    out.print("END");
    EXPECT_LE(out.captured().size(), Output::kCaptureLimit);
    EXPECT_EQ(out.captured().substr(out.captured().size() - 3), "END");
    out.clearCaptured();
}

}  // namespace
}  // namespace host
