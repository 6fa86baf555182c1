// How long start-up spends loading the shared assets of the real tree: chip-set textures, every
// sound effect decoded, characters, templates, animation lists and stars. The player waits for it
// before the first screen.
#include "audio/AudioSystem.h"
#include "world/CommonResources.h"

#include <QApplication>
#include <QGLWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

/// Textures need a current GL context, as in the game's window. Application and widget stay to the
/// end of the process: destroyed by exit handlers, after Qt's own, they would crash.
void MakeGlContext()
{
    static int argc = 1;
    static char name[] = "CommonResourcesBench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    static QGLWidget* widget = new QGLWidget;
    (void)app;
    widget->makeCurrent();
}

void BM_LoadAll(benchmark::State& state)
{
    setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
    MakeGlContext();
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
    MakeGlContext();
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
