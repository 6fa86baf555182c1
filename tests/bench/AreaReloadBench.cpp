// What loading an area costs the player: the wall time of one load through the game controller
// (area, frame sets, world texture), right after the interlude opened or once it has been shown
// for a while, and the memory the process holds after the first load and after a hundred more of the
// same area, drawn once after each as the game would. Memory that grows with every load is memory
// the game loses for good.
#include "world/Area.h"
#include "world/FrameEditor.h"

#include "tests/bench/BenchGame.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <QFile>

#include <chrono>
#include <malloc.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* kArea = "res/Areas/FrameSwitch.xml";
constexpr int kReloads = 100;

/// Resident memory now, from /proc/self/statm.
double ResidentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

/// The game's controller, started once: the sound system it starts is the process's one. Never
/// deleted, like the GL context.
cGame* StartedGame()
{
    static cGame* game = StartBenchGame("AreaReloadBench");
    return game;
}

/// One load as the game makes it: the interlude, left at once, then the area; then one picture
/// of it, so that whatever is made when first drawn is made too.
bool LoadAndDraw(cGame& game)
{
    if (!game.StartArea(kArea) || game.GetStateKind() != GAME_MODE_META_LEVEL)
        return false;
    game.GoToNextArea(0, 0);
    if (game.GetStateKind() != GAME_MODE_AREA || !game.GetFrameEditor())
        return false;
    game.GetFrameEditor()->RenderWorldToTexture(false, false, true, true);
    glFinish();
    return true;
}

void BM_AreaLoad(benchmark::State& state)
{
    cGame* game = StartedGame();
    if (!game || !LoadAndDraw(*game)) {
        state.SkipWithError("the area did not load");
        return;
    }
    for (auto _ : state)
        LoadAndDraw(*game);
}
BENCHMARK(BM_AreaLoad)->Unit(benchmark::kMillisecond)->Iterations(20);

/// The load as the game makes it, after the interlude that names the area has been shown for a
/// while: what stalls the sound and the picture between the two.
void BM_AreaLoadAfterInterlude(benchmark::State& state)
{
    cGame* game = StartedGame();
    for (auto _ : state) {
        state.PauseTiming();
        const bool interlude = game && game->StartArea(kArea) && game->GetStateKind() == GAME_MODE_META_LEVEL;
        // A player reads the interlude's line for a few seconds at least.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        state.ResumeTiming();
        if (!interlude) {
            state.SkipWithError("the interlude did not open");
            return;
        }
        game->GoToNextArea(0, 0);
        state.PauseTiming();
        if (game->GetStateKind() != GAME_MODE_AREA)
            state.SkipWithError("the area did not load");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AreaLoadAfterInterlude)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_MemoryAcrossReloads(benchmark::State& state)
{
    cGame* game = StartedGame();
    for (auto _ : state) {
        if (!game || !LoadAndDraw(*game)) {
            state.SkipWithError("the area did not load");
            return;
        }
        const double first = ResidentMegabytes();
        for (int i = 0; i < kReloads; ++i)
            LoadAndDraw(*game);
        const double last = ResidentMegabytes();
        state.counters["after_first_MB"] = first;
        state.counters["after_100_MB"] = last;
        state.counters["growth_MB"] = last - first;
        state.counters["heap_in_use_MB"] = static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
    }
}
BENCHMARK(BM_MemoryAcrossReloads)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
