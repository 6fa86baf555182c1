// How long the player waits between screens whose music decodes as they open: from the call the
// controller makes on the key until the next screen's first picture is drawn. The area is played
// for a while first, as a player would, so that nothing still running from its start is counted.
#include "tests/bench/BenchGame.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

constexpr const char* kArea = "res/Areas/FrameSwitch.xml";
constexpr const char* kFirstArea = "res/Areas/Area0.xml";
/// How long the area plays before it is left.
constexpr std::chrono::milliseconds kPlayed{1500};

/// The game, playing in the first save slot as a player who chose it.
class cSlotGame : public cGame
{
public:
    using cGame::cGame;

protected:
    cLevelSelectionScreen* NewLevelSelection(int /*slot*/, bool fromArea) override
    {
        return cGame::NewLevelSelection(0, fromArea);
    }
};

/// The game's controller, started once; never deleted, like the GL context.
cGame* StartedGame()
{
    static cGame* game = [] {
        cGame* made = StartBenchGame<cSlotGame>("ScreenChangeBench");
        if (made)
            made->Resize(1280, 800);
        return made;
    }();
    return game;
}

bool InArea(cGame& game)
{
    if (!game.StartArea(kArea))
        return false;
    game.GoToNextArea(0, 0);
    std::this_thread::sleep_for(kPlayed);
    return game.GetStateKind() == GAME_MODE_AREA;
}

bool OnTitle(cGame& game)
{
    game.ToStartScreen(-1);
    return game.GetStateKind() == GAME_MODE_START_SCREEN;
}

/// Times the change from what setUp leads to until the first picture of mode.
void TimeChange(benchmark::State& state, const std::function<bool(cGame&)>& setUp,
                const std::function<void(cGame&)>& change, eGameMode mode)
{
    cGame* game = StartedGame();
    for (auto _ : state) {
        state.PauseTiming();
        const bool ready = game && setUp(*game);
        state.ResumeTiming();
        if (!ready) {
            state.SkipWithError("the screen before did not open");
            return;
        }
        change(*game);
        game->DrawState();
        glFinish();
        if (game->GetStateKind() != mode) {
            state.SkipWithError("the next screen did not open");
            return;
        }
    }
}

/// Each change is timed alone, nine times over: the median is what a player meets on a busy machine.
void TimedAlone(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);
}

void BM_AreaToTitle(benchmark::State& state)
{
    TimeChange(state, InArea, [](cGame& game) { game.ToStartScreen(-1); }, GAME_MODE_START_SCREEN);
}
BENCHMARK(BM_AreaToTitle)->Apply(TimedAlone);

void BM_AreaToAreaSelection(benchmark::State& state)
{
    TimeChange(state, InArea, [](cGame& game) { game.ToLevelSelection(true, -1, false); },
               GAME_MODE_LEVEL_SELECTION);
}
BENCHMARK(BM_AreaToAreaSelection)->Apply(TimedAlone);

void BM_NewGameToInterlude(benchmark::State& state)
{
    TimeChange(state, OnTitle, [](cGame& game) { game.StartArea(kFirstArea); }, GAME_MODE_META_LEVEL);
}
BENCHMARK(BM_NewGameToInterlude)->Apply(TimedAlone);

} // namespace
