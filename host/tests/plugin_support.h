#pragma once
// Shared by the plug-in and undo tests: a started host with silent output,
// an empty undo queue, and helpers to run MEL and to build argument lists.

#include "foundation/Output.h"
#include "plugin/Args.h"
#include "script/Interpreter.h"
#include "undo/UndoQueue.h"

#include <maya/MArgList.h>
#include <maya/MLibrary.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hosttest {

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        MLibrary::initialize(false, "host_tests");
        out().setEcho(nullptr);
        host::undo::Queue& queue = host::undo::Queue::instance();
        queue.closeChunks();
        queue.flush();
        queue.setState(true);
        queue.setInfinity(true);
        out().clearCaptured();
        out().clearErrors();
    }

    static host::Output& out() { return host::Output::instance(); }
    static host::mel::Interpreter& mel() { return host::mel::Interpreter::instance(); }

    // Runs MEL that must succeed and returns its result.
    host::mel::Value run(const std::string& source) {
        host::mel::Value v;
        EXPECT_TRUE(mel().execute(source, &v)) << source << "\n" << out().captured();
        return v;
    }
    std::string text(const std::string& source) { return run(source).text(); }
    // Runs MEL that must fail and returns the last error line.
    std::string failure(const std::string& source) {
        out().clearErrors();
        EXPECT_FALSE(mel().execute(source)) << source;
        return lastError();
    }
    static std::string lastError() {
        return out().errors().empty() ? std::string() : out().errors().back();
    }
};

// An argument list as a script call made of these words would give.
inline MArgList args(std::vector<host::mel::Value> values) {
    return host::plugin::ArgListAccess::fromValues(std::move(values));
}

}  // namespace hosttest
