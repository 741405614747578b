#ifndef HOST_ANIMATION_TIME_H
#define HOST_ANIMATION_TIME_H

#include <maya/MTime.h>

namespace host {
class Node;

namespace animation {

// The scene's clock: the default "time" node whose outTime drives what
// changes with time. Null only before the default nodes exist.
Node* timeNode();

// Times as the clock and the playback settings keep them, in the unit they
// were given in; MAnimControl hands them out in the UI unit.
struct Playback {
    MTime minTime{1.0, MTime::kFilm};
    MTime maxTime{24.0, MTime::kFilm};
    MTime startTime{1.0, MTime::kFilm};
    MTime endTime{48.0, MTime::kFilm};
    double by = 1.0;
    double speed = 1.0;
    int mode = 1;  // MAnimControl::PlaybackMode, looping by default
    int view = 0;  // MAnimControl::PlaybackViewMode
    bool autoKey = false;
};
Playback& playback();

// The value of time1.outTime.
MTime clockTime();
// Sets time1.outTime; fails when it cannot be set (locked or driven).
bool setClockTime(const MTime& time);

// `time` expressed in the UI unit.
MTime inUIUnit(const MTime& time);

// currentTime and playbackOptions.
void registerTimeCommands();

}  // namespace animation
}  // namespace host

#endif
