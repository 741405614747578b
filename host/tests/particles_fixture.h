#pragma once
// A fresh scene at frame 1 of film time for each particle test, with
// helpers to reach nodes and per-particle values by name.

#include <gtest/gtest.h>

#include "animation/Time.h"
#include "graph/Scene.h"
#include "mel_fixture.h"

#include <maya/MAnimControl.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnParticleSystem.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MGlobal.h>
#include <maya/MLibrary.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MTime.h>

#include <string>

namespace host::particles::testing {

class ParticleTest : public mel::testing::MelTest {
protected:
    void SetUp() override {
        MLibrary::initialize(false, "particle_tests");
        MelTest::SetUp();
        Scene& scene = Scene::current();
        if (scene.nodesNamed("world").empty())
            scene.createNode("world", "world");
        scene.clear();
        MGlobal::clearSelectionList();
        MTime::setUIUnit(MTime::kFilm);
        animation::playback() = animation::Playback{};
        frame(1);
    }
    void TearDown() override {
        MTime::setUIUnit(MTime::kFilm);
        MelTest::TearDown();
    }

    static void frame(double f) {
        ASSERT_TRUE(MAnimControl::setCurrentTime(MTime(f, MTime::kFilm)));
    }
    static MObject object(const std::string& name) {
        MSelectionList list;
        MObject node;
        EXPECT_TRUE(MGlobal::getSelectionListByName(name.c_str(), list)) << name;
        list.getDependNode(0, node);
        return node;
    }
    static MFnParticleSystem shape(const std::string& name) {
        MStatus status;
        MFnParticleSystem fn(object(name), &status);
        EXPECT_TRUE(status) << name;
        return fn;
    }
    static void setNumber(const std::string& node, const char* attribute, double value) {
        MPlug plug = MFnDependencyNode(object(node)).findPlug(attribute);
        ASSERT_TRUE(plug.setValue(value)) << node << "." << attribute;
    }
    static void select(const std::string& name) {
        ASSERT_TRUE(MGlobal::selectByName(name.c_str(), MGlobal::kReplaceList)) << name;
    }
    static void addDoubleArray(const std::string& node, const std::string& attribute) {
        MFnTypedAttribute typed;
        MObject a = typed.create(attribute.c_str(), attribute.c_str(), MFnData::kDoubleArray);
        ASSERT_TRUE(MFnDependencyNode(object(node)).addAttribute(a)) << attribute;
    }
    static void addVectorArray(const std::string& node, const std::string& attribute) {
        MFnTypedAttribute typed;
        MObject a = typed.create(attribute.c_str(), attribute.c_str(), MFnData::kVectorArray);
        ASSERT_TRUE(MFnDependencyNode(object(node)).addAttribute(a)) << attribute;
    }
    static std::vector<int> ids(const std::string& name) {
        MIntArray values;
        shape(name).particleIds(values);
        std::vector<int> out;
        for (unsigned k = 0; k < values.length(); ++k)
            out.push_back(values[k]);
        return out;
    }
    static std::vector<double> doublesOf(const std::string& name, const char* attribute) {
        MDoubleArray values;
        MStatus status;
        MString attributeName(attribute);
        shape(name).getPerParticleAttribute(attributeName, values, &status);
        EXPECT_TRUE(status) << attribute;
        std::vector<double> out;
        for (unsigned k = 0; k < values.length(); ++k)
            out.push_back(values[k]);
        return out;
    }
    static void setDoubles(const std::string& name, const char* attribute,
                           const std::vector<double>& values) {
        MDoubleArray array;
        for (double v : values)
            array.append(v);
        MStatus status;
        MString attributeName(attribute);
        shape(name).setPerParticleAttribute(attributeName, array, &status);
        ASSERT_TRUE(status) << attribute;
    }
    static void setVectors(const std::string& name, const char* attribute,
                           const std::vector<MVector>& values) {
        MVectorArray array;
        for (const MVector& v : values)
            array.append(v);
        MStatus status;
        MString attributeName(attribute);
        shape(name).setPerParticleAttribute(attributeName, array, &status);
        ASSERT_TRUE(status) << attribute;
    }
};

}  // namespace host::particles::testing
