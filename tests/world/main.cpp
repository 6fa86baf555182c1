// The frame manager makes its world texture on construction, so every test here runs inside an
// application with a current GL context (under xvfb-run in the test script).
#include <QApplication>
#include <QGLWidget>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QGLWidget context;
    context.makeCurrent();
    if (!context.isValid()) {
        fprintf(stderr, "No OpenGL context; the world tests need an X server (run under xvfb-run).\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
