// The typed plug setters, one value kind per test instance: each must swap the
// plug's value with the held one, so do, undo and redo alternate cleanly.

#include "PluginTestSupport.h"

#include "operations/DKmayaModifier.h"
#include "plugin/DKexception.h"
#include "plugin/FaultInjection.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MFnData.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnIntArrayData.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnStringData.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MString.h>
#include <maya/MTime.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Each kind: how to make its attribute, two distinct values, how to append
// its setter, and how to read the plug back in a comparable form.
template <typename Value, typename Readable>
struct NumericKind {
    using Held = Value;
    static Readable read(const MPlug& plug) {
        Value value{};
        plug.getValue(value);
        return static_cast<Readable>(value);
    }
    static void write(MPlug& plug, Held value) { plug.setValue(value); }
};

struct DoubleKind : NumericKind<double, double> {
    static MObject attribute() {
        MFnNumericAttribute fn;
        return fn.create("doubleValue", "dbv", MFnNumericData::kDouble, 0.5);
    }
    static double first() { return 2.5; }
    static double second() { return -7.25; }
    static void append(DKmayaModifier& m, const MPlug& p, double v) { m.setDoubleValue(p, v); }
};

struct FloatKind : NumericKind<float, float> {
    static MObject attribute() {
        MFnNumericAttribute fn;
        return fn.create("floatValue", "flv", MFnNumericData::kFloat, 0.5);
    }
    static float first() { return 1.5f; }
    static float second() { return 3.75f; }
    static void append(DKmayaModifier& m, const MPlug& p, float v) { m.setFloatValue(p, v); }
};

struct IntKind : NumericKind<int, int> {
    static MObject attribute() {
        MFnNumericAttribute fn;
        return fn.create("intValue", "inv", MFnNumericData::kInt, 3);
    }
    static int first() { return 42; }
    static int second() { return -17; }
    static void append(DKmayaModifier& m, const MPlug& p, int v) { m.setIntValue(p, v); }
};

struct ShortKind : NumericKind<short, int> {
    static MObject attribute() {
        MFnNumericAttribute fn;
        return fn.create("shortValue", "shv", MFnNumericData::kShort, 3);
    }
    static short first() { return 12; }
    static short second() { return -300; }
    static void append(DKmayaModifier& m, const MPlug& p, short v) { m.setShortValue(p, v); }
};

struct BoolKind : NumericKind<bool, bool> {
    static MObject attribute() {
        MFnNumericAttribute fn;
        return fn.create("boolValue", "bov", MFnNumericData::kBoolean, 1);
    }
    static bool first() { return false; }
    static bool second() { return true; }
    static void append(DKmayaModifier& m, const MPlug& p, bool v) { m.setBoolValue(p, v); }
};

struct CharKind : NumericKind<char, int> {
    static MObject attribute() {
        MFnNumericAttribute fn;
        return fn.create("charValue", "chv", MFnNumericData::kChar, 1);
    }
    static char first() { return 'a'; }
    static char second() { return 'z'; }
    static void append(DKmayaModifier& m, const MPlug& p, char v) { m.setCharValue(p, v); }
};

template <typename Unit>
struct UnitKind {
    using Held = Unit;
    static double read(const MPlug& plug) {
        Unit value;
        plug.getValue(value);
        return value.value();
    }
    static void write(MPlug& plug, Held value) { plug.setValue(value); }
};

struct DistanceKind : UnitKind<MDistance> {
    static MObject attribute() {
        MFnUnitAttribute fn;
        return fn.create("distanceValue", "div", MFnUnitAttribute::kDistance, 1.0);
    }
    static MDistance first() { return MDistance(4.0, MDistance::kCentimeters); }
    static MDistance second() { return MDistance(-9.5, MDistance::kCentimeters); }
    static void append(DKmayaModifier& m, const MPlug& p, const MDistance& v) {
        m.setDistanceValue(p, v);
    }
};

struct AngleKind : UnitKind<MAngle> {
    static MObject attribute() {
        MFnUnitAttribute fn;
        return fn.create("angleValue", "anv", MFnUnitAttribute::kAngle, 0.25);
    }
    static MAngle first() { return MAngle(0.5, MAngle::kRadians); }
    static MAngle second() { return MAngle(1.25, MAngle::kRadians); }
    static void append(DKmayaModifier& m, const MPlug& p, const MAngle& v) {
        m.setAngleValue(p, v);
    }
};

struct TimeKind : UnitKind<MTime> {
    static MObject attribute() {
        MFnUnitAttribute fn;
        return fn.create("timeValue", "tiv", MFnUnitAttribute::kTime, 1.0);
    }
    static MTime first() { return MTime(12.0, MTime::kFilm); }
    static MTime second() { return MTime(30.0, MTime::kFilm); }
    static void append(DKmayaModifier& m, const MPlug& p, const MTime& v) { m.setTimeValue(p, v); }
};

struct StringKind {
    using Held = MString;
    static MObject attribute() {
        MFnTypedAttribute fn;
        MFnStringData fallback;
        return fn.create("stringValue", "stv", MFnData::kString, fallback.create("fallback text"));
    }
    static MString first() { return "first text"; }
    static MString second() { return "second text"; }
    static void append(DKmayaModifier& m, const MPlug& p, const MString& v) {
        m.setStringValue(p, v);
    }
    static std::string read(const MPlug& plug) {
        MString value;
        plug.getValue(value);
        return value.asChar();
    }
    static void write(MPlug& plug, Held value) { plug.setValue(value); }
};

// Object plugs carry data objects; an int array tells two values apart.
struct ObjectKind {
    using Held = MObject;
    static MObject attribute() {
        MFnTypedAttribute fn;
        return fn.create("arrayValue", "arv", MFnData::kIntArray, makeArray(7));
    }
    static MObject makeArray(int size) {
        MIntArray values(static_cast<unsigned>(size), size);
        MFnIntArrayData data;
        return data.create(values);
    }
    static MObject first() { return makeArray(2); }
    static MObject second() { return makeArray(5); }
    static void append(DKmayaModifier& m, const MPlug& p, const MObject& v) {
        m.setObjectValue(p, v);
    }
    static unsigned read(const MPlug& plug) {
        MObject value;
        plug.getValue(value);
        MFnIntArrayData data(value);
        return data.length();
    }
    static void write(MPlug& plug, Held value) { plug.setValue(value); }
};

template <typename Kind>
class SetValueOpTest : public dktest::HostTest {
protected:
    void SetUp() override {
        dktest::HostTest::SetUp();
        ASSERT_TRUE(dktest::run("createNode -n valueHolder transform"));
        MObject node = dktest::nodeObject("valueHolder");
        MFnDependencyNode holder(node);
        MObject attribute = Kind::attribute();
        ASSERT_EQ(holder.addAttribute(attribute), MS::kSuccess);
        plug = MPlug(node, attribute);
        typename Kind::Held first = Kind::first();
        Kind::write(plug, first);
    }

    MPlug plug;
};

using ValueKinds = ::testing::Types<DoubleKind, FloatKind, IntKind, ShortKind, BoolKind, CharKind,
                                    DistanceKind, AngleKind, TimeKind, StringKind, ObjectKind>;
TYPED_TEST_SUITE(SetValueOpTest, ValueKinds);

TYPED_TEST(SetValueOpTest, SwapsValuesThroughDoUndoAndRedo) {
    using Kind = TypeParam;
    typename Kind::Held firstValue = Kind::first();
    typename Kind::Held secondValue = Kind::second();
    MPlug written = this->plug;
    Kind::write(written, firstValue);
    const auto before = Kind::read(this->plug);
    Kind::write(written, secondValue);
    const auto after = Kind::read(this->plug);
    Kind::write(written, firstValue);
    ASSERT_NE(before, after);

    DKmayaModifier modifier;
    Kind::append(modifier, this->plug, secondValue);
    modifier.doIt();
    EXPECT_EQ(Kind::read(this->plug), after);
    modifier.undoIt();
    EXPECT_EQ(Kind::read(this->plug), before);
    modifier.doIt();
    EXPECT_EQ(Kind::read(this->plug), after);
    modifier.undoIt();
    EXPECT_EQ(Kind::read(this->plug), before);
}

// A value the host can not read is restored by undo as the attribute's
// default, which is what the same attribute reads on a fresh node (every
// default here differs from a value-initialized one).
TYPED_TEST(SetValueOpTest, AnUnreadableValueIsRestoredAsTheDefault) {
    using Kind = TypeParam;
    ASSERT_TRUE(dktest::run("createNode -n freshHolder transform"));
    MObject fresh = dktest::nodeObject("freshHolder");
    MObject attribute = Kind::attribute();
    ASSERT_EQ(MFnDependencyNode(fresh).addAttribute(attribute), MS::kSuccess);
    const auto fallback = Kind::read(MPlug(fresh, attribute));
    ASSERT_NE(fallback, Kind::read(this->plug));

    DKmayaModifier modifier;
    Kind::append(modifier, this->plug, Kind::second());
    host::faults::failNext("MPlug::getValue", this->plug.name().asChar());
    modifier.doIt();
    const bool readFailed = !host::faults::armedFor("MPlug::getValue");
    host::faults::clear();
    ASSERT_TRUE(readFailed) << "the setter never read the plug";
    modifier.undoIt();
    EXPECT_EQ(Kind::read(this->plug), fallback);
}

class SetValueFailureTest : public dktest::HostTest {};

// A write the host refuses reports the kind's context and changes nothing,
// so the modifier does not count it as done.
TEST_F(SetValueFailureTest, RefusedWriteNamesTheValueKindAndLeavesThePlug) {
    ASSERT_TRUE(dktest::run("createNode -n lockedHolder transform"));
    ASSERT_TRUE(dktest::run("setAttr lockedHolder.translateX 3"));
    ASSERT_TRUE(dktest::run("setAttr -lock true lockedHolder.translateX"));
    MPlug plug = dktest::plugByName("lockedHolder.translateX");

    DKmayaModifier modifier;
    modifier.setDoubleValue(plug, 8.0);
    try {
        modifier.doIt();
        FAIL() << "writing a locked plug succeeded";
    } catch (const DKmayaException& e) {
        EXPECT_EQ(e.message().rfind("Error setting double value: ", 0), 0u) << e.message();
    }
    EXPECT_EQ(modifier.executedCount(), 0u);
    double value = 0;
    plug.getValue(value);
    EXPECT_EQ(value, 3.0);

    // Dropping the refused step has nothing to put back, so it neither
    // fails nor writes, even once the plug would take the value.
    ASSERT_TRUE(dktest::run("setAttr -lock false lockedHolder.translateX"));
    modifier.removeLast(1);
    EXPECT_EQ(modifier.size(), 0u);
    plug.getValue(value);
    EXPECT_EQ(value, 3.0);
}

}  // namespace
