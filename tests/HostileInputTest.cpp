// The commands on input a user should not give them: element indices no
// multi can hold, empty and stale names, nodes of the wrong type, and nodes
// deleted while the command's undo still waits in the queue. Each must end
// in one error line (or a plain result), never a crash.

#include "PluginTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class HostileInputTest : public dktest::PluginTest {
protected:
    void SetUp() override {
        dktest::PluginTest::SetUp();
        ASSERT_TRUE(
            dktest::run("createNode transform -n t; addAttr -ln w -at double -m t;"
                        "createNode transform -n u; setAttr t.tx 3"));
        dktest::clearOutput();
    }
    // The text fails with exactly this one error line.
    static void refused(const std::string& mel, const std::string& line) {
        dktest::clearOutput();
        EXPECT_FALSE(dktest::run(mel)) << mel;
        EXPECT_EQ(dktest::errors(), Lines{line}) << mel;
    }
};

TEST_F(HostileInputTest, ElementIndicesNoMultiCanHoldAreNotFound) {
    for (const std::string index : {"-1", "99999999999", "2147483648", "4294967296"}) {
        const std::string plug = "t.w[" + index + "]";
        refused("dkAttrInfo -multi " + plug, "line 1: No object matches name: " + plug);
        refused("dkCopyPlugValue t.tx " + plug, "line 1: No object matches name: " + plug);
        refused("dkCopyPlugValue " + plug + " u.tx", "line 1: No object matches name: " + plug);
    }
    EXPECT_EQ(dktest::evalString("getAttr u.tx"), "0");
}

TEST_F(HostileInputTest, EmptyAndStaleNamesAndWrongTypes) {
    refused("dkAttrInfo -multi \"\"", "line 1: No object matches name: ");
    refused("dkUninstancer \"\"", "line 1: No object matches name: ");
    refused("dkUninstancer t",
            "dkUninstancer: Please select a single particle instancer, single particle system, or "
            "some number of individual particles.");
    ASSERT_TRUE(dktest::run("delete u"));
    refused("dkCopyPlugValue t.tx u.tx", "line 1: No object matches name: u.tx");
    // A very long name is only another name that is not there.
    const std::string longName(100000, 'n');
    refused("dkCopyPlugValue t.tx " + longName + ".tx",
            "line 1: No object matches name: " + longName + ".tx");
}

TEST_F(HostileInputTest, UndoAndRedoAroundADeletedNode) {
    // The node the command wrote goes before its undo runs; undoing the delete
    // first brings it back, so the copy's undo finds it.
    ASSERT_TRUE(dktest::run("dkCopyPlugValue t.tx u.tx"));
    ASSERT_TRUE(dktest::run("delete t u"));
    for (const char* step : {"undo", "undo", "redo", "redo", "undo", "undo"})
        EXPECT_TRUE(dktest::run(step)) << step;
    EXPECT_EQ(dktest::evalString("getAttr u.tx"), "0");
    EXPECT_TRUE(dktest::run("redo"));
    EXPECT_EQ(dktest::evalString("getAttr u.tx"), "3");
}

}  // namespace
