#include <gtest/gtest.h>
#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MTime.h>
#include <maya/MTypeId.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(FoundationUnits, TimeUnitValues) {
    EXPECT_EQ(0, MTime::kInvalid);
    EXPECT_EQ(1, MTime::kHours);
    EXPECT_EQ(3, MTime::kSeconds);
    EXPECT_EQ(5, MTime::kGames);
    EXPECT_EQ(6, MTime::kFilm);
    EXPECT_EQ(8, MTime::kNTSCFrame);
    EXPECT_EQ(11, MTime::kNTSCField);
    EXPECT_EQ(12, MTime::k2FPS);
    EXPECT_EQ(42, MTime::k6000FPS);
    EXPECT_EQ(43, MTime::kUserDef);
    EXPECT_EQ(44, MTime::kLast);
}

TEST(FoundationUnits, TimeConvertsBetweenUnits) {
    EXPECT_EQ(1.0 / 24.0, MTime(1.0, MTime::kFilm).as(MTime::kSeconds));
    EXPECT_EQ(60.0, MTime(48.0, MTime::kFilm).as(MTime::kNTSCFrame));
    EXPECT_EQ(90.0, MTime(1.5, MTime::kHours).as(MTime::kMinutes));
    EXPECT_EQ(2500.0, MTime(2.5, MTime::kSeconds).as(MTime::kMilliseconds));
    EXPECT_EQ(250.0, MTime(1.0, MTime::kFilm).as(MTime::k6000FPS));
    EXPECT_EQ(0.0, MTime(1.0, MTime::kUserDef).as(MTime::kSeconds));
    EXPECT_EQ(MTime::kFilm, MTime(3.0).unit());
}

TEST(FoundationUnits, SetUnitKeepsTheTime) {
    MTime t(12.0, MTime::kFilm);
    ASSERT_TRUE(t.setUnit(MTime::kSeconds));
    EXPECT_EQ(0.5, t.value());
    EXPECT_EQ(MTime::kSeconds, t.unit());
    EXPECT_EQ(MS::kInvalidParameter, t.setUnit(MTime::kInvalid).statusCode());
    EXPECT_EQ(0.5, t.value());
}

TEST(FoundationUnits, TimeArithmeticKeepsTheLeftUnit) {
    MTime sum = MTime(1.0, MTime::kSeconds) + MTime(12.0, MTime::kFilm);
    EXPECT_EQ(MTime::kSeconds, sum.unit());
    EXPECT_EQ(1.5, sum.value());
    EXPECT_EQ(23.0, (MTime(24.0, MTime::kFilm) - 1.0).value());
    EXPECT_EQ(6.0, (MTime(3.0) * 2.0).value());
    EXPECT_EQ(1.5, (MTime(3.0) / 2.0).value());
    EXPECT_EQ(7.0, (10.0 - MTime(3.0)).value());
    MTime t(1.0, MTime::kFilm);
    t += MTime(1.0, MTime::kPALFrame);
    EXPECT_DOUBLE_EQ(1.0 + 24.0 / 25.0, t.value());
}

TEST(FoundationUnits, TimesCompareAcrossUnits) {
    EXPECT_TRUE(MTime(1.0, MTime::kSeconds) == MTime(24.0, MTime::kFilm));
    EXPECT_TRUE(MTime(2.0, MTime::kFilm) == MTime(2.5, MTime::kNTSCFrame));
    EXPECT_TRUE(MTime(23.0, MTime::kFilm) < MTime(1.0, MTime::kSeconds));
    EXPECT_TRUE(MTime(31.0, MTime::kNTSCFrame) > MTime(1.0, MTime::kSeconds));
    EXPECT_TRUE(MTime(1.0, MTime::kFilm) <= MTime(1.0, MTime::kFilm));
    EXPECT_TRUE(MTime(1.0, MTime::kFilm) != MTime(1.0, MTime::kNTSCFrame));
}

TEST(FoundationUnits, UiTimeUnitIsProcessWide) {
    EXPECT_EQ(MTime::kFilm, MTime::uiUnit());
    ASSERT_TRUE(MTime::setUIUnit(MTime::kNTSCFrame));
    EXPECT_EQ(MTime::kNTSCFrame, MTime::uiUnit());
    EXPECT_EQ(MTime::kNTSCFrame, MTime().unit());
    EXPECT_EQ(1.0 / 30.0, MTime(1.0, MTime::uiUnit()).as(MTime::kSeconds));
    EXPECT_EQ(MS::kInvalidParameter, MTime::setUIUnit(MTime::kLast).statusCode());
    EXPECT_EQ(MTime::kNTSCFrame, MTime::uiUnit());
    MTime::setUIUnit(MTime::kFilm);
}

TEST(FoundationUnits, Distances) {
    EXPECT_EQ(2.54, MDistance(1.0, MDistance::kInches).asCentimeters());
    EXPECT_DOUBLE_EQ(1.609344, MDistance(1.0, MDistance::kMiles).asKilometers());
    EXPECT_DOUBLE_EQ(12.0, MDistance(1.0, MDistance::kFeet).asInches());
    EXPECT_EQ(3.0, MDistance(1.0, MDistance::kYards).asFeet());
    EXPECT_EQ(250.0, MDistance(2.5, MDistance::kMeters).asCentimeters());
    EXPECT_EQ(15.0, MDistance(1.5, MDistance::kCentimeters).asMillimeters());
    EXPECT_EQ(MDistance::kCentimeters, MDistance(4.0).unit());
    EXPECT_EQ(MDistance::kCentimeters, MDistance::internalUnit());

    MStatus status;
    EXPECT_EQ(0.0, MDistance(1.0, MDistance::kInvalid).as(MDistance::kMeters, &status));
    EXPECT_EQ(MS::kInvalidParameter, status.statusCode());

    MDistance d(100.0, MDistance::kCentimeters);
    ASSERT_TRUE(d.setUnit(MDistance::kMeters));
    EXPECT_EQ(1.0, d.value());

    EXPECT_EQ(MDistance::kCentimeters, MDistance::uiUnit());
    ASSERT_TRUE(MDistance::setUIUnit(MDistance::kMeters));
    EXPECT_EQ(200.0, MDistance::uiToInternal(2.0));
    EXPECT_EQ(0.5, MDistance::internalToUI(50.0));
    MDistance::setUIUnit(MDistance::kCentimeters);
}

TEST(FoundationUnits, Angles) {
    EXPECT_DOUBLE_EQ(kPi, MAngle(180.0, MAngle::kDegrees).asRadians());
    EXPECT_DOUBLE_EQ(90.0, MAngle(kPi / 2).asDegrees());
    EXPECT_EQ(60.0, MAngle(1.0, MAngle::kDegrees).asAngMinutes());
    EXPECT_EQ(3600.0, MAngle(1.0, MAngle::kDegrees).asAngSeconds());
    EXPECT_EQ(MAngle::kRadians, MAngle::internalUnit());
    EXPECT_EQ(MAngle::kDegrees, MAngle::uiUnit());
    EXPECT_DOUBLE_EQ(kPi, MAngle::uiToInternal(180.0));
    EXPECT_EQ(MS::kInvalidParameter, MAngle::setUIUnit(MAngle::kInvalid).statusCode());
    EXPECT_EQ(MAngle::kDegrees, MAngle::uiUnit());
}

TEST(FoundationUnits, TypeIds) {
    EXPECT_EQ(0x10D681u, MTypeId(0x10D681).id());
    EXPECT_EQ(MTypeId(0x10D681), MTypeId(0x10D6, 0x81));
    EXPECT_NE(MTypeId(1), MTypeId(2));
    EXPECT_EQ(0u, MTypeId().id());
    MStatus status(MS::kFailure);
    MTypeId(5).id(&status);
    EXPECT_TRUE(status);
}

}  // namespace
