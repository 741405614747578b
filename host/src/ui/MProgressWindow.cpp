#include <maya/MProgressWindow.h>

#include "ui/Interaction.h"

#include <algorithm>

namespace {

using host::ui::Progress;

struct Window {
    bool reserved = false;
    bool shown = false;
    Progress progress;
};

Window& window() {
    static Window w;
    return w;
}

void tellChanged() {
    if (window().shown)
        if (host::ui::ProgressListener* l = host::ui::progressListener())
            l->changed(window().progress);
}

// Every setter needs the window reserved first.
template <class Change>
MStatus change(Change&& apply) {
    if (!window().reserved)
        return MS::kFailure;
    apply(window().progress);
    tellChanged();
    return MS::kSuccess;
}

int clamped(const Progress& p, long long value) {
    const long long top = std::max(p.minValue, p.maxValue);
    return static_cast<int>(std::max<long long>(p.minValue, std::min(value, top)));
}

}  // namespace

bool MProgressWindow::reserve() {
    if (window().reserved)
        return false;
    window() = Window{};
    window().reserved = true;
    return true;
}

MStatus MProgressWindow::startProgress() {
    if (!window().reserved || window().shown)
        return MS::kFailure;
    window().shown = true;
    if (host::ui::ProgressListener* l = host::ui::progressListener())
        l->started(window().progress);
    return MS::kSuccess;
}

MStatus MProgressWindow::endProgress() {
    if (!window().reserved)
        return MS::kFailure;
    const bool wasShown = window().shown;
    window() = Window{};
    if (wasShown)
        if (host::ui::ProgressListener* l = host::ui::progressListener())
            l->ended();
    return MS::kSuccess;
}

MStatus MProgressWindow::setProgressRange(const int minValue, const int maxValue) {
    return change([&](Progress& p) {
        p.minValue = minValue;
        p.maxValue = maxValue;
        p.value = clamped(p, p.value);
    });
}

MStatus MProgressWindow::setProgressMin(const int minValue) {
    return setProgressRange(minValue, window().progress.maxValue);
}

MStatus MProgressWindow::setProgressMax(const int maxValue) {
    return setProgressRange(window().progress.minValue, maxValue);
}

int MProgressWindow::progressMin() {
    return window().progress.minValue;
}

int MProgressWindow::progressMax() {
    return window().progress.maxValue;
}

MStatus MProgressWindow::setProgress(const int progress) {
    return change([&](Progress& p) { p.value = clamped(p, progress); });
}

MStatus MProgressWindow::advanceProgress(const int amount) {
    return change(
        [&](Progress& p) { p.value = clamped(p, static_cast<long long>(p.value) + amount); });
}

int MProgressWindow::progress() {
    return window().progress.value;
}

MStatus MProgressWindow::setTitle(const MString& title) {
    return change([&](Progress& p) { p.title = title.asChar(); });
}

MString MProgressWindow::title() {
    return MString(window().progress.title.c_str());
}

MStatus MProgressWindow::setProgressStatus(const MString& progressStatus) {
    return change([&](Progress& p) { p.status = progressStatus.asChar(); });
}

MString MProgressWindow::progressStatus() {
    return MString(window().progress.status.c_str());
}

MStatus MProgressWindow::setInterruptable(const bool value) {
    return change([&](Progress& p) { p.interruptable = value; });
}

bool MProgressWindow::isInterruptable() {
    return window().progress.interruptable;
}

bool MProgressWindow::isCancelled() {
    return window().shown && window().progress.interruptable && host::ui::interruptRequested();
}
