// How long start-up spends loading the shared assets of the real tree: chip-set textures, every
// sound effect decoded, characters, templates, animation lists and stars. The player waits for it
// before the first screen.
#include "audio/AudioSystem.h"
#include "world/CommonResources.h"

#include "tests/bench/BenchGlContext.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_LoadAll(benchmark::State& state)
{
    setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
    MakeGlContext("CommonResourcesBench");
    cAudioSystem audio;
    audio.Init();
    bool loaded = true;
    for (auto _ : state) {
        auto* store = new cCommonResources(&audio);
        loaded = store->LoadAll() && loaded;
        state.PauseTiming();
        delete store;
        state.ResumeTiming();
    }
    if (!loaded)
        state.SkipWithError("LoadAll failed");
}
BENCHMARK(BM_LoadAll)->Unit(benchmark::kMillisecond);

void BM_DeleteStore(benchmark::State& state)
{
    setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
    MakeGlContext("CommonResourcesBench");
    cAudioSystem audio;
    audio.Init();
    for (auto _ : state) {
        state.PauseTiming();
        auto* store = new cCommonResources(&audio);
        store->LoadAll();
        state.ResumeTiming();
        delete store;
    }
}
BENCHMARK(BM_DeleteStore)->Unit(benchmark::kMillisecond);

} // namespace
