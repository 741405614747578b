// The geometry bake three ways on the same scene: the plug-in, the script
// way (bench/dkScriptBake.mel) and the floor, the host's own cost of
// making the same copies from matrices worked out beforehand.

#include "BenchScene.h"

#include <maya/MAnimControl.h>
#include <maya/MFnTransform.h>
#include <maya/MGlobal.h>
#include <maya/MItInstancer.h>
#include <maya/MSelectionList.h>
#include <maya/MTime.h>
#include <maya/MTransformationMatrix.h>

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace dkbench {
namespace {

std::string range(const BakeScene& scene) {
    return std::to_string(scene.startFrame()) + " " + std::to_string(scene.endFrame());
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

// dkUninstancer with the given flags before the range.
struct PluginWay {
    const char* flags = "";
    NothingPrepared prepare(const BakeScene&) const { return {}; }
    unsigned run(const BakeScene& scene, NothingPrepared) const {
        std::ostringstream text;
        text << "dkUninstancer " << flags << " -sf " << scene.startFrame() << " -ef "
             << scene.endFrame() << " instancer1";
        return melStrings(text.str()).length();
    }
};

// A procedure of bench/dkScriptBake.mel.
struct ScriptWay {
    const char* procedure = "dkScriptBake";
    NothingPrepared prepare(const BakeScene&) const { return {}; }
    unsigned run(const BakeScene& scene, NothingPrepared) const {
        return melStrings(std::string(procedure) + " dustShape instancer1 " + range(scene) + " 1")
            .length();
    }
};

// One copy made by the host's commands and function sets alone: the source
// duplicated, its transform and shape named after the source's, and the
// transform set.
void makeCopy(const Placement& p) {
    MStringArray made;
    MGlobal::executeCommand("duplicate -rr " + p.source, made, false, false);
    MString name;
    MGlobal::executeCommand("rename -ignoreShape \"" + made[0] + "\" \"" + p.sourceName + "_#\"",
                            name, false, false);
    MSelectionList list;
    list.add(name);
    MDagPath path;
    list.getDagPath(0, path);
    MDagPath shape = path;
    shape.extendToShape();
    MString ignored;
    MGlobal::executeCommand("rename \"" + shape.fullPathName() + "\" \"" + p.shapeName + "_#\"",
                            ignored, false, false);
    MFnTransform(path).set(MTransformationMatrix(p.world));
}

// The same copies, from matrices worked out beforehand, with nothing asked
// of the instancer.
struct Floor {
    std::vector<Placement> prepare(const BakeScene& scene) const { return drawnOver(scene); }
    unsigned run(const BakeScene&, const std::vector<Placement>& drawn) const {
        for (const Placement& p : drawn)
            makeCopy(p);
        return static_cast<unsigned>(drawn.size());
    }
};

// The floor with what any bake of the instancer must also pay: each frame
// made current, so that the particles step, and the instancer's draws read.
struct SteppingFloor {
    std::vector<Placement> prepare(const BakeScene& scene) const { return drawnOver(scene); }
    unsigned run(const BakeScene& scene, const std::vector<Placement>& drawn) const {
        std::size_t next = 0;
        MItInstancer draws;
        for (int frame = scene.startFrame(); frame <= scene.endFrame(); ++frame) {
            MAnimControl::setCurrentTime(MTime(frame, MTime::uiUnit()));
            for (draws.reset(); !draws.isDone(); draws.nextParticle()) {
                MMatrix matrix = draws.matrix();
                benchmark::DoNotOptimize(matrix);
            }
            for (; next < drawn.size() && drawn[next].frame == frame; ++next)
                makeCopy(drawn[next]);
        }
        return static_cast<unsigned>(drawn.size());
    }
};

void BM_GeometryBake_Plugin(benchmark::State& state) {
    measure(state, PluginWay{});
}
void BM_GeometryBake_PluginInstances(benchmark::State& state) {
    measure(state, PluginWay{"-cai true"});
}
void BM_GeometryBake_Script(benchmark::State& state) {
    measure(state, ScriptWay{});
}
void BM_GeometryBake_Floor(benchmark::State& state) {
    measure(state, Floor{});
}
void BM_GeometryBake_SteppingFloor(benchmark::State& state) {
    measure(state, SteppingFloor{});
}
void BM_AnimationBake_Plugin(benchmark::State& state) {
    measure(state, PluginWay{"-bt animation"});
}
void BM_AnimationBake_Script(benchmark::State& state) {
    measure(state, ScriptWay{"dkScriptAnimationBake"});
}

}  // namespace

void registerBakeBenchmarks(bool small) {
    using Function = void (*)(benchmark::State&);
    const std::pair<const char*, Function> geometry[] = {
        {"GeometryBake/Floor", BM_GeometryBake_Floor},
        {"GeometryBake/SteppingFloor", BM_GeometryBake_SteppingFloor},
        {"GeometryBake/Plugin", BM_GeometryBake_Plugin},
        {"GeometryBake/PluginInstances", BM_GeometryBake_PluginInstances},
        {"GeometryBake/Script", BM_GeometryBake_Script}};
    for (const auto& [name, function] : geometry) {
        auto* b = benchmark::RegisterBenchmark(name, function);
        if (small)
            b->Args({40, 3});
        else
            b->Args({1000, 50})->Args({2000, 50})->Args({4000, 50});
        b->ArgNames({"alive", "frames"})->Iterations(1)->Unit(benchmark::kMillisecond);
    }
    // An animation bake makes one copy per particle id: about 3.8 times
    // `alive` over 100 frames and 6.6 times over 200 (so 1,200 alive over
    // 200 frames is about 8,000 ids).
    const std::pair<const char*, Function> animation[] = {
        {"AnimationBake/Plugin", BM_AnimationBake_Plugin},
        {"AnimationBake/Script", BM_AnimationBake_Script}};
    for (const auto& [name, function] : animation) {
        auto* b = benchmark::RegisterBenchmark(name, function);
        if (small)
            b->Args({40, 6});
        else
            b->Args({500, 100})
                ->Args({1000, 100})
                ->Args({2000, 100})
                ->Args({4000, 100})
                ->Args({1200, 200});
        b->ArgNames({"alive", "frames"})->Iterations(1)->Unit(benchmark::kMillisecond);
    }
}

}  // namespace dkbench
