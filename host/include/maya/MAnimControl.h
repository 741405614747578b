#ifndef MINIMAYA_MANIMCONTROL_H
#define MINIMAYA_MANIMCONTROL_H

#include <maya/MStatus.h>
#include <maya/MTime.h>
#include <maya/MTypes.h>

// The scene's clock and its playback settings. Times come back in the UI
// time unit; setting the current time moves time1.outTime, so everything
// that depends on time is evaluated afresh when next read.
class OPENMAYA_EXPORT MAnimControl {
public:
    enum PlaybackMode { kPlaybackOnce, kPlaybackLoop, kPlaybackOscillate };
    enum PlaybackViewMode { kPlaybackViewAll, kPlaybackViewActive };

    MAnimControl();
    virtual ~MAnimControl();

    static PlaybackMode playbackMode();
    static MStatus setPlaybackMode(PlaybackMode mode);
    static PlaybackViewMode viewMode();
    static MStatus setViewMode(PlaybackViewMode mode);
    static double playbackBy();
    static MStatus setPlaybackBy(const double& increment);
    static double playbackSpeed();
    static MStatus setPlaybackSpeed(double speed);

    // The playback range.
    static MTime minTime();
    static MTime maxTime();
    static MStatus setMinTime(MTime newMinTime);
    static MStatus setMaxTime(MTime newMaxTime);
    static MStatus setMinMaxTime(MTime newMinTime, MTime newMaxTime);
    // The animation range, which holds the playback range.
    static MTime animationStartTime();
    static MTime animationEndTime();
    static MStatus setAnimationStartTime(MTime newStartTime);
    static MStatus setAnimationEndTime(MTime newEndTime);
    static MStatus setAnimationStartEndTime(MTime newStartTime, MTime newEndTime);

    static MTime currentTime();
    static MStatus setCurrentTime(const MTime& newTime);

    // The stand-in host never plays interactively: it is never playing.
    static bool isPlaying();
    static bool autoKeyMode();
    static MStatus setAutoKeyMode(bool mode);
};

#endif
