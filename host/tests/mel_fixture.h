#pragma once

#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "foundation/Output.h"
#include "script/Interpreter.h"

namespace host::mel::testing {

// Each test starts a fresh MEL session with silent, emptied output.
class MelTest : public ::testing::Test {
protected:
    void SetUp() override {
        out().setEcho(nullptr);
        mel().reset();
        out().clearCaptured();
        out().clearErrors();
    }
    void TearDown() override { out().setEcho(&std::cout); }

    static Interpreter& mel() { return Interpreter::instance(); }
    static Output& out() { return Output::instance(); }

    // Runs text that must succeed; returns the result of its last statement.
    Value run(const std::string& source) {
        Value v;
        EXPECT_TRUE(mel().execute(source, &v)) << source << "\n" << out().captured();
        return v;
    }
    std::string text(const std::string& source) { return run(source).text(); }
    // What the text printed (and the text must succeed).
    std::string printed(const std::string& source) {
        out().clearCaptured();
        run(source);
        return out().captured();
    }
    // Runs text that must fail; returns everything it wrote.
    std::string failure(const std::string& source) {
        out().clearCaptured();
        out().clearErrors();
        EXPECT_FALSE(mel().execute(source)) << source;
        return out().captured();
    }
    std::string lastError() const {
        return out().errors().empty() ? std::string() : out().errors().back();
    }
};

}  // namespace host::mel::testing
