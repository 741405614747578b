// dk_bench runs the benchmarks (Google Benchmark flags apply). With
// --smoke it checks that the plug-in and the script way make the same
// copies, then runs every benchmark at a small size.

#include "BenchScene.h"

#include <maya/MGlobal.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

using dkbench::BakeScene;
using dkbench::Copy;

// The copies a bake makes, with their world matrices at `frame` (keyed
// copies move; placed ones do not).
std::map<std::string, MMatrix> bake(const BakeScene& scene, const std::string& command, int frame) {
    dkbench::newScene();
    scene.build();
    const MStringArray made = dkbench::melStrings(command);
    dkbench::mel("currentTime " + std::to_string(frame));
    std::map<std::string, MMatrix> byName;
    for (const Copy& c : dkbench::copiesNamed(made))
        byName[c.name] = c.world;
    return byName;
}

// The script way reads values through MEL's floats, so it agrees to a
// relative 1e-6 rather than to rounding.
bool sameCopies(const std::map<std::string, MMatrix>& a, const std::map<std::string, MMatrix>& b,
                const char* what) {
    if (a.size() != b.size()) {
        std::fprintf(stderr, "%s: %zu copies against %zu\n", what, a.size(), b.size());
        return false;
    }
    for (const auto& [name, world] : a) {
        auto other = b.find(name);
        if (other == b.end()) {
            std::fprintf(stderr, "%s: no copy named %s\n", what, name.c_str());
            return false;
        }
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                const double x = world(r, c), y = other->second(r, c);
                if (std::fabs(x - y) > 1e-6 * std::max({1.0, std::fabs(x), std::fabs(y)})) {
                    std::fprintf(stderr, "%s: %s differs at [%d][%d]: %.17g against %.17g\n", what,
                                 name.c_str(), r, c, x, y);
                    return false;
                }
            }
    }
    return true;
}

// Both bake types, each made by the plug-in and by the script way.
int smoke() {
    const BakeScene scene{60, 4};
    const std::string range =
        std::to_string(scene.startFrame()) + " " + std::to_string(scene.endFrame());
    const std::string flags = " -sf " + std::to_string(scene.startFrame()) + " -ef " +
                              std::to_string(scene.endFrame()) + " instancer1";
    const int middle = (scene.startFrame() + scene.endFrame()) / 2;
    const struct {
        const char* what;
        std::string plugin, script;
    } ways[] = {{"geometry bake", "dkUninstancer" + flags,
                 "dkScriptBake dustShape instancer1 " + range + " 1"},
                {"animation bake", "dkUninstancer -bt animation" + flags,
                 "dkScriptAnimationBake dustShape instancer1 " + range + " 1"}};
    for (const auto& way : ways) {
        const auto plugin = bake(scene, way.plugin, middle);
        const auto script = bake(scene, way.script, middle);
        if (plugin.empty()) {
            std::fprintf(stderr, "%s: the plug-in made no copies\n", way.what);
            return 1;
        }
        if (!sameCopies(plugin, script, way.what))
            return 1;
        std::printf("dk_bench --smoke: %s, %zu copies, the same both ways\n", way.what,
                    plugin.size());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    dkbench::startHost();
    const bool small = argc > 1 && std::strcmp(argv[1], "--smoke") == 0;
    if (small && smoke() != 0)
        return 1;
    dkbench::registerBakeBenchmarks(small);
    dkbench::registerHostBenchmarks(small);
    dkbench::registerAfterBakeBenchmarks(small);
    if (small) {
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
