#pragma once
// Script commands carried out by MPxCommand objects: the plug-ins' commands
// and those of the host's own that are written the same way.
//
// Each call makes a fresh object through the creator, gives doIt the call's
// arguments, hands what the command set as its result back to the script,
// and, when doIt succeeded and the command is undoable, records the object in
// the undo queue (which deletes it in the end); otherwise it is deleted.

#include <maya/MPxCommand.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>

#include <string>
#include <vector>

namespace host {
namespace plugin {

struct CommandAccess {
    static void prepare(MPxCommand& command, const MSyntax& syntax) { command.fSyntax = syntax; }
    static void setText(MPxCommand& command, const std::string& text) {
        command.fCommandString = text.c_str();
    }
};

// A command's call text, what commandString() gives, is made only when it is
// needed, as most calls never ask for it: while doIt runs, the first
// commandString() makes it and setCommandString() makes it needless; after,
// it is made for the undo queue.
void makePendingText(const MPxCommand& command);
void dropPendingText(const MPxCommand& command);

// pluginName is empty for the host's own commands. Fails with
// kInvalidParameter for a name that is not an identifier or a null creator,
// and with kFailure for a name that is already a command.
MStatus defineCommand(const std::string& name, MCreatorFunction creator,
                      MCreateSyntaxFunction createSyntax, const std::string& pluginName);
// Fails unless pluginName defined the command.
MStatus undefineCommand(const std::string& name, const std::string& pluginName);
// The syntax of a command carried out by an MPxCommand; false for others.
bool syntaxOf(const std::string& name, MSyntax& syntax);
// The commands a plug-in defined, in definition order.
std::vector<std::string> commandsOf(const std::string& pluginName);
// Whether a command of the plug-in is being carried out now.
bool isRunningCommandOf(const std::string& pluginName);

}  // namespace plugin
}  // namespace host
