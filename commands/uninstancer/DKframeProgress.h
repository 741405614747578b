#ifndef DK_COMMANDS_UNINSTANCER_DKFRAMEPROGRESS_H
#define DK_COMMANDS_UNINSTANCER_DKFRAMEPROGRESS_H

#include <maya/MComputation.h>

#include <cstdint>

// A bake's progress over its frame range, and the user's request to stop
// it. Asked once per frame, so that it costs nothing next to the frame's
// copies. The progress window is used only when nobody else holds it; the
// request to stop is heard either way.
class DKframeProgress {
public:
    DKframeProgress(const char* title, std::int32_t firstFrame, std::int32_t lastFrame);
    ~DKframeProgress();
    DKframeProgress(const DKframeProgress&) = delete;
    DKframeProgress& operator=(const DKframeProgress&) = delete;

    // Shows the frame as done; true when the user asked to stop.
    bool frameDone(std::int64_t frame);

private:
    MComputation computation_;
    bool window_ = false;
};

#endif
