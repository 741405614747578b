#include "Startup.h"
#include "expressions/Expression.h"
#include "files/FileCommands.h"
#include "foundation/Output.h"
#include "plugin/PluginManager.h"
#include "script/Interpreter.h"
#include "shading/ShadingEditor.h"
#include "undo/UndoCommands.h"

#include <maya/MLibrary.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool started = false;

std::vector<std::string> scriptPaths() {
    std::vector<std::string> dirs;
    if (const char* env = std::getenv("MAYA_SCRIPT_PATH")) {
        std::stringstream in(env);
        std::string dir;
        while (std::getline(in, dir, ':'))
            if (!dir.empty())
                dirs.push_back(dir);
    }
#ifdef MINIMAYA_DEFAULT_SCRIPT_PATH
    dirs.push_back(MINIMAYA_DEFAULT_SCRIPT_PATH);
#endif
    return dirs;
}

}  // namespace

MStatus MLibrary::initialize(const char* applicationName, bool viewLicense) {
    return initialize(true, applicationName, viewLicense);
}

MStatus MLibrary::initialize(bool wantScriptOutput, const char*, bool) {
    if (!wantScriptOutput)
        host::Output::instance().setEcho(nullptr);
    if (started)
        return MS::kSuccess;
    started = true;
    host::registerGraphNodeTypes();
    host::registerDagNodeTypes();
    host::registerParticleNodeTypes();
    host::createDefaultNodes();
    host::registerScriptCommands();
    host::plugin::registerCommands();
    host::undo::registerCommands();
    host::files::registerCommands();
    host::registerCurvesAndDeformers();
    host::shading::registerShadingNodeTypes();
    host::shading::registerShadingCommands();
    host::registerRendering();
    host::expressions::registerExpressions();
    host::registerFileNodeTypes();
    // Again, for the default nodes of the types registered since.
    host::createDefaultNodes();
    host::mel::Interpreter::instance().setScriptPaths(scriptPaths());
    return MS::kSuccess;
}

void MLibrary::cleanup(int exitStatus) {
    std::exit(exitStatus);
}
