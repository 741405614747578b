#pragma once
// What the user does to a running command from outside it: asking it to
// stop, and watching its progress. The API's MComputation and
// MProgressWindow read and feed these; minimaya and the tests drive them.

#include <functional>
#include <string>

namespace host {
namespace ui {

// The user asks the running computation to stop. Safe to call from a signal
// handler: it only sets a flag.
void requestInterrupt();
bool interruptRequested();
void clearInterrupt();

// What the progress window shows.
struct Progress {
    std::string title;
    std::string status;
    int minValue = 0;
    int maxValue = 100;
    int value = 0;
    bool interruptable = false;
};

// Told when the window starts, after every change while it shows, and when
// it ends. A listener may request an interrupt.
class ProgressListener {
public:
    virtual ~ProgressListener() = default;
    virtual void started(const Progress& progress) = 0;
    virtual void changed(const Progress& progress) = 0;
    virtual void ended() = 0;
};

// The listener (null for none) is not owned; returns the one it replaces.
ProgressListener* setProgressListener(ProgressListener* listener);
ProgressListener* progressListener();

}  // namespace ui
}  // namespace host
