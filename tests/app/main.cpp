#include "app/Startup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <cstring>

namespace
{
/// Closes the game's window as soon as its event loop runs: the start-up is then over.
void CloseOnceRunning()
{
    QTimer::singleShot(0, [] { QApplication::closeAllWindows(); });
}
}

// Widget and GL tests need the application object, built the way the game builds it. Run with
// "--run-program" this binary starts the game as its main does instead, until the window shows.
int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--run-program") == 0)
    {
        qAddPreRoutine(CloseOnceRunning);
        return RunProgram(argc, argv, false);
    }
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirrowen"));
    testing::InitGoogleTest(&argc, argv);
    // Death tests re-run this binary instead of forking a process that shares the X connection.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
