#pragma once
// The main() of test folders whose tests draw with OpenGL: an application with a current context
// of a never-shown GL widget, which the tests' framebuffer objects and textures belong to.
#include <QApplication>
#include <QGLWidget>

#include <gtest/gtest.h>

#include <cstdio>

inline int RunTestsWithGlContext(int argc, char** argv)
{
    QApplication app(argc, argv);
    QGLWidget context;
    context.makeCurrent();
    if (!context.isValid()) {
        fprintf(stderr, "No OpenGL context; GL tests need an X server (run under xvfb-run).\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
