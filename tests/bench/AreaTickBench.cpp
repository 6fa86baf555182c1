// What one tick of the real area FrameSwitch costs (every object's update, the characters' results
// and the physics step) while a player walks the three characters from the enter tree to the exit,
// and what drawing it into the world texture costs. The game gives a tick 20 ms for everything.
#include "audio/AudioSystem.h"
#include "world/Area.h"
#include "world/CommonResources.h"

#include "tests/bench/BenchGlContext.h"
#include "tests/world/FrameSwitchRoute.h"

#include <QGLFramebufferObject>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

/// Ticks of one play, a little less than the walk of all three takes.
constexpr int kPlayTicks = 2000;

/// The game's shared assets and the real area with a player walking its characters to the exit.
class cPlayedArea
{
public:
    cPlayedArea()
    {
        setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
        MakeGlContext("AreaTickBench");
        audio.Init();
        store = std::make_unique<cCommonResources>(&audio);
        store->LoadAll();
        Restart();
    }
    bool IsLoaded() const { return initialised; }

    /// A fresh area once a play has run its course.
    void RestartWhenPlayed()
    {
        if (ticks >= kPlayTicks)
            Restart();
    }

    /// One game tick: the area, then the player's keys for the character under control.
    int Tick()
    {
        ++ticks;
        const int result = area->Update(20);
        player.Play(*area);
        return result;
    }

    cArea& Area() { return *area; }

private:
    void Restart()
    {
        area.reset();
        area = std::make_unique<cArea>("res/Areas/FrameSwitch.xml", store.get());
        initialised = area->Init(&audio, false, false);
        player = cRoutePlayer();
        ticks = 0;
    }

    cAudioSystem audio;
    std::unique_ptr<cCommonResources> store;
    std::unique_ptr<cArea> area;
    bool initialised = false;
    cRoutePlayer player;
    int ticks = 0;
};

/// One for the process: the shared assets are process-wide. Never deleted, like the GL context.
cPlayedArea* Played()
{
    static cPlayedArea* played = new cPlayedArea;
    return played;
}

void BM_AreaTick(benchmark::State& state)
{
    cPlayedArea* played = Played();
    if (!played->IsLoaded()) {
        state.SkipWithError("the real area did not load");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        played->RestartWhenPlayed();
        state.ResumeTiming();
        benchmark::DoNotOptimize(played->Tick());
    }
}
BENCHMARK(BM_AreaTick)->Unit(benchmark::kMicrosecond)->Iterations(6000);

void BM_AreaDraw(benchmark::State& state)
{
    cPlayedArea* played = Played();
    QGLFramebufferObject texture(512, 512);
    texture.bind();
    glViewport(0, 0, 512, 512);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 512, 0, 512, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (int t = 0; t < 400; ++t)
        played->Tick();
    for (auto _ : state) {
        played->Area().Draw(true, true);
        glFinish();
    }
    texture.release();
}
BENCHMARK(BM_AreaDraw)->Unit(benchmark::kMicrosecond);

} // namespace
