#include "app/Startup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <cstring>

// Widget and GL tests need the application object, built the way the game builds it. Run with
// "--run-program" this binary is the game as its main starts it, closed once its event loop runs.
int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--run-program") == 0)
    {
        qAddPreRoutine([] { QTimer::singleShot(0, [] { QApplication::closeAllWindows(); }); });
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
