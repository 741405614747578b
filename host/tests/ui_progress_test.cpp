// The progress window and the interrupt request as a plug-in sees them.

#include "ui/Interaction.h"

#include <maya/MComputation.h>
#include <maya/MProgressWindow.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder : host::ui::ProgressListener {
    Recorder() { previous = host::ui::setProgressListener(this); }
    ~Recorder() override { host::ui::setProgressListener(previous); }
    void started(const host::ui::Progress& p) override { events.push_back(-1000 - p.value); }
    void changed(const host::ui::Progress& p) override { events.push_back(p.value); }
    void ended() override { events.push_back(-1); }
    std::vector<int> events;
    host::ui::ProgressListener* previous;
};

// One holder at a time; nothing changes it unreserved; values stay in the
// range; the listener hears only what happens while the window shows.
TEST(ProgressWindow, ReservedShownAndEnded) {
    Recorder recorder;
    EXPECT_EQ(MProgressWindow::setProgress(3), MS::kFailure);
    EXPECT_EQ(MProgressWindow::startProgress(), MS::kFailure);
    ASSERT_TRUE(MProgressWindow::reserve());
    EXPECT_FALSE(MProgressWindow::reserve());

    EXPECT_EQ(MProgressWindow::setProgressRange(10, 20), MS::kSuccess);
    EXPECT_EQ(MProgressWindow::setTitle("Baking"), MS::kSuccess);
    EXPECT_EQ(MProgressWindow::progress(), 10);
    EXPECT_EQ(MProgressWindow::startProgress(), MS::kSuccess);
    MProgressWindow::setProgress(25);
    MProgressWindow::advanceProgress(-2147483647);
    MProgressWindow::setProgress(15);
    MProgressWindow::advanceProgress(2);
    EXPECT_EQ(MProgressWindow::title(), MString("Baking"));
    EXPECT_EQ(MProgressWindow::endProgress(), MS::kSuccess);
    EXPECT_EQ(recorder.events, (std::vector<int>{-1010, 20, 10, 15, 17, -1}));

    ASSERT_TRUE(MProgressWindow::reserve());
    EXPECT_EQ(MProgressWindow::progressMax(), 100);
    EXPECT_EQ(MProgressWindow::title(), MString(""));
    MProgressWindow::endProgress();
}

// A request counts only while a computation runs and was made after it
// began; ending the computation forgets it. The window reports it as a
// cancel only when shown and interruptable.
TEST(Computation, InterruptRequests) {
    host::ui::requestInterrupt();
    MComputation computation;
    EXPECT_FALSE(computation.isInterruptRequested());
    computation.beginComputation();
    EXPECT_FALSE(computation.isInterruptRequested());

    ASSERT_TRUE(MProgressWindow::reserve());
    MProgressWindow::startProgress();
    host::ui::requestInterrupt();
    EXPECT_TRUE(computation.isInterruptRequested());
    EXPECT_FALSE(MProgressWindow::isCancelled());
    MProgressWindow::setInterruptable(true);
    EXPECT_TRUE(MProgressWindow::isCancelled());
    MProgressWindow::endProgress();
    EXPECT_FALSE(MProgressWindow::isCancelled());

    computation.endComputation();
    EXPECT_FALSE(host::ui::interruptRequested());
}

}  // namespace
