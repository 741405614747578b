// Loading and unloading plug-in modules: search, version check, entry
// points, what the host removes after the plug-in, and pluginInfo.

#include "plugin/FaultInjection.h"
#include "plugin/Messages.h"
#include "plugin_support.h"

#include <maya/MMessage.h>
#include <maya/MSceneMessage.h>

#include <dlfcn.h>

#include <cstdlib>

namespace {

using hosttest::HostFixture;

const std::string kDir = HOST_TEST_PLUGIN_DIR;

class LoadTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        setenv("MAYA_PLUG_IN_PATH", ("/nonexistent:" + kDir).c_str(), 1);
        run("global int $tpUI[]; $tpUI = {0, 0};"
            "global proc tpCreateBatchUI() { global int $tpUI[]; $tpUI[0]++; }"
            "global proc tpDeleteBatchUI() { global int $tpUI[]; $tpUI[1]++; }");
    }
    void TearDown() override {
        host::faults::clear();
        if (text("pluginInfo -q -loaded TestPlugin") == "1") {
            run("unloadPlugin TestPlugin");
        }
    }

    // The module's exported state, read while it is loaded.
    template <class T>
    static T state(const char* name) {
        void* module = dlopen((kDir + "/TestPlugin.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!module) {
            ADD_FAILURE() << "TestPlugin is not loaded";
            return T();
        }
        const T value = *static_cast<T*>(dlsym(module, name));
        dlclose(module);
        return value;
    }
    static bool moduleMapped() {
        void* module = dlopen((kDir + "/TestPlugin.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (module) {
            dlclose(module);
        }
        return module != nullptr;
    }
};

TEST_F(LoadTest, LoadsFromTheSearchPathAndUnloadsAgain) {
    const host::mel::Value loaded = run("loadPlugin TestPlugin");
    EXPECT_EQ(loaded.text(), "TestPlugin");
    EXPECT_TRUE(out().errors().empty());
    EXPECT_TRUE(mel().commandExists("tpCounter"));
    EXPECT_EQ(text("tpEcho -n hello a b"), "hello a b");
    // The batch procedures run in a session without a user interface.
    EXPECT_EQ(text("global int $tpUI[]; $tpUI[0]"), "1");

    EXPECT_EQ(text("unloadPlugin TestPlugin"), "TestPlugin");
    EXPECT_EQ(text("global int $tpUI[]; $tpUI[1]"), "1");
    EXPECT_FALSE(mel().commandExists("tpCounter"));
    EXPECT_FALSE(moduleMapped());
    EXPECT_EQ(text("pluginInfo -q -loaded TestPlugin"), "0");
}

TEST_F(LoadTest, TakesPathsAndFileNames) {
    EXPECT_EQ(text("loadPlugin \"" + kDir + "/TestPlugin\""), "TestPlugin");
    // Loaded already: a warning, nothing loaded.
    out().clearCaptured();
    EXPECT_EQ(run("loadPlugin TestPlugin.so").size(), 0u);
    EXPECT_NE(out().captured().find("Plug-in, \"TestPlugin\", is already loaded."),
              std::string::npos);
    out().clearCaptured();
    run("loadPlugin -quiet TestPlugin");
    EXPECT_EQ(out().captured().find("already loaded"), std::string::npos);
    EXPECT_EQ(text("unloadPlugin TestPlugin.so"), "TestPlugin");
}

TEST_F(LoadTest, ReportsWhatCannotBeLoaded) {
    EXPECT_EQ(failure("loadPlugin NoSuchPlugin"),
              "line 1: Plug-in, \"NoSuchPlugin\", was not found on MAYA_PLUG_IN_PATH.");
    EXPECT_EQ(failure("loadPlugin FuturePlugin"),
              "line 1: Plug-in, \"FuturePlugin\", was built for API version 201100; this host "
              "runs API version 200800.");
    EXPECT_EQ(failure("unloadPlugin TestPlugin"),
              "line 1: Plug-in, \"TestPlugin\", is not loaded.");
    EXPECT_EQ(failure("pluginInfo -q -version TestPlugin"),
              "line 1: Plug-in, \"TestPlugin\", is not loaded.");
}

TEST_F(LoadTest, PluginInfoAnswersForALoadedPlugin) {
    run("loadPlugin TestPlugin");
    EXPECT_EQ(text("pluginInfo -q -version TestPlugin"), "2.5");
    EXPECT_EQ(text("pluginInfo -q -vendor TestPlugin"), "Test Vendor");
    EXPECT_EQ(text("pluginInfo -q -path TestPlugin"), kDir + "/TestPlugin.so");
    EXPECT_EQ(text("pluginInfo -q -command TestPlugin"), "tpCounter tpEcho");
    EXPECT_EQ(text("pluginInfo -q -dependNode TestPlugin"), "tpNode");
    EXPECT_NE(text("pluginInfo -q -listPlugins").find("TestPlugin"), std::string::npos);
    EXPECT_EQ(failure("pluginInfo -version TestPlugin"),
              "line 1: pluginInfo: the flag -version can only be queried.");
}

TEST_F(LoadTest, AFailedInitializeRemovesWhatThePluginRegistered) {
    std::vector<std::string> registeredAtFailure;
    host::faults::onFailedInitialize([&](const std::string&) {
        for (const char* name : {"tpCounter", "tpEcho"}) {
            if (mel().commandExists(name)) {
                registeredAtFailure.push_back(name);
            }
        }
    });
    host::faults::failNext("MFnPlugin::registerNode", "tpNode");
    EXPECT_EQ(failure("loadPlugin TestPlugin"),
              "line 1: initializePlugin function failed (TestPlugin)");
    EXPECT_EQ(registeredAtFailure, (std::vector<std::string>{"tpCounter", "tpEcho"}));
    EXPECT_FALSE(mel().commandExists("tpCounter"));
    EXPECT_FALSE(moduleMapped());
    // The fault is used up: the next load works.
    run("loadPlugin TestPlugin");
    EXPECT_TRUE(mel().commandExists("tpCounter"));
}

TEST_F(LoadTest, AFailedCallbackRegistrationFailsTheLoad) {
    host::faults::failNext("MSceneMessage::addCallback");
    EXPECT_EQ(failure("loadPlugin TestPlugin"),
              "line 1: initializePlugin function failed (TestPlugin)");
    EXPECT_EQ(text("pluginInfo -q -loaded TestPlugin"), "0");
}

TEST_F(LoadTest, AFailedUninitializeLeavesThePluginLoaded) {
    run("loadPlugin TestPlugin");
    host::faults::failNext("MFnPlugin::deregisterCommand", "tpCounter");
    EXPECT_EQ(failure("unloadPlugin TestPlugin"),
              "line 1: uninitializePlugin function failed (TestPlugin)");
    EXPECT_EQ(text("pluginInfo -q -loaded TestPlugin"), "1");
    EXPECT_TRUE(mel().commandExists("tpEcho"));
}

TEST_F(LoadTest, CallbacksLeftByThePluginAreRemovedAtUnload) {
    run("loadPlugin TestPlugin");
    host::messages::sceneMessage(MSceneMessage::kSceneUpdate);
    EXPECT_EQ(state<int>("tpSceneUpdates"), 1);
    const MCallbackId id = state<MCallbackId>("tpCallbackId");
    run("unloadPlugin TestPlugin");
    // The module is gone: calling its callback would crash here.
    host::messages::sceneMessage(MSceneMessage::kSceneUpdate);
    EXPECT_EQ(MMessage::removeCallback(id), MS::kFailure);
}

TEST_F(LoadTest, UnloadEmptiesTheUndoQueueOfThePluginsCommands) {
    run("loadPlugin TestPlugin");
    EXPECT_EQ(text("tpCounter; tpCounter"), "2");
    EXPECT_EQ(state<int>("tpLiveCommands"), 2);
    run("undo");
    EXPECT_EQ(state<int>("tpCounterValue"), 1);
    EXPECT_EQ(state<int>("tpLiveCommands"), 2);
    run("unloadPlugin TestPlugin");
    EXPECT_FALSE(host::undo::Queue::instance().canUndo());
    EXPECT_FALSE(host::undo::Queue::instance().canRedo());
}

}  // namespace
