// The geometry bake three ways on the same scene: the plug-in, the script
// way (bench/dkScriptBake.mel) and the floor, the host's own cost of
// making the same copies from matrices worked out beforehand.

#include "BenchScene.h"

#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MTransformationMatrix.h>

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace dkbench {
namespace {

std::string pluginBake(const BakeScene& scene, bool asInstances) {
    std::ostringstream text;
    text << "dkUninstancer -sf " << scene.startFrame() << " -ef " << scene.endFrame()
         << (asInstances ? " -cai true" : "") << " instancer1";
    return text.str();
}

std::string scriptBake(const BakeScene& scene) {
    std::ostringstream text;
    text << "dkScriptBake dustShape instancer1 " << scene.startFrame() << " " << scene.endFrame()
         << " 1";
    return text.str();
}

// Times one bake made by `bake` on a new scene of the benchmark's size and
// reports the copies, the time per copy and the heap bytes per copy.
template <class Bake>
void measure(benchmark::State& state, Bake bake) {
    const BakeScene scene{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    double copies = 0, bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        newScene();
        scene.build();
        auto prepared = bake.prepare(scene);
        const std::size_t before = heapInUse();
        state.ResumeTiming();
        copies = static_cast<double>(bake.run(scene, prepared));
        state.PauseTiming();
        bytes = static_cast<double>(heapInUse() - before);
        state.ResumeTiming();
    }
    state.counters["copies"] = copies;
    state.counters["per_copy"] =
        benchmark::Counter(copies * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["bytes_per_copy"] = copies > 0 ? bytes / copies : 0;
}

struct NothingPrepared {};

struct PluginWay {
    bool asInstances = false;
    NothingPrepared prepare(const BakeScene&) const { return {}; }
    unsigned run(const BakeScene& scene, NothingPrepared) const {
        return melStrings(pluginBake(scene, asInstances)).length();
    }
};

struct ScriptWay {
    NothingPrepared prepare(const BakeScene&) const { return {}; }
    unsigned run(const BakeScene& scene, NothingPrepared) const {
        return melStrings(scriptBake(scene)).length();
    }
};

// The same copies by the host's commands and function sets alone: the
// source duplicated, its transform and shape named after the source's,
// and the transform set, with nothing asked of the instancer.
struct Floor {
    std::vector<Placement> prepare(const BakeScene& scene) const { return drawnOver(scene); }
    unsigned run(const BakeScene&, const std::vector<Placement>& drawn) const {
        for (const Placement& p : drawn) {
            MStringArray made;
            MGlobal::executeCommand("duplicate -rr " + p.source, made, false, false);
            MString name;
            MGlobal::executeCommand(
                "rename -ignoreShape \"" + made[0] + "\" \"" + p.sourceName + "_#\"", name, false,
                false);
            MSelectionList list;
            list.add(name);
            MDagPath path;
            list.getDagPath(0, path);
            MDagPath shape = path;
            shape.extendToShape();
            MString ignored;
            MGlobal::executeCommand(
                "rename \"" + shape.fullPathName() + "\" \"" + p.shapeName + "_#\"", ignored, false,
                false);
            MFnTransform(path).set(MTransformationMatrix(p.world));
        }
        return static_cast<unsigned>(drawn.size());
    }
};

void BM_GeometryBake_Plugin(benchmark::State& state) {
    measure(state, PluginWay{});
}
void BM_GeometryBake_PluginInstances(benchmark::State& state) {
    measure(state, PluginWay{true});
}
void BM_GeometryBake_Script(benchmark::State& state) {
    measure(state, ScriptWay{});
}
void BM_GeometryBake_Floor(benchmark::State& state) {
    measure(state, Floor{});
}

}  // namespace

void registerBakeBenchmarks(bool small) {
    using Function = void (*)(benchmark::State&);
    const std::pair<const char*, Function> ways[] = {
        {"GeometryBake/Floor", BM_GeometryBake_Floor},
        {"GeometryBake/Plugin", BM_GeometryBake_Plugin},
        {"GeometryBake/PluginInstances", BM_GeometryBake_PluginInstances},
        {"GeometryBake/Script", BM_GeometryBake_Script}};
    for (const auto& [name, function] : ways) {
        auto* b = benchmark::RegisterBenchmark(name, function);
        if (small)
            b->Args({40, 3});
        else
            b->Args({1000, 50})->Args({2000, 50})->Args({4000, 50});
        b->ArgNames({"alive", "frames"})->Iterations(1)->Unit(benchmark::kMillisecond);
    }
}

}  // namespace dkbench
