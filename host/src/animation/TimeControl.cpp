#include "animation/Curve.h"
#include "animation/Time.h"
#include "expressions/Expression.h"
#include "graph/PlugAccess.h"
#include "graph/Scene.h"

#include <maya/MAnimControl.h>

namespace host {
namespace animation {

Node* timeNode() {
    for (Node* node : Scene::current().nodesNamed("time1"))
        if (node->type().hasFn(MFn::kTime))
            return node;
    for (Node* node : Scene::current().allNodes())
        if (node->inScene && node->isDefault && node->type().hasFn(MFn::kTime))
            return node;
    return nullptr;
}

Playback& playback() {
    static Playback settings;
    return settings;
}

namespace {
PlugRef outTime(Node& clock) {
    return PlugRef{&clock, PlugPath{clock.findAttribute("outTime"), {}}};
}
}  // namespace

MTime clockTime() {
    Node* clock = timeNode();
    if (!clock)
        return inUIUnit(MTime(0.0, MTime::kSeconds));
    return MTime(valueAsDouble(evaluate(outTime(*clock))), MTime::kSeconds);
}

bool setClockTime(const MTime& time) {
    Node* clock = timeNode();
    if (!clock || !assign(outTime(*clock), time.as(MTime::kSeconds)))
        return false;
    clockMoved();
    expressions::clockMoved();
    return true;
}

MTime inUIUnit(const MTime& time) {
    const MTime::Unit ui = MTime::uiUnit();
    return MTime(time.as(ui), ui);
}

}  // namespace animation
}  // namespace host

using host::animation::inUIUnit;
using host::animation::playback;

MAnimControl::MAnimControl() = default;
MAnimControl::~MAnimControl() = default;

MAnimControl::PlaybackMode MAnimControl::playbackMode() {
    return static_cast<PlaybackMode>(playback().mode);
}

MStatus MAnimControl::setPlaybackMode(PlaybackMode mode) {
    if (mode < kPlaybackOnce || mode > kPlaybackOscillate)
        return MS::kInvalidParameter;
    playback().mode = mode;
    return MS::kSuccess;
}

MAnimControl::PlaybackViewMode MAnimControl::viewMode() {
    return static_cast<PlaybackViewMode>(playback().view);
}

MStatus MAnimControl::setViewMode(PlaybackViewMode mode) {
    if (mode != kPlaybackViewAll && mode != kPlaybackViewActive)
        return MS::kInvalidParameter;
    playback().view = mode;
    return MS::kSuccess;
}

double MAnimControl::playbackBy() {
    return playback().by;
}

MStatus MAnimControl::setPlaybackBy(const double& increment) {
    if (!(increment > 0.0))
        return MS::kInvalidParameter;
    playback().by = increment;
    return MS::kSuccess;
}

double MAnimControl::playbackSpeed() {
    return playback().speed;
}

MStatus MAnimControl::setPlaybackSpeed(double speed) {
    if (speed < 0.0)
        return MS::kInvalidParameter;
    playback().speed = speed;
    return MS::kSuccess;
}

MTime MAnimControl::minTime() {
    return inUIUnit(playback().minTime);
}
MTime MAnimControl::maxTime() {
    return inUIUnit(playback().maxTime);
}
MTime MAnimControl::animationStartTime() {
    return inUIUnit(playback().startTime);
}
MTime MAnimControl::animationEndTime() {
    return inUIUnit(playback().endTime);
}

// The playback range always lies inside the animation range: moving an end
// of one drags the other along rather than refusing the change.
MStatus MAnimControl::setMinTime(MTime newMinTime) {
    auto& p = playback();
    p.minTime = newMinTime;
    if (p.maxTime < p.minTime)
        p.maxTime = p.minTime;
    if (p.minTime < p.startTime)
        p.startTime = p.minTime;
    if (p.endTime < p.maxTime)
        p.endTime = p.maxTime;
    return MS::kSuccess;
}

MStatus MAnimControl::setMaxTime(MTime newMaxTime) {
    auto& p = playback();
    p.maxTime = newMaxTime;
    if (p.maxTime < p.minTime)
        p.minTime = p.maxTime;
    if (p.endTime < p.maxTime)
        p.endTime = p.maxTime;
    if (p.minTime < p.startTime)
        p.startTime = p.minTime;
    return MS::kSuccess;
}

MStatus MAnimControl::setMinMaxTime(MTime newMinTime, MTime newMaxTime) {
    if (newMaxTime < newMinTime)
        return MS::kInvalidParameter;
    setMinTime(newMinTime);
    return setMaxTime(newMaxTime);
}

MStatus MAnimControl::setAnimationStartTime(MTime newStartTime) {
    auto& p = playback();
    p.startTime = newStartTime;
    if (p.endTime < p.startTime)
        p.endTime = p.startTime;
    if (p.minTime < p.startTime)
        p.minTime = p.startTime;
    if (p.maxTime < p.minTime)
        p.maxTime = p.minTime;
    return MS::kSuccess;
}

MStatus MAnimControl::setAnimationEndTime(MTime newEndTime) {
    auto& p = playback();
    p.endTime = newEndTime;
    if (p.endTime < p.startTime)
        p.startTime = p.endTime;
    if (p.endTime < p.maxTime)
        p.maxTime = p.endTime;
    if (p.maxTime < p.minTime)
        p.minTime = p.maxTime;
    return MS::kSuccess;
}

MStatus MAnimControl::setAnimationStartEndTime(MTime newStartTime, MTime newEndTime) {
    if (newEndTime < newStartTime)
        return MS::kInvalidParameter;
    setAnimationStartTime(newStartTime);
    return setAnimationEndTime(newEndTime);
}

MTime MAnimControl::currentTime() {
    return inUIUnit(host::animation::clockTime());
}

MStatus MAnimControl::setCurrentTime(const MTime& newTime) {
    return host::animation::setClockTime(newTime) ? MS::kSuccess : MS::kFailure;
}

bool MAnimControl::isPlaying() {
    return false;
}
bool MAnimControl::autoKeyMode() {
    return playback().autoKey;
}

MStatus MAnimControl::setAutoKeyMode(bool mode) {
    playback().autoKey = mode;
    return MS::kSuccess;
}
