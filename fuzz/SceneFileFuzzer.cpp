// Arbitrary bytes as a scene file opened over a scene that holds a node, so
// that a refused file must leave that scene as it was.

#include "FuzzHost.h"

#include "files/SceneDump.h"
#include "files/SceneFile.h"

#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

const std::string& scenePath() {
    static const std::string path = "/tmp/dk_scene_fuzz_" + std::to_string(getpid()) + ".ma";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dkfuzz::startHost();
    dkfuzz::newSession();
    dkfuzz::run("createNode transform -n keeper; setAttr keeper.tx 3;");
    const std::string before = host::files::dumpScene();
    {
        std::ofstream out(scenePath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    if (!host::files::openScene(scenePath(), true) && host::files::dumpScene() != before) {
        std::fprintf(stderr, "a refused scene file changed the scene\n");
        __builtin_trap();
    }
    std::remove(scenePath().c_str());
    return 0;
}
