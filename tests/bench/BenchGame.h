#pragma once
// The game's controller as the benchmarks that play it start it: silent, on the heap the game
// gives its large buffers, with a GL context current.
#include "app/Game.h"
#include "app/Startup.h"
#include "tests/bench/BenchGlContext.h"

#include <cstdlib>

/// A started controller of that kind, or null when its Init fails. Never deleted, like the GL
/// context; call it once per process (the sound system it starts is the process's one).
template <typename Game = cGame>
cGame* StartBenchGame(const char* benchName)
{
    UseSystemMemoryForLargeBuffers();
    setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
    MakeGlContext(benchName);
    cGame* made = new Game(true);
    return made->Init() ? made : nullptr;
}
