// The host and plug-in paths that grow with the scene: dkMap with many
// keys, names when very many nodes share one stem, and long selection lists.

#include "BenchScene.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <benchmark/benchmark.h>

#include <string>

namespace dkbench {
namespace {

void BM_MapInsertAndFind(benchmark::State& state) {
    const int keys = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        newScene();
        mel("dkMap -dam; dkMap bench");
        state.ResumeTiming();
        for (int k = 0; k < keys; ++k)
            mel("dkMap -i \"key" + std::to_string(k) + "\" \"value\" bench");
        for (int k = 0; k < keys; ++k)
            mel("dkMap -f \"key" + std::to_string(k) + "\" bench");
    }
    state.counters["per_key"] =
        benchmark::Counter(2.0 * keys * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Renames `nodes` fresh transforms to "stem_#": each rename must find the
// stem's next free number without walking the names already taken.
void BM_RenameOneStem(benchmark::State& state) {
    const int nodes = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        newScene();
        for (int n = 0; n < nodes; ++n)
            mel("createNode transform -n \"node" + std::to_string(n) + "\"");
        state.ResumeTiming();
        for (int n = 0; n < nodes; ++n)
            mel("rename \"node" + std::to_string(n) + "\" \"stem_#\"");
    }
    state.counters["per_rename"] =
        benchmark::Counter(nodes * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Looks every node of one stem up by name, as commands do with their
// arguments.
void BM_LookUpOneStem(benchmark::State& state) {
    const int nodes = static_cast<int>(state.range(0));
    newScene();
    for (int n = 0; n < nodes; ++n)
        mel("createNode transform -n \"stem_#\"");
    for (auto _ : state) {
        for (int n = 1; n <= nodes; ++n) {
            MSelectionList list;
            list.add(MString(("stem_" + std::to_string(n)).c_str()));
            benchmark::DoNotOptimize(list.length());
        }
    }
    state.counters["per_lookup"] =
        benchmark::Counter(nodes * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Builds one list of every node of one stem, a name at a time, as a
// plug-in gathering a bake's copies does: each add must find whether the
// node is there already without comparing it with every entry.
void BM_ListAddOneByOne(benchmark::State& state) {
    const int nodes = static_cast<int>(state.range(0));
    newScene();
    for (int n = 0; n < nodes; ++n)
        mel("createNode transform -n \"stem_#\"");
    for (auto _ : state) {
        MSelectionList list;
        for (int n = 1; n <= nodes; ++n)
            list.add(MString(("stem_" + std::to_string(n)).c_str()));
        benchmark::DoNotOptimize(list.length());
    }
    state.counters["per_add"] =
        benchmark::Counter(nodes * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

void registerHostBenchmarks(bool small) {
    const int count = small ? 200 : 100000;
    for (auto* b : {benchmark::RegisterBenchmark("MapInsertAndFind", BM_MapInsertAndFind),
                    benchmark::RegisterBenchmark("RenameOneStem", BM_RenameOneStem),
                    benchmark::RegisterBenchmark("LookUpOneStem", BM_LookUpOneStem),
                    benchmark::RegisterBenchmark("ListAddOneByOne", BM_ListAddOneByOne)})
        b->Arg(count)->Iterations(1)->Unit(benchmark::kMillisecond);
}

}  // namespace dkbench
