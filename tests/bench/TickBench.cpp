// What one whole tick of play costs, phase by phase, as the player's machine pays it: the sound
// system's update, the real area FrameSwitch updated while a player walks its characters to the
// exit, the frame manager's update, the area drawn into the world texture, the frames drawn into
// a shown window of the game's view, and the swap that puts the picture on the screen. Each phase
// ends with glFinish, so a phase is charged with the drawing it asked for.
//
// Every configuration runs in a process of its own (this program again, started by the
// benchmark), so that peak memory is its own and so that it can be pinned: once on every core,
// once on two cores only (taskset), as on a small machine whose renderer threads share two cores.
// The cores are MIRROWEN_BENCH_CORES (e.g. "6,7") or else the two least busy ones over half a
// second. Each child prints a table: wall median and 99th percentile per phase and per tick, CPU
// time of the whole process (renderer threads included) per tick, and peak resident memory.
//
// MIRROWEN_TICKS=<n> measures n ticks instead of 1800: fewer under valgrind, where instruction
// counts are steady however busy the machine is. With the renderer on the calling thread,
//     LP_NUM_THREADS=0 MIRROWEN_TICK_CHILD=1920x1080 MIRROWEN_TICKS=200 valgrind --tool=callgrind
//         --instr-atstart=no tests/TickBench --benchmark_filter=BM_Child
// counts the instructions of the measured ticks alone, the renderer's included.
// MIRROWEN_TICK_SHOTS=<dir> saves the window's picture every 100 ticks, for comparing pictures
// before and after a change of the drawing code.
#include "app/GLWidget.h"
#include "app/Game.h"
#include "app/Startup.h"
#include "audio/AudioSystem.h"
#include "engine/Drawing.h"
#include "world/Area.h"
#include "world/CommonResources.h"
#include "world/FrameEditor.h"

#include "tests/world/FrameSwitchRoute.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <sys/resource.h>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
// Without valgrind's headers there is nothing to tell it.
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* const kChildVariable = "MIRROWEN_TICK_CHILD";
constexpr int kTickMs = 20;
/// Ticks measured: most of the walk of all three characters, with the frame-set switches on the way.
constexpr int kDefaultTicks = 1800;
constexpr int kShotEvery = 100;

enum ePhase { kSound, kArea, kFrames, kRender, kWindow, kSwap, kPhaseCount };
const char* const kPhaseNames[kPhaseCount] = {"sound", "area update", "frames update", "render to texture",
                                              "frames to window", "swap"};

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

/// The value below which the given fraction of the samples lie.
double Percentile(std::vector<double> samples, double fraction)
{
    if (samples.empty())
        return 0;
    const size_t i = std::min(samples.size() - 1, static_cast<size_t>(fraction * samples.size()));
    std::nth_element(samples.begin(), samples.begin() + static_cast<long>(i), samples.end());
    return samples[i];
}

/// The game's view as a window of its own and the objects of play it shows, made as the controller
/// makes them.
class cTickRig
{
public:
    cTickRig(int width, int height)
    {
        view.resize(width, height);
        view.show();
        while (!view.testAttribute(Qt::WA_Mapped))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        view.makeCurrent();
        audio.Init();
        store = std::make_unique<cCommonResources>(&audio);
        loaded = store->LoadAll();
        area = std::make_unique<cArea>("res/Areas/FrameSwitch.xml", store.get());
        loaded = loaded && area->Init(&audio, false, false);
        frames = std::make_unique<cFrameEditor>(area.get(), store.get());
        loaded = loaded && frames->LoadFrameSets("res/Areas/FrameSwitch_Frames.xml");
        frames->StartFadeIn(600);
        frames->FlashBackground(600);
        frames->Resize(width, height);
        SetPixelProjection(width, height);
    }

    bool IsReady() const { return loaded && view.width() > 0 && view.isVisible(); }
    QSize WindowSize() const { return view.size(); }

    /// One tick, each phase's wall time in ms added to times.
    void Tick(std::array<std::vector<double>, kPhaseCount>& times)
    {
        int result = 0;
        Phase(times[kSound], [&] { audio.Update(); });
        Phase(times[kArea], [&] {
            result = area->Update(kTickMs);
            player.Play(*area);
        });
        Phase(times[kFrames], [&] {
            // FrameSwitch's frame changers ask for other sets; the controller switches in a second.
            cGame::ApplyAreaResult(result, *area, *frames);
            frames->Update(kTickMs);
        });
        Phase(times[kRender], [&] { frames->RenderWorldToTexture(false, false, true, true); });
        Phase(times[kWindow], [&] { frames->Draw(); });
        ++ticks;
        SaveShotWhenDue();
        Phase(times[kSwap], [&] { view.swapBuffers(); });
    }

private:
    template <typename F>
    static void Phase(std::vector<double>& times, F&& work)
    {
        const auto start = std::chrono::steady_clock::now();
        work();
        glFinish();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }

    void SaveShotWhenDue()
    {
        const QString dir = qEnvironmentVariable("MIRROWEN_TICK_SHOTS");
        if (dir.isEmpty() || ticks % kShotEvery != 0)
            return;
        QDir().mkpath(dir);
        view.grabFrameBuffer().save(
            QString("%1/tick_%2x%3_%4.png").arg(dir).arg(view.width()).arg(view.height()).arg(ticks, 5, 10, QChar('0')));
    }

    GLWidget view;
    cAudioSystem audio;
    std::unique_ptr<cCommonResources> store;
    std::unique_ptr<cArea> area;
    std::unique_ptr<cFrameEditor> frames;
    cRoutePlayer player;
    bool loaded = false;
    int ticks = 0;
};

/// The child's whole life: the rig at the size in its variable ("960x544"), the ticks, the table.
void BM_Child(benchmark::State& state)
{
    for (auto _ : state) {
        const QByteArray size = qgetenv(kChildVariable);
        if (size.isEmpty())
            continue;
        UseSystemMemoryForLargeBuffers();
        setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
        static int argc = 1;
        static char* argv[] = {const_cast<char*>("TickBench"), nullptr};
        QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
        auto* app = new QApplication(argc, argv);
        (void)app;
        const QList<QByteArray> sides = size.split('x');
        std::fflush(stdout);
        auto* rig = new cTickRig(sides.value(0).toInt(), sides.value(1).toInt());
        if (!rig->IsReady()) {
            std::printf("\nTICK the rig did not start\n");
            std::fflush(stdout);
            std::_Exit(1);
        }
        const int ticks = qEnvironmentVariableIsSet("MIRROWEN_TICKS") ? qEnvironmentVariableIntValue("MIRROWEN_TICKS")
                                                                        : kDefaultTicks;
        std::array<std::vector<double>, kPhaseCount> times;
        const double cpuStart = CpuSeconds();
        CALLGRIND_START_INSTRUMENTATION;
        for (int t = 0; t < ticks; ++t)
            rig->Tick(times);
        CALLGRIND_STOP_INSTRUMENTATION;
        const double cpuPerTick = (CpuSeconds() - cpuStart) * 1000 / ticks;

        std::vector<double> whole(ticks, 0.0);
        std::printf("\n%s, window %dx%d, %d ticks\n", size.constData(), rig->WindowSize().width(),
                    rig->WindowSize().height(), ticks);
        std::printf("  %-18s %9s %9s\n", "phase (wall ms)", "median", "p99");
        for (int p = 0; p < kPhaseCount; ++p) {
            for (int t = 0; t < ticks; ++t)
                whole[t] += times[p][t];
            std::printf("  %-18s %9.3f %9.3f\n", kPhaseNames[p], Percentile(times[p], 0.5), Percentile(times[p], 0.99));
        }
        std::printf("  %-18s %9.3f %9.3f\n", "whole tick", Percentile(whole, 0.5), Percentile(whole, 0.99));
        std::printf("  CPU per tick %.3f ms, peak memory %.1f MB\n", cpuPerTick, PeakMegabytes());
        // One line for the parent to read.
        std::printf("TICK %f %f %f %f\n", Percentile(whole, 0.5), Percentile(whole, 0.99), cpuPerTick,
                    PeakMegabytes());
        std::fflush(stdout);
        // The GL context and the application go with the process: torn down by exit handlers after
        // Qt's own, they would crash.
        std::_Exit(0);
    }
}
BENCHMARK(BM_Child)->Iterations(1);

/// Busy and total jiffies per core, from /proc/stat.
std::vector<std::pair<long long, long long>> CoreJiffies()
{
    std::vector<std::pair<long long, long long>> cores;
    QFile stat(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return cores;
    std::istringstream lines(stat.readAll().toStdString());
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("cpu", 0) != 0 || line.size() < 4 || line[3] == ' ')
            continue;
        std::istringstream fields(line.substr(line.find(' ')));
        long long value = 0, idle = 0, total = 0;
        for (int i = 0; fields >> value; ++i) {
            total += value;
            if (i == 3 || i == 4) // idle and waiting for input or output
                idle += value;
        }
        cores.emplace_back(total - idle, total);
    }
    return cores;
}

/// MIRROWEN_BENCH_CORES, or the two cores least busy over half a second.
QString TwoCores()
{
    const QString chosen = qEnvironmentVariable("MIRROWEN_BENCH_CORES");
    if (!chosen.isEmpty())
        return chosen;
    const auto before = CoreJiffies();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto after = CoreJiffies();
    std::vector<std::pair<double, int>> load;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        const double total = std::max(1LL, after[i].second - before[i].second);
        load.emplace_back((after[i].first - before[i].first) / total, static_cast<int>(i));
    }
    if (load.size() < 2)
        return QStringLiteral("0,1");
    std::sort(load.begin(), load.end());
    return QString("%1,%2").arg(load[0].second).arg(load[1].second);
}

/// Runs a child at that size, on every core or pinned to two; its table goes to our output and its
/// figures become the benchmark's counters.
void RunChild(benchmark::State& state, const char* size, bool twoCores)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildVariable, size);
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // taskset starts the program by its path: /proc/self/exe would be taskset itself.
        QStringList arguments{QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                              QStringLiteral("--benchmark_filter=BM_Child")};
        if (twoCores) {
            const QString cores = TwoCores();
            arguments.prepend(cores);
            arguments.prepend(QStringLiteral("-c"));
            std::printf("\npinned to cores %s\n", qPrintable(cores));
        }
        child.start(twoCores ? QStringLiteral("taskset") : arguments.takeFirst(), arguments);
        child.waitForFinished(-1);
        const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
        const int table = output.indexOf(QStringLiteral("\n") + size);
        const int figures = output.indexOf(QStringLiteral("TICK "));
        if (table < 0 || figures < 0) {
            std::printf("%s", qPrintable(output));
            state.SkipWithError("the child measured nothing");
            return;
        }
        std::printf("%s", qPrintable(output.mid(table, figures - table)));
        const QStringList values = output.mid(figures + 5).section('\n', 0, 0).split(' ');
        state.SetIterationTime(values.value(0).toDouble() / 1000);
        state.counters["p99_ms"] = values.value(1).toDouble();
        state.counters["cpu_ms"] = values.value(2).toDouble();
        state.counters["peak_MB"] = values.value(3).toDouble();
    }
}

void BM_Tick_960x544(benchmark::State& state) { RunChild(state, "960x544", false); }
void BM_Tick_1920x1080(benchmark::State& state) { RunChild(state, "1920x1080", false); }
void BM_Tick_960x544_TwoCores(benchmark::State& state) { RunChild(state, "960x544", true); }
void BM_Tick_1920x1080_TwoCores(benchmark::State& state) { RunChild(state, "1920x1080", true); }
BENCHMARK(BM_Tick_960x544)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Tick_1920x1080)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Tick_960x544_TwoCores)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Tick_1920x1080_TwoCores)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
