// The particle access pieces on their own: the particle and instancer
// function sets, the id mapper, the plug lookup, and the rounding helper.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"

#include "commands/uninstancer/DKroundToPlaces.h"
#include "plugin/DKexception.h"
#include "scene/DKfnParticleInstancer.h"
#include "scene/DKfnParticleSystem.h"
#include "scene/DKparticleIdMapper.h"
#include "scene/DKplugLookup.h"

#include <maya/MAnimControl.h>
#include <maya/MIntArray.h>
#include <maya/MItInstancer.h>
#include <maya/MVectorArray.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>

namespace {

using dktest::nodeObject;
using dktest::run;

// The text of the exception the call throws, with its kind checked.
template <typename Exception>
std::string thrownText(const std::function<void()>& call) {
    try {
        call();
    } catch (const DKexception& e) {
        const bool rightKind = dynamic_cast<const Exception*>(&e) != nullptr;
        return rightKind ? e.message() : "wrong kind: " + e.message();
    }
    return "nothing thrown";
}

class ParticleAccessTest : public dktest::HostTest {
protected:
    // Five still particles with a double and an int per-particle array.
    void buildStillParticles() {
        ASSERT_TRUE(
            run("particle -p 0 0 0 -p 1 0 0 -p 2 0 0 -p 3 0 0 -p 4 0 0;"
                "addAttr -ln weight -dt doubleArray particleShape1;"
                "addAttr -ln weight0 -dt doubleArray particleShape1;"
                "setAttr particleShape1.weight0 -type doubleArray 5 2.9 -2.9 0 1e20 -7;"
                "addAttr -ln slot -dt Int32Array particleShape1;"
                "addAttr -ln slot0 -dt Int32Array particleShape1;"
                "setAttr particleShape1.slot0 -type Int32Array 5 4 -1 0 3 2;"));
    }
};

TEST_F(ParticleAccessTest, PerParticleValuesReadAsEitherKind) {
    buildStillParticles();
    DKfnParticleSystem shape(nodeObject("particleShape1"));
    MIntArray ints;
    shape.getPerParticleInts(ints, "weight");
    ASSERT_EQ(ints.length(), 5u);
    EXPECT_EQ(ints[0], 2);
    EXPECT_EQ(ints[1], -2);
    EXPECT_EQ(ints[3], INT_MAX);  // clamped, not undefined
    EXPECT_EQ(ints[4], -7);

    MDoubleArray doubles;
    shape.getPerParticleDoubles(doubles, "slot");
    ASSERT_EQ(doubles.length(), 5u);
    EXPECT_EQ(doubles[1], -1.0);
    shape.getPerParticleDoubles(doubles, "weight");
    EXPECT_EQ(doubles[0], 2.9);
    shape.getPerParticleInts(ints, "slot");
    EXPECT_EQ(ints[0], 4);

    EXPECT_EQ(thrownText<DKexception>([&] { shape.getPerParticleInts(ints, "position"); }),
              "particleShape1.position is not a valid per-particle int attribute.");
    EXPECT_EQ(thrownText<DKexception>([&] { shape.getPerParticleDoubles(doubles, "nothing"); }),
              "particleShape1.nothing is not a valid per-particle double attribute.");
    EXPECT_EQ(ints.length(), 0u);  // cleared before the refusal
}

TEST_F(ParticleAccessTest, TheInstancerOfAShape) {
    ASSERT_TRUE(run(std::string(dktest::objectsScene()) + "particle -p 0 0 0"));
    DKfnParticleSystem shape(nodeObject("particleShape1"));
    EXPECT_EQ(thrownText<DKexception>([&] { shape.instancer(); }),
              "particleShape1 is not associated with an instancer.");
    ASSERT_TRUE(run("particleInstancer -obj cube -n first particleShape1"));
    EXPECT_EQ(shape.instancer(), nodeObject("first"));
    ASSERT_TRUE(run("particleInstancer -obj cone -n second particleShape1"));
    EXPECT_EQ(thrownText<DKexception>([&] { shape.instancer(); }),
              "particleShape1 has more than one instancer associated with it. Please use the "
              "-instancer flag to indicate which instancer should be uninstanced.");
    // Two elements are too many even with only one of them connected.
    ASSERT_TRUE(run("delete second"));
    EXPECT_EQ(thrownText<DKexception>([&] { shape.instancer(); }),
              "particleShape1 has more than one instancer associated with it. Please use the "
              "-instancer flag to indicate which instancer should be uninstanced.");
}

TEST_F(ParticleAccessTest, MappedAttributesTakeTheFirstWholePair) {
    ASSERT_TRUE(run(std::string(dktest::objectsScene()) +
                    "particle -p 0 0 0; particleInstancer -obj cube -oi slot -n first "
                    "particleShape1"));
    DKfnParticleSystem shape(nodeObject("particleShape1"));
    EXPECT_EQ(shape.mappedAttribute("objectIndex", 0), MString("slot"));
    EXPECT_EQ(shape.mappedAttribute("position", 0), MString("worldPosition"));
    EXPECT_EQ(shape.mappedAttribute("age", 0), MString());
    EXPECT_EQ(shape.mappedAttribute("objectIndex", 5), MString());
    ASSERT_TRUE(
        run("setAttr particleShape1.instanceData[0].instanceAttributeMapping -type "
            "stringArray 5 objectIndex one objectIndex two age"));
    EXPECT_EQ(shape.mappedAttribute("objectIndex", 0), MString("one"));
    EXPECT_EQ(shape.mappedAttribute("age", 0), MString());  // no attribute after it
}

TEST_F(ParticleAccessTest, DynamicsAreRunUpToTheFrameBefore) {
    ASSERT_TRUE(run(std::string(dktest::emitterScene())));
    MVectorArray expected;
    MAnimControl::setCurrentTime(MTime(8.0, MTime::uiUnit()));
    DKfnParticleSystem(nodeObject("particleShape1")).position(expected);
    ASSERT_GT(expected.length(), 0u);

    MAnimControl::setCurrentTime(MTime(20.0, MTime::uiUnit()));
    DKfnParticleSystem shape(nodeObject("particleShape1"));
    shape.evaluateDynamicsBefore(9);
    MVectorArray positions;
    shape.position(positions);
    ASSERT_EQ(positions.length(), expected.length());
    for (unsigned int i = 0; i < positions.length(); ++i) {
        EXPECT_TRUE(positions[i].isEquivalent(expected[i], 1e-12)) << i;
    }
}

TEST_F(ParticleAccessTest, TheIdMapperAnswersEveryLiveParticle) {
    ASSERT_TRUE(run(std::string(dktest::emitterScene()) + "currentTime 30"));
    DKparticleIdMapper mapper;
    EXPECT_EQ(mapper.indexOf(0), -1);  // empty
    EXPECT_EQ(mapper.idAt(0), -1);

    const MObject shape = nodeObject("particleShape1");
    mapper.update(shape);
    MIntArray ids;
    DKfnParticleSystem(shape).particleIds(ids);
    ASSERT_GT(ids.length(), 10u);
    // Some early particles have died, so the ids have gaps.
    EXPECT_GT(ids[ids.length() - 1], static_cast<int>(ids.length()));
    for (unsigned int i = 0; i < ids.length(); ++i) {
        EXPECT_EQ(mapper.indexOf(ids[i]), static_cast<int>(i));
        EXPECT_EQ(mapper.idAt(i), ids[i]);
    }
    EXPECT_EQ(mapper.idAt(ids.length()), -1);
    EXPECT_EQ(mapper.indexOf(-1), -1);
    EXPECT_EQ(mapper.indexOf(ids[ids.length() - 1] + 1), -1);
    for (int id = 0; id < ids[0]; ++id) {
        EXPECT_EQ(mapper.indexOf(id), -1) << id;  // dead ones
    }
}

TEST_F(ParticleAccessTest, PlugsByNameAndElement) {
    ASSERT_TRUE(run("particle -p 0 0 0"));
    const MObject shape = nodeObject("particleShape1");
    EXPECT_TRUE(findNodePlug(shape, "instanceData").isArray());
    const MPlug element = findNodePlug(shape, "instanceData", 2);
    EXPECT_FALSE(element.isArray());
    EXPECT_EQ(element.logicalIndex(), 2u);

    EXPECT_EQ(thrownText<DKmayaException>([&] { findNodePlug(shape, "noSuchThing"); }),
              "Error finding plug for particleShape1.noSuchThing.");
    EXPECT_EQ(thrownText<DKbadArgumentException>([&] { findNodePlug(shape, "count", 3); }),
              "particleShape1.count is not an array attribute - index 3 can not be retrieved.");
    EXPECT_EQ(thrownText<DKmayaException>([&] {
                  findNodePlug(MObject(), "count");
              }).rfind("Error getting function set.: ", 0),
              0u);
}

TEST_F(ParticleAccessTest, TheInstancerFunctionSet) {
    ASSERT_TRUE(run(std::string(dktest::objectsScene()) +
                    "particle -p 0 0 0 -p 1 0 0; particleInstancer -obj cube -n first "
                    "particleShape1; particleInstancer -obj cube -obj ball -n second "
                    "particleShape1; createNode instancer -n lonely"));
    MObject second = nodeObject("second");
    DKfnParticleInstancer instancer(second);
    MObject shape;
    EXPECT_EQ(instancer.particleSystem(shape), 1u);
    EXPECT_EQ(shape, nodeObject("particleShape1"));
    EXPECT_EQ(instancer.hierarchyObject(1), nodeObject("ball"));
    EXPECT_TRUE(instancer.hierarchyObject(7).isNull());
    EXPECT_EQ(instancer.inputHierarchyPlug().numElements(), 2u);

    // The id is the whole first pointer-sized word of the instancer's
    // MObject, which on a 64-bit host reaches past 32 bits as an address
    // would: a narrower id would never meet the iterator's.
    const std::uintptr_t id = instancer.instancerId();
    if (sizeof(id) > 4) {
        EXPECT_NE(id >> 16 >> 16, 0u);
    }
    bool seen = false;
    for (MItInstancer it; !it.isDone(); it.nextInstancer()) {
        if (it.instancer() == second) {
            EXPECT_EQ(it.instancerId(), id);
            seen = true;
        }
    }
    EXPECT_TRUE(seen);

    MObject lonely = nodeObject("lonely");
    EXPECT_EQ(thrownText<DKexception>([&] { DKfnParticleInstancer(lonely).particleSystem(shape); }),
              "No particle system associated with the instancer.");
}

TEST(RoundToPlacesTest, RoundsHalvesTowardZero) {
    EXPECT_DOUBLE_EQ(roundToPlaces(1.0 / 24.0, 3), 0.042);
    EXPECT_DOUBLE_EQ(roundToPlaces(1.0 / 3.0, 3), 0.333);
    EXPECT_DOUBLE_EQ(roundToPlaces(2.0 / 3.0, 3), 0.667);
    EXPECT_DOUBLE_EQ(roundToPlaces(0.0025, 3), 0.002);
    EXPECT_DOUBLE_EQ(roundToPlaces(-0.0025, 3), -0.002);
    EXPECT_DOUBLE_EQ(roundToPlaces(-0.0026, 3), -0.003);
    EXPECT_DOUBLE_EQ(roundToPlaces(2.6, -2), 3.0);  // below 0 counts as 0
    EXPECT_DOUBLE_EQ(roundToPlaces(1e12, 3), INT_MAX / 1000.0);
}

}  // namespace
