#include "commands/uninstancer/DKframeProgress.h"

#include <maya/MProgressWindow.h>

DKframeProgress::DKframeProgress(const char* title, std::int32_t firstFrame,
                                 std::int32_t lastFrame) {
    computation_.beginComputation();
    window_ = MProgressWindow::reserve();
    if (window_) {
        MProgressWindow::setTitle(title);
        MProgressWindow::setProgressRange(firstFrame, lastFrame);
        MProgressWindow::setProgress(firstFrame);
        MProgressWindow::setInterruptable(true);
        MProgressWindow::startProgress();
    }
}

DKframeProgress::~DKframeProgress() {
    if (window_) {
        MProgressWindow::endProgress();
    }
    computation_.endComputation();
}

bool DKframeProgress::frameDone(std::int64_t frame) {
    if (window_) {
        MProgressWindow::setProgress(static_cast<int>(frame));
    }
    return computation_.isInterruptRequested() || (window_ && MProgressWindow::isCancelled());
}
