#pragma once
// A fresh scene for each scene-file test, with the file commands defined,
// helpers to add dynamic attributes and to run MEL.

#include <gtest/gtest.h>

#include "files/FileCommands.h"
#include "files/SceneDump.h"
#include "files/SceneFile.h"
#include "foundation/Output.h"
#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"
#include "script/Interpreter.h"
#include "undo/UndoQueue.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MGlobal.h>
#include <maya/MLibrary.h>
#include <maya/MPlug.h>
#include <maya/MStringArray.h>
#include <maya/MTime.h>

#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace host::files::testing {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        MLibrary::initialize(false, "files_tests");
        Output::instance().setEcho(nullptr);
        ASSERT_TRUE(newScene(true));
        Output::instance().clearCaptured();
        Output::instance().clearErrors();
    }
    void TearDown() override {
        for (const std::string& path : m_paths)
            std::remove(path.c_str());
        MDistance::setUIUnit(MDistance::kCentimeters);
        MAngle::setUIUnit(MAngle::kDegrees);
        MTime::setUIUnit(MTime::kFilm);
        Output::instance().setEcho(&std::cout);
    }

    static Node& make(const std::string& type, const std::string& name, Node* parent = nullptr) {
        NodePtr node = Scene::current().createNode(type, name, parent);
        EXPECT_TRUE(node) << type;
        return *node;
    }
    static MObject object(Node& node) { return Scene::current().object(&node); }
    static void add(Node& node, const MObject& attribute) {
        MFnDependencyNode fn(object(node));
        ASSERT_TRUE(fn.addAttribute(attribute));
    }
    static MPlug plug(Node& node, const std::string& attribute) {
        MStatus status;
        MPlug p = MFnDependencyNode(object(node)).findPlug(attribute.c_str(), &status);
        EXPECT_TRUE(status) << attribute;
        return p;
    }
    static std::vector<std::string> texts(const MPlug& p,
                                          MPlug::MValueSelector selector = MPlug::kAll,
                                          bool longNames = false) {
        MStringArray cmds;
        EXPECT_TRUE(MPlug(p).getSetAttrCmds(cmds, selector, longNames));
        std::vector<std::string> out;
        for (unsigned i = 0; i < cmds.length(); ++i)
            out.push_back(cmds[i].asChar());
        return out;
    }

    static bool mel(const std::string& text) { return mel::Interpreter::instance().execute(text); }
    static std::string melText(const std::string& text) {
        mel::Value v;
        EXPECT_TRUE(mel::Interpreter::instance().execute(text, &v)) << text;
        return v.text();
    }
    static std::string lastError() {
        const auto& errors = Output::instance().errors();
        return errors.empty() ? std::string() : errors.back();
    }
    static bool commandExists(const std::string& name) {
        return mel::Interpreter::instance().commandExists(name);
    }

    // A path in the test's own temporary folder, removed after the test.
    std::string path(const std::string& name) {
        std::string p = ::testing::TempDir() + "files_" + std::to_string(getpid()) + "_" + name;
        m_paths.push_back(p);
        return p;
    }
    static void writeFile(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::vector<std::string> m_paths;
};

}  // namespace host::files::testing
