// currentTime and playbackOptions. Neither is recorded for undo: moving the
// clock is not a scene edit, as with the host's time slider.
#include "animation/Time.h"
#include "commands/Support.h"
#include "plugin/Args.h"
#include "plugin/CommandBridge.h"
#include "script/Interpreter.h"

#include <maya/MAnimControl.h>
#include <maya/MArgDatabase.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <string>

namespace host {
namespace animation {

namespace {

MStatus fail(const std::string& message) {
    mel::Interpreter::instance().reportError(message);
    return MS::kFailure;
}

// currentTime [-q] [-e] [-u bool] [time]
class CurrentTimeCmd : public commands::ParsedCommand<MPxCommand> {
public:
    static void* creator() { return new CurrentTimeCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("u", "update", MSyntax::kBoolean);
        syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
        syntax.enableQuery();
        syntax.enableEdit();
        return syntax;
    }

    MStatus run(const MArgDatabase& db) override {
        MStringArray objects;
        db.getObjects(objects);
        if (db.isQuery()) {
            if (objects.length() != 0)
                return fail("currentTime: no time may be given with -query.");
            setResult(MAnimControl::currentTime().value());
            return MS::kSuccess;
        }
        if (objects.length() == 0)
            return fail("currentTime: a time is required.");
        double value = 0.0;
        if (!plugin::readMeasure(mel::Value(std::string(objects[0].asChar())), MSyntax::kTime,
                                 value))
            return fail(std::string("currentTime: invalid time: ") + objects[0].asChar());
        // The scene is evaluated lazily, so -update false (set the time without
        // evaluating) needs nothing different here.
        if (!MAnimControl::setCurrentTime(MTime(value, MTime::uiUnit())))
            return fail("currentTime: the time node's outTime cannot be set.");
        setResult(MAnimControl::currentTime().value());
        return MS::kSuccess;
    }
};

class PlaybackOptionsCmd : public commands::ParsedCommand<MPxCommand> {
public:
    static void* creator() { return new PlaybackOptionsCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("min", "minTime", MSyntax::kTime);
        syntax.addFlag("max", "maxTime", MSyntax::kTime);
        syntax.addFlag("ast", "animationStartTime", MSyntax::kTime);
        syntax.addFlag("aet", "animationEndTime", MSyntax::kTime);
        syntax.addFlag("by", "by", MSyntax::kDouble);
        syntax.addFlag("ps", "playbackSpeed", MSyntax::kDouble);
        syntax.addFlag("l", "loop", MSyntax::kString);
        syntax.addFlag("v", "view", MSyntax::kString);
        syntax.enableQuery();
        syntax.enableEdit();
        return syntax;
    }

    MStatus run(const MArgDatabase& db) override { return db.isQuery() ? query(db) : edit(db); }

private:
    static const char* const* loopNames() {
        static const char* const names[] = {"once", "continuous", "oscillate"};
        return names;
    }
    static const char* const* viewNames() {
        static const char* const names[] = {"all", "active"};
        return names;
    }

    static MStatus query(const MArgDatabase& db) {
        if (db.isFlagSet("min"))
            setResult(MAnimControl::minTime().value());
        else if (db.isFlagSet("max"))
            setResult(MAnimControl::maxTime().value());
        else if (db.isFlagSet("ast"))
            setResult(MAnimControl::animationStartTime().value());
        else if (db.isFlagSet("aet"))
            setResult(MAnimControl::animationEndTime().value());
        else if (db.isFlagSet("by"))
            setResult(MAnimControl::playbackBy());
        else if (db.isFlagSet("ps"))
            setResult(MAnimControl::playbackSpeed());
        else if (db.isFlagSet("l"))
            setResult(loopNames()[MAnimControl::playbackMode()]);
        else if (db.isFlagSet("v"))
            setResult(viewNames()[MAnimControl::viewMode()]);
        else
            return fail("playbackOptions: a flag to query is required.");
        return MS::kSuccess;
    }

    static bool pick(const MString& given, const char* const* names, int count, int& index) {
        for (int i = 0; i < count; ++i)
            if (given == names[i]) {
                index = i;
                return true;
            }
        return false;
    }

    static MStatus edit(const MArgDatabase& db) {
        int loop = MAnimControl::playbackMode();
        int view = MAnimControl::viewMode();
        MString text;
        if (db.getFlagArgument("l", 0, text) && !pick(text, loopNames(), 3, loop))
            return fail(std::string("playbackOptions: invalid loop value: ") + text.asChar());
        if (db.getFlagArgument("v", 0, text) && !pick(text, viewNames(), 2, view))
            return fail(std::string("playbackOptions: invalid view value: ") + text.asChar());
        double by = MAnimControl::playbackBy();
        if (db.getFlagArgument("by", 0, by) && !(by > 0.0))
            return fail("playbackOptions: -by must be greater than 0.");
        double speed = MAnimControl::playbackSpeed();
        if (db.getFlagArgument("ps", 0, speed) && speed < 0.0)
            return fail("playbackOptions: -playbackSpeed must not be negative.");
        // Everything is checked before anything changes. The animation range
        // goes first so that a playback range given with it fits inside.
        MTime t;
        if (db.getFlagArgument("ast", 0, t))
            MAnimControl::setAnimationStartTime(t);
        if (db.getFlagArgument("aet", 0, t))
            MAnimControl::setAnimationEndTime(t);
        if (db.getFlagArgument("min", 0, t))
            MAnimControl::setMinTime(t);
        if (db.getFlagArgument("max", 0, t))
            MAnimControl::setMaxTime(t);
        MAnimControl::setPlaybackBy(by);
        MAnimControl::setPlaybackSpeed(speed);
        MAnimControl::setPlaybackMode(static_cast<MAnimControl::PlaybackMode>(loop));
        MAnimControl::setViewMode(static_cast<MAnimControl::PlaybackViewMode>(view));
        return MS::kSuccess;
    }
};

}  // namespace

void registerTimeCommands() {
    plugin::defineCommand("currentTime", CurrentTimeCmd::creator, CurrentTimeCmd::newSyntax, "");
    plugin::defineCommand("playbackOptions", PlaybackOptionsCmd::creator,
                          PlaybackOptionsCmd::newSyntax, "");
}

}  // namespace animation
}  // namespace host
