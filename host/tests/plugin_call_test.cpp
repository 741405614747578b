// Commands run by name from other languages: arguments made by the caller, typed results,
// and error lines taken instead of shown.
#include "plugin/CommandBridge.h"
#include "plugin/Syntax.h"
#include "plugin_support.h"

#include <algorithm>

namespace {

using host::ErrorCapture;
using host::mel::CommandCall;
using host::mel::Type;
using host::mel::Value;

class CallTest : public hosttest::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        run("file -f -new");
    }

    bool call(const std::string& name, std::vector<Value> args, CommandCall& done) {
        done.args = std::move(args);
        return mel().callCommand(name, done);
    }
};

TEST_F(CallTest, ArgumentsArriveTypedAndResultsKeepTheirKind) {
    CommandCall made;
    ASSERT_TRUE(call("createNode", {"transform", "-name", "box"}, made));
    EXPECT_EQ(made.result, Value("box"));
    CommandCall moved;
    ASSERT_TRUE(call("setAttr", {"box.translate", 1, 2.5, 3}, moved));
    EXPECT_FALSE(moved.hasResult);
    CommandCall read;
    ASSERT_TRUE(call("getAttr", {"box.ty"}, read));
    EXPECT_EQ(read.result, Value(2.5));

    // A bool result reads as an int in MEL and says it was a bool.
    CommandCall exists;
    ASSERT_TRUE(call("objExists", {"box"}, exists));
    EXPECT_EQ(exists.result.type(), Type::Int);
    EXPECT_TRUE(exists.booleanResult);
    CommandCall size;
    ASSERT_TRUE(call("size", {std::vector<std::string>{"a", "b"}}, size));
    EXPECT_EQ(size.result, Value(2));
    EXPECT_FALSE(size.booleanResult);
}

TEST_F(CallTest, CapturedErrorsAreTakenNotShownAndNest) {
    std::vector<std::string> outer;
    {
        ErrorCapture capture;
        CommandCall unknown, wrong;
        EXPECT_FALSE(call("noSuchCommand", {}, unknown));
        {
            ErrorCapture inner;
            EXPECT_FALSE(call("select", {"nothing"}, wrong));
            EXPECT_EQ(inner.lines, std::vector<std::string>{"No object matches name: nothing"});
        }
        outer = capture.lines;
    }
    EXPECT_EQ(outer, std::vector<std::string>{"Cannot find procedure \"noSuchCommand\"."});
    EXPECT_TRUE(out().errors().empty());
    EXPECT_EQ(out().captured(), "");
    // Once the captures are gone, errors are shown again.
    failure("select nothing");
    EXPECT_EQ(lastError(), "line 1: No object matches name: nothing");
}

TEST_F(CallTest, SyntaxIsKnownForCommandObjectsOnly) {
    MSyntax syntax;
    ASSERT_TRUE(host::plugin::syntaxOf("particleInstancer", syntax));
    const host::plugin::FlagSpec* object = host::plugin::SyntaxAccess::data(syntax).findFlag("obj");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->longName, "object");
    EXPECT_TRUE(object->multiUse);
    EXPECT_FALSE(host::plugin::syntaxOf("size", syntax));
    const std::vector<std::string> names = mel().commandNames();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_NE(std::find(names.begin(), names.end(), "particleInstancer"), names.end());
}

}  // namespace
