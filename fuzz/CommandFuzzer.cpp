// The module's commands with flags, arguments and objects drawn from the
// input, against a fixed scene of particles, an instancer, a mesh and nodes
// with dynamic attributes. Whatever an input does, undoing all of it must
// give back the scene it started on.

#include "FuzzHost.h"

#include "files/SceneDump.h"
#include "undo/UndoQueue.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kScene =
    "createNode transform -n cube; createNode locator -n cubeShape -p cube;"
    "setAttr cube.translate 1 0 0; setAttr cube.rotate 10 20 30;"
    "createNode transform -n rig; setAttr rig.scale 2 2 2;"
    "createNode transform -n cone -p rig; createNode locator -n coneShape -p cone;"
    "addAttr -ln extra -at double cube; addAttr -ln list -at long -m cube;"
    "setAttr cube.list[2] 5; addAttr -ln note -dt \"string\" cone;"
    "addAttr -ln pair -at double2 cone; addAttr -ln pairA -at double -p pair cone;"
    "addAttr -ln pairB -at double -p pair cone;"
    "polyCube -n box; instance -n cubeCopy cube;"
    "emitter -pos 5 5 5 -typ direction -r 40 -dx 1 -dy 1 -dz 1 -sp 0.1 -spd 4 -n emitter1;"
    "particle; connectDynamic -em emitter1 particle1;"
    "addAttr -ln lifespanPP -dt doubleArray particleShape1;"
    "addAttr -ln lifespan -at double particleShape1;"
    "setAttr particleShape1.lifespanMode 2; setAttr particleShape1.lifespan 1.5;"
    "particleInstancer -obj cube -obj cone -r velocity -n instancer1 particleShape1;"
    "currentTime 1; select -cl; flushUndo;";

struct Command {
    const char* name;
    std::vector<const char*> flags;
};

const std::vector<Command> kCommands = {
    {"dkMap", {"-dm", "-deleteMap", "-dam", "-i", "-insert", "-er", "-f", "-ex", "-exists"}},
    {"dkNodeInfo", {"-shd", "-shared"}},
    {"dkAttrInfo",
     {"-ins", "-pp", "-gen", "-w", "-msg", "-con", "-par", "-mul", "-mel", "-any", "-all",
      "-multiElement"}},
    {"dkCopyPlugValue", {}},
    {"dkCopyAttr", {"-a", "-attribute", "-p", "-cap", "-h", "-w", "-r", "-readable"}},
    {"dkUninstancer", {"-ins", "-cai", "-sf", "-ef", "-fs", "-bt", "-bakeType"}},
};

// Host commands between the module's: what the module reads (selection,
// time) and undo and redo of what it did.
const std::vector<const char*> kHostCommands = {
    "select -r", "select -add", "select -cl;", "currentTime", "undo;", "redo;", "delete",
};

const std::vector<const char*> kWords = {
    "cube",
    "cubeShape",
    "cone",
    "rig",
    "box",
    "boxShape",
    "cubeCopy",
    "particle1",
    "particleShape1",
    "instancer1",
    "emitter1",
    "time1",
    "|cube",
    "|rig|cone",
    "cube.tx",
    "cube.translate",
    "cube.extra",
    "cube.list",
    "cube.list[2]",
    "cube.list[-1]",
    "cone.pair",
    "cone.pairA",
    "cone.note",
    "cube.message",
    "particleShape1.position",
    "particleShape1.lifespanPP",
    "instancer1.inputHierarchy[0]",
    "box.vtx[0]",
    "nothing",
    "cube.nothing",
    "map0",
    "map1",
    "",
    "0",
    "1",
    "-1",
    "3",
    "10",
    "2147483648",
    "1e300",
    "nan",
    "on",
    "off",
    "true",
    "geometry",
    "animation",
    "*",
    "cube.",
    ".tx",
    "|",
    "-",
};

std::string quoted(const std::string& word) {
    std::string out = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// Lines that read frames keep their numbers to a few hundred: a frame far beyond
// the scene's makes the dynamics run up to it, which is honest work, only slow.
std::string word(FuzzedDataProvider& in, bool frames) {
    std::string text = in.ConsumeIntegralInRange(0, 7) == 0
                           ? in.ConsumeRandomLengthString(40)
                           : kWords[in.ConsumeIntegralInRange<std::size_t>(0, kWords.size() - 1)];
    if (frames && !(std::fabs(std::strtod(text.c_str(), nullptr)) <= 300))
        text.insert(0, "x");
    return text;
}

std::string commandLine(FuzzedDataProvider& in) {
    std::string line;
    if (in.ConsumeIntegralInRange(0, 3) == 0) {
        line = kHostCommands[in.ConsumeIntegralInRange<std::size_t>(0, kHostCommands.size() - 1)];
        if (line.back() == ';')
            return line;
        return line + " " + quoted(word(in, line == "currentTime")) + ";";
    }
    const Command& command =
        kCommands[in.ConsumeIntegralInRange<std::size_t>(0, kCommands.size() - 1)];
    line = command.name;
    const bool frames = line == "dkUninstancer";
    const int tokens = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < tokens; ++i) {
        line += ' ';
        if (!command.flags.empty() && in.ConsumeBool())
            line +=
                command.flags[in.ConsumeIntegralInRange<std::size_t>(0, command.flags.size() - 1)];
        else
            line += quoted(word(in, frames));
    }
    return line + ";";
}

void buildScene() {
    dkfuzz::newSession();
    if (!dkfuzz::run(kScene)) {
        std::fprintf(stderr, "the fixed scene does not build\n");
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dkfuzz::startHost();
    // Rebuilding costs far more than a run; undo keeps the scene as built, and a
    // rebuild now and then sheds whatever undo does not reach (maps, the time).
    static unsigned runs = 0;
    static std::string built;
    if (runs++ % 200 == 0) {
        buildScene();
        built = host::files::dumpScene();
    }
    FuzzedDataProvider in(data, size);
    std::string script;
    for (int n = 0; n < 6 && in.remaining_bytes() > 0; ++n) {
        const std::string line = commandLine(in);
        dkfuzz::run(line);
        script += line + "\n";
    }
    host::undo::Queue& queue = host::undo::Queue::instance();
    while (queue.canUndo())
        if (!queue.undo())
            break;
    // Time is no edit of the scene; particles are where they were once it is back.
    dkfuzz::run("currentTime 1;");
    if (host::files::dumpScene() != built) {
        std::fprintf(stderr, "undoing everything did not give back the scene:\n%s\n",
                     script.c_str());
        __builtin_trap();
    }
    dkfuzz::run("flushUndo; dkMap -dam; flushUndo; select -cl;");
    dkfuzz::clearOutput();
    return 0;
}
