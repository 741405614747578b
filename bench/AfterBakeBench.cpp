// What follows a big bake: undoing and redoing it, deleting its copies and
// saving the scene, each timed alone on a scene the bake made untimed.

#include "BenchScene.h"

#include <maya/MGlobal.h>

#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace dkbench {
namespace {

// Bakes `alive` particles over `frames` frames, as one step of the undo
// queue, and returns the copies.
MStringArray bake(const BakeScene& scene) {
    newScene();
    scene.build();
    const std::string command = "dkUninstancer -sf " + std::to_string(scene.startFrame()) +
                                " -ef " + std::to_string(scene.endFrame()) + " instancer1";
    MStringArray made;
    if (!MGlobal::executeCommand(command.c_str(), made, false, true))
        std::abort();
    return made;
}

void perCopy(benchmark::State& state, const char* name, double seconds, unsigned copies) {
    state.counters[name] = benchmark::Counter(seconds / copies);
    state.counters["copies"] = copies;
}

// Processor time, as the benchmarks' own figures: on a shared machine the
// time on the clock says more about the neighbours than about the host.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

double seconds(const std::string& text) {
    const double start = cpuSeconds();
    mel(text);
    return cpuSeconds() - start;
}

// Undo then redo of the whole bake, timed apart.
void BM_UndoRedoBake(benchmark::State& state) {
    const BakeScene scene{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    for (auto _ : state) {
        state.PauseTiming();
        const unsigned copies = bake(scene).length();
        state.ResumeTiming();
        const double undo = seconds("undo");
        const double redo = seconds("redo");
        state.counters["undo_s"] = undo;
        state.counters["redo_s"] = redo;
        perCopy(state, "undo_per_copy", undo, copies);
    }
}

// One delete of every copy, as a user selecting them all would.
void BM_DeleteBakedCopies(benchmark::State& state) {
    const BakeScene scene{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    for (auto _ : state) {
        state.PauseTiming();
        const MStringArray made = bake(scene);
        // One select of every name: adding them one by one to a selection
        // list would compare each with all before it.
        std::string select = "select -r";
        for (unsigned i = 0; i < made.length(); ++i)
            select += std::string(" ") + made[i].asChar();
        mel(select);
        state.ResumeTiming();
        const double time = seconds("delete");
        perCopy(state, "per_copy", time, made.length());
    }
}

// Saving the baked scene as a file.
void BM_SaveBakedScene(benchmark::State& state) {
    const BakeScene scene{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    const std::string file =
        std::string(P_tmpdir) + "/dk_bench_" + std::to_string(getpid()) + ".ma";
    for (auto _ : state) {
        state.PauseTiming();
        const unsigned copies = bake(scene).length();
        mel("file -rename \"" + file + "\"");
        state.ResumeTiming();
        const double time = seconds("file -f -save -type \"mayaAscii\"");
        perCopy(state, "per_copy", time, copies);
    }
    std::remove(file.c_str());
}

}  // namespace

void registerAfterBakeBenchmarks(bool small) {
    using Function = void (*)(benchmark::State&);
    const std::pair<const char*, Function> benchmarks[] = {
        {"AfterBake/UndoRedo", BM_UndoRedoBake},
        {"AfterBake/Delete", BM_DeleteBakedCopies},
        {"AfterBake/Save", BM_SaveBakedScene}};
    for (const auto& [name, function] : benchmarks) {
        auto* b = benchmark::RegisterBenchmark(name, function);
        if (small)
            b->Args({40, 3});
        else if (function == BM_UndoRedoBake)
            b->Args({4000, 50});
        else
            b->Args({1000, 50})->Args({2000, 50})->Args({4000, 50});
        b->ArgNames({"alive", "frames"})->Iterations(1)->Unit(benchmark::kMillisecond);
    }
}

}  // namespace dkbench
