#include "FuzzHost.h"

#include "files/SceneFile.h"
#include "foundation/Output.h"
#include "plugin/PluginManager.h"
#include "script/Interpreter.h"

#include <maya/MLibrary.h>

#include <cstdio>
#include <cstdlib>

namespace dkfuzz {

namespace {

using host::mel::CommandCall;
using host::mel::Interpreter;

[[noreturn]] void giveUp(const char* what) {
    std::fprintf(stderr, "fuzz host: %s\n", what);
    std::abort();
}

// Scene files begin with `requires maya "2008"` and may ask for DravikTools,
// which is loaded already; any other module stays out of the process.
bool requiresLoaded(CommandCall& call) {
    if (call.args.size() != 2) {
        Interpreter::instance().reportError("requires: Give a name and a version.");
        return false;
    }
    const std::string name = call.args[0].text();
    if (name == "maya" || host::plugin::PluginManager::instance().find(name))
        return true;
    Interpreter::instance().reportError("requires: The plug-in \"" + name + "\" is not loaded.");
    return false;
}

}  // namespace

void startHost() {
    static const bool started = [] {
        MLibrary::initialize(false, "DravikToolsFuzz");
        host::Output::instance().setEcho(nullptr);
        Interpreter& mel = Interpreter::instance();
        if (!mel.execute("loadPlugin DravikTools"))
            giveUp("DravikTools does not load");
        // Nothing a fuzzed script does may reach the file system, the process or a shell.
        for (const char* command : {"file", "loadPlugin", "unloadPlugin", "putenv", "fopen",
                                    "sysFile", "system", "exec", "workspace"})
            mel.undefineCommand(command);
        mel.defineCommand("requires", requiresLoaded);
        mel.setStatementLimit(kStatementLimit);
        return true;
    }();
    (void)started;
}

void clearOutput() {
    host::Output::instance().clearCaptured();
    host::Output::instance().clearErrors();
}

void newSession() {
    if (!host::files::newScene(true))
        giveUp("file -new failed");
    Interpreter::instance().reset();
    clearOutput();
}

bool run(const std::string& text) {
    return Interpreter::instance().execute(text);
}

std::string text(const uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace dkfuzz
