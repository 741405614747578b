#include <gtest/gtest.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <sstream>
#include <string>

#include "foundation/StatusDetail.h"

namespace {

TEST(FoundationStatus, CodesHaveTheHostValues) {
    EXPECT_EQ(0, MS::kSuccess);
    EXPECT_EQ(1, MS::kFailure);
    EXPECT_EQ(2, MS::kInsufficientMemory);
    EXPECT_EQ(3, MS::kInvalidParameter);
    EXPECT_EQ(4, MS::kLicenseFailure);
    EXPECT_EQ(5, MS::kUnknownParameter);
    EXPECT_EQ(6, MS::kNotImplemented);
    EXPECT_EQ(7, MS::kNotFound);
    EXPECT_EQ(8, MS::kEndOfFile);
    EXPECT_EQ(MS::kInvalidParameter, MStatus::kInvalidParameter);
}

TEST(FoundationStatus, ComparesAndConvertsByCode) {
    MStatus ok;
    EXPECT_TRUE(ok);
    EXPECT_FALSE(ok.error());
    EXPECT_EQ(MS::kSuccess, ok.statusCode());

    MStatus failed(MS::kNotFound);
    EXPECT_FALSE(failed);
    EXPECT_TRUE(failed.error());
    // Both operand orders must compare codes, not the status's bool conversion.
    EXPECT_TRUE(failed == MS::kNotFound);
    EXPECT_TRUE(MS::kNotFound == failed);
    EXPECT_TRUE(MS::kSuccess != failed);
    EXPECT_FALSE(MS::kSuccess != ok);
    EXPECT_TRUE(failed != ok);
    EXPECT_TRUE(failed == MStatus(MStatus::kNotFound));

    failed.clear();
    EXPECT_TRUE(failed == MS::kSuccess);
}

TEST(FoundationStatus, TextsComeFromTheHostTable) {
    EXPECT_EQ(std::string("(kFailure): Unexpected Internal Failure"),
              MStatus(MS::kFailure).errorString().asChar());
    EXPECT_EQ(std::string("(kInvalidParameter): Object is incompatible with this method"),
              MStatus(MS::kInvalidParameter).errorString().asChar());

    std::ostringstream out;
    MStatus failure(MS::kFailure);
    out << failure;
    EXPECT_EQ("(kFailure): Unexpected Internal Failure", out.str());

    for (int code = MS::kSuccess; code <= MS::kEndOfFile; ++code) {
        MStatus status(static_cast<MS::MStatusCode>(code));
        EXPECT_EQ('(', status.errorString().asChar()[0]);
    }
}

TEST(FoundationStatus, DetailsRefineTheTextButKeepTheCode) {
    using host::foundation::StatusDetail;
    MStatus status = host::foundation::statusWithDetail(StatusDetail::kNoElementAtIndex);
    EXPECT_EQ(MS::kInvalidParameter, status.statusCode());
    EXPECT_TRUE(status == MStatus(MS::kInvalidParameter));
    EXPECT_EQ(std::string("(kInvalidParameter): No element at given index"),
              status.errorString().asChar());

    MStatus copy = status;
    EXPECT_EQ(status.errorString(), copy.errorString());
}

TEST(FoundationStatus, CodeOutsideTheEnumReadsAsFailure) {
    MStatus status(static_cast<MS::MStatusCode>(99));
    EXPECT_EQ(MS::kFailure, status.statusCode());
    EXPECT_TRUE(status.error());
}

MStatus returnsThroughMacro(MStatus input, bool& reachedEnd) {
    CHECK_MSTATUS_AND_RETURN_IT(input);
    reachedEnd = true;
    return MS::kSuccess;
}

TEST(FoundationStatus, CheckMacrosReportAndReturnFailures) {
    bool reachedEnd = false;
    testing::internal::CaptureStderr();
    MStatus result = returnsThroughMacro(MS::kNotImplemented, reachedEnd);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(reachedEnd);
    EXPECT_EQ(MS::kNotImplemented, result.statusCode());
    EXPECT_NE(std::string::npos, err.find("API error detected in"));
    EXPECT_NE(std::string::npos, err.find("(kNotImplemented)"));

    testing::internal::CaptureStderr();
    result = returnsThroughMacro(MS::kSuccess, reachedEnd);
    EXPECT_TRUE(testing::internal::GetCapturedStderr().empty());
    EXPECT_TRUE(reachedEnd);

    testing::internal::CaptureStderr();
    CHECK_MSTATUS(MStatus(MS::kFailure));
    EXPECT_NE(std::string::npos,
              testing::internal::GetCapturedStderr().find("Unexpected Internal Failure"));
}

}  // namespace
