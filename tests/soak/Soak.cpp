// An hour of play without pause: the route through FrameSwitch played again and again through the
// game controller, the area loaded afresh for every pass, the frames drawn every tenth tick. Prints
// the memory the process holds after the hour's first load of the area and at its end, and fails
// when the end holds more than 2 MB above the start. Run by scripts/soak.sh; the hour's ticks may be
// given as the first argument.
#include "app/Game.h"
#include "player/InputHandler.h"
#include "world/Area.h"
#include "world/FrameEditor.h"

#include "tests/routes/RouteFile.h"
#include "tests/support/GlCanvas.h"

#include <QApplication>
#include <QGLWidget>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTickMs = 20;
/// One hour of game time.
constexpr int kHourOfTicks = 180000;
constexpr int kDrawEvery = 10;
constexpr int kWidth = 960, kHeight = 544;
/// After the route, the ticks that the last character may still need to go in.
constexpr int kTicksAfterRoute = 600;
constexpr long kAllowedGrowth = 2L << 20;
const char* const kArea = "res/Areas/FrameSwitch.xml";

/// Resident memory, and what the heap has handed out, in bytes.
struct sMemory
{
    long resident = 0;
    long heap = 0;
};

/// Measured after the heap has given back what it holds free, so that where freed memory happened
/// to lie does not count.
sMemory Measure()
{
    malloc_trim(0);
    sMemory memory;
    long pages = 0, residentPages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &residentPages) != 2)
            residentPages = 0;
        std::fclose(statm);
    }
    memory.resident = residentPages * sysconf(_SC_PAGESIZE);
    const struct mallinfo2 heap = mallinfo2();
    memory.heap = static_cast<long>(heap.uordblks + heap.hblkhd);
    return memory;
}

void Print(const char* when, const sMemory& memory)
{
    std::printf("%-28s resident %7.2f MB, heap in use %7.2f MB\n", when, memory.resident / 1048576.0,
                memory.heap / 1048576.0);
}

/// The game with its window's tick: key events, the controller's update and input, the end of
/// the input tick, and now and then a picture.
class cSoak
{
public:
    cSoak() : hands(input), canvas(kWidth, kHeight) { input.SetDefaultKeys(); }

    bool Start()
    {
        if (!game.Init())
            return false;
        game.Resize(kWidth, kHeight);
        return true;
    }

    /// The area loaded afresh, in the world the route was written for: the game's random numbers
    /// as in a fresh program.
    bool Load()
    {
        std::srand(1);
        if (!game.StartArea(kArea) || !game.GetCurrentArea())
            return false;
        area = game.GetCurrentArea();
        ++loads;
        return true;
    }

    /// The route played until the area is left, or the ticks run out. True when it was left
    /// through its exit.
    bool Play(const std::vector<sRouteLine>& lines, int lastTick)
    {
        for (const sRouteLine& line : lines) {
            for (int i = 0; i < line.ticks && Playing(lastTick); ++i)
                Tick(std::set<eInputKey>(line.keys.begin(), line.keys.end()));
        }
        for (int i = 0; i < kTicksAfterRoute && Playing(lastTick); ++i)
            Tick({});
        hands.Hold({});
        return game.GetCurrentArea() == area && area->IsFinishing();
    }

    int GetTick() const { return tick; }
    int GetLoads() const { return loads; }

private:
    bool Playing(int lastTick) const
    {
        return tick < lastTick && game.GetCurrentArea() == area && !area->IsFinishing();
    }

    void Tick(const std::set<eInputKey>& keys)
    {
        hands.Hold(keys);
        game.Update(kTickMs);
        game.HandleInput(&input);
        input.EndTick();
        if (++tick % kDrawEvery == 0 && game.GetFrameEditor()) {
            game.GetFrameEditor()->RenderWorldToTexture(false, false, true, true);
            canvas.Bind();
            game.GetFrameEditor()->Draw();
        }
    }

    cGame game{false};
    cInputHandler input;
    cRouteHands hands;
    GlCanvas canvas;
    cArea* area = nullptr;
    int tick = 0;
    int loads = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const int ticks = argc > 1 ? std::atoi(argv[1]) : kHourOfTicks;
    setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
    setenv("MIRROWEN_NONINTERACTIVE", "1", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mirrowen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    QGLWidget context;
    context.makeCurrent();

    std::vector<sRouteLine> lines;
    std::string error;
    if (!ReadRoute(QStringLiteral(MIRROWEN_SOURCE_DIR "/tests/routes/FrameSwitch.route"), lines, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    // The game's own lines would drown the figures.
    std::fflush(stdout);
    const int console = dup(STDOUT_FILENO);
    if (!std::freopen("/dev/null", "w", stdout))
        return 1;

    cSoak soak;
    if (!soak.Start())
        return 1;
    // A first pass warms the game up: the GL driver compiles its drawing code for the pictures as
    // they first appear and keeps it, which is no growth of the game. The hour starts after it.
    if (!soak.Load())
        return 1;
    const sMemory cold = Measure();
    soak.Play(lines, soak.GetTick() + ticks);
    const int warmUp = soak.GetTick();
    if (!soak.Load())
        return 1;
    const sMemory start = Measure();
    int finished = soak.Play(lines, warmUp + ticks);
    while (soak.GetTick() < warmUp + ticks && soak.Load())
        finished += soak.Play(lines, warmUp + ticks);
    const sMemory end = Measure();

    std::fflush(stdout);
    dup2(console, STDOUT_FILENO);
    std::printf("%d ticks after a warm-up pass of %d, the area loaded %d times and left through its exit %d times\n",
                soak.GetTick() - warmUp, warmUp, soak.GetLoads() - 1, finished);
    Print("cold, after the first load:", cold);
    Print("after the hour's first load:", start);
    Print("at the end:", end);
    const long growth = end.resident - start.resident;
    std::printf("growth %+.2f MB resident, %+.2f MB heap\n", growth / 1048576.0, (end.heap - start.heap) / 1048576.0);
    return growth <= kAllowedGrowth ? 0 : 1;
}
