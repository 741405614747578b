#pragma once
// Test hook: makes chosen registration steps fail, so that a plug-in's
// failure paths can be driven end to end. Never armed outside of tests.
//
//   host::faults::failNext("MFnPlugin::registerCommand", "dkCopyAttr");
//
// makes the next registerCommand of "dkCopyAttr" return kFailure (and do
// nothing). Steps are named "Class::member":
//   MFnPlugin::registerCommand, MFnPlugin::deregisterCommand (subject: the
//   command name), MFnPlugin::registerNode (the type name),
//   MFnPlugin::deregisterNode (the type id, in decimal), MFnPlugin::registerUI,
//   MSceneMessage::addCallback, MNodeMessage::addNodeAboutToDeleteCallback,
//   MMessage::removeCallback (the id, in decimal), MPlug::getValue (the
//   plug's name as MPlug::name gives it: the typed reads of a number, a
//   string or an object then report kFailure and leave the value as it was).

#include <maya/MStatus.h>

#include <functional>
#include <string>

namespace host {
namespace faults {

// An empty subject matches any. Each armed fault fires once.
void failNext(const std::string& step, const std::string& subject = std::string(),
              MS::MStatusCode code = MS::kFailure);
void clear();

// Whether a fault of this step is armed, for steps whose subject is costly
// to work out.
bool armedFor(const char* step);

// Called by the steps: true, with status set, when an armed fault matches
// (which is then used up).
bool fire(const std::string& step, const std::string& subject, MStatus& status);

// Called with the plug-in's name when its initializePlugin has failed, before
// the host removes what it registered, so a test can see what a failed load
// had registered up to its failing step.
void onFailedInitialize(std::function<void(const std::string& pluginName)> observer);
void notifyFailedInitialize(const std::string& pluginName);

}  // namespace faults
}  // namespace host
