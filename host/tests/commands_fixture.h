#pragma once
// A fresh scene for each test of the built-in scene commands, with helpers
// to run MEL, read string results and check undo and redo against the
// scene's canonical text.

#include "plugin_support.h"

#include "files/SceneDump.h"
#include "graph/Data.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"
#include "undo/UndoQueue.h"

#include <maya/MAngle.h>
#include <maya/MDistance.h>
#include <maya/MGlobal.h>
#include <maya/MTime.h>

#include <string>
#include <vector>

namespace host::commands::testing {

class CommandsTest : public hosttest::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        Scene& scene = Scene::current();
        if (scene.nodesNamed("world").empty())
            scene.createNode("world", "world");
        scene.clear();
        MGlobal::clearSelectionList();
        resetUnits();
    }
    void TearDown() override { resetUnits(); }
    static void resetUnits() {
        MDistance::setUIUnit(MDistance::kCentimeters);
        MAngle::setUIUnit(MAngle::kDegrees);
        MTime::setUIUnit(MTime::kFilm);
    }

    static std::string scene() { return files::dumpScene(); }
    std::vector<std::string> strings(const std::string& mel) { return run(mel).toStringList(); }
    double number(const std::string& mel) { return run(mel).asFloat(); }
    std::vector<double> numbers(const std::string& mel) {
        host::mel::Value v = run(mel);
        return v.type() == host::mel::Type::FloatArray ? v.floatArray()
                                                       : std::vector<double>{v.asFloat()};
    }

    // Runs the text as one undoable step and checks that undo gives back
    // the scene as it was and redo the scene it made, twice over.
    void roundTrip(const std::string& mel) {
        undo::Queue& queue = undo::Queue::instance();
        std::string before = scene();
        queue.openChunk();
        run(mel);
        queue.closeChunk();
        std::string after = scene();
        EXPECT_NE(before, after) << mel << " changed nothing";
        for (int pass = 0; pass < 2; ++pass) {
            ASSERT_TRUE(queue.undo()) << mel;
            EXPECT_EQ(scene(), before) << "after undo of: " << mel;
            ASSERT_TRUE(queue.redo()) << mel;
            EXPECT_EQ(scene(), after) << "after redo of: " << mel;
        }
    }

    static Node* node(const std::string& name) {
        auto found = Scene::current().nodesNamed(name);
        return found.empty() ? nullptr : found.front();
    }
    static std::string parentOf(const std::string& name) {
        Node* n = node(name);
        return n && !n->parents.empty() ? n->parents.front()->name() : std::string();
    }
};

}  // namespace host::commands::testing
