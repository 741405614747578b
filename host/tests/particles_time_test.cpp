// The scene clock: currentTime, playbackOptions, MAnimControl and the UI
// time unit that particles step by.
#include "particles_fixture.h"

namespace host::particles::testing {
namespace {

using Clock = ParticleTest;

double outTimeSeconds() {
    MObject clock = Scene::current().object(animation::timeNode());
    return MFnDependencyNode(clock).findPlug("outTime").asDouble();
}

TEST_F(Clock, CurrentTimeMovesTheTimeNode) {
    EXPECT_EQ(run("currentTime 10").asFloat(), 10.0);
    EXPECT_NEAR(outTimeSeconds(), 10.0 / 24.0, 1e-12);
    EXPECT_EQ(run("currentTime -q").asFloat(), 10.0);
    EXPECT_EQ(MAnimControl::currentTime().unit(), MTime::kFilm);
    // The same moment read in another UI unit.
    MTime::setUIUnit(MTime::kNTSCFrame);
    EXPECT_NEAR(run("currentTime -q").asFloat(), 12.5, 1e-9);
    run("currentTime 30");
    EXPECT_NEAR(outTimeSeconds(), 1.0, 1e-12);
    EXPECT_NE(failure("currentTime soon").find("invalid time"), std::string::npos);
}

TEST_F(Clock, PlaybackRangesHoldEachOther) {
    EXPECT_EQ(run("playbackOptions -q -min").asFloat(), 1.0);
    EXPECT_EQ(run("playbackOptions -q -aet").asFloat(), 48.0);
    run("playbackOptions -min 5 -max 60");
    EXPECT_EQ(MAnimControl::minTime().value(), 5.0);
    EXPECT_EQ(MAnimControl::animationEndTime().value(), 60.0);  // widened to hold max
    run("playbackOptions -max 2");
    EXPECT_EQ(MAnimControl::minTime().value(), 2.0);  // min follows a max set below it
    run("playbackOptions -ast 10");
    EXPECT_EQ(MAnimControl::minTime().value(), 10.0);
    EXPECT_EQ(MAnimControl::maxTime().value(), 10.0);
    run("playbackOptions -by 2 -l once");
    EXPECT_EQ(MAnimControl::playbackBy(), 2.0);
    EXPECT_EQ(text("playbackOptions -q -l"), "once");
    EXPECT_NE(failure("playbackOptions -by 0").find("-by must be greater than 0"),
              std::string::npos);
    EXPECT_NE(failure("playbackOptions -l sometimes").find("invalid loop value"),
              std::string::npos);
    EXPECT_EQ(MAnimControl::playbackBy(), 2.0);  // a refused call changes nothing
    MTime::setUIUnit(MTime::kPALFrame);
    EXPECT_NEAR(MAnimControl::minTime().value(), 10.0 * 25.0 / 24.0, 1e-9);
}

TEST_F(Clock, ParticlesStepByFramesOfTheUIUnit) {
    MTime::setUIUnit(MTime::kNTSCFrame);
    run("particle -n p; emitter -n em -r 60; connectDynamic -em em p; currentTime 4;");
    EXPECT_EQ(shape("pShape").count(), 6u);  // three frames of 1/30 s, two births each
    MDoubleArray ages;
    shape("pShape").age(ages);
    EXPECT_NEAR(ages[0], 2.0 / 30.0, 1e-12);
}

}  // namespace
}  // namespace host::particles::testing
