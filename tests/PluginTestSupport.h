#ifndef DK_TESTS_PLUGINTESTSUPPORT_H
#define DK_TESTS_PLUGINTESTSUPPORT_H

// Shared by the plug-in's tests: one host per test program, MEL in and errors,
// results and printed text out, and DravikTools loaded on demand.

#include "foundation/Output.h"
#include "script/Interpreter.h"
#include "script/Value.h"

#include <maya/MGlobal.h>
#include <maya/MLibrary.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace dktest {

inline const char* pluginName() {
    return "DravikTools";
}

inline void startHost() {
    static const bool started = [] {
        MLibrary::initialize(false, "DravikToolsTests");
        host::Output::instance().setEcho(nullptr);
        return true;
    }();
    (void)started;
}

inline bool run(const std::string& mel) {
    return host::mel::Interpreter::instance().execute(mel);
}

// The script's last result as MEL prints it; empty when the script failed.
inline std::string evalString(const std::string& mel) {
    host::mel::Value result;
    if (!host::mel::Interpreter::instance().execute(mel, &result)) {
        ADD_FAILURE() << "failed: " << mel;
        return std::string();
    }
    return result.asString();
}

inline const std::vector<std::string>& errors() {
    return host::Output::instance().errors();
}
inline std::string captured() {
    return host::Output::instance().captured();
}
inline void clearOutput() {
    host::Output::instance().clearErrors();
    host::Output::instance().clearCaptured();
}

inline std::string statusText(MStatus status) {
    std::stringstream text;
    text << status;
    return text.str();
}

inline bool nodeExists(const std::string& name) {
    return evalString("objExists \"" + name + "\"") == "1";
}

inline MObject nodeObject(const std::string& name) {
    MSelectionList list;
    MObject node;
    if (MGlobal::getSelectionListByName(name.c_str(), list) != MS::kSuccess ||
        list.getDependNode(0, node) != MS::kSuccess) {
        ADD_FAILURE() << "no node " << name;
    }
    return node;
}

inline MPlug plugByName(const std::string& name) {
    MSelectionList list;
    MPlug plug;
    if (MGlobal::getSelectionListByName(name.c_str(), list) != MS::kSuccess ||
        list.getPlug(0, plug) != MS::kSuccess) {
        ADD_FAILURE() << "no plug " << name;
    }
    return plug;
}

inline bool pluginLoaded() {
    return evalString(std::string("pluginInfo -q -loaded ") + pluginName()) == "1";
}

// Command objects in the undo queue belong to the module; they go before it.
inline bool loadPlugin() {
    return run(std::string("loadPlugin ") + pluginName());
}
inline bool unloadPlugin() {
    return run(std::string("flushUndo; unloadPlugin ") + pluginName());
}

inline std::string modulePath() {
    const char* searchPath = std::getenv("MAYA_PLUG_IN_PATH");
    std::string directory = searchPath ? searchPath : "";
    directory = directory.substr(0, directory.find(':'));
    return directory + "/" + pluginName() + ".so";
}

// A fresh scene, an empty undo queue and no output left from earlier tests.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        startHost();
        run("file -f -new; flushUndo");
        clearOutput();
    }
    void TearDown() override {}
};

// The same, with DravikTools loaded for the test's duration.
class PluginTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        ASSERT_TRUE(loadPlugin());
        clearOutput();
    }
    void TearDown() override {
        unloadPlugin();
        HostTest::TearDown();
    }
};

}  // namespace dktest

#endif
