// The one place where failures reach the user: what each kind of exception
// shows, and that nothing escapes back into the host.

#include "PluginTestSupport.h"

#include "plugin/DKerrorFrame.h"
#include "plugin/DKexception.h"

#include <maya/MStatus.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class ErrorFrameTest : public dktest::HostTest {
protected:
    template <typename Exception>
    MStatus frameThrowing(const Exception& exception) {
        return errorFrame("frameName", [&]() -> MStatus { throw exception; });
    }
};

TEST_F(ErrorFrameTest, NormalCompletionPassesTheBodysStatusAndShowsNothing) {
    EXPECT_EQ(errorFrame("frameName", [] { return MStatus(MS::kSuccess); }), MS::kSuccess);
    EXPECT_EQ(errorFrame("frameName", [] { return MStatus(MS::kFailure); }), MS::kFailure);
    EXPECT_TRUE(dktest::errors().empty());
}

TEST_F(ErrorFrameTest, HostErrorsShowTheApiErrorFormWithTheStatusString) {
    const MStatus status(MS::kInvalidParameter);
    EXPECT_EQ(frameThrowing(DKmayaException(status)), MS::kFailure);
    EXPECT_EQ(dktest::errors(), Lines{std::string("frameName: API error encountered - ") +
                                      status.errorString().asChar()});
}

TEST_F(ErrorFrameTest, CheckStatusAddsTheContextAndTheStreamedStatus) {
    const MStatus status(MS::kFailure);
    EXPECT_EQ(errorFrame("frameName",
                         [&] {
                             checkStatus(status, "Error removing child");
                             return MStatus(MS::kSuccess);
                         }),
              MS::kFailure);
    // The status as the host streams it: its text, not its truth value.
    EXPECT_EQ(dktest::errors(), Lines{"frameName: API error encountered - Error removing child: "
                                      "(kFailure): Unexpected Internal Failure"});
}

TEST_F(ErrorFrameTest, CheckStatusLetsSuccessThrough) {
    EXPECT_NO_THROW(checkStatus(MStatus(MS::kSuccess), "never shown"));
    EXPECT_NO_THROW(checkStatus(MStatus(MS::kSuccess)));
    EXPECT_THROW(checkStatus(MStatus(MS::kNotFound)), DKmayaException);
}

TEST_F(ErrorFrameTest, OwnErrorsShowTheShortForm) {
    frameThrowing(DKbadArgumentException("bad input"));
    frameThrowing(DKunsupportedException("odd input"));
    frameThrowing(DKexception("plain failure"));
    EXPECT_EQ(dktest::errors(),
              (Lines{"frameName: bad input", "frameName: odd input", "frameName: plain failure"}));
}

TEST_F(ErrorFrameTest, SilentFailureShowsNothingButStillFails) {
    EXPECT_EQ(frameThrowing(DKsilentException()), MS::kFailure);
    EXPECT_TRUE(dktest::errors().empty());
}

TEST_F(ErrorFrameTest, ForeignExceptionsAreCaughtAndShownByTheirText) {
    EXPECT_EQ(frameThrowing(std::runtime_error("vector too long")), MS::kFailure);
    EXPECT_EQ(frameThrowing(std::bad_alloc()), MS::kFailure);
    EXPECT_EQ(frameThrowing(17), MS::kFailure);
    EXPECT_EQ(dktest::errors(), (Lines{"frameName: vector too long",
                                       std::string("frameName: ") + std::bad_alloc().what(),
                                       "frameName: unknown exception"}));
}

TEST_F(ErrorFrameTest, WhatDoesNotCarryTheMessage) {
    const DKbadArgumentException exception("the message");
    EXPECT_EQ(exception.message(), "the message");
    EXPECT_NE(std::string(exception.what()), "the message");
}

}  // namespace
