// A bake the user stops: it ends after the frame it was asked at, keeps
// what it made as one undoable result, and leaves the progress window and
// the interrupt request to whoever comes next.

#include "PluginTestSupport.h"
#include "UninstancerTestScenes.h"

#include "files/SceneDump.h"
#include "ui/Interaction.h"

#include <maya/MProgressWindow.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dktest::captured;
using dktest::clearOutput;
using dktest::errors;
using dktest::evalStrings;
using dktest::run;
using Names = std::vector<std::string>;

// Watches the progress window and asks to stop once it shows `stopAt`.
class StopAt : public host::ui::ProgressListener {
public:
    explicit StopAt(int frame) : stopAt_(frame) { previous_ = host::ui::setProgressListener(this); }
    ~StopAt() override { host::ui::setProgressListener(previous_); }

    void started(const host::ui::Progress& progress) override {
        ++starts;
        range = {progress.minValue, progress.maxValue};
        interruptable = progress.interruptable;
    }
    void changed(const host::ui::Progress& progress) override {
        if (shown.empty() || shown.back() != progress.value) {
            shown.push_back(progress.value);
        }
        if (progress.value == stopAt_) {
            host::ui::requestInterrupt();
        }
    }
    void ended() override { ++ends; }

    int starts = 0, ends = 0;
    bool interruptable = false;
    std::vector<int> range, shown;

private:
    int stopAt_;
    host::ui::ProgressListener* previous_;
};

class UninstancerInterruptTest : public dktest::PluginTest {
protected:
    // The bake stopped at frame 9 leaves the very scene and result that a
    // bake ending at frame 9 does, and one undo takes it all back.
    void expectStoppedLikeShorterBake(const std::string& flags) {
        ASSERT_TRUE(dktest::buildIndexedScene());
        ASSERT_TRUE(run("currentTime 4"));
        const std::string before = host::files::dumpScene();
        const Names shorter = evalStrings("dkUninstancer " + flags + " -sf 4 -ef 9 instancer1");
        const std::string shorterScene = host::files::dumpScene();
        ASSERT_TRUE(run("undo; currentTime 4"));
        ASSERT_EQ(host::files::dumpScene(), before);
        clearOutput();

        Names stopped;
        std::string stoppedScene;
        {
            StopAt listener(9);
            stopped = evalStrings("dkUninstancer " + flags + " -sf 4 -ef 16 instancer1");
            stoppedScene = host::files::dumpScene();
            EXPECT_EQ(listener.starts, 1);
            EXPECT_EQ(listener.ends, 1);
            EXPECT_TRUE(listener.interruptable);
            EXPECT_EQ(listener.range, (std::vector<int>{4, 16}));
            EXPECT_EQ(listener.shown, (std::vector<int>{4, 5, 6, 7, 8, 9}));
        }
        ASSERT_FALSE(shorter.empty());
        EXPECT_EQ(stopped, shorter);
        EXPECT_EQ(stoppedScene, shorterScene);
        EXPECT_TRUE(errors().empty()) << errors().front();
        EXPECT_NE(captured().find("// Warning: dkUninstancer: stopped after frame 9 at the user's "
                                  "request; the copies made so far are kept. //"),
                  std::string::npos)
            << captured();

        // The request was taken up, and the window is free again.
        EXPECT_FALSE(host::ui::interruptRequested());
        ASSERT_TRUE(MProgressWindow::reserve());
        MProgressWindow::endProgress();

        ASSERT_TRUE(run("undo; currentTime 4"));
        EXPECT_EQ(host::files::dumpScene(), before);
        ASSERT_TRUE(run("redo; currentTime 9"));
        EXPECT_EQ(host::files::dumpScene(), stoppedScene);
    }
};

TEST_F(UninstancerInterruptTest, AGeometryBakeStopsAfterTheFrameAskedAt) {
    expectStoppedLikeShorterBake("");
}

TEST_F(UninstancerInterruptTest, AnAnimationBakeStopsAfterTheFrameAskedAt) {
    expectStoppedLikeShorterBake("-bt animation");
}

// A request made before the bake began, or one made at its last frame,
// stops nothing; a progress window held by someone else leaves the bake
// without one.
TEST_F(UninstancerInterruptTest, RequestsOutsideTheRangeAndAWindowHeldElsewhere) {
    ASSERT_TRUE(dktest::buildIndexedScene());
    const Names whole = evalStrings("dkUninstancer -sf 4 -ef 6 instancer1");
    ASSERT_TRUE(run("undo"));

    host::ui::requestInterrupt();
    EXPECT_EQ(evalStrings("dkUninstancer -sf 4 -ef 6 instancer1"), whole);
    ASSERT_TRUE(run("undo"));
    {
        StopAt atTheEnd(6);
        EXPECT_EQ(evalStrings("dkUninstancer -sf 4 -ef 6 instancer1"), whole);
        ASSERT_TRUE(run("undo"));
    }
    EXPECT_EQ(captured().find("Warning"), std::string::npos) << captured();

    ASSERT_TRUE(MProgressWindow::reserve());
    StopAt unseen(5);
    EXPECT_EQ(evalStrings("dkUninstancer -sf 4 -ef 6 instancer1"), whole);
    EXPECT_EQ(unseen.starts, 0);
    MProgressWindow::endProgress();
    EXPECT_TRUE(errors().empty()) << errors().front();
}

}  // namespace
