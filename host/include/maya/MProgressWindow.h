#ifndef MINIMAYA_MPROGRESSWINDOW_H
#define MINIMAYA_MPROGRESSWINDOW_H

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

// The application's one progress window. A caller reserves it, sets it up,
// starts it, moves it along and ends it; while it is reserved nobody else
// can have it. The stand-in host hands what it shows to a listener
// (minimaya draws one line on a terminal's standard error).
class OPENMAYA_EXPORT MProgressWindow {
public:
    static bool reserve();
    static MStatus startProgress();
    static MStatus endProgress();

    static MStatus setProgressRange(const int minValue, const int maxValue);
    static MStatus setProgressMin(const int minValue);
    static MStatus setProgressMax(const int maxValue);
    static int progressMin();
    static int progressMax();

    static MStatus setProgress(const int progress);
    static MStatus advanceProgress(const int amount);
    static int progress();

    static MStatus setTitle(const MString& title);
    static MString title();
    static MStatus setProgressStatus(const MString& progressStatus);
    static MString progressStatus();

    static MStatus setInterruptable(const bool value);
    static bool isInterruptable();
    static bool isCancelled();

private:
    MProgressWindow();
};

#endif
