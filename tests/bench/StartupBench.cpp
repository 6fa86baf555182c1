// How long a player waits from starting the game to its first picture: from the start of a
// process that runs the game as main does until the title screen has been painted once.
//
// Each iteration starts this program again as a child that runs only BM_Child: it builds the
// application and the game's window, runs the event loop, and at the first painted title picture
// says so on its output and ends. The parent times the child from its start to that line, and
// from the window's showing to that line: how long the player looks at an empty window.
// BM_StartToBareWindowPicture does the same for a bare GL window of the same size, which paints
// once and ends: the least any start-up could take.
#include "app/Game.h"
#include "app/MainWindow.h"
#include "app/Startup.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGLWidget>
#include <QProcess>
#include <QProcessEnvironment>

#include <cstdio>
#include <cstdlib>

namespace {

const char* const kChildVariable = "MIRROWEN_FIRST_PAINT_CHILD";

/// A window that only clears itself, telling of its first picture.
class cBareWindow : public QGLWidget
{
protected:
    void paintGL() override
    {
        glClear(GL_COLOR_BUFFER_BIT);
        std::puts("first paint");
        std::fflush(stdout);
        std::_Exit(0);
    }
};

/// The game, telling of its first painted title picture.
class cFirstPaintGame : public cGame
{
public:
    using cGame::cGame;
    void DrawState() override
    {
        cGame::DrawState();
        if (GetStateKind() != GAME_MODE_START_SCREEN)
            return;
        std::puts("first paint");
        std::fflush(stdout);
        std::_Exit(0);
    }
};

class cFirstPaintWindow : public cMainWindow
{
public:
    cFirstPaintWindow() : cMainWindow(false) {}

protected:
    cGame* CreateGame(bool gameMode) override { return new cFirstPaintGame(gameMode); }
    /// From here until the first title picture the player looks at an empty window.
    void showEvent(QShowEvent* event) override
    {
        cMainWindow::showEvent(event);
        std::puts("window shown");
        std::fflush(stdout);
    }
};

/// The child's whole life: what main and RunGame do, with the window above.
void BM_Child(benchmark::State& state)
{
    for (auto _ : state) {
        if (!qEnvironmentVariableIsSet(kChildVariable))
            continue;
        UseSystemMemoryForLargeBuffers();
        static int argc = 1;
        static char* argv[] = {const_cast<char*>("mirrowen"), nullptr};
        QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Mirrowen"));
        if (qgetenv(kChildVariable) == "bare") {
            cBareWindow bare;
            bare.resize(1920, 1080);
            bare.show();
            QApplication::exec();
            std::_Exit(2);
        }
        // As RunProgram does.
        if (!HasRequiredGraphics())
            std::_Exit(1);
        cFirstPaintWindow window;
        window.Init(1920, 1080);
        QApplication::exec();
        std::_Exit(2);
    }
}
BENCHMARK(BM_Child)->Iterations(1);

/// Times children of the kind from their start to their first picture.
void TimeFirstPicture(benchmark::State& state, const QString& kind)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildVariable, kind);
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        child.start(QStringLiteral("/proc/self/exe"), {QStringLiteral("--benchmark_filter=BM_Child")});
        QByteArray output;
        qint64 shownAt = -1;
        bool painted = false;
        while (!painted && child.waitForReadyRead(10000)) {
            output += child.readAll();
            if (shownAt < 0 && output.contains("window shown"))
                shownAt = clock.nsecsElapsed();
            painted = output.contains("first paint");
        }
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (shownAt >= 0)
            state.counters["empty_window_ms"] += (clock.nsecsElapsed() - shownAt) / 1e6;
        child.waitForFinished();
        if (!painted) {
            state.SkipWithError("the child painted no picture");
            break;
        }
    }
    state.counters["empty_window_ms"] /= static_cast<double>(state.iterations());
}

void BM_StartToFirstTitlePicture(benchmark::State& state)
{
    TimeFirstPicture(state, QStringLiteral("game"));
}
BENCHMARK(BM_StartToFirstTitlePicture)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_StartToBareWindowPicture(benchmark::State& state)
{
    TimeFirstPicture(state, QStringLiteral("bare"));
}
BENCHMARK(BM_StartToBareWindowPicture)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
