// Loading and unloading DravikTools: what is registered while it is loaded,
// the exported API version, the scene-update callback, and the failure lines.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"

#include "plugin/FaultInjection.h"
#include "script/Interpreter.h"

#include <maya/MStatus.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class PluginLoadTest : public dktest::HostTest {
protected:
    void TearDown() override {
        if (dktest::pluginLoaded()) {
            dktest::unloadPlugin();
        }
        dktest::HostTest::TearDown();
    }
};

TEST_F(PluginLoadTest, CommandsLiveExactlyWhileLoaded) {
    EXPECT_FALSE(dktest::run("dkMap -ex m"));
    dktest::clearOutput();

    ASSERT_TRUE(dktest::loadPlugin());
    EXPECT_TRUE(dktest::errors().empty());
    EXPECT_TRUE(dktest::run("dkMap -ex m"));
    EXPECT_TRUE(dktest::run("createNode -n plain transform; dkNodeInfo -shd plain"));

    ASSERT_TRUE(dktest::unloadPlugin());
    EXPECT_TRUE(dktest::errors().empty());
    EXPECT_FALSE(dktest::run("dkMap -ex m"));
    EXPECT_FALSE(dktest::run("dkNodeInfo -shd plain"));
}

TEST_F(PluginLoadTest, LoadsAgainAfterUnload) {
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(dktest::loadPlugin());
        ASSERT_TRUE(dktest::unloadPlugin());
    }
    EXPECT_TRUE(dktest::errors().empty());
}

// Each round leaves the module's work live at unload: maps in the store,
// bakes and copies waiting in the undo queue, and a forced unload with a
// veil in the scene. The next load must start clean; the sanitizer build
// checks that nothing leaks.
TEST_F(PluginLoadTest, CyclesWithWorkLiveStartCleanEachTime) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    ASSERT_TRUE(dktest::run("addAttr -ln weight cube"));
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(dktest::loadPlugin());
        EXPECT_EQ(dktest::evalString("dkMap -ex kept"), "0") << round;
        ASSERT_TRUE(dktest::run("dkMap kept; dkMap -i k v kept"));
        ASSERT_TRUE(dktest::run("dkUninstancer -sf 1 -ef 3 instancer1"));
        ASSERT_TRUE(dktest::run("dkUninstancer -bt animation -sf 1 -ef 3 instancer1"));
        ASSERT_TRUE(
            dktest::run("dkCopyAttr -a cube.weight -p round" + std::to_string(round) + " cone"))
            << dktest::errors().back();
        if (round == 2) {
            ASSERT_TRUE(dktest::run("createNode dkHyperVeil -n veil"));
            ASSERT_TRUE(dktest::run("unloadPlugin -f DravikTools"));
        } else {
            ASSERT_TRUE(dktest::unloadPlugin());
        }
        EXPECT_EQ(dktest::evalString("undoInfo -q -undoName"), "") << round;
    }
    EXPECT_TRUE(dktest::errors().empty());
    ASSERT_TRUE(dktest::run("file -f -new"));
}

TEST_F(PluginLoadTest, ExportsTheApiVersionItWasBuiltFor) {
    void* module = dlopen(dktest::modulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    const auto* version = static_cast<const char*>(dlsym(module, "MApiVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version, "200800");
    dlclose(module);
}

// The scene-update callback runs dkHyperVeilInitEditors by name; a procedure
// of that name defined here shows each run.
TEST_F(PluginLoadTest, SceneUpdatesRunTheEditorProcedureOnlyWhileLoaded) {
    ASSERT_TRUE(dktest::loadPlugin());
    ASSERT_TRUE(dktest::run("global proc dkHyperVeilInitEditors() { print \"<editors>\"; }"));
    dktest::clearOutput();
    ASSERT_TRUE(dktest::run("file -f -new"));
    EXPECT_NE(dktest::captured().find("<editors>"), std::string::npos);

    ASSERT_TRUE(dktest::unloadPlugin());
    dktest::clearOutput();
    ASSERT_TRUE(dktest::run("file -f -new"));
    EXPECT_EQ(dktest::captured().find("<editors>"), std::string::npos);
    EXPECT_TRUE(dktest::errors().empty());
    ASSERT_TRUE(dktest::run("source \"dkHyperVeilInitEditors.mel\""));
}

// The host runs the batch procedures in a session without a user interface;
// the interactive ones must still do nothing there when called.
TEST_F(PluginLoadTest, UiProceduresDoNothingWithoutAUserInterface) {
    ASSERT_TRUE(dktest::loadPlugin());
    EXPECT_TRUE(dktest::run("dkDravikToolsCreateUI; dkDravikToolsDeleteUI; dkDravikToolsDeleteUI"));
    EXPECT_TRUE(dktest::errors().empty());
}

TEST_F(PluginLoadTest, ShippedEditorProcedureIsHarmless) {
    ASSERT_TRUE(dktest::run("source \"dkHyperVeilInitEditors.mel\""));
    ASSERT_TRUE(dktest::loadPlugin());
    ASSERT_TRUE(dktest::run("file -f -new"));
    EXPECT_TRUE(dktest::errors().empty());
}

bool commandExists(const std::string& name) {
    return host::mel::Interpreter::instance().commandExists(name);
}

// The frame's own line; the host adds its own report after it.
std::vector<std::string> pluginFrameLines() {
    std::vector<std::string> lines;
    for (const std::string& line : dktest::errors()) {
        if (line.rfind("Dravik Tools: ", 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::string apiError(const std::string& message) {
    return "Dravik Tools: : API error encountered - " + message;
}

std::string failureString() {
    return MStatus(MS::kFailure).errorString().asChar();
}

class PluginFaultTest : public PluginLoadTest {
protected:
    void SetUp() override {
        PluginLoadTest::SetUp();
        host::faults::onFailedInitialize([this](const std::string&) {
            registeredAtFailure = {commandExists("dkNodeInfo"), commandExists("dkMap")};
        });
    }
    void TearDown() override {
        host::faults::clear();
        host::faults::onFailedInitialize(nullptr);
        PluginLoadTest::TearDown();
    }

    // dkNodeInfo, dkMap: whether each was registered when the load gave up.
    std::vector<bool> registeredAtFailure;
};

TEST_F(PluginFaultTest, FailedCommandRegistrationKeepsEarlierStepsAndReportsOnce) {
    host::faults::failNext("MFnPlugin::registerCommand", "dkMap");
    EXPECT_FALSE(dktest::loadPlugin());
    EXPECT_EQ(registeredAtFailure, (std::vector<bool>{true, false}));
    EXPECT_EQ(pluginFrameLines(), Lines{apiError(failureString())});
}

TEST_F(PluginFaultTest, FailedUiRegistrationComesAfterEveryCommand) {
    host::faults::failNext("MFnPlugin::registerUI");
    EXPECT_FALSE(dktest::loadPlugin());
    EXPECT_EQ(registeredAtFailure, (std::vector<bool>{true, true}));
    EXPECT_EQ(pluginFrameLines(), Lines{apiError(failureString())});
}

TEST_F(PluginFaultTest, FailedCallbackRegistrationNamesItsContext) {
    host::faults::failNext("MSceneMessage::addCallback");
    EXPECT_FALSE(dktest::loadPlugin());
    EXPECT_EQ(registeredAtFailure, (std::vector<bool>{true, true}));
    EXPECT_EQ(pluginFrameLines(), Lines{apiError("Error adding nodeAdded callback: " +
                                                 dktest::statusText(MStatus(MS::kFailure)))});
}

// The maps go first and are not restored; with the callback still in place
// every command stays, and a second unload can finish the job.
TEST_F(PluginFaultTest, FailedCallbackRemovalKeepsEveryCommandButNotTheMaps) {
    ASSERT_TRUE(dktest::loadPlugin());
    ASSERT_TRUE(dktest::run("dkMap lost"));
    host::faults::failNext("MMessage::removeCallback");
    EXPECT_FALSE(dktest::unloadPlugin());
    EXPECT_EQ(pluginFrameLines(), Lines{apiError("Error removing sceneUpdated callback: " +
                                                 dktest::statusText(MStatus(MS::kFailure)))});
    EXPECT_TRUE(commandExists("dkNodeInfo"));
    EXPECT_TRUE(commandExists("dkMap"));
    EXPECT_EQ(dktest::evalString("dkMap -ex lost"), "0");

    dktest::clearOutput();
    EXPECT_TRUE(dktest::unloadPlugin());
    EXPECT_TRUE(dktest::errors().empty());
}

// Commands leave in their own order, dkMap before dkNodeInfo. Past the
// callback step nothing is restored, so the module cannot be unloaded again:
// the case runs in a child process of its own.
using PluginFaultDeathTest = PluginFaultTest;

TEST_F(PluginFaultDeathTest, FailedCommandRemovalStopsAfterTheCommandsRemovedBeforeIt) {
    ASSERT_TRUE(dktest::loadPlugin());
    EXPECT_EXIT(
        {
            host::faults::failNext("MFnPlugin::deregisterCommand", "dkNodeInfo");
            const bool failed = !dktest::unloadPlugin();
            const bool reported = pluginFrameLines() == Lines{apiError(failureString())};
            const bool removedInOrder = !commandExists("dkMap") && commandExists("dkNodeInfo");
            std::_Exit(failed && reported && removedInOrder ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
