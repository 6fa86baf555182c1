#include <gtest/gtest.h>

#include <QApplication>

// Widget and GL tests need the application object, built the way the game builds it.
int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirrowen"));
    testing::InitGoogleTest(&argc, argv);
    // Death tests re-run this binary instead of forking a process that shares the X connection.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
