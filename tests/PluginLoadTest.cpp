// Loading and unloading DravikTools: what is registered while it is loaded,
// the exported API version, the scene-update callback, and the failure lines.

#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

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

TEST_F(PluginLoadTest, ShippedEditorProcedureIsHarmless) {
    ASSERT_TRUE(dktest::run("source \"dkHyperVeilInitEditors.mel\""));
    ASSERT_TRUE(dktest::loadPlugin());
    ASSERT_TRUE(dktest::run("file -f -new"));
    EXPECT_TRUE(dktest::errors().empty());
}

}  // namespace
