// Long random runs of scene commands, undos and redos (fixed seeds): after
// every step the scene must be what the commands still in effect give when
// they run alone on a new scene. Undo that leaves a trace, or redo that
// does not bring a change back exactly, shows up as a difference of dumps.

#include "files_fixture.h"
#include "undo_random_run.h"

namespace host::files::testing {
namespace {

class RandomEditTest : public FilesTest {
protected:
    using Step = host::testing::RandomUndoRun::Step;

    host::testing::RandomUndoRun* random = nullptr;  // the run being made

    size_t pick(size_t n) { return random->pick(n); }
    std::string number() {
        static const char* const values[] = {"0", "1", "-2.5", "0.1", "3", "1e-05", "100"};
        return values[pick(std::size(values))];
    }

    // The names of the transforms, shapes and dynamic attributes the run
    // made that exist now.
    std::vector<Node*> nodes(const char* type) const {
        std::vector<Node*> found;
        for (Node* node : Scene::current().allNodes())
            if (!node->isDefault && node->type().name == type)
                found.push_back(node);
        return found;
    }

    std::string command(unsigned& serial) {
        std::vector<Node*> transforms = nodes("transform");
        std::vector<Node*> shapes = nodes("locator");
        const std::string fresh = std::to_string(++serial);
        auto any = [&](const std::vector<Node*>& list) {
            return "\"" + list[pick(list.size())]->name() + "\"";
        };
        auto plugOf = [&](const std::vector<Node*>& list, const char* attribute) {
            return "\"" + list[pick(list.size())]->name() + "." + attribute + "\"";
        };
        static const char* const channels[] = {"tx", "ty", "rz", "sx", "dyn"};
        const char* channel = channels[pick(std::size(channels))];
        if (transforms.size() < 2)
            return "createNode transform -n \"t" + fresh + "\"";
        switch (pick(13)) {
            case 0:
                return "createNode transform -n \"t" + fresh + "\"";
            case 1:
                return "createNode transform -n \"t" + fresh + "\" -p " + any(transforms);
            case 2:
                return "createNode locator -n \"s" + fresh + "\" -p " + any(transforms);
            case 3:
                return "setAttr " + plugOf(transforms, channel) + " " + number();
            case 4:
                return "setAttr " + plugOf(transforms, "v") + (pick(2) ? " no" : " yes");
            case 5:
                return "addAttr -ln \"dyn\" -at \"double\" -dv " + number() + " " + any(transforms);
            case 6:
                return "deleteAttr " + plugOf(transforms, "dyn");
            case 7:
                return "connectAttr " + plugOf(transforms, channel) + " " +
                       plugOf(transforms, channel);
            case 8:
                return "disconnectAttr " + plugOf(transforms, channel) + " " +
                       plugOf(transforms, channel);
            case 9:
                return pick(3) ? "parent " + any(transforms) + " " + any(transforms)
                               : "parent -w " + any(transforms);
            case 10:
                if (shapes.empty())
                    return "delete " + any(transforms);
                return "parent -s -add " + any(shapes) + " " + any(transforms);
            case 11:
                return "rename " + any(transforms) + " \"r" + fresh + "\"";
            default:
                return pick(3) ? "delete " + any(transforms)
                               : "setAttr -l on " + plugOf(transforms, channel);
        }
    }

    // A run of the given length; undo and redo are a third of the steps.
    std::vector<Step> run(unsigned seed, size_t length) {
        host::testing::RandomUndoRun run(seed, dumpScene);
        random = &run;
        unsigned serial = 0;
        for (size_t i = 0; i < length; ++i)
            run.step([&] { return command(serial); });
        random = nullptr;
        return run.steps();
    }

    void replayAndCompare(const std::vector<Step>& steps) {
        undo::Queue::instance().setState(false);
        for (size_t i = 0; i < steps.size(); ++i) {
            ASSERT_TRUE(newScene(true));
            for (const std::string& command : steps[i].surviving)
                ASSERT_TRUE(mel(command)) << "step " << i << ": " << command << "\n" << lastError();
            ASSERT_EQ(dumpScene(), steps[i].state)
                << "after step " << i << " (" << steps[i].command << ")";
        }
        undo::Queue::instance().setState(true);
    }
};

TEST_F(RandomEditTest, UndoAndRedoAgreeWithReplayingWhatSurvives) {
    for (const char* needed : {"createNode", "setAttr", "addAttr", "deleteAttr", "connectAttr",
                               "disconnectAttr", "parent", "rename", "delete", "undo", "redo"})
        ASSERT_TRUE(commandExists(needed)) << needed;
    undo::Queue::instance().setState(true);
    for (unsigned seed : {7u, 1234u, 99991u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ASSERT_TRUE(newScene(true));
        replayAndCompare(run(seed, 120));
    }
}

// The same runs saved and opened at their end give the same scene.
TEST_F(RandomEditTest, RandomScenesSurviveASaveAndAnOpen) {
    undo::Queue::instance().setState(true);
    for (unsigned seed : {5u, 77u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ASSERT_TRUE(newScene(true));
        run(seed, 80);
        const std::string p = path("random.ma");
        setSceneName(p);
        ASSERT_TRUE(saveScene(""));
        const std::string before = dumpScene();
        ASSERT_TRUE(openScene(p, false)) << lastError() << "\n" << readFile(p);
        EXPECT_EQ(dumpScene(), before) << readFile(p);
    }
}

}  // namespace
}  // namespace host::files::testing
